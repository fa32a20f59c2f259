// Arbitrary typed text in every box that reads a tone, a frequency or a number: the two
// number readings, the scaled reading, typed and chosen tones, the keystroke rule of a tone
// box, and the receive and transmit frequency boxes of a channel with their entry check.
#include <QString>
#include <cmath>

#include "channels/channel_records.h"
#include "channels/tone_codes.h"
#include "core/radio_image.h"
#include "fuzz_support.h"
#include "platform/platform.h"

namespace {

QString textFrom(FuzzInput& in, bool utf16) {
    size_t size = 0;
    const uint8_t* bytes = in.take(in.remaining(), &size);
    if (utf16)  // any sequence of code units, lone surrogates included
        return QString(reinterpret_cast<const QChar*>(bytes), int(size / 2));
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes), int(size));
}

void checkReadings(const QString& text, const QString& sep) {
    for (const NumberReading reading : {NumberReading::Leading, NumberReading::Locale}) {
        const std::optional<double> value = ReadNumber(reading, text, sep);
        if (value) KORVA_FUZZ_CHECK(std::isfinite(*value));
        for (int decimals = 0; decimals <= 6; ++decimals) {
            const std::optional<qint64> scaled = ReadScaled(reading, text, sep, decimals);
            if (!scaled) continue;
            KORVA_FUZZ_CHECK(value.has_value(), "scaled reading without a plain one");
            // The exact decimal rounding and the binary value agree to one unit.
            const double expected = *value * std::pow(10.0, decimals);
            if (std::fabs(expected) < 1e15)
                KORVA_FUZZ_CHECK(std::fabs(double(*scaled) - expected) <= 1.0,
                                 "%s at %d decimals: %lld vs %f", qPrintable(text), decimals,
                                 static_cast<long long>(*scaled), expected);
        }
    }
}

void checkTypedTone(const QString& text, const QString& sep, NumberReading reading,
                    ToneRules rules, bool english) {
    const ToneEntry entry = ToneWordFromText(text, reading, sep, rules);
    if (entry.word == tones::kNone) {
        KORVA_FUZZ_CHECK(entry.text == ToneNoneText(true) || entry.text == ToneNoneText(false));
        return;
    }
    // The normalised text is what the box shows and what is stored: it reads back to the
    // same word, and the word shows as the same text.
    const ToneEntry again = ToneWordFromText(entry.text, reading, sep, rules);
    KORVA_FUZZ_CHECK(again.word == entry.word && again.text == entry.text, "%s -> %s -> %s",
                     qPrintable(text), qPrintable(entry.text), qPrintable(again.text));
    KORVA_FUZZ_CHECK(ToneTextFromWord(entry.word, english, sep) == entry.text);
    if (entry.word.high & tones::kDcsFlag) {
        KORVA_FUZZ_CHECK(entry.text.size() == 5);
    } else {
        const int tenths = entry.word.high * 256 + entry.word.low;
        KORVA_FUZZ_CHECK(entry.word.high <= tones::kCtcssHighMask);
        KORVA_FUZZ_CHECK(tenths >= tones::kCtcssLowestTyped && tenths <= tones::kCtcssHighest);
    }
}

void checkKey(const QString& text, bool selection, QChar key, const QString& sep,
              ToneRules rules) {
    const ToneKey result = FilterToneKey(text, selection, key, sep, rules);
    if (result.action != ToneKey::Accept) return;
    const QChar k = result.key;
    KORVA_FUZZ_CHECK((k >= QLatin1Char('0') && k <= QLatin1Char('9')) || k == QChar(8) ||
                     k == sep.at(0) || k == QLatin1Char('D') || k == QLatin1Char('N') ||
                     k == QLatin1Char('I'));
    if (k != QChar(8)) KORVA_FUZZ_CHECK(text.size() <= 4 || selection);
}

