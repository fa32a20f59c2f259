#pragma once
// Small value routines shared by the pages: the keystroke filter of numeric fields, bit
// mask and BCD pack for writing into the image, the standard lists several pages show and
// the location of help topics.
#include <QString>
#include <QStringList>
#include <cstdint>

struct GlobalState;

// The value shifted left by n bits, kept to a byte; n >= 8 gives 0. bitMask(1, n) is the
// mask of bit n.
constexpr uint8_t bitMask(uint8_t value, int n) {
    return n <= 0 ? value : n >= 8 ? 0 : static_cast<uint8_t>(value << n);
}

// Packs a two-digit value 0..99 as two BCD digits: 47 -> 0x47.
constexpr uint8_t bcdPack(int value) {
    return static_cast<uint8_t>((value / 10) * 16 + value % 10);
}

// Keystroke filter --------------------------------------------------------------------

namespace key_code {
constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kRejected = 0;
}  // namespace key_code

namespace key_kind {
constexpr int kFrequency = 1;  // digits and the decimal separator, at most 9 characters
}

// One kind of field: the characters it accepts and its maximum length.
struct KeyKindRow {
    int kind;
    const char* characters;  // accepted characters besides the separator and editing keys
    bool separator;          // accepts the decimal separator
    bool editingKeys;        // accepts backspace and Enter
    int maxLength;
};

// The row of a kind, nullptr when the kind is unknown (every key is then rejected).
const KeyKindRow* keyKindRow(int kind);

// Filters a key typed into a field holding text with selectionLength characters selected.
// Returns the character code to insert (a lower-case letter comes back upper case) or
// key_code::kRejected.
int filterKeystroke(const QString& text, int selectionLength, int key, int kind,
                    const QString& decimalSeparator);

// Standard lists, entries in list order ---------------------------------------------

QStringList busyLockList(bool english);                                  // none, carrier, QT/DQT
QStringList spacingList(bool english, const QString& decimalSeparator);  // 12.5K, 25K
QStringList scanAddList(bool english);                                   // add, delete
QStringList powerList(bool english);                                     // low, high
QStringList numberList();                                                // "1".."8"

// Help ---------------------------------------------------------------------------------

namespace help_topic {
inline constexpr char kChannelInformation[] = "chinfo.htm";
inline constexpr char kChannelEdit[] = "chEdit.htm";
inline constexpr char kChannelCopy[] = "chcopy.htm";
inline constexpr char kFrequencyCopy[] = "freqcopy.htm";
inline constexpr char kToneCopy[] = "qtdqtcopy.htm";
inline constexpr char kFunctionSetup[] = "optfeatures.htm";
inline constexpr char kKeyAssignment[] = "keyassign.htm";
}  // namespace help_topic

// The help file of a language in the application folder: ".../KORVA-77_e.chm" (English)
// or ".../KORVA-77_c.chm" (Chinese).
QString helpFilePath(const QString& appFolder, bool english);
// The location of a topic inside a help file: "<help file>::/HTML/<topic>".
QString helpTopicLocation(const QString& helpFile, const QString& topic);
// Opens a topic in the help viewer: in HelpFilePath, or the help file of the language in
// force when the main window has not set one.
void openHelpTopic(const GlobalState& state, const QString& topic);
