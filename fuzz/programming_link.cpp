// The protocol state machine fed any sequence of radio replies, timer expiries, port
// failures and answers to its questions, for a read and for a write. Properties:
// - no block is stored outside the image (the standard library's and Qt's index checks
//   are on in this build), a write never changes the image beyond the VOX level bits, and
//   a read that does not complete leaves the image as it was;
// - a write never sends a block for 0x300..0x3FF, and a read never sends a write block;
// - nothing is written to a closed port;
// - the timer runs whenever the link waits for the radio, and once the radio and the user
//   give no more input (silence, Cancel), the transfer always reaches its closing step with
//   the port closed.
#include <QByteArray>
#include <QList>

#include "core/global_state.h"
#include "core/radio_image.h"
#include "fuzz_support.h"
#include "link/programming_link.h"
#include "platform/platform.h"

using namespace radiolink;

namespace {

// Everything the link does to the outside, checked as it happens.
struct World;

class FuzzPort : public SerialPort {
public:
    explicit FuzzPort(World& world) : world_(world) {}
    void setListener(SerialPortListener* l) override { listener = l; }
    void setPortNumber(int n) override { number = n; }
    int portNumber() const override { return number; }
    bool setSettings(const QString&) override { return true; }
    void setReceiveThreshold(int bytes) override { threshold = bytes; }
    int receiveThreshold() const override { return threshold; }
    bool open() override;
    SerialOpenFailure openFailure() const override { return {}; }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    QString devicePath() const override { return QStringLiteral("/dev/ttyUSB0"); }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override {
        const QByteArray all = input;
        input.clear();
        return all;
    }
    void discardInput() override { input.clear(); }

