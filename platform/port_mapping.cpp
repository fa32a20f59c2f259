#include "platform/port_mapping.h"

#include "platform/settings_store.h"

QString devicePathForPort(int portNumber, SettingsStore& settings) {
    if (portNumber < kFirstPort || portNumber > kLastPort) return QString();
    const QString configured =
        settings.read(QStringLiteral("Ports/COM%1").arg(portNumber)).trimmed();
    if (!configured.isEmpty()) return configured;
    if (portNumber <= 16) return QStringLiteral("/dev/ttyUSB%1").arg(portNumber - 1);
    if (portNumber <= 32) return QStringLiteral("/dev/ttyACM%1").arg(portNumber - 17);
    if (portNumber <= 64) return QStringLiteral("/dev/ttyS%1").arg(portNumber - 33);
    return QString();
}

QString portDisplayName(int portNumber, const QString& devicePath) {
    const QString name = QStringLiteral("COM%1").arg(portNumber);
    return devicePath.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, devicePath);
}

int portNumberOfEntry(const QString& entry) {
    int number = 0;
    for (const QChar c : entry.mid(3)) {
        if (!c.isDigit()) break;
        number = number * 10 + c.digitValue();
        if (number > 9999) break;
    }
    return number;
}
