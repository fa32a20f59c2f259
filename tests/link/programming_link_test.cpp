// The programming link against a scripted radio: the bytes on the wire, the retries and
// questions, the image after a read, the radio's memory after a write, and the outcome.
#include <QTest>

#include "core/radio_image.h"
#include "core/workbench.h"
#include "support/doubles.h"
#include "support/scripted_radio.h"
#include "support/test_registry.h"

using namespace radiolink;

namespace {

const QString kCheckConnection = QStringLiteral("Check connection!Retry or cancel?");
const QString kBandDiffers = QStringLiteral("Frequency band is different,Overwrite?");

QByteArray byte(int value) { return QByteArray(1, static_cast<char>(value)); }

void fillPattern(std::array<uint8_t, 1024>& bytes, int salt) {
    for (int i = 0; i < 1024; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + salt);
}

// A UHF 400-480 image whose every other byte follows a pattern.
void fillImage(GlobalState& state, int salt) {
    fillPattern(state.RadioImage, salt);
    const auto record = modelRecord(false, 147);
    std::copy(record.begin(), record.end(), state.RadioImage.begin() + image::kModelRecord);
}

// The frames of a complete read after the handshake, as the link must send them.
QList<QByteArray> expectedReadFrames() {
    QList<QByteArray> frames{entryFrame(), byte(kIdentify), byte(kAck)};
    for (int address = 0; address < 0x400; address += 16)
        frames << readRequest(address) << byte(kAck);
    frames << byte(kEnd);
    return frames;
}

}  // namespace

class ProgrammingLinkTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        doubles = new ScopedDoubles;
        globalState().EnglishMode = true;
    }
    void cleanup() { delete doubles; }

    void loadPreparesThePortWithoutOpeningIt() {
        LinkBench bench;
        bench.state.ComPortNumber = 7;
        bench.link.load();
        QCOMPARE(bench.port.number, 7);
        QCOMPARE(bench.port.settings, QStringLiteral("9600,N,8,1"));
        QCOMPARE(bench.port.threshold, 0);
        QVERIFY(!bench.port.opened);
        QVERIFY(!bench.timer.running);
        QCOMPARE(bench.link.state(), LinkState::Idle);
    }

    void wholeImageReadSendsEveryRequestAndFillsTheImage() {
        LinkBench bench;
        fillPattern(bench.port.radio.memory, 3);
        bench.port.radio.special = '0';
        bench.link.startRead();
        bench.run();

        QCOMPARE(bench.port.written, expectedReadFrames());
        QCOMPARE(bench.port.radio.readRequests.size(), 64);
        QVERIFY(bench.state.RadioImage == bench.port.radio.memory);  // 0x300..0x3FF too
        QCOMPARE(bench.host.captions, QStringList{QStringLiteral("Read data from radio")});
        QCOMPARE(bench.host.progressTexts.size(), 65);
        QCOMPARE(bench.host.progressTexts.first(), QStringLiteral("Complete:%"));
        QCOMPARE(bench.host.progressTexts.last(), QStringLiteral("Complete:100%"));
        QCOMPARE(bench.host.fractions.last(), 1.0);
        QCOMPARE(bench.host.waits, QList<int>{kEndWaitMs});
        QCOMPARE(bench.host.finished, QList<bool>{true});
        QVERIFY(!bench.port.opened);
        QVERIFY(!bench.state.SpecialCodeAllowed);
        QVERIFY(!bench.state.TransferSucceeded);  // cleared by the closing step
        QVERIFY(doubles->messages.shown.isEmpty());
        // Reply timeouts while waiting, then the 100 ms closing tick.
        QCOMPARE(bench.timer.starts.last(), kCloseAfterSuccessMs);
        QCOMPARE(bench.timer.starts.first(), kReplyTimeoutMs);
    }

    void wholeImageWriteSendsFortyEightBlocks_data() {
        QTest::addColumn<bool>("pending");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QByteArray>("passwordBytes");  // bytes 0..5 of the 0x2F0 frame data
        QTest::newRow("no new password") << false << QStringLiteral("AB") << QByteArray();
        QTest::newRow("two characters")
            << true << QStringLiteral("AB") << QByteArray("AB\xFF\xFF\xFF\xFF", 6);
        QTest::newRow("empty") << true << QString() << QByteArray(6, '\xFF');
        QTest::newRow("longer than six")
            << true << QStringLiteral("12345678") << QByteArray("123456", 6);
    }
    void wholeImageWriteSendsFortyEightBlocks() {
        QFETCH(bool, pending);
        QFETCH(QString, newPassword);
        QFETCH(QByteArray, passwordBytes);
        LinkBench bench;
        fillImage(bench.state, 5);
        bench.state.RadioImage[image::kVoxLevel] = 0xA7;
        fillPattern(bench.port.radio.memory, 11);
        const auto radioBefore = bench.port.radio.memory;
        const auto imageBefore = bench.state.RadioImage;

        bench.link.startWrite(pending, newPassword);
        bench.run();

        QCOMPARE(bench.host.finished, QList<bool>{true});
        QCOMPARE(bench.host.captions, QStringList{QStringLiteral("Write data into radio")});
        QList<int> expected;
        for (int address = 0; address < 0x300; address += 16) expected << address;
        QCOMPARE(bench.port.radio.writeBlocks, expected);
        QCOMPARE(bench.port.written.mid(0, 3),
                 (QList<QByteArray>{entryFrame(), byte(kIdentify), byte(kAck)}));
        QCOMPARE(bench.port.written.last(), byte(kEnd));
        QCOMPARE(bench.port.written.size(), 3 + 48 + 1);

        // The VOX level nibble is cleared in the image and so in the radio.
        QCOMPARE(int(bench.state.RadioImage[image::kVoxLevel]), 0xA0);
        auto expectedImage = imageBefore;
        expectedImage[image::kVoxLevel] = 0xA0;
        QVERIFY(bench.state.RadioImage == expectedImage);  // the image keeps its password

        const QByteArray passwordFrame = bench.port.written[3 + 0x2F0 / 16];
        QCOMPARE(passwordFrame.left(4), QByteArray("W\x02\xF0\x10", 4));
        const QByteArray imagePassword(
            reinterpret_cast<const char*>(imageBefore.data()) + image::kPassword, 6);
        QCOMPARE(passwordFrame.mid(4, 6), pending ? passwordBytes : imagePassword);
        QCOMPARE(passwordFrame.mid(10),
                 QByteArray(reinterpret_cast<const char*>(imageBefore.data()) + 0x2F6, 10));

        for (int i = 0; i < 1024; ++i) {
            const size_t at = static_cast<size_t>(i);
            if (i >= 0x300)
                QCOMPARE(bench.port.radio.memory[at], radioBefore[at]);
            else if (i < image::kPassword || i >= image::kPassword + 6 || !pending)
                QCOMPARE(bench.port.radio.memory[at], expectedImage[at]);
        }
    }

    void writeProgressCountsSevenHundredSixtyEightBytes() {
        LinkBench bench;
        fillImage(bench.state, 1);
        bench.link.startWrite(false, QString());
        bench.run();
        QCOMPARE(bench.host.fractions.size(), 49);
        QCOMPARE(bench.host.fractions[0], 0.0);
        QCOMPARE(bench.host.fractions[1], 16.0 / 768.0);
        QCOMPARE(bench.host.progressTexts[1], QStringLiteral("Complete:2%"));
        QCOMPARE(bench.host.progressTexts[6], QStringLiteral("Complete:13%"));  // 12.5 rounds up
        QCOMPARE(bench.host.fractions.last(), 1.0);
    }

    void silentRadioRestartsTenTimesThenAsks() {
        LinkBench bench;
        bench.port.radio.silent = true;
        doubles->messages.answers = {BoxAnswer::Retry, BoxAnswer::Cancel};
        bench.link.startRead();
        bench.run();

        // 11 attempts, the question; Retry: 11 more attempts, the question; Cancel.
        QCOMPARE(bench.port.radio.entryFrames, 22);
        QCOMPARE(doubles->messages.texts(), QStringList(2, kCheckConnection));
        QCOMPARE(doubles->messages.shown[0].buttons, BoxButtons::RetryCancel);
        QCOMPARE(doubles->messages.shown[0].icon, BoxIcon::Error);
        QCOMPARE(doubles->messages.shown[0].title, QStringLiteral("KORVA-77"));
        QCOMPARE(bench.host.finished, QList<bool>{false});
        QVERIFY(!bench.port.opened);
        QCOMPARE(bench.timer.starts.last(), kCloseAfterFailureMs);
        QCOMPARE(bench.timer.starts.count(kReplyTimeoutMs), 22);
        QVERIFY(!bench.state.TransferSucceeded);
    }

    void refusedEntryFramesCountAsFailedAttempts_data() {
        QTest::addColumn<int>("naks");
        QTest::addColumn<int>("questions");
        QTest::newRow("one") << 1 << 0;
        QTest::newRow("ten") << 10 << 0;
        QTest::newRow("eleven") << 11 << 1;
    }
    void refusedEntryFramesCountAsFailedAttempts() {
        QFETCH(int, naks);
        QFETCH(int, questions);
        LinkBench bench;
        bench.port.radio.naks = naks;
        doubles->messages.answers = {BoxAnswer::Retry};
        bench.link.startRead();
        const int ticks = bench.run();
        QCOMPARE(ticks, 1);  // only the closing tick: no attempt waited for a timeout
        QCOMPARE(doubles->messages.shown.size(), questions);
        QCOMPARE(bench.port.radio.entryFrames, naks + 1);
        QCOMPARE(bench.host.finished, QList<bool>{true});
    }

    void timeoutInTheBlockPhaseAsksAtOnceAndRetryStartsOver_data() {
        QTest::addColumn<bool>("read");
        QTest::newRow("read") << true;
        QTest::newRow("write") << false;
    }
    void timeoutInTheBlockPhaseAsksAtOnceAndRetryStartsOver() {
        QFETCH(bool, read);
        LinkBench bench;
        fillImage(bench.state, 2);
        bench.port.radio.dropBlock = 5;
        doubles->messages.answers = {BoxAnswer::Retry};
        read ? bench.link.startRead() : bench.link.startWrite(false, QString());
        bench.port.pump();
        QCOMPARE(bench.port.radio.blockFrames, 6);
        const int before = bench.port.written.size();

        bench.tick();  // the first timeout after the identification
        QCOMPARE(doubles->messages.texts(), QStringList{kCheckConnection});
        const QList<QByteArray> after = bench.port.writtenFrom(before);
        QCOMPARE(after.mid(0, 3), (QList<QByteArray>{entryFrame(), byte(kIdentify), byte(kAck)}));
        QCOMPARE(after[3].left(3), read ? readRequest(0).left(3) : QByteArray("W\0\0", 3));

        bench.run();
        QCOMPARE(bench.host.finished, QList<bool>{true});
        QCOMPARE(bench.port.radio.blockFrames, 6 + (read ? 64 : 48));
        if (read) QVERIFY(bench.state.RadioImage == bench.port.radio.memory);
    }

    void replyLongerThanExpectedKeepsOnlyWhatIsUsed() {
        LinkBench bench;
        fillPattern(bench.port.radio.memory, 4);
        bench.port.radio.extraAfterEntryAck = byte(kAck);  // two acknowledgements in one read
        bench.link.startRead();
        bench.run();
        QCOMPARE(bench.port.written, expectedReadFrames());
        QCOMPARE(bench.host.finished, QList<bool>{true});
        QVERIFY(doubles->messages.shown.isEmpty());
    }

    void dataBlockIsStoredAtTheAddressItCarries() {
        LinkBench bench;
        fillPattern(bench.port.radio.memory, 9);
        fillPattern(bench.state.RadioImage, 200);
        const auto before = bench.state.RadioImage;
        bench.port.radio.wrongAddress.insert(63, 0x050);  // the reply to the request for 0x3F0
        bench.link.startRead();
        bench.run();
        QCOMPARE(bench.host.finished, QList<bool>{true});
        for (int j = 0; j < 16; ++j) {
            QCOMPARE(bench.state.RadioImage[size_t(0x050 + j)],
                     bench.port.radio.memory[size_t(0x3F0 + j)]);
            QCOMPARE(bench.state.RadioImage[size_t(0x3F0 + j)], before[size_t(0x3F0 + j)]);
        }
    }

    void blockReachingPastTheImageIsRefused_data() {
        QTest::addColumn<int>("address");
        QTest::newRow("0x3F1") << 0x3F1;
        QTest::newRow("0x3F8") << 0x3F8;
        QTest::newRow("0x400") << 0x400;
        QTest::newRow("0xFFF0") << 0xFFF0;
    }
    void blockReachingPastTheImageIsRefused() {
        QFETCH(int, address);
        LinkBench bench;
        fillPattern(bench.port.radio.memory, 9);
        fillPattern(bench.state.RadioImage, 77);
        const auto before = bench.state.RadioImage;
        bench.port.radio.wrongAddress.insert(0, address);
        doubles->messages.answers = {BoxAnswer::Cancel};
        bench.link.startRead();
        bench.run();
        QCOMPARE(doubles->messages.texts(), QStringList{kCheckConnection});
        QVERIFY(bench.state.RadioImage == before);
        QCOMPARE(bench.host.finished, QList<bool>{false});
        QVERIFY(!bench.port.opened);
    }

    void modelCheckAsksOnlyAcrossVhfAndUhf_data() {
        QTest::addColumn<int>("imageModel");
        QTest::addColumn<int>("radioModel");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("written");
        QTest::newRow("UHF into UHF") << 0x33 << 0x33 << int(BoxAnswer::Cancel) << false << true;
        QTest::newRow("UHF into other UHF code")
            << 0x33 << 0x00 << int(BoxAnswer::Cancel) << false << true;
        QTest::newRow("VHF into VHF") << 0x32 << 0x32 << int(BoxAnswer::Cancel) << false << true;
        QTest::newRow("VHF into UHF, OK") << 0x32 << 0x33 << int(BoxAnswer::Ok) << true << true;
        QTest::newRow("VHF into UHF, Cancel")
            << 0x32 << 0x33 << int(BoxAnswer::Cancel) << true << false;
        QTest::newRow("UHF into VHF, Cancel")
            << 0x33 << 0x32 << int(BoxAnswer::Cancel) << true << false;
    }
    void modelCheckAsksOnlyAcrossVhfAndUhf() {
        QFETCH(int, imageModel);
        QFETCH(int, radioModel);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, written);
        LinkBench bench;
        fillImage(bench.state, 6);
        bench.state.RadioImage[image::kModelByte] = static_cast<uint8_t>(imageModel);
        bench.port.radio.model = static_cast<uint8_t>(radioModel);
        const auto radioBefore = bench.port.radio.memory;
        doubles->messages.answers = {static_cast<BoxAnswer>(answer)};
        bench.link.startWrite(false, QString());
        bench.run();

        QCOMPARE(doubles->messages.texts(), asked ? QStringList{kBandDiffers} : QStringList());
        if (asked) {
            QCOMPARE(doubles->messages.shown[0].icon, BoxIcon::Warning);
            QCOMPARE(doubles->messages.shown[0].buttons, BoxButtons::OkCancel);
        }
        QCOMPARE(bench.host.finished, QList<bool>{written});
        QVERIFY(!bench.port.opened);
        if (!written) {
            QCOMPARE(bench.port.written,
                     (QList<QByteArray>{entryFrame(), byte(kIdentify), byte(kEnd)}));
            QVERIFY(bench.port.radio.memory == radioBefore);
            QCOMPARE(bench.timer.starts.last(), kCloseAfterFailureMs);
        }
    }

    void identificationTellsWhetherTheSpecialCodeIsAllowed_data() {
        QTest::addColumn<int>("special");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("'0'") << 0x30 << false;
        QTest::newRow("'1'") << 0x31 << true;
        QTest::newRow("0x00") << 0x00 << true;
    }
    void identificationTellsWhetherTheSpecialCodeIsAllowed() {
        QFETCH(int, special);
        QFETCH(bool, allowed);
        LinkBench bench;
        bench.state.SpecialCodeAllowed = !allowed;
        bench.port.radio.special = static_cast<uint8_t>(special);
        bench.link.startRead();
        bench.run();
        QCOMPARE(bench.state.SpecialCodeAllowed, allowed);
    }

    void portThatDoesNotOpenSaysWhyAndCloses() {
        LinkBench bench;
        bench.port.openSucceeds = false;
        bench.port.failure = {SerialOpenCause::NotFound,
                              1,
                              QStringLiteral("/dev/ttyUSB0"),
                              QStringLiteral("No such file or directory"),
                              {},
                              {}};
        bench.link.startRead();
        bench.run();
        QCOMPARE(doubles->messages.shown.size(), 1);
        QVERIFY(doubles->messages.shown[0].text.startsWith(
            QStringLiteral("Please reselect COM port!\n/dev/ttyUSB0: No such file or directory")));
        QCOMPARE(doubles->messages.shown[0].icon, BoxIcon::Error);
        QCOMPARE(doubles->messages.shown[0].buttons, BoxButtons::Ok);
        QVERIFY(bench.port.written.isEmpty());
        QVERIFY(bench.host.captions.isEmpty());
        QCOMPARE(bench.timer.starts, QList<int>{kCloseAfterFailureMs});
        QCOMPARE(bench.host.finished, QList<bool>{false});
    }

    void cancelDuringTransferClosesWithoutEnd() {
        LinkBench bench;
        bench.state.TransferIsRead = true;
        bench.port.radio.dropBlock = 3;
        bench.link.startRead();
        bench.port.pump();
        QVERIFY(bench.port.opened);
        bench.link.unload();
        QVERIFY(!bench.port.opened);
        QVERIFY(!bench.timer.running);
        QVERIFY(!bench.port.written.contains(byte(kEnd)));
        QVERIFY(!bench.state.TransferSucceeded);
        QVERIFY(!bench.state.TransferIsRead);
        QVERIFY(bench.host.finished.isEmpty());
    }

    void cancelInTheClosingPauseLeavesNoSuccessBehind() {
        LinkBench bench;
        bench.state.TransferIsRead = true;
        bench.link.startRead();
        bench.port.pump();  // the whole read, up to the 100 ms closing tick
        QVERIFY(bench.link.closing());
        bench.link.unload();
        QVERIFY(!bench.state.TransferSucceeded);
        QVERIFY(!bench.state.TransferIsRead);
    }

    void lateReplyDoesNotStopTheClosingTick() {
        LinkBench bench;
        bench.port.radio.wrongAddress.insert(0, 0x3F8);
        doubles->messages.answers = {BoxAnswer::Cancel};
        bench.link.startRead();
        bench.port.pump();
        QVERIFY(bench.link.closing());
        // A stray byte arrives before the closing tick.
        bench.port.opened = true;
        bench.port.threshold = 1;
        bench.port.input = byte(kAck);
        bench.port.pump();
        QVERIFY(bench.timer.running);
        bench.run();
        QCOMPARE(bench.host.finished, QList<bool>{false});
    }

    void repliesWhileAQuestionIsOpenAreDropped() {
        LinkBench bench;
        bench.port.radio.dropBlock = 2;
        bench.link.startRead();
        bench.port.pump();
        const int before = bench.port.written.size();
        // The radio's late block arrives while the check-connection question is open.
        class AnswerLate : public MessageBoxes {
        public:
            LinkBench* bench;
            int shown = 0;
            BoxAnswer show(const QString&, const QString&, BoxIcon, BoxButtons) override {
                ++shown;
                uint8_t bytes[16] = {};
                bench->port.input = dataBlock(0x020, bytes);
                bench->port.pump();
                return BoxAnswer::Cancel;
            }
        } late;
        late.bench = &bench;
        platform::setMessages(&late);
        bench.tick();
        platform::setMessages(&doubles->messages);
        QCOMPARE(late.shown, 1);
        QCOMPARE(bench.port.written.size(), before);  // no ACK behind the question
        bench.run();
        QCOMPARE(bench.host.finished, QList<bool>{false});
    }

    void lostPortAsksOnceAndRetryOpensItAgain() {
        LinkBench bench;
        fillPattern(bench.port.radio.memory, 8);
        bench.port.radio.dropBlock = 10;
        bench.link.startRead();
        bench.port.pump();
        bench.port.close();  // the cable is pulled; the port reports it once
        class RetryAfterSecondFailure : public MessageBoxes {
        public:
            ProgrammingLink* link;
            QStringList texts;
            BoxAnswer show(const QString&, const QString& text, BoxIcon, BoxButtons) override {
                texts << text;
                link->portFailed(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("again"));
                return BoxAnswer::Retry;
            }
        } boxes;
        boxes.link = &bench.link;
        platform::setMessages(&boxes);
        bench.link.portFailed(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("Input/output error"));
        platform::setMessages(&doubles->messages);
        QCOMPARE(boxes.texts, QStringList{kCheckConnection +
                                          QStringLiteral("\n/dev/ttyUSB0: Input/output error")});
        QCOMPARE(bench.port.opens, 2);
        bench.run();
        QCOMPARE(bench.host.finished, QList<bool>{true});
        QVERIFY(bench.state.RadioImage == bench.port.radio.memory);
    }

    void lostPortThatDoesNotReopenSaysWhy() {
        LinkBench bench;
        bench.port.radio.dropBlock = 3;
        bench.link.startRead();
        bench.port.pump();
        bench.port.close();
        bench.port.openSucceeds = false;
        bench.port.failure.cause = SerialOpenCause::NotFound;
        doubles->messages.answers = {BoxAnswer::Retry};
        bench.link.portFailed(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("gone"));
        bench.run();
        QCOMPARE(doubles->messages.shown.size(), 2);  // the question, then why it cannot open
        QVERIFY(doubles->messages.shown[1].text.startsWith(QStringLiteral("Please reselect")));
        QCOMPARE(bench.host.finished, QList<bool>{false});
    }

    void failureOutsideATransferIsQuiet() {
        LinkBench bench;
        bench.link.portFailed(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("gone"));
        QVERIFY(doubles->messages.shown.isEmpty());
        QVERIFY(!bench.timer.running);
    }

    void chineseTexts() {
        globalState().EnglishMode = false;
        LinkBench bench;
        bench.port.radio.silent = true;
        doubles->messages.answers = {BoxAnswer::Cancel};
        bench.link.startRead();
        bench.run();
        QCOMPARE(bench.host.captions, QStringList{QStringLiteral("从对讲机读取数据")});
        QCOMPARE(doubles->messages.texts(), QStringList{QStringLiteral("检测连接！重试或取消？")});

        LinkBench write;
        fillImage(write.state, 1);
        write.state.RadioImage[image::kModelByte] = image::kModelVhf;
        doubles->messages.answers = {BoxAnswer::Cancel};
        write.link.startWrite(false, QString());
        write.run();
        QCOMPARE(write.host.captions, QStringList{QStringLiteral("往对讲机写入数据")});
        QCOMPARE(doubles->messages.texts().last(), QStringLiteral("与机器频段不同,是否覆盖？"));
    }

