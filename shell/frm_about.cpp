#include "shell/frm_about.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/global_state.h"
#include "shell/icons.h"

namespace {

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    picIcon = namedLabel("picIcon", this);
    picIcon->setPixmap(icons::appIcon().pixmap(64, 64));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblTitle = namedLabel("lblTitle", this);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    lblTitle->setFont(titleFont);
    lblVersion = namedLabel("lblVersion", this);
    lblDescription = namedLabel("lblDescription", this);
    lblDisclaimer = namedLabel("lblDisclaimer", this);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(18);
    grid->addWidget(picIcon, 0, 0, 3, 1);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblDescription, 2, 1);
    grid->addWidget(lblDisclaimer, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    setWindowIcon(icons::appIcon());
    setLanguageTexts();
}

void frmAbout::setLanguageTexts() {
    const QString title = QString::fromLatin1(kAppTitle);
    const QString version =
        QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
    setWindowTitle(pick("About ", "关于 ") + title);
    lblTitle->setText(title);
    lblVersion->setText(pick("Version ", "版本 ") + version);
    lblDescription->setText(
        title + pick("program software is used for KORVA-77", "编程软件用于 KORVA-77机型"));
    lblDisclaimer->setText(pick("This software is provided as is, without warranty of any kind.",
                                "本软件按原样提供，不附带任何形式的担保。"));
    cmdOK->setText(pick("OK", "确定"));
}
