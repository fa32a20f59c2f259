#include "functions/ui/form_option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "functions/function_setup.h"
#include "support/recording_workbench.h"
#include "support/doubles.h"
#include "support/test_registry.h"
#include "ui_helpers.h"

using namespace option;

namespace {

QStringList entries(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

// Function bytes all in range, with every check box ticked but hopping.
void putInRangeValues(ImageBytes& image) {
    image[kFeatures] = 0x7F;
    image[kTimeOutTimer] = 40;
    image[kTimeOutWarning] = 7;
    image[kSquelchLevel] = 2;
    image[kVox] = 0x12;
    image[kInfraredBank] = 0x42;
    image[kInfraredHundreds] = 3;
    image[kInfraredTensUnits] = 0x45;
}

}  // namespace

class FormOptionTest : public QObject {
    Q_OBJECT

    template <typename T>
    static T* child(QWidget* page, const char* name) {
        T* widget = page->findChild<T*>(QString::fromLatin1(name));
        if (!widget) qFatal("no control %s", name);
        return widget;
    }

private slots:
    void textsInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("labels");  // TOT, warning, squelch, voice
        QTest::addColumn<QStringList>("checks");  // save, scramble, beep, Roger, hopping
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("off");
        QTest::addColumn<QStringList>("voice");
        QTest::newRow("English") << true << "Function Setup"
                                 << QStringList{"Time Out Timer(TOT)[s]", "TOT Warning Time[s]",
                                                "Squelch Level", "Voice Prompt"}
                                 << QStringList{"Battry Save", "Scramble Enable", "Beep Enable",
                                                "Roger", "Freq Hopping"}
                                 << QStringList{"&Close", "&Help"} << "Off"
                                 << QStringList{"Off", "Chinese", "English"};
        QTest::newRow("Chinese") << false << "功能设定"
                                 << QStringList{"超时定时器(TOT)[秒]", "超时定时器预警[秒]",
                                                "静噪等级", "提示音"}
                                 << QStringList{"省电", "扰频激活", "哔音使能", "发射结束提示音",
                                                "跳频"}
                                 << QStringList{"关闭(&C)", "帮助(&H)"} << "关"
                                 << QStringList{"关", "中文", "英文"};
    }
    void textsInBothLanguages() {
        QFETCH(bool, english);
        QFETCH(QString, off);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        globalState().EnglishMode = english;
        FormOption page;

        QTEST(page.windowTitle(), "caption");
        QTEST((QStringList{child<QLabel>(&page, "LabelTOT")->text(),
                           child<QLabel>(&page, "LabelTOTWarning")->text(),
                           child<QLabel>(&page, "LabelSQ")->text(),
                           child<QLabel>(&page, "LabelVoice")->text()}),
              "labels");
        QTEST((QStringList{child<QCheckBox>(&page, "CheckSave")->text(),
                           child<QCheckBox>(&page, "CheckScramble")->text(),
                           child<QCheckBox>(&page, "CheckBeep")->text(),
                           child<QCheckBox>(&page, "CheckRoger")->text(),
                           child<QCheckBox>(&page, "CheckFreqHopping")->text()}),
              "checks");
        QTEST((QStringList{child<QPushButton>(&page, "CommandClose")->text(),
                           child<QPushButton>(&page, "CommandHelp")->text()}),
              "buttons");

        const QStringList timer = entries(child<QComboBox>(&page, "ComboTOT"));
        QCOMPARE(timer.size(), 41);
        QCOMPARE(timer.first(), off);
        QCOMPARE(timer.at(1), QStringLiteral("15"));
        QCOMPARE(timer.last(), QStringLiteral("600"));
        const QStringList warning = entries(child<QComboBox>(&page, "ComboTOTWarning"));
        QCOMPARE(warning.size(), 11);
        QCOMPARE(warning.first(), off);
        QCOMPARE(warning.last(), QStringLiteral("10"));
        QCOMPARE(entries(child<QComboBox>(&page, "ComboSQ")),
                 QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QTEST(entries(child<QComboBox>(&page, "ComboVoice")), "voice");
        for (QComboBox* combo : page.findChildren<QComboBox*>()) QVERIFY(!combo->isEditable());

        QCOMPARE(page.size(), QSize(615, 241));
        QCOMPARE(bench.appended, (QList<QPair<int, QString>>{{1001, page.windowTitle()}}));
        QVERIFY(globalState().OptionPageOpen);
    }

    // Loading a blank image shows the default entries; the image changes exactly by the
    // corrections, and nothing else is written back by filling the controls.
    void loadWritesOnlyTheCorrections() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        ImageBytes& image = globalState().RadioImage;
        image.fill(0xFF);
        ImageBytes expected = image;
        expected[kTimeOutTimer] = 12;
        expected[kTimeOutWarning] = 0;
        expected[kSquelchLevel] = 3;
        expected[kVox] = 0x35;
        expected[kInfraredBank] = 0x00;
        expected[kInfraredHundreds] = 1;
        expected[kInfraredTensUnits] = 0x11;

        FormOption page;
        QCOMPARE(image, expected);
        QCOMPARE(child<QComboBox>(&page, "ComboTOT")->currentIndex(), 12);
        QCOMPARE(child<QComboBox>(&page, "ComboTOTWarning")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(&page, "ComboSQ")->currentIndex(), 3);
        QCOMPARE(child<QComboBox>(&page, "ComboVoice")->currentIndex(), 1);
        for (QCheckBox* check : page.findChildren<QCheckBox*>()) QVERIFY(check->isChecked());
    }

