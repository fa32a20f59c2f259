#pragma once
// The per-user settings store that remembers the language and the serial port.
#include <QString>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value as text, "" when there is none. Keys are "Language", "ComPort" and
    // "Ports/COM<n>" for a port's device override.
    virtual QString read(const QString& key) = 0;
    // True when the value was stored.
    virtual bool write(const QString& key, const QString& value) = 0;
};

// QSettings with organisation "Zorvek", application "KORVA-77", native format, user
// scope: $XDG_CONFIG_HOME/Zorvek/KORVA-77.conf on Linux.
class QtSettingsStore : public SettingsStore {
public:
    QString read(const QString& key) override;
    bool write(const QString& key, const QString& value) override;
};
