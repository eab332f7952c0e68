#include "MidiKeyboard.h"

#include "QuizEngine.h"

namespace quavix {

MidiKeyboard::MidiKeyboard(QuizEngine& engine, KeyPresses& presses) : engine_(engine), presses_(presses) {}

IgnoredBecause MidiKeyboard::NoteOn(std::uint32_t source, int note, int velocity, std::int64_t timeMs) {
    // The window runs from the chord's first note, so a trill or a flood still answers every 30 ms
    // instead of never.
    const bool inChord = chordStart_ && timeMs >= *chordStart_ && timeMs - *chordStart_ < ChordWindowMs;
    if (!inChord)
        chordStart_ = timeMs;

    const Settings& settings = engine_.CurrentSettings();
    const Answer answer = MidiAnswer(note, settings.InputMode);
    const KeyReading reading =
        ReadKey(answer.Key, settings.InputMode, settings.FullRange, settings.Accidentals != NaturalsOnly);
    KeyPress press{Presser::Midi(source), note, velocity, std::nullopt};
    // A key that could answer takes the instrument from the key holding it, as a second mouse press would;
    // only the instruments show keys, and only those within the staves' steps.
    if (!inChord && reading.Problem == IgnoredBecause::Nothing) {
        const bool shown =
            settings.InputMode != NoteButtons && reading.Step >= 0 && reading.Step <= LastStepCode;
        press.Spot = InstrumentSpot{shown ? reading.Step : -1, 0, 0};
    }
    presses_.Press(press);
    if (inChord)
        return IgnoredBecause::Nothing;

    const AnswerResult result = engine_.TakeAnswer(answer);
    if (result.Judged()) {
        reported_.fill(false);
        return IgnoredBecause::Nothing;
    }
    if (result.Why != IgnoredBecause::BlackKey && result.Why != IgnoredBecause::OutsideNotes)
        return IgnoredBecause::Nothing;
    bool& reported = reported_[result.Why == IgnoredBecause::BlackKey ? 0 : 1];
    if (reported)
        return IgnoredBecause::Nothing;
    reported = true;
    return result.Why;
}

void MidiKeyboard::NoteOff(std::uint32_t source, int note) {
    presses_.Release(Presser::Midi(source), note);
}

void MidiKeyboard::ReleaseSource(std::uint32_t source) {
    presses_.ReleaseFrom(Presser::Midi(source));
}

void MidiKeyboard::ReleaseAll() {
    presses_.ReleaseEvery(Presser::Kind::Midi);
}

} // namespace quavix
