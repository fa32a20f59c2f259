// Saves a picture of an X11 window (or of the whole screen) as PNG, for screenshots taken
// under Xvfb by tools/screenshots.sh:
//   korva-grab-window <window id | root> <file.png>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: korva-grab-window <window id | root> <file.png>\n");
        return 2;
    }
    const QString id = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    const WId window = id == QLatin1String("root") ? 0 : id.toULongLong(&ok, 0);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!ok || !screen) return 2;
    const QPixmap picture = screen->grabWindow(window);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "korva-grab-window: cannot grab %s\n", argv[1]);
        return 1;
    }
    return 0;
}
