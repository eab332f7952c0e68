#pragma once

// What is heard, as the window sees it: the sound switch and the cues, following the settings (on or off,
// the piano's or the guitar's voice) and the keys held down (whoever holds them). Where no sound can be
// had, the option goes off again and the status bar says why.

#include "KeyPresses.h"
#include "Settings.h"
#include "SoundCues.h"
#include "SoundPlayer.h"

#include <QObject>

class QStatusBar;

namespace quavix {

class TSettingsRoom;

class TSoundRoom final : public QObject, private KeyPressObserver {
    Q_OBJECT
public:
    // How long a message about sound stays in the status bar, unless a hint takes its place.
    static constexpr int MessageMs = 10000;

    // factory makes the synthesizers (empty: the module beside the executable). The presses, the settings
    // and the status bar outlive the room.
    TSoundRoom(SoundEngineFactory factory, KeyPresses& presses, TSettingsRoom& settings, QStatusBar* status,
               QObject* parent);
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
    void Failed(const QString& message);

    KeyPresses& presses_;
    TSettingsRoom& settings_;
    QStatusBar* status_;
    SoundPlayer player_;
    SoundCues cues_;
};

} // namespace quavix
