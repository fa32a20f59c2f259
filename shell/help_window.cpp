#include "shell/help_window.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/global_state.h"
#include "shell/icons.h"

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowIcon(icons::toolIcon(QLatin1String(icons::kHelp)));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);

    auto makeButton = [this](const char* name, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        return button;
    };
    back_ = makeButton("HelpBack", QStyle::SP_ArrowBack);
    forward_ = makeButton("HelpForward", QStyle::SP_ArrowForward);
    contents_ = makeButton("HelpContents", QStyle::SP_FileDialogContentsView);
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(contents_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(browser_);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);

    resize(640, 520);
    setLanguageTexts();
}

void HelpWindow::setLanguageTexts() {
    setWindowTitle(pick("KORVA-77 Help", "KORVA-77 帮助"));
    back_->setText(pick("Back", "后退"));
    forward_->setText(pick("Forward", "前进"));
    contents_->setText(pick("Contents", "目录"));
}

void HelpWindow::showPage(const QUrl& page) {
    setLanguageTexts();
    contents_->setEnabled(true);
    browser_->setSource(page);
}

void HelpWindow::showProblem(const QString& text) {
    setLanguageTexts();
    browser_->clearHistory();
    browser_->setPlainText(text);
    contents_->setEnabled(false);
}

// The contents page lies beside every topic page of the same help file.
void HelpWindow::showContents() {
    const QUrl current = browser_->source();
    if (current.isEmpty()) return;
    browser_->setSource(current.resolved(QUrl(QStringLiteral("index.htm"))));
}
