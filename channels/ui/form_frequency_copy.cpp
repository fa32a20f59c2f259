#include "channels/ui/form_frequency_copy.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "channels/channel_records.h"
#include "channels/ui/channel_ui_support.h"
#include "core/global_state.h"
#include "core/value_helpers.h"
#include "core/workbench.h"

FormFrequencyCopy::FormFrequencyCopy(int channel, const QString& receiveText, QWidget* parent)
    : QDialog(parent), channel_(channel) {
    setObjectName(QStringLiteral("FormFrequencyCopy"));
    setWindowTitle(pick("Frequency Copy", "频率复制"));

    LabelRxFreq = new QLabel(pick("Receive", "接收频率"), this);
    LabelRxFreq->setObjectName(QStringLiteral("LabelRxFreq"));
    LabelTxFreq = new QLabel(pick("Transmit", "发射频率"), this);
    LabelTxFreq->setObjectName(QStringLiteral("LabelTxFreq"));
    TextRxFreq = new QLineEdit(receiveText, this);
    TextRxFreq->setObjectName(QStringLiteral("TextRxFreq"));
    TextRxFreq->setEnabled(false);
    TextTxFreq = new QLineEdit(receiveText, this);
    TextTxFreq->setObjectName(QStringLiteral("TextTxFreq"));
    TextTxFreq->setMaxLength(9);
    TextTxFreq->installEventFilter(this);
    LabelTxFreq->setBuddy(TextTxFreq);
    const int fieldWidth =
        TextTxFreq->fontMetrics().horizontalAdvance(QStringLiteral("888.888888")) + 16;
    TextRxFreq->setMinimumWidth(fieldWidth);
    TextTxFreq->setMinimumWidth(fieldWidth);

    CommandOK = new QPushButton(pick("&OK", "确定(&O)"), this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandCancel = new QPushButton(pick("&Cancel", "取消(&C)"), this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    CommandHelp = new QPushButton(pick("&Help", "帮助(&H)"), this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    CommandOK->setDefault(true);
    connect(CommandOK, &QPushButton::clicked, this, &FormFrequencyCopy::CommandOKClick);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CommandHelp, &QPushButton::clicked, this,
            [] { workbench().showHelpTopic(help_topic::kFrequencyCopy); });

    auto* fields = new QGridLayout;
    fields->addWidget(LabelRxFreq, 0, 0);
    fields->addWidget(TextRxFreq, 0, 1);
    fields->addWidget(LabelTxFreq, 1, 0);
    fields->addWidget(TextTxFreq, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    buttons->addWidget(CommandHelp);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    TextTxFreq->setFocus();
    TextTxFreq->selectAll();
}

bool FormFrequencyCopy::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TextTxFreq && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (channel_ui::isEnterKey(key)) {
            CommandOKClick();
            return true;
        }
        return channel_ui::filterFrequencyKey(TextTxFreq, key);
    }
    return QDialog::eventFilter(watched, event);
}

void FormFrequencyCopy::CommandOKClick() {
    GlobalState& state = globalState();
    const QString text = TextTxFreq->text();
    ChannelRecord channel(state.RadioImage, channel_ - 1);
    if (text.isEmpty()) {
        // No transmit frequency; the encode tone stays as it is.
        for (int k = 0; k < record::kFrequencySize; ++k)
            channel.setByte(record::kTxFrequency + k, record::kErased);
    } else {
        const QString checked = NormaliseFrequencyText(
            CheckFrequencyEntry(text, state.WorkingUpperMHz, NumberReading::Leading, state),
            state.DecimalSeparator);
        TextTxFreq->setText(checked);
        StoreFrequencyText(state.RadioImage, channel.offset() + record::kTxFrequency, checked,
                           state.DecimalSeparator);
    }
    state.ChannelGridStale = true;
    accept();
}
