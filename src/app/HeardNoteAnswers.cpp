#include "HeardNoteAnswers.h"

#include "KeyPresses.h"
#include "KeySignatures.h"
#include "MidiNotes.h"
#include "QuizEngine.h"

#include <cmath>

namespace quavix {

OctaveRule OctaveRuleFor(const Settings& settings) {
    if (settings.ListenSinging || settings.InputMode == NoteButtons)
        return OctaveRule::AnyOctave;
    if (settings.InputMode == GuitarFrets)
        return OctaveRule::OctaveBelow;
    return settings.FullRange ? OctaveRule::Exact : OctaveRule::AnyOctave;
}

std::optional<Answer> AnswerForPitch(double pitch, int askedWrittenKey, const Settings& settings) {
    const OctaveRule rule = OctaveRuleFor(settings);
    const HeardAnswer heard = JudgeHeardPitch(pitch, askedWrittenKey, rule, settings.ListenToleranceCents);
    if (heard.Verdict == HeardVerdict::OutOfTune)
        return std::nullopt;
    if (rule != OctaveRule::AnyOctave)
        return Answer::Sounded(heard.Key + (rule == OctaveRule::OctaveBelow ? GuitarTransposition : 0),
                               AnswerSource::Heard);
    // In any octave: the asked note itself when right, else the note heard moved to the octave nearest the
    // asked one, so that a control which judges exact keys judges only its letter.
    if (heard.Verdict == HeardVerdict::Right)
        return Answer::Sounded(askedWrittenKey, AnswerSource::Heard);
    const int octaves = static_cast<int>(std::lround((askedWrittenKey - heard.Key) / 12.0));
    return Answer::Sounded(heard.Key + 12 * octaves, AnswerSource::Heard);
}

HeardNoteAnswers::HeardNoteAnswers(QuizEngine& engine, KeyPresses& presses)
    : engine_(engine), presses_(presses) {}

AnswerResult HeardNoteAnswers::Hear(const HeardNote& note) {
    AnswerResult nothing;
    nothing.Why = IgnoredBecause::NotANote;
    if (note.What == HeardNote::Kind::Ended) {
        LetGo();
        return nothing;
    }
    const bool moved = note.What == HeardNote::Kind::Moved;
    const Settings& settings = engine_.CurrentSettings();
    // Outside a quiz nothing is asked: the note heard is shown as the nearest key, if it is one.
    const bool asking = engine_.State.Running;
    // The note as written, with its sharp or flat: the tolerance is measured from it, not from its letter.
    const NoteEntry written = engine_.AskedNote();
    const int asked = asking ? SpelledKey(written.Step, written.Alteration)
                             : static_cast<int>(std::lround(note.Pitch)) +
                                   (settings.InputMode == GuitarFrets ? GuitarTransposition : 0);
    // A held note that moved is judged again only while it has not answered: a note held on does not answer
    // twice, even where it drifts onto another key. It waits to answer only the note asked when it began;
    // once another is asked (the time ran out, another control answered), it answers nothing.
    const int question = asking ? asked : -1;
    if (moved && waitingFor_ != question) {
        waitingFor_.reset();
        return nothing;
    }
    const std::optional<Answer> answer = AnswerForPitch(note.Pitch, asked, settings);
    if (!answer) {
        // A new note began, so the one held before has ended, even though this one answers nothing yet: it
        // waits to come into tune while it is held.
        LetGo();
        waitingFor_ = question;
        return nothing;
    }
    const bool below = OctaveRuleFor(settings) == OctaveRule::OctaveBelow;
    const int sounding = answer->Key - (below ? GuitarTransposition : 0);
    // The same note told twice without ending between: the detector's doubt, never a second answer.
    if (held_ == sounding)
        return nothing;
    held_ = sounding;
    waitingFor_.reset();

    const KeyReading reading = ReadKey(answer->Key, settings.InputMode, settings.FullRange);
    KeyPress press{Presser::Voice(), sounding, 0, std::nullopt};
    if (reading.Problem == IgnoredBecause::Nothing) {
        const bool shown =
            settings.InputMode != NoteButtons && reading.Step >= 0 && reading.Step <= LastStepCode;
        press.Spot = InstrumentSpot{shown ? reading.Step : -1, 0, 0};
    }
    presses_.Press(press);
    return engine_.TakeAnswer(*answer);
}

void HeardNoteAnswers::LetGo() {
    held_.reset();
    waitingFor_.reset();
    presses_.ReleaseFrom(Presser::Voice());
}

} // namespace quavix
