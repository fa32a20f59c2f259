// Arbitrary typed text in every box that reads a tone or a number: the two number readings,
// the scaled reading, typed and chosen tones, and the keystroke rule of a tone box.
#include <QString>
#include <cmath>

#include "channels/tone_codes.h"
#include "fuzz_support.h"

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

}  // namespace

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
    const QString text = textFrom(in, mode & 64);

    checkReadings(text, sep);
    checkTypedTone(text, sep, reading, rules, english);
    checkKey(text, selection, key, sep, rules);

    const std::optional<ToneWord> chosen = ToneWordFromListIndex(listIndex, text, sep);
    KORVA_FUZZ_CHECK(chosen.has_value() == (listIndex >= 0 && listIndex < tones::kListSize));
    if (chosen && listIndex > 0 && listIndex < tones::kFirstDcsNormal) {
        // A CTCSS list entry always stores a tone the lists can show again.
        KORVA_FUZZ_CHECK(ToneTextFromWord(*chosen, english, sep) != ToneNoneText(english));
    }
    return 0;
}
