#include "channels/ui/form_channel_information.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "channels/channel_records.h"
#include "channels/tone_codes.h"
#include "channels/ui/channel_ui_support.h"
#include "channels/ui/form_channel_copy.h"
#include "channels/ui/form_channel_edit.h"
#include "channels/ui/form_frequency_copy.h"
#include "channels/ui/form_qt_dqt_copy.h"
#include "core/value_helpers.h"
#include "core/workbench.h"

namespace {

using Col = FormChannelInformation::Column;

constexpr int kChannels = 16;
constexpr int kRefreshMs = 500;

// Sizes of the page in twips, 15 twips to a pixel at 96 dpi.
constexpr int px(int twips) { return (twips + 7) / 15; }
constexpr int kWindowWidth = 9610;
constexpr int kWindowHeight = 6180;
constexpr int kHeaderHeight = 500;
constexpr int kRowHeight = 255;  // the rows share the grid's 4590 twips below the captions
constexpr int kColumnWidth[FormChannelInformation::kColumnCount] = {500,  1000, 1000, 1000, 1000,
                                                                    1000, 1200, 1200, 1000};

struct Caption {
    const char* english;
    const char* chinese;
};
constexpr Caption kCaptions[FormChannelInformation::kColumnCount] = {
    {"CH", "信道"},
    {"Rx Frequency", "接收频率"},
    {"Tx Frequency", "发射频率"},
    {"CTCSS/DCS Decode", "解码"},
    {"CTCSS/DCS Encode", "编码"},
    {"Tx Power", "发射功率"},
    {"Scan Add", "扫描添加"},
    {"Channel Spacing", "宽/窄带"},
    {"More", "更多"},
};

const QString kMoreText = QStringLiteral(">>");

// Entries of the fixed lists (list index = stored value, scan add: 0 = in the list).
constexpr int kPowerHigh = 1;
constexpr int kScanAdd = 0;
constexpr int kSpacingWide = 1;

// Paints the caption of the fixed corner cell (the channel-number column's caption).
class CornerPainter : public QObject {
public:
    CornerPainter(QAbstractButton* corner, const QString& caption)
        : QObject(corner), caption_(caption) {
        corner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* corner = static_cast<QAbstractButton*>(watched);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.text = caption_;
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        // The corner does nothing when clicked, but its caption reads like the others.
        option.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
        option.palette.setCurrentColorGroup(QPalette::Active);
        QPainter painter(corner);
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }

private:
    QString caption_;
};

}  // namespace

FormChannelInformation::FormChannelInformation(QWidget* parent)
    : PageWindow(page_id::kChannelInformation, &GlobalState::ChannelPageOpen, parent) {
    GlobalState& state = globalState();
    buildControls();
    applyTexts();
    state.SelectedChannel = 1;
    followedChannel_ = 1;
    EnterPressed = false;
    ReopenOnEnter = false;
    layoutGrid();
    refillGrid();
    setCurrentCell(1, Col::kColRx);

    Timer1.setParent(this);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&Timer1, &QTimer::timeout, this, &FormChannelInformation::Timer1Timer);
    Timer1.start(kRefreshMs);
    pageLoaded();
}

FormChannelInformation::~FormChannelInformation() { channel_ui::detachChildren(this); }

