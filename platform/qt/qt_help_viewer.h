#pragma once
// The help viewer: a help file is a compiled Qt resource bundle (KORVA-77_e.chm,
// KORVA-77_c.chm) holding HTML pages under /HTML/. A location "<help file>::/HTML/<topic>"
// is opened by mapping the bundle into the resource tree and showing the topic in the
// application's help window, which also reports a missing file or topic.
#include <QHash>
#include <QPointer>
#include <QUrl>

#include "platform/help_viewer.h"

class HelpWindow;
class QWidget;

// Where a help location leads: the page's address, or the reason it has none.
struct HelpPage {
    QUrl url;         // qrc: address of the page; empty when there is a problem
    QString problem;  // why the page cannot be shown, in the language in force
};

class QtHelpViewer : public HelpViewer {
public:
    ~QtHelpViewer() override;

    void showTopic(const QString& location) override;

    // Resolves "<help file>::/HTML/<topic>" into a page of the mapped bundle.
    HelpPage resolve(const QString& location);

    // The window that owns the help window (it closes with its owner).
    void setOwner(QWidget* owner);
    // The help window, once a topic has been shown; nullptr before and after it closed.
    HelpWindow* window() const;

private:
    QHash<QString, QString> mapRoots_;  // help file path -> resource root it is mapped at
    QPointer<QWidget> owner_;
    QPointer<HelpWindow> window_;
};
