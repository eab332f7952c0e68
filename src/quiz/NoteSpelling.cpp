#include "NoteSpelling.h"

#include "MidiNotes.h"

namespace quavix {

namespace {

// One note in this many carries a sign against the key, when the user asks for such notes.
constexpr int AgainstKeyOdds = 5;

bool RareSpelling(char letter, int alteration) {
    return (alteration > 0 && (letter == 'E' || letter == 'B')) ||
           (alteration < 0 && (letter == 'C' || letter == 'F'));
}

// The instrument must be able to sound what is written: the lowest note asked is the lowest key the
// piano on screen and the guitar have, so a flat on it has no key.
bool Playable(const NoteEntry& note, int alteration, InputModes inputMode) {
    const int sounding =
        SpelledKey(note.Step, alteration) - (inputMode == GuitarFrets ? GuitarTransposition : 0);
    return sounding >= ExactNoteRange(inputMode).Lowest;
}

Spelling FreeSpelling(const NoteEntry& note, RandomSource& random) {
    // A third each: sharp, flat, natural.
    const int pick = random.RandomBelow(3);
    const int alteration = pick == 0 ? 1 : pick == 1 ? -1 : 0;
    if (alteration == 0 || RareSpelling(note.Letter, alteration))
        return {};
    return {alteration, alteration > 0 ? NoteSign::Sharp : NoteSign::Flat};
}

Spelling KeySpelling(const NoteEntry& note, bool againstKey, int key, RandomSource& random) {
    const int inKey = KeyAlteration(key, note.Letter);
    int alteration = inKey;
    if (againstKey && random.RandomBelow(AgainstKeyOdds) == 0) {
        // Against the key: a note the key alters turns natural; a natural one takes the sign the key leans
        // to (sharp in sharp keys, flat in flat keys, either in C major).
        if (inKey != 0)
            alteration = 0;
        else if (key != 0)
            alteration = key > 0 ? 1 : -1;
        else
            alteration = random.RandomBelow(2) == 0 ? 1 : -1;
        if (inKey == 0 && RareSpelling(note.Letter, alteration))
            alteration = 0;
    }
    return {alteration, SignFor(alteration, inKey)};
}

} // namespace

int KeyForQuiz(const Settings& settings, RandomSource& random) {
    if (settings.Accidentals != InKey)
        return 0;
    if (settings.KeyEachQuiz)
        return LowestKey + random.RandomBelow(KeyCount);
    return IsKey(settings.Key) ? settings.Key : 0;
}

Spelling SpellNote(const NoteEntry& note, const Settings& settings, int key, RandomSource& random) {
    Spelling spelling;
    if (settings.Accidentals == SharpsAndFlats)
        spelling = FreeSpelling(note, random);
    else if (settings.Accidentals == InKey)
        spelling = KeySpelling(note, settings.AgainstKey, key, random);
    if (spelling.Alteration != 0 && !Playable(note, spelling.Alteration, settings.InputMode))
        return {0, settings.Accidentals == InKey && KeyAlteration(key, note.Letter) != 0 ? NoteSign::Natural
                                                                                         : NoteSign::None};
    return spelling;
}

} // namespace quavix
