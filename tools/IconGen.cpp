// Writes the program's icon for the desktop's icon theme: icongen <folder> creates
// <folder>/<n>x<n>/quavix.png for every freedesktop size from 16 to 256, each drawn at its own size, and
// <folder>/scalable/quavix.svg from the same shapes. Run at build time.

#include "ArtworkDrawing.h"

#include <QDir>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    // Drawing onto images needs no display, so no GUI application is made.
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1x%1").arg(size);
        const QString file = output.filePath(folder + "/quavix.png");
        const QImage icon = quavix::ArtworkDrawing::ProgramIcon(size);
        if (icon.size() != QSize(size, size) || !output.mkpath(folder) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString svg = output.filePath("scalable/quavix.svg");
    QSaveFile file(svg);
    if (!output.mkpath("scalable") || !file.open(QIODevice::WriteOnly) ||
        file.write(quavix::ArtworkDrawing::ProgramIconSvg()) < 0 || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg));
        return 1;
    }
    return 0;
}
