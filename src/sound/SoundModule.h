#pragma once

// The program's hold on the sound module: loads it on first use and makes synthesizers from it.

#include "SoundEngine.h"

#include <QPluginLoader>
#include <QString>

#include <memory>

namespace quavix {

class SoundModule final {
public:
    explicit SoundModule(const QString& path);
    SoundModule(const SoundModule&) = delete;
    SoundModule& operator=(const SoundModule&) = delete;

    // Where the module is installed: beside the executable.
    static QString DefaultPath();

    // Loads the module the first time (slow: it brings in the synthesizer library and what that links)
    // and returns a new, unopened engine; nullptr with the reason in error when the module or a library it
    // needs is missing, it is not the sound module, or it was built for another version of the interface.
    std::unique_ptr<SoundEngine> CreateEngine(QString& error);

private:
    bool Load(QString& error);

    QPluginLoader loader_;
    SoundEngineMaker* maker_ = nullptr; // owned by the loader
};

} // namespace quavix