private:
    ScopedDoubles* doubles = nullptr;
};
KORVA_TEST(ProgrammingLinkTest);

class LinkTextsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { globalState().EnglishMode = false; }

    void progressText_data() {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << true << QStringLiteral("Complete:%");
        QTest::newRow("one block of a read")
            << 16.0 / 1024 << true << QStringLiteral("Complete:2%");
        QTest::newRow("half up") << 0.125 << true << QStringLiteral("Complete:13%");
        QTest::newRow("just below a half") << 0.004 << true << QStringLiteral("Complete:%");
        QTest::newRow("half a percent") << 0.005 << true << QStringLiteral("Complete:1%");
        QTest::newRow("full") << 1.0 << true << QStringLiteral("Complete:100%");
        QTest::newRow("chinese") << 0.5 << false << QStringLiteral("完成进度:50%");
        QTest::newRow("chinese zero") << 0.0 << false << QStringLiteral("完成进度:%");
    }
    void progressText() {
        QFETCH(double, fraction);
        QFETCH(bool, english);
        QFETCH(QString, text);
        globalState().EnglishMode = english;
        QCOMPARE(radiolink::progressText(fraction), text);
    }

    void openFailureMessage_data() {
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("no device")
            << int(SerialOpenCause::NoDevice)
            << "Please reselect COM port!\nCOM70 has no device. Add \"COM70=<device path>\" "
               "under [Ports] in ~/.config/Zorvek/KORVA-77.conf."
            << "请重新选择端口！\nCOM70 没有对应的设备。请在 ~/.config/Zorvek/KORVA-77.conf 的 "
               "[Ports] 中加入 \"COM70=<设备路径>\"。";
        QTest::newRow("not found")
            << int(SerialOpenCause::NotFound)
            << "Please reselect COM port!\n/dev/ttyUSB0: why\nIs the programming cable plugged in?"
            << "请重新选择端口！\n/dev/ttyUSB0: why\n编程线是否已连接？";
        QTest::newRow("no access")
            << int(SerialOpenCause::NoAccess)
            << "Please reselect COM port!\n/dev/ttyUSB0: why\nThe port belongs to the group "
               "\"dialout\". Join it with \"sudo usermod -aG dialout ann\", then log out and "
               "back in."
            << "请重新选择端口！\n/dev/ttyUSB0: why\n该端口属于用户组 \"dialout\"。请用 \"sudo "
               "usermod -aG dialout ann\" 加入该组，然后注销并重新登录。";
        QTest::newRow("group not active")
            << int(SerialOpenCause::GroupNotActive)
            << "Please reselect COM port!\n/dev/ttyUSB0: why\nYou are in the group \"dialout\", "
               "but this session started before you joined it: log out and back in."
            << "请重新选择端口！\n/dev/ttyUSB0: why\n您已在用户组 \"dialout\" 中，但当前登录会话"
               "开始于加入之前：请注销并重新登录。";
        QTest::newRow("in use")
            << int(SerialOpenCause::InUse)
            << "Please reselect COM port!\n/dev/ttyUSB0: why\nThe port is in use by another "
               "program. Close that program first."
            << "请重新选择端口！\n/dev/ttyUSB0: why\n该端口正被其他程序使用，请先关闭该程序。";
        QTest::newRow("other") << int(SerialOpenCause::Other)
                               << "Please reselect COM port!\n/dev/ttyUSB0: why"
                               << "请重新选择端口！\n/dev/ttyUSB0: why";
    }
    void openFailureMessage() {
        QFETCH(int, cause);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        SerialOpenFailure failure;
        failure.cause = static_cast<SerialOpenCause>(cause);
        failure.portNumber = failure.cause == SerialOpenCause::NoDevice ? 70 : 1;
        if (failure.cause != SerialOpenCause::NoDevice) {
            failure.device = QStringLiteral("/dev/ttyUSB0");
            failure.reason = QStringLiteral("why");
        }
        failure.group = QStringLiteral("dialout");
        failure.user = QStringLiteral("ann");
        globalState().EnglishMode = true;
        QCOMPARE(radiolink::portOpenFailureMessage(failure), english);
        globalState().EnglishMode = false;
        QCOMPARE(radiolink::portOpenFailureMessage(failure), chinese);
        QVERIFY(!english.contains(QStringLiteral("chmod")));
        QVERIFY(!english.contains(QStringLiteral("root")));
    }

    void permissionDiagnosis_data() {
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<bool>("userInGroup");
        QTest::addColumn<bool>("processInGroup");
        QTest::addColumn<bool>("groupMayUse");
        QTest::addColumn<int>("cause");
        QTest::newRow("accessible: another program has it")
            << true << false << false << true << int(SerialOpenCause::InUse);
        QTest::newRow("accessible through the group")
            << true << true << true << true << int(SerialOpenCause::InUse);
        QTest::newRow("not in the group")
            << false << false << false << true << int(SerialOpenCause::NoAccess);
        QTest::newRow("joined, session older")
            << false << true << false << true << int(SerialOpenCause::GroupNotActive);
        QTest::newRow("in the group, still refused")
            << false << true << true << true << int(SerialOpenCause::Other);
        QTest::newRow("device for its owner only")
            << false << false << false << false << int(SerialOpenCause::Other);
    }
    void permissionDiagnosis() {
        QFETCH(bool, accessible);
        QFETCH(bool, userInGroup);
        QFETCH(bool, processInGroup);
        QFETCH(bool, groupMayUse);
        QFETCH(int, cause);
        DeviceAccessFacts facts;
        facts.groupMayUse = groupMayUse;
        facts.accessible = accessible;
        facts.userInGroup = userInGroup;
        facts.processInGroup = processInGroup;
        QCOMPARE(int(diagnosePermission(facts)), cause);
    }

    void accessFactsOfARealFile() {
        const DeviceAccessFacts facts = gatherAccessFacts(QStringLiteral("/dev/null"));
        QVERIFY(facts.accessible);
        QVERIFY(!facts.user.isEmpty());
        QVERIFY(!facts.group.isEmpty());
        QVERIFY(!gatherAccessFacts(QStringLiteral("/nonexistent/tty")).accessible);
    }

    void serialSettings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("baud");
        QTest::addColumn<QString>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("stopTimesTwo");
        QTest::newRow("radio") << "9600,N,8,1" << true << 9600 << "N" << 8 << 2;
        QTest::newRow("lower case, spaces") << " 4800, e ,7,2" << true << 4800 << "E" << 7 << 4;
        QTest::newRow("one and a half") << "1200,O,5,1.5" << true << 1200 << "O" << 5 << 3;
        QTest::newRow("three parts") << "9600,N,8" << false << 0 << "" << 0 << 0;
        QTest::newRow("bad parity") << "9600,X,8,1" << false << 0 << "" << 0 << 0;
        QTest::newRow("bad baud") << "fast,N,8,1" << false << 0 << "" << 0 << 0;
        QTest::newRow("nine data bits") << "9600,N,9,1" << false << 0 << "" << 0 << 0;
        QTest::newRow("three stop bits") << "9600,N,8,3" << false << 0 << "" << 0 << 0;
    }
    void serialSettings() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto parsed = parseSerialSettings(text);
        QCOMPARE(parsed.has_value(), valid);
        if (!valid) return;
        QFETCH(int, baud);
        QFETCH(QString, parity);
        QFETCH(int, dataBits);
        QFETCH(int, stopTimesTwo);
        QCOMPARE(parsed->baud, baud);
        QCOMPARE(QString(QLatin1Char(parsed->parity)), parity);
        QCOMPARE(parsed->dataBits, dataBits);
        QCOMPARE(parsed->stopBitsTimesTwo, stopTimesTwo);
    }
};
KORVA_TEST(LinkTextsTest);

