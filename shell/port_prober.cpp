#include "shell/port_prober.h"

#include <QSerialPort>

#include "platform/platform.h"
#include "platform/port_mapping.h"

namespace {

// Opens the device of the port number exclusively and closes it again.
class DevicePortProber : public PortProber {
public:
    bool tryOpen(int portNumber) override {
        const QString device = devicePathForPort(portNumber, platform::settings());
        if (device.isEmpty()) return false;
        QSerialPort port(device);
        if (!port.open(QIODevice::ReadWrite)) return false;
        port.close();
        return true;
    }
};

DevicePortProber devicePorts;
PortProber* current = &devicePorts;

}  // namespace

PortProber& portProber() { return *current; }
void setPortProber(PortProber* prober) { current = prober ? prober : &devicePorts; }
