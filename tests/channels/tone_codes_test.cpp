#include "channels/tone_codes.h"

#include <QTest>

#include "support/test_registry.h"

Q_DECLARE_METATYPE(NumberReading)
Q_DECLARE_METATYPE(ToneRules)
Q_DECLARE_METATYPE(ToneKey::Action)

namespace {
const QString kPoint = QStringLiteral(".");
const QString kComma = QStringLiteral(",");
}  // namespace

class NumberReadingTest : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("empty reads 0") << "" << kPoint << true << 0.0;
        QTest::newRow("decimal") << "462.55" << kPoint << true << 462.55;
        QTest::newRow("stops at a letter") << "100N" << kPoint << true << 100.0;
        QTest::newRow("spaces ignored") << " 4 6 2.5" << kPoint << true << 462.5;
        QTest::newRow("letter first reads 0") << "D23" << kPoint << true << 0.0;
        QTest::newRow("second point ends") << "1.2.3" << kPoint << true << 1.2;
        QTest::newRow("separator alone") << "." << kPoint << true << 0.0;
        QTest::newRow("sign") << "-5" << kPoint << true << -5.0;
        QTest::newRow("comma system keeps decimals") << "462,55" << kComma << true << 462.55;
        QTest::newRow("comma on point system") << "462,55" << kPoint << true << 462.0;
        QTest::newRow("point on comma system") << "462.55" << kComma << true << 462.0;
        QTest::newRow("erased frequency text") << "FF15.1515151515" << kPoint << true << 0.0;
        QTest::newRow("too large") << QString(400, QLatin1Char('9')) << kPoint << false << 0.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const std::optional<double> read = LeadingNumber(text, separator);
        QCOMPARE(read.has_value(), ok);
        if (ok) QCOMPARE(*read, value);
    }

    void localeNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("empty fails") << "" << kPoint << false << 0.0;
        QTest::newRow("decimal") << "462.55" << kPoint << true << 462.55;
        QTest::newRow("surrounding spaces") << " 462.55 " << kPoint << true << 462.55;
        QTest::newRow("trailing letter fails") << "100N" << kPoint << false << 0.0;
        QTest::newRow("separator alone fails") << "." << kPoint << false << 0.0;
        QTest::newRow("ends in separator") << "462." << kPoint << true << 462.0;
        QTest::newRow("starts with separator") << ".5" << kPoint << true << 0.5;
        QTest::newRow("two separators fail") << "1.2.3" << kPoint << false << 0.0;
        QTest::newRow("comma system") << "462,55" << kComma << true << 462.55;
        QTest::newRow("point on comma system fails") << "462.55" << kComma << false << 0.0;
        QTest::newRow("too large") << QString(400, QLatin1Char('9')) << kPoint << false << 0.0;
    }
    void localeNumber() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const std::optional<double> read = LocaleNumber(text, separator);
        QCOMPARE(read.has_value(), ok);
        if (ok) QCOMPARE(*read, value);
    }

    // Scaling rounds on the decimal digits, halves to the even neighbour.
    void scaledHalvesToEven_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("67.05 down to even") << "67.05" << 1 << qint64(670);
        QTest::newRow("67.15 up to even") << "67.15" << 1 << qint64(672);
        QTest::newRow("67.25 down to even") << "67.25" << 1 << qint64(672);
        QTest::newRow("just above half") << "67.250001" << 1 << qint64(673);
        QTest::newRow("67.04") << "67.04" << 1 << qint64(670);
        QTest::newRow("10 Hz steps") << "462.12345" << 5 << qint64(46212345);
        QTest::newRow("frequency half down") << "50.123445" << 5 << qint64(5012344);
        QTest::newRow("frequency half up") << "50.123455" << 5 << qint64(5012346);
        QTest::newRow("short fraction padded") << "462.55" << 5 << qint64(46255000);
        QTest::newRow("negative half") << "-0.15" << 1 << qint64(-2);
    }
    void scaledHalvesToEven() {
        QFETCH(QString, text);
        QFETCH(int, decimals);
        QFETCH(qint64, expected);
        QCOMPARE(ReadScaled(NumberReading::Leading, text, kPoint, decimals), expected);
        QCOMPARE(ReadScaled(NumberReading::Locale, text, kPoint, decimals), expected);
    }

    void scaledFailsBeyondEighteenDigits() {
        QVERIFY(!ReadScaled(NumberReading::Leading, QString(19, QLatin1Char('9')), kPoint, 0));
        QVERIFY(ReadScaled(NumberReading::Leading, QString(18, QLatin1Char('9')), kPoint, 0));
        QVERIFY(!ReadScaled(NumberReading::Locale, QStringLiteral("abc"), kPoint, 1));
    }
};
KORVA_TEST(NumberReadingTest);

