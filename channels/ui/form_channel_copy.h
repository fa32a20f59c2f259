#pragma once
// Copies a whole channel (its 16 record bytes and its scan-add bit) onto other channels.
// Modal; stays open so that one channel can be copied to several targets in turn.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FormChannelCopy : public QDialog {
    Q_OBJECT
public:
    // channel: the grid's current channel (1..16), the source of the copy.
    explicit FormChannelCopy(int channel, QWidget* parent = nullptr);

private:
    void CommandCopyClick();

    QLabel* LabelChannelCopy = nullptr;    // "Channel", before the source
    QLabel* LabelChannelCopyTo = nullptr;  // "To Channel", before the target
    QLineEdit* TextChannelFrom = nullptr;
    QComboBox* ComboChannelTo = nullptr;
    QPushButton* CommandCopy = nullptr;
    QPushButton* CommandCancel = nullptr;
    QPushButton* CommandHelp = nullptr;

    int channel_;
    int target_;
};