    // A refresh after a read while the page is open selects the new entries and writes
    // nothing, not even through the change handlers of the controls it moves.
    void refreshAfterReadWritesNothing() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        globalState().RadioImage[kFeatures] = 0x04;  // voice code 01
        FormOption page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        ImageBytes& image = globalState().RadioImage;
        image.fill(0x33);
        putInRangeValues(image);
        const ImageBytes read = image;
        page.AnalyseOption();
        QCOMPARE(image, read);
        QCOMPARE(child<QComboBox>(&page, "ComboTOT")->currentText(), QStringLiteral("600"));
        QCOMPARE(child<QComboBox>(&page, "ComboTOTWarning")->currentIndex(), 7);
        QCOMPARE(child<QComboBox>(&page, "ComboSQ")->currentIndex(), 2);
        QCOMPARE(child<QComboBox>(&page, "ComboVoice")->currentIndex(), 1);
        QVERIFY(child<QCheckBox>(&page, "CheckRoger")->isChecked());
        QVERIFY(!child<QCheckBox>(&page, "CheckFreqHopping")->isChecked());

        image[kFeatures] = 0x84;  // voice code 01 again: shown as Off and kept
        page.AnalyseOption();
        QCOMPARE(child<QComboBox>(&page, "ComboVoice")->currentIndex(), 0);
        QCOMPARE(int(image[kFeatures]), 0x84);
        QVERIFY(child<QCheckBox>(&page, "CheckFreqHopping")->isChecked());
    }

    void choiceInAListWritesAtOnce_data() {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<bool>("keyboard");  // Down arrow instead of a mouse choice
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("timer 600 s by mouse")
            << "ComboTOT" << false << 40 << kTimeOutTimer << 2 << 40;
        QTest::newRow("timer off by mouse") << "ComboTOT" << false << 0 << kTimeOutTimer << 2 << 0;
        QTest::newRow("warning by mouse")
            << "ComboTOTWarning" << false << 10 << kTimeOutWarning << 0 << 10;
        QTest::newRow("squelch by keyboard") << "ComboSQ" << true << 0 << kSquelchLevel << 3 << 4;
        QTest::newRow("English on Chinese clears bit 2")
            << "ComboVoice" << false << 2 << kFeatures << 0xFF << 0xFB;
        QTest::newRow("Off on unused code 01")
            << "ComboVoice" << false << 0 << kFeatures << 0x04 << 0x00;
        QTest::newRow("voice by keyboard, Off to Chinese")
            << "ComboVoice" << true << 0 << kFeatures << 0xF3 << 0xFF;
    }
    void choiceInAListWritesAtOnce() {
        QFETCH(QString, combo);
        QFETCH(bool, keyboard);
        QFETCH(int, entry);
        QFETCH(int, offset);
        QFETCH(int, before);
        QFETCH(int, after);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        ImageBytes& image = globalState().RadioImage;
        image.fill(0x11);
        image[offset] = static_cast<uint8_t>(before);
        FormOption page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        ImageBytes expected = image;
        expected[offset] = static_cast<uint8_t>(after);

        auto* list = child<QComboBox>(&page, combo.toLatin1().constData());
        if (keyboard) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
        } else {
            QVERIFY(chooseWithMouse(list, entry));
        }
        QCOMPARE(image, expected);
    }

    void checkBoxWritesOnlyItsBit_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("keyboard");  // Space instead of a mouse click
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("Roger on") << "CheckRoger" << false << 0x00 << 0x40;
        QTest::newRow("Roger off") << "CheckRoger" << false << 0xFF << 0xBF;
        QTest::newRow("hopping on") << "CheckFreqHopping" << false << 0x7F << 0xFF;
        QTest::newRow("hopping off") << "CheckFreqHopping" << true << 0x80 << 0x00;
        QTest::newRow("battery save on") << "CheckSave" << false << 0x0C << 0x0D;
        QTest::newRow("beep off") << "CheckBeep" << true << 0xFF << 0xFD;
        QTest::newRow("scramble on") << "CheckScramble" << false << 0x00 << 0x20;
    }
    void checkBoxWritesOnlyItsBit() {
        QFETCH(QString, box);
        QFETCH(bool, keyboard);
        QFETCH(int, before);
        QFETCH(int, after);
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        ImageBytes& image = globalState().RadioImage;
        image.fill(0x22);
        image[kFeatures] = static_cast<uint8_t>(before);
        FormOption page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        ImageBytes expected = image;
        expected[kFeatures] = static_cast<uint8_t>(after);

        auto* check = child<QCheckBox>(&page, box.toLatin1().constData());
        if (keyboard) {
            check->setFocus();
            QTest::keyClick(check, Qt::Key_Space);
        } else {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        }
        QCOMPARE(image, expected);
    }

    void helpFromButtonAndF1() {
        ScopedDoubles doubles;
        RecordingWorkbench bench;
        FormOption page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QTest::mouseClick(child<QPushButton>(&page, "CommandHelp"), Qt::LeftButton);
        auto* squelch = child<QComboBox>(&page, "ComboSQ");
        squelch->setFocus();
        QTest::keyClick(squelch, Qt::Key_F1);
        QCOMPARE(bench.helpTopics, QStringList({"optfeatures.htm", "optfeatures.htm"}));
    }

    // With KORVA_SCREENSHOT_DIR set, saves the page in its frame in both languages.
    void screenshots() {
        if (qEnvironmentVariableIsEmpty("KORVA_SCREENSHOT_DIR"))
            QSKIP("set KORVA_SCREENSHOT_DIR to save screenshots");
        for (bool english : {true, false}) {
            ScopedDoubles doubles;
            RecordingWorkbench bench;
            globalState().EnglishMode = english;
            globalState().RadioImage[kFeatures] = 0x65;
            QMdiArea area;
            area.resize(680, 320);
            QMdiSubWindow* frame = area.addSubWindow(new FormOption);
            frame->move(10, 10);
            area.show();
            QVERIFY(QTest::qWaitForWindowExposed(&area));
            QVERIFY(grabWhenAsked(&area, english ? "function_setup_en" : "function_setup_zh"));
        }
    }
};
KORVA_TEST(FormOptionTest);

#include "form_option_test.moc"