class ToneListTest : public QObject {
    Q_OBJECT
private slots:
    void entries_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("none English") << true << kPoint << 0 << "None";
        QTest::newRow("none Chinese") << false << kPoint << 0 << "无";
        QTest::newRow("first CTCSS") << true << kPoint << 1 << "67.0";
        QTest::newRow("CTCSS comma") << true << kComma << 2 << "69,3";
        QTest::newRow("100 Hz") << true << kPoint << 13 << "100.0";
        QTest::newRow("last CTCSS") << true << kPoint << 50 << "254.1";
        QTest::newRow("first DCS") << true << kPoint << 51 << "D017N";
        QTest::newRow("D023N") << true << kPoint << 52 << "D023N";
        QTest::newRow("last normal DCS") << true << kPoint << 166 << "D765N";
        QTest::newRow("first inverted") << true << kPoint << 167 << "D017I";
        QTest::newRow("last inverted") << true << kPoint << 282 << "D765I";
    }
    void entries() {
        QFETCH(bool, english);
        QFETCH(QString, separator);
        QFETCH(int, index);
        QFETCH(QString, text);
        const QStringList list = ToneList(english, separator);
        QCOMPARE(list.size(), tones::kListSize);
        QCOMPARE(list.at(index), text);
    }

    void invertedEntriesMirrorNormalOnes() {
        const QStringList list = ToneList(true, kPoint);
        for (int k = 0; k < tones::kDcsCount; ++k) {
            QString normal = list.at(tones::kFirstDcsNormal + k);
            QString inverted = list.at(tones::kFirstDcsInverted + k);
            QVERIFY(normal.endsWith(QLatin1Char('N')));
            QCOMPARE(inverted, normal.chopped(1) + QLatin1Char('I'));
        }
    }

    // Every entry, chosen or typed, stores a word that shows as the entry again.
    void everyEntryRoundTrips_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("separator");
        QTest::newRow("English point") << true << kPoint;
        QTest::newRow("Chinese point") << false << kPoint;
        QTest::newRow("English comma") << true << kComma;
        QTest::newRow("Chinese comma") << false << kComma;
    }
    void everyEntryRoundTrips() {
        QFETCH(bool, english);
        QFETCH(QString, separator);
        const QStringList list = ToneList(english, separator);
        for (int index = 0; index < list.size(); ++index) {
            const QString& entry = list.at(index);
            const std::optional<ToneWord> chosen = ToneWordFromListIndex(index, entry, separator);
            QVERIFY2(chosen, qPrintable(entry));
            QCOMPARE(ToneTextFromWord(*chosen, english, separator), entry);
            for (NumberReading reading : {NumberReading::Leading, NumberReading::Locale}) {
                const ToneEntry typed = ToneWordFromText(entry, reading, separator);
                QCOMPARE(typed.text, entry);
                QVERIFY2(typed.word == *chosen, qPrintable(entry));
            }
        }
    }
};
KORVA_TEST(ToneListTest);

