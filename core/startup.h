#pragma once
// The start-up steps that need no window: the decimal separator, the two remembered
// settings, the reset of the process-wide flags, the start-up file into the image and the
// software record, model identification and the decoding of the software record.
#include <QLocale>
#include <QString>

#include "core/global_state.h"

// Settings keys, as the settings dialogs write them.
inline constexpr char kLanguageKey[] = "Language";
inline constexpr char kComPortKey[] = "ComPort";

// "." when the locale writes 0.5 with a point, "," otherwise.
QString detectDecimalSeparator(const QLocale& locale);
// English exactly when the remembered text is "True" (case-sensitive).
bool englishModeFromSetting(const QString& text);
// The remembered port: 1 when there is none; otherwise the decimal number at the start of
// the text rounded to a whole number (halves to even), 0 when the text starts with no
// number or the number is beyond any port.
int portNumberFromSetting(const QString& text);
// Clears the page and transfer flags, the passwords and the current file as at start-up.
void resetStartupState(GlobalState& state);

// Runs the start-up steps on the state, reading the settings through platform::settings().
// AppFolder, when empty, becomes the folder of the executable. A missing or short Init.dat
// is reported (one error box naming it) and replaced by the built-in default image.
// Returns true when Init.dat itself was loaded.
bool runStartupWithoutWindow(GlobalState& state, const QLocale& locale = QLocale::system());
