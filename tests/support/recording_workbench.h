#pragma once
// A workbench that records the reloads asked of it and keeps the model of the global image
// current, as the main window does.
#include <QStringList>

#include "core/radio_image.h"
#include "core/workbench.h"

class RecordingWorkbench : public Workbench {
public:
    QStringList calls;
    void AnalyseModel() override {
        calls << QStringLiteral("AnalyseModel");
        analyseModel(globalState());
    }
    void AnalyseSoftwareData() override { calls << QStringLiteral("AnalyseSoftwareData"); }
    void AnalyseChannelInformation() override {
        calls << QStringLiteral("AnalyseChannelInformation");
    }
    void AnalyseOption() override { calls << QStringLiteral("AnalyseOption"); }
    void AnalyseKeySetting() override { calls << QStringLiteral("AnalyseKeySetting"); }
};

// Installs a RecordingWorkbench for its lifetime.
struct ScopedWorkbench {
    RecordingWorkbench workbench;
    ScopedWorkbench() { setWorkbench(&workbench); }
    ~ScopedWorkbench() { setWorkbench(nullptr); }
    ScopedWorkbench(const ScopedWorkbench&) = delete;
    ScopedWorkbench& operator=(const ScopedWorkbench&) = delete;
};