void FormChannelInformation::buildControls() {
    setObjectName(QStringLiteral("FormChannelInformation"));

    MSHFlexGridChannel = new QTableWidget(kRowCount - 1, kColumnCount - 1, this);
    MSHFlexGridChannel->setObjectName(QStringLiteral("MSHFlexGridChannel"));
    MSHFlexGridChannel->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSHFlexGridChannel->setSelectionMode(QAbstractItemView::SingleSelection);
    MSHFlexGridChannel->setSelectionBehavior(QAbstractItemView::SelectItems);
    MSHFlexGridChannel->setTabKeyNavigation(false);
    MSHFlexGridChannel->setCornerButtonEnabled(false);
    MSHFlexGridChannel->setWordWrap(false);
    MSHFlexGridChannel->horizontalHeader()->setSectionsClickable(false);
    MSHFlexGridChannel->verticalHeader()->setSectionsClickable(false);
    // Captions wrap onto a second line inside their column.
    MSHFlexGridChannel->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    MSHFlexGridChannel->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    MSHFlexGridChannel->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSHFlexGridChannel->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int row = 1; row < kRowCount; ++row) {
        for (int column = 1; column < kColumnCount; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            MSHFlexGridChannel->setItem(row - 1, column - 1, item);
        }
    }
    connect(MSHFlexGridChannel, &QTableWidget::cellClicked, this,
            [this](int tableRow, int tableColumn) { gridClick(tableRow + 1, tableColumn + 1); });
    // The in-place editors sit on the viewport and follow their cell when it scrolls.
    connect(MSHFlexGridChannel->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &FormChannelInformation::placeOpenEditor);
    connect(MSHFlexGridChannel->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &FormChannelInformation::placeOpenEditor);

    QWidget* viewport = MSHFlexGridChannel->viewport();
    Text1 = new QLineEdit(viewport);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(9);
    Text1->hide();
    for (int k = 0; k < 5; ++k) {
        auto* box = new QComboBox(viewport);
        box->setObjectName(QStringLiteral("Combo1_%1").arg(k));
        if (k < 2) channel_ui::makeToneBox(box);
        box->setMaxVisibleItems(16);
        box->hide();
        Combo1[k] = box;
    }

    CommandChannelEdit = new QPushButton(this);
    CommandChannelEdit->setObjectName(QStringLiteral("CommandChannelEdit"));
    CommandHelp = new QPushButton(this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    CommandClose = new QPushButton(this);
    CommandClose->setObjectName(QStringLiteral("CommandClose"));
    for (QPushButton* button : {CommandChannelEdit, CommandHelp, CommandClose})
        button->setAutoDefault(false);
    connect(CommandChannelEdit, &QPushButton::clicked, this,
            &FormChannelInformation::openChannelEditor);
    connect(CommandHelp, &QPushButton::clicked, this,
            [] { workbench().showHelpTopic(help_topic::kChannelInformation); });
    connect(CommandClose, &QPushButton::clicked, this, [this] {
        globalState().ChannelPageOpen = false;
        closePage();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CommandChannelEdit);
    buttons->addStretch(1);
    buttons->addWidget(CommandHelp);
    buttons->addWidget(CommandClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MSHFlexGridChannel, 1);
    layout->addLayout(buttons);

    // The window sees every key before its controls do.
    for (QWidget* control : std::initializer_list<QWidget*>{
             MSHFlexGridChannel, Text1, Combo1[0], Combo1[1], Combo1[2], Combo1[3], Combo1[4],
             CommandChannelEdit, CommandHelp, CommandClose})
        control->installEventFilter(this);
}

void FormChannelInformation::applyTexts() {
    const GlobalState& state = globalState();
    setWindowTitle(pick("Channel Information", "信道信息"));
    CommandChannelEdit->setText(pick("Channel Edit", "信道编辑"));
    CommandHelp->setText(pick("&Help", "帮助(&H)"));
    CommandClose->setText(pick("&Close", "关闭(&C)"));

    QStringList captions;
    for (int column = 1; column < kColumnCount; ++column)
        captions << pick(kCaptions[column].english, kCaptions[column].chinese);
    MSHFlexGridChannel->setHorizontalHeaderLabels(captions);
    QStringList numbers;
    for (int channel = 1; channel <= kChannels; ++channel) numbers << QString::number(channel);
    MSHFlexGridChannel->setVerticalHeaderLabels(numbers);
    if (auto* corner =
            MSHFlexGridChannel->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        new CornerPainter(corner, pick(kCaptions[0].english, kCaptions[0].chinese));

    const QStringList toneList = ToneList(state.EnglishMode, state.DecimalSeparator);
    Combo1[0]->addItems(toneList);
    Combo1[1]->addItems(toneList);
    Combo1[2]->addItems(powerList(state.EnglishMode));
    Combo1[3]->addItems(scanAddList(state.EnglishMode));
    Combo1[4]->addItems(spacingList(state.EnglishMode, state.DecimalSeparator));
}

// Column widths and row heights of the grid: the sizes of the page, widened where the
// font in use needs more room so that no text and no in-place editor is clipped.
void FormChannelInformation::layoutGrid() {
    QTableWidget* grid = MSHFlexGridChannel;
    const QFontMetrics metrics = grid->fontMetrics();
    const int padding = metrics.horizontalAdvance(QLatin1Char('M')) + 6;

    grid->verticalHeader()->setMinimumSectionSize(1);
    const int rowHeight =
        qMax(px(kRowHeight), qMax(metrics.height(), Combo1[4]->minimumSizeHint().height()) + 4);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);

    const QString sampleFrequency =
        QStringLiteral("888") + globalState().DecimalSeparator + QStringLiteral("88888");
    int widths[kColumnCount];
    for (int column = 0; column < kColumnCount; ++column) widths[column] = px(kColumnWidth[column]);
    widths[0] = qMax(widths[0], metrics.horizontalAdvance(QStringLiteral("16")) + padding);
    // Room for the in-place text field's frame and margins around the nine characters.
    const int frequencyWidth = metrics.horizontalAdvance(sampleFrequency) + padding + 8;
    widths[Col::kColRx] = qMax(widths[Col::kColRx], frequencyWidth);
    widths[Col::kColTx] = qMax(widths[Col::kColTx], frequencyWidth);
    for (int k = 0; k < 5; ++k) {
        const int column = Col::kColDecode + k;
        widths[column] = qMax(widths[column], Combo1[k]->sizeHint().width());
    }
    widths[Col::kColMore] =
        qMax(widths[Col::kColMore], metrics.horizontalAdvance(kMoreText) + padding);

    // Captions wrap at word boundaries; a column is widened only for a single word that
    // does not fit, and the caption row is made tall enough for the longest caption.
    const QFontMetrics headerMetrics = grid->horizontalHeader()->fontMetrics();
    int captionLines = 1;
    for (int column = 1; column < kColumnCount; ++column) {
        const QString caption = cellText(0, column);
        for (const QString& word : caption.split(QLatin1Char(' ')))
            widths[column] = qMax(widths[column], headerMetrics.horizontalAdvance(word) + 10);
        const QRect bounds = headerMetrics.boundingRect(
            QRect(0, 0, widths[column] - 10, 1000), Qt::AlignCenter | Qt::TextWordWrap, caption);
        captionLines = qMax(captionLines, (bounds.height() + headerMetrics.lineSpacing() - 1) /
                                              headerMetrics.lineSpacing());
    }
    const QString corner = cellText(0, 0);
    widths[0] = qMax(widths[0], headerMetrics.horizontalAdvance(corner) + 10);

    const int headerHeight =
        qMax(px(kHeaderHeight), captionLines * headerMetrics.lineSpacing() + 8);
    grid->horizontalHeader()->setFixedHeight(headerHeight);
    grid->verticalHeader()->setFixedWidth(widths[0]);
    int total = widths[0];
    for (int column = 1; column < kColumnCount; ++column) {
        grid->horizontalHeader()->resizeSection(column - 1, widths[column]);
        total += widths[column];
    }

    const int frame = 2 * grid->frameWidth();
    grid->setMinimumSize(total + frame, headerHeight + kChannels * rowHeight + frame);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    const QSize wanted = sizeHint();
    resize(qMax(px(kWindowWidth), wanted.width()), qMax(px(kWindowHeight), wanted.height()));
}

QString FormChannelInformation::cellText(int row, int column) const {
    if (row < 0 || row >= kRowCount || column < 0 || column >= kColumnCount) return QString();
    if (row == 0) {
        if (column == 0) return pick(kCaptions[0].english, kCaptions[0].chinese);
        return MSHFlexGridChannel->horizontalHeaderItem(column - 1)->text();
    }
    if (column == 0) return QString::number(row);
    return MSHFlexGridChannel->item(row - 1, column - 1)->text();
}

void FormChannelInformation::setCellText(int row, int column, const QString& text) {
    if (row < 1 || row >= kRowCount || column < 1 || column >= kColumnCount) return;
    MSHFlexGridChannel->item(row - 1, column - 1)->setText(text);
}

QRect FormChannelInformation::cellRect(int row, int column) const {
    if (row < 1 || row >= kRowCount || column < 1 || column >= kColumnCount) return QRect();
    return MSHFlexGridChannel->visualItemRect(MSHFlexGridChannel->item(row - 1, column - 1));
}

int FormChannelInformation::currentRow() const { return MSHFlexGridChannel->currentRow() + 1; }

int FormChannelInformation::currentColumn() const {
    return MSHFlexGridChannel->currentColumn() + 1;
}

void FormChannelInformation::setCurrentCell(int row, int column) {
    MSHFlexGridChannel->setCurrentCell(row - 1, column - 1);
}

// ---- Refresh ------------------------------------------------------------------------------

void FormChannelInformation::AnalyseChannelInformation() {
    refillGrid();
    // The image changed as a whole (a read from the radio): the open editor shows it too.
    globalState().ChannelEditStale = true;
}

void FormChannelInformation::refillGrid() {
    GlobalState& state = globalState();
    const QStringList power = powerList(state.EnglishMode);
    const QStringList scan = scanAddList(state.EnglishMode);
    const QStringList spacing = spacingList(state.EnglishMode, state.DecimalSeparator);
    for (int row = 1; row <= kChannels; ++row) {
        for (int column = Col::kColRx; column <= Col::kColSpacing; ++column)
            setCellText(row, column, QString());
        setCellText(row, Col::kColMore, kMoreText);

        const int offset = ChannelRecordOffset(row - 1);
        const QString receive = ShownFrequencyText(state.RadioImage, offset + record::kRxFrequency,
                                                   state.DecimalSeparator);
        if (receive.isEmpty()) {
            // An empty channel is never in the scan list.
            ClearScanBit(state.RadioImage, row);
            continue;
        }
        const ChannelRecord channel(state.RadioImage, row - 1);
        setCellText(row, Col::kColRx, receive);
        setCellText(row, Col::kColTx,
                    ShownFrequencyText(state.RadioImage, offset + record::kTxFrequency,
                                       state.DecimalSeparator));
        setCellText(
            row, Col::kColDecode,
            ToneTextFromWord(channel.decodeTone(), state.EnglishMode, state.DecimalSeparator));
        setCellText(
            row, Col::kColEncode,
            ToneTextFromWord(channel.encodeTone(), state.EnglishMode, state.DecimalSeparator));
        setCellText(row, Col::kColPower, power.value(channel.highPower() ? kPowerHigh : 0));
        setCellText(row, Col::kColSpacing, spacing.value(channel.wideSpacing() ? kSpacingWide : 0));
        setCellText(row, Col::kColScan, scan.value(channel.scanAdd() ? kScanAdd : 1));
    }
}

void FormChannelInformation::Timer1Timer() {
    GlobalState& state = globalState();
    if (state.ChannelGridStale) {
        refillGrid();
        state.ChannelGridStale = false;
    }
    // The current row follows a channel chosen in the channel editor, so that what the
    // grid highlights is what its shortcuts act on. Only a change of the selection moves
    // it: the arrow keys stay free to move about the grid.
    if (state.SelectedChannel == followedChannel_) return;
    followedChannel_ = state.SelectedChannel;
    const bool editing =
        !Text1->isHidden() ||
        std::any_of(Combo1.begin(), Combo1.end(), [](QComboBox* box) { return !box->isHidden(); });
    if (!editing && state.SelectedChannel >= 1 && state.SelectedChannel <= kChannels &&
        currentRow() != state.SelectedChannel)
        setCurrentCell(state.SelectedChannel, qMax(1, currentColumn()));
}

// ---- Click and in-place editors -------------------------------------------------------

void FormChannelInformation::gridClick(int row, int column) {
    if (row < 1 || row >= kRowCount || column < 1 || column >= kColumnCount) return;
    FreshData();
    GlobalState& state = globalState();
    state.SelectedChannel = row;
    // A channel gets its receive frequency before anything else, and its transmit
    // frequency before its encode tone.
    if (cellText(row, Col::kColRx).isEmpty() && column != Col::kColMore)
        column = Col::kColRx;
    else if (cellText(row, Col::kColTx).isEmpty() && column == Col::kColEncode)
        column = Col::kColTx;
    state.SelectedColumn = column;
    setCurrentCell(row, column);
    FormChannelEdit::followSelectedChannel();

    editRow_ = row;
    editColumn_ = column;
    editOriginal_ = cellText(row, column);
    if (column == Col::kColRx || column == Col::kColTx) {
        placeEditor(Text1, row, column);
        Text1->setText(editOriginal_);
        Text1->setProperty("helpContextId", column == Col::kColRx ? 11 : 12);
        Text1->show();
        Text1->raise();
        Text1->setFocus(Qt::MouseFocusReason);
        Text1->selectAll();
    } else if (column <= Col::kColSpacing) {
        QComboBox* box = Combo1[column - Col::kColDecode];
        placeEditor(box, row, column);
        if (box->isEditable()) {
            const int index = box->findText(editOriginal_);
            if (index >= 0) box->setCurrentIndex(index);
            box->setEditText(editOriginal_);
            box->lineEdit()->setModified(false);
        } else {
            box->setCurrentIndex(qMax(0, box->findText(editOriginal_)));
        }
        box->show();
        box->raise();
        box->setFocus(Qt::MouseFocusReason);
    } else {
        openChannelEditor();
    }
}

// An in-place editor covers its cell exactly (the rows are tall enough for a list box).
void FormChannelInformation::placeEditor(QWidget* editor, int row, int column) {
    editor->setGeometry(cellRect(row, column));
}

void FormChannelInformation::placeOpenEditor() {
    if (!Text1->isHidden()) placeEditor(Text1, editRow_, editColumn_);
    for (QComboBox* box : Combo1)
        if (!box->isHidden()) placeEditor(box, editRow_, editColumn_);
}

// An in-place editor counts as open while it is not put away, even when the page itself
// is not on screen (a minimized page still commits what was typed in it).
void FormChannelInformation::FreshData() {
    // What is typed in the channel editor is committed as well, so that a save or a
    // transfer never misses it.
    FormChannelEdit::commitPendingEdits();
    for (int k = 0; k < 5; ++k) {
        if (!Combo1[k]->isHidden()) {
            commitCombo(k);
            return;
        }
    }
    if (!Text1->isHidden()) commitText1();
}

void FormChannelInformation::commitText1() {
    if (Text1->isHidden() || committing_) return;
    const int row = editRow_;
    const int column = editColumn_;
    committing_ = true;
    QString text = Text1->text();
    // A cell left as it was writes nothing: looking at a channel never changes it.
    if (text != editOriginal_) {
        if (column == Col::kColRx)
            storeReceive(row, text);
        else
            storeTransmit(row, text);
        text = cellText(row, column);
        globalState().ChannelEditStale = true;
    }
    setCellText(row, column, text);
    if (Text1->hasFocus()) MSHFlexGridChannel->setFocus();
    Text1->hide();
    committing_ = false;
    finishCommit(row, column + 1);
}

void FormChannelInformation::storeReceive(int row, const QString& text) {
    GlobalState& state = globalState();
    const bool isNew = cellText(row, Col::kColDecode).isEmpty();
    const FrequencyCommit commit = CommitReceiveFrequency(
        state, row - 1, text, NumberReading::Leading, isNew, cellText(row, Col::kColTx).isEmpty());
    if (commit.channelErased) {
        for (int column = Col::kColRx; column <= Col::kColSpacing; ++column)
            setCellText(row, column, QString());
        return;
    }
    if (isNew) {
        const QString none = ToneNoneText(state.EnglishMode);
        setCellText(row, Col::kColDecode, none);
        setCellText(row, Col::kColEncode, none);
        setCellText(row, Col::kColScan, scanAddList(state.EnglishMode).value(kScanAdd));
        setCellText(row, Col::kColPower, powerList(state.EnglishMode).value(kPowerHigh));
        setCellText(row, Col::kColSpacing,
                    spacingList(state.EnglishMode, state.DecimalSeparator).value(kSpacingWide));
    }
    setCellText(row, Col::kColRx, commit.receiveText);
    if (commit.transmitSet) setCellText(row, Col::kColTx, commit.transmitText);
}

void FormChannelInformation::storeTransmit(int row, const QString& text) {
    GlobalState& state = globalState();
    const bool encodeEmpty = cellText(row, Col::kColEncode).isEmpty();
    const QString shown =
        CommitTransmitFrequency(state, row - 1, text, NumberReading::Leading, encodeEmpty);
    setCellText(row, Col::kColTx, shown);
    if (shown.isEmpty())
        setCellText(row, Col::kColEncode, QString());
    else if (encodeEmpty)
        setCellText(row, Col::kColEncode, ToneNoneText(state.EnglishMode));
}

void FormChannelInformation::commitCombo(int k) {
    QComboBox* box = Combo1[k];
    if (box->isHidden() || committing_) return;
    GlobalState& state = globalState();
    const int row = editRow_;
    const int column = editColumn_;
    const int c = row - 1;
    committing_ = true;
    QString text;
    if (box->isEditable()) {
        text = box->currentText();
        if (text != editOriginal_) {
            const ToneEntry entry =
                ToneWordFromText(text, NumberReading::Leading, state.DecimalSeparator);
            text = entry.text;
            box->setEditText(text);
            ChannelRecord channel(state.RadioImage, c);
            if (column == Col::kColDecode)
                channel.setDecodeTone(entry.word);
            else
                channel.setEncodeTone(entry.word);
        }
    } else {
        const int index = box->currentIndex();
        if (index < 0) {
            // Nothing chosen: the box is only put away.
            if (box->hasFocus()) MSHFlexGridChannel->setFocus();
            box->hide();
            committing_ = false;
            return;
        }
        text = box->itemText(index);
        if (text != editOriginal_) {
            ChannelRecord channel(state.RadioImage, c);
            if (column == Col::kColPower)
                channel.setHighPower(index == kPowerHigh);
            else if (column == Col::kColScan)
                channel.setScanAdd(index == kScanAdd);
            else
                channel.setWideSpacing(index == kSpacingWide);
        }
    }
    state.ChannelEditStale = true;
    setCellText(row, column, text);
    if (box->hasFocus()) MSHFlexGridChannel->setFocus();
    box->hide();
    committing_ = false;
    // Enter after the spacing column goes on to the next channel's receive frequency.
    if (column == Col::kColSpacing && row < kChannels)
        finishCommit(row + 1, Col::kColRx);
    else
        finishCommit(row, column + 1);
}

void FormChannelInformation::finishCommit(int nextRow, int nextColumn) {
    if (!EnterPressed) return;
    EnterPressed = false;
    setCurrentCell(nextRow, qMin(nextColumn, kColumnCount - 1));
    MSHFlexGridChannel->setFocus();
    ReopenOnEnter = true;
}

// ---- Keys ------------------------------------------------------------------------------

bool FormChannelInformation::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (handleShortcut(key)) return true;
            if (handleEditorKey(watched, key)) return true;
            break;
        }
        case QEvent::FocusOut: {
            // Opening a list's drop-down is not leaving the box.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) break;
            if (watched == Text1) {
                commitText1();
            } else {
                for (int k = 0; k < 5; ++k)
                    if (watched == Combo1[k]) commitCombo(k);
            }
            break;
        }
        default:
            break;
    }
    return PageWindow::eventFilter(watched, event);
}

