#pragma once

// The program's hold on the listening module: loads it on first use and makes audio inputs from it.

#include "AudioInput.h"

#include <QPluginLoader>
#include <QString>

#include <memory>

namespace quavix {

class ListenModule final {
public:
    explicit ListenModule(const QString& path);
    ListenModule(const ListenModule&) = delete;
    ListenModule& operator=(const ListenModule&) = delete;

    // Where the module is installed: beside the executable.
    static QString DefaultPath();

    // Loads the module the first time and returns a new, closed input; nullptr with the reason in error
    // when the module, a library it needs, or its factory is missing, or it was built for another
    // version of the interface.
    std::unique_ptr<AudioInput> CreateInput(QString& error);

private:
    QPluginLoader loader_;
    AudioInputFactory* factory_ = nullptr;
};

} // namespace quavix
