#pragma once
// Real mouse and keyboard input on the pages' lists.
#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>

// Opens the list's drop-down and clicks the entry, as a user does with the mouse.
inline bool chooseWithMouse(QComboBox* combo, int entry) {
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* view = combo->view();
    if (!QTest::qWaitForWindowExposed(view->window())) return false;
    const QModelIndex index = combo->model()->index(entry, 0);
    view->scrollTo(index);
    // The drop-down ignores a release within a double-click time of opening, so that the
    // click which opened it does not choose; a person is never that quick.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return !view->window()->isVisible();
}

// Writes the page into a PNG when KORVA_SCREENSHOT_DIR names a folder.
inline bool grabWhenAsked(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("KORVA_SCREENSHOT_DIR");
    if (folder.isEmpty()) return false;
    return window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
