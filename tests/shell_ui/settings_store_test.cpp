// The settings store on disk: per user, text values, "" when absent.
#include "platform/settings_store.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "support/test_registry.h"

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void readsAndWritesTextValues() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        QtSettingsStore store;
        QCOMPARE(store.read(QStringLiteral("Language")), QString());
        QVERIFY(store.write(QStringLiteral("Language"), QStringLiteral("True")));
        QVERIFY(store.write(QStringLiteral("ComPort"), QStringLiteral("3")));
        QCOMPARE(store.read(QStringLiteral("Language")), QStringLiteral("True"));
        QCOMPARE(store.read(QStringLiteral("ComPort")), QStringLiteral("3"));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("Zorvek/KORVA-77.conf"))));

        // A number stored by hand reads as its decimal text.
        {
            QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zorvek"),
                          QStringLiteral("KORVA-77"));
            raw.setValue(QStringLiteral("ComPort"), 300);
        }
        QCOMPARE(store.read(QStringLiteral("ComPort")), QStringLiteral("300"));
    }
};
KORVA_TEST(SettingsStoreTest);

#include "settings_store_test.moc"
