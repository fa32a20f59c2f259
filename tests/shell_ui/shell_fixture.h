#pragma once
// Shared helpers of the shell's window tests: a start-up file in a temporary application
// folder, a driver for modal windows, and a started main window.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/global_state.h"
#include "support/doubles.h"

class MDIFormMain;

// A 1041-byte start-up file: the given model record, every other byte 0xFF.
QByteArray startupFileBytes(bool vhf, uint8_t bandCode);

// Writes Init.dat into the folder; returns false when it cannot.
bool writeStartupFile(const QString& folder, bool vhf = false, uint8_t bandCode = 147);

// Runs the action on the next modal window as soon as it is shown (polling, so that it
// also works when the window opens after a while). Call before the command that opens it.
void onNextModal(std::function<void(QWidget*)> action);

// Closes the next modal window, recording its object name.
void closeNextModal(QString* name = nullptr);

// The seams' doubles, a temporary application folder with Init.dat (UHF 400-480 unless
// told), and a shown, active main window.
struct MainWindowFixture {
    ScopedDoubles doubles;
    QTemporaryDir folder;
    std::unique_ptr<MDIFormMain> window;

    explicit MainWindowFixture(const QMap<QString, QString>& settings = {});
    ~MainWindowFixture();
    bool start(bool vhf = false, uint8_t bandCode = 147);
    // Starts with no Init.dat in the application folder.
    bool startWithoutStartupFile();
};
