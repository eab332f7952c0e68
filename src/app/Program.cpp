#include "Program.h"

#include "ProgressStore.h"
#include "SingleInstance.h"

#include <QApplication>

namespace quavix {

int RunMainWindow(SingleInstance& instance, TFormQX25::Options options) {
    // The user's data folder is only named here; nothing is read or written there unless progress is kept.
    if (options.progressFolder.isEmpty())
        options.progressFolder = ProgressStore::DefaultFolder();
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
