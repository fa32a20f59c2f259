// The KORVA-77 programming application: the splash window, then the main window.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <csignal>

#include "core/global_state.h"
#include "platform/platform.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/settings_store.h"
#include "shell/form_welcome.h"
#include "shell/icons.h"
#include "shell/mdi_form_main.h"

namespace {

// SIGTERM (and Ctrl+C in a terminal) end the application quietly, as closing its window
// does: the handler only writes a byte that the event loop then reads.
int signalPipe[2] = {-1, -1};

void onTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

void quitOnTerminate(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
        notifier->setEnabled(false);
        QApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.zorvek.korva77"));
    QApplication::setWindowIcon(icons::appIcon());
    quitOnTerminate(app);

    QtMessageBoxes messageBoxes;
    QtFileDialogs fileDialogs;
    QtSettingsStore settings;
    QtHelpViewer help;
    platform::setMessages(&messageBoxes);
    platform::setFileDialogs(&fileDialogs);
    platform::setSettings(&settings);
    platform::setHelp(&help);

    globalState().AppFolder = QCoreApplication::applicationDirPath();

    QPointer<MDIFormMain> mainWindow;
    auto* welcome = new FormWelcome;
    QObject::connect(welcome, &FormWelcome::loadMainWindow, [&mainWindow, &help] {
        mainWindow = new MDIFormMain;
        mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        help.setOwner(mainWindow);
        mainWindow->show();
    });
    welcome->show();

    const int result = app.exec();
    delete mainWindow;
    platform::setHelp(nullptr);
    platform::setSettings(nullptr);
    platform::setFileDialogs(nullptr);
    platform::setMessages(nullptr);
    return result;
}
