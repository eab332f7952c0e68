#include "SoundRoom.h"

namespace quavix {

namespace {

bool OnScreen(const KeyPress& press) {
    return press.By.What == Presser::Kind::Mouse;
}

} // namespace

TSoundRoom::TSoundRoom(SoundEngineFactory factory, KeyPresses& presses, QObject* parent)
    : QObject(parent), presses_(presses), player_(std::move(factory)), cues_(player_) {
    presses_.AddObserver(this);
}

TSoundRoom::~TSoundRoom() {
    presses_.RemoveObserver(this);
}

void TSoundRoom::FollowSettings(const Settings& now, const Settings& before) {
    if (now.InputMode != before.InputMode)
        cues_.SetVoice(now.InputMode == GuitarFrets ? Voice::Guitar : Voice::Piano);
    if (now.Sound != before.Sound) {
        if (now.Sound)
            player_.SwitchOn();
        else
            player_.SwitchOff();
    }
}

void TSoundRoom::KeyDown(const KeyPress& press) {
    if (!OnScreen(press))
        cues_.MidiKeyDown(press.Key, press.Velocity);
    else if (press.Spot)
        cues_.KeyDown(press.Spot->Step);
}

void TSoundRoom::KeyUp(const KeyPress& press) {
    if (OnScreen(press))
        cues_.KeyUp();
    else
        cues_.MidiKeyUp(press.Key);
}

void TSoundRoom::KeyMoved(const KeyPress&, const KeyPress& to) {
    // The cues let the key that was held go as the next one sounds.
    KeyDown(to);
}

} // namespace quavix
