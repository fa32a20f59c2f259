#include <QApplication>
#include <QMainWindow>

#include "core/global_state.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("KORVA-77"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
