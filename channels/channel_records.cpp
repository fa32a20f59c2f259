#include "channels/channel_records.h"

#include <algorithm>

#include "core/value_helpers.h"
#include "platform/platform.h"

namespace {

// Frequency texts built and read inside this file use one separator on both sides, so
// validity does not depend on the system's.
const QString kPoint = QStringLiteral(".");

QString bandEdgeText(int mhz, const QString& decimalSeparator) {
    return QString::number(mhz) + decimalSeparator + QStringLiteral("00000");
}

void fillRecord(ImageBytes& image, int c, uint8_t value) {
    const auto first = image.begin() + ChannelRecordOffset(c);
    std::fill(first, first + record::kSize, value);
}

void moveChannel(ImageBytes& image, int fromIndex, int toIndex) {
    const auto from = image.begin() + ChannelRecordOffset(fromIndex);
    std::copy(from, from + record::kSize, image.begin() + ChannelRecordOffset(toIndex));
    std::fill(from, from + record::kSize, record::kErased);
    WriteScanBit(image, toIndex + 1, ScanBitIsSet(image, fromIndex + 1));
    ClearScanBit(image, fromIndex + 1);
}

bool fieldFits(int fieldOffset) {
    return fieldOffset >= 0 && fieldOffset + record::kFrequencySize <= image::kSize;
}

}  // namespace

// ---- ChannelRecord ----------------------------------------------------------------------

ChannelRecord::ChannelRecord(ImageBytes& image, int channelIndex)
    : image_(IsChannelIndex(channelIndex) ? &image : nullptr), index_(channelIndex) {}

uint8_t ChannelRecord::byte(int k) const {
    if (!image_ || k < 0 || k >= record::kSize) return record::kErased;
    return (*image_)[offset() + k];
}

void ChannelRecord::setByte(int k, uint8_t value) {
    if (!image_ || k < 0 || k >= record::kSize) return;
    (*image_)[offset() + k] = value;
}

bool ChannelRecord::bit(int k, int bitIndex) const { return byte(k) & bitMask(1, bitIndex); }

void ChannelRecord::setBit(int k, int bitIndex, bool on) {
    const uint8_t mask = bitMask(1, bitIndex);
    setByte(k, on ? byte(k) | mask : byte(k) & ~mask);
}

ToneWord ChannelRecord::tone(int k) const { return {byte(k), byte(k + 1)}; }

void ChannelRecord::setTone(int k, ToneWord word) {
    setByte(k, word.low);
    setByte(k + 1, word.high);
}

void ChannelRecord::setScrambleType(int type) {
    if (type < 0 || type > record::kScrambleTypeMask) return;
    setByte(record::kFlags, (byte(record::kFlags) & ~record::kScrambleTypeMask) | type);
}

int ChannelRecord::busyLock() const {
    const int lock = (byte(record::kFlags) & record::kBusyLockMask) >> record::kBusyLockShift;
    return lock == BusyLockCarrier || lock == BusyLockQtDqt ? lock : BusyLockNone;
}

void ChannelRecord::setBusyLock(int lock) {
    if (lock != BusyLockCarrier && lock != BusyLockQtDqt) lock = BusyLockNone;
    setByte(record::kFlags, (byte(record::kFlags) & ~record::kBusyLockMask) |
                                bitMask(uint8_t(lock), record::kBusyLockShift));
}

bool ChannelRecord::scanAdd() const { return image_ && ScanBitIsSet(*image_, number()); }

void ChannelRecord::setScanAdd(bool on) {
    if (image_) WriteScanBit(*image_, number(), on);
}

// ---- Scan-add bits ----------------------------------------------------------------------

ScanBitPlace ScanBitLocation(int n) { return {image::kScanAddBits + (n - 1) / 8, (n - 1) % 8}; }

bool ScanBitIsSet(const ImageBytes& image, int n) {
    if (!IsChannelNumber(n)) return false;
    const ScanBitPlace place = ScanBitLocation(n);
    return image[place.byteOffset] & bitMask(1, place.bit);
}

void WriteScanBit(ImageBytes& image, int n, bool on) {
    if (!IsChannelNumber(n)) return;
    const ScanBitPlace place = ScanBitLocation(n);
    const uint8_t mask = bitMask(1, place.bit);
    uint8_t& bits = image[place.byteOffset];
    bits = on ? bits | mask : bits & ~mask;
}

