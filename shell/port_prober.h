#pragma once
// How the port dialog finds the usable ports: each port number is opened and closed again
// at once. Tests install a prober that knows which ports "exist".
class PortProber {
public:
    virtual ~PortProber() = default;
    // True when the port with this number (COM<n>) could be opened; it is closed again.
    virtual bool tryOpen(int portNumber) = 0;
};

// The prober in force: by default the serial ports of the machine.
PortProber& portProber();
// The caller keeps ownership; nullptr restores the default.
void setPortProber(PortProber* prober);
