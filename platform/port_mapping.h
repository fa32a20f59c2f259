#pragma once
// Serial port numbers (COM1..COM99, as the radio's dealers know them) mapped to Linux
// devices: a "[Ports] COM<n>=<device>" entry of the settings store wins; otherwise
// COM1-16 are /dev/ttyUSB0-15 (USB programming cables), COM17-32 /dev/ttyACM0-15,
// COM33-64 /dev/ttyS0-31, and COM65-99 have no device unless configured.
#include <QString>

class SettingsStore;

constexpr int kFirstPort = 1;
constexpr int kLastPort = 99;

// The device path of a port number, "" when it has none.
QString devicePathForPort(int portNumber, SettingsStore& settings);

// "COM3 (/dev/ttyUSB2)", or "COM3" when the port has no device.
QString portDisplayName(int portNumber, const QString& devicePath);

// The port number of a list entry: the number after the first three characters
// ("COM12 (/dev/ttyUSB11)" -> 12); 0 when there is none.
int portNumberOfEntry(const QString& entry);
