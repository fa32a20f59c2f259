#pragma once
// A main window stand-in for the file operations: records which reloads were asked for and
// lets a test play the channel grid's pending edit.
#include <QStringList>
#include <functional>

#include "core/data_files.h"
#include "core/radio_image.h"
#include "core/workbench.h"

class RecordingWorkbench : public Workbench {
public:
    QStringList calls;
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
    void FreshData() override {
        calls << QStringLiteral("FreshData");
        if (pendingEdit) pendingEdit();
    }
    void reopenChannelPage() override { calls << QStringLiteral("reopenChannelPage"); }
};
