#include "core/startup.h"

#include <QCoreApplication>
#include <cmath>

#include "core/data_files.h"
#include "core/radio_image.h"
#include "platform/platform.h"

namespace {

constexpr int kDefaultPort = 1;
constexpr double kLargestNumber = 32767;  // the setting was a 16-bit number

}  // namespace

QString detectDecimalSeparator(const QLocale& locale) {
    return locale.toString(0.5).contains(QLatin1Char('.')) ? QStringLiteral(".")
                                                           : QStringLiteral(",");
}

bool englishModeFromSetting(const QString& text) { return text == QLatin1String("True"); }

int portNumberFromSetting(const QString& text) {
    if (text.isEmpty()) return kDefaultPort;

    // The leading decimal number: blanks, a sign, digits, a point and decimals.
    int i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    double value = 0;
    bool seenDigit = false;
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        value = value * 10 + text.at(i).digitValue();
        seenDigit = true;
    }
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        double scale = 0.1;
        for (++i; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
            value += scale * text.at(i).digitValue();
            scale /= 10;
            seenDigit = true;
        }
    }
    if (!seenDigit) return 0;
    if (negative) value = -value;
    // Halves go to the even neighbour (default rounding mode of nearbyint).
    const double rounded = std::nearbyint(value);
    if (rounded > kLargestNumber || rounded < -kLargestNumber) return 0;
    return static_cast<int>(rounded);
}

void resetStartupState(GlobalState& state) {
    state.ChannelPageOpen = false;
    state.OptionPageOpen = false;
    state.KeyPageOpen = false;
    state.SpecialCodeAllowed = true;
    state.ChannelEditOpen = false;
    state.TransferIsRead = false;
    state.ProgramPassword.clear();
    state.PageWindowState = 0;
    state.CurrentFilePath.clear();
    state.CurrentFileName = QStringLiteral("new.rdat");
    state.LanguageChanged = false;
    state.ChannelGridStale = false;
    state.ChannelEditStale = false;
}

bool runStartupWithoutWindow(GlobalState& state, const QLocale& locale) {
    state.DecimalSeparator = detectDecimalSeparator(locale);

    SettingsStore& settings = platform::settings();
    state.EnglishMode = englishModeFromSetting(settings.read(QString::fromLatin1(kLanguageKey)));
    state.ComPortNumber = portNumberFromSetting(settings.read(QString::fromLatin1(kComPortKey)));

    resetStartupState(state);

    if (state.AppFolder.isEmpty() && QCoreApplication::instance())
        state.AppFolder = QCoreApplication::applicationDirPath();
    state.InitFileName = QStringLiteral("/Init.dat");
    state.ModelChanged = false;
    const bool fromFile = loadStartupFile(state);

    analyseModel(state);
    analyseSoftwareData(state);
    return fromFile;
}
