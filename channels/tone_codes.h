#pragma once
// Tone codes: the CTCSS tones and DCS codes a channel decodes and encodes, the list the
// user chooses them from, their two-byte stored form and their text form, and the two
// ways a typed number is read.
//
// Public API (windows pass globalState().EnglishMode / .DecimalSeparator):
//   Number readings, the separator passed in is the decimal point:
//     LeadingNumber(text, sep)   leading decimal number, spaces ignored, "" or junk -> 0;
//                                fails only for a number too large for a double.
//     LocaleNumber(text, sep)    the whole text as a number (surrounding spaces allowed);
//                                fails for "" and for anything that is not a number.
//     ReadNumber(reading, text, sep)              either of the two by NumberReading.
//     ReadScaled(reading, text, sep, decimals)    the reading times 10^decimals, rounded
//                                exactly on the decimal digits, halves to the even neighbour.
//   Tone list (283 entries; windows fill their combo boxes with addItems(ToneList(...))):
//     ToneList(english, sep)     "None"/"无", 50 CTCSS tones "67.0".., "D017N".., "D017I"..
//     ToneNoneText(english)      entry 0 in a language.
//     CtcssText(tenths, sep)     "67.0" for 670; always one decimal.
//     tones::k...                list positions and ToneWord bits.
//   Conversions:
//     ToneTextFromWord(word, english, sep)           stored word -> shown text.
//     ToneWordFromText(text, reading, sep[, rules])  typed text -> {word, normalised text}.
//     ToneWordFromListIndex(index, entryText, sep)   list choice -> word (nothing for an
//                                                    index outside 0..282).
//   Typing:
//     FilterToneKey(text, hasSelection, key, sep[, rules]) -> {Accept with key (upper-cased),
//                                Drop, or Commit for Enter}.
//   ToneRules::CopyDialog gives the QT/DQT copy dialog's variant: CTCSS below 67 Hz becomes
//   67.0 (instead of below 20 Hz), keys are not upper-cased, and at 5 characters with nothing
//   selected backspace is dropped as well.
#include <QChar>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdint>
#include <optional>

// A tone as two bytes, low byte first in the channel record.
//   none:  0xFF, 0xFF
//   CTCSS: tenths of a hertz v as 12 bits: low = v bits 0..7, high bits 0..3 = v bits 8..11
//   DCS:   the octal code n as 9 bits: low = n bits 0..7, high bit 0 = n bit 8,
//          high bit 5 = DCS, high bit 7 = inverted
struct ToneWord {
    uint8_t low = 0xFF;
    uint8_t high = 0xFF;

    friend constexpr bool operator==(ToneWord a, ToneWord b) {
        return a.low == b.low && a.high == b.high;
    }
    friend constexpr bool operator!=(ToneWord a, ToneWord b) { return !(a == b); }
};

namespace tones {

constexpr ToneWord kNone{0xFF, 0xFF};

// Positions in the tone list.
constexpr int kListSize = 283;
constexpr int kNoneIndex = 0;
constexpr int kFirstCtcss = 1;
constexpr int kCtcssCount = 50;
constexpr int kFirstDcsNormal = 51;
constexpr int kDcsCount = 116;
constexpr int kFirstDcsInverted = 167;  // entry 167 + k has the code of entry 51 + k

// Bits of the high byte.
constexpr uint8_t kCtcssHighMask = 0x0F;   // CTCSS: bits 8..11 of the tenths
constexpr uint8_t kDcsHighCodeBit = 0x01;  // DCS: bit 8 of the code
constexpr uint8_t kDcsFlag = 0x20;
constexpr uint8_t kDcsInvertedFlag = 0x80;

// A stored CTCSS word of this many tenths or more shows as none.
constexpr int kCtcssShownLimit = 2544;
// Typed CTCSS tones: below the lowest they become kCtcssDefault, above kCtcssHighest
// they become kCtcssHighest (all in tenths of a hertz).
constexpr int kCtcssLowestTyped = 200;
constexpr int kCtcssLowestCopy = 670;
constexpr int kCtcssDefault = 670;
constexpr int kCtcssHighest = 2541;

// The CTCSS tones of the list in tenths of a hertz and the DCS codes as octal numbers,
// both in list order.
extern const int kCtcssTenths[kCtcssCount];
extern const int kDcsCodes[kDcsCount];

}  // namespace tones

// ---- Number readings ------------------------------------------------------------------

enum class NumberReading {
    Leading,  // LeadingNumber: the channel grid and the copy dialogs
    Locale,   // LocaleNumber: the channel editor
};

std::optional<double> LeadingNumber(const QString& text, const QString& decimalSeparator);
std::optional<double> LocaleNumber(const QString& text, const QString& decimalSeparator);
std::optional<double> ReadNumber(NumberReading reading, const QString& text,
                                 const QString& decimalSeparator);
// The number read times 10^decimals, rounded to the nearest integer with halves to the
// even neighbour, computed on the decimal digits (no binary rounding on the way). Fails
// when the reading fails or the result does not fit in 18 digits.
std::optional<qint64> ReadScaled(NumberReading reading, const QString& text,
                                 const QString& decimalSeparator, int decimals);

// ---- Tone list and texts ----------------------------------------------------------------

QString ToneNoneText(bool english);
QString CtcssText(int tenths, const QString& decimalSeparator);
QStringList ToneList(bool english, const QString& decimalSeparator);

QString ToneTextFromWord(ToneWord word, bool english, const QString& decimalSeparator);

// ---- Typed and chosen tones -------------------------------------------------------------

enum class ToneRules {
    Standard,    // channel grid and channel editor
    CopyDialog,  // QT/DQT copy dialog
};

struct ToneEntry {
    ToneWord word;
    QString text;  // the normalised text the box shows
};

// "None"/"无" (either language) -> none, text kept; "D..." -> DCS "D" + three octal digits
// + "N"/"I"; anything else -> CTCSS read with the reading, clamped and rounded to tenths
// (an unreadable text becomes 67.0).
ToneEntry ToneWordFromText(const QString& text, NumberReading reading,
                           const QString& decimalSeparator, ToneRules rules = ToneRules::Standard);

std::optional<ToneWord> ToneWordFromListIndex(int index, const QString& entryText,
                                              const QString& decimalSeparator);

struct ToneKey {
    enum Action { Accept, Drop, Commit };
    Action action;
    QChar key;  // the character to insert when accepted (letters upper-cased)
};

// Keystroke rule of an editable tone box. key is the typed character: '\r' for Enter,
// '\b' for backspace. text is the box's text before the key, hasSelection whether any of
// it is selected.
ToneKey FilterToneKey(const QString& text, bool hasSelection, QChar key,
                      const QString& decimalSeparator, ToneRules rules = ToneRules::Standard);