void SetScanBit(ImageBytes& image, int n) { WriteScanBit(image, n, true); }
void ClearScanBit(ImageBytes& image, int n) { WriteScanBit(image, n, false); }

// ---- Frequencies ------------------------------------------------------------------------

QString FrequencyText(const ImageBytes& image, int fieldOffset, const QString& decimalSeparator) {
    if (!fieldFits(fieldOffset)) return QString();
    const auto nibbles = [](uint8_t b) {
        return QString::number(b >> 4) + QString::number(b & 0x0F);
    };
    const uint8_t b0 = image[fieldOffset];
    const uint8_t b1 = image[fieldOffset + 1];
    const uint8_t b2 = image[fieldOffset + 2];
    const uint8_t b3 = image[fieldOffset + 3];
    return QString::number(b3, 16).toUpper() + QString::number(b2 >> 4) + decimalSeparator +
           QString::number(b2 & 0x0F) + nibbles(b1) + nibbles(b0);
}

bool FrequencyIsValid(const QString& text, NumberReading reading, const QString& decimalSeparator) {
    const std::optional<double> mhz = ReadNumber(reading, text, decimalSeparator);
    return mhz && *mhz >= frequency::kValidLowestMHz && *mhz <= frequency::kValidHighestMHz;
}

QString ShownFrequencyText(const ImageBytes& image, int fieldOffset,
                           const QString& decimalSeparator) {
    const QString text = FrequencyText(image, fieldOffset, decimalSeparator);
    return FrequencyIsValid(text, NumberReading::Leading, decimalSeparator) ? text : QString();
}

bool ChannelIsEmpty(const ImageBytes& image, int c) {
    if (!IsChannelIndex(c)) return true;
    return ShownFrequencyText(image, ChannelRecordOffset(c) + record::kRxFrequency, kPoint)
        .isEmpty();
}

std::optional<qint64> FrequencyValue(const QString& text, const QString& decimalSeparator) {
    return ReadScaled(NumberReading::Leading, text, decimalSeparator, frequency::kDecimals);
}

bool StoreFrequency(ImageBytes& image, int fieldOffset, qint64 steps) {
    if (!fieldFits(fieldOffset) || steps < 0 || steps > frequency::kHighestSteps) return false;
    for (int k = 0; k < record::kFrequencySize; ++k) {
        image[fieldOffset + k] = bcdPack(int(steps % 100));
        steps /= 100;
    }
    return true;
}

bool StoreFrequencyText(ImageBytes& image, int fieldOffset, const QString& text,
                        const QString& decimalSeparator) {
    const std::optional<qint64> steps = FrequencyValue(text, decimalSeparator);
    return steps && StoreFrequency(image, fieldOffset, *steps);
}

QString NormaliseFrequencyText(const QString& text, const QString& decimalSeparator) {
    if (text.size() >= frequency::kTextLength) return text;
    QString result = text;
    if (!result.contains(decimalSeparator)) result += decimalSeparator;
    while (result.size() < frequency::kTextLength) result += QLatin1Char('0');
    return result;
}

QString CheckFrequencyEntry(const QString& text, int upperMHz, NumberReading reading,
                            const GlobalState& state, const QString& title) {
    const QString& separator = state.DecimalSeparator;
    const std::optional<double> mhz =
        text == separator ? std::nullopt : ReadNumber(reading, text, separator);
    int edge = 0;
    if (!mhz || *mhz < state.BandLowerMHz)
        edge = state.BandLowerMHz;
    else if (*mhz > upperMHz)
        edge = upperMHz;
    else
        return text;
    platform::messages().show(title,
                              state.EnglishMode ? QStringLiteral("Frequency is out of range!")
                                                : QStringLiteral("频率超出范围！"),
                              BoxIcon::Warning, BoxButtons::Ok);
    return bandEdgeText(edge, separator);
}

// ---- Record edits -----------------------------------------------------------------------

void EraseChannel(ImageBytes& image, int c) {
    if (!IsChannelIndex(c)) return;
    fillRecord(image, c, record::kErased);
    ClearScanBit(image, c + 1);
}

