// Transfers through the real QSerialPort path: the serial window against korva-radio-sim on
// a pseudo-terminal, and the port's open failures with real devices.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/default_image.h"
#include "core/radio_image.h"
#include "link/ui/form_process.h"
#include "platform/serial/qt_serial_port.h"
#include "support/doubles.h"
#include "support/recording_workbench.h"
#include "support/test_registry.h"
#include "tools/radio_sim_process.h"

namespace {

const QString kSimulator = QStringLiteral(KORVA_BINARY_DIR "/tools/korva-radio-sim");

// A UHF 400-480 image with every byte following a pattern and the band extension on.
ImageBytes patternImage(int salt) {
    ImageBytes bytes{};
    for (int i = 0; i < 1024; ++i) bytes[size_t(i)] = uint8_t(i * 13 + salt);
    const auto record = modelRecord(false, 147);
    std::copy(record.begin(), record.end(), bytes.begin() + image::kModelRecord);
    bytes[image::kExtensionOption] = 1;
    return bytes;
}

bool writeDataFile(const QString& path, const ImageBytes& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write("KORVA-77Ver1.0.2");
    file.write(reinterpret_cast<const char*>(bytes.data()), 1024);
    file.write(QByteArray(17, '\xFF'));
    return file.error() == QFileDevice::NoError;
}

QPushButton* button(QWidget& form, const char* name) {
    return form.findChild<QPushButton*>(QString::fromLatin1(name));
}

}  // namespace

class PtyTransferTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        doubles = new ScopedDoubles;
        globalState().EnglishMode = true;
        globalState().ComPortNumber = 1;
        QVERIFY(folder.isValid());
    }
    void cleanup() { delete doubles; }

    void readWholeImage() {
        const ImageBytes radio = patternImage(3);
        const QString file = folder.filePath(QStringLiteral("radio.rdat"));
        QVERIFY(writeDataFile(file, radio));
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({"--image", file, "--nak", "2", "--no-special", "--exit-after", "1"}),
                 qPrintable(sim.error()));
        doubles->settings.values.insert(QStringLiteral("Ports/COM1"), sim.device());

        ScopedWorkbench bench;
        globalState().TransferIsRead = true;
        FormProcess form;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        button(form, "CommandRead")->click();
        QVERIFY(finished.wait(10000));

        QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
        QVERIFY(doubles->messages.shown.isEmpty());
        QVERIFY(globalState().RadioImage == radio);
        QCOMPARE(globalState().WorkingUpperMHz, 520);
        QVERIFY(!globalState().SpecialCodeAllowed);
        QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("TextShow"))->text(),
                 QStringLiteral("Read Data OK"));
        QVERIFY(sim.waitForExit(3000));  // it saw the final 'E'
    }

    void writeWholeImage() {
        const ImageBytes before = patternImage(7);
        const QString file = folder.filePath(QStringLiteral("before.rdat"));
        const QString dump = folder.filePath(QStringLiteral("after.bin"));
        QVERIFY(writeDataFile(file, before));
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({"--image", file, "--dump", dump, "--exit-after", "1"}),
                 qPrintable(sim.error()));
        doubles->settings.values.insert(QStringLiteral("Ports/COM1"), sim.device());

        GlobalState& state = globalState();
        state.RadioImage = patternImage(100);
        state.RadioImage[image::kVoxLevel] = 0x37;
        state.TransferIsRead = false;
        FormProcess form;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        button(form, "CommandWrite")->click();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
        QVERIFY(doubles->messages.shown.isEmpty());

        QVERIFY(sim.waitForExit(3000));
        QFile written(dump);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray after = written.readAll();
        QCOMPARE(after.size(), 1024);
        const QByteArray image(reinterpret_cast<const char*>(state.RadioImage.data()), 1024);
        const QByteArray old(reinterpret_cast<const char*>(before.data()), 1024);
        QCOMPARE(after.left(0x300), image.left(0x300));
        QCOMPARE(uint8_t(after[image::kVoxLevel]), uint8_t(0x30));
        QCOMPARE(after.mid(0x300), old.mid(0x300));  // factory alignment untouched
    }

    void pulledCableEndsCleanly_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("messages");
        QTest::newRow("cancel") << int(BoxAnswer::Cancel) << 1;
        QTest::newRow("retry, the device is gone") << int(BoxAnswer::Retry) << 2;
    }
    void pulledCableEndsCleanly() {
        QFETCH(int, answer);
        QFETCH(int, messages);
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({"--hangup-after", "5"}), qPrintable(sim.error()));
        doubles->settings.values.insert(QStringLiteral("Ports/COM1"), sim.device());
        doubles->messages.answers = {static_cast<BoxAnswer>(answer)};
        globalState().TransferIsRead = true;
        FormProcess form;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        button(form, "CommandRead")->click();
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QTest::qWait(50);  // nothing more follows
        QCOMPARE(doubles->messages.shown.size(), messages);
        // The question names the device and the system's reason ("No such device" once the
        // device file is gone); a retry then says the port cannot be opened.
        const QString question = doubles->messages.shown[0].text;
        QVERIFY2(question.startsWith(
                     QStringLiteral("Check connection!Retry or cancel?\n%1: ").arg(sim.device())),
                 qPrintable(question));
        if (messages == 2) {
            const QString reopen = doubles->messages.shown[1].text;
            QVERIFY2(reopen.startsWith(
                         QStringLiteral("Please reselect COM port!\n%1: ").arg(sim.device())),
                     qPrintable(reopen));
        }
        QVERIFY(sim.waitForExit(3000));
    }

    void radioFaultsEndWithOneQuestion_data() {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("question");
        QTest::newRow("block outside the image")
            << QStringList{"--wrong-address", "2:3F8"} << true
            << QStringLiteral("Check connection!Retry or cancel?");
        QTest::newRow("no reply to block 4") << QStringList{"--drop-after", "3"} << true
                                             << QStringLiteral("Check connection!Retry or cancel?");
        QTest::newRow("UHF image into a VHF radio")
            << QStringList{"--vhf"} << false
            << QStringLiteral("Frequency band is different,Overwrite?");
    }
    void radioFaultsEndWithOneQuestion() {
        QFETCH(QStringList, faults);
        QFETCH(bool, read);
        QFETCH(QString, question);
        const QString dump = folder.filePath(QStringLiteral("fault.bin"));
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start(faults + QStringList{"--dump", dump}), qPrintable(sim.error()));
        doubles->settings.values.insert(QStringLiteral("Ports/COM1"), sim.device());
        doubles->messages.answers = {BoxAnswer::Cancel};
        GlobalState& state = globalState();
        state.RadioImage = patternImage(50);
        state.TransferIsRead = read;
        FormProcess form;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        button(form, read ? "CommandRead" : "CommandWrite")->click();
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QCOMPARE(doubles->messages.texts(), QStringList{question});
        QVERIFY(sim.stop());
        if (!read) {  // refused: the radio keeps its memory
            QFile memory(dump);
            QVERIFY(memory.open(QIODevice::ReadOnly));
            const QByteArray after = memory.readAll();
            QCOMPARE(after.size(), 1024);
            QCOMPARE(after, QByteArray(reinterpret_cast<const char*>(defaultImage().data()), 1024));
        }
    }

    void portOpenFailuresSayWhy_data() {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("cause");
        QTest::newRow("no device for COM70") << 70 << QString() << int(SerialOpenCause::NoDevice);
        QTest::newRow("missing device")
            << 1 << QStringLiteral("/dev/nonexistent-korva-tty") << int(SerialOpenCause::NotFound);
        QTest::newRow("not a serial port")
            << 1 << QStringLiteral("/dev/null") << int(SerialOpenCause::Other);
    }
    void portOpenFailuresSayWhy() {
        QFETCH(int, port);
        QFETCH(QString, device);
        QFETCH(int, cause);
        if (!device.isEmpty())
            doubles->settings.values.insert(QStringLiteral("Ports/COM%1").arg(port), device);
        SerialOpenFailure failure;
        QVERIFY(!platform::probeSerialPort(port, &failure));
        QCOMPARE(int(failure.cause), cause);
        QCOMPARE(failure.portNumber, port);
        QCOMPARE(failure.device, device);
        if (!device.isEmpty()) QVERIFY(!failure.reason.isEmpty());
    }

    // A link such as /dev/serial/by-id/... opens the real device, so a second opener of
    // the real name finds it taken.
    void linkedDeviceOpensTheRealOneExclusively() {
        const QString link = folder.filePath(QStringLiteral("usb-Korva_Cable-if00-port0"));
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({"--link", link}), qPrintable(sim.error()));
        doubles->settings.values.insert(QStringLiteral("Ports/COM2"), link);
        doubles->settings.values.insert(QStringLiteral("Ports/COM1"), sim.device());

        QtSerialPort first(doubles->settings);
        first.setPortNumber(2);
        QVERIFY(first.open());
        QCOMPARE(first.devicePath(), sim.device());
        SerialOpenFailure failure;
        QVERIFY(!platform::probeSerialPort(1, &failure));
        QCOMPARE(int(failure.cause), int(SerialOpenCause::InUse));
        QVERIFY(platform::probeSerialPort(2, &failure) == false);
        first.close();
        QVERIFY(platform::probeSerialPort(1, &failure));
    }

    void receiveEventWaitsForTheThreshold() {
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({}), qPrintable(sim.error()));
        doubles->settings.values.insert(QStringLiteral("Ports/COM1"), sim.device());
        struct Listener : SerialPortListener {
            QList<int> available;
            SerialPort* port = nullptr;
            void receiveEvent(int code) override {
                QCOMPARE(code, kReceiveData);
                available << port->readAll().size();
            }
            void portFailed(const QString&, const QString&) override {}
        } listener;
        QtSerialPort port(doubles->settings);
        listener.port = &port;
        port.setListener(&listener);
        port.setPortNumber(1);
        QVERIFY(port.open());
        port.setReceiveThreshold(1);
        port.write(QByteArray("QLAV462"));
        QTRY_COMPARE(listener.available, QList<int>{1});
        port.setReceiveThreshold(8);
        port.write(QByteArray(1, '\x02'));
        QTRY_COMPARE(listener.available, (QList<int>{1, 8}));
        // Threshold 0: no event, the bytes wait.
        port.setReceiveThreshold(0);
        port.write(QByteArray(1, '\x06'));
        QTest::qWait(100);
        QCOMPARE(listener.available.size(), 2);
        // Raising the threshold over bytes already there raises the event.
        port.setReceiveThreshold(1);
        QTRY_COMPARE(listener.available, (QList<int>{1, 8, 1}));
    }

private:
    ScopedDoubles* doubles = nullptr;
    QTemporaryDir folder;
};
KORVA_TEST(PtyTransferTest);

#include "pty_transfer_test.moc"
