#include "functions/key_assignment.h"

#include <QTest>

#include "support/test_registry.h"

class KeyAssignmentTest : public QObject {
    Q_OBJECT
private slots:
    void showsEachKeysFunction_data() {
        QTest::addColumn<int>("assignment");
        QTest::addColumn<int>("pf1");
        QTest::addColumn<int>("pf2");
        QTest::newRow("0x21 Monitor / Scan")
            << 0x21 << int(KeyFunction::Monitor) << int(KeyFunction::Scan);
        QTest::newRow("0x9F both unknown") << 0x9F << 0 << 0;
        QTest::newRow("0x66 last function")
            << 0x66 << int(KeyFunction::TalkAround) << int(KeyFunction::TalkAround);
        QTest::newRow("0x77 first unknown") << 0x77 << 0 << 0;
        QTest::newRow("0x74 PF2 unknown only") << 0x74 << int(KeyFunction::Alarm) << 0;
    }
    void showsEachKeysFunction() {
        QFETCH(int, assignment);
        QTEST(keyFunctionEntry(static_cast<uint8_t>(assignment), keys::kPf1), "pf1");
        QTEST(keyFunctionEntry(static_cast<uint8_t>(assignment), keys::kPf2), "pf2");
    }

    void assignsAFunctionToOneKey_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("after");
        QTest::newRow("Alarm on PF1 keeps PF2's unknown 9")
            << 0x9F << keys::kPf1 << int(KeyFunction::Alarm) << 0x94;
        QTest::newRow("Talk Around on PF2")
            << 0x03 << keys::kPf2 << int(KeyFunction::TalkAround) << 0x63;
        QTest::newRow("None on PF2") << 0x9F << keys::kPf2 << int(KeyFunction::None) << 0x0F;
        QTest::newRow("hidden long-press list uses PF2's nibble")
            << 0x01 << 3 << int(KeyFunction::Power) << 0x51;
        QTest::newRow("no selection") << 0x21 << keys::kPf1 << -1 << 0x21;
        QTest::newRow("past the list") << 0x21 << keys::kPf2 << kKeyFunctionCount << 0x21;
    }
    void assignsAFunctionToOneKey() {
        QFETCH(int, before);
        QFETCH(int, key);
        QFETCH(int, function);
        QTEST(int(withKeyFunction(static_cast<uint8_t>(before), key, function)), "after");
    }

    void functionTexts() {
        QCOMPARE(keyFunctionTexts(true), QStringList({"None", "Monitor", "Scan", "Scramble",
                                                      "Alarm", "Power", "Talk Around"}));
        QCOMPARE(keyFunctionTexts(false),
                 QStringList({"无", "监听", "扫描", "扰频器", "报警", "发射功率", "脱网"}));
    }
};
KORVA_TEST(KeyAssignmentTest);

#include "key_assignment_test.moc"
