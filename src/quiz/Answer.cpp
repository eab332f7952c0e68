#include "Answer.h"

#include "MidiNotes.h"

namespace quavix {

Answer NoteButtonAnswer(int index, int alteration) {
    return Answer::Named(index >= 0 && index < 7 ? NoteLetter(index) : char(0), AnswerSource::NoteButton,
                         alteration);
}

int TypedSign(char typed) {
    // Apart from every naming's answer keys: none of them is a letter, so 'b' stays the note B.
    if (typed == '#' || typed == '+')
        return 1;
    return typed == '-' ? -1 : 0;
}

Answer TypedAnswer(char typed, NoteNamings naming, int alteration) {
    return Answer::Named(LetterForKey(typed, naming), AnswerSource::TypedKey, alteration);
}

Answer InstrumentAnswer(int step, InputModes inputMode, int alteration) {
    return Answer::Sounded(MidiNoteOfStep(step) + alteration,
                           inputMode == GuitarFrets ? AnswerSource::Guitar : AnswerSource::Piano);
}

Answer MidiAnswer(int note, InputModes inputMode) {
    return Answer::Sounded(note + (inputMode == GuitarFrets ? GuitarTransposition : 0),
                           AnswerSource::MidiKey);
}

KeyReading ReadKey(int writtenKey, InputModes inputMode, bool fullRange, bool blackKeysAnswer) {
    KeyReading reading;
    reading.Exact = inputMode != NoteButtons && fullRange;
    const std::optional<int> step = WhiteKeyStep(writtenKey);
    if (!step && !blackKeysAnswer) {
        reading.Problem = IgnoredBecause::BlackKey;
        return reading;
    }
    reading.Step = step.value_or(-1);
    // The range is the one the instrument sounds; the written key stands an octave above on the guitar.
    const MidiNoteRange range = ExactNoteRange(inputMode);
    const int sounding = writtenKey - (inputMode == GuitarFrets ? GuitarTransposition : 0);
    const int lowest = range.Lowest - (blackKeysAnswer ? 1 : 0);
    if (reading.Exact && (sounding < lowest || sounding > range.Highest))
        reading.Problem = IgnoredBecause::OutsideNotes;
    return reading;
}

} // namespace quavix
