#pragma once
// The radio image: the 1024-byte copy of the radio's configuration memory, indexed by
// radio address, its map of regions, and the model identification record with the band
// table from which the frequency limits follow.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "core/global_state.h"

namespace image {

constexpr int kSize = 1024;

// Regions of the map (radio addresses).
constexpr int kChannelBase = 16;          // channel n (1..16) lies at 16 * n
constexpr int kChannelSize = 16;
constexpr int kChannelCount = 16;
constexpr int kFunctionFirst = 275;       // function setup bytes 275..313
constexpr int kFunctionLast = 313;
constexpr int kCallResponse = 275;        // call-response list index 0..5
constexpr int kVoxCancel = 279;           // 1 = VOX can be cancelled
constexpr int kSquelchTail = 287;         // 1 = squelch-tail elimination without CTCSS/DCS
constexpr int kMicNoiseReduction = 295;   // list index 0..2
constexpr int kAlertLock = 296;           // 0 = locked, 1 = not locked
constexpr int kResetAllowed = 299;        // 1 = reset allowed
constexpr int kExtensionOption = 300;     // 1 = band extension on
constexpr int kFunctionFlags = 303;       // battery save, beep, voice prompt, VOX, scramble, ...
constexpr int kTimeOutTimer = 304;        // 0 = off, n = 15 * n seconds, n = 1..40
constexpr int kTimeOutWarning = 305;      // 0 = off, 1..10 seconds
constexpr int kKeyAssignment = 306;       // low nibble PF1, high nibble PF2
constexpr int kSquelchLevel = 308;        // 0..9
constexpr int kVoxLevel = 309;            // low nibble: VOX level, cleared before a write;
                                          // high nibble: VOX delay index 0..5
constexpr int kAlertMethod = 310;         // bits 6-7: 1 local, 2 remote, 3 both
constexpr int kInfraredBank = 311;        // two BCD digits
constexpr int kInfraredHundreds = 312;    // 1..9
constexpr int kInfraredTensUnits = 313;   // two BCD digits 1..9
constexpr int kScanAddBits = 382;         // 382..383, channels 1..16
constexpr int kModelRecord = 440;         // 440..447
constexpr int kModelRecordSize = 8;
constexpr int kModelByte = 441;
constexpr int kBandCode = 445;
constexpr int kPassword = 752;            // 0x2F0..0x2F5 programming password in the radio
constexpr int kPasswordSize = 6;
constexpr int kFactoryData = 768;         // 0x300..0x3FF factory alignment, never written
constexpr int kWritableEnd = 768;         // the whole-image write sends 0x000..0x2FF

// Bits of the function flags byte 303.
constexpr uint8_t kBatterySaveBit = 0x01;
constexpr uint8_t kBeepBit = 0x02;
constexpr uint8_t kVoicePromptBits = 0x0C;  // 00 off, 11 Chinese, 10 English
constexpr uint8_t kVoiceChinese = 0x0C;
constexpr uint8_t kVoiceEnglish = 0x08;
constexpr uint8_t kVoxBit = 0x10;
constexpr uint8_t kScrambleEnableBit = 0x20;
constexpr uint8_t kRogerBit = 0x40;
constexpr uint8_t kFreqHoppingBit = 0x80;

constexpr uint8_t kModelVhf = 0x32;       // 50
constexpr uint8_t kModelUhf = 0x33;       // 51; every value but 50 reads as UHF

constexpr int channelOffset(int channel) { return kChannelBase * channel; }

}  // namespace image

// One row of the band table.
struct Band {
    bool vhf;
    uint8_t code;
    int lowerMHz;
    int upperMHz;
    const char* text;  // "136-174MHz", as in the model dialog's list
    int position;      // place in the model dialog's list
};

// The band table: four VHF rows, then eight UHF rows, each group in list order.
const Band* bandTable(int* count);
// The band of a model and code, or nothing when the code is not in that model's rows.
std::optional<Band> findBand(bool vhf, uint8_t code);
// The band at a list position of the model dialog (VHF 0..3, UHF 0..7).
std::optional<Band> bandAtPosition(bool vhf, int position);
// List texts of a model's bands in list order.
QStringList bandTexts(bool vhf);

// The eight bytes of a valid model identification record for a model and band code.
std::array<uint8_t, image::kModelRecordSize> modelRecord(bool vhf, uint8_t code);

// Model identification: BandName and, when the band code is known, the three limits.
// Unknown codes change only BandName.
void analyseModel(GlobalState& state);

// After a completed read from the radio: the working upper limit becomes 520 when the
// band extension is on (byte 300 = 1) on a band starting at 400 MHz.
void applyWorkingLimitAfterRead(GlobalState& state);

// Bytes 441 and 445 rebuilt from the band limits after a model change.
struct ModelBytes {
    uint8_t model;
    uint8_t code;
};
ModelBytes modelBytesFromLimits(int lowerMHz, int upperMHz);
