#include "channels/ui/form_channel_edit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "channels/channel_records.h"
#include "channels/tone_codes.h"
#include "channels/ui/channel_ui_support.h"
#include "core/global_state.h"
#include "core/radio_image.h"
#include "core/value_helpers.h"
#include "core/workbench.h"

QPointer<FormChannelEdit> FormChannelEdit::instance_;

namespace {

constexpr int kChannels = 16;
constexpr int kRefreshMs = 500;
constexpr int px(int twips) { return (twips + 7) / 15; }
constexpr int kWindowWidth = 7155;
constexpr int kWindowHeight = 6390;

GlobalState& state() { return globalState(); }

}  // namespace

FormChannelEdit::FormChannelEdit(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    state().ChannelEditOpen = true;
    buildControls();
    applyTexts();
    const QSize wanted = sizeHint();
    resize(qMax(px(kWindowWidth), wanted.width()), qMax(px(kWindowHeight), wanted.height()));
    AnalyseOneChannel();
    Timer1.setParent(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&Timer1, &QTimer::timeout, this, &FormChannelEdit::Timer1Timer);
    Timer1.start(kRefreshMs);
}

FormChannelEdit::~FormChannelEdit() {
    channel_ui::detachChildren(this);
    if (frame_) {
        frame_->removeEventFilter(this);
        QObject::disconnect(frame_, nullptr, this, nullptr);
    }
    state().ChannelEditOpen = false;
}

FormChannelEdit* FormChannelEdit::instance() { return instance_.data(); }

FormChannelEdit* FormChannelEdit::open() {
    if (!instance_)
        instance_ = new FormChannelEdit;
    else
        instance_->refreshIfOtherChannel();
    channel_ui::showChildWindow(instance_, state().PageWindowState);
    return instance_;
}

void FormChannelEdit::followSelectedChannel() {
    if (instance_) instance_->refreshIfOtherChannel();
}

void FormChannelEdit::commitPendingEdits() {
    if (instance_) instance_->commitPending();
}

