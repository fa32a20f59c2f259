#pragma once
// The process-wide working state shared by every window: the radio image, the software
// record, the language, the port, the band limits, the current file, the transfer
// direction and the flags through which the windows learn about each other.
#include <QString>
#include <array>
#include <cstdint>

using ImageBytes = std::array<uint8_t, 1024>;
using SoftwareRecord = std::array<uint8_t, 17>;

struct GlobalState {
    // Data
    ImageBytes RadioImage{};
    SoftwareRecord SoftwareData{};
    QString ProgramPassword;
    QString NewPassword;
    bool NewPasswordPending = false;

    // Language and regional settings
    bool EnglishMode = false;
    QString DecimalSeparator = QStringLiteral(".");

    // Serial port (1 = COM1)
    int ComPortNumber = 1;

    // Model and band, derived from the image
    QString BandName;
    int BandLowerMHz = 0;
    int BandUpperMHz = 0;
    int WorkingUpperMHz = 0;

    // Files. AppFolder is the folder of the executable, where Init.dat and the help files
    // live; InitFileName is the start-up file's name with its leading separator.
    QString AppFolder;
    QString InitFileName = QStringLiteral("/Init.dat");
    QString CurrentFilePath;
    QString CurrentFileName = QStringLiteral("new.rdat");
    QString HelpFilePath;
    // Set once a missing or short start-up file has been reported, so that the
    // built-in default image is announced only once per run.
    bool InitFileFaultReported = false;

    // Dialog outcomes consumed by the main window
    bool ModelChanged = false;
    bool LanguageChanged = false;

    // Transfers with the radio
    bool TransferIsRead = false;
    bool TransferSucceeded = false;
    bool SpecialCodeAllowed = true;

    // Pages
    int PageWindowState = 0;  // 0 normal, 1 minimized, 2 maximized
    bool ChannelPageOpen = false;
    bool OptionPageOpen = false;
    bool KeyPageOpen = false;
    bool ChannelEditOpen = false;
    bool ChannelGridStale = false;
    bool ChannelEditStale = false;
    int SelectedChannel = 1;  // channel (1..16) the grid's current row shows

    QString initFilePath() const { return AppFolder + InitFileName; }
};

// The one instance of the running application. Logic functions take the state they need
// as a parameter; windows use this instance.
GlobalState& globalState();

// Chooses the English or the Chinese form of a text by the language in force.
QString pick(const char* english, const char* chinese);
QString pick(const QString& english, const QString& chinese);
// The same, by the language of a given state (for logic that works on its own state).
QString pick(const GlobalState& state, const char* english, const char* chinese);

// Application title, shown in message boxes and the main window.
inline const char* const kAppTitle = "KORVA-77";
