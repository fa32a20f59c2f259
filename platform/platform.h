#pragma once
// Access to the platform seams in force. The application installs the Qt implementations
// at start; tests install doubles. Nothing else in the product touches message boxes,
// file dialogs, the settings store or the help viewer directly.
#include "platform/file_dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"

namespace platform {

MessageBoxes& messages();
FileDialogs& fileDialogs();
SettingsStore& settings();
HelpViewer& help();

// Installs an implementation; the caller keeps ownership. nullptr restores the fallback
// (message boxes answer their default button, dialogs cancel, settings are empty, help
// does nothing), which keeps headless code safe when nothing was installed.
void setMessages(MessageBoxes* impl);
void setFileDialogs(FileDialogs* impl);
void setSettings(SettingsStore* impl);
void setHelp(HelpViewer* impl);

}  // namespace platform
