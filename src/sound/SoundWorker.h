#pragma once

// The half of SoundPlayer that lives on its own thread: it makes, opens and closes synthesizers, which
// means loading the module, reading a SoundFont and reaching a sound server, none of which may hold up
// the window.

#include "SoundEngine.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quavix {

// Makes an unopened engine, or returns nullptr and says why.
using SoundEngineFactory = std::function<std::unique_ptr<SoundEngine>(QString& error)>;

// How an attempt to start sound ended.
enum class StartResult : std::uint8_t {
    Started = 0,
    ModuleMissing = 1, // the module, or a library it needs, is not installed
    NoSoundFont = 2,   // no SoundFont was found
    SetupFailed = 3,
    SoundFontFailed = 4,
    OutputFailed = 5,
};

class SoundWorker final : public QObject {
    Q_OBJECT
public:
    explicit SoundWorker(SoundEngineFactory factory);

    // Makes and opens an engine, then reports it with Opened. An empty soundFont means the one
    // FindSoundFont chooses.
    void Open(quint64 attempt, const QString& soundFont, const std::vector<std::string>& drivers);

signals:
    // engine is null unless result is Started.
    void Opened(quint64 attempt, std::shared_ptr<quavix::SoundEngine> engine, quavix::StartResult result,
                const QString& detail);

private:
    SoundEngineFactory factory_;
};

} // namespace quavix
