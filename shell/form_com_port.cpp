#include "shell/form_com_port.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/global_state.h"
#include "platform/platform.h"
#include "platform/port_mapping.h"
#include "shell/port_prober.h"

FormComPort::FormComPort(QWidget* parent) : FormComPort(portProber(), parent) {}

FormComPort::FormComPort(PortProber& prober, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormComPort"));
    LabelComPort = new QLabel(this);
    LabelComPort->setObjectName(QStringLiteral("LabelComPort"));
    ComboComPort = new QComboBox(this);
    ComboComPort->setObjectName(QStringLiteral("ComboComPort"));
    ComboComPort->setMinimumWidth(180);
    ComboComPort->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    LabelComPort->setBuddy(ComboComPort);
    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelComPort, 0, 0);
    grid->addWidget(ComboComPort, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(CommandOK, &QPushButton::clicked, this, &FormComPort::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);

    setLanguageTexts();
    listPorts(prober);
}

void FormComPort::setLanguageTexts() {
    setWindowTitle(pick("Set COM", "串口设置"));
    LabelComPort->setText(pick("Comm Port", "串口"));
    CommandOK->setText(pick("&OK", "确定(&O)"));
    CommandCancel->setText(pick("&Cancel", "取消(&C)"));
}

// Lists every port that opens, in ascending order. When the port in force is not among
// them, the first one listed becomes the port in force at once (even if the dialog is
// then cancelled; the settings store is written only by OK).
void FormComPort::listPorts(PortProber& prober) {
    GlobalState& state = globalState();
    int remembered = -1;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (!prober.tryOpen(n)) continue;
        if (n == state.ComPortNumber) remembered = ComboComPort->count();
        ComboComPort->addItem(portDisplayName(n, devicePathForPort(n, platform::settings())));
    }
    if (ComboComPort->count() == 0) return;
    if (remembered >= 0) {
        ComboComPort->setCurrentIndex(remembered);
    } else {
        ComboComPort->setCurrentIndex(0);
        state.ComPortNumber = portNumberOfEntry(ComboComPort->itemText(0));
    }
}

// With no port listed there is nothing to choose: the port in force and the settings stay.
void FormComPort::CommandOK_Click() {
    if (ComboComPort->currentIndex() >= 0) {
        const int number = portNumberOfEntry(ComboComPort->currentText());
        globalState().ComPortNumber = number;
        platform::settings().write(QStringLiteral("ComPort"), QString::number(number));
    }
    accept();
}
