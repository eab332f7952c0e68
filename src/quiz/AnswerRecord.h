#pragma once

#include "NoteTable.h"

#include <cstdint>
#include <string>

namespace quavix {

enum class Outcome : std::uint8_t { Right = 0, Wrong = 1, TimedOut = 2 };

// A note as the reader sees it: where it stands (staff step, 0 is E2), in which clef (its staff's number,
// which is also its NoteClefs number) and how it is spelled (-1 flat, 0 natural, +1 sharp). Middle C on the
// treble staff reads differently from middle C on the bass staff, and F sharp from G flat, so each is a
// note of its own here: the same three things as a NoteItem.
struct NoteKey {
    std::uint8_t Staff = TrebleStaff;
    std::int32_t Step = 0;
    std::int8_t Alteration = 0;

    friend bool operator==(const NoteKey&, const NoteKey&) = default;
    friend bool operator<(const NoteKey& a, const NoteKey& b) {
        if (a.Staff != b.Staff)
            return a.Staff < b.Staff;
        return a.Step != b.Step ? a.Step < b.Step : a.Alteration < b.Alteration;
    }
};

// One note of a quiz and what became of it.
struct AnswerRecord {
    std::int64_t QuizStartedMs = 0; // wall clock (ms since 1970, UTC) when its quiz began: names the quiz
    std::int64_t AnsweredMs = 0;    // wall clock of the answer or the time-out
    std::uint8_t InputMode = NoteButtons;
    std::int32_t Row = 0;
    std::int32_t Step = 0;
    std::uint8_t Staff = TrebleStaff;
    Outcome Result = Outcome::Right;
    std::int32_t Answered = NoAnswer; // the answer code that decided it, NoAnswer when time ran out
    std::int32_t Milliseconds = 0;    // from the note appearing to the answer or time-out
    std::int8_t Alteration = 0;       // how the note was spelled: -1 flat, 0 natural, +1 sharp
    // The key signature written after the clef (sharps +, flats -).
    std::int8_t KeySignature = NoKeySignature;

    static constexpr std::int32_t NoAnswer = -1;
    // The note was asked with no key signature: naturals, or free sharps and flats.
    static constexpr std::int8_t NoKeySignature = -128;

    NoteKey Key() const { return {Staff, Step, Alteration}; }
    friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;
};

// The staff a note table row is written on: guitar notes on the treble staff, staff-set rows by their
// parity (even rows climb the treble staff, odd rows fall down the bass staff).
std::uint8_t StaffOfRow(int row, std::uint8_t inputMode);

// "C4" for step 12: the letter and the octave in scientific pitch notation.
std::string PitchName(int step);
// The step of a pitch name, or -1 when it names no step from 0 to 29.
int StepOfPitchName(const std::string& name);

} // namespace quavix
