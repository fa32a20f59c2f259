#pragma once
// The serial window: runs one transfer with the radio (a whole-image read or write, chosen
// by TransferIsRead when the window loads) and closes itself. Openers set TransferIsRead
// and show it modally with exec(). The protocol itself is radiolink::ProgrammingLink; this
// window wires it to the port, a QTimer and its controls.
#include <QDialog>
#include <memory>

#include "link/programming_link.h"
#include "link/qt_link_timer.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class FormProcess : public QDialog, private radiolink::LinkHost {
    Q_OBJECT
public:
    explicit FormProcess(QWidget* parent = nullptr);
    ~FormProcess() override;

    // Closes the window; runs the unload (passwords back to the globals, direction reset,
    // port closed without an 'E') once.
    void done(int result) override;

    const radiolink::ProgrammingLink& link() const { return link_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CommandRead_Click();
    void CommandWrite_Click();
    void CheckNewPassword_Click();
    void focusActionButton();

    // radiolink::LinkHost
    void setCaption(const QString& caption) override;
    void showProgress(double fraction, const QString& text) override;
    void finish(bool succeeded) override;
    void blockingWait(int ms) override;

    QPushButton* CommandRead;
    QPushButton* CommandWrite;
    QPushButton* CommandCancel;
    QLabel* LabelProcess;
    QProgressBar* ProgressBar1;
    QLineEdit* TextShow;
    QLineEdit* TextPassword;
    QLabel* LabelPassword;
    QLineEdit* TextNewPassword;
    QLabel* LabelNewPassword;
    QCheckBox* CheckNewPassword;

    std::unique_ptr<SerialPort> MSComm1;
    radiolink::QtLinkTimer Timer1;
    radiolink::ProgrammingLink link_;
    bool reading_;
    bool unloaded_ = false;
};
