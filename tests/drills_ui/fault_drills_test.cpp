// Fault drills through the real serial port: the serial window against the radio simulator
// (or a scripted radio on a pseudo-terminal) while the device goes away, another program
// holds the port, the system refuses the device, the radio falls silent or answers garbage.
// Every drill must end with one clear message, the window closed within the protocol's
// timeouts, the port closed, and after a failed read the pages as they were.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/radio_image.h"
#include "link/ui/form_process.h"
#include "pty_radio.h"
#include "support/doubles.h"
#include "support/recording_workbench.h"
#include "support/scratch_file_system.h"
#include "support/test_registry.h"
#include "tools/radio_sim_process.h"

namespace {

const QString kSimulator = QStringLiteral(KORVA_BINARY_DIR "/tools/korva-radio-sim");
const QString kPortHolder = QStringLiteral(KORVA_BINARY_DIR "/tests/korva-port-holder");
const QString kCheckConnection = QStringLiteral("Check connection!Retry or cancel?");
const QString kReselectPort = QStringLiteral("Please reselect COM port!");

// Longest a failing transfer may take: one reply timeout (1 s) and the closing ticks, with
// room for a slow machine; a hang runs into it.
constexpr int kFailureBoundMs = 5000;
constexpr int kTransferBoundMs = 15000;

// A UHF 400-480 image with every other byte following a pattern.
ImageBytes patternImage(int salt) {
    ImageBytes bytes{};
    for (int i = 0; i < image::kSize; ++i) bytes[size_t(i)] = uint8_t(i * 29 + salt);
    const auto record = modelRecord(false, 147);
    std::copy(record.begin(), record.end(), bytes.begin() + image::kModelRecord);
    return bytes;
}

// File descriptors of this process open on the device, other than `except`: a port the
// window left open.
QStringList descriptorsOn(const QString& device, int except = -1) {
    QStringList open;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& name : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        if (name.toInt() == except) continue;
        const QString target = QFile::symLinkTarget(fds.filePath(name));
        if (target == device || target.startsWith(device + QLatin1Char(' ')))
            open << name + QStringLiteral(" -> ") + target;
    }
    return open;
}

enum class Direction { Read, Write };

}  // namespace

Q_DECLARE_METATYPE(Direction)

class FaultDrillsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        doubles = new ScopedDoubles;
        bench = new ScopedWorkbench;
        GlobalState& state = globalState();
        state.EnglishMode = true;
        state.ComPortNumber = 1;
        state.RadioImage = patternImage(1);
        before = state.RadioImage;
    }
    void cleanup() {
        delete bench;
        delete doubles;
    }

    // The simulator closes its end of the line at a block frame, as when the cable is
    // pulled, and exits. Cancel ends the transfer.
    void deviceRemovedMidTransfer_data() { directionRows(); }
    void deviceRemovedMidTransfer() {
        QFETCH(Direction, direction);
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({"--hangup-after", "5"}), qPrintable(sim.error()));
        usePort(sim.device());
        doubles->messages.answers = {BoxAnswer::Cancel};

        QCOMPARE(runTransfer(direction, kFailureBoundMs), int(QDialog::Rejected));
        QCOMPARE(doubles->messages.shown.size(), 1);
        const QString question = doubles->messages.shown[0].text;
        QVERIFY2(question.startsWith(kCheckConnection + QLatin1Char('\n') + sim.device() +
                                     QLatin1Char(':')),
                 qPrintable(question));
        checkEndedCleanly(direction, sim.device());
        QVERIFY(sim.waitForExit(3000));
    }

    // The radio leaves one block frame unanswered: the reply timeout asks at once. Cancel
    // ends the transfer; Retry starts again from the handshake and completes it.
    void radioStopsAfterBlock_data() {
        QTest::addColumn<Direction>("direction");
        QTest::addColumn<BoxAnswer>("answer");
        QTest::newRow("read, cancel") << Direction::Read << BoxAnswer::Cancel;
        QTest::newRow("read, retry") << Direction::Read << BoxAnswer::Retry;
        QTest::newRow("write, cancel") << Direction::Write << BoxAnswer::Cancel;
        QTest::newRow("write, retry") << Direction::Write << BoxAnswer::Retry;
    }
    void radioStopsAfterBlock() {
        QFETCH(Direction, direction);
        QFETCH(BoxAnswer, answer);
        const QString file = folder.filePath(QStringLiteral("radio.rdat"));
        const ImageBytes radio = patternImage(2);
        QVERIFY(writeRadioFile(file, radio));
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({"--image", file, "--drop-after", "20"}), qPrintable(sim.error()));
        usePort(sim.device());
        doubles->messages.answers = {answer};

        const int bound = answer == BoxAnswer::Retry ? kTransferBoundMs : kFailureBoundMs;
        const int result = runTransfer(direction, bound);
        QCOMPARE(doubles->messages.texts(), QStringList{kCheckConnection});
        if (answer == BoxAnswer::Cancel) {
            QCOMPARE(result, int(QDialog::Rejected));
            checkEndedCleanly(direction, sim.device());
            return;
        }
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(descriptorsOn(sim.device()).isEmpty());
        if (direction == Direction::Read) {
            QVERIFY(globalState().RadioImage == radio);
            QVERIFY(bench->workbench.calls.contains(QStringLiteral("AnalyseChannelInformation")));
        }
    }

    // Garbage where an acknowledgement belongs. At the program-mode entry the link retries
    // silently ten times and asks at the eleventh; in the block phase it asks at once.
    void garbageInsteadOfAcknowledgement_data() {
        QTest::addColumn<Direction>("direction");
        QTest::addColumn<int>("refusedEntries");  // simulator: entry frames refused (NAK)
        QTest::addColumn<int>("garbageAtBlock");  // scripted radio: block frame with garbage
        QTest::addColumn<QByteArray>("garbage");
        QTest::addColumn<bool>("asks");
        QTest::newRow("entry refused 10 times, read")
            << Direction::Read << 10 << -1 << QByteArray() << false;
        QTest::newRow("entry refused 11 times, read")
            << Direction::Read << 11 << -1 << QByteArray() << true;
        QTest::newRow("entry refused 11 times, write")
            << Direction::Write << 11 << -1 << QByteArray() << true;
        QTest::newRow("NAK for a data block, read")
            << Direction::Read << 0 << 9 << QByteArray("\x15") << true;
        QTest::newRow("noise for a data block, read") << Direction::Read << 0 << 30
                                                      << QByteArray(
                                                             "\x00\xFFR\x03\xF8\x10"
                                                             "abcdefghijklmn",
                                                             20)
                                                      << true;
        QTest::newRow("NAK for a write block")
            << Direction::Write << 0 << 9 << QByteArray("\x15") << true;
        QTest::newRow("noise for a write block")
            << Direction::Write << 0 << 47 << QByteArray("W\x02\xF0\x10", 4) << true;
    }
    void garbageInsteadOfAcknowledgement() {
        QFETCH(Direction, direction);
        QFETCH(int, refusedEntries);
        QFETCH(int, garbageAtBlock);
        QFETCH(QByteArray, garbage);
        QFETCH(bool, asks);
        RadioSimProcess sim(kSimulator);
        PtyRadio scripted;
        QString device;
        int ownDescriptor = -1;
        if (refusedEntries > 0) {
            QVERIFY2(sim.start({"--nak", QString::number(refusedEntries)}),
                     qPrintable(sim.error()));
            device = sim.device();
        } else {
            QVERIFY2(scripted.open(), qPrintable(scripted.error()));
            scripted.garbageAtBlock = garbageAtBlock;
            scripted.garbage = garbage;
            device = scripted.device();
            ownDescriptor = scripted.ownDescriptor();
        }
        usePort(device);
        doubles->messages.answers = {BoxAnswer::Cancel};

        const int result = runTransfer(direction, asks ? kFailureBoundMs : kTransferBoundMs);
        if (!asks) {
            QCOMPARE(result, int(QDialog::Accepted));
            QVERIFY(doubles->messages.shown.isEmpty());
            return;
        }
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(doubles->messages.texts(), QStringList{kCheckConnection});
        checkEndedCleanly(direction, device, ownDescriptor);
    }

    // Another program holds the port (lock file and exclusive mode). The window says so and
    // closes; the other program keeps its port; once it lets go, the port opens.
    void portHeldByAnotherProgram_data() { directionRows(); }
    void portHeldByAnotherProgram() {
        QFETCH(Direction, direction);
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({}), qPrintable(sim.error()));
        usePort(sim.device());
        QProcess holder;
        holder.start(kPortHolder, {sim.device()});
        QVERIFY2(holder.waitForReadyRead(5000), qPrintable(holder.errorString()));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

        QCOMPARE(runTransfer(direction, kFailureBoundMs), int(QDialog::Rejected));
        QCOMPARE(doubles->messages.shown.size(), 1);
        const QString message = doubles->messages.shown[0].text;
        QVERIFY2(message.startsWith(kReselectPort + QLatin1Char('\n') + sim.device()),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("in use by another program")),
                 qPrintable(message));
        checkEndedCleanly(direction, sim.device());
        QCOMPARE(holder.state(), QProcess::Running);

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(3000));
        SerialOpenFailure failure;
        QVERIFY2(platform::probeSerialPort(1, &failure), qPrintable(failure.reason));
    }

    // The system refuses the device file. As root the only refusal there is comes from a
    // file system that does not honour device files; an ordinary user is refused by the
    // file's permissions.
    void permissionDenied() {
        RadioSimProcess sim(kSimulator);
        QVERIFY2(sim.start({}), qPrintable(sim.error()));
        QString device = sim.device();
        std::unique_ptr<ScratchFileSystem> fs;
        if (::geteuid() == 0) {
            struct stat info {};
            QVERIFY(::stat(QFile::encodeName(device).constData(), &info) == 0);
            fs = std::make_unique<ScratchFileSystem>(64 * 1024);
            if (fs->available())
                device = fs->makeDeviceNode(QStringLiteral("ttyKORVA"), info.st_rdev);
            if (device.isEmpty() || !fs->available()) QSKIP(qPrintable(fs->whyNot()));
        } else {
            QVERIFY(QFile::setPermissions(device, QFileDevice::Permissions()));
        }
        usePort(device);

        QCOMPARE(runTransfer(Direction::Read, kFailureBoundMs), int(QDialog::Rejected));
        QCOMPARE(doubles->messages.shown.size(), 1);
        const QString message = doubles->messages.shown[0].text;
        QVERIFY2(message.startsWith(kReselectPort + QLatin1Char('\n') + device + QLatin1Char(':')),
                 qPrintable(message));
        QVERIFY2(message.contains(QString::fromLocal8Bit(strerror(EACCES))), qPrintable(message));
        // No other program is involved, so the advice must not send the user looking for one.
        QVERIFY2(!message.contains(QStringLiteral("in use by another program")),
                 qPrintable(message));
        checkEndedCleanly(Direction::Read, device);
    }

