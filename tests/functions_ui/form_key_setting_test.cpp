#include "functions/ui/form_key_setting.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "functions/key_assignment.h"
#include "functions/ui/form_option.h"
#include "support/recording_workbench.h"
#include "support/doubles.h"
#include "support/test_registry.h"
#include "ui_helpers.h"

namespace {

QComboBox* keyList(QWidget* page, int index) {
    return page->findChild<QComboBox*>(QStringLiteral("ComboKeySet%1").arg(index));
}

QStringList entries(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

}  // namespace

class FormKeySettingTest : public QObject {
    Q_OBJECT
private slots:
    void textsInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("functions");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("English") << true << "Key Setting"
                                 << QStringList{"None",  "Monitor", "Scan",       "Scramble",
                                                "Alarm", "Power",   "Talk Around"}
                                 << QStringList{"&Close", "&Help"};
        QTest::newRow("Chinese") << false << "键设定"
                                 << QStringList{"无",   "监听",     "扫描", "扰频器",
                                                "报警", "发射功率", "脱网"}
                                 << QStringList{"关闭(&C)", "帮助(&H)"};
    }
    void textsInBothLanguages() {
        QFETCH(bool, english);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        globalState().EnglishMode = english;
        FormKeySetting page;

        QTEST(page.windowTitle(), "caption");
        for (int index : {0, 1}) {
            QVERIFY(keyList(&page, index));
            QVERIFY(!keyList(&page, index)->isEditable());
            QTEST(entries(keyList(&page, index)), "functions");
        }
        QStringList labels;
        for (QLabel* label : page.findChildren<QLabel*>()) labels << label->text();
        labels.sort();
        QCOMPARE(labels, QStringList({"PF1", "PF2"}));
        QTEST((QStringList{page.findChild<QPushButton*>("CommandClose")->text(),
                           page.findChild<QPushButton*>("CommandHelp")->text()}),
              "buttons");
        QCOMPARE(page.size(), QSize(425, 193));
        QCOMPARE(bench.appended, (QList<QPair<int, QString>>{{1002, page.windowTitle()}}));
        QVERIFY(globalState().KeyPageOpen);
    }

    void showsEachKeyWithoutWriting_data() {
        QTest::addColumn<int>("assignment");
        QTest::addColumn<QString>("pf1");
        QTest::addColumn<QString>("pf2");
        QTest::newRow("0x21") << 0x21 << "Monitor"
                              << "Scan";
        QTest::newRow("0x9F") << 0x9F << "None"
                              << "None";
        QTest::newRow("0x65") << 0x65 << "Power"
                              << "Talk Around";
    }
    void showsEachKeyWithoutWriting() {
        QFETCH(int, assignment);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        globalState().EnglishMode = true;
        ImageBytes& image = globalState().RadioImage;
        image.fill(0xEE);
        FormKeySetting page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(keyList(&page, 0)->currentIndex(), 0);  // 0xE: unknown, shown as None

        // As after a read from the radio while the page is open.
        image[keys::kAssignment] = static_cast<uint8_t>(assignment);
        const ImageBytes read = image;
        page.AnalyseKeySetting();
        QTEST(keyList(&page, 0)->currentText(), "pf1");
        QTEST(keyList(&page, 1)->currentText(), "pf2");
        QCOMPARE(image, read);
    }

