#include "support/doubles.h"

#include "core/global_state.h"

BoxAnswer RecordingMessageBoxes::show(const QString& title, const QString& text, BoxIcon icon,
                                      BoxButtons buttons) {
    shown.append({title, text, icon, buttons});
    if (!answers.isEmpty()) return answers.takeFirst();
    return buttons == BoxButtons::RetryCancel ? BoxAnswer::Retry : BoxAnswer::Ok;
}

QStringList RecordingMessageBoxes::texts() const {
    QStringList result;
    for (const ShownBox& box : shown) result << box.text;
    return result;
}

FileChoice ScriptedFileDialogs::choose(const QString& mode, const QString& title,
                                       const QString& initialName, bool english) {
    calls.append({mode, title, initialName, english});
    if (answers.isEmpty()) return {};
    return answers.takeFirst();
}

bool MemorySettings::write(const QString& key, const QString& value) {
    writes.append({key, value});
    if (!writable) return false;
    values.insert(key, value);
    return true;
}

ScopedDoubles::ScopedDoubles() {
    globalState() = GlobalState();
    platform::setMessages(&messages);
    platform::setFileDialogs(&files);
    platform::setSettings(&settings);
    platform::setHelp(&help);
}

ScopedDoubles::~ScopedDoubles() {
    platform::setMessages(nullptr);
    platform::setFileDialogs(nullptr);
    platform::setSettings(nullptr);
    platform::setHelp(nullptr);
}
