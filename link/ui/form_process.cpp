#include "link/ui/form_process.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <cmath>

#include "core/global_state.h"
#include "core/workbench.h"

namespace {
// The progress bar runs from 0 to 1 in steps of a thousandth.
constexpr int kProgressSteps = 1000;
}  // namespace

FormProcess::FormProcess(QWidget* parent)
    : QDialog(parent),
      MSComm1(platform::createSerialPort()),
      Timer1([this]() { link_.timerTick(); }),
      link_(globalState(), *MSComm1, Timer1, *this),
      reading_(globalState().TransferIsRead) {
    GlobalState& state = globalState();
    setObjectName(QStringLiteral("FormProcess"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    LabelProcess = new QLabel(this);
    LabelProcess->setObjectName(QStringLiteral("LabelProcess"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, kProgressSteps);
    ProgressBar1->setTextVisible(false);
    TextShow = new QLineEdit(this);
    TextShow->setObjectName(QStringLiteral("TextShow"));
    TextShow->setReadOnly(true);
    TextShow->setAlignment(Qt::AlignCenter);

    LabelPassword = new QLabel(this);
    LabelPassword->setObjectName(QStringLiteral("LabelPassword"));
    TextPassword = new QLineEdit(this);
    TextPassword->setObjectName(QStringLiteral("TextPassword"));
    LabelNewPassword = new QLabel(this);
    LabelNewPassword->setObjectName(QStringLiteral("LabelNewPassword"));
    TextNewPassword = new QLineEdit(this);
    TextNewPassword->setObjectName(QStringLiteral("TextNewPassword"));
    CheckNewPassword = new QCheckBox(this);
    CheckNewPassword->setObjectName(QStringLiteral("CheckNewPassword"));

    CommandRead = new QPushButton(this);
    CommandRead->setObjectName(QStringLiteral("CommandRead"));
    CommandWrite = new QPushButton(this);
    CommandWrite->setObjectName(QStringLiteral("CommandWrite"));
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    for (QPushButton* button : {CommandRead, CommandWrite, CommandCancel}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(90);
    }

    auto* passwords = new QGridLayout;
    passwords->addWidget(LabelPassword, 0, 0);
    passwords->addWidget(TextPassword, 0, 1);
    passwords->addWidget(LabelNewPassword, 1, 0);
    passwords->addWidget(TextNewPassword, 1, 1);
    passwords->addWidget(CheckNewPassword, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandRead);
    buttons->addWidget(CommandWrite);
    buttons->addSpacing(24);
    buttons->addWidget(CommandCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelProcess);
    layout->addWidget(ProgressBar1);
    layout->addWidget(TextShow);
    layout->addLayout(passwords);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CommandRead, &QPushButton::clicked, this, &FormProcess::CommandRead_Click);
    connect(CommandWrite, &QPushButton::clicked, this, &FormProcess::CommandWrite_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &FormProcess::reject);
    connect(CheckNewPassword, &QCheckBox::clicked, this, &FormProcess::CheckNewPassword_Click);

    // Window load.
    link_.load();
    ProgressBar1->setValue(0);
    TextPassword->setText(state.ProgramPassword);
    TextShow->setEnabled(false);
    TextNewPassword->setText(state.NewPassword);
    CheckNewPassword->setChecked(state.NewPasswordPending);
    CheckNewPassword_Click();

    setWindowTitle(reading_ ? pick("Read data from radio", "从对讲机读取数据")
                            : pick("Write data from radio", "向对讲机写入数据"));
    CommandRead->setText(pick("Read", "读取"));
    CommandWrite->setText(pick("Write", "写入"));
    CommandCancel->setText(pick("&Cancel", "取消(&C)"));
    LabelProcess->setText(pick("Complete:0%", "完成进度:0%"));
    LabelPassword->setText(pick("Password:", "密码:"));
    LabelNewPassword->setText(pick("New Password:", "新密码:"));

    // The password fields travel with the window but are not shown; the window is only as
    // tall as the progress and one row of buttons.
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             TextNewPassword, LabelNewPassword, CheckNewPassword, TextPassword, LabelPassword})
        hidden->setVisible(false);
    CommandWrite->setVisible(!reading_);
    CommandRead->setVisible(reading_);
    ProgressBar1->setMinimumWidth(320);
}

FormProcess::~FormProcess() {
    if (!unloaded_) link_.unload();
}

void FormProcess::CommandRead_Click() {
    TextShow->setVisible(false);
    TextPassword->setEnabled(false);
    CommandRead->setEnabled(false);
    link_.startRead();
}

void FormProcess::CommandWrite_Click() {
    TextShow->setVisible(false);
    TextPassword->setEnabled(false);
    TextNewPassword->setEnabled(false);
    CheckNewPassword->setEnabled(false);
    CommandWrite->setEnabled(false);
    link_.startWrite(CheckNewPassword->isChecked(), TextNewPassword->text());
}

// A ticked box enables the new password on the window background; a cleared one disables
// it on the inactive-border colour.
void FormProcess::CheckNewPassword_Click() {
    const bool ticked = CheckNewPassword->isChecked();
    QPalette palette = TextNewPassword->palette();
    palette.setColor(QPalette::Base, ticked ? QPalette().color(QPalette::Window)
                                            : QPalette().color(QPalette::Inactive, QPalette::Mid));
    TextNewPassword->setPalette(palette);
    TextNewPassword->setEnabled(ticked);
}

void FormProcess::focusActionButton() {
    QPushButton* action = reading_ ? CommandRead : CommandWrite;
    if (action->isVisible() && action->isEnabled()) action->setFocus();
}

void FormProcess::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    focusActionButton();
}

void FormProcess::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) focusActionButton();
}

void FormProcess::setCaption(const QString& caption) { setWindowTitle(caption); }

void FormProcess::showProgress(double fraction, const QString& text) {
    LabelProcess->setText(text);
    ProgressBar1->setValue(static_cast<int>(std::lround(fraction * kProgressSteps)));
}

// The closing step: controls enabled again, the outcome shown, the pages refreshed after a
// read, then the window unloads.
void FormProcess::finish(bool succeeded) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             TextPassword, TextNewPassword, CheckNewPassword, CommandWrite, CommandRead})
        control->setEnabled(true);
    if (reading_) {
        CommandRead->setFocus();
        if (succeeded) {
            TextShow->setText(pick("Read Data OK", "读频成功"));
            TextShow->setVisible(true);
            radiolink::refreshPagesAfterRead(globalState(), workbench());
        }
    } else {
        CommandWrite->setFocus();
        if (succeeded) {
            TextShow->setText(pick("Write Data OK", "写频成功"));
            TextShow->setVisible(true);
        }
    }
    done(succeeded ? QDialog::Accepted : QDialog::Rejected);
}

void FormProcess::blockingWait(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void FormProcess::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        GlobalState& state = globalState();
        state.ProgramPassword = TextPassword->text();
        state.NewPassword = TextNewPassword->text();
        state.NewPasswordPending = CheckNewPassword->isChecked();
        link_.unload();  // direction reset, port closed without an 'E'
    }
    QDialog::done(result);
}
