#include "channels/tone_codes.h"

#include <QByteArray>
#include <cmath>

namespace tones {

const int kCtcssTenths[kCtcssCount] = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,   //
    948,  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273,  //
    1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679,  //
    1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966, 1995,  //
    2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,  //
};

// Written as C++ octal literals, so each value is the 9-bit code the radio stores.
const int kDcsCodes[kDcsCount] = {
    0017, 0023, 0025, 0026, 0031, 0032, 0036, 0043, 0047, 0050,  //
    0051, 0053, 0054, 0055, 0065, 0071, 0072, 0073, 0074, 0114,  //
    0115, 0116, 0122, 0125, 0131, 0132, 0134, 0135, 0143, 0145,  //
    0152, 0155, 0156, 0162, 0165, 0172, 0174, 0205, 0212, 0217,  //
    0223, 0225, 0226, 0243, 0244, 0245, 0246, 0251, 0252, 0254,  //
    0255, 0261, 0263, 0265, 0266, 0271, 0274, 0305, 0306, 0311,  //
    0315, 0325, 0331, 0332, 0343, 0345, 0346, 0351, 0356, 0364,  //
    0365, 0371, 0411, 0412, 0413, 0423, 0425, 0431, 0432, 0445,  //
    0446, 0452, 0454, 0455, 0462, 0464, 0465, 0466, 0503, 0506,  //
    0516, 0523, 0526, 0532, 0534, 0546, 0565, 0606, 0612, 0624,  //
    0627, 0631, 0632, 0645, 0654, 0662, 0664, 0703, 0712, 0723,  //
    0731, 0732, 0734, 0743, 0754, 0765,                          //
};

}  // namespace tones