private:
    static void directionRows() {
        QTest::addColumn<Direction>("direction");
        QTest::newRow("read") << Direction::Read;
        QTest::newRow("write") << Direction::Write;
    }

    void usePort(const QString& device) {
        doubles->settings.values.insert(QStringLiteral("Ports/COM1"), device);
    }

    static bool writeRadioFile(const QString& path, const ImageBytes& bytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return false;
        file.write("KORVA-77Ver1.0.2");
        file.write(reinterpret_cast<const char*>(bytes.data()), image::kSize);
        file.write(QByteArray(17, '\xFF'));
        return file.error() == QFileDevice::NoError;
    }

    // Opens the serial window for the direction, presses its action button and waits for
    // the window to close; the result, or -1 when it did not close within the bound.
    int runTransfer(Direction direction, int boundMs) {
        globalState().TransferIsRead = direction == Direction::Read;
        FormProcess form;
        QSignalSpy finished(&form, &QDialog::finished);
        form.show();
        const char* action = direction == Direction::Read ? "CommandRead" : "CommandWrite";
        form.findChild<QPushButton*>(QString::fromLatin1(action))->click();
        if (finished.isEmpty() && !finished.wait(boundMs)) return -1;
        return finished.first().first().toInt();
    }

    // After a failed transfer: the port closed, the direction reset, and after a read the
    // pages not refreshed and the image as it was, so that what the pages show is still
    // what a save or a write would store; a write leaves the image as it was but for the
    // VOX level bits.
    void checkEndedCleanly(Direction direction, const QString& device, int ownDescriptor = -1) {
        QTest::qWait(50);  // nothing more follows
        const QStringList open = descriptorsOn(device, ownDescriptor);
        QVERIFY2(open.isEmpty(), qPrintable(open.join(QLatin1Char(','))));
        QVERIFY(!globalState().TransferIsRead);
        if (direction == Direction::Read) {
            QCOMPARE(bench->workbench.calls, QStringList());
            QVERIFY(globalState().RadioImage == before);
        } else {
            ImageBytes expected = before;
            expected[image::kVoxLevel] &= 0xF0;
            QVERIFY(globalState().RadioImage == expected);
        }
    }

    ScopedDoubles* doubles = nullptr;
    ScopedWorkbench* bench = nullptr;
    ImageBytes before{};
    QTemporaryDir folder;
};
KORVA_TEST(FaultDrillsTest);

#include "fault_drills_test.moc"
