#include "Program.h"

#include "BenchProbe.h"
#include "SingleInstance.h"

#include <QApplication>

int RunMainWindow(SingleInstance& instance, TFormQX25::Options options) {
    TFormQX25 window(std::move(options));
    if (window.StartupFailed())
        return 1;
    // Dialogs and the help window carry the program's icon too.
    QApplication::setWindowIcon(window.windowIcon());
    QObject::connect(&instance, &SingleInstance::InstanceMessageArrived, &window,
                     [&window] { AppMessageHook(&window); });
    InstallBenchProbe(&window); // scripts/bench.sh only; nothing unless QUAVIX_BENCH is set
    window.show();
    return QApplication::exec();
}
