#pragma once

#include "NoteNames.h"
#include "NoteTable.h"

#include <cstdint>

namespace quavix {

// Where an answer came from. The engine judges every source by the same rules; the source only says what
// the answer is made of and is kept for whoever reacts to the verdict.
enum class AnswerSource : std::uint8_t {
    NoteButton, // a letter button under the staff
    TypedKey,   // a character typed anywhere in the window
    Piano,      // a key of the piano on screen
    Guitar,     // a fret of the guitar on screen
    MidiKey,    // a key of a MIDI keyboard
    Heard,      // a note played or sung into the microphone
};

// One answer, as the user gave it. Either a named note (a letter; its sign will follow) that must match
// the note as it is written, or a sounded key: an exact pitch, of which the mode in force decides whether
// the octave counts (the full-range piano and the guitar) or only the note's name (note buttons and the
// single-octave piano).
struct Answer {
    enum class Kind : std::uint8_t { NamedNote, SoundedKey };

    Kind What = Kind::NamedNote;
    AnswerSource From = AnswerSource::NoteButton;
    char Letter = 0; // NamedNote: 'A' to 'G'; anything else names no note
    // SoundedKey: the pitch as the staff writes it, numbered as MIDI keys are (60 is middle C). An
    // instrument written an octave above its sound (the guitar) gives its sounding key plus 12.
    std::int32_t Key = -1;
    // NamedNote: the sign said with the letter, -1 flat, 0 none, +1 sharp.
    std::int8_t Alteration = 0;

    static Answer Named(char letter, AnswerSource from, int alteration = 0) {
        return {Kind::NamedNote, from, letter, -1, static_cast<std::int8_t>(alteration)};
    }
    static Answer Sounded(int writtenKey, AnswerSource from) {
        return {Kind::SoundedKey, from, 0, writtenKey};
    }

    friend bool operator==(const Answer&, const Answer&) = default;
};

// What became of an answer.
enum class Verdict : std::uint8_t {
    Right,       // the note asked: its points, and the quiz moves on
    WrongNote,   // another note: the message names both
    WrongOctave, // the right note in another octave (where the octave counts)
    TooLate,     // the note's time had run out; its message is still showing
    Ignored,     // not judged at all, for the reason in Why
};

// Why an answer was not judged.
enum class IgnoredBecause : std::uint8_t {
    Nothing,        // it was judged
    NotRunning,     // no quiz runs
    AnswersHeld,    // a modal box or an open menu has the user's attention
    MessageShowing, // the message about a wrong answer is still showing
    NotANote,       // it names no note (a typed key of no note, a letter out of range, a bad sign)
    BlackKey,       // every note asked is a natural, so only white keys answer
    OutsideNotes,   // an instrument that judges exact notes cannot judge a key so far from its notes
};

struct AnswerResult {
    Verdict What = Verdict::Ignored;
    IgnoredBecause Why = IgnoredBecause::NotRunning;
    std::int32_t AskedStep = -1; // staff step of the note that stood on the staff, when one did
    std::int32_t Code = -1;      // the AnswerCode it was recorded with, when it was judged

    bool Judged() const { return What <= Verdict::WrongOctave; }
    friend bool operator==(const AnswerResult&, const AnswerResult&) = default;
};

// How a sounded key reads in the mode in force: its written staff step (-1 for a black key), whether its
// octave counts, and what keeps it from being an answer there (Nothing when it is one). The engine judges
// by it, and a MIDI key takes the instrument on screen only when it reads as an answer. Black keys answer
// only when the quiz asks sharps and flats; then a flat on the lowest note (E flat below the piano's
// lowest key) can still come from a MIDI keyboard.
struct KeyReading {
    std::int32_t Step = -1;
    bool Exact = false;
    IgnoredBecause Problem = IgnoredBecause::Nothing;
};
KeyReading ReadKey(int writtenKey, InputModes inputMode, bool fullRange, bool blackKeysAnswer = false);

// The adapters of the answer sources that carry no state: each turns its event into an answer.
// A note button, 0 (A) to 6 (G), with the sign pressed before it.
Answer NoteButtonAnswer(int index, int alteration = 0);
// A typed character, by the keys of the naming; a character of no note gives an answer of no note. The
// alteration is the sign typed with it, if any.
Answer TypedAnswer(char typed, NoteNamings naming, int alteration = 0);
// The sign a typed character says before a letter: '#' or '+' a sharp, '-' a flat; 0 for any other.
int TypedSign(char typed);

// The sign said before the next letter, by the sharp and flat buttons or typed. Pressing a sign again
// takes it back; the letter that follows takes it.
class PendingSign {
public:
    void Press(int alteration) { alteration_ = alteration_ == alteration ? 0 : alteration; }
    int Pending() const { return alteration_; }
    int Take() {
        const int alteration = alteration_;
        alteration_ = 0;
        return alteration;
    }

private:
    int alteration_ = 0;
};

// A key or fret released on the instrument on screen, at its written staff step (a black key or fret
// with an alteration of +1 above the natural step).
Answer InstrumentAnswer(int step, InputModes inputMode, int alteration = 0);
// A MIDI key, as it sounds; on the guitar it stands for the note written an octave above.
Answer MidiAnswer(int note, InputModes inputMode);

} // namespace quavix
