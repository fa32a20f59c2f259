#pragma once
#include "core/ui/page_window.h"

// Placeholder page until the real window lands: shows its caption only.
class FormOption : public PageWindow {
    Q_OBJECT
public:
    explicit FormOption(QWidget* parent = nullptr);

    // Reloads the controls from the image, correcting out-of-range bytes.
    void AnalyseOption() {}
};
