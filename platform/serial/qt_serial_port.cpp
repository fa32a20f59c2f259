#include "platform/serial/qt_serial_port.h"

#include <QFileInfo>
#include <cerrno>

#include "platform/platform.h"
#include "platform/port_mapping.h"

namespace {

QSerialPort::Parity parityOf(char parity) {
    switch (parity) {
        case 'E':
            return QSerialPort::EvenParity;
        case 'O':
            return QSerialPort::OddParity;
        case 'M':
            return QSerialPort::MarkParity;
        case 'S':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits stopBitsOf(int timesTwo) {
    switch (timesTwo) {
        case 3:
            return QSerialPort::OneAndHalfStop;
        case 4:
            return QSerialPort::TwoStop;
        default:
            return QSerialPort::OneStop;
    }
}

platform::SerialPortFactory& installedFactory() {
    static platform::SerialPortFactory factory;
    return factory;
}

}  // namespace

QtSerialPort::QtSerialPort(SettingsStore& settings, QObject* parent)
    : QObject(parent), settings_(settings) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort() {
    listener_ = nullptr;
    close();
}

bool QtSerialPort::setSettings(const QString& settings) {
    const std::optional<SerialSettings> parsed = parseSerialSettings(settings);
    if (!parsed) return false;
    lineSettings_ = *parsed;
    return true;
}

bool QtSerialPort::applySettings() {
    return port_.setBaudRate(lineSettings_.baud) &&
           port_.setDataBits(static_cast<QSerialPort::DataBits>(lineSettings_.dataBits)) &&
           port_.setParity(parityOf(lineSettings_.parity)) &&
           port_.setStopBits(stopBitsOf(lineSettings_.stopBitsTimesTwo)) &&
           port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool QtSerialPort::open() {
    if (port_.isOpen()) return true;
    failure_ = SerialOpenFailure();
    failure_.portNumber = portNumber_;
    const QString configured = devicePathForPort(portNumber_, settings_);
    if (configured.isEmpty()) {
        failure_.cause = SerialOpenCause::NoDevice;
        return false;
    }
    // A /dev/serial/by-id/... link (or any other) names the real device, so that the lock
    // file QSerialPort takes is the one every other program takes for that device.
    const QString canonical = QFileInfo(configured).canonicalFilePath();
    device_ = canonical.isEmpty() ? configured : canonical;
    failure_.device = device_;

    opening_ = true;
    port_.setPortName(device_);
    bool opened = port_.open(QIODevice::ReadWrite);
    if (opened && !applySettings()) {
        failure_.reason = port_.errorString();
        port_.close();
        opened = false;
    }
    if (!opened) {
        if (failure_.reason.isEmpty()) failure_.reason = port_.errorString();
        switch (port_.error()) {
            case QSerialPort::DeviceNotFoundError:
                failure_.cause = SerialOpenCause::NotFound;
                break;
            case QSerialPort::PermissionError: {
                const DeviceAccessFacts facts = gatherAccessFacts(device_);
                failure_.cause = diagnosePermission(facts);
                failure_.group = facts.group.isEmpty() ? defaultSerialGroup() : facts.group;
                failure_.user = facts.user;
                break;
            }
            default:
                failure_.cause = SerialOpenCause::Other;
                break;
        }
        port_.clearError();
        opening_ = false;
        return false;
    }
    // Pseudo-terminals and some adapters have no modem lines; the request then fails
    // harmlessly, so its outcome is not checked.
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    port_.clear(QSerialPort::Input);
    port_.clearError();
    opening_ = false;
    ++session_;
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

void QtSerialPort::setReceiveThreshold(int bytes) {
    threshold_ = bytes < 0 ? 0 : bytes;
    if (threshold_ > 0 && port_.isOpen() && port_.bytesAvailable() >= threshold_)
        scheduleThresholdCheck();
}

void QtSerialPort::write(const QByteArray& bytes) {
    if (!port_.isOpen() || bytes.isEmpty()) return;
    if (port_.write(bytes) != bytes.size()) {
        fail(port_.errorString());
        return;
    }
    // Hand the bytes to the driver now rather than at the next turn of the event loop, so
    // that a blocking wait that follows does not hold them back.
    if (port_.isOpen()) port_.flush();
}

QByteArray QtSerialPort::readAll() { return port_.isOpen() ? port_.readAll() : QByteArray(); }

void QtSerialPort::discardInput() {
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

void QtSerialPort::onReadyRead() { scheduleThresholdCheck(); }

// Receive events are delivered from a queued call, so the listener never runs inside
// QSerialPort's own notification and may close the port or open a modal question.
void QtSerialPort::scheduleThresholdCheck() {
    if (checkScheduled_) return;
    checkScheduled_ = true;
    QMetaObject::invokeMethod(this, &QtSerialPort::checkThreshold, Qt::QueuedConnection);
}

void QtSerialPort::checkThreshold() {
    checkScheduled_ = false;
    if (threshold_ > 0 && port_.isOpen() && port_.bytesAvailable() >= threshold_ && listener_)
        listener_->receiveEvent(kReceiveData);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (opening_ || error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
    if (!port_.isOpen()) return;
    // A device that went away mid-transfer often leaves a stale reason behind (the line
    // hung up and the read found nothing); the vanished device file says it plainly.
    if ((error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
         error == QSerialPort::WriteError) &&
        !QFileInfo::exists(device_))
        fail(qt_error_string(ENODEV));
    else
        fail(port_.errorString());
}

// The port is closed at once and the listener hears of it once, from the event loop.
void QtSerialPort::fail(const QString& reason) {
    const QString device = device_;
    const quint64 session = session_;
    close();
    QMetaObject::invokeMethod(
        this,
        [this, device, reason, session]() {
            if (listener_ && session == session_ && !port_.isOpen())
                listener_->portFailed(device, reason);
        },
        Qt::QueuedConnection);
}

namespace platform {

std::unique_ptr<SerialPort> createSerialPort() {
    if (installedFactory()) return installedFactory()();
    return std::make_unique<QtSerialPort>(settings());
}

void setSerialPortFactory(SerialPortFactory factory) { installedFactory() = std::move(factory); }

bool probeSerialPort(int portNumber, SerialOpenFailure* failure) {
    std::unique_ptr<SerialPort> port = createSerialPort();
    port->setPortNumber(portNumber);
    if (!port->open()) {
        if (failure) *failure = port->openFailure();
        return false;
    }
    port->close();
    return true;
}

}  // namespace platform
