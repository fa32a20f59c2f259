#pragma once
// Small pieces shared by the channel windows: reading a key press the way the keystroke
// filters see it, the two filters applied to text fields, and showing a modeless child
// window of the main window in a given window state.
#include <QString>

#include "channels/tone_codes.h"

class QComboBox;
class QKeyEvent;
class QObject;
class QLineEdit;
class QWidget;

namespace channel_ui {

constexpr int kEnterCode = 13;
constexpr int kBackspaceCode = 8;

// The character a key press types as the filters see it: 13 for Enter, 8 for Backspace,
// the typed character otherwise; 0 for keys that type nothing (arrows, Delete, function
// keys) and for Ctrl or Alt combinations, which the fields handle themselves.
int typedKeyCode(const QKeyEvent* event);

bool isEnterKey(const QKeyEvent* event);

// Frequency field (digits, one decimal separator, at most 9 characters). Returns true when
// the key was dropped. Enter is not handled here.
bool filterFrequencyKey(QLineEdit* field, QKeyEvent* event);

// Editable tone field. Returns true when the key was consumed: dropped, or inserted here
// because the filter changed it (a letter raised to upper case). Enter is not handled here.
bool filterToneKey(QLineEdit* field, QKeyEvent* event, ToneRules rules);

// Makes a combo box an editable tone box: typed text is neither added to the list nor
// completed from it, so that only the tone key rule decides what the box holds.
void makeToneBox(QComboBox* box);

// The window state of a window or of the MDI sub-window around it: 0 normal, 1 minimized,
// 2 maximized.
int windowStateCode(const QWidget* window);

// Shows a modeless window as a child of the main window (on its own when there is none)
// in a window state (0 normal, 1 minimized, 2 maximized; a minimized state opens normal so
// that the window the user asked for is seen), and brings it to the front.
void showChildWindow(QWidget* window, int state);

// Called first thing in a window's destructor: its controls, which are destroyed after
// the window's own part, no longer call back into it (a focused box that goes emits
// signals and focus events on its way out).
void detachChildren(QObject* window);

// Closes a child window together with the MDI sub-window around it.
void closeChildWindow(QWidget* window);

}  // namespace channel_ui
