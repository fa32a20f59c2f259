#include "shell/form_language.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/global_state.h"
#include "platform/platform.h"

namespace {
constexpr int kEntryEnglish = 0;
constexpr int kEntryChinese = 1;
}  // namespace

FormLanguage::FormLanguage(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormLanguage"));
    LabelLanguage = new QLabel(this);
    LabelLanguage->setObjectName(QStringLiteral("LabelLanguage"));
    ComboLanguage = new QComboBox(this);
    ComboLanguage->setObjectName(QStringLiteral("ComboLanguage"));
    ComboLanguage->setMinimumWidth(140);
    LabelLanguage->setBuddy(ComboLanguage);
    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelLanguage, 0, 0);
    grid->addWidget(ComboLanguage, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(CommandOK, &QPushButton::clicked, this, &FormLanguage::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);

    setLanguageTexts();
    ComboLanguage->setCurrentIndex(globalState().EnglishMode ? kEntryEnglish : kEntryChinese);
}

void FormLanguage::setLanguageTexts() {
    setWindowTitle(pick("Set Language", "语言设置"));
    LabelLanguage->setText(pick("Language Select", "语言选择"));
    ComboLanguage->addItem(pick("English", "英文"));
    ComboLanguage->addItem(pick("Chinese", "中文"));
    CommandOK->setText(pick("&OK", "确定(&O)"));
    CommandCancel->setText(pick("&Cancel", "取消(&C)"));
}

void FormLanguage::CommandOK_Click() {
    GlobalState& state = globalState();
    const bool english = ComboLanguage->currentIndex() == kEntryEnglish;
    if (english != state.EnglishMode) state.LanguageChanged = true;
    state.EnglishMode = english;
    if (state.LanguageChanged)
        platform::settings().write(QStringLiteral("Language"),
                                   english ? QStringLiteral("True") : QStringLiteral("False"));
    accept();
}
