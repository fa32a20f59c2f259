#pragma once
// Test doubles for the platform seams: they record what the product showed or stored and
// answer from a script, so no person has to press a button.
#include <QList>
#include <QMap>
#include <QStringList>

#include "platform/platform.h"

struct ShownBox {
    QString title;
    QString text;
    BoxIcon icon;
    BoxButtons buttons;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    QList<ShownBox> shown;
    // Answers given in order; when the script runs out the default button answers
    // (OK, or Retry for Retry+Cancel).
    QList<BoxAnswer> answers;

    BoxAnswer show(const QString& title, const QString& text, BoxIcon icon,
                   BoxButtons buttons) override;
    QStringList texts() const;
};

struct FileDialogCall {
    QString mode;
    QString title;
    QString initialName;
    bool english;
};

class ScriptedFileDialogs : public FileDialogs {
public:
    QList<FileDialogCall> calls;
    QList<FileChoice> answers;  // in order; cancelled once the script runs out

    FileChoice choose(const QString& mode, const QString& title, const QString& initialName,
                      bool english) override;
};

class MemorySettings : public SettingsStore {
public:
    QMap<QString, QString> values;
    QList<QPair<QString, QString>> writes;
    bool writable = true;

    QString read(const QString& key) override { return values.value(key); }
    bool write(const QString& key, const QString& value) override;
};

class RecordingHelp : public HelpViewer {
public:
    QStringList topics;
    void showTopic(const QString& location) override { topics << location; }
};

// Installs fresh doubles for the lifetime of the object and restores the fallbacks after.
// Also resets the process-wide state to its defaults.
struct ScopedDoubles {
    RecordingMessageBoxes messages;
    ScriptedFileDialogs files;
    MemorySettings settings;
    RecordingHelp help;

    ScopedDoubles();
    ~ScopedDoubles();
    ScopedDoubles(const ScopedDoubles&) = delete;
    ScopedDoubles& operator=(const ScopedDoubles&) = delete;
};
