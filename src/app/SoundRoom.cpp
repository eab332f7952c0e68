#include "SoundRoom.h"

#include "SettingsRoom.h"

#include <QStatusBar>

namespace quavix {

namespace {

bool OnScreen(const KeyPress& press) {
    return press.By.What == Presser::Kind::Mouse;
}

// A note heard through the microphone is already sounding in the room: the program does not echo it.
bool Heard(const KeyPress& press) {
    return press.By.What == Presser::Kind::Voice;
}

} // namespace

TSoundRoom::TSoundRoom(SoundEngineFactory factory, KeyPresses& presses, TSettingsRoom& settings,
                       QStatusBar* status, QObject* parent)
    : QObject(parent), presses_(presses), settings_(settings), status_(status),
      player_(std::move(factory), this), cues_(player_, this) {
    presses_.AddObserver(this);
    connect(&player_, &SoundPlayer::Failed, this, &TSoundRoom::Failed);
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

void TSoundRoom::Failed(const QString& message) {
    // The option was on, or being switched on: it goes off, and the status bar says why, once.
    Settings next = settings_.Current();
    next.Sound = false;
    settings_.Apply(next);
    status_->showMessage(message, MessageMs);
}

void TSoundRoom::KeyDown(const KeyPress& press) {
    if (Heard(press))
        return;
    if (!OnScreen(press))
        cues_.MidiKeyDown(press.Key, press.Velocity);
    else if (press.Spot)
        cues_.KeyDown(press.Spot->Step, press.Spot->Alteration);
}

void TSoundRoom::KeyUp(const KeyPress& press) {
    if (Heard(press))
        return;
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