class ToneConversionTest : public QObject {
    Q_OBJECT
private slots:
    void textFromWord_data() {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("none English") << 0xFF << 0xFF << true << kPoint << "None";
        QTest::newRow("none Chinese") << 0xFF << 0xFF << false << kPoint << "无";
        QTest::newRow("zero") << 0x00 << 0x00 << true << kPoint << "0.0";
        QTest::newRow("67.0") << 0x9E << 0x02 << true << kPoint << "67.0";
        QTest::newRow("69.3 comma") << 0xB5 << 0x02 << true << kComma << "69,3";
        QTest::newRow("100.0") << 0xE8 << 0x03 << true << kPoint << "100.0";
        QTest::newRow("2543 shown") << 0xEF << 0x09 << true << kPoint << "254.3";
        QTest::newRow("2544 none") << 0xF0 << 0x09 << true << kPoint << "None";
        QTest::newRow("2559 none") << 0xFF << 0x09 << false << kPoint << "无";
        QTest::newRow("high 0x0A none") << 0xFF << 0x0A << true << kPoint << "None";
        QTest::newRow("CTCSS ignores bits 4 6 7") << 0x9E << 0xD2 << true << kPoint << "67.0";
        QTest::newRow("DCS normal") << 0x13 << 0x20 << true << kPoint << "D023N";
        QTest::newRow("DCS inverted") << 0x13 << 0xA0 << true << kPoint << "D023I";
        QTest::newRow("DCS ignores bits 1-4") << 0x13 << 0xA4 << true << kPoint << "D023I";
        QTest::newRow("DCS ninth bit") << 0xEC << 0x21 << true << kPoint << "D754N";
        QTest::newRow("DCS 000") << 0x00 << 0x20 << true << kPoint << "D000N";
    }
    void textFromWord() {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(bool, english);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QCOMPARE(ToneTextFromWord({uint8_t(low), uint8_t(high)}, english, separator), text);
    }

