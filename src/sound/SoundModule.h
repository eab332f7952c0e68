#pragma once

// The program's hold on the sound module: loads it on first use and makes synthesizers from it.

#include "SoundEngine.h"

#include <QLibrary>
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
    // and returns a new, unopened engine; nullptr with the reason in error when the module, a library it
    // needs, or its entry point is missing, or it was built for another interface.
    std::unique_ptr<SoundEngine> CreateEngine(QString& error);

private:
    QLibrary library_;
    CreateSoundEngineFunction create_ = nullptr;
};

} // namespace quavix
