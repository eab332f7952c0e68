#include "SoundModule.h"

#include <QCoreApplication>
#include <QJsonObject>

namespace quavix {

SoundModule::SoundModule(const QString& path) : loader_(path) {
    // Unloading would pull the synthesizer library and its sound-server clients out from under threads
    // and process-wide state they leave behind; a module once loaded stays.
    loader_.setLoadHints(QLibrary::PreventUnloadHint);
}

QString SoundModule::DefaultPath() {
    // The loader adds the platform's prefix and suffix.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quavix_sound");
}

bool SoundModule::Load(QString& error) {
    // The interface is read from the plugin's metadata, before any code of the module runs: a module
    // built for another version is never loaded at all.
    const QString iid = loader_.metaData().value(QStringLiteral("IID")).toString();
    if (!iid.isEmpty() && iid != QLatin1String(QUAVIX_SOUND_ENGINE_IID)) {
        error = QStringLiteral("%1 was built for another version of the program: it offers %2, not %3")
                    .arg(loader_.fileName(), iid, QLatin1String(QUAVIX_SOUND_ENGINE_IID));
        return false;
    }
    QObject* instance = loader_.instance();
    if (instance == nullptr) {
        error = loader_.errorString();
        return false;
    }
    maker_ = qobject_cast<SoundEngineMaker*>(instance);
    if (maker_ == nullptr) {
        error = QStringLiteral("%1 is not the sound module").arg(loader_.fileName());
        return false;
    }
    return true;
}

std::unique_ptr<SoundEngine> SoundModule::CreateEngine(QString& error) {
    if (maker_ == nullptr && !Load(error))
        return nullptr;
    std::unique_ptr<SoundEngine> engine = maker_->MakeEngine();
    if (engine == nullptr)
        error = QStringLiteral("%1 could not make a synthesizer").arg(loader_.fileName());
    return engine;
}

} // namespace quavix