    void wordFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<NumberReading>("reading");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<ToneRules>("rules");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("shown");
        const auto lead = NumberReading::Leading;
        const auto locale = NumberReading::Locale;
        const auto standard = ToneRules::Standard;
        const auto copy = ToneRules::CopyDialog;
        // none, in either language whatever the language in force
        QTest::newRow("None") << "None" << lead << kPoint << standard << 0xFF << 0xFF << "None";
        QTest::newRow("无") << "无" << locale << kPoint << standard << 0xFF << 0xFF << "无";
        QTest::newRow("none lower case is CTCSS")
            << "none" << lead << kPoint << standard << 0x9E << 0x02 << "67.0";
        // DCS: positions fill on the right, digits clamp to 0..7
        QTest::newRow("D23") << "D23" << lead << kPoint << standard << 0x98 << 0x20 << "D230N";
        QTest::newRow("D8") << "D8" << lead << kPoint << standard << 0xC0 << 0x21 << "D700N";
        QTest::newRow("D alone") << "D" << lead << kPoint << standard << 0x00 << 0x20 << "D000N";
        QTest::newRow("D0.3") << "D0.3" << locale << kPoint << standard << 0x03 << 0x20 << "D003N";
        QTest::newRow("D023I") << "D023I" << lead << kPoint << standard << 0x13 << 0xA0 << "D023I";
        QTest::newRow("D0234") << "D0234" << lead << kPoint << standard << 0x13 << 0x20 << "D023N";
        QTest::newRow("D023i") << "D023i" << lead << kPoint << standard << 0x13 << 0x20 << "D023N";
        QTest::newRow("D754N") << "D754N" << lead << kPoint << standard << 0xEC << 0x21 << "D754N";
        QTest::newRow("extra dropped")
            << "D023IXX" << lead << kPoint << standard << 0x13 << 0xA0 << "D023I";
        QTest::newRow("D89 copy") << "D89" << lead << kPoint << copy << 0xF8 << 0x21 << "D770N";
        // CTCSS
        QTest::newRow("67") << "67" << lead << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("67.0") << "67.0" << locale << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("67.04") << "67.04" << lead << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("67.05 to even")
            << "67.05" << lead << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("67.15 to even")
            << "67.15" << lead << kPoint << standard << 0xA0 << 0x02 << "67.2";
        QTest::newRow("5") << "5" << lead << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("0") << "0" << locale << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("19.9") << "19.9" << lead << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("20") << "20" << lead << kPoint << standard << 0xC8 << 0x00 << "20.0";
        QTest::newRow("300") << "300" << lead << kPoint << standard << 0xED << 0x09 << "254.1";
        QTest::newRow("254.1") << "254.1" << lead << kPoint << standard << 0xED << 0x09 << "254.1";
        QTest::newRow("254.15") << "254.15" << lead << kPoint << standard << 0xED << 0x09
                                << "254.1";
        QTest::newRow("250 not listed")
            << "250" << lead << kPoint << standard << 0xC4 << 0x09 << "250.0";
        QTest::newRow("88.8 not listed")
            << "88.8" << locale << kPoint << standard << 0x78 << 0x03 << "88.8";
        QTest::newRow("grid empty") << "" << lead << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("grid 100N")
            << "100N" << lead << kPoint << standard << 0xE8 << 0x03 << "100.0";
        QTest::newRow("editor empty")
            << "" << locale << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("editor 100N")
            << "100N" << locale << kPoint << standard << 0x9E << 0x02 << "67.0";
        QTest::newRow("huge") << QString(400, QLatin1Char('9')) << lead << kPoint << standard
                              << 0x9E << 0x02 << "67.0";
        // Comma systems keep the tenths with either reading
        QTest::newRow("grid 69,3")
            << "69,3" << lead << kComma << standard << 0xB5 << 0x02 << "69,3";
        QTest::newRow("editor 69,3")
            << "69,3" << locale << kComma << standard << 0xB5 << 0x02 << "69,3";
        QTest::newRow("grid 69.3 on comma")
            << "69.3" << lead << kComma << standard << 0xB2 << 0x02 << "69,0";
        QTest::newRow("editor 69.3 on comma")
            << "69.3" << locale << kComma << standard << 0x9E << 0x02 << "67,0";
        QTest::newRow("300 comma")
            << "300" << locale << kComma << standard << 0xED << 0x09 << "254,1";
        // QT/DQT copy: the lowest typed tone is 67 Hz
        QTest::newRow("copy 88.5") << "88.5" << lead << kPoint << copy << 0x75 << 0x03 << "88.5";
        QTest::newRow("copy 60") << "60" << lead << kPoint << copy << 0x9E << 0x02 << "67.0";
        QTest::newRow("copy 20") << "20" << lead << kPoint << copy << 0x9E << 0x02 << "67.0";
        QTest::newRow("copy 67") << "67" << lead << kPoint << copy << 0x9E << 0x02 << "67.0";
        QTest::newRow("copy 300") << "300" << lead << kComma << copy << 0xED << 0x09 << "254,1";
    }
    void wordFromText() {
        QFETCH(QString, text);
        QFETCH(NumberReading, reading);
        QFETCH(QString, separator);
        QFETCH(ToneRules, rules);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, shown);
        const ToneEntry entry = ToneWordFromText(text, reading, separator, rules);
        QCOMPARE(entry.text, shown);
        QCOMPARE(int(entry.word.low), low);
        QCOMPARE(int(entry.word.high), high);
    }

    void wordFromListIndex_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("none") << 0 << "None" << kPoint << true << 0xFF << 0xFF;
        QTest::newRow("none Chinese") << 0 << "无" << kPoint << true << 0xFF << 0xFF;
        QTest::newRow("67.0") << 1 << "67.0" << kPoint << true << 0x9E << 0x02;
        QTest::newRow("69,3 keeps tenths") << 2 << "69,3" << kComma << true << 0xB5 << 0x02;
        QTest::newRow("254.1") << 50 << "254.1" << kPoint << true << 0xED << 0x09;
        QTest::newRow("D017N") << 51 << "D017N" << kPoint << true << 0x0F << 0x20;
        QTest::newRow("D017I") << 167 << "D017I" << kPoint << true << 0x0F << 0xA0;
        QTest::newRow("D765I") << 282 << "D765I" << kPoint << true << 0xF5 << 0xA1;
        QTest::newRow("no selection") << -1 << "" << kPoint << false << 0 << 0;
        QTest::newRow("past the end") << 283 << "D765I" << kPoint << false << 0 << 0;
    }
    void wordFromListIndex() {
        QFETCH(int, index);
        QFETCH(QString, entry);
        QFETCH(QString, separator);
        QFETCH(bool, ok);
        QFETCH(int, low);
        QFETCH(int, high);
        const std::optional<ToneWord> word = ToneWordFromListIndex(index, entry, separator);
        QCOMPARE(word.has_value(), ok);
        if (!ok) return;
        QCOMPARE(int(word->low), low);
        QCOMPARE(int(word->high), high);
    }
};
KORVA_TEST(ToneConversionTest);

