#pragma once
// The serial port through which the link talks to the radio: a port number (COM1 = 1, mapped
// to a device by platform/port_mapping.h), a settings string ("9600,N,8,1"), a receive
// threshold and a receive event, open and close, write bytes, read all received bytes.
//
// Events reach the listener from the event loop, never from inside a call the owner made:
// - receiveEvent(kReceiveData) once at least `threshold` bytes are available (threshold 0
//   means no events); readAll() then gives every byte available at that moment.
// - portFailed(...) once when an open port fails (device pulled, a write or read error).
//   The port is already closed when it arrives; it can be opened again.
//
// Trying a port from a dialog (COM-port list, ...):
//     SerialOpenFailure why;
//     if (platform::probeSerialPort(3, &why)) { /* COM3 opens */ }
// or, to keep it open:
//     std::unique_ptr<SerialPort> port = platform::createSerialPort();
//     port->setPortNumber(3);
//     if (!port->open()) show(port->openFailure());
// createSerialPort() and probeSerialPort() are defined in the korva_serial library (the
// QSerialPort implementation); korva_ui links it. Tests install their own ports with
// platform::setSerialPortFactory.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// Event code of the receive event that means "data arrived"; every other code is ignored.
constexpr int kReceiveData = 2;

// Why a port did not open.
enum class SerialOpenCause {
    NoDevice,        // the port number has no device (COM65..99 unless configured)
    NotFound,        // the device file does not exist (cable not plugged in)
    NoAccess,        // the device file is not accessible: the user must join its group
    GroupNotActive,  // the user is in the device's group but this process is not yet
    InUse,           // accessible, but another program holds the port (lock or exclusive)
    Other,           // any other failure (also: no group may use the device); `reason` says what
};

struct SerialOpenFailure {
    SerialOpenCause cause = SerialOpenCause::Other;
    int portNumber = 0;
    QString device;  // the device path tried ("" for NoDevice)
    QString reason;  // the system's reason, e.g. "Permission denied"
    QString group;   // NoAccess, GroupNotActive: the group that owns the device
    QString user;    // NoAccess: the user name to add to the group
};

// What is known about a device the system refused to open, gathered by
// gatherAccessFacts(); diagnosePermission() turns it into a cause.
struct DeviceAccessFacts {
    bool accessible = false;      // this process may read and write the device file
    QString group;                // group owning the device file ("" when unknown)
    bool groupMayUse = true;      // that group may read and write the device file
    bool userInGroup = false;     // the user's account is a member of that group
    bool processInGroup = false;  // this process runs with that group
    QString user;
};
// Looks at the device file and at this process and its user (POSIX).
DeviceAccessFacts gatherAccessFacts(const QString& device);
SerialOpenCause diagnosePermission(const DeviceAccessFacts& facts);
// Group used in advice when the device's own group cannot be named: "dialout" on Debian
// and its relatives, "uucp" on systems that have that group instead.
QString defaultSerialGroup();

// Line settings parsed from a settings string "baud,parity,data bits,stop bits", e.g.
// "9600,N,8,1". Parity is one of N, E, O, M, S; stop bits 1, 1.5 or 2.
struct SerialSettings {
    int baud = 9600;
    char parity = 'N';
    int dataBits = 8;
    int stopBitsTimesTwo = 2;  // 2 = one stop bit, 3 = one and a half, 4 = two
};
std::optional<SerialSettings> parseSerialSettings(const QString& text);

class SerialPortListener {
public:
    virtual ~SerialPortListener() = default;
    virtual void receiveEvent(int eventCode) = 0;
    // The open port failed and has been closed. device and reason say what happened.
    virtual void portFailed(const QString& device, const QString& reason) = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void setListener(SerialPortListener* listener) = 0;
    virtual void setPortNumber(int portNumber) = 0;
    virtual int portNumber() const = 0;
    // Takes effect at the next open. Returns false for a string that does not parse.
    virtual bool setSettings(const QString& settings) = 0;
    virtual void setReceiveThreshold(int bytes) = 0;
    virtual int receiveThreshold() const = 0;

    // Opens the device of the port number exclusively. On failure openFailure() says why.
    virtual bool open() = 0;
    virtual SerialOpenFailure openFailure() const = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The device path in use (after open: the real device, symbolic links resolved).
    virtual QString devicePath() const = 0;

    // Writes the bytes; a failure arrives later as portFailed.
    virtual void write(const QByteArray& bytes) = 0;
    virtual QByteArray readAll() = 0;
    // Drops every byte received and not yet read (junk from an earlier exchange).
    virtual void discardInput() = 0;
};

namespace platform {

using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

// A new, closed port: from the factory installed with setSerialPortFactory, otherwise a
// QSerialPort one. Defined in korva_serial.
std::unique_ptr<SerialPort> createSerialPort();
// Installs a factory (tests); an empty one restores the QSerialPort factory.
void setSerialPortFactory(SerialPortFactory factory);
// Opens the port of that number and closes it again. False with the reason in *failure
// when it does not open. Defined in korva_serial.
bool probeSerialPort(int portNumber, SerialOpenFailure* failure = nullptr);

}  // namespace platform
