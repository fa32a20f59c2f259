#include "core/value_helpers.h"

#include <QTest>

#include "core/global_state.h"
#include "support/doubles.h"
#include "support/test_registry.h"

class ValueHelpersTest : public QObject {
    Q_OBJECT
private slots:
    void keystrokeFilter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selection");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("result");
        const int rejected = key_code::kRejected;
        QTest::newRow("second point") << "136.125" << 0 << int('.') << "." << rejected;
        QTest::newRow("digit after point") << "136.125" << 0 << int('0') << "." << int('0');
        QTest::newRow("first point") << "136" << 0 << int('.') << "." << int('.');
        QTest::newRow("comma on a point system") << "136" << 0 << int(',') << "." << rejected;
        QTest::newRow("first comma") << "462" << 0 << int(',') << "," << int(',');
        QTest::newRow("second comma") << "462,5" << 0 << int(',') << "," << rejected;
        QTest::newRow("point on a comma system") << "462" << 0 << int('.') << "," << rejected;
        QTest::newRow("full field") << "136.12500" << 0 << int('5') << "." << rejected;
        QTest::newRow("full field, backspace")
            << "136.12500" << 0 << key_code::kBackspace << "." << key_code::kBackspace;
        QTest::newRow("full field, Enter")
            << "136.12500" << 0 << key_code::kEnter << "." << key_code::kEnter;
        QTest::newRow("full field, all selected")
            << "136.12500" << 9 << int('5') << "." << int('5');
        QTest::newRow("longer than full") << "136.125000" << 0 << int('5') << "." << rejected;
        QTest::newRow("lower-case letter") << "" << 0 << int('a') << "." << rejected;
        QTest::newRow("upper-case letter") << "" << 0 << int('A') << "." << rejected;
        QTest::newRow("minus") << "" << 0 << int('-') << "." << rejected;
        QTest::newRow("space") << "1" << 0 << int(' ') << "." << rejected;
        QTest::newRow("non-ASCII digit") << "1" << 0 << 0x0663 << "." << rejected;
        QTest::newRow("empty field, digit") << "" << 0 << int('4') << "." << int('4');
    }
    void keystrokeFilter() {
        QFETCH(QString, text);
        QFETCH(int, selection);
        QFETCH(int, key);
        QFETCH(QString, separator);
        QFETCH(int, result);
        QCOMPARE(filterKeystroke(text, selection, key, key_kind::kFrequency, separator), result);
    }

    void unknownKindRejectsEverything() {
        QVERIFY(!keyKindRow(2));
        QCOMPARE(filterKeystroke("", 0, '1', 2, "."), key_code::kRejected);
        QCOMPARE(filterKeystroke("", 0, key_code::kBackspace, 0, "."), key_code::kRejected);
    }

    void standardLists_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("spacing, English, point")
            << spacingList(true, ".") << QStringList{"12.5K(Narrow)", "25K(Wide)"};
        QTest::newRow("spacing, English, comma")
            << spacingList(true, ",") << QStringList{"12,5K(Narrow)", "25K(Wide)"};
        QTest::newRow("spacing, Chinese, comma")
            << spacingList(false, ",") << QStringList{"12,5K(窄带)", "25K(宽带)"};
        QTest::newRow("busy lock, English")
            << busyLockList(true) << QStringList{"None", "Carrier", "QT/DQT"};
        QTest::newRow("busy lock, Chinese")
            << busyLockList(false) << QStringList{"关", "载波", "QT/DQT"};
        QTest::newRow("scan add, English") << scanAddList(true) << QStringList{"Add", "Delete"};
        QTest::newRow("scan add, Chinese") << scanAddList(false) << QStringList{"添加", "删除"};
        QTest::newRow("power, English") << powerList(true) << QStringList{"Low", "High"};
        QTest::newRow("power, Chinese") << powerList(false) << QStringList{"低", "高"};
        QTest::newRow("numbers") << numberList()
                                 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"};
    }
    void standardLists() {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        QCOMPARE(entries, expected);
    }

    void bitMask_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("result");
        QTest::newRow("1, 0") << 1 << 0 << 0x01;
        QTest::newRow("1, 7") << 1 << 7 << 0x80;
        QTest::newRow("1, 8") << 1 << 8 << 0x00;
        QTest::newRow("1, 20") << 1 << 20 << 0x00;
        QTest::newRow("0xAB, 0") << 0xAB << 0 << 0xAB;
        QTest::newRow("3, 4") << 3 << 4 << 0x30;
    }
    void bitMask() {
        QFETCH(int, value);
        QFETCH(int, n);
        QFETCH(int, result);
        QCOMPARE(int(::bitMask(uint8_t(value), n)), result);
    }

    void bcdPack_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("result");
        QTest::newRow("0") << 0 << 0x00;
        QTest::newRow("5") << 5 << 0x05;
        QTest::newRow("10") << 10 << 0x10;
        QTest::newRow("47") << 47 << 0x47;
        QTest::newRow("99") << 99 << 0x99;
    }
    void bcdPack() {
        QFETCH(int, value);
        QFETCH(int, result);
        QCOMPARE(int(::bcdPack(value)), result);
    }

    void helpLocations() {
        QCOMPARE(helpFilePath("/opt/korva", true), QStringLiteral("/opt/korva/KORVA-77_e.chm"));
        QCOMPARE(helpFilePath("/opt/korva", false), QStringLiteral("/opt/korva/KORVA-77_c.chm"));
        QCOMPARE(helpTopicLocation("/opt/korva/KORVA-77_e.chm", help_topic::kChannelEdit),
                 QStringLiteral("/opt/korva/KORVA-77_e.chm::/HTML/chEdit.htm"));
    }

    // The viewer gets the help file the main window set, else that of the language in force.
    void openHelpTopicUsesTheLanguagesFile() {
        ScopedDoubles doubles;
        GlobalState state;
        state.AppFolder = QStringLiteral("/opt/korva");
        state.EnglishMode = false;
        openHelpTopic(state, help_topic::kFunctionSetup);
        state.HelpFilePath = QStringLiteral("/elsewhere/KORVA-77_e.chm");
        openHelpTopic(state, help_topic::kKeyAssignment);
        QCOMPARE(doubles.help.topics,
                 QStringList({"/opt/korva/KORVA-77_c.chm::/HTML/optfeatures.htm",
                              "/elsewhere/KORVA-77_e.chm::/HTML/keyassign.htm"}));
    }
};
KORVA_TEST(ValueHelpersTest);

#include "value_helpers_test.moc"