class ToneKeyTest : public QObject {
    Q_OBJECT
private slots:
    void filter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<ToneRules>("rules");
        QTest::addColumn<ToneKey::Action>("action");
        QTest::addColumn<QChar>("result");
        const auto standard = ToneRules::Standard;
        const auto copy = ToneRules::CopyDialog;
        const QChar enter(13), backspace(8);
        QTest::newRow("Enter commits")
            << "67" << false << enter << kPoint << standard << ToneKey::Commit << enter;
        QTest::newRow("digit") << "" << false << QChar('5') << kPoint << standard << ToneKey::Accept
                               << QChar('5');
        QTest::newRow("d upper-cased")
            << "" << false << QChar('d') << kPoint << standard << ToneKey::Accept << QChar('D');
        QTest::newRow("i upper-cased")
            << "D023" << false << QChar('i') << kPoint << standard << ToneKey::Accept << QChar('I');
        QTest::newRow("a upper-cased then dropped")
            << "" << false << QChar('a') << kPoint << standard << ToneKey::Drop << QChar('A');
        QTest::newRow("other sign")
            << "" << false << QChar('-') << kPoint << standard << ToneKey::Drop << QChar('-');
        QTest::newRow("point") << "67" << false << QChar('.') << kPoint << standard
                               << ToneKey::Accept << QChar('.');
        QTest::newRow("second point not refused")
            << "67.0" << false << QChar('.') << kPoint << standard << ToneKey::Accept << QChar('.');
        QTest::newRow("comma on point system")
            << "67" << false << QChar(',') << kPoint << standard << ToneKey::Drop << QChar(',');
        QTest::newRow("comma on comma system")
            << "67" << false << QChar(',') << kComma << standard << ToneKey::Accept << QChar(',');
        QTest::newRow("fifth character")
            << "D023" << false << QChar('I') << kPoint << standard << ToneKey::Accept << QChar('I');
        QTest::newRow("sixth dropped")
            << "D023I" << false << QChar('5') << kPoint << standard << ToneKey::Drop << QChar('5');
        QTest::newRow("backspace when full")
            << "D023I" << false << backspace << kPoint << standard << ToneKey::Accept << backspace;
        QTest::newRow("full but selected")
            << "D023I" << true << QChar('5') << kPoint << standard << ToneKey::Accept << QChar('5');
        QTest::newRow("Enter when full")
            << "D023I" << false << enter << kPoint << standard << ToneKey::Commit << enter;
        QTest::newRow("copy: d not upper-cased")
            << "" << false << QChar('d') << kPoint << copy << ToneKey::Drop << QChar('d');
        QTest::newRow("copy: D") << "" << false << QChar('D') << kPoint << copy << ToneKey::Accept
                                 << QChar('D');
        QTest::newRow("copy: backspace when full")
            << "D023I" << false << backspace << kPoint << copy << ToneKey::Drop << backspace;
        QTest::newRow("copy: backspace with selection")
            << "D023I" << true << backspace << kPoint << copy << ToneKey::Accept << backspace;
        QTest::newRow("copy: Enter")
            << "D023I" << false << enter << kPoint << copy << ToneKey::Commit << enter;
    }
    void filter() {
        QFETCH(QString, text);
        QFETCH(bool, selected);
        QFETCH(QChar, key);
        QFETCH(QString, separator);
        QFETCH(ToneRules, rules);
        QFETCH(ToneKey::Action, action);
        QFETCH(QChar, result);
        const ToneKey filtered = FilterToneKey(text, selected, key, separator, rules);
        QCOMPARE(filtered.action, action);
        if (action != ToneKey::Drop) QCOMPARE(filtered.key, result);
    }
};
KORVA_TEST(ToneKeyTest);

#include "tone_codes_test.moc"
