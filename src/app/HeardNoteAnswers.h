#pragma once

// Notes heard through the microphone as answers. A note that begins answers once, like a key pressed: it
// is judged against the note asked within the tolerance, by the octave rule of the answer control in force,
// and goes to the engine's one answer call. While it sounds it holds its key on the instrument on screen;
// when it ends the key comes up. A note out of tune answers nothing when it begins, but answers once it
// moves into tune while still held; a note that answered, or is heard again without having ended, answers
// nothing more.

#include "Answer.h"
#include "PitchDetector.h"
#include "PitchJudge.h"

#include <optional>

namespace quavix {

class KeyPresses;
class QuizEngine;
struct Settings;

// Which octave of the asked note a heard note must be in: exact on the full-range piano, an octave below
// the written note on the guitar, any octave for letters and for a singer.
OctaveRule OctaveRuleFor(const Settings& settings);

// The answer a heard pitch gives to the note asked (written as askedWrittenKey), or none when it lies too
// far between keys. A sung note in another octave is taken into the asked note's octave, so that only its
// letter is judged; a right note sung answers as the asked note itself.
std::optional<Answer> AnswerForPitch(double pitch, int askedWrittenKey, const Settings& settings);

class HeardNoteAnswers final {
public:
    // The engine and the presses outlive the answers.
    HeardNoteAnswers(QuizEngine& engine, KeyPresses& presses);
    HeardNoteAnswers(const HeardNoteAnswers&) = delete;
    HeardNoteAnswers& operator=(const HeardNoteAnswers&) = delete;

    // What became of a note heard: Ignored when it answered nothing (a note ending, out of tune, heard
    // again, moved after it answered, or not taken by the engine now).
    AnswerResult Hear(const HeardNote& note);
    // Listening stopped or paused: the note held comes up.
    void LetGo();

private:
    QuizEngine& engine_;
    KeyPresses& presses_;
    std::optional<int> held_; // the key of the note sounding now
    // While a note sounds that began out of tune and has not answered yet: the key asked then (-1 outside a
    // quiz), the only question it may still answer.
    std::optional<int> waitingFor_;
};

} // namespace quavix
