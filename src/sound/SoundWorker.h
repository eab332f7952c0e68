#pragma once

// The half of SoundPlayer that lives on its own thread: it makes, opens and closes synthesizers, which
// means loading the module, reading a SoundFont and reaching a sound server, none of which may hold up
// the window.

#include "SoundEngine.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>
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

// What the player and its worker share: which attempt to start sound the user wants now, and the engine
// opened for it until the player takes it. A switch pressed many times while an engine opens queues many
// attempts; only the one wanted when the worker comes to it is opened, and an engine whose attempt is no
// longer wanted once it is open is closed at once, so no two engines ever exist together.
class EngineHandoff {
public:
    // The player's side: attempt is wanted from now on (0: none).
    void Want(quint64 attempt);
    // The engine opened for attempt, if it is still wanted; nullptr otherwise.
    std::shared_ptr<SoundEngine> Take(quint64 attempt);

    // The worker's side.
    bool IsWanted(quint64 attempt) const;
    // Hands over the engine opened for attempt; false, keeping engine, when attempt is no longer wanted.
    bool Offer(quint64 attempt, std::unique_ptr<SoundEngine>& engine);
    // An engine offered and never taken, for closing.
    std::shared_ptr<SoundEngine> LeftOver();

private:
    mutable std::mutex mutex_;
    quint64 wanted_ = 0;
    quint64 offeredFor_ = 0;
    std::shared_ptr<SoundEngine> offered_;
};

class SoundWorker final : public QObject {
    Q_OBJECT
public:
    SoundWorker(SoundEngineFactory factory, std::shared_ptr<EngineHandoff> handoff);

    // Makes and opens an engine for attempt, unless another attempt is wanted by then, and reports how it
    // went with Opened; a Started engine waits in the handoff. An empty soundFont means the one
    // FindSoundFont chooses.
    void Open(quint64 attempt, const QString& soundFont, const std::vector<std::string>& drivers);
    // Closes an engine opened and never taken.
    void CloseLeftOver() { handoff_->LeftOver().reset(); }

signals:
    void Opened(quint64 attempt, quavix::StartResult result, const QString& detail);

private:
    StartResult OpenEngine(SoundEngine& engine, const QString& soundFont,
                           const std::vector<std::string>& drivers, QString& detail);

    SoundEngineFactory factory_;
    std::shared_ptr<EngineHandoff> handoff_;
};

} // namespace quavix
