#pragma once
// Data files (*.rdat) and the start-up file Init.dat, the 17-byte software record that
// travels with the image, and the File New, Open, Save and Save As operations.
//
// A data file is the 16-byte signature "KORVA-77Ver1.0.2", the 1024 image bytes and the
// software record (1057 bytes). Init.dat is the image and the record without signature
// (1041 bytes). Init.dat is only ever read; when it is missing or short the built-in
// default image (core/default_image.h) takes its place.
#include <QByteArray>
#include <QString>

#include "core/global_state.h"

namespace data_file {

inline constexpr char kSignature[] = "KORVA-77Ver1.0.2";
constexpr int kSignatureSize = 16;
constexpr int kSignatureCheckedSize = 8;  // "KORVA-77"; the version part is not compared
constexpr int kImageOffset = 16;
constexpr int kRecordOffset = 1040;
constexpr int kDataFileSize = 1057;
constexpr int kInitFileSize = 1041;
inline constexpr char kOpenMode[] = "OPEN";  // file dialog modes
inline constexpr char kSaveMode[] = "Save";

}  // namespace data_file

namespace software_record {

constexpr int kPassword = 0;     // programming password, 6 character codes
constexpr int kNewPassword = 6;  // new programming password, 6 character codes
constexpr int kPasswordSize = 6;
constexpr int kPendingFlag = 12;  // kPending when a new password is to be written
constexpr uint8_t kPending = 0x55;
constexpr int kFilledSize = 16;    // bytes 0..15 are rewritten on save; byte 16 is kept
constexpr uint8_t kUnused = 0xFF;  // after the last character, and every unused byte

}  // namespace software_record

// A password as stored in the record and in the radio: one Latin-1 code per character,
// the rest of the field 0xFF. Characters without a single-byte code (and U+00FF, whose
// code ends the text) are stored as '?'; characters beyond the field are dropped.
void passwordToBytes(const QString& text, uint8_t* field, int fieldSize);
// The text of a password field: Latin-1 characters up to the first 0xFF.
QString passwordFromBytes(const uint8_t* field, int fieldSize);

// Decodes SoftwareData into ProgramPassword, NewPassword and NewPasswordPending.
void analyseSoftwareData(GlobalState& state);
// Encodes the three values into SoftwareData; its last byte keeps what it held.
void saveSoftwareData(GlobalState& state);

// The 1057 bytes of a data file.
QByteArray encodeDataFile(const ImageBytes& image, const SoftwareRecord& record);
// Takes image and record from the bytes of a data file. False (outputs untouched) when the
// bytes do not start with "KORVA-77" or hold fewer than 1057 bytes.
bool decodeDataFile(const QByteArray& bytes, ImageBytes& image, SoftwareRecord& record);

// Reads the first 1057 bytes of a file. False with the system's reason when the file
// cannot be opened or read.
bool readDataFile(const QString& path, QByteArray& bytes, QString& reason);
// Writes a data file atomically (exactly 1057 bytes; an existing file is replaced only once
// the new one is complete). False with the system's reason when it cannot be written.
bool writeDataFile(const QString& path, const ImageBytes& image, const SoftwareRecord& record,
                   QString& reason);

// Reads a start-up file. False with a reason (in the language of english) when it cannot
// be read or holds fewer than 1041 bytes; image and record are then untouched.
bool readStartupFile(const QString& path, ImageBytes& image, SoftwareRecord& record,
                     QString& reason, bool english);

enum class StartupParts { ImageAndRecord, ImageOnly };
// Loads the start-up file (AppFolder + InitFileName) into RadioImage and, unless only the
// image is asked for (the model change), SoftwareData. When the file is missing or short,
// the built-in default takes its place and an error box naming the file says so, once per
// run. True when the file itself was used.
bool loadStartupFile(GlobalState& state, StartupParts parts = StartupParts::ImageAndRecord);

// File New: image and record from the start-up file, model and passwords derived, pages
// closed and the channel page reopened. The current path and name stay.
void fileNew(GlobalState& state);
// File Open: asks for a file and whether to cover the current data, loads it, adopts its
// path and name, derives model and passwords and reopens the channel page. True when a file
// was loaded; otherwise nothing has changed.
bool fileOpen(GlobalState& state);
// File Save: commits the channel grid's open edit, encodes the record and writes the
// current file, asking for a name when there is none yet. True when the file was written;
// otherwise the current path and name are as they were.
bool fileSave(GlobalState& state);
// File Save As: as File Save, always asking for a new name.
bool fileSaveAs(GlobalState& state);
