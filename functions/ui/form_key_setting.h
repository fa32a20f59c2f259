#pragma once
#include "core/ui/page_window.h"

// Placeholder page until the real window lands: shows its caption only.
class FormKeySetting : public PageWindow {
    Q_OBJECT
public:
    explicit FormKeySetting(QWidget* parent = nullptr);

    // Reloads the key lists from the image.
    void AnalyseKeySetting() {}
};
