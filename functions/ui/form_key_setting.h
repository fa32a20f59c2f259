#pragma once
// The key-setting page: the function of each programmable side key, PF1 and PF2, both
// kept in one byte of the radio image. A choice is written into the image at once.
#include "core/ui/page_window.h"

class QComboBox;
class QLabel;
class QPushButton;

class FormKeySetting : public PageWindow {
    Q_OBJECT
public:
    explicit FormKeySetting(QWidget* parent = nullptr);

    // Reloads the key lists from the image; the image is not changed.
    void AnalyseKeySetting();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void languageTexts();
    void keyChosen(int index, int entry);
    void showHelp();

    static constexpr int kVisibleKeys = 2;  // PF1 and PF2; the long-press keys are not shown

    bool refreshing_ = false;  // set while AnalyseKeySetting fills the lists

    QLabel* LabelKeySet[kVisibleKeys] = {};
    QComboBox* ComboKeySet[kVisibleKeys] = {};
    QPushButton* CommandClose = nullptr;
    QPushButton* CommandHelp = nullptr;
};
