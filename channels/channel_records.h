#pragma once
// Channel records: where each of the 16 channels lies in the radio image, the fields of
// its 16-byte record, the scan-add bits kept apart from the records, how frequencies are
// stored, shown and checked, and the record edits of the channel pages.
//
// Numbering: c is a channel index 0..15, n a channel number 1..16 (n = c + 1). Every
// operation ignores an index or number out of range (nothing is written; reads give the
// erased or empty answer), so a window with no channel selected cannot damage the image.
//
// Public API (windows pass globalState() / globalState().RadioImage):
//   Layout:      ChannelRecordOffset(c) = 16 + 16*c;  record::k... field offsets and bits.
//   Fields:      ChannelRecord(image, c) - view over one record: decode/encode ToneWord,
//                highPower, wideSpacing, busyLock (0 none, 1 carrier, 2 QT/DQT),
//                compand, scramble, scrambleType (0..7), specialCode (CDCSS mode),
//                scanAdd, raw byte(k)/setByte(k, v).
//   Scan bits:   ScanBitLocation(n), ScanBitIsSet, SetScanBit, ClearScanBit, WriteScanBit.
//   Frequencies: FrequencyText(image, fieldOffset, sep)      stored BCD -> "462.55000"
//                FrequencyIsValid(text, reading, sep)         reads as 50..520 MHz
//                ShownFrequencyText(image, fieldOffset, sep)  the text, or "" if not valid
//                ChannelIsEmpty(image, c)                     receive frequency not valid
//                FrequencyValue(text, sep)                    10 Hz steps, halves to even
//                StoreFrequency(image, fieldOffset, F)        F as 8 BCD digits
//                StoreFrequencyText(image, fieldOffset, text, sep)
//                NormaliseFrequencyText(text, sep)            pad to 9 characters
//                CheckFrequencyEntry(text, upper, reading, state[, title])
//                    corrects an out-of-band entry to the band edge, showing the warning
//                    "Frequency is out of range!" / "频率超出范围！" through the message seam.
//   Edits:       EraseChannel, EraseTransmit, ApplyNewChannelDefaults, DefaultTransmit,
//                InsertChannel(n), DeleteChannel(n), CopyChannel(from n, to n).
//   Commits of a frequency box (the steps both channel pages run when a box is left):
//                CommitReceiveFrequency(state, c, text, reading, channelIsNew, transmitEmpty)
//                    -> FrequencyCommit {receiveText, transmitText, ...} to show
//                CommitTransmitFrequency(state, c, text, reading, encodeEmpty) -> text
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>

#include "channels/tone_codes.h"
#include "core/global_state.h"
#include "core/radio_image.h"

// Byte positions and bits inside one 16-byte channel record.
namespace record {

constexpr int kSize = 16;
constexpr int kRxFrequency = 0;  // bytes 0..3
constexpr int kTxFrequency = 4;  // bytes 4..7
constexpr int kFrequencySize = 4;
constexpr int kDecodeTone = 8;   // ToneWord low byte; high byte at 9
constexpr int kEncodeTone = 10;  // ToneWord low byte; high byte at 11
constexpr int kFlags = 12;
constexpr int kOptions = 13;

// Byte 12
constexpr uint8_t kScrambleTypeMask = 0x07;  // bits 0..2: scramble type 0..7 ("1".."8")
constexpr int kWideSpacingBit = 3;           // 1 = 25 kHz, 0 = 12.5 kHz
constexpr int kBusyLockShift = 4;            // bits 4..5: 0 none, 1 carrier, 2 QT/DQT
constexpr uint8_t kBusyLockMask = 0x30;
constexpr int kCompandBit = 6;
constexpr int kScrambleBit = 7;

// Byte 13 (bits 1..3 and 5..7 are the radio's own and are left as they are)
constexpr int kHighPowerBit = 0;
constexpr int kSpecialCodeBit = 4;  // CDCSS mode: 1 = special code

constexpr uint8_t kErased = 0xFF;
// A new channel: wide, scramble type "1", no busy lock-out, compand and scramble off;
// high power, normal code.
constexpr uint8_t kNewChannelFlags = 0x08;
constexpr uint8_t kNewChannelOptions = 0x01;

}  // namespace record

