// The settings dialogs, the about box, the splash window and the model dialog through
// their real widgets, with the seams' doubles and a prober that knows which ports exist.
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "core/radio_image.h"
#include "core/ui/form_model_information.h"
#include "shell/form_com_port.h"
#include "shell/form_language.h"
#include "shell/form_welcome.h"
#include "shell/frm_about.h"
#include "shell/mdi_form_main.h"
#include "shell/port_prober.h"
#include "shell_fixture.h"
#include "support/test_registry.h"

namespace {

class FakePorts : public PortProber {
public:
    QSet<int> present;
    QList<int> probed;
    bool tryOpen(int portNumber) override {
        probed << portNumber;
        return present.contains(portNumber);
    }
};

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
}

void click(QWidget* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

QString labelText(QWidget* dialog, const char* label) {
    return dialog->findChild<QLabel*>(QLatin1String(label))->text();
}

void setModelRecord(bool vhf, uint8_t code) {
    const auto record = modelRecord(vhf, code);
    std::copy(record.begin(), record.end(), globalState().RadioImage.begin() + image::kModelRecord);
}

}  // namespace

class PortDialogTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheOpenablePortsAndSelectsThePortInForce_data() {
        QTest::addColumn<int>("inForce");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("adopted");
        QTest::newRow("port in the list") << 4 << "COM4 (/dev/ttyUSB3)" << 4;
        QTest::newRow("port not in the list: the first is adopted")
            << 3 << "COM1 (/dev/ttyUSB0)" << 1;
    }
    void listsTheOpenablePortsAndSelectsThePortInForce() {
        QFETCH(int, inForce);
        QFETCH(QString, selected);
        QFETCH(int, adopted);
        ScopedDoubles doubles;
        globalState().EnglishMode = true;
        globalState().ComPortNumber = inForce;
        FakePorts ports;
        ports.present = {1, 4};
        FormComPort dialog(ports);
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("ComboComPort"));

        QCOMPARE(ports.probed.size(), 99);
        QCOMPARE(ports.probed.constFirst(), 1);
        QCOMPARE(ports.probed.constLast(), 99);
        QCOMPARE(entries(list), (QStringList{"COM1 (/dev/ttyUSB0)", "COM4 (/dev/ttyUSB3)"}));
        QCOMPARE(list->currentText(), selected);
        QCOMPARE(globalState().ComPortNumber, adopted);

        // Cancel keeps what the load adopted and writes nothing.
        dialog.show();
        click(&dialog, "CommandCancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(globalState().ComPortNumber, adopted);
        QVERIFY(doubles.settings.writes.isEmpty());
    }

    void okMakesTheChosenPortThePortInForce() {
        ScopedDoubles doubles;
        doubles.settings.values.insert(QStringLiteral("Ports/COM70"), QStringLiteral("/dev/pts/7"));
        globalState().ComPortNumber = 1;
        FakePorts ports;
        ports.present = {1, 70};
        FormComPort dialog(ports);
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("ComboComPort"));
        QCOMPARE(entries(list), (QStringList{"COM1 (/dev/ttyUSB0)", "COM70 (/dev/pts/7)"}));
        dialog.show();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        click(&dialog, "CommandOK");
        QCOMPARE(globalState().ComPortNumber, 70);
        QCOMPARE(
            doubles.settings.writes,
            (QList<QPair<QString, QString>>{{QStringLiteral("ComPort"), QStringLiteral("70")}}));
    }

    void okWithNoPortChangesNothing() {
        ScopedDoubles doubles;
        globalState().ComPortNumber = 5;
        FakePorts none;
        FormComPort dialog(none);
        QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("ComboComPort"))->count(), 0);
        dialog.show();
        click(&dialog, "CommandOK");
        QCOMPARE(globalState().ComPortNumber, 5);
        QVERIFY(doubles.settings.writes.isEmpty());
    }

    void textsFollowTheLanguage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << true << QStringList{"Set COM", "Comm Port", "&OK", "&Cancel"};
        QTest::newRow("Chinese") << false
                                 << QStringList{"串口设置", "串口", "确定(&O)", "取消(&C)"};
    }
    void textsFollowTheLanguage() {
        QFETCH(bool, english);
        QFETCH(QStringList, texts);
        ScopedDoubles doubles;
        globalState().EnglishMode = english;
        FakePorts none;
        FormComPort dialog(none);
        QCOMPARE((QStringList{dialog.windowTitle(), labelText(&dialog, "LabelComPort"),
                              dialog.findChild<QPushButton*>("CommandOK")->text(),
                              dialog.findChild<QPushButton*>("CommandCancel")->text()}),
                 texts);
    }

    void mainWindowShowsTheNewPortAtOnce() {
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        FakePorts ports;
        ports.present = {2, 9};
        setPortProber(&ports);
        QVERIFY(fixture.start());
        onNextModal([](QWidget* dialog) {
            auto* list = dialog->findChild<QComboBox*>(QStringLiteral("ComboComPort"));
            list->setCurrentIndex(1);
            click(dialog, "CommandOK");
        });
        fixture.window->findChild<QAction*>(QStringLiteral("MenuCom"))->trigger();
        setPortProber(nullptr);
        QCOMPARE(globalState().ComPortNumber, 9);
        QCOMPARE(fixture.window->findChild<QLabel*>(QStringLiteral("Panel2"))->text(),
                 QStringLiteral("COM9"));
    }
};
KORVA_TEST(PortDialogTest);

class LanguageDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheLanguageInForce_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << true
                                 << QStringList{"Set Language", "Language Select", "English",
                                                "Chinese", "English"};
        QTest::newRow("Chinese") << false
                                 << QStringList{"语言设置", "语言选择", "英文", "中文", "中文"};
    }
    void opensWithTheLanguageInForce() {
        QFETCH(bool, english);
        QFETCH(QStringList, texts);
        ScopedDoubles doubles;
        globalState().EnglishMode = english;
        FormLanguage dialog;
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("ComboLanguage"));
        QCOMPARE((QStringList{dialog.windowTitle(), labelText(&dialog, "LabelLanguage"),
                              list->itemText(0), list->itemText(1), list->currentText()}),
                 texts);

        // OK without a change: nothing changes and nothing is written.
        dialog.show();
        click(&dialog, "CommandOK");
        QCOMPARE(globalState().EnglishMode, english);
        QVERIFY(!globalState().LanguageChanged);
        QVERIFY(doubles.settings.writes.isEmpty());
    }

    void okWithTheOtherLanguageRemembersIt_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("stored");
        QTest::newRow("to Chinese") << true << "False";
        QTest::newRow("to English") << false << "True";
    }
    void okWithTheOtherLanguageRemembersIt() {
        QFETCH(bool, english);
        QFETCH(QString, stored);
        ScopedDoubles doubles;
        globalState().EnglishMode = english;
        FormLanguage dialog;
        dialog.show();
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("ComboLanguage"));
        list->setFocus();
        QTest::keyClick(list, english ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);  // the default button
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(globalState().EnglishMode, !english);
        QVERIFY(globalState().LanguageChanged);
        QCOMPARE(doubles.settings.writes,
                 (QList<QPair<QString, QString>>{{QStringLiteral("Language"), stored}}));
    }

    void cancelChangesNothing() {
        ScopedDoubles doubles;
        globalState().EnglishMode = true;
        FormLanguage dialog;
        dialog.show();
        dialog.findChild<QComboBox*>(QStringLiteral("ComboLanguage"))->setCurrentIndex(1);
        click(&dialog, "CommandCancel");
        QVERIFY(globalState().EnglishMode);
        QVERIFY(!globalState().LanguageChanged);
        QVERIFY(doubles.settings.writes.isEmpty());
    }
};
KORVA_TEST(LanguageDialogTest);

class AboutAndSplashTest : public QObject {
    Q_OBJECT
private slots:
    void aboutBoxTexts_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << true
                                 << QStringList{"About KORVA-77", "KORVA-77", "Version 1.0.2",
                                                "KORVA-77program software is used for KORVA-77",
                                                "OK"};
        QTest::newRow("Chinese") << false
                                 << QStringList{"关于 KORVA-77", "KORVA-77", "版本 1.0.2",
                                                "KORVA-77编程软件用于 KORVA-77机型", "确定"};
    }
    void aboutBoxTexts() {
        QFETCH(bool, english);
        QFETCH(QStringList, texts);
        ScopedDoubles doubles;
        globalState().EnglishMode = english;
        frmAbout about;
        QCOMPARE((QStringList{about.windowTitle(), labelText(&about, "lblTitle"),
                              labelText(&about, "lblVersion"), labelText(&about, "lblDescription"),
                              about.findChild<QPushButton*>("cmdOK")->text()}),
                 texts);
        QVERIFY(!labelText(&about, "lblDisclaimer").isEmpty());
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        about.show();
        click(&about, "cmdOK");
        QVERIFY(!about.isVisible());
    }

    void splashLoadsTheMainWindowAfterTwoSeconds() {
        auto* splash = new FormWelcome;
        QPointer<FormWelcome> alive = splash;
        QCOMPARE(splash->windowTitle(), QStringLiteral("DVE"));
        auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
        QCOMPARE(timer->interval(), 2000);
        QVERIFY(timer->isActive());
        QSignalSpy load(splash, &FormWelcome::loadMainWindow);
        splash->show();
        timer->start(10);
        QTRY_COMPARE(load.count(), 1);
        QTRY_VERIFY(alive.isNull());  // closed and gone
    }
};
KORVA_TEST(AboutAndSplashTest);

class ModelDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheModelAndBandOfTheImage_data() {
        QTest::addColumn<int>("modelByte");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::addColumn<int>("bandCount");
        QTest::newRow("VHF code 4") << 0x32 << 4 << "VHF"
                                    << "150-174MHz" << 4;
        QTest::newRow("VHF unknown code") << 0x32 << 51 << "VHF"
                                          << "136-174MHz" << 4;
        QTest::newRow("UHF code 0") << 0x33 << 0 << "UHF"
                                    << "400-520MHz" << 8;
        QTest::newRow("UHF code 33") << 0x33 << 33 << "UHF"
                                     << "450-530MHz" << 8;
        QTest::newRow("any other model byte is UHF") << 0x00 << 147 << "UHF"
                                                     << "400-480MHz" << 8;
    }
    void showsTheModelAndBandOfTheImage() {
        QFETCH(int, modelByte);
        QFETCH(int, code);
        QFETCH(QString, model);
        QFETCH(QString, band);
        QFETCH(int, bandCount);
        ScopedDoubles doubles;
        globalState().RadioImage[image::kModelByte] = uint8_t(modelByte);
        globalState().RadioImage[image::kBandCode] = uint8_t(code);
        FormModelInformation dialog;
        auto* models = dialog.findChild<QComboBox*>(QStringLiteral("ComboModel"));
        auto* bands = dialog.findChild<QComboBox*>(QStringLiteral("ComboArea"));
        QCOMPARE(entries(models), (QStringList{"VHF", "UHF"}));
        QCOMPARE(models->currentText(), model);
        QCOMPARE(bands->count(), bandCount);
        QCOMPARE(bands->currentText(), band);
    }

    void texts_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << true
                                 << QStringList{"Model Information", "Model Type", "Frequency",
                                                "&Open", "&Close"};
        QTest::newRow("Chinese") << false
                                 << QStringList{"机型信息", "机型类型", "频率", "确定(&O)",
                                                "取消(&C)"};
    }
    void texts() {
        QFETCH(bool, english);
        QFETCH(QStringList, texts);
        ScopedDoubles doubles;
        globalState().EnglishMode = english;
        FormModelInformation dialog;
        QCOMPARE((QStringList{dialog.windowTitle(), labelText(&dialog, "LabelModel"),
                              labelText(&dialog, "LabelArea"),
                              dialog.findChild<QPushButton*>("CommandOK")->text(),
                              dialog.findChild<QPushButton*>("CommandCancel")->text()}),
                 texts);
    }

    void switchingTheModelResetsTheBand() {
        ScopedDoubles doubles;
        setModelRecord(false, 51);  // UHF 440-480
        FormModelInformation dialog;
        dialog.show();
        auto* models = dialog.findChild<QComboBox*>(QStringLiteral("ComboModel"));
        auto* bands = dialog.findChild<QComboBox*>(QStringLiteral("ComboArea"));
        QCOMPARE(bands->currentText(), QStringLiteral("440-480MHz"));
        models->setFocus();
        QTest::keyClick(models, Qt::Key_Up);
        QCOMPARE(entries(bands), bandTexts(true));
        QCOMPARE(bands->currentIndex(), 0);
        bands->setCurrentIndex(2);
        QTest::keyClick(models, Qt::Key_Down);
        QCOMPARE(entries(bands), bandTexts(false));
        QCOMPARE(bands->currentText(), QStringLiteral("350-370MHz"));
    }

    void okOnTheImagesOwnRecordChangesNothing() {
        ScopedDoubles doubles;
        setModelRecord(false, 147);
        globalState().BandLowerMHz = 400;
        FormModelInformation dialog;
        dialog.show();
        click(&dialog, "CommandOK");
        QVERIFY(doubles.messages.shown.isEmpty());
        QVERIFY(!globalState().ModelChanged);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void aDifferentRecordAsksBeforeItChanges_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("declined") << false;
    }
    void aDifferentRecordAsksBeforeItChanges() {
        QFETCH(bool, confirm);
        ScopedDoubles doubles;
        globalState().EnglishMode = true;
        setModelRecord(false, 147);
        globalState().RadioImage[446] = 0x00;  // same model and band, but not a valid record
        analyseModel(globalState());
        globalState().InitFileName = QStringLiteral("/Other.dat");
        doubles.messages.answers << (confirm ? BoxAnswer::Ok : BoxAnswer::Cancel);
        const ImageBytes before = globalState().RadioImage;
        FormModelInformation dialog;
        dialog.show();
        click(&dialog, "CommandOK");

        QCOMPARE(doubles.messages.shown.size(), 1);
        const ShownBox& box = doubles.messages.shown.constFirst();
        QCOMPARE(box.title, QStringLiteral("KORVA-77"));
        QCOMPARE(box.text, QStringLiteral("Frequency data will be cleared"));
        QCOMPARE(box.icon, BoxIcon::Error);
        QCOMPARE(box.buttons, BoxButtons::OkCancel);
        QCOMPARE(globalState().ModelChanged, confirm);
        QCOMPARE(globalState().InitFileName,
                 confirm ? QStringLiteral("/Init.dat") : QStringLiteral("/Other.dat"));
        QVERIFY(globalState().RadioImage == before);  // the main window rebuilds, not the dialog
        QCOMPARE(globalState().BandLowerMHz, 400);
        QCOMPARE(globalState().BandUpperMHz, 480);
    }

    void mainWindowRebuildsTheImageForTheNewBand_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("declined") << false;
    }
    void mainWindowRebuildsTheImageForTheNewBand() {
        QFETCH(bool, confirm);
        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        GlobalState& state = globalState();
        state.RadioImage[16] = 0x12;  // a channel byte that the rebuild clears
        state.ProgramPassword = QStringLiteral("AB");
        state.CurrentFileName = QStringLiteral("abc.rdat");
        window.findChild<QAction*>(QStringLiteral("MenuOption"))->trigger();
        fixture.doubles.messages.answers << (confirm ? BoxAnswer::Ok : BoxAnswer::Cancel);

        onNextModal([](QWidget* dialog) {
            dialog->findChild<QComboBox*>(QStringLiteral("ComboArea"))->setCurrentIndex(4);
            click(dialog, "CommandOK");
        });
        window.findChild<QAction*>(QStringLiteral("MenuModelInformation"))->trigger();

        QCOMPARE(fixture.doubles.messages.texts(), QStringList{"Frequency data will be cleared"});
        QVERIFY(!state.ModelChanged);
        if (confirm) {
            QCOMPARE(state.BandName, QStringLiteral("UHF"));
            QCOMPARE(state.BandLowerMHz, 450);
            QCOMPARE(state.BandUpperMHz, 530);
            QCOMPARE(state.WorkingUpperMHz, 530);
            QCOMPARE(state.RadioImage[image::kModelByte], uint8_t(51));
            QCOMPARE(state.RadioImage[image::kBandCode], uint8_t(33));
            QCOMPARE(state.RadioImage[16], uint8_t(0xFF));  // from the start-up file
            QVERIFY(!state.OptionPageOpen);
            QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
            QTRY_COMPARE_WITH_TIMEOUT(
                window.windowTitle(),
                QStringLiteral("KORVA-77[UHF: 450 - 530 MHz] [FileName:abc.rdat]"), 1000);
        } else {
            QCOMPARE(state.BandLowerMHz, 400);
            QCOMPARE(state.BandUpperMHz, 480);
            QCOMPARE(state.RadioImage[image::kBandCode], uint8_t(147));
            QCOMPARE(state.RadioImage[16], uint8_t(0x12));
            QVERIFY(state.OptionPageOpen);
        }
        QCOMPARE(state.ProgramPassword, QStringLiteral("AB"));
        QCOMPARE(state.CurrentFileName, QStringLiteral("abc.rdat"));
    }
};
KORVA_TEST(ModelDialogTest);

#include "dialogs_test.moc"
