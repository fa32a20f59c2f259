#pragma once
// The model dialog: which variant (VHF or UHF) and band the image is for. Choosing a
// record other than the image's own, and confirming that the frequency data will be
// cleared, sets the band limits and ModelChanged; the main window then rebuilds the image
// from the start-up file with the new model bytes.
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class FormModelInformation : public QDialog {
    Q_OBJECT
public:
    explicit FormModelInformation(QWidget* parent = nullptr);

private:
    void setLanguageTexts();
    void fillBands(bool vhf);
    void ComboModel_Click(int position);
    void CommandOK_Click();

    QLabel* LabelModel;
    QComboBox* ComboModel;
    QLabel* LabelArea;
    QComboBox* ComboArea;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;

    bool loading_ = false;  // while the lists are filled, a model change is not handled
    int shownModel_ = 0;    // the model position last shown (0 VHF, 1 UHF)
};