// The pages after a completed read, and the band extension that must survive them.
class RefreshAfterReadTest : public QObject {
    Q_OBJECT
    class RecordingWorkbench : public Workbench {
    public:
        GlobalState* state = nullptr;
        QStringList calls;
        void AnalyseModel() override {
            calls << QStringLiteral("AnalyseModel");
            analyseModel(*state);
        }
        void AnalyseSoftwareData() override { calls << QStringLiteral("AnalyseSoftwareData"); }
        void AnalyseChannelInformation() override {
            calls << QStringLiteral("AnalyseChannelInformation");
        }
        void AnalyseOption() override { calls << QStringLiteral("AnalyseOption"); }
        void AnalyseKeySetting() override { calls << QStringLiteral("AnalyseKeySetting"); }
    };

private slots:
    void pagesRefreshedInOrder_data() {
        QTest::addColumn<bool>("optionOpen");
        QTest::addColumn<bool>("keyOpen");
        QTest::addColumn<QStringList>("calls");
        const QString model = QStringLiteral("AnalyseModel");
        const QString channels = QStringLiteral("AnalyseChannelInformation");
        QTest::newRow("channel page only") << false << false << QStringList{model, channels};
        QTest::newRow("all pages") << true << true
                                   << QStringList{model, channels, QStringLiteral("AnalyseOption"),
                                                  QStringLiteral("AnalyseKeySetting")};
        QTest::newRow("key page") << false << true
                                  << QStringList{model, channels,
                                                 QStringLiteral("AnalyseKeySetting")};
    }
    void pagesRefreshedInOrder() {
        QFETCH(bool, optionOpen);
        QFETCH(bool, keyOpen);
        QFETCH(QStringList, calls);
        GlobalState state;
        state.OptionPageOpen = optionOpen;
        state.KeyPageOpen = keyOpen;
        RecordingWorkbench workbench;
        workbench.state = &state;
        radiolink::refreshPagesAfterRead(state, workbench);
        QCOMPARE(workbench.calls, calls);
    }

