// korva-transfer-bench: times a whole-image read and write through the real QSerialPort path
// against korva-radio-sim pacing its line at 9600 baud, and compares each with the line-rate
// limit of the same bytes: bytes on the wire x 10 bits / 9600, plus the radio's 200 ms after
// the final 'E' and the 100 ms closing tick.
//
//   korva-transfer-bench [--runs N] [--unpaced] [--simulator PATH]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/radio_image.h"
#include "link/programming_link.h"
#include "link/qt_link_timer.h"
#include "platform/platform.h"
#include "platform/serial/qt_serial_port.h"
#include "tools/radio_sim_process.h"

namespace {

class MapSettings : public SettingsStore {
public:
    QMap<QString, QString> values;
    QString read(const QString& key) override { return values.value(key); }
    bool write(const QString&, const QString&) override { return false; }
};

// Any question means the transfer did not run clean: it is answered Cancel and remembered.
class CancellingMessages : public MessageBoxes {
public:
    QStringList shown;
    BoxAnswer show(const QString&, const QString& text, BoxIcon, BoxButtons buttons) override {
        shown << text;
        return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
    }
};

// The port as the link sees it, counting the bytes each way.
class CountingPort : public SerialPort {
public:
    explicit CountingPort(SerialPort& port) : port_(port) {}
    qint64 sent = 0;
    qint64 received = 0;
    qint64 reactionNs = 0;  // from taking each reply to writing the next command

    void setListener(SerialPortListener* listener) override { port_.setListener(listener); }
    void setPortNumber(int n) override { port_.setPortNumber(n); }
    int portNumber() const override { return port_.portNumber(); }
    bool setSettings(const QString& s) override { return port_.setSettings(s); }
    void setReceiveThreshold(int bytes) override { port_.setReceiveThreshold(bytes); }
    int receiveThreshold() const override { return port_.receiveThreshold(); }
    bool open() override { return port_.open(); }
    SerialOpenFailure openFailure() const override { return port_.openFailure(); }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    QString devicePath() const override { return port_.devicePath(); }
    void write(const QByteArray& bytes) override {
        if (replyClock_.isValid()) reactionNs += replyClock_.nsecsElapsed();
        replyClock_.invalidate();
        sent += bytes.size();
        port_.write(bytes);
    }
    QByteArray readAll() override {
        const QByteArray bytes = port_.readAll();
        received += bytes.size();
        replyClock_.start();
        return bytes;
    }
    void discardInput() override { port_.discardInput(); }

private:
    SerialPort& port_;
    QElapsedTimer replyClock_;
};

class BenchHost : public radiolink::LinkHost {
public:
    QEventLoop loop;
    bool succeeded = false;
    void setCaption(const QString&) override {}
    void showProgress(double, const QString&) override {}
    void finish(bool ok) override {
        succeeded = ok;
        loop.quit();
    }
    void blockingWait(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }
};

struct Result {
    bool ok = false;
    double elapsed = 0;   // seconds
    double reaction = 0;  // seconds the link took between replies and its next commands
    qint64 bytes = 0;
};

Result transfer(bool read, MapSettings& settings, GlobalState& state) {
    QtSerialPort serial(settings);
    CountingPort port(serial);
    BenchHost host;
    radiolink::ProgrammingLink* linkPtr = nullptr;
    radiolink::QtLinkTimer timer([&linkPtr]() { linkPtr->timerTick(); });
    radiolink::ProgrammingLink link(state, port, timer, host);
    linkPtr = &link;
    state.ComPortNumber = 1;
    link.load();
    QElapsedTimer clock;
    clock.start();
    if (read)
        link.startRead();
    else
        link.startWrite(false, QString());
    host.loop.exec();
    Result result;
    result.elapsed = clock.nsecsElapsed() / 1e9;
    result.ok = host.succeeded;
    result.bytes = port.sent + port.received;
    result.reaction = port.reactionNs / 1e9;
    link.unload();
    return result;
}

double lineLimit(qint64 bytes) {
    return bytes * 10.0 / 9600.0 +
           (radiolink::kEndWaitMs + radiolink::kCloseAfterSuccessMs) / 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 5;
    bool paced = true;
    QString simulator = QCoreApplication::applicationDirPath() + QStringLiteral("/korva-radio-sim");
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size()) {
            runs = std::max(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--unpaced")) {
            paced = false;
        } else if (args[i] == QLatin1String("--simulator") && i + 1 < args.size()) {
            simulator = args[++i];
        } else {
            std::fprintf(stderr,
                         "usage: korva-transfer-bench [--runs N] [--unpaced] "
                         "[--simulator PATH]\n");
            return 2;
        }
    }

    RadioSimProcess sim(simulator);
    if (!sim.start(paced ? QStringList{QStringLiteral("--paced")} : QStringList{})) {
        std::fprintf(stderr, "korva-transfer-bench: %s\n", qPrintable(sim.error()));
        return 1;
    }
    MapSettings settings;
    settings.values.insert(QStringLiteral("Ports/COM1"), sim.device());
    CancellingMessages messages;
    platform::setMessages(&messages);

    GlobalState state;
    state.RadioImage.fill(0xFF);
    const auto record = modelRecord(false, 147);
    std::copy(record.begin(), record.end(), state.RadioImage.begin() + image::kModelRecord);

    std::printf("Whole-image transfers through QSerialPort against korva-radio-sim on %s%s\n",
                qPrintable(sim.device()), paced ? ", paced at 9600 baud" : ", unpaced");
    std::printf(
        "limit = bytes on the wire x 10 / 9600 + 0.200 s end wait + 0.100 s closing tick\n\n");
    std::printf("reaction = time the program took from each reply to its next command\n\n");
    std::printf("%-6s %4s %6s %10s %10s %8s %11s\n", "", "run", "bytes", "elapsed s", "limit s",
                "ratio", "reaction ms");
    int status = 0;
    for (const bool read : {true, false}) {
        std::vector<double> ratios;
        for (int run = 1; run <= runs; ++run) {
            const Result result = transfer(read, settings, state);
            if (!result.ok || !messages.shown.isEmpty()) {
                std::printf("%-6s %4d  failed: %s\n", read ? "read" : "write", run,
                            qPrintable(messages.shown.join(QStringLiteral(" / "))));
                messages.shown.clear();
                status = 1;
                continue;
            }
            const double limit = lineLimit(result.bytes);
            ratios.push_back(result.elapsed / limit);
            std::printf("%-6s %4d %6lld %10.4f %10.4f %8.4f %11.2f\n", read ? "read" : "write", run,
                        static_cast<long long>(result.bytes), result.elapsed, limit,
                        result.elapsed / limit, result.reaction * 1000.0);
        }
        if (!ratios.empty()) {
            // The best run shows what the program adds; the median includes the machine's
            // other load, which delays the simulator's and the program's wake-ups.
            std::sort(ratios.begin(), ratios.end());
            const double median = ratios[ratios.size() / 2];
            std::printf(
                "%-6s best ratio %.4f (%+.2f %%), median %.4f (%+.2f %%) over the "
                "line-rate limit\n\n",
                read ? "read" : "write", ratios.front(), (ratios.front() - 1.0) * 100.0, median,
                (median - 1.0) * 100.0);
        }
    }
    platform::setMessages(nullptr);
    sim.stop();
    return status;
}
