#include "SoundModule.h"

#include <QCoreApplication>

namespace quavix {

SoundModule::SoundModule(const QString& path) : library_(path) {
    // Unloading would pull the synthesizer library and its sound-server clients out from under threads
    // and process-wide state they leave behind; a module once loaded stays.
    library_.setLoadHints(QLibrary::PreventUnloadHint);
}

QString SoundModule::DefaultPath() {
    // QLibrary adds the platform's prefix and suffix.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quavix_sound");
}

std::unique_ptr<SoundEngine> SoundModule::CreateEngine(QString& error) {
    if (create_ == nullptr) {
        if (!library_.load()) {
            error = library_.errorString();
            return nullptr;
        }
        create_ = reinterpret_cast<CreateSoundEngineFunction>(library_.resolve(CreateSoundEngineSymbol));
        if (create_ == nullptr) {
            error = QStringLiteral("%1 is not the sound module: it has no %2")
                        .arg(library_.fileName(), QLatin1String(CreateSoundEngineSymbol));
            return nullptr;
        }
    }
    std::unique_ptr<SoundEngine> engine(create_(SoundEngineInterface));
    if (engine == nullptr)
        error = QStringLiteral("%1 was built for another version of the program").arg(library_.fileName());
    return engine;
}

} // namespace quavix
