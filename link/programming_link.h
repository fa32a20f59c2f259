#pragma once
// The programming link with the radio: program-mode entry, identification, the block phase
// of the whole-image read (64 blocks 0x000..0x3F0) and write (48 blocks 0x000..0x2F0),
// timeouts, silent restarts and the check-connection question, the end of a transfer and
// its closing step.
//
// A plain class driven by events: start (Read or Write clicked), receive events and
// failures of the port, timer ticks. It acts through the serial port, a one-shot timer, the
// message boxes of platform::messages() and the window that shows it (LinkHost). It never
// waits, except the radio's own 200 ms after the final 'E'.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "core/global_state.h"
#include "platform/serial_port.h"

class Workbench;

namespace radiolink {

// Bytes and limits of the protocol.
constexpr char kPortSettings[] = "9600,N,8,1";
constexpr char kEntryFrame[] = "QLAV462";  // sent as its seven character codes
constexpr int kEntryFrameSize = 7;
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kIdentify = 0x02;
constexpr uint8_t kEnd = 0x45;          // 'E': end of programming, or refusal
constexpr uint8_t kReadRequest = 0x52;  // 'R'
constexpr uint8_t kDataBlock = 0x57;    // 'W', both the radio's data and a write block
constexpr uint8_t kBlockLength = 0x10;
constexpr int kBlockSize = 16;
constexpr int kIdentificationSize = 8;
constexpr int kIdModelByte = 1;    // identification byte with the radio's model code
constexpr int kIdSpecialByte = 3;  // '0' when the radio has no special CDCSS code
constexpr uint8_t kNoSpecialCode = 0x30;
constexpr int kReadRequestSize = 4;
constexpr int kBlockFrameSize = 20;  // 'W', address high, address low, 0x10, 16 bytes
constexpr int kBlockHeaderSize = 4;
constexpr int kReadEnd = 0x400;           // a read covers 0x000..0x3FF
constexpr int kWriteEnd = 0x300;          // a write covers 0x000..0x2FF
constexpr int kNewPasswordBlock = 0x2F0;  // the block carrying the radio's password
constexpr uint8_t kVoxLevelBits = 0x0F;   // low nibble of image byte 309, cleared before a write

constexpr int kReplyTimeoutMs = 1000;
constexpr int kSilentRestarts = 10;
constexpr int kEndWaitMs = 200;
constexpr int kCloseAfterSuccessMs = 100;
constexpr int kCloseAfterFailureMs = 1;

// Position in the exchange.
enum class LinkState {
    Idle = 0,           // nothing sent
    EntrySent = 1,      // program-mode entry string sent
    IdRequested = 2,    // identification requested
    AwaitingAck = 3,    // waiting for the radio's 0x06
    AwaitingBlock = 4,  // read request sent, waiting for the data block
};

// One-shot timer: start() (re)arms it for the interval, stop() disarms it; when it expires
// the owner calls ProgrammingLink::timerTick().
class LinkTimer {
public:
    virtual ~LinkTimer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

// The window around the link.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    // The caption once a transfer starts ("Read data from radio", ...).
    virtual void setCaption(const QString& caption) = 0;
    // Progress fraction 0..1 and its text ("Complete:50%").
    virtual void showProgress(double fraction, const QString& text) = 0;
    // The closing step: the transfer is over; succeeded tells whether it reached its end.
    // The window shows the outcome, refreshes the pages after a read and unloads.
    virtual void finish(bool succeeded) = 0;
    // The radio's pause after the final 'E'; blocks the caller.
    virtual void blockingWait(int ms) = 0;
};

class ProgrammingLink : public SerialPortListener {
public:
    // state: image, direction and outcome flags, port number; all must outlive the link.
    ProgrammingLink(GlobalState& state, SerialPort& port, LinkTimer& timer, LinkHost& host);
    ~ProgrammingLink() override;
    ProgrammingLink(const ProgrammingLink&) = delete;
    ProgrammingLink& operator=(const ProgrammingLink&) = delete;

    // Window load: counters cleared, port prepared (not opened, no receive events).
    void load();
    // Read clicked.
    void startRead();
    // Write clicked: clears the VOX level bits of byte 309, then starts. When
    // newPasswordPending, the block at 0x2F0 carries newPassword instead of the image's
    // programming password (the image itself is not changed).
    void startWrite(bool newPasswordPending, const QString& newPassword);
    // The window's timer expired.
    void timerTick();
    // Window unload: the port closes if it is still open; no 'E' is sent.
    void unload();

    // SerialPortListener
    void receiveEvent(int eventCode) override;
    void portFailed(const QString& device, const QString& reason) override;

    LinkState state() const { return state_; }
    int retryCount() const { return retryCount_; }
    bool promptOpen() const { return promptOpen_; }
    bool awaitingReply() const { return awaitingReply_; }
    bool closing() const { return closing_; }
    bool reading() const { return reading_; }
    int nextAddress() const { return nextHigh_ * 256 + nextLow_; }
    int endAddress() const { return endHigh_ * 256 + endLow_; }

private:
    void start(const QString& caption);
    void restart();
    bool openPort();
    void sendEntryFrame();
    void failedEntryAttempt();
    void handleIdentification(const QByteArray& reply);
    bool modelCheckPasses(const QByteArray& identification);
    void setRange();
    void blockStep();
    bool storeBlock(const QByteArray& reply);
    void endOfTransfer();
    void closingStep();
    void wrongReply();
    void askCheckConnection(const QString& detail = QString());
    void closeSoon();
    void armTimer();
    void showProgress();
    void write(const QByteArray& bytes);
    void write(uint8_t byte) { write(QByteArray(1, static_cast<char>(byte))); }

    GlobalState& global_;
    SerialPort& port_;
    LinkTimer& timer_;
    LinkHost& host_;

    LinkState state_ = LinkState::Idle;
    int retryCount_ = 0;
    bool promptOpen_ = false;
    bool awaitingReply_ = false;
    bool closing_ = false;
    bool reading_ = true;
    bool newPasswordPending_ = false;
    QString newPassword_;
    int timerIntervalMs_ = kReplyTimeoutMs;
    int nextHigh_ = 0;
    int nextLow_ = 0;
    int endHigh_ = 0;
    int endLow_ = 0;
};

// "Complete:" / "完成进度:" and the fraction as a whole percentage without leading zeros
// ("Complete:%" at 0, "Complete:100%" at 1); halves round up.
QString progressText(double fraction);

// The message shown when the port does not open: "Please reselect COM port!" / "请重新选择
// 端口！", then the device and the system's reason, then what to do about it.
QString portOpenFailureMessage(const SerialOpenFailure& failure);

// After a successful read: the model from the image, then the band-extension rule (520 MHz
// with byte 300 = 1 on a 400 MHz band), then the channel page, and the function-setup and
// key pages when they are open.
void refreshPagesAfterRead(GlobalState& state, Workbench& workbench);

}  // namespace radiolink