enum BusyLock { BusyLockNone = 0, BusyLockCarrier = 1, BusyLockQtDqt = 2 };

namespace frequency {

constexpr int kValidLowestMHz = 50;  // stored frequencies outside 50..520 show empty
constexpr int kValidHighestMHz = 520;
constexpr int kDecimals = 5;  // 10 Hz steps
constexpr qint64 kStepsPerMHz = 100000;
constexpr qint64 kHighestSteps = 99999999;  // 8 BCD digits
constexpr int kTextLength = 9;              // "462.55000"

}  // namespace frequency

constexpr bool IsChannelIndex(int c) { return c >= 0 && c < image::kChannelCount; }
constexpr bool IsChannelNumber(int n) { return n >= 1 && n <= image::kChannelCount; }
constexpr int ChannelRecordOffset(int c) { return image::kChannelBase + record::kSize * c; }

// A view of one channel's record inside an image. An index out of range gives a view that
// reads as erased and writes nothing.
class ChannelRecord {
public:
    ChannelRecord(ImageBytes& image, int channelIndex);

    bool isValid() const { return image_ != nullptr; }
    int index() const { return index_; }
    int number() const { return index_ + 1; }
    int offset() const { return ChannelRecordOffset(index_); }

    uint8_t byte(int k) const;
    void setByte(int k, uint8_t value);

    ToneWord decodeTone() const { return tone(record::kDecodeTone); }
    void setDecodeTone(ToneWord word) { setTone(record::kDecodeTone, word); }
    ToneWord encodeTone() const { return tone(record::kEncodeTone); }
    void setEncodeTone(ToneWord word) { setTone(record::kEncodeTone, word); }

    bool highPower() const { return bit(record::kOptions, record::kHighPowerBit); }
    void setHighPower(bool on) { setBit(record::kOptions, record::kHighPowerBit, on); }
    bool specialCode() const { return bit(record::kOptions, record::kSpecialCodeBit); }
    void setSpecialCode(bool on) { setBit(record::kOptions, record::kSpecialCodeBit, on); }

    bool wideSpacing() const { return bit(record::kFlags, record::kWideSpacingBit); }
    void setWideSpacing(bool on) { setBit(record::kFlags, record::kWideSpacingBit, on); }
    bool compand() const { return bit(record::kFlags, record::kCompandBit); }
    void setCompand(bool on) { setBit(record::kFlags, record::kCompandBit, on); }
    bool scramble() const { return bit(record::kFlags, record::kScrambleBit); }
    void setScramble(bool on) { setBit(record::kFlags, record::kScrambleBit, on); }
    int scrambleType() const { return byte(record::kFlags) & record::kScrambleTypeMask; }
    void setScrambleType(int type);  // 0..7; other values are ignored
    // 0 none, 1 carrier, 2 QT/DQT; the unused value 3 reads as none.
    int busyLock() const;
    // Writes both bits, so choosing carrier over a stored 3 leaves 01. Values other than
    // 0..2 write none.
    void setBusyLock(int lock);

    // The channel's bit in the scan-add bitmap.
    bool scanAdd() const;
    void setScanAdd(bool on);

private:
    bool bit(int k, int bitIndex) const;
    void setBit(int k, int bitIndex, bool on);
    ToneWord tone(int k) const;
    void setTone(int k, ToneWord word);

    ImageBytes* image_;
    int index_;
};

// ---- Scan-add bits ----------------------------------------------------------------------

struct ScanBitPlace {
    int byteOffset;  // 382 for channels 1..8, 383 for 9..16
    int bit;         // 0..7
};
// Where channel n (1..16) keeps its bit; the other operations ignore numbers out of range.
ScanBitPlace ScanBitLocation(int n);
bool ScanBitIsSet(const ImageBytes& image, int n);
void SetScanBit(ImageBytes& image, int n);
void ClearScanBit(ImageBytes& image, int n);
void WriteScanBit(ImageBytes& image, int n, bool on);

// ---- Frequencies ------------------------------------------------------------------------

