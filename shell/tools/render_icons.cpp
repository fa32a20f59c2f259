// Writes the application icon as PNG files of the hicolor icon theme:
//   korva-render-icons <output folder> <icon name>
// gives <output folder>/<N>x<N>/apps/<icon name>.png for the usual sizes.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "shell/icons.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: korva-render-icons <output folder> <icon name>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !icons::renderAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "korva-render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
