#pragma once
// What windows ask of the main window and of each other: the reload operations of the
// pages, the channel page's pending-edit commit, closing and reopening pages, the Window
// menu entries of the pages and the help topics. The main window implements it and
// registers itself; until then (and in tests of the logic) a quiet fallback answers.
#include <QString>

class QWidget;

class Workbench {
public:
    virtual ~Workbench() = default;

    // Reloads derived from the image.
    virtual void AnalyseModel() = 0;
    virtual void AnalyseSoftwareData() = 0;
    virtual void AnalyseChannelInformation() {}  // channel page, when open
    virtual void AnalyseOption() {}              // function-setup page, when open
    virtual void AnalyseKeySetting() {}          // key-setting page, when open

    // Commits an edit still open in the channel grid into the image.
    virtual void FreshData() {}

    // Closes every child window, then opens the channel page in PageWindowState
    // (a minimized state opens it normal).
    virtual void reopenChannelPage() {}

    // Takes a modeless window (the channel editor) as a child of the main window and shows
    // it. Returns false when there is no main window to take it; the caller then shows the
    // window on its own.
    virtual bool addChildWindow(QWidget* /*window*/) { return false; }

    // Window-menu protocol of the pages (identifiers 1000..1002).
    virtual void windowMenuAppend(int /*id*/, const QString& /*caption*/) {}
    virtual void windowMenuCheck(int /*id*/) {}
    virtual void windowMenuRemove(int /*id*/) {}

    // Opens a topic ("chinfo.htm", ...) of the help file of the current language.
    virtual void showHelpTopic(const QString& /*topic*/) {}
};

// A window names its help topic in this dynamic property ("chinfo.htm", ...); F1 inside it,
// or the tool bar's Help while it is active, opens that topic.
inline const char* const kHelpTopicProperty = "helpTopic";

Workbench& workbench();
// The caller keeps ownership; nullptr restores the fallback.
void setWorkbench(Workbench* impl);
