// The baseline that scripts/bench.sh holds the trainer against: a main window of the trainer's size with a
// menu bar and nothing else, started and measured the same way.
#include "BenchProbe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    InstallBenchProbe();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty"));
    for (const char* title : {"&Game", "&Options", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title));
    window.setFixedSize(395, 380);
    window.show();
    return app.exec();
}
