#include "SoundCues.h"

#include "Pitch.h"
#include "SoundPlayer.h"

namespace quavix {

SoundCues::SoundCues(SoundPlayer& player, QObject* parent) : QObject(parent), player_(player) {
    pending_.setSingleShot(true);
    connect(&pending_, &QTimer::timeout, this, [this] {
        StartCue(pendingStep_, false, pendingAlteration_);
        pendingStep_ = -1;
    });
    cueEnd_.setSingleShot(true);
    connect(&cueEnd_, &QTimer::timeout, this, &SoundCues::EndCue);
}

void SoundCues::SetVoice(Voice voice) {
    if (voice == voice_)
        return;
    Silence();
    voice_ = voice;
}

void SoundCues::NoteShown(int step, int alteration) {
    if (!player_.IsOn())
        return;
    pendingStep_ = step;
    pendingAlteration_ = alteration;
    const qint64 since = sinceUserSound_.isValid() ? sinceUserSound_.elapsed() : answerGapMs_;
    pending_.start(int(std::max<qint64>(0, answerGapMs_ - since)));
}

void SoundCues::AnswerRight(int step, int alteration) {
    if (!player_.IsOn())
        return;
    // The note the user named, not the next one, which waits its turn.
    StartCue(step, false, alteration);
    UserSounded();
    if (pending_.isActive())
        pending_.start(answerGapMs_);
}

void SoundCues::AnswerMissed(int step, int alteration) {
    if (!player_.IsOn())
        return;
    pending_.stop();
    pendingStep_ = -1;
    StartCue(step, true, alteration);
}

void SoundCues::MessageGone() {
    if (cueEnd_.isActive())
        return; // the cue sounding now is a new note's, with its own end
    EndCue();
}

void SoundCues::KeyDown(int step, int alteration) {
    if (!player_.IsOn())
        return;
    const int key = SoundingKey(voice_, step) + alteration;
    if (heldKey_ == key && heldVoice_ == voice_)
        return;
    KeyUp();
    heldKey_ = key;
    heldVoice_ = voice_;
    player_.NoteOn(heldVoice_, heldKey_, OnScreenVelocity);
    UserSounded();
}

void SoundCues::KeyUp() {
    if (heldKey_ < 0)
        return;
    // A cue of the same key keeps sounding: letting the key go must not cut off the note asked.
    if (!(heldKey_ == cueKey_ && heldVoice_ == cueVoice_))
        player_.NoteOff(heldVoice_, heldKey_);
    heldKey_ = -1;
}

void SoundCues::MidiKeyDown(int key, int velocity) {
    if (!player_.IsOn())
        return;
    player_.NoteOn(Voice::Piano, key, velocity);
    UserSounded();
}

void SoundCues::MidiKeyUp(int key) {
    player_.NoteOff(Voice::Piano, key);
}

void SoundCues::Silence() {
    pending_.stop();
    pendingStep_ = -1;
    cueEnd_.stop();
    player_.AllNotesOff();
    heldKey_ = -1;
    cueKey_ = -1;
}

void SoundCues::StartCue(int step, bool untilMessageGone, int alteration) {
    EndCue();
    if (step < 0 || !player_.IsOn())
        return;
    cueKey_ = SoundingKey(voice_, step) + alteration;
    cueVoice_ = voice_;
    // Striking a key that is still sounding starts it afresh.
    player_.NoteOff(cueVoice_, cueKey_);
    player_.NoteOn(cueVoice_, cueKey_, OnScreenVelocity);
    if (!untilMessageGone)
        cueEnd_.start(cueMs_);
}

void SoundCues::EndCue() {
    cueEnd_.stop();
    if (cueKey_ < 0)
        return;
    if (!(cueKey_ == heldKey_ && cueVoice_ == heldVoice_))
        player_.NoteOff(cueVoice_, cueKey_);
    cueKey_ = -1;
}

} // namespace quavix
