#include "functions/ui/form_key_setting.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/workbench.h"
#include "functions/key_assignment.h"

namespace {

// The page's fixed size: 6375 x 2895 twips at 15 twips per pixel.
constexpr int kWidth = 6375 / 15;
constexpr int kHeight = 2895 / 15;

// Key captions, the same in both languages.
const char* const kKeyCaptions[] = {"PF1", "PF2"};

}  // namespace

FormKeySetting::FormKeySetting(QWidget* parent)
    : PageWindow(page_id::kKeySetting, &GlobalState::KeyPageOpen, parent) {
    setFixedSize(kWidth, kHeight);
    buildControls();
    languageTexts();
    AnalyseKeySetting();
    pageLoaded();
}

void FormKeySetting::buildControls() {
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(16);
    rows->setVerticalSpacing(20);
    rows->setColumnStretch(2, 1);
    for (int index = 0; index < kVisibleKeys; ++index) {
        LabelKeySet[index] = new QLabel(QString::fromLatin1(kKeyCaptions[index]), this);
        LabelKeySet[index]->setObjectName(QStringLiteral("LabelKeySet%1").arg(index));
        ComboKeySet[index] = new QComboBox(this);
        ComboKeySet[index]->setObjectName(QStringLiteral("ComboKeySet%1").arg(index));
        ComboKeySet[index]->setMinimumWidth(190);
        LabelKeySet[index]->setBuddy(ComboKeySet[index]);
        rows->addWidget(LabelKeySet[index], index, 0);
        rows->addWidget(ComboKeySet[index], index, 1);
        // activated comes from the user only, never from filling the list.
        connect(ComboKeySet[index], &QComboBox::activated, this,
                [this, index](int entry) { keyChosen(index, entry); });
    }

    CommandClose = new QPushButton(this);
    CommandClose->setObjectName(QStringLiteral("CommandClose"));
    CommandHelp = new QPushButton(this);
    CommandHelp->setObjectName(QStringLiteral("CommandHelp"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandClose);
    buttons->addWidget(CommandHelp);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(40, 28, 24, 16);
    page->addLayout(rows);
    page->addStretch(1);
    page->addLayout(buttons);

    connect(CommandClose, &QPushButton::clicked, this, &FormKeySetting::closePage);
    connect(CommandHelp, &QPushButton::clicked, this, &FormKeySetting::showHelp);
}

void FormKeySetting::languageTexts() {
    setWindowTitle(pick("Key Setting", "键设定"));
    const QStringList functions = keyFunctionTexts(globalState().EnglishMode);
    for (QComboBox* combo : ComboKeySet) combo->addItems(functions);
    CommandClose->setText(pick("&Close", "关闭(&C)"));
    CommandHelp->setText(pick("&Help", "帮助(&H)"));
}

void FormKeySetting::AnalyseKeySetting() {
    refreshing_ = true;
    const uint8_t assignment = globalState().RadioImage[keys::kAssignment];
    for (int index = 0; index < kVisibleKeys; ++index)
        ComboKeySet[index]->setCurrentIndex(keyFunctionEntry(assignment, index));
    refreshing_ = false;
}

void FormKeySetting::keyChosen(int index, int entry) {
    if (refreshing_) return;
    uint8_t& assignment = globalState().RadioImage[keys::kAssignment];
    assignment = withKeyFunction(assignment, index, entry);
}

void FormKeySetting::showHelp() { workbench().showHelpTopic(QStringLiteral("keyassign.htm")); }

void FormKeySetting::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    PageWindow::keyPressEvent(event);
}
