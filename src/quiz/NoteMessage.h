#pragma once

namespace quavix {

// What the message beside a missed note tells the user. The quiz only says what happened; whoever shows
// the message words it, in the user's language and with the user's names for the notes.
struct NoteMessage {
    enum class Kind {
        WrongNote,   // another note was picked: Picked and Asked name both
        WrongOctave, // the right note in the wrong octave
        OutOfTime,   // the countdown ran out: Asked names the note
    };
    Kind What = Kind::OutOfTime;
    char Picked = 0; // the letter 'A' to 'G' answered, for a wrong note
    char Asked = 0;  // the letter 'A' to 'G' of the note on the staff
    // How each is spelled: -1 flat, 0 natural, +1 sharp.
    signed char PickedAlteration = 0;
    signed char AskedAlteration = 0;

    bool operator==(const NoteMessage&) const = default;
};

} // namespace quavix