void EraseTransmit(ImageBytes& image, int c) {
    ChannelRecord channel(image, c);
    for (int k = 0; k < record::kFrequencySize; ++k)
        channel.setByte(record::kTxFrequency + k, record::kErased);
    channel.setEncodeTone(tones::kNone);
}

void ApplyNewChannelDefaults(ImageBytes& image, int c) {
    ChannelRecord channel(image, c);
    channel.setByte(record::kFlags, record::kNewChannelFlags);
    channel.setByte(record::kOptions, record::kNewChannelOptions);
    // The pages show a new channel's tones as none, so the record says none too, whatever
    // an empty record held before.
    channel.setDecodeTone(tones::kNone);
    channel.setEncodeTone(tones::kNone);
    channel.setScanAdd(true);
}

QString DefaultTransmit(GlobalState& state, int c, const QString& receiveText) {
    if (!IsChannelIndex(c)) return QString();
    const QString& separator = state.DecimalSeparator;
    const int field = ChannelRecordOffset(c) + record::kTxFrequency;
    const std::optional<double> mhz = LeadingNumber(receiveText, separator);
    if (mhz && *mhz > state.WorkingUpperMHz) {
        StoreFrequency(state.RadioImage, field, state.WorkingUpperMHz * frequency::kStepsPerMHz);
        return bandEdgeText(state.WorkingUpperMHz, separator);
    }
    StoreFrequencyText(state.RadioImage, field, receiveText, separator);
    return receiveText;
}

bool InsertChannel(ImageBytes& image, int n) {
    if (!IsChannelNumber(n) || !ChannelIsEmpty(image, image::kChannelCount - 1)) return false;
    for (int k = image::kChannelCount - 1; k >= n; --k) moveChannel(image, k - 1, k);
    return true;
}

bool DeleteChannel(ImageBytes& image, int n) {
    if (!IsChannelNumber(n)) return false;
    for (int k = n; k < image::kChannelCount; ++k) moveChannel(image, k, k - 1);
    return true;
}

bool CopyChannel(ImageBytes& image, int from, int to) {
    if (!IsChannelNumber(from) || !IsChannelNumber(to) || from == to) return false;
    const auto source = image.begin() + ChannelRecordOffset(from - 1);
    std::copy(source, source + record::kSize, image.begin() + ChannelRecordOffset(to - 1));
    WriteScanBit(image, to, ScanBitIsSet(image, from));
    return true;
}

// ---- Frequency box commits --------------------------------------------------------------

FrequencyCommit CommitReceiveFrequency(GlobalState& state, int c, const QString& text,
                                       NumberReading reading, bool channelIsNew,
                                       bool transmitIsEmpty) {
    FrequencyCommit commit;
    commit.receiveText = text;
    if (!IsChannelIndex(c)) return commit;
    if (text.isEmpty()) {
        EraseChannel(state.RadioImage, c);
        commit.channelErased = true;
        return commit;
    }
    const QString checked = CheckFrequencyEntry(text, state.BandUpperMHz, reading, state);
    if (channelIsNew) ApplyNewChannelDefaults(state.RadioImage, c);
    commit.receiveText = NormaliseFrequencyText(checked, state.DecimalSeparator);
    StoreFrequencyText(state.RadioImage, ChannelRecordOffset(c) + record::kRxFrequency,
                       commit.receiveText, state.DecimalSeparator);
    if (transmitIsEmpty) {
        commit.transmitText = DefaultTransmit(state, c, commit.receiveText);
        commit.transmitSet = true;
    }
    return commit;
}

QString CommitTransmitFrequency(GlobalState& state, int c, const QString& text,
                                NumberReading reading, bool encodeIsEmpty) {
    if (!IsChannelIndex(c)) return text;
    if (text.isEmpty()) {
        EraseTransmit(state.RadioImage, c);
        return QString();
    }
    const QString checked = CheckFrequencyEntry(text, state.WorkingUpperMHz, reading, state);
    if (encodeIsEmpty) ChannelRecord(state.RadioImage, c).setEncodeTone(tones::kNone);
    const QString transmit = NormaliseFrequencyText(checked, state.DecimalSeparator);
    StoreFrequencyText(state.RadioImage, ChannelRecordOffset(c) + record::kTxFrequency, transmit,
                       state.DecimalSeparator);
    return transmit;
}
