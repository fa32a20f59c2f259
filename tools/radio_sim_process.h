#pragma once
// korva-radio-sim as a child process, for the tests and the transfer benchmark: starts it
// with the given options, reads the device path it prints, and ends it (its dump is then
// written).
#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

class RadioSimProcess {
public:
    explicit RadioSimProcess(const QString& program) : program_(program) {}
    ~RadioSimProcess() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(2000)) {
            process_.kill();
            process_.waitForFinished(1000);
        }
    }
    RadioSimProcess(const RadioSimProcess&) = delete;
    RadioSimProcess& operator=(const RadioSimProcess&) = delete;

    // Starts the simulator and waits at most 5 s for its device path; false with the
    // reason in error() when it does not come.
    bool start(const QStringList& arguments) {
        process_.setProgram(program_);
        process_.setArguments(arguments);
        process_.start();
        if (!process_.waitForStarted(5000)) {
            error_ = program_ + QStringLiteral(": ") + process_.errorString();
            return false;
        }
        QDeadlineTimer deadline(5000);
        while (!process_.canReadLine()) {
            if (deadline.hasExpired() ||
                !process_.waitForReadyRead(int(deadline.remainingTime()))) {
                error_ = QStringLiteral("no device path from the simulator: ") +
                         QString::fromLocal8Bit(process_.readAllStandardError());
                return false;
            }
        }
        device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
        return !device_.isEmpty();
    }
    QString device() const { return device_; }
    QString error() const { return error_; }
    bool running() const { return process_.state() != QProcess::NotRunning; }

    // Waits for the simulator to exit by itself (--exit-after, --hangup-after).
    bool waitForExit(int ms) {
        return process_.state() == QProcess::NotRunning || process_.waitForFinished(ms);
    }
    // Ends the simulator with SIGTERM and waits for it.
    bool stop() {
        if (process_.state() == QProcess::NotRunning) return true;
        process_.terminate();
        return process_.waitForFinished(3000);
    }
    int exitCode() const { return process_.exitCode(); }
    QByteArray standardError() { return process_.readAllStandardError(); }

private:
    QProcess process_;
    QString program_;
    QString device_;
    QString error_;
};
