#pragma once
// The application's help window: one page of a help file at a time, with back, forward
// and contents, or the reason why a topic could not be shown.
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows a page (a qrc: address inside a help file) and keeps the history.
    void showPage(const QUrl& page);
    // Shows why no page can be shown (missing help file or topic).
    void showProblem(const QString& text);

    QTextBrowser* browser() const { return browser_; }

private:
    void setLanguageTexts();
    void showContents();

    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* contents_;
};