// The frequency a field holds, in MHz, or nothing when its bytes are not BCD.
std::optional<double> storedMHz(const ImageBytes& image, int field) {
    qint64 steps = 0;
    for (int k = record::kFrequencySize - 1; k >= 0; --k) {
        const uint8_t b = image[size_t(field + k)];
        if ((b >> 4) > 9 || (b & 0x0F) > 9) return std::nullopt;
        steps = steps * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return double(steps) / frequency::kStepsPerMHz;
}

// Leaving a frequency box with the text: whatever was typed, the channel ends up erased or
// holding a frequency inside the band, exactly the one the box then shows.
void checkFrequencyBoxes(const QString& text, const QString& sep, NumberReading reading,
                         FuzzInput& in) {
    int bands = 0;
    const Band& band = bandTable(&bands)[in.below(bands)];
    GlobalState state;
    state.DecimalSeparator = sep;
    state.BandLowerMHz = band.lowerMHz;
    state.BandUpperMHz = band.upperMHz;
    state.WorkingUpperMHz = (in.byte() & 1) && band.lowerMHz == 400 ? 520 : band.upperMHz;
    for (int i = 0; i < image::kSize; ++i) state.RadioImage[size_t(i)] = uint8_t(i * 31);
    const int c = in.below(18) - 1;  // -1 and 16 are out of range
    const uint8_t flags = in.byte();
    const ImageBytes before = state.RadioImage;

    const bool receiveBox = flags & 1;
    if (receiveBox) {
        const FrequencyCommit commit =
            CommitReceiveFrequency(state, c, text, reading, flags & 2, flags & 4);
        if (!IsChannelIndex(c)) {
            KORVA_FUZZ_CHECK(state.RadioImage == before);
            return;
        }
        const int rx = ChannelRecordOffset(c) + record::kRxFrequency;
        if (text.isEmpty()) {
            KORVA_FUZZ_CHECK(commit.channelErased && ChannelIsEmpty(state.RadioImage, c));
            return;
        }
        const std::optional<double> mhz = storedMHz(state.RadioImage, rx);
        KORVA_FUZZ_CHECK(mhz && *mhz >= band.lowerMHz && *mhz <= band.upperMHz,
                         "'%s' stored as %s", qPrintable(text),
                         qPrintable(FrequencyText(state.RadioImage, rx, sep)));
        const std::optional<qint64> shown = FrequencyValue(commit.receiveText, sep);
        KORVA_FUZZ_CHECK(shown && std::llround(*mhz * frequency::kStepsPerMHz) == *shown,
                         "'%s' shows '%s'", qPrintable(text), qPrintable(commit.receiveText));
        if (commit.transmitSet) {
            const std::optional<double> tx =
                storedMHz(state.RadioImage, ChannelRecordOffset(c) + record::kTxFrequency);
            KORVA_FUZZ_CHECK(tx && *tx >= band.lowerMHz && *tx <= state.WorkingUpperMHz);
        }
    } else {
        const QString shownText = CommitTransmitFrequency(state, c, text, reading, flags & 2);
        if (!IsChannelIndex(c)) {
            KORVA_FUZZ_CHECK(state.RadioImage == before);
            return;
        }
        if (text.isEmpty()) {
            KORVA_FUZZ_CHECK(shownText.isEmpty());
            return;
        }
        const std::optional<double> mhz =
            storedMHz(state.RadioImage, ChannelRecordOffset(c) + record::kTxFrequency);
        KORVA_FUZZ_CHECK(mhz && *mhz >= band.lowerMHz && *mhz <= state.WorkingUpperMHz,
                         "'%s' stored out of band", qPrintable(text));
    }
    // Nothing outside the channel's record and scan bits changed.
    for (int i = 0; i < image::kSize; ++i) {
        const bool own = i >= ChannelRecordOffset(c) && i < ChannelRecordOffset(c) + record::kSize;
        const bool scan = i == image::kScanAddBits || i == image::kScanAddBits + 1;
        if (!own && !scan) KORVA_FUZZ_CHECK(state.RadioImage[size_t(i)] == before[size_t(i)]);
    }
}

class NoBoxes : public MessageBoxes {
public:
    BoxAnswer show(const QString&, const QString&, BoxIcon, BoxButtons) override {
        return BoxAnswer::Ok;
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static NoBoxes boxes;  // the out-of-range warning answers at once
    platform::setMessages(&boxes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t mode = in.byte();
    const QString sep = (mode & 1) ? QStringLiteral(",") : QStringLiteral(".");
    const NumberReading reading = (mode & 2) ? NumberReading::Locale : NumberReading::Leading;
    const ToneRules rules = (mode & 4) ? ToneRules::CopyDialog : ToneRules::Standard;
    const bool english = mode & 8;
    const bool selection = mode & 16;
    const int listIndex = int(in.byte()) * 2 - 100;  // inside and outside 0..282
    const QChar key(char16_t(in.byte() | (mode & 32 ? in.byte() << 8 : 0)));
    FuzzInput boxInput(data, size < 8 ? size : 8);  // band, channel and box flags
    const QString text = textFrom(in, mode & 64);

    checkReadings(text, sep);
    checkTypedTone(text, sep, reading, rules, english);
    checkKey(text, selection, key, sep, rules);
    checkFrequencyBoxes(text, sep, reading, boxInput);

    const std::optional<ToneWord> chosen = ToneWordFromListIndex(listIndex, text, sep);
    KORVA_FUZZ_CHECK(chosen.has_value() == (listIndex >= 0 && listIndex < tones::kListSize));
    if (chosen && listIndex > 0 && listIndex < tones::kFirstDcsNormal) {
        // A CTCSS list entry always stores a tone the lists can show again.
        KORVA_FUZZ_CHECK(ToneTextFromWord(*chosen, english, sep) != ToneNoneText(english));
    }
    return 0;
}
