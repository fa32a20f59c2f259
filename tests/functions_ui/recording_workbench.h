#pragma once
// A workbench that records what the pages ask of the main window.
#include <QList>
#include <QPair>
#include <QStringList>

#include "core/workbench.h"

class RecordingWorkbench : public Workbench {
public:
    QList<QPair<int, QString>> appended;
    QList<int> checked;
    QList<int> removed;
    QStringList helpTopics;

    RecordingWorkbench() { setWorkbench(this); }
    ~RecordingWorkbench() override { setWorkbench(nullptr); }

    void AnalyseModel() override {}
    void AnalyseSoftwareData() override {}
    void windowMenuAppend(int id, const QString& caption) override {
        appended.append({id, caption});
    }
    void windowMenuCheck(int id) override { checked.append(id); }
    void windowMenuRemove(int id) override { removed.append(id); }
    void showHelpTopic(const QString& topic) override { helpTopics.append(topic); }
};
