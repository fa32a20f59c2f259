#pragma once
// A serial port with a radio behind it, for driving the programming link without time or
// hardware. Every frame the link writes is recorded and answered at once by the scripted
// radio into the port's input; pump() then raises the receive events the threshold calls
// for, and tick() expires the link's timer.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <array>
#include <cstdint>

#include "link/programming_link.h"
#include "platform/serial_port.h"

// The radio: program-mode entry, identification and the block frames, with faults.
struct ScriptedRadio {
    std::array<uint8_t, 1024> memory{};
    uint8_t model = 0x33;           // identification byte 1
    uint8_t special = '1';          // identification byte 3
    bool silent = false;            // answers nothing
    int naks = 0;                   // answers this many entry frames with 0x15
    int dropBlock = -1;             // block frame (counted from 0) left unanswered, once
    QMap<int, int> wrongAddress;    // block frame number -> address its data block carries
    QByteArray extraAfterEntryAck;  // bytes sent right after the ACK of an entry frame

    int entryFrames = 0;
    int blockFrames = 0;
    QList<int> readRequests;  // addresses asked for, in order
    QList<int> writeBlocks;   // addresses written, in order

    // The answer to one frame from the programmer.
    QByteArray answer(const QByteArray& frame);
};

class ScriptedPort : public SerialPort {
public:
    ScriptedRadio radio;
    bool openSucceeds = true;
    SerialOpenFailure failure;
    bool opened = false;
    int opens = 0;
    int threshold = 0;
    int number = 0;
    QString settings;
    QByteArray input;
    QList<QByteArray> written;  // every write, in order
    SerialPortListener* listener = nullptr;

    void setListener(SerialPortListener* l) override { listener = l; }
    void setPortNumber(int n) override { number = n; }
    int portNumber() const override { return number; }
    bool setSettings(const QString& s) override {
        settings = s;
        return true;
    }
    void setReceiveThreshold(int bytes) override { threshold = bytes; }
    int receiveThreshold() const override { return threshold; }
    bool open() override;
    SerialOpenFailure openFailure() const override { return failure; }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    QString devicePath() const override { return QStringLiteral("/dev/ttyUSB0"); }
    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void discardInput() override { input.clear(); }

    // Raises receive events while enough input waits; returns how many were raised.
    int pump();
    // The frames written after the first `from` writes.
    QList<QByteArray> writtenFrom(int from) const { return written.mid(from); }
};

class ScriptedTimer : public radiolink::LinkTimer {
public:
    bool running = false;
    int interval = 0;
    QList<int> starts;
    void start(int ms) override {
        running = true;
        interval = ms;
        starts << ms;
    }
    void stop() override { running = false; }
};

class RecordingHost : public radiolink::LinkHost {
public:
    QStringList captions;
    QList<double> fractions;
    QStringList progressTexts;
    QList<int> waits;
    QList<bool> finished;
    void setCaption(const QString& caption) override { captions << caption; }
    void showProgress(double fraction, const QString& text) override {
        fractions << fraction;
        progressTexts << text;
    }
    void finish(bool succeeded) override { finished << succeeded; }
    void blockingWait(int ms) override { waits << ms; }
};

// A link wired to the scripted port, timer and host, with helpers to run it.
struct LinkBench {
    GlobalState state;
    ScriptedPort port;
    ScriptedTimer timer;
    RecordingHost host;
    radiolink::ProgrammingLink link{state, port, timer, host};

    LinkBench() { link.load(); }
    // Pumps replies, then expires the timer while it runs and the link is not finished,
    // at most maxTicks times. Returns the number of ticks.
    int run(int maxTicks = 100);
    // Expires the timer once (it must be running) and pumps what follows.
    void tick();
};

// Frame builders.
QByteArray entryFrame();
QByteArray readRequest(int address);
QByteArray dataBlock(int address, const uint8_t* bytes);
