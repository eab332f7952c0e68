#pragma once

// What the trainer makes heard, in its own terms: a note that appears on the staff, a key or fret held
// down, a right answer, a wrong one or a time-out. Turns each into notes for the player, in the voice of
// the instrument being practised, and times how long they sound. Every call does nothing while sound is
// off, so the window calls them unconditionally.

#include "SoundEngine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace quavix {

class SoundPlayer;

class SoundCues final : public QObject {
    Q_OBJECT
public:
    explicit SoundCues(SoundPlayer& player, QObject* parent = nullptr);

    // The voice of staff notes, keys and frets: the guitar in guitar mode, otherwise the piano.
    void SetVoice(Voice voice);

    // A new quiz note, written on staff step `step`, has appeared. It sounds for CueMs, after any sound
    // the user has just made (the key pressed, the answer named) has had AnswerGapMs to be heard alone.
    // A sharp or flat sounds its own key: `alteration` (-1, 0, +1) moves it from the natural step's.
    void NoteShown(int step, int alteration = 0);
    // The user named the note on step `step` rightly: it sounds at once.
    void AnswerRight(int step, int alteration = 0);
    // A wrong answer or a time-out: the asked note sounds again until MessageGone.
    void AnswerMissed(int step, int alteration = 0);
    void MessageGone();

    // An on-screen key or fret for a staff step goes down or comes up. One is held at a time: moving to
    // another lets the first go.
    void KeyDown(int step, int alteration = 0);
    void KeyUp();

    // A key of a MIDI keyboard: its own key number and velocity, on the piano.
    void MidiKeyDown(int key, int velocity);
    void MidiKeyUp(int key);

    // Lets every note go and forgets what was waiting: a quiz ended, the instrument changed.
    void Silence();

    static constexpr int CueMs = 1500;
    static constexpr int AnswerGapMs = 350;
    // Other lengths, for tests that cannot wait seconds.
    void SetPeriods(int cueMs, int answerGapMs) {
        cueMs_ = cueMs;
        answerGapMs_ = answerGapMs;
    }

private:
    void StartCue(int step, bool untilMessageGone, int alteration = 0);
    void EndCue();
    void UserSounded() { sinceUserSound_.start(); }

    SoundPlayer& player_;
    Voice voice_ = Voice::Piano;
    int heldKey_ = -1; // sounding key of the on-screen key or fret held down
    Voice heldVoice_ = Voice::Piano;
    int cueKey_ = -1; // sounding key of the staff note now sounding
    Voice cueVoice_ = Voice::Piano;
    int pendingStep_ = -1;
    int pendingAlteration_ = 0;
    QTimer pending_; // a note cue waiting for the user's sound to be heard alone
    QTimer cueEnd_;
    QElapsedTimer sinceUserSound_;
    int cueMs_ = CueMs;
    int answerGapMs_ = AnswerGapMs;
};

} // namespace quavix