void FormChannelEdit::buildControls() {
    setObjectName(QStringLiteral("FormChannelEdit"));
    FrameChannel = new QGroupBox(this);
    FrameChannel->setObjectName(QStringLiteral("FrameChannel"));

    auto label = [this](const char* name) {
        auto* widget = new QLabel(FrameChannel);
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    auto combo = [this](const char* name, bool editable) {
        auto* box = new QComboBox(FrameChannel);
        box->setObjectName(QString::fromLatin1(name));
        if (editable) channel_ui::makeToneBox(box);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return box;
    };
    auto field = [this](const char* name, int helpContext) {
        auto* edit = new QLineEdit(FrameChannel);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(9);
        edit->setProperty("helpContextId", helpContext);
        return edit;
    };
    auto check = [this](const char* name) {
        auto* box = new QCheckBox(FrameChannel);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };

    LabelChannel = label("LabelChannel");
    ComboChannel = combo("ComboChannel", false);
    for (int channel = 1; channel <= kChannels; ++channel)
        ComboChannel->addItem(QString::number(channel));
    LabelRxFreq = label("LabelRxFreq");
    TextRxFreq = field("TextRxFreq", 11);
    LabelTxFreq = label("LabelTxFreq");
    TextTxFreq = field("TextTxFreq", 12);
    LabelDecode = label("LabelDecode");
    ComboDecode = combo("ComboDecode", true);
    LabelEncode = label("LabelEncode");
    ComboEncode = combo("ComboEncode", true);
    LabelTxPower = label("LabelTxPower");
    ComboTxPower = combo("ComboTxPower", false);
    LabelSpace = label("LabelSpace");
    ComboSpace = combo("ComboSpace", false);
    LabelBusyLock = label("LabelBusyLock");
    ComboBusyLock = combo("ComboBusyLock", false);
    LabelScrambleType = label("LabelScrambleType");
    ComboScrambleType = combo("ComboScrambleType", false);
    CheckScanAdd = check("CheckScanAdd");
    CheckScramble = check("CheckScramble");
    CheckCompand = check("CheckCompand");

    // The lists are as wide as their longest entry in either field's font.
    for (QComboBox* box : {ComboDecode, ComboEncode}) box->setMinimumContentsLength(6);
    for (QComboBox* box :
         {ComboChannel, ComboTxPower, ComboSpace, ComboBusyLock, ComboScrambleType})
        box->setMinimumContentsLength(12);

    auto* grid = new QGridLayout(FrameChannel);
    grid->setColumnStretch(1, 1);
    const std::pair<QLabel*, QWidget*> rows[] = {
        {LabelChannel, ComboChannel},
        {LabelRxFreq, TextRxFreq},
        {LabelTxFreq, TextTxFreq},
        {LabelDecode, ComboDecode},
        {LabelEncode, ComboEncode},
        {LabelTxPower, ComboTxPower},
        {LabelSpace, ComboSpace},
        {LabelBusyLock, ComboBusyLock},
        {LabelScrambleType, ComboScrambleType},
    };
    int row = 0;
    for (const auto& [caption, control] : rows) {
        caption->setBuddy(control);
        grid->addWidget(caption, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    }
    auto* checks = new QHBoxLayout;
    checks->addWidget(CheckScanAdd);
    checks->addWidget(CheckScramble);
    checks->addWidget(CheckCompand);
    checks->addStretch(1);
    grid->addLayout(checks, row, 0, 1, 2);

    CommandHelp = new QPushButton(this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    CommandClose = new QPushButton(this);
    CommandClose->setObjectName(QStringLiteral("CommandClose"));
    CommandHelp->setAutoDefault(false);
    CommandClose->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandHelp);
    buttons->addWidget(CommandClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FrameChannel);
    layout->addStretch(1);
    layout->addLayout(buttons);

    for (QWidget* control :
         std::initializer_list<QWidget*>{TextRxFreq, TextTxFreq, ComboDecode, ComboEncode})
        control->installEventFilter(this);

    connect(ComboChannel, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (Refreshing) return;
        state().SelectedChannel = index + 1;
        AnalyseOneChannel();
    });
    connect(ComboDecode, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { chooseTone(ComboDecode, index); });
    connect(ComboEncode, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { chooseTone(ComboEncode, index); });

    // Each click writes its field of the shown channel; the grid redraws the fields it shows.
    connect(CheckScanAdd, &QCheckBox::clicked, this, [this] {
        writeShown(
            [this](ChannelRecord& channel) {
                channel.setScanAdd(CheckScanAdd->checkState() == Qt::Checked);
            },
            true);
    });
    connect(CheckScramble, &QCheckBox::clicked, this, [this] {
        writeShown(
            [this](ChannelRecord& channel) {
                channel.setScramble(CheckScramble->checkState() != Qt::Unchecked);
            },
            true);
    });
    connect(CheckCompand, &QCheckBox::clicked, this, [this] {
        writeShown(
            [this](ChannelRecord& channel) {
                channel.setCompand(CheckCompand->checkState() == Qt::Checked);
            },
            false);
    });
    const auto activated = qOverload<int>(&QComboBox::activated);
    connect(ComboTxPower, activated, this, [this](int index) {
        writeShown([index](ChannelRecord& channel) { channel.setHighPower(index != 0); }, true);
    });
    connect(ComboSpace, activated, this, [this](int index) {
        writeShown([index](ChannelRecord& channel) { channel.setWideSpacing(index != 0); }, true);
    });
    connect(ComboScrambleType, activated, this, [this](int index) {
        writeShown([index](ChannelRecord& channel) { channel.setScrambleType(index); }, true);
    });
    connect(ComboBusyLock, activated, this, [this](int index) {
        writeShown([index](ChannelRecord& channel) { channel.setBusyLock(index); }, false);
    });

    connect(CommandHelp, &QPushButton::clicked, this,
            [] { workbench().showHelpTopic(help_topic::kChannelEdit); });
    connect(CommandClose, &QPushButton::clicked, this, [this] {
        state().ChannelEditOpen = false;
        channel_ui::closeChildWindow(this);
    });
}

void FormChannelEdit::applyTexts() {
    setWindowTitle(pick("Channel Edit", "信道信息"));
    setProperty(kHelpTopicProperty, QLatin1String(help_topic::kChannelEdit));
    LabelChannel->setText(pick("Channel", "信道"));
    LabelRxFreq->setText(pick("Rx Frequency", "接收频率"));
    LabelTxFreq->setText(pick("Tx Frequency", "发射频率"));
    LabelDecode->setText(pick("CTCSS/DCS Decode", "CTCSS/DCS解码"));
    LabelEncode->setText(pick("CTCSS/DCS Encode", "CTCSS/DCS编码"));
    LabelTxPower->setText(pick("Tx Power", "发射功率"));
    LabelSpace->setText(pick("Channel Spacing", "宽/窄带"));
    LabelBusyLock->setText(pick("Busy Channel Lock-out", "繁忙锁定"));
    LabelScrambleType->setText(pick("Scramble Type", "扰频组别"));
    CheckScanAdd->setText(pick("Scan Add", "扫描添加"));
    CheckScramble->setText(pick("Scramble On", "扰频开启"));
    CheckCompand->setText(pick("Compand", "压扩"));
    CommandHelp->setText(pick("&Help", "帮助(&H)"));
    CommandClose->setText(pick("&Close", "关闭(&C)"));
}

// ---- Showing a channel ------------------------------------------------------------------

void FormChannelEdit::AnalyseOneChannel() {
    GlobalState& s = state();
    const int channel = qBound(1, s.SelectedChannel, kChannels);
    // What the user typed and has not committed yet belongs to the channel on screen.
    // Before another channel replaces it, it is committed; when the same channel is only
    // shown afresh, the typing is kept as it is, to be committed when the user is done.
    struct Typing {
        QLineEdit* field;
        QString text;
        int cursor;
    };
    std::vector<Typing> typing;
    if (channel != shownChannel_) {
        commitPending();
    } else {
        for (QLineEdit* field :
             {TextRxFreq, TextTxFreq, ComboDecode->lineEdit(), ComboEncode->lineEdit()})
            if (field->isModified())
                typing.push_back({field, field->text(), field->cursorPosition()});
    }

    const bool english = s.EnglishMode;
    const QString& separator = s.DecimalSeparator;
    QWidget* focused = focusWidget();
    Refreshing = true;
    shownChannel_ = channel;
    const int c = channel - 1;

    ComboChannel->setCurrentIndex(c);
    TextRxFreq->clear();
    TextTxFreq->clear();
    TextTxFreq->setEnabled(false);
    for (QComboBox* box :
         {ComboDecode, ComboEncode, ComboTxPower, ComboSpace, ComboBusyLock, ComboScrambleType}) {
        box->clear();
        box->setEnabled(false);
    }
    for (QCheckBox* box : {CheckScanAdd, CheckScramble, CheckCompand}) {
        box->setChecked(false);
        box->setEnabled(false);
    }

    const int offset = ChannelRecordOffset(c);
    const QString receive = FrequencyText(s.RadioImage, offset + record::kRxFrequency, separator);
    if (!FrequencyIsValid(receive, NumberReading::Leading, separator)) {
        // An empty channel is never in the scan list.
        ClearScanBit(s.RadioImage, channel);
    } else {
        ChannelRecord record(s.RadioImage, c);
        TextRxFreq->setText(receive);
        TextTxFreq->setEnabled(true);
        for (QComboBox* box :
             {ComboDecode, ComboEncode, ComboTxPower, ComboSpace, ComboBusyLock, ComboScrambleType})
            box->setEnabled(true);
        for (QCheckBox* box : {CheckScanAdd, CheckScramble, CheckCompand}) box->setEnabled(true);
        ComboSpace->addItems(spacingList(english, separator));
        ComboBusyLock->addItems(busyLockList(english));
        ComboTxPower->addItems(powerList(english));
        ComboDecode->addItems(ToneList(english, separator));
        ComboScrambleType->addItems(numberList());

        const QString transmit =
            FrequencyText(s.RadioImage, offset + record::kTxFrequency, separator);
        if (!FrequencyIsValid(transmit, NumberReading::Locale, separator)) {
            ComboEncode->setEnabled(false);
        } else {
            TextTxFreq->setText(NormaliseFrequencyText(transmit, separator));
            ComboEncode->addItems(ToneList(english, separator));
        }

        auto showTone = [&](QComboBox* box, ToneWord word) {
            const QString text = ToneTextFromWord(word, english, separator);
            const int index = box->findText(text);
            if (index >= 0) box->setCurrentIndex(index);
            box->setEditText(text);
            box->lineEdit()->setModified(false);
        };
        showTone(ComboDecode, record.decodeTone());
        if (!TextTxFreq->text().isEmpty()) showTone(ComboEncode, record.encodeTone());

        ComboTxPower->setCurrentIndex(record.highPower() ? 1 : 0);
        ComboSpace->setCurrentIndex(record.wideSpacing() ? 1 : 0);
        CheckScanAdd->setChecked(record.scanAdd());
        ComboBusyLock->setCurrentIndex(record.busyLock());
        ComboScrambleType->setCurrentIndex(record.scrambleType());
        CheckScramble->setChecked(record.scramble());
        CheckCompand->setChecked(record.compand());
        // A radio without the special CDCSS code gets the normal code on every channel
        // shown here.
        if (!s.SpecialCodeAllowed) record.setSpecialCode(false);
    }
    TextRxFreq->setModified(false);
    TextTxFreq->setModified(false);
    for (const Typing& kept : typing) {
        if (!kept.field->isEnabled()) continue;
        kept.field->setText(kept.text);
        kept.field->setCursorPosition(kept.cursor);
        kept.field->setModified(true);
    }
    Refreshing = false;

    // Disabling a focused field moved the focus on; give it back when it can take it.
    if (focused && focused != focusWidget() && focused->isEnabled() && isActiveWindow())
        focused->setFocus(Qt::OtherFocusReason);
}

void FormChannelEdit::refreshIfOtherChannel() {
    if (state().SelectedChannel != shownChannel_) AnalyseOneChannel();
}

void FormChannelEdit::Timer1Timer() {
    GlobalState& s = state();
    if (s.ChannelEditStale) {
        AnalyseOneChannel();
        s.ChannelEditStale = false;
    } else {
        refreshIfOtherChannel();
    }
}

// ---- Commits ----------------------------------------------------------------------------

void FormChannelEdit::commitPending() {
    if (Refreshing) return;
    if (TextRxFreq->isModified()) commitReceive();
    if (TextTxFreq->isModified()) commitTransmit();
    for (QComboBox* box : {ComboDecode, ComboEncode})
        if (box->isEnabled() && box->lineEdit()->isModified()) commitTone(box);
}

// Frequency commits write only what the user changed, to the channel on screen; after the
// commit the field shows the stored value again.
void FormChannelEdit::commitReceive() {
    if (Refreshing || committing_ || !TextRxFreq->isModified()) return;
    GlobalState& s = state();
    committing_ = true;
    TextRxFreq->setModified(false);
    CommitReceiveFrequency(s, shownChannel_ - 1, TextRxFreq->text(), NumberReading::Locale,
                           ComboDecode->currentText().isEmpty(), TextTxFreq->text().isEmpty());
    committing_ = false;
    AnalyseOneChannel();
    s.ChannelGridStale = true;
}

void FormChannelEdit::commitTransmit() {
    if (Refreshing || committing_ || !TextTxFreq->isModified()) return;
    GlobalState& s = state();
    committing_ = true;
    TextTxFreq->setModified(false);
    CommitTransmitFrequency(s, shownChannel_ - 1, TextTxFreq->text(), NumberReading::Locale,
                            ComboEncode->currentText().isEmpty());
    committing_ = false;
    AnalyseOneChannel();
    s.ChannelGridStale = true;
}

void FormChannelEdit::commitTone(QComboBox* box) {
    if (Refreshing || committing_ || !box->lineEdit()->isModified()) return;
    const GlobalState& s = state();
    const ToneEntry entry =
        ToneWordFromText(box->currentText(), NumberReading::Locale, s.DecimalSeparator);
    box->setEditText(entry.text);
    box->lineEdit()->setModified(false);
    writeToneWord(box, entry.word);
}

void FormChannelEdit::chooseTone(QComboBox* box, int index) {
    if (Refreshing) return;
    const std::optional<ToneWord> word =
        ToneWordFromListIndex(index, box->itemText(index), state().DecimalSeparator);
    if (!word) return;
    box->lineEdit()->setModified(false);
    writeToneWord(box, *word);
}

// Writes one field of the shown channel's record, unless the window is filling itself.
void FormChannelEdit::writeShown(const std::function<void(ChannelRecord&)>& write,
                                 bool refreshGrid) {
    if (Refreshing) return;
    ChannelRecord channel(state().RadioImage, shownChannel_ - 1);
    write(channel);
    if (refreshGrid) state().ChannelGridStale = true;
}

void FormChannelEdit::writeToneWord(QComboBox* box, ToneWord word) {
    GlobalState& s = state();
    ChannelRecord channel(s.RadioImage, shownChannel_ - 1);
    if (box == ComboDecode)
        channel.setDecodeTone(word);
    else
        channel.setEncodeTone(word);
    s.ChannelGridStale = true;
}

// ---- Events -------------------------------------------------------------------------------

bool FormChannelEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frame_) {
        if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize)
            state().PageWindowState = channel_ui::windowStateCode(this);
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            workbench().showHelpTopic(help_topic::kChannelEdit);
            return true;
        }
        if (watched == TextRxFreq || watched == TextTxFreq) {
            auto* field = static_cast<QLineEdit*>(watched);
            if (channel_ui::isEnterKey(key)) {
                field == TextRxFreq ? commitReceive() : commitTransmit();
                return true;
            }
            return channel_ui::filterFrequencyKey(field, key);
        }
        if (watched == ComboDecode || watched == ComboEncode) {
            auto* box = static_cast<QComboBox*>(watched);
            if (channel_ui::isEnterKey(key)) {
                EnterPressed = true;
                commitTone(box);
                box->lineEdit()->selectAll();
                EnterPressed = false;
                return true;
            }
            return channel_ui::filterToneKey(box->lineEdit(), key, ToneRules::Standard);
        }
    } else if (event->type() == QEvent::FocusOut &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == TextRxFreq)
            commitReceive();
        else if (watched == TextTxFreq)
            commitTransmit();
        else if (watched == ComboDecode || watched == ComboEncode)
            commitTone(static_cast<QComboBox*>(watched));
    }
    return QWidget::eventFilter(watched, event);
}

void FormChannelEdit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    followFrame();
}

// Inside the main window the editor lives in an MDI sub-window: its state is the page
// window state, and bringing it to the front shows the selected channel.
void FormChannelEdit::followFrame() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame || frame == frame_) return;
    frame_ = frame;
    frame_->installEventFilter(this);
    connect(frame, &QMdiSubWindow::aboutToActivate, this, &FormChannelEdit::refreshIfOtherChannel);
}

void FormChannelEdit::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refreshIfOtherChannel();
    if (event->type() == QEvent::WindowStateChange && !frame_)
        state().PageWindowState = channel_ui::windowStateCode(this);
}

void FormChannelEdit::closeEvent(QCloseEvent* event) {
    commitPending();
    state().ChannelEditOpen = false;
    QWidget::closeEvent(event);
}
