#include "Program.h"
#include "SingleInstance.h"
#include "Translations.h"
#include "Version.h"

#include <QApplication>

#ifdef QUAVIX_BENCH_PROBE
#include "BenchProbe.h"
#endif

int main(int argc, char* argv[]) {
    // A second copy must end before it costs anything: the lock needs no application object, and the
    // running copy is told over its socket without creating a window.
    quavix::SingleInstance instance;
    if (!instance.TryLock()) {
        instance.SignalRunningCopy();
        return 0;
    }

    // The program takes nothing from its command line, so Qt is given none of it either.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavix 2"));
    // Tells the desktop which menu entry this window belongs to, for its icon and name in task bars.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quavix::ApplicationId));
    // Listening before the window is built lets a copy started meanwhile reach us; its message waits in
    // the queue until the event loop runs.
    instance.Listen();
    // The user's language before any window is built; English loads nothing.
    const auto translations = quavix::InstallTranslations();
#ifdef QUAVIX_BENCH_PROBE
    InstallBenchProbe(); // the benchmark build only (scripts/bench.sh)
#endif
    return quavix::RunMainWindow(instance);
}