    void bandExtensionSurvivesTheRefresh_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("working");
        QTest::newRow("400-480, option on") << 147 << 1 << 520;
        QTest::newRow("400-430, option on") << 67 << 1 << 520;
        QTest::newRow("400-480, option off") << 147 << 0 << 480;
        QTest::newRow("440-480, option on") << 51 << 1 << 480;
    }
    void bandExtensionSurvivesTheRefresh() {
        QFETCH(int, code);
        QFETCH(int, option);
        QFETCH(int, working);
        // Before the read the state shows a VHF band; the read brought a UHF image.
        GlobalState state;
        state.BandLowerMHz = 136;
        state.BandUpperMHz = 174;
        state.WorkingUpperMHz = 174;
        const auto record = modelRecord(false, static_cast<uint8_t>(code));
        std::copy(record.begin(), record.end(), state.RadioImage.begin() + image::kModelRecord);
        state.RadioImage[image::kExtensionOption] = static_cast<uint8_t>(option);
        RecordingWorkbench workbench;
        workbench.state = &state;
        radiolink::refreshPagesAfterRead(state, workbench);
        QCOMPARE(state.WorkingUpperMHz, working);
        // Identification alone (File Open of the same data) shows the nominal limit.
        analyseModel(state);
        QCOMPARE(state.WorkingUpperMHz, state.BandUpperMHz);
    }
};
KORVA_TEST(RefreshAfterReadTest);

#include "programming_link_test.moc"
