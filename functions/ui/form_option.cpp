#include "functions/ui/form_option.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/workbench.h"

namespace {

// The page's fixed size: 9225 x 3615 twips at 15 twips per pixel.
constexpr int kWidth = 9225 / 15;
constexpr int kHeight = 3615 / 15;

template <typename T>
T* named(const char* name, QWidget* parent) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

FormOption::FormOption(QWidget* parent)
    : PageWindow(page_id::kOption, &GlobalState::OptionPageOpen, parent) {
    setFixedSize(kWidth, kHeight);
    buildControls();
    languageTexts();
    AnalyseOption();
    pageLoaded();
}

void FormOption::buildControls() {
    LabelTOT = named<QLabel>("LabelTOT", this);
    LabelTOTWarning = named<QLabel>("LabelTOTWarning", this);
    LabelSQ = named<QLabel>("LabelSQ", this);
    LabelVoice = named<QLabel>("LabelVoice", this);
    ComboTOT = named<QComboBox>("ComboTOT", this);
    ComboTOTWarning = named<QComboBox>("ComboTOTWarning", this);
    ComboSQ = named<QComboBox>("ComboSQ", this);
    ComboVoice = named<QComboBox>("ComboVoice", this);
    CheckSave = named<QCheckBox>("CheckSave", this);
    CheckScramble = named<QCheckBox>("CheckScramble", this);
    CheckBeep = named<QCheckBox>("CheckBeep", this);
    CheckRoger = named<QCheckBox>("CheckRoger", this);
    CheckFreqHopping = named<QCheckBox>("CheckFreqHopping", this);
    CommandClose = named<QPushButton>("CommandClose", this);
    CommandHelp = named<QPushButton>("CommandHelp", this);

    // Left column: the four label-and-list rows.
    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(12);
    lists->setVerticalSpacing(14);
    const std::pair<QLabel*, QComboBox*> rows[] = {{LabelTOT, ComboTOT},
                                                   {LabelTOTWarning, ComboTOTWarning},
                                                   {LabelSQ, ComboSQ},
                                                   {LabelVoice, ComboVoice}};
    int row = 0;
    for (const auto& [label, combo] : rows) {
        label->setBuddy(combo);
        combo->setMinimumWidth(110);
        combo->setMaxVisibleItems(12);
        lists->addWidget(label, row, 0);
        lists->addWidget(combo, row, 1);
        ++row;
    }
    lists->setRowStretch(row, 1);

    // Right column: the check boxes, with Close and Help under them.
    auto* checks = new QVBoxLayout;
    checks->setSpacing(6);
    for (QCheckBox* check : {CheckSave, CheckScramble, CheckBeep, CheckRoger, CheckFreqHopping})
        checks->addWidget(check);
    checks->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandClose);
    buttons->addWidget(CommandHelp);
    checks->addLayout(buttons);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(20, 16, 16, 12);
    columns->setSpacing(40);
    columns->addLayout(lists);
    columns->addLayout(checks, 1);

    // activated and clicked come from the user only, never from filling the controls.
    const std::pair<QComboBox*, OptionList> listRoles[] = {
        {ComboTOT, OptionList::TimeOutTimer},
        {ComboTOTWarning, OptionList::TimeOutWarning},
        {ComboSQ, OptionList::SquelchLevel},
        {ComboVoice, OptionList::VoicePrompt}};
    for (const auto& [combo, list] : listRoles) {
        connect(combo, &QComboBox::activated, this,
                [this, list = list](int entry) { listChosen(list, entry); });
    }
    const std::pair<QCheckBox*, OptionCheck> checkRoles[] = {
        {CheckSave, OptionCheck::BatterySave},
        {CheckScramble, OptionCheck::Scramble},
        {CheckBeep, OptionCheck::Beep},
        {CheckRoger, OptionCheck::Roger},
        {CheckFreqHopping, OptionCheck::FreqHopping}};
    for (const auto& [box, check] : checkRoles) {
        connect(box, &QCheckBox::clicked, this,
                [this, check = check](bool ticked) { checkClicked(check, ticked); });
    }
    connect(CommandClose, &QPushButton::clicked, this, &FormOption::closePage);
    connect(CommandHelp, &QPushButton::clicked, this, &FormOption::showHelp);
}

void FormOption::languageTexts() {
    const bool english = globalState().EnglishMode;
    for (QComboBox* combo : {ComboTOT, ComboTOTWarning, ComboSQ, ComboVoice}) combo->clear();
    ComboSQ->addItems(squelchLevelEntries());
    ComboTOT->addItems(timeOutTimerEntries(english));
    ComboTOTWarning->addItems(timeOutWarningEntries(english));
    ComboVoice->addItems(voicePromptEntries(english));

    setWindowTitle(pick("Function Setup", "功能设定"));
    CommandClose->setText(pick("&Close", "关闭(&C)"));
    CommandHelp->setText(pick("&Help", "帮助(&H)"));
    LabelTOT->setText(pick("Time Out Timer(TOT)[s]", "超时定时器(TOT)[秒]"));
    LabelTOTWarning->setText(pick("TOT Warning Time[s]", "超时定时器预警[秒]"));
    LabelSQ->setText(pick("Squelch Level", "静噪等级"));
    LabelVoice->setText(pick("Voice Prompt", "提示音"));
    CheckSave->setText(pick("Battry Save", "省电"));
    CheckScramble->setText(pick("Scramble Enable", "扰频激活"));
    CheckBeep->setText(pick("Beep Enable", "哔音使能"));
    CheckRoger->setText(pick("Roger", "发射结束提示音"));
    CheckFreqHopping->setText(pick("Freq Hopping", "跳频"));
}

void FormOption::AnalyseOption() {
    refreshing_ = true;
    const OptionView view = analyseOption(globalState().RadioImage);
    ComboTOT->setCurrentIndex(view.timeOutTimer);
    ComboTOTWarning->setCurrentIndex(view.timeOutWarning);
    ComboSQ->setCurrentIndex(view.squelchLevel);
    ComboVoice->setCurrentIndex(view.voicePrompt);
    CheckSave->setChecked(view.batterySave);
    CheckScramble->setChecked(view.scramble);
    CheckBeep->setChecked(view.beep);
    CheckRoger->setChecked(view.roger);
    CheckFreqHopping->setChecked(view.freqHopping);
    refreshing_ = false;
}

void FormOption::listChosen(OptionList list, int entry) {
    if (refreshing_) return;
    writeOptionList(globalState().RadioImage, list, entry);
}

void FormOption::checkClicked(OptionCheck check, bool ticked) {
    if (refreshing_) return;
    writeOptionCheck(globalState().RadioImage, check, ticked);
}

void FormOption::showHelp() { workbench().showHelpTopic(QStringLiteral("optfeatures.htm")); }

void FormOption::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    PageWindow::keyPressEvent(event);
}
