#pragma once
// Base of the three pages (channel information, function setup, key setting): modeless
// MDI children that exist at most once each. It keeps the page's open flag, its entry in
// the main window's Window menu (identifiers 1000..1002), the tick on the active page and
// PageWindowState, the window state new pages open in.
#include <QWidget>

#include "core/global_state.h"

namespace page_id {
constexpr int kChannelInformation = 1000;
constexpr int kOption = 1001;
constexpr int kKeySetting = 1002;
}  // namespace page_id

class PageWindow : public QWidget {
    Q_OBJECT
public:
    // openFlag is the page's flag in GlobalState (ChannelPageOpen, OptionPageOpen or
    // KeyPageOpen); it is set from the page's load until it is closed.
    PageWindow(int menuId, bool GlobalState::*openFlag, QWidget* parent = nullptr);
    ~PageWindow() override;

    int menuId() const { return menuId_; }

protected:
    // Called by the page at the end of its constructor, once its caption is set: sets the
    // open flag and appends the caption to the Window menu.
    void pageLoaded();

    // Closes the page together with the MDI sub-window around it, if any: closing only the
    // page would leave an empty frame behind in the main window.
    void closePage();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void followFrame();

    int menuId_;
    bool GlobalState::*openFlag_;
    bool loaded_ = false;
    QWidget* frame_ = nullptr;  // the MDI sub-window around the page, once shown in one
};
