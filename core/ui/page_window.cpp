#include "core/ui/page_window.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/workbench.h"

PageWindow::PageWindow(int menuId, bool GlobalState::*openFlag, QWidget* parent)
    : QWidget(parent), menuId_(menuId), openFlag_(openFlag) {
    setAttribute(Qt::WA_DeleteOnClose);
    const char* topic = menuId == page_id::kChannelInformation ? "chinfo.htm"
                        : menuId == page_id::kOption           ? "optfeatures.htm"
                                                               : "keyassign.htm";
    setProperty(kHelpTopicProperty, QLatin1String(topic));
}

PageWindow::~PageWindow() {
    if (!loaded_) return;
    globalState().*openFlag_ = false;
    workbench().windowMenuRemove(menuId_);
}

void PageWindow::pageLoaded() {
    loaded_ = true;
    globalState().*openFlag_ = true;
    workbench().windowMenuAppend(menuId_, windowTitle());
}

void PageWindow::closePage() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void PageWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followFrame();
}

// Watches the sub-window that the main window puts the page in: activation moves the
// Window-menu tick, a state change records PageWindowState. A sub-window gets no
// WindowActivate event when the MDI area activates it, so activation is followed through
// its aboutToActivate signal.
void PageWindow::followFrame() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame || frame == frame_) return;
    frame_ = frame;
    frame_->installEventFilter(this);
    connect(frame, &QMdiSubWindow::aboutToActivate, this,
            [this]() { workbench().windowMenuCheck(menuId_); });
    if (QMdiArea* area = frame->mdiArea(); area && area->activeSubWindow() == frame)
        workbench().windowMenuCheck(menuId_);
}

bool PageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frame_) {
        switch (event->type()) {
            case QEvent::WindowStateChange:
            case QEvent::Resize: {
                const Qt::WindowStates state = frame_->windowState();
                globalState().PageWindowState = state.testFlag(Qt::WindowMinimized)   ? 1
                                                : state.testFlag(Qt::WindowMaximized) ? 2
                                                                                      : 0;
                break;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
