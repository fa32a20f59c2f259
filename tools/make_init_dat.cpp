// Writes the start-up file Init.dat (the factory default image and software record, 1041
// bytes) to the path given as its only argument. Run by the build.
#include <QSaveFile>
#include <QString>
#include <cstdio>

#include "core/default_image.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <path of Init.dat>\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray bytes = defaultInitFileBytes();
    QSaveFile file(path);
    // Flushed before the commit: on a full disk QSaveFile::commit() of Qt 6.4 reports
    // success and leaves an empty file.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[1],
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
