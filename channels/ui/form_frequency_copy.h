#pragma once
// Sets a channel's transmit frequency, starting from its receive frequency. Modal; OK
// writes and closes, Cancel closes without writing.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class FormFrequencyCopy : public QDialog {
    Q_OBJECT
public:
    // channel: the grid's current channel (1..16); receiveText: its receive-frequency cell.
    FormFrequencyCopy(int channel, const QString& receiveText, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CommandOKClick();

    QLabel* LabelRxFreq = nullptr;
    QLabel* LabelTxFreq = nullptr;
    QLineEdit* TextRxFreq = nullptr;
    QLineEdit* TextTxFreq = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
    QPushButton* CommandHelp = nullptr;

    int channel_;
};
