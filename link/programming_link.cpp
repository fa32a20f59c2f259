#include "link/programming_link.h"

#include <algorithm>
#include <cmath>

#include "core/data_files.h"
#include "core/radio_image.h"
#include "core/workbench.h"
#include "platform/platform.h"

namespace radiolink {

namespace {

uint8_t byteAt(const QByteArray& bytes, int index) {
    return index < bytes.size() ? static_cast<uint8_t>(bytes[index]) : 0;
}

}  // namespace

ProgrammingLink::ProgrammingLink(GlobalState& state, SerialPort& port, LinkTimer& timer,
                                 LinkHost& host)
    : global_(state), port_(port), timer_(timer), host_(host) {}

ProgrammingLink::~ProgrammingLink() { port_.setListener(nullptr); }

void ProgrammingLink::load() {
    retryCount_ = 0;
    promptOpen_ = false;
    port_.setListener(this);
    port_.setPortNumber(global_.ComPortNumber);
    port_.setSettings(QString::fromLatin1(kPortSettings));
    port_.setReceiveThreshold(0);
    global_.TransferSucceeded = false;
    closing_ = false;
    state_ = LinkState::Idle;
}

void ProgrammingLink::startRead() {
    reading_ = true;
    start(pick("Read data from radio", "从对讲机读取数据"));
}

void ProgrammingLink::startWrite(bool newPasswordPending, const QString& newPassword) {
    reading_ = false;
    newPasswordPending_ = newPasswordPending;
    newPassword_ = newPassword;
    global_.RadioImage[image::kVoxLevel] &= static_cast<uint8_t>(~kVoxLevelBits);
    start(pick("Write data into radio", "往对讲机写入数据"));
}

void ProgrammingLink::start(const QString& caption) {
    state_ = LinkState::Idle;
    awaitingReply_ = true;
    if (!port_.isOpen() && !openPort()) return;
    host_.setCaption(caption);
    timerIntervalMs_ = kReplyTimeoutMs;
    armTimer();
    sendEntryFrame();
}

// The exchange begins again from the handshake; the block phase will begin again at the
// first block. A port lost on the way is opened again.
void ProgrammingLink::restart() {
    state_ = LinkState::Idle;
    awaitingReply_ = true;
    if (!port_.isOpen() && !openPort()) return;
    timerIntervalMs_ = kReplyTimeoutMs;
    armTimer();
    sendEntryFrame();
}

bool ProgrammingLink::openPort() {
    if (port_.open()) return true;
    platform::messages().show(QString::fromLatin1(kAppTitle),
                              portOpenFailureMessage(port_.openFailure()), BoxIcon::Error,
                              BoxButtons::Ok);
    closeSoon();
    return false;
}

void ProgrammingLink::sendEntryFrame() {
    state_ = LinkState::EntrySent;
    port_.setReceiveThreshold(1);
    port_.discardInput();
    write(QByteArray(kEntryFrame, kEntryFrameSize));
}

void ProgrammingLink::receiveEvent(int eventCode) {
    if (eventCode != kReceiveData) return;
    const QByteArray reply = port_.readAll();
    // Once the transfer is over, or while a question is on screen, late replies are read
    // and dropped: they must neither stop the closing tick nor carry the exchange on
    // behind the question.
    if (closing_ || promptOpen_) return;
    awaitingReply_ = false;
    timer_.stop();

    switch (state_) {
        case LinkState::Idle:
            break;
        case LinkState::EntrySent:
            if (byteAt(reply, 0) == kAck) {
                state_ = LinkState::IdRequested;
                port_.setReceiveThreshold(kIdentificationSize);
                write(kIdentify);
                awaitingReply_ = true;
                armTimer();
            } else {
                failedEntryAttempt();
            }
            break;
        case LinkState::IdRequested:
            handleIdentification(reply);
            break;
        case LinkState::AwaitingAck:
            if (byteAt(reply, 0) == kAck)
                blockStep();
            else
                wrongReply();
            break;
        case LinkState::AwaitingBlock:
            if (byteAt(reply, 0) == kDataBlock && storeBlock(reply)) {
                state_ = LinkState::AwaitingAck;
                port_.setReceiveThreshold(1);
                write(kAck);
                awaitingReply_ = true;
                armTimer();
                retryCount_ = kSilentRestarts;
            } else {
                wrongReply();
            }
            break;
    }
}

void ProgrammingLink::failedEntryAttempt() {
    ++retryCount_;
    if (retryCount_ <= kSilentRestarts) {
        restart();
        return;
    }
    retryCount_ = 0;
    askCheckConnection();
}

void ProgrammingLink::wrongReply() { askCheckConnection(); }

// The check-connection question. Retry begins the exchange again with a fresh count of
// silent restarts; Cancel closes the port and then the window.
void ProgrammingLink::askCheckConnection(const QString& detail) {
    timer_.stop();
    promptOpen_ = true;
    QString text = pick("Check connection!Retry or cancel?", "检测连接！重试或取消？");
    if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
    const BoxAnswer answer = platform::messages().show(QString::fromLatin1(kAppTitle), text,
                                                       BoxIcon::Error, BoxButtons::RetryCancel);
    promptOpen_ = false;
    if (answer == BoxAnswer::Retry) {
        retryCount_ = 0;
        restart();
    } else {
        port_.close();
        closeSoon();
    }
}

void ProgrammingLink::handleIdentification(const QByteArray& reply) {
    state_ = LinkState::AwaitingAck;
    uint8_t answer = kAck;
    if (!reading_ && !modelCheckPasses(reply)) {
        answer = kEnd;
        closing_ = true;
    }
    if (!closing_) global_.SpecialCodeAllowed = byteAt(reply, kIdSpecialByte) != kNoSpecialCode;
    setRange();
    write(answer);
    if (closing_) {
        port_.close();
        timerIntervalMs_ = kCloseAfterFailureMs;
        armTimer();
    } else {
        port_.setReceiveThreshold(1);
        awaitingReply_ = true;
        armTimer();
        retryCount_ = kSilentRestarts;
    }
}

// Before a write: a VHF image into a UHF radio, or the other way round, is written only
// when the user agrees. Different bands of the same kind pass without a question.
bool ProgrammingLink::modelCheckPasses(const QByteArray& identification) {
    const bool radioVhf = byteAt(identification, kIdModelByte) == image::kModelVhf;
    const bool imageVhf = global_.RadioImage[image::kModelByte] == image::kModelVhf;
    if (radioVhf == imageVhf) return true;
    promptOpen_ = true;
    const BoxAnswer answer = platform::messages().show(
        QString::fromLatin1(kAppTitle),
        pick("Frequency band is different,Overwrite?", "与机器频段不同,是否覆盖？"),
        BoxIcon::Warning, BoxButtons::OkCancel);
    promptOpen_ = false;
    return answer == BoxAnswer::Ok;
}

void ProgrammingLink::setRange() {
    nextHigh_ = 0;
    nextLow_ = 0;
    const int end = reading_ ? kReadEnd : kWriteEnd;
    endHigh_ = end / 256;
    endLow_ = end % 256;
}

void ProgrammingLink::showProgress() {
    const double total = reading_ ? kReadEnd : kWriteEnd;
    const double fraction = std::min(1.0, nextAddress() / total);
    host_.showProgress(fraction, progressText(fraction));
}

// An acknowledgement arrived: show the progress, then request or send the next block, or
// end the transfer after the last one.
void ProgrammingLink::blockStep() {
    showProgress();
    if (nextHigh_ >= endHigh_ && nextLow_ >= endLow_) {
        endOfTransfer();
        return;
    }
    QByteArray frame;
    frame.append(static_cast<char>(reading_ ? kReadRequest : kDataBlock));
    frame.append(static_cast<char>(nextHigh_));
    frame.append(static_cast<char>(nextLow_));
    frame.append(static_cast<char>(kBlockLength));
    if (reading_) {
        state_ = LinkState::AwaitingBlock;
        port_.setReceiveThreshold(kBlockFrameSize);
    } else {
        const int address = nextAddress();
        for (int j = 0; j < kBlockSize; ++j)
            frame.append(static_cast<char>(global_.RadioImage[address + j]));
        if (newPasswordPending_ && address >= kNewPasswordBlock && address < kWriteEnd) {
            uint8_t codes[image::kPasswordSize];
            passwordToBytes(newPassword_, codes, image::kPasswordSize);
            for (int j = 0; j < image::kPasswordSize; ++j)
                frame[kBlockHeaderSize + j] = static_cast<char>(codes[j]);
        }
    }
    write(frame);
    nextLow_ += kBlockSize;
    if (nextLow_ >= 256) {
        nextHigh_ += 1;
        nextLow_ -= 256;
    }
    awaitingReply_ = true;
    armTimer();
    retryCount_ = kSilentRestarts;
}

// A data block goes to the image at the address it carries. A block that would reach
// past the end of the image is refused.
bool ProgrammingLink::storeBlock(const QByteArray& reply) {
    if (reply.size() < kBlockFrameSize) return false;
    const int address = byteAt(reply, 1) * 256 + byteAt(reply, 2);
    if (address + kBlockSize > image::kSize) return false;
    for (int j = 0; j < kBlockSize; ++j)
        global_.RadioImage[address + j] = byteAt(reply, kBlockHeaderSize + j);
    return true;
}

void ProgrammingLink::endOfTransfer() {
    write(kEnd);
    host_.blockingWait(kEndWaitMs);
    port_.close();
    closing_ = true;
    global_.TransferSucceeded = true;
    timerIntervalMs_ = kCloseAfterSuccessMs;
    armTimer();
}

void ProgrammingLink::timerTick() {
    timer_.stop();
    if (closing_) {
        closingStep();
    } else if (awaitingReply_ && !promptOpen_) {
        failedEntryAttempt();
    }
}

void ProgrammingLink::closingStep() {
    closing_ = false;
    const bool succeeded = global_.TransferSucceeded;
    global_.TransferSucceeded = false;
    host_.finish(succeeded);
}

// The port failed under the transfer (cable pulled, write error); it is closed already.
// A running transfer asks the check-connection question once; Retry opens the port again.
void ProgrammingLink::portFailed(const QString& device, const QString& reason) {
    if (closing_ || promptOpen_) return;
    if (state_ == LinkState::Idle && !awaitingReply_) return;
    awaitingReply_ = false;
    askCheckConnection(QStringLiteral("%1: %2").arg(device, reason));
}

void ProgrammingLink::unload() {
    timer_.stop();
    closing_ = false;
    port_.close();
    global_.TransferSucceeded = false;
    global_.TransferIsRead = false;
}

void ProgrammingLink::closeSoon() {
    closing_ = true;
    timerIntervalMs_ = kCloseAfterFailureMs;
    armTimer();
}

void ProgrammingLink::armTimer() { timer_.start(timerIntervalMs_); }

void ProgrammingLink::write(const QByteArray& bytes) { port_.write(bytes); }

QString progressText(double fraction) {
    const int percent = static_cast<int>(std::floor(fraction * 100.0 + 0.5));
    const QString digits = percent == 0 ? QString() : QString::number(percent);
    return pick("Complete:", "完成进度:") + digits + QLatin1Char('%');
}

QString portOpenFailureMessage(const SerialOpenFailure& failure) {
    QStringList lines;
    lines << pick("Please reselect COM port!", "请重新选择端口！");
    const QString port = QStringLiteral("COM%1").arg(failure.portNumber);
    const QString device = failure.device;
    const QString where =
        failure.reason.isEmpty() ? device : QStringLiteral("%1: %2").arg(device, failure.reason);
    switch (failure.cause) {
        case SerialOpenCause::NoDevice:
            lines << pick(QStringLiteral("%1 has no device. Add \"%1=<device path>\" under "
                                         "[Ports] in ~/.config/Zorvek/KORVA-77.conf.")
                              .arg(port),
                          QStringLiteral("%1 没有对应的设备。请在 ~/.config/Zorvek/KORVA-77.conf "
                                         "的 [Ports] 中加入 \"%1=<设备路径>\"。")
                              .arg(port));
            break;
        case SerialOpenCause::NotFound:
            lines << where;
            lines << pick("Is the programming cable plugged in?", "编程线是否已连接？");
            break;
        case SerialOpenCause::NoAccess: {
            const QString command =
                QStringLiteral("sudo usermod -aG %1 %2")
                    .arg(failure.group,
                         failure.user.isEmpty() ? QStringLiteral("$USER") : failure.user);
            lines << where;
            lines << pick(QStringLiteral("The port belongs to the group \"%1\". Join it with "
                                         "\"%2\", then log out and back in.")
                              .arg(failure.group, command),
                          QStringLiteral("该端口属于用户组 \"%1\"。请用 \"%2\" 加入该组，"
                                         "然后注销并重新登录。")
                              .arg(failure.group, command));
            break;
        }
        case SerialOpenCause::GroupNotActive:
            lines << where;
            lines << pick(QStringLiteral("You are in the group \"%1\", but this session "
                                         "started before you joined it: log out and back in.")
                              .arg(failure.group),
                          QStringLiteral("您已在用户组 \"%1\" 中，但当前登录会话开始于加入之前："
                                         "请注销并重新登录。")
                              .arg(failure.group));
            break;
        case SerialOpenCause::InUse:
            lines << where;
            lines << pick("The port is in use by another program. Close that program first.",
                          "该端口正被其他程序使用，请先关闭该程序。");
            break;
        case SerialOpenCause::Other:
            lines << where;
            break;
    }
    return lines.join(QLatin1Char('\n'));
}

void refreshPagesAfterRead(GlobalState& state, Workbench& workbench) {
    workbench.AnalyseModel();
    applyWorkingLimitAfterRead(state);
    workbench.AnalyseChannelInformation();
    if (state.OptionPageOpen) workbench.AnalyseOption();
    if (state.KeyPageOpen) workbench.AnalyseKeySetting();
}

}  // namespace radiolink
