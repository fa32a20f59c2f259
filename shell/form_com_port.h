#pragma once
// The serial-port dialog: lists the ports COM1..COM99 that can be opened, with the device
// beside each name, and makes the chosen one the port of the radio link.
#include <QDialog>

class PortProber;
class QComboBox;
class QLabel;
class QPushButton;

class FormComPort : public QDialog {
    Q_OBJECT
public:
    // Probes the ports through the given prober while loading.
    explicit FormComPort(PortProber& prober, QWidget* parent = nullptr);
    explicit FormComPort(QWidget* parent = nullptr);

private:
    void setLanguageTexts();
    void listPorts(PortProber& prober);
    void CommandOK_Click();

    QLabel* LabelComPort;
    QComboBox* ComboComPort;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;
};
