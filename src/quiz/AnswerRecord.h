#pragma once

#include "NoteTable.h"

#include <cstdint>
#include <string>

namespace quavix {

enum class Outcome : std::uint8_t { Right = 0, Wrong = 1, TimedOut = 2 };

// A note as the reader sees it: where it stands (staff step, 0 is E2) and on which staff (TrebleStaff or
// BassStaff). Middle C on the treble staff reads differently from middle C on the bass staff, so they are
// two notes here.
struct NoteKey {
    std::uint8_t Staff = TrebleStaff;
    std::int32_t Step = 0;

    friend bool operator==(const NoteKey&, const NoteKey&) = default;
    friend bool operator<(const NoteKey& a, const NoteKey& b) {
        return a.Staff != b.Staff ? a.Staff < b.Staff : a.Step < b.Step;
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

    static constexpr std::int32_t NoAnswer = -1;

    NoteKey Key() const { return {Staff, Step}; }
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
