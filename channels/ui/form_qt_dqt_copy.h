#pragma once
// Sets a channel's encode tone (CTCSS or DCS), starting from its decode tone. Modal; OK
// writes and closes, Cancel closes without writing.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FormQtDqtCopy : public QDialog {
    Q_OBJECT
public:
    // channel: the grid's current channel (1..16); decodeText: its decode-tone cell.
    FormQtDqtCopy(int channel, const QString& decodeText, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leaveEncode();
    void CommandOKClick();

    QLabel* LabelDecode = nullptr;
    QLabel* LabelEncode = nullptr;
    QLineEdit* TextDecode = nullptr;
    QComboBox* ComboEncode = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
    QPushButton* CommandHelp = nullptr;

    int channel_;
    bool enterPressed_ = false;
    bool done_ = false;  // OK has written; a late focus change does nothing more
};
