// The built application as a process: it starts without a window manager or a session bus,
// several copies run side by side, and SIGTERM ends each one quietly.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/test_registry.h"

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void severalInstancesStartAndEndOnSigterm() {
        QTemporaryDir config;
        QVERIFY(config.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        environment.remove(QStringLiteral("DISPLAY"));

        QProcess first;
        QProcess second;
        for (QProcess* app : {&first, &second}) {
            app->setProcessEnvironment(environment);
            app->start(QStringLiteral(KORVA_BINARY_DIR "/korva77"), {});
            QVERIFY(app->waitForStarted());
        }
        QTest::qWait(3000);  // past the splash: the main windows are loaded
        for (QProcess* app : {&first, &second}) {
            QCOMPARE(app->state(), QProcess::Running);
            app->terminate();
            QVERIFY(app->waitForFinished(5000));
            QCOMPARE(app->exitStatus(), QProcess::NormalExit);
            QCOMPARE(app->exitCode(), 0);
        }
        // Nothing was remembered on the way out.
        QVERIFY(QDir(config.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
};
KORVA_TEST(ApplicationTest);

#include "application_test.moc"
