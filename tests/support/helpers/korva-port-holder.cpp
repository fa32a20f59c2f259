// korva-port-holder DEVICE: another program that holds a serial port, for the drills. It
// opens the device the way the application does (QSerialPort: the lock file that every
// serial program honours, and exclusive mode), prints "held" on standard output, and keeps
// the port until its standard input closes. When the device does not open it prints
// "failed: <reason>" and exits with 1.
#include <unistd.h>

#include <QCoreApplication>
#include <QSerialPort>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: korva-port-holder DEVICE\n");
        return 2;
    }
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    if (!port.open(QIODevice::ReadWrite)) {
        std::printf("failed: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    char buffer[64];
    while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    return 0;
}
