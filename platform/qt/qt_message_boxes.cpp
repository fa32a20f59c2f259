#include "platform/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

BoxAnswer QtMessageBoxes::show(const QString& title, const QString& text, BoxIcon icon,
                               BoxButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
        case BoxIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case BoxIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case BoxIcon::Question: box.setIcon(QMessageBox::Question); break;
        case BoxIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
        case BoxButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        case BoxButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case BoxButtons::RetryCancel:
            box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Retry);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok: return BoxAnswer::Ok;
        case QMessageBox::Retry: return BoxAnswer::Retry;
        default: return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
    }
}
