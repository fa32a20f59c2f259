#include "channels/ui/channel_ui_support.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/global_state.h"
#include "core/value_helpers.h"
#include "core/workbench.h"

namespace channel_ui {

bool isEnterKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

int typedKeyCode(const QKeyEvent* event) {
    if (isEnterKey(event)) return kEnterCode;
    if (event->key() == Qt::Key_Backspace) return kBackspaceCode;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) return 0;
    return text.at(0).unicode();
}

bool filterFrequencyKey(QLineEdit* field, QKeyEvent* event) {
    const int code = typedKeyCode(event);
    if (code == 0 || code == kEnterCode) return false;
    const int result = filterKeystroke(field->text(), field->selectedText().size(), code,
                                       key_kind::kFrequency, globalState().DecimalSeparator);
    if (result == key_code::kRejected) return true;
    if (result != code) {
        field->insert(QString(QChar(result)));
        return true;
    }
    return false;
}

bool filterToneKey(QLineEdit* field, QKeyEvent* event, ToneRules rules) {
    const int code = typedKeyCode(event);
    if (code == 0 || code == kEnterCode) return false;
    const ToneKey key = FilterToneKey(field->text(), field->hasSelectedText(), QChar(code),
                                      globalState().DecimalSeparator, rules);
    if (key.action == ToneKey::Drop) return true;
    if (key.action == ToneKey::Accept && key.key != QChar(code)) {
        field->insert(QString(key.key));
        return true;
    }
    return false;
}

void makeToneBox(QComboBox* box) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
}

int windowStateCode(const QWidget* window) {
    const QWidget* frame = qobject_cast<const QMdiSubWindow*>(window->parentWidget());
    const Qt::WindowStates state = (frame ? frame : window)->windowState();
    if (state.testFlag(Qt::WindowMinimized)) return 1;
    if (state.testFlag(Qt::WindowMaximized)) return 2;
    return 0;
}

void showChildWindow(QWidget* window, int state) {
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (!frame && workbench().addChildWindow(window))
        frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    QWidget* target = frame ? static_cast<QWidget*>(frame) : window;
    Qt::WindowStates states = target->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == 2) states |= Qt::WindowMaximized;
    target->setWindowState(states);
    target->show();
    target->raise();
    if (frame && frame->mdiArea())
        frame->mdiArea()->setActiveSubWindow(frame);
    else
        target->activateWindow();
}

void detachChildren(QObject* window) {
    for (QObject* child : window->findChildren<QObject*>()) {
        child->removeEventFilter(window);
        QObject::disconnect(child, nullptr, window, nullptr);
    }
}

void closeChildWindow(QWidget* window) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        frame->close();
    else
        window->close();
}

}  // namespace channel_ui
