#include "platform/platform.h"

namespace platform {
namespace {

class DefaultMessages : public MessageBoxes {
public:
    BoxAnswer show(const QString&, const QString&, BoxIcon, BoxButtons buttons) override {
        return buttons == BoxButtons::RetryCancel ? BoxAnswer::Retry : BoxAnswer::Ok;
    }
};

class NoFileDialogs : public FileDialogs {
public:
    FileChoice choose(const QString&, const QString&, const QString&, bool) override {
        return {};
    }
};

class EmptySettings : public SettingsStore {
public:
    QString read(const QString&) override { return QString(); }
    bool write(const QString&, const QString&) override { return false; }
};

class NoHelp : public HelpViewer {
public:
    void showTopic(const QString&) override {}
};

DefaultMessages defaultMessages;
NoFileDialogs noFileDialogs;
EmptySettings emptySettings;
NoHelp noHelp;

MessageBoxes* currentMessages = &defaultMessages;
FileDialogs* currentFileDialogs = &noFileDialogs;
SettingsStore* currentSettings = &emptySettings;
HelpViewer* currentHelp = &noHelp;

}  // namespace

MessageBoxes& messages() { return *currentMessages; }
FileDialogs& fileDialogs() { return *currentFileDialogs; }
SettingsStore& settings() { return *currentSettings; }
HelpViewer& help() { return *currentHelp; }

void setMessages(MessageBoxes* impl) { currentMessages = impl ? impl : &defaultMessages; }
void setFileDialogs(FileDialogs* impl) { currentFileDialogs = impl ? impl : &noFileDialogs; }
void setSettings(SettingsStore* impl) { currentSettings = impl ? impl : &emptySettings; }
void setHelp(HelpViewer* impl) { currentHelp = impl ? impl : &noHelp; }

}  // namespace platform
