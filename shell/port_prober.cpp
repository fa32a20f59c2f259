#include "shell/port_prober.h"

#include "platform/serial_port.h"

namespace {

// Opens the port's device through the serial seam (exclusively) and closes it again.
class DevicePortProber : public PortProber {
public:
    bool tryOpen(int portNumber) override { return platform::probeSerialPort(portNumber); }
};

DevicePortProber devicePorts;
PortProber* current = &devicePorts;

}  // namespace

PortProber& portProber() { return *current; }
void setPortProber(PortProber* prober) { current = prober ? prober : &devicePorts; }
