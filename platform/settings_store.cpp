#include "platform/settings_store.h"

#include <QSettings>
#include <QVariant>


QString QtSettingsStore::read(const QString& key) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zorvek"),
                       QStringLiteral("KORVA-77"));
    const QVariant value = settings.value(key);
    if (!value.isValid()) return QString();
    return value.toString();
}

bool QtSettingsStore::write(const QString& key, const QString& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zorvek"),
                       QStringLiteral("KORVA-77"));
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError && settings.isWritable();
}
