#pragma once
// Temporary stand-ins for the start-up steps and file commands of core/ until they are
// merged; replaced by the real operations then.
#include "core/global_state.h"

namespace pending {

QString detectDecimalSeparator();
void readSettings(GlobalState& state);
void loadStartupFile(GlobalState& state, bool withSoftwareRecord);
void analyseSoftwareData(GlobalState& state);
void fileNew(GlobalState& state);
void fileOpen(GlobalState& state);
void fileSave(GlobalState& state);
void fileSaveAs(GlobalState& state);

}  // namespace pending

class QWidget;
namespace pending {
// The serial window until the radio link lands: shows the direction only.
void showTransferWindow(QWidget* parent);
}  // namespace pending
