#include "Program.h"

#include "ProgressStore.h"
#include "SingleInstance.h"
#include "Translations.h"
#include "Version.h"

#include <QApplication>

namespace quavix {

int RunProgram(int argc, char* argv[], const std::function<void()>& beforeWindow) {
    // A second copy must end before it costs anything: the lock needs no application object, and the
    // running copy is told over its socket without creating a window.
    SingleInstance instance;
    if (!instance.TryLock()) {
        instance.SignalRunningCopy();
        return 0;
    }

    // The program takes nothing from its command line, so Qt is given none of it either.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Quavix 2"));
    // Tells the desktop which menu entry this window belongs to, for its icon and name in task bars.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ApplicationId));
    // Listening before the window is built lets a copy started meanwhile reach us; its message waits in
    // the queue until the event loop runs.
    instance.Listen();
    // The user's language before any window is built; English loads nothing.
    const auto translations = InstallTranslations();
    if (beforeWindow)
        beforeWindow();
    return RunMainWindow(instance);
}

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