    void choiceWritesAtOnce_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keyboard");  // Down arrow instead of a mouse choice
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("after");
        QTest::newRow("Alarm on PF1 keeps PF2's unknown value")
            << 0x9F << 0 << false << int(KeyFunction::Alarm) << 0x94;
        QTest::newRow("Talk Around on PF2")
            << 0x03 << 1 << false << int(KeyFunction::TalkAround) << 0x63;
        QTest::newRow("None on PF2 by mouse") << 0x21 << 1 << false << 0 << 0x01;
        QTest::newRow("PF1 next by keyboard") << 0x21 << 0 << true << 0 << 0x22;
        QTest::newRow("PF2 from unknown by keyboard") << 0x93 << 1 << true << 0 << 0x13;
    }
    void choiceWritesAtOnce() {
        QFETCH(int, before);
        QFETCH(int, key);
        QFETCH(bool, keyboard);
        QFETCH(int, entry);
        QFETCH(int, after);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        ImageBytes& image = globalState().RadioImage;
        image.fill(0x44);
        image[keys::kAssignment] = static_cast<uint8_t>(before);
        FormKeySetting page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        ImageBytes expected = image;
        expected[keys::kAssignment] = static_cast<uint8_t>(after);

        QComboBox* list = keyList(&page, key);
        if (keyboard) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
        } else {
            QVERIFY(chooseWithMouse(list, entry));
        }
        QCOMPARE(image, expected);
    }

    void helpFromButtonAndF1() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        FormKeySetting page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QTest::mouseClick(page.findChild<QPushButton*>("CommandHelp"), Qt::LeftButton);
        keyList(&page, 1)->setFocus();
        QTest::keyClick(keyList(&page, 1), Qt::Key_F1);
        QCOMPARE(bench.helpTopics, QStringList({"keyassign.htm", "keyassign.htm"}));
    }

    // Both pages in the main window's MDI area: the Window-menu tick follows the active
    // page, and Close removes only its own page, frame, entry and flag.
    void pageProtocolInsideTheMainWindow() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        QMdiArea area;
        area.resize(900, 600);
        area.show();
        area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        QPointer<FormOption> option = new FormOption;
        QPointer<QMdiSubWindow> optionFrame = area.addSubWindow(option);
        optionFrame->show();
        QPointer<FormKeySetting> key = new FormKeySetting;
        QPointer<QMdiSubWindow> keyFrame = area.addSubWindow(key);
        keyFrame->show();
        QTRY_COMPARE(bench.checked.value(bench.checked.size() - 1), 1002);
        area.setActiveSubWindow(optionFrame);
        QTRY_COMPARE(bench.checked.value(bench.checked.size() - 1), 1001);
        area.setActiveSubWindow(keyFrame);
        QTRY_COMPARE(bench.checked.value(bench.checked.size() - 1), 1002);

        QTest::mouseClick(key->findChild<QPushButton*>("CommandClose"), Qt::LeftButton);
        QTRY_VERIFY(!keyFrame);
        QVERIFY(!key);
        QCOMPARE(area.subWindowList(), QList<QMdiSubWindow*>{optionFrame});
        QVERIFY(!globalState().KeyPageOpen);
        QVERIFY(globalState().OptionPageOpen);
        QCOMPARE(bench.removed, QList<int>{1002});

        QTest::mouseClick(option->findChild<QPushButton*>("CommandClose"), Qt::LeftButton);
        QTRY_VERIFY(!optionFrame);
        QVERIFY(area.subWindowList().isEmpty());
        QVERIFY(!globalState().OptionPageOpen);
        QCOMPARE(bench.removed, (QList<int>{1002, 1001}));
    }

    // With KORVA_SCREENSHOT_DIR set, saves the page in its frame in both languages.
    void screenshots() {
        if (qEnvironmentVariableIsEmpty("KORVA_SCREENSHOT_DIR"))
            QSKIP("set KORVA_SCREENSHOT_DIR to save screenshots");
        for (bool english : {true, false}) {
            ScopedDoubles doubles;
            RecordingWorkbench bench;
            globalState().EnglishMode = english;
            globalState().RadioImage[keys::kAssignment] = 0x61;
            QMdiArea area;
            area.resize(480, 260);
            QMdiSubWindow* frame = area.addSubWindow(new FormKeySetting);
            frame->move(10, 10);
            area.show();
            QVERIFY(QTest::qWaitForWindowExposed(&area));
            QVERIFY(grabWhenAsked(&area, english ? "key_setting_en" : "key_setting_zh"));
        }
    }
};
KORVA_TEST(FormKeySettingTest);

#include "form_key_setting_test.moc"
