#pragma once

// The settings in force and the one way they change. Every option command carries its choice; Choose
// turns it into the next settings and Apply puts them in force, after which changed() tells each room,
// in the order the window connected them, so that each follows what concerns it.

#include "Settings.h"

#include <QObject>

namespace quavix {

// Whether keeping progress may switch as the settings ask: the progress room opens the history, or asks
// before it stops keeping, and says which way it went.
class KeepingGate {
public:
    KeepingGate() = default;
    KeepingGate(const KeepingGate&) = delete;
    KeepingGate& operator=(const KeepingGate&) = delete;
    virtual ~KeepingGate() = default;

    // Returns whether progress is kept once the settings are next.
    virtual bool SwitchKeeping(const Settings& next) = 0;
};

class TSettingsRoom final : public QObject {
    Q_OBJECT
public:
    explicit TSettingsRoom(const Settings& initial, QObject* parent = nullptr);

    // The settings in force; the reference stays valid as long as the options live.
    const Settings& Current() const { return settings_; }
    // Asked whenever keeping progress would switch; without one it never switches on.
    void SetKeepingGate(KeepingGate* gate) { gate_ = gate; }

    // The one slot of every option command (and the level's slider and keys).
    void Choose(const OptionChoice& choice);
    // The one way the settings change. Applying the settings in force changes nothing, yet still tells the
    // rooms, so choosing the piano's range in force repaints it as before.
    void Apply(const Settings& next);

signals:
    void changed(const quavix::Settings& now, const quavix::Settings& before);

private:
    Settings settings_;
    KeepingGate* gate_ = nullptr;
};

} // namespace quavix