namespace {

// A number as its decimal digits, so that scaling and rounding are exact.
struct Decimal {
    bool negative = false;
    QByteArray whole;     // ASCII digits before the point
    QByteArray fraction;  // ASCII digits after the point
};

QChar pointOf(const QString& separator) {
    return separator.isEmpty() ? QLatin1Char('.') : separator.at(0);
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Spaces, tabs and line feeds are skipped anywhere in a leading number.
bool isSkippedSpace(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

Decimal parseLeading(const QString& text, QChar point) {
    Decimal number;
    bool signAllowed = true;
    bool inFraction = false;
    for (const QChar c : text) {
        if (isSkippedSpace(c)) continue;
        if (signAllowed && (c == QLatin1Char('-') || c == QLatin1Char('+'))) {
            number.negative = c == QLatin1Char('-');
        } else if (isDigit(c)) {
            (inFraction ? number.fraction : number.whole).append(char(c.unicode()));
        } else if (c == point && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
        signAllowed = false;
    }
    return number;
}

std::optional<Decimal> parseWhole(const QString& text, QChar point) {
    const QString trimmed = text.trimmed();
    Decimal number;
    int i = 0;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
        number.negative = trimmed[i++] == QLatin1Char('-');
    bool inFraction = false;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (isDigit(c))
            (inFraction ? number.fraction : number.whole).append(char(c.unicode()));
        else if (c == point && !inFraction)
            inFraction = true;
        else
            return std::nullopt;
    }
    if (number.whole.isEmpty() && number.fraction.isEmpty()) return std::nullopt;
    return number;
}

// The value as a double; nothing when it is too large to hold.
std::optional<double> valueOf(const Decimal& number) {
    QByteArray text = number.negative ? "-" : "";
    text += number.whole.isEmpty() ? QByteArray("0") : number.whole;
    if (!number.fraction.isEmpty()) text += '.' + number.fraction;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

// number * 10^decimals rounded half to even, digit by digit.
std::optional<qint64> scaledOf(const Decimal& number, int decimals) {
    QByteArray digits = number.whole + number.fraction.left(decimals);
    digits.append(QByteArray(qMax(0, decimals - int(number.fraction.size())), '0'));
    const QByteArray rest = number.fraction.mid(decimals);
    int firstSignificant = 0;
    while (firstSignificant < digits.size() && digits[firstSignificant] == '0') ++firstSignificant;
    digits = digits.mid(firstSignificant);
    if (digits.size() > 18) return std::nullopt;
    qint64 value = digits.isEmpty() ? 0 : digits.toLongLong();
    if (!rest.isEmpty()) {
        const char first = rest[0];
        const bool restBeyondHalf = rest.mid(1).count('0') != rest.size() - 1;
        if (first > '5' || (first == '5' && (restBeyondHalf || value % 2 == 1))) ++value;
    }
    return number.negative ? -value : value;
}

std::optional<Decimal> parse(NumberReading reading, const QString& text, const QString& sep) {
    const std::optional<Decimal> number =
        reading == NumberReading::Leading ? std::optional<Decimal>(parseLeading(text, pointOf(sep)))
                                          : parseWhole(text, pointOf(sep));
    if (!number || !valueOf(*number)) return std::nullopt;
    return number;
}

QString dcsText(int code, bool inverted) {
    return QStringLiteral("D") + QString::number(code, 8).rightJustified(3, QLatin1Char('0')) +
           (inverted ? QStringLiteral("I") : QStringLiteral("N"));
}

ToneWord dcsWord(int code, bool inverted) {
    return {static_cast<uint8_t>(code & 0xFF),
            static_cast<uint8_t>(((code >> 8) & tones::kDcsHighCodeBit) | tones::kDcsFlag |
                                 (inverted ? tones::kDcsInvertedFlag : 0))};
}

ToneWord ctcssWord(int tenths) {
    return {static_cast<uint8_t>(tenths & 0xFF),
            static_cast<uint8_t>((tenths >> 8) & tones::kCtcssHighMask)};
}

// "D" followed by the three code digits taken from characters 2..4 of the text: missing
// ones become 0, anything above "7" becomes 7, anything below "0" becomes 0.
int dcsCodeFromText(const QString& text) {
    int code = 0;
    for (int position = 1; position <= 3; ++position) {
        int digit = 0;
        if (position < text.size()) {
            const QChar c = text[position];
            digit = c > QLatin1Char('7') ? 7 : c < QLatin1Char('0') ? 0 : c.unicode() - '0';
        }
        code = code * 8 + digit;
    }
    return code;
}

bool dcsTextIsInverted(const QString& text) {
    return text.size() >= 5 && text[4] == QLatin1Char('I');
}

}  // namespace

// ---- Number readings ------------------------------------------------------------------

std::optional<double> LeadingNumber(const QString& text, const QString& decimalSeparator) {
    return valueOf(parseLeading(text, pointOf(decimalSeparator)));
}

std::optional<double> LocaleNumber(const QString& text, const QString& decimalSeparator) {
    const std::optional<Decimal> number = parseWhole(text, pointOf(decimalSeparator));
    if (!number) return std::nullopt;
    return valueOf(*number);
}

std::optional<double> ReadNumber(NumberReading reading, const QString& text,
                                 const QString& decimalSeparator) {
    return reading == NumberReading::Leading ? LeadingNumber(text, decimalSeparator)
                                             : LocaleNumber(text, decimalSeparator);
}

std::optional<qint64> ReadScaled(NumberReading reading, const QString& text,
                                 const QString& decimalSeparator, int decimals) {
    const std::optional<Decimal> number = parse(reading, text, decimalSeparator);
    if (!number) return std::nullopt;
    return scaledOf(*number, qMax(0, decimals));
}

// ---- Tone list and texts ----------------------------------------------------------------

QString ToneNoneText(bool english) {
    return english ? QStringLiteral("None") : QStringLiteral("无");
}

QString CtcssText(int tenths, const QString& decimalSeparator) {
    const QString sign = tenths < 0 ? QStringLiteral("-") : QString();
    const int magnitude = qAbs(tenths);
    return sign + QString::number(magnitude / 10) + decimalSeparator +
           QString::number(magnitude % 10);
}

QStringList ToneList(bool english, const QString& decimalSeparator) {
    QStringList list;
    list.reserve(tones::kListSize);
    list << ToneNoneText(english);
    for (const int tenths : tones::kCtcssTenths) list << CtcssText(tenths, decimalSeparator);
    for (const int code : tones::kDcsCodes) list << dcsText(code, false);
    for (const int code : tones::kDcsCodes) list << dcsText(code, true);
    return list;
}

QString ToneTextFromWord(ToneWord word, bool english, const QString& decimalSeparator) {
    if (word == tones::kNone) return ToneNoneText(english);
    if (word.high & tones::kDcsFlag) {
        const int code = ((word.high & tones::kDcsHighCodeBit) << 8) | word.low;
        return dcsText(code, word.high & tones::kDcsInvertedFlag);
    }
    const int tenths = (word.high & tones::kCtcssHighMask) * 256 + word.low;
    if (tenths >= tones::kCtcssShownLimit) return ToneNoneText(english);
    return CtcssText(tenths, decimalSeparator);
}

// ---- Typed and chosen tones -------------------------------------------------------------

ToneEntry ToneWordFromText(const QString& text, NumberReading reading,
                           const QString& decimalSeparator, ToneRules rules) {
    if (text == ToneNoneText(true) || text == ToneNoneText(false)) return {tones::kNone, text};

    if (text.startsWith(QLatin1Char('D'))) {
        const int code = dcsCodeFromText(text);
        const bool inverted = dcsTextIsInverted(text);
        return {dcsWord(code, inverted), dcsText(code, inverted)};
    }

    const int lowest =
        rules == ToneRules::CopyDialog ? tones::kCtcssLowestCopy : tones::kCtcssLowestTyped;
    int tenths = tones::kCtcssDefault;
    if (const std::optional<Decimal> number = parse(reading, text, decimalSeparator)) {
        const double hertz = *valueOf(*number);
        if (hertz < lowest / 10.0)
            tenths = tones::kCtcssDefault;
        else if (hertz > tones::kCtcssHighest / 10.0)
            tenths = tones::kCtcssHighest;
        else
            tenths = int(*scaledOf(*number, 1));
    }
    // The shown text reads back to the same tenths, so the word is formed from them.
    return {ctcssWord(tenths), CtcssText(tenths, decimalSeparator)};
}

std::optional<ToneWord> ToneWordFromListIndex(int index, const QString& entryText,
                                              const QString& decimalSeparator) {
    if (index == tones::kNoneIndex) return tones::kNone;
    if (index >= tones::kFirstCtcss && index < tones::kFirstDcsNormal) {
        const std::optional<qint64> tenths =
            ReadScaled(NumberReading::Leading, entryText, decimalSeparator, 1);
        // An entry text that is not a tone falls back to the tone of that list place.
        if (!tenths || *tenths < 0 || *tenths >= tones::kCtcssShownLimit)
            return ctcssWord(tones::kCtcssTenths[index - tones::kFirstCtcss]);
        return ctcssWord(int(*tenths));
    }
    if (index >= tones::kFirstDcsNormal && index < tones::kListSize)
        return dcsWord(dcsCodeFromText(entryText), index >= tones::kFirstDcsInverted);
    return std::nullopt;
}

ToneKey FilterToneKey(const QString& text, bool hasSelection, QChar key,
                      const QString& decimalSeparator, ToneRules rules) {
    constexpr QChar kEnter(13);
    constexpr QChar kBackspace(8);
    if (key == kEnter) return {ToneKey::Commit, key};
    if (rules == ToneRules::Standard && key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        key = key.toUpper();
    const bool allowed = isDigit(key) || key == kBackspace || key == pointOf(decimalSeparator) ||
                         key == QLatin1Char('D') || key == QLatin1Char('N') ||
                         key == QLatin1Char('I');
    if (!allowed) return {ToneKey::Drop, key};
    const bool full = text.size() > 4 && !hasSelection;
    if (full && (key != kBackspace || rules == ToneRules::CopyDialog)) return {ToneKey::Drop, key};
    return {ToneKey::Accept, key};
}
