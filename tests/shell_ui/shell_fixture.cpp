#include "shell_fixture.h"

#include <QFile>
#include <QMdiArea>

#include "core/radio_image.h"
#include "shell/mdi_form_main.h"

QByteArray startupFileBytes(bool vhf, uint8_t bandCode) {
    QByteArray bytes(1041, char(0xFF));
    const auto record = modelRecord(vhf, bandCode);
    for (int i = 0; i < image::kModelRecordSize; ++i)
        bytes[image::kModelRecord + i] = char(record[i]);
    return bytes;
}

bool writeStartupFile(const QString& folder, bool vhf, uint8_t bandCode) {
    QFile file(folder + QStringLiteral("/Init.dat"));
    return file.open(QIODevice::WriteOnly) && file.write(startupFileBytes(vhf, bandCode)) == 1041;
}

void onNextModal(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        action(modal);
    });
    poll->start();
}

void closeNextModal(QString* name) {
    onNextModal([name](QWidget* modal) {
        if (name) *name = modal->objectName();
        modal->close();
    });
}

MainWindowFixture::MainWindowFixture(const QMap<QString, QString>& settings) {
    doubles.settings.values = settings;
}

MainWindowFixture::~MainWindowFixture() { window.reset(); }

bool MainWindowFixture::start(bool vhf, uint8_t bandCode) {
    if (!folder.isValid() || !writeStartupFile(folder.path(), vhf, bandCode)) return false;
    return startWithoutStartupFile();
}

bool MainWindowFixture::startWithoutStartupFile() {
    if (!folder.isValid()) return false;
    globalState().AppFolder = folder.path();
    window = std::make_unique<MDIFormMain>();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) return false;
    // The tree panel is laid out on the timer tick after the window got its size.
    auto* tree = window->findChild<QWidget*>(QStringLiteral("TreeView1"));
    return QTest::qWaitFor([tree] { return tree->height() > 100; });
}
