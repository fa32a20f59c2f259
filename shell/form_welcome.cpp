#include "shell/form_welcome.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/icons.h"

namespace {

constexpr int kSplashMilliseconds = 2000;

// The picture box: paints the splash picture over its whole area.
class SplashPicture : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        icons::paintSplash(painter, rect());
    }
};

}  // namespace

FormWelcome::FormWelcome(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormWelcome"));
    setWindowTitle(QStringLiteral("DVE"));
    setAttribute(Qt::WA_DeleteOnClose);
    Picture1 = new SplashPicture(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Picture1);
    setFixedSize(480, 270);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kSplashMilliseconds);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &FormWelcome::Timer1_Timer);
    Timer1->start();
}

void FormWelcome::Timer1_Timer() {
    emit loadMainWindow();
    close();
}
