#pragma once
#include "core/ui/page_window.h"

// Placeholder page until the real window lands: shows its caption only.
class FormChannelInformation : public PageWindow {
    Q_OBJECT
public:
    explicit FormChannelInformation(QWidget* parent = nullptr);

    // Reloads the grid from the image.
    void AnalyseChannelInformation() {}
    // Commits an edit still open in the grid into the image.
    void FreshData() {}
};
