// The main window with the radio simulator on a pseudo-terminal: the port dialog finds the
// simulator's port, and a read started with Ctrl+R brings the radio's memory in and
// refreshes the band and the open pages.
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

#include "core/data_files.h"
#include "core/default_image.h"
#include "core/radio_image.h"
#include "functions/function_setup.h"
#include "shell/form_com_port.h"
#include "shell/mdi_form_main.h"
#include "shell_fixture.h"
#include "support/test_registry.h"
#include "tools/radio_sim_process.h"

namespace {

const QString kSimulator = QStringLiteral(KORVA_BINARY_DIR "/tools/korva-radio-sim");
constexpr int kSimPort = 70;  // a port number without a device of its own

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
}

}  // namespace

class RadioLinkTest : public QObject {
    Q_OBJECT
private slots:
    void portDialogListsOnlyPortsThatOpen() {
        ScopedDoubles doubles;
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({}), qPrintable(sim.error()));
        doubles.settings.values.insert(QStringLiteral("Ports/COM%1").arg(kSimPort), sim.device());
        const QString entry = QStringLiteral("COM%1 (%2)").arg(kSimPort).arg(sim.device());
        {
            FormComPort dialog;
            QVERIFY(entries(dialog.findChild<QComboBox*>(QStringLiteral("ComboComPort")))
                        .contains(entry));
        }
        // Held open by another user of the port, it is not listed.
        QSerialPort holder(sim.device());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        FormComPort dialog;
        QVERIFY(
            !entries(dialog.findChild<QComboBox*>(QStringLiteral("ComboComPort"))).contains(entry));
    }

    void readFromTheMainWindowRefreshesBandAndPages() {
        QTemporaryDir files;
        ImageBytes radio = defaultImage();
        const auto vhf = modelRecord(true, 1);  // VHF 136-174
        std::copy(vhf.begin(), vhf.end(), radio.begin() + image::kModelRecord);
        radio[option::kTimeOutTimer] = 41;  // out of range: the page puts it right
        const QString file = files.filePath(QStringLiteral("radio.rdat"));
        QString reason;
        QVERIFY2(writeDataFile(file, radio, defaultSoftwareRecord(), reason), qPrintable(reason));
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({"--image", file, "--exit-after", "1"}), qPrintable(sim.error()));

        MainWindowFixture fixture({{QStringLiteral("Language"), QStringLiteral("True")},
                                   {QStringLiteral("ComPort"), QStringLiteral("1")},
                                   {QStringLiteral("Ports/COM1"), sim.device()}});
        QVERIFY(fixture.start());
        MDIFormMain& window = *fixture.window;
        window.findChild<QAction*>(QStringLiteral("MenuOption"))->trigger();
        QVERIFY(globalState().OptionPageOpen);

        QString shown;
        onNextModal([&shown](QWidget* process) {
            shown = process->objectName();
            // Never left hanging: a transfer that does not end is given up.
            QTimer::singleShot(15000, process, &QWidget::close);
            QTest::mouseClick(process->findChild<QPushButton*>(QStringLiteral("CommandRead")),
                              Qt::LeftButton);
        });
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);  // returns once it closed

        QCOMPARE(shown, QStringLiteral("FormProcess"));
        QVERIFY2(fixture.doubles.messages.shown.isEmpty(),
                 qPrintable(fixture.doubles.messages.texts().join(QLatin1Char('\n'))));
        QCOMPARE(globalState().RadioImage[image::kModelByte], image::kModelVhf);
        QCOMPARE(globalState().RadioImage[option::kTimeOutTimer], uint8_t(12));
        QVERIFY(!globalState().TransferIsRead);
        QTRY_COMPARE_WITH_TIMEOUT(
            window.windowTitle(),
            QStringLiteral("KORVA-77[VHF: 136 - 174 MHz] [FileName:new.rdat]"), 1000);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Panel1"))->text(),
                 QStringLiteral("VHF[136-174 MHz]"));
        QCOMPARE(window.mdiArea()->subWindowList().size(), 2);  // the pages stay open
        QVERIFY(sim.waitForExit(3000));
    }
};
KORVA_TEST(RadioLinkTest);

#include "radio_link_test.moc"