void FormChannelInformation::keyPressEvent(QKeyEvent* event) {
    if (handleShortcut(event)) return;
    PageWindow::keyPressEvent(event);
}

bool FormChannelInformation::handleEditorKey(QObject* watched, QKeyEvent* event) {
    if (watched == Text1) {
        if (channel_ui::isEnterKey(event)) {
            EnterPressed = true;
            commitText1();
            return true;
        }
        return channel_ui::filterFrequencyKey(Text1, event);
    }
    for (int k = 0; k < 5; ++k) {
        if (watched != Combo1[k]) continue;
        if (channel_ui::isEnterKey(event)) {
            EnterPressed = true;
            commitCombo(k);
            return true;
        }
        if (Combo1[k]->isEditable())
            return channel_ui::filterToneKey(Combo1[k]->lineEdit(), event, ToneRules::Standard);
        return false;
    }
    if (watched == MSHFlexGridChannel && channel_ui::isEnterKey(event) &&
        event->modifiers() == Qt::NoModifier) {
        // Enter opens the current cell's editor, so a channel can be built from the keyboard.
        ReopenOnEnter = false;
        if (currentRow() >= 1 && currentColumn() >= 1) gridClick(currentRow(), currentColumn());
        return true;
    }
    return false;
}

bool FormChannelInformation::handleShortcut(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool shift = modifiers == Qt::ShiftModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    const int key = event->key();

    if (key == Qt::Key_F1 && modifiers == Qt::NoModifier) {
        workbench().showHelpTopic(help_topic::kChannelInformation);
        return true;
    }

    void (FormChannelInformation::*action)() = nullptr;
    if ((shift && key == Qt::Key_F3) || (ctrl && key == Qt::Key_E))
        action = &FormChannelInformation::openChannelCopy;
    else if ((shift && key == Qt::Key_F4) || (ctrl && key == Qt::Key_F))
        action = &FormChannelInformation::openFrequencyCopy;
    else if ((shift && key == Qt::Key_F5) || (ctrl && key == Qt::Key_Q))
        action = &FormChannelInformation::openToneCopy;
    else if ((shift && key == Qt::Key_F9) || (ctrl && key == Qt::Key_I))
        action = &FormChannelInformation::insertChannel;
    else if ((shift && key == Qt::Key_F10) || (ctrl && key == Qt::Key_D))
        action = &FormChannelInformation::deleteChannel;
    else if (key == Qt::Key_F11 && !shift && !ctrl)
        action = &FormChannelInformation::openChannelEditor;
    if (!action) return false;

    const GlobalState& state = globalState();
    if (state.SelectedChannel < 1 || state.SelectedChannel > kChannels || state.SelectedColumn < 1)
        return true;
    // A half-typed cell is committed first, so the command sees (and moves) what the
    // user typed rather than leaving it to land on another channel afterwards.
    FreshData();
    (this->*action)();
    return true;
}

