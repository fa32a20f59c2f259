#pragma once
#include "platform/message_boxes.h"

// Message boxes as QMessageBox, owned by the active window.
class QtMessageBoxes : public MessageBoxes {
public:
    BoxAnswer show(const QString& title, const QString& text, BoxIcon icon,
                   BoxButtons buttons) override;
};
