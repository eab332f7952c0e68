#include "ListenModule.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quavix {

ListenModule::ListenModule(const QString& path) : loader_(path) {
    // The audio layer keeps threads and process-wide state of its own; a module once loaded stays.
    loader_.setLoadHints(QLibrary::PreventUnloadHint);
}

QString ListenModule::DefaultPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quavix_listen");
}

std::unique_ptr<AudioInput> ListenModule::CreateInput(QString& error) {
    if (factory_ == nullptr) {
        QObject* root = loader_.instance();
        if (root == nullptr) {
            error = loader_.errorString();
            return nullptr;
        }
        factory_ = qobject_cast<AudioInputFactory*>(root);
        if (factory_ == nullptr) {
            error = QStringLiteral("%1 is not this version's listening module").arg(loader_.fileName());
            return nullptr;
        }
    }
    return factory_->CreateAudioInput();
}

} // namespace quavix
