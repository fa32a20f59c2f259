#pragma once
// A radio on a pseudo-terminal inside the test process, for faults the simulator does not
// make: it answers program-mode entry, identification, read requests and write blocks like
// a radio, and at one chosen block frame replies with garbage instead of its data block or
// acknowledgement. The application side is the real serial port on the terminal's device.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

class QSocketNotifier;

class PtyRadio : public QObject {
    Q_OBJECT
public:
    PtyRadio();
    ~PtyRadio() override;

    // Opens the terminal; false with the reason in error().
    bool open();
    QString device() const { return device_; }
    QString error() const { return error_; }
    // The descriptor the radio keeps on the device itself, so that the line stays up
    // while the application has it closed.
    int ownDescriptor() const { return slave_; }

    std::array<uint8_t, 1024> memory{};
    uint8_t model = 0x33;     // identification byte 1: UHF
    int garbageAtBlock = -1;  // block frame (counted from 1) answered with garbage, once
    QByteArray garbage;
    int blockFrames = 0;

private:
    void readable();
    void reply(const QByteArray& bytes);
    // Length of the frame at the front of the input, 0 while it is incomplete.
    int frameLength() const;

    int master_ = -1;
    int slave_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray input_;
    QString device_;
    QString error_;
};
