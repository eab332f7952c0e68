#pragma once

// What is heard, as the window sees it: the sound switch and the cues, following the settings (on or off,
// the piano's or the guitar's voice) and the keys held down (whoever holds them).

#include "KeyPresses.h"
#include "Settings.h"
#include "SoundCues.h"
#include "SoundPlayer.h"

#include <QObject>

namespace quavix {

class TSoundRoom final : public QObject, private KeyPressObserver {
    Q_OBJECT
public:
    // factory makes the synthesizers (empty: the module beside the executable); presses outlive the room.
    TSoundRoom(SoundEngineFactory factory, KeyPresses& presses, QObject* parent);
    ~TSoundRoom() override;

    SoundPlayer& Player() { return player_; }
    SoundCues& Cues() { return cues_; }

    void FollowSettings(const Settings& now, const Settings& before);

private:
    // Keys of the instrument on screen sound in the voice of the instrument practised; MIDI keys sound as
    // their own key numbers, at their own strength, on the piano.
    void KeyDown(const KeyPress& press) override;
    void KeyUp(const KeyPress& press) override;
    void KeyMoved(const KeyPress& from, const KeyPress& to) override;
    void HolderChanged(const KeyPress*) override {}

    KeyPresses& presses_;
    SoundPlayer player_;
    SoundCues cues_;
};

} // namespace quavix
