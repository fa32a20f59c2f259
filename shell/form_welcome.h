#pragma once
// The splash window: caption "DVE", one picture filling the window, shown for 2 seconds at
// process start; then it closes itself and the main window is loaded.
#include <QWidget>

class QTimer;

class FormWelcome : public QWidget {
    Q_OBJECT
public:
    explicit FormWelcome(QWidget* parent = nullptr);

signals:
    // The 2 seconds are over: load the main window. The splash closes itself right after,
    // so the main window must be shown by then.
    void loadMainWindow();

private:
    void Timer1_Timer();

    QWidget* Picture1;
    QTimer* Timer1;
};
