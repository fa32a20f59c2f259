#include "channels/ui/form_qt_dqt_copy.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "channels/channel_records.h"
#include "channels/tone_codes.h"
#include "channels/ui/channel_ui_support.h"
#include "core/global_state.h"
#include "core/value_helpers.h"
#include "core/workbench.h"

FormQtDqtCopy::FormQtDqtCopy(int channel, const QString& decodeText, QWidget* parent)
    : QDialog(parent), channel_(channel) {
    const GlobalState& state = globalState();
    setObjectName(QStringLiteral("FormQtDqtCopy"));
    setWindowTitle(pick("QT/DQT Copy", "亚音复制"));

    LabelDecode = new QLabel(pick("Decode", "接收亚音频"), this);
    LabelDecode->setObjectName(QStringLiteral("LabelDecode"));
    LabelEncode = new QLabel(pick("Encode", "发射亚音频"), this);
    LabelEncode->setObjectName(QStringLiteral("LabelEncode"));
    TextDecode = new QLineEdit(decodeText, this);
    TextDecode->setObjectName(QStringLiteral("TextDecode"));
    TextDecode->setEnabled(false);
    ComboEncode = new QComboBox(this);
    ComboEncode->setObjectName(QStringLiteral("ComboEncode"));
    channel_ui::makeToneBox(ComboEncode);
    ComboEncode->clear();
    ComboEncode->addItems(ToneList(state.EnglishMode, state.DecimalSeparator));
    const int index = ComboEncode->findText(decodeText);
    if (index >= 0) ComboEncode->setCurrentIndex(index);
    ComboEncode->setEditText(decodeText);
    ComboEncode->installEventFilter(this);
    LabelEncode->setBuddy(ComboEncode);
    const int fieldWidth = ComboEncode->sizeHint().width();
    TextDecode->setMinimumWidth(fieldWidth);
    ComboEncode->setMinimumWidth(fieldWidth);

    CommandOK = new QPushButton(pick("&OK", "确定(&O)"), this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandCancel = new QPushButton(pick("&Cancel", "取消(&C)"), this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    CommandHelp = new QPushButton(pick("&Help", "帮助(&H)"), this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    CommandOK->setDefault(true);
    connect(CommandOK, &QPushButton::clicked, this, &FormQtDqtCopy::CommandOKClick);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CommandHelp, &QPushButton::clicked, this,
            [] { workbench().showHelpTopic(help_topic::kToneCopy); });

    auto* fields = new QGridLayout;
    fields->addWidget(LabelDecode, 0, 0);
    fields->addWidget(TextDecode, 0, 1);
    fields->addWidget(LabelEncode, 1, 0);
    fields->addWidget(ComboEncode, 1, 1);
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

    ComboEncode->setFocus();
    ComboEncode->lineEdit()->selectAll();
}

bool FormQtDqtCopy::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ComboEncode) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (channel_ui::isEnterKey(key)) {
                enterPressed_ = true;
                leaveEncode();
                return true;
            }
            return channel_ui::filterToneKey(ComboEncode->lineEdit(), key, ToneRules::CopyDialog);
        }
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            leaveEncode();
    }
    return QDialog::eventFilter(watched, event);
}

// Leaving the encode field shows the tone as it will be stored; Enter goes on to OK.
void FormQtDqtCopy::leaveEncode() {
    if (done_) return;
    const ToneEntry entry = ToneWordFromText(ComboEncode->currentText(), NumberReading::Leading,
                                             globalState().DecimalSeparator, ToneRules::CopyDialog);
    ComboEncode->setEditText(entry.text);
    if (enterPressed_) {
        enterPressed_ = false;
        CommandOKClick();
    }
}

void FormQtDqtCopy::CommandOKClick() {
    if (done_) return;
    GlobalState& state = globalState();
    const ToneEntry entry = ToneWordFromText(ComboEncode->currentText(), NumberReading::Leading,
                                             state.DecimalSeparator, ToneRules::CopyDialog);
    ChannelRecord(state.RadioImage, channel_ - 1).setEncodeTone(entry.word);
    state.ChannelGridStale = true;
    done_ = true;
    accept();
}
