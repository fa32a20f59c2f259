#pragma once
// The language dialog: English or Chinese for the whole application. OK with the other
// language sets EnglishMode and LanguageChanged and remembers the choice in the settings
// store; the main window then reopens its windows in the new language.
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class FormLanguage : public QDialog {
    Q_OBJECT
public:
    explicit FormLanguage(QWidget* parent = nullptr);

private:
    void setLanguageTexts();
    void CommandOK_Click();

    QLabel* LabelLanguage;
    QComboBox* ComboLanguage;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;
};
