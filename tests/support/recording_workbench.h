#pragma once
// A main-window stand-in for tests: records the reloads, commits, page calls and help
// topics asked of it, keeps the model and passwords of the global image current as the
// main window does, and lets a test play the channel grid's pending edit. It registers
// itself as the workbench in force for its lifetime.
#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>

#include "core/data_files.h"
#include "core/radio_image.h"
#include "core/workbench.h"

class RecordingWorkbench : public Workbench {
public:
    QStringList calls;                   // reloads, commits and page reopening, in order
    QList<QPair<int, QString>> appended;  // Window-menu entries
    QList<int> checked;
    QList<int> removed;
    QStringList helpTopics;
    std::function<void()> pendingEdit;  // run by FreshData

    RecordingWorkbench() { setWorkbench(this); }
    ~RecordingWorkbench() override { setWorkbench(nullptr); }
    RecordingWorkbench(const RecordingWorkbench&) = delete;
    RecordingWorkbench& operator=(const RecordingWorkbench&) = delete;

    void AnalyseModel() override {
        calls << QStringLiteral("AnalyseModel");
        analyseModel(globalState());
    }
    void AnalyseSoftwareData() override {
        calls << QStringLiteral("AnalyseSoftwareData");
        analyseSoftwareData(globalState());
    }
    void AnalyseChannelInformation() override {
        calls << QStringLiteral("AnalyseChannelInformation");
    }
    void AnalyseOption() override { calls << QStringLiteral("AnalyseOption"); }
    void AnalyseKeySetting() override { calls << QStringLiteral("AnalyseKeySetting"); }
    void FreshData() override {
        calls << QStringLiteral("FreshData");
        if (pendingEdit) pendingEdit();
    }
    void reopenChannelPage() override { calls << QStringLiteral("reopenChannelPage"); }
    void windowMenuAppend(int id, const QString& caption) override {
        appended.append({id, caption});
    }
    void windowMenuCheck(int id) override { checked.append(id); }
    void windowMenuRemove(int id) override { removed.append(id); }
    void showHelpTopic(const QString& topic) override { helpTopics.append(topic); }
};

// A RecordingWorkbench for the lifetime of the object, for fixtures that hold it by value.
struct ScopedWorkbench {
    RecordingWorkbench workbench;
};