// The four bytes at fieldOffset as text: b3 in hexadecimal, then each nibble of b2, b1, b0
// as a decimal number, with the separator after b2's high nibble. 462.55 MHz gives
// "462.55000"; an erased field gives "FF15.1515151515".
QString FrequencyText(const ImageBytes& image, int fieldOffset, const QString& decimalSeparator);
// The reading succeeds and gives 50..520 MHz inclusive.
bool FrequencyIsValid(const QString& text, NumberReading reading, const QString& decimalSeparator);
// FrequencyText when it is valid, otherwise "" (how an empty channel or transmit side shows).
QString ShownFrequencyText(const ImageBytes& image, int fieldOffset,
                           const QString& decimalSeparator);
// The receive frequency is not valid: the channel is empty.
bool ChannelIsEmpty(const ImageBytes& image, int c);

// The text's leading number in 10 Hz steps, rounded with halves to the even neighbour.
std::optional<qint64> FrequencyValue(const QString& text, const QString& decimalSeparator);
// Writes F (0..99999999 steps of 10 Hz) as BCD digit pairs, least significant first.
// Returns false and writes nothing when F does not fit or the field lies outside the image.
bool StoreFrequency(ImageBytes& image, int fieldOffset, qint64 steps);
bool StoreFrequencyText(ImageBytes& image, int fieldOffset, const QString& text,
                        const QString& decimalSeparator);

// Shorter than 9 characters: the separator is appended when there is none, then "0"s up to
// 9 characters ("462.5" -> "462.50000", "462" -> "462.00000").
QString NormaliseFrequencyText(const QString& text, const QString& decimalSeparator);

// The entry rule for a frequency box left with text in it. Returns the text to keep: the
// text itself when it reads inside BandLowerMHz..upperMHz; otherwise, after the warning
// box, the nearer band edge as "<MHz><separator>00000". A separator alone and a text the
// reading cannot read count as below the band.
QString CheckFrequencyEntry(const QString& text, int upperMHz, NumberReading reading,
                            const GlobalState& state,
                            const QString& title = QString::fromLatin1(kAppTitle));

// ---- Record edits -----------------------------------------------------------------------

// All 16 bytes 0xFF and the scan bit cleared.
void EraseChannel(ImageBytes& image, int c);
// Transmit frequency (bytes 4..7) and encode tone (10..11) 0xFF.
void EraseTransmit(ImageBytes& image, int c);
// Bytes 12 and 13 of a new channel, tones none, scan bit set.
void ApplyNewChannelDefaults(ImageBytes& image, int c);
// Sets the transmit frequency from a receive text just stored: the same frequency, or
// WorkingUpperMHz when the receive frequency lies above it. Returns the transmit text.
QString DefaultTransmit(GlobalState& state, int c, const QString& receiveText);

// Moves channels n..15 down by one (records and scan bits) and erases channel n, but only
// when channel 16 is empty; returns whether it ran (then the grid is refreshed).
bool InsertChannel(ImageBytes& image, int n);
// Moves channels n+1..16 up by one and erases channel 16; n = 16 changes nothing. Returns
// false only for a number out of range.
bool DeleteChannel(ImageBytes& image, int n);
// Copies the record and the scan bit of channel from onto channel to; returns false (and
// changes nothing) when they are the same or out of range.
bool CopyChannel(ImageBytes& image, int from, int to);

// ---- Frequency box commits --------------------------------------------------------------

struct FrequencyCommit {
    QString receiveText;         // what the receive box shows ("" after erasing)
    QString transmitText;        // the defaulted transmit text, when transmitSet
    bool channelErased = false;  // the text was empty and the channel is erased
    bool transmitSet = false;    // the transmit frequency was defaulted
};

// Receive box left: empty text erases the channel; otherwise the entry check against
// BandLowerMHz..BandUpperMHz, the new-channel defaults when channelIsNew (decode box
// empty), the receive frequency stored as the normalised text, and DefaultTransmit when
// transmitIsEmpty.
FrequencyCommit CommitReceiveFrequency(GlobalState& state, int c, const QString& text,
                                       NumberReading reading, bool channelIsNew,
                                       bool transmitIsEmpty);
// Transmit box left: empty text erases the transmit side; otherwise the entry check
// against BandLowerMHz..WorkingUpperMHz, the encode tone set to none when encodeIsEmpty,
// and the transmit frequency stored as the normalised text, which is returned ("" after
// erasing).
QString CommitTransmitFrequency(GlobalState& state, int c, const QString& text,
                                NumberReading reading, bool encodeIsEmpty);