    SerialPortListener* listener = nullptr;
    int number = 0;
    int threshold = 0;
    bool opened = false;
    QByteArray input;
    QByteArray lastFrame;

private:
    World& world_;
};

class FuzzTimer : public LinkTimer {
public:
    void start(int ms) override {
        KORVA_FUZZ_CHECK(ms == kReplyTimeoutMs || ms == kCloseAfterSuccessMs ||
                         ms == kCloseAfterFailureMs, "interval %d", ms);
        running = true;
        interval = ms;
    }
    void stop() override { running = false; }
    bool running = false;
    int interval = 0;
};

class FuzzHost : public LinkHost {
public:
    void setCaption(const QString&) override {}
    void showProgress(double fraction, const QString&) override {
        KORVA_FUZZ_CHECK(fraction >= 0.0 && fraction <= 1.0);
    }
    void finish(bool ok) override {
        ++finishes;
        succeeded = ok;
    }
    void blockingWait(int ms) override { waited += ms; }
    int finishes = 0;
    bool succeeded = false;
    int waited = 0;
};

// Answers every question from the fuzzer's input; once it runs dry, Cancel.
class FuzzAnswers : public MessageBoxes {
public:
    explicit FuzzAnswers(FuzzInput& in) : in_(in) {}
    BoxAnswer show(const QString&, const QString&, BoxIcon, BoxButtons buttons) override {
        ++shown;
        const bool yes = in_.byte() & 1;
        switch (buttons) {
            case BoxButtons::Ok:
                return BoxAnswer::Ok;
            case BoxButtons::OkCancel:
                return yes ? BoxAnswer::Ok : BoxAnswer::Cancel;
            case BoxButtons::RetryCancel:
                return yes ? BoxAnswer::Retry : BoxAnswer::Cancel;
        }
        return BoxAnswer::Cancel;
    }
    int shown = 0;

private:
    FuzzInput& in_;
};

struct World {
    explicit World(FuzzInput& input) : in(input), port(*this), answers(input) {}
    FuzzInput& in;
    GlobalState state;
    ImageBytes before{};
    bool reading = true;
    FuzzPort port;
    FuzzTimer timer;
    FuzzHost host;
    FuzzAnswers answers;
    bool openFails = false;
    int writes = 0;
};

bool FuzzPort::open() {
    if (world_.openFails) return false;
    opened = true;
    return true;
}

void FuzzPort::write(const QByteArray& bytes) {
    KORVA_FUZZ_CHECK(opened, "write of %d bytes to a closed port", int(bytes.size()));
    KORVA_FUZZ_CHECK(!bytes.isEmpty());
    ++world_.writes;
    lastFrame = bytes;
    const uint8_t first = static_cast<uint8_t>(bytes[0]);
    if (first == kDataBlock) {
        KORVA_FUZZ_CHECK(!world_.reading, "a read sent a write block");
        KORVA_FUZZ_CHECK(bytes.size() == kBlockFrameSize);
        const int address = static_cast<uint8_t>(bytes[1]) * 256 + static_cast<uint8_t>(bytes[2]);
        KORVA_FUZZ_CHECK(address < image::kFactoryData, "write block for 0x%03X", address);
        KORVA_FUZZ_CHECK(address % kBlockSize == 0);
    }
    if (first == kReadRequest) {
        KORVA_FUZZ_CHECK(world_.reading, "a write sent a read request");
        const int address = static_cast<uint8_t>(bytes[1]) * 256 + static_cast<uint8_t>(bytes[2]);
        KORVA_FUZZ_CHECK(address + kBlockSize <= image::kSize);
    }
}

// What a well-behaved radio answers to the frame last written.
QByteArray goodAnswer(World& w, FuzzInput& in) {
    const QByteArray& frame = w.port.lastFrame;
    if (frame.isEmpty()) return {};
    switch (static_cast<uint8_t>(frame[0])) {
        case kIdentify: {
            QByteArray id("P3207\x93\xF8\xFF", kIdentificationSize);
            if (in.byte() & 1) id[kIdModelByte] = char(image::kModelVhf);
            if (in.byte() & 1) id[kIdSpecialByte] = char(kNoSpecialCode);
            return id;
        }
        case kReadRequest: {
            QByteArray block = frame.left(kBlockHeaderSize);
            block[0] = char(kDataBlock);
            for (int j = 0; j < kBlockSize; ++j) block.append(char(in.byte()));
            return block;
        }
        case kEnd:
            return {};
        default:  // entry frame, ACK, write block
            return QByteArray(1, char(kAck));
    }
}

// Raises the receive events a real port would: one per arrival that brings the input to
// the threshold.
void deliver(World& w) {
    if (w.port.opened && w.port.listener && w.port.threshold > 0 &&
        w.port.input.size() >= w.port.threshold)
        w.port.listener->receiveEvent(kReceiveData);
}

void arrive(World& w, const QByteArray& bytes) {
    if (!w.port.opened) return;  // nothing arrives at a closed port
    w.port.input.append(bytes);
    deliver(w);
}

void tick(World& w, ProgrammingLink& link) {
    if (!w.timer.running) return;
    w.timer.running = false;  // a one-shot timer stops as it fires
    link.timerTick();
}

void step(World& w, ProgrammingLink& link) {
    FuzzInput& in = w.in;
    switch (in.below(8)) {
        case 0:
        case 1:  // the radio answers as it should (most steps, so transfers get far)
            arrive(w, goodAnswer(w, in));
            break;
        case 2: {  // any bytes
            size_t n = 0;
            const uint8_t* bytes = in.take(in.below(24), &n);
            arrive(w, QByteArray(reinterpret_cast<const char*>(bytes), int(n)));
            break;
        }
        case 3:  // the reply did not come in time
            tick(w, link);
            break;
        case 4:  // the device went away; the port reports it once, already closed
            if (w.port.opened) {
                w.port.opened = false;
                w.port.input.clear();
                link.portFailed(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("I/O error"));
            }
            break;
        case 5: {  // a data block for any address, length byte and content
            QByteArray block(1, char(kDataBlock));
            for (int j = 0; j < kBlockFrameSize - 1; ++j) block.append(char(in.byte()));
            arrive(w, block);
            break;
        }
        case 6:  // a receive event with another code
            link.receiveEvent(in.byte());
            break;
        case 7:  // an ACK, wanted or not
            arrive(w, QByteArray(1, char(kAck)));
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    World w(in);
    platform::setMessages(&w.answers);

    const uint8_t setup = in.byte();
    w.reading = setup & 1;
    w.openFails = (setup & 0x0E) == 0x0E;  // one in eight: the port does not open
    const uint8_t seed = in.byte();
    for (int i = 0; i < image::kSize; ++i)
        w.state.RadioImage[i] = static_cast<uint8_t>(i * 7 + seed);
    w.state.RadioImage[image::kModelByte] = (setup & 0x10) ? image::kModelVhf : image::kModelUhf;
    w.state.TransferIsRead = w.reading;
    w.before = w.state.RadioImage;

    {
        ProgrammingLink link(w.state, w.port, w.timer, w.host);
        link.load();
        if (w.reading)
            link.startRead();
        else
            link.startWrite(setup & 0x20, QStringLiteral("AB\u00e9\u4e2d1234"));

        while (!in.empty() && w.host.finishes == 0) step(w, link);

        // No more replies and every question cancelled: the link must come to its end.
        for (int i = 0; i < 64 && w.host.finishes == 0; ++i) {
            KORVA_FUZZ_CHECK(w.timer.running, "waiting with no timer in state %d",
                             int(link.state()));
            tick(w, link);
        }
        KORVA_FUZZ_CHECK(w.host.finishes == 1, "no end after silence");
        // Replaying one input with KORVA_FUZZ_TRACE set tells how the transfer went.
        if (std::getenv("KORVA_FUZZ_TRACE"))
            std::fprintf(stderr, "%s: %s after %d frames and %d questions\n",
                         w.reading ? "read" : "write", w.host.succeeded ? "succeeded" : "failed",
                         w.writes, w.answers.shown);
        KORVA_FUZZ_CHECK(w.host.waited <= kEndWaitMs);
        link.unload();
        KORVA_FUZZ_CHECK(!w.port.opened, "port left open");
        KORVA_FUZZ_CHECK(!w.state.TransferIsRead);
        KORVA_FUZZ_CHECK(!w.timer.running);
    }

    if (!w.reading) {
        ImageBytes expected = w.before;
        expected[image::kVoxLevel] &= 0xF0;
        KORVA_FUZZ_CHECK(w.state.RadioImage == expected, "a write changed the image");
    } else if (!w.host.succeeded) {
        KORVA_FUZZ_CHECK(w.state.RadioImage == w.before, "a failed read changed the image");
    }
    platform::setMessages(nullptr);
    return 0;
}
