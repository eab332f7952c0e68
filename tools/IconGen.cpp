// Writes the program's icon for the desktop's icon theme: icongen <folder> creates
// <folder>/<n>x<n>/quavix.png for every size the program carries. Run at build time.

#include "Artwork.h"

#include <QDir>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    // The icons were drawn while building the views, so this only writes files: no GUI application.
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 64}) {
        const QString folder = QString("%1x%1").arg(size);
        const QString file = output.filePath(folder + "/quavix.png");
        const QImage icon = quavix::Artwork::ProgramIcon(size);
        if (icon.size() != QSize(size, size) || !output.mkpath(folder) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
