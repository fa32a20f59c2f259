#include "pty_radio.h"

#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

constexpr char kEntry = 'Q';  // "QLAV462"
constexpr int kEntrySize = 7;
constexpr char kIdentify = 0x02;
constexpr char kAck = 0x06;
constexpr char kRead = 'R';
constexpr int kReadSize = 4;
constexpr char kWrite = 'W';
constexpr int kBlockFrameSize = 20;
constexpr char kEnd = 'E';

}  // namespace

PtyRadio::PtyRadio() = default;

PtyRadio::~PtyRadio() {
    delete notifier_;
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool PtyRadio::open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error_ = QStringLiteral("pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    device_ = QString::fromLocal8Bit(::ptsname(master_));
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (slave_ < 0 || ::tcgetattr(slave_, &raw) != 0) {
        error_ = QStringLiteral("%1: %2").arg(device_, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
    notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &PtyRadio::readable);
    return true;
}

int PtyRadio::frameLength() const {
    if (input_.isEmpty()) return 0;
    int length = 1;
    switch (input_[0]) {
        case kEntry:
            length = kEntrySize;
            break;
        case kRead:
            length = kReadSize;
            break;
        case kWrite:
            length = kBlockFrameSize;
            break;
    }
    return input_.size() >= length ? length : 0;
}

void PtyRadio::readable() {
    char buffer[256];
    const ssize_t got = ::read(master_, buffer, sizeof buffer);
    if (got <= 0) return;
    input_.append(buffer, int(got));
    while (const int length = frameLength()) {
        const QByteArray frame = input_.left(length);
        input_.remove(0, length);
        switch (frame[0]) {
            case kEntry:
            case kAck:
                reply(QByteArray(1, kAck));
                break;
            case kIdentify:
                reply(QByteArray("P") + char(model) + QByteArray("207\x93\xF8\xFF", 6));
                break;
            case kRead:
            case kWrite: {
                if (++blockFrames == garbageAtBlock) {
                    reply(garbage);
                    break;
                }
                const int address = uint8_t(frame[1]) * 256 + uint8_t(frame[2]);
                if (frame[0] == kWrite) {
                    for (int j = 0; j < 16 && address + j < 1024; ++j)
                        memory[size_t(address + j)] = uint8_t(frame[4 + j]);
                    reply(QByteArray(1, kAck));
                    break;
                }
                QByteArray block = frame.left(kReadSize);
                block[0] = kWrite;
                for (int j = 0; j < 16; ++j)
                    block.append(char(address + j < 1024 ? memory[size_t(address + j)] : 0));
                reply(block);
                break;
            }
            case kEnd:
                blockFrames = 0;
                break;
            default:  // a byte no radio expects: dropped
                break;
        }
    }
}

void PtyRadio::reply(const QByteArray& bytes) {
    if (!bytes.isEmpty()) (void)::write(master_, bytes.constData(), size_t(bytes.size()));
}
