#include "channels/ui/form_channel_copy.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "channels/channel_records.h"
#include "core/global_state.h"
#include "core/value_helpers.h"
#include "core/workbench.h"

namespace {
constexpr int kChannels = 16;
}

FormChannelCopy::FormChannelCopy(int channel, QWidget* parent)
    : QDialog(parent), channel_(channel), target_(channel) {
    setObjectName(QStringLiteral("FormChannelCopy"));
    setWindowTitle(pick("Copy Channel", "信道复制"));

    // The label's text holds the source field and the target list in its two gaps.
    const QStringList parts =
        pick("Channel               To Channel", "信道                   到信道")
            .split(QRegularExpression(QStringLiteral("\\s{2,}")));
    LabelChannelCopy = new QLabel(parts.value(0), this);
    LabelChannelCopy->setObjectName(QStringLiteral("LabelChannelCopy"));
    LabelChannelCopyTo = new QLabel(parts.value(1), this);
    LabelChannelCopyTo->setObjectName(QStringLiteral("LabelChannelCopyTo"));

    TextChannelFrom = new QLineEdit(QString::number(channel), this);
    TextChannelFrom->setObjectName(QStringLiteral("TextChannelFrom"));
    TextChannelFrom->setEnabled(false);
    TextChannelFrom->setAlignment(Qt::AlignCenter);
    TextChannelFrom->setFixedWidth(
        TextChannelFrom->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);

    ComboChannelTo = new QComboBox(this);
    ComboChannelTo->setObjectName(QStringLiteral("ComboChannelTo"));
    ComboChannelTo->clear();
    for (int n = 1; n <= kChannels; ++n) ComboChannelTo->addItem(QString::number(n));
    ComboChannelTo->setCurrentIndex(channel - 1);
    ComboChannelTo->setMaxVisibleItems(kChannels);
    connect(ComboChannelTo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { target_ = index + 1; });
    LabelChannelCopyTo->setBuddy(ComboChannelTo);

    CommandCopy = new QPushButton(pick("C&opy", "复制(&O)"), this);
    CommandCopy->setObjectName(QStringLiteral("CommandCopy"));
    CommandCancel = new QPushButton(pick("&Close", "关闭(&C)"), this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    CommandHelp = new QPushButton(pick("&Help", "帮助(&H)"), this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    CommandCopy->setDefault(true);
    connect(CommandCopy, &QPushButton::clicked, this, &FormChannelCopy::CommandCopyClick);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CommandHelp, &QPushButton::clicked, this,
            [] { workbench().showHelpTopic(help_topic::kChannelCopy); });

    auto* channels = new QHBoxLayout;
    channels->addWidget(LabelChannelCopy);
    channels->addWidget(TextChannelFrom);
    channels->addSpacing(12);
    channels->addWidget(LabelChannelCopyTo);
    channels->addWidget(ComboChannelTo);
    channels->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandCopy);
    buttons->addWidget(CommandCancel);
    buttons->addWidget(CommandHelp);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(channels);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    ComboChannelTo->setFocus();
}

void FormChannelCopy::CommandCopyClick() {
    if (target_ == channel_) return;
    GlobalState& state = globalState();
    CopyChannel(state.RadioImage, channel_, target_);
    state.ChannelGridStale = true;
}
