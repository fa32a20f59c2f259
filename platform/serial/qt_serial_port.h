#pragma once
// The serial port as QSerialPort: 9600 baud 8N1 (or the settings string given), no flow
// control, exclusive open (QSerialPort's lock file and TIOCEXCL), DTR and RTS asserted
// after opening because many programming cables draw their power from them.
#include <QObject>
#include <QSerialPort>

#include "platform/serial_port.h"

class SettingsStore;

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
public:
    // settings maps port numbers to devices ([Ports] overrides); it must outlive the port.
    explicit QtSerialPort(SettingsStore& settings, QObject* parent = nullptr);
    ~QtSerialPort() override;

    void setListener(SerialPortListener* listener) override { listener_ = listener; }
    void setPortNumber(int portNumber) override { portNumber_ = portNumber; }
    int portNumber() const override { return portNumber_; }
    bool setSettings(const QString& settings) override;
    void setReceiveThreshold(int bytes) override;
    int receiveThreshold() const override { return threshold_; }

    bool open() override;
    SerialOpenFailure openFailure() const override { return failure_; }
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    QString devicePath() const override { return device_; }

    void write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    void discardInput() override;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void checkThreshold();
    void scheduleThresholdCheck();
    void fail(const QString& reason);
    bool applySettings();

    SettingsStore& settings_;
    QSerialPort port_;
    SerialPortListener* listener_ = nullptr;
    SerialSettings lineSettings_;
    int portNumber_ = 1;
    int threshold_ = 0;
    QString device_;
    SerialOpenFailure failure_;
    bool opening_ = false;  // errors during open are reported by open() itself
    bool checkScheduled_ = false;
    quint64 session_ = 0;  // counts opens, so a late notice of a closed session is dropped
};
