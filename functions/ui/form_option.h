#pragma once
// The function-setup page: time-out timer and warning, squelch level, voice prompt and the
// switchable functions of byte 303. Every choice is written into the radio image at once.
#include "core/ui/page_window.h"
#include "functions/function_setup.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class FormOption : public PageWindow {
    Q_OBJECT
public:
    explicit FormOption(QWidget* parent = nullptr);

    // Reloads the controls from the image, correcting out-of-range bytes there.
    void AnalyseOption();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void languageTexts();
    void listChosen(OptionList list, int entry);
    void checkClicked(OptionCheck check, bool ticked);
    void showHelp();

    bool refreshing_ = false;  // set while AnalyseOption fills the controls

    QLabel* LabelTOT = nullptr;
    QLabel* LabelTOTWarning = nullptr;
    QLabel* LabelSQ = nullptr;
    QLabel* LabelVoice = nullptr;
    QComboBox* ComboTOT = nullptr;
    QComboBox* ComboTOTWarning = nullptr;
    QComboBox* ComboSQ = nullptr;
    QComboBox* ComboVoice = nullptr;
    QCheckBox* CheckSave = nullptr;
    QCheckBox* CheckScramble = nullptr;
    QCheckBox* CheckBeep = nullptr;
    QCheckBox* CheckRoger = nullptr;
    QCheckBox* CheckFreqHopping = nullptr;
    QPushButton* CommandClose = nullptr;
    QPushButton* CommandHelp = nullptr;
};
