#include "Program.h"

#include "SingleInstance.h"

#include <QApplication>

namespace quavix {

int RunMainWindow(SingleInstance& instance, TFormQX25::Options options) {
    TFormQX25 window(options);
    if (window.StartupFailed())
        return 1;
    // Dialogs and the help window carry the program's icon too.
    QApplication::setWindowIcon(window.windowIcon());
    QObject::connect(&instance, &SingleInstance::InstanceMessageArrived, &window,
                     [&window] { AppMessageHook(&window); });
    window.show();
    return QApplication::exec();
}

} // namespace quavix