// ---- Commands ---------------------------------------------------------------------------

void FormChannelInformation::openChannelEditor() { FormChannelEdit::open(); }

void FormChannelInformation::openChannelCopy() {
    const int channel = globalState().SelectedChannel;
    if (cellText(channel, Col::kColRx).isEmpty()) return;
    FormChannelCopy dialog(channel, this);
    dialog.exec();
    afterCopyDialog();
}

void FormChannelInformation::openFrequencyCopy() {
    const int channel = globalState().SelectedChannel;
    if (cellText(channel, Col::kColRx).isEmpty()) return;
    FormFrequencyCopy dialog(channel, cellText(channel, Col::kColRx), this);
    dialog.exec();
    afterCopyDialog();
}

void FormChannelInformation::openToneCopy() {
    const int channel = globalState().SelectedChannel;
    if (cellText(channel, Col::kColTx).isEmpty()) return;
    FormQtDqtCopy dialog(channel, cellText(channel, Col::kColDecode), this);
    dialog.exec();
    afterCopyDialog();
}

// A copy dialog that wrote shows in the grid at once, and in the open channel editor,
// which may show the channel that was written.
void FormChannelInformation::afterCopyDialog() {
    GlobalState& state = globalState();
    if (!state.ChannelGridStale) return;
    state.ChannelEditStale = true;
    Timer1Timer();
}

void FormChannelInformation::insertChannel() {
    GlobalState& state = globalState();
    if (!InsertChannel(state.RadioImage, state.SelectedChannel)) return;
    refillGrid();
    state.ChannelEditStale = true;
}

void FormChannelInformation::deleteChannel() {
    GlobalState& state = globalState();
    DeleteChannel(state.RadioImage, state.SelectedChannel);
    refillGrid();
    state.ChannelEditStale = true;
}

void FormChannelInformation::closeEvent(QCloseEvent* event) {
    FreshData();
    PageWindow::closeEvent(event);
}
