#pragma once

#include "KeySignatures.h"
#include "NoteNames.h"
#include "NoteTable.h"
#include "StepRange.h"

#include <array>
#include <cstdint>
#include <string>

namespace quavix {

constexpr int MinLevel = 1;
constexpr int MaxLevel = 12;
constexpr int LeastListenToleranceCents = 25;
constexpr int MostListenToleranceCents = 80;
// The quiz lengths on offer; a quiz of UntilStopped notes runs until the user ends it.
constexpr std::int32_t UntilStopped = 0;
constexpr std::int32_t QuizLengths[] = {10, 20, 50, UntilStopped};

// The choices that decide what the trainer shows and asks: which answer control, which staff, how much of
// the piano, the quiz's level, whether the notes are heard, and how they are named. One value holds them;
// the engine and the views read it, and it changes in one place, which tells whoever must follow.
struct Settings {
    InputModes InputMode = NoteButtons;
    StaffChoices StaffChoice = TrebleStaff;
    bool FullRange = false;
    std::int32_t Level = MinLevel;
    bool Sound = false; // notes and keys are heard; asked for, and kept only while sound can be had
    // Ask the notes that were missed or slow more often (off: every allowed note alike).
    bool PractiseWeakNotes = false;
    // Choose each note by what the reader has mastered, so about four answers in five come right; it and
    // the weak notes exclude each other (both off: every allowed note alike).
    bool AdaptivePractice = false;
    // Notes in a quiz: 10, 20 or 50, or UntilStopped for a quiz that runs until End Quiz.
    std::int32_t QuizLength = 20;
    // Keep the answers and these settings for the next start (off: the program writes nothing).
    bool KeepProgress = false;
    // How notes are named on the buttons and in the messages, and which keys answer them.
    NoteNamings NoteNaming = LetterNames;
    // The guitar's notes are written in the treble clef with the small 8 below, which says they sound an
    // octave lower (off: the plain treble clef).
    bool OctaveTreble = false;
    // The lowest and highest note asked on each clef's staff, indexed by clef (treble, bass, alto, tenor);
    // an empty range asks the staff's own.
    std::array<StepRange, RangedClefCount> Ranges{};
    // Answer by playing or singing into the microphone; off, no audio input is opened.
    bool Listen = false;
    // How far from a key a heard pitch may lie and still be that key, in cents (25 to 80).
    std::int32_t ListenToleranceCents = 50;
    // A sung note answers in any octave, as voices lie where they lie.
    bool ListenSinging = false;
    // The input listened to, by the id the system gives it; empty for the system's default. Kept while the
    // input is unplugged, so listening goes back to it when it returns.
    std::string ListenInput = {};
    // Naturals only, notes with sharps and flats, or notes in a key with its signature.
    AccidentalChoices Accidentals = NaturalsOnly;
    std::int32_t Key = 0;     // the key in force, by its sharps (+) or flats (-)
    bool KeyEachQuiz = false; // a different key for each quiz, in place of Key
    bool AgainstKey = false;  // now and then a note with a sign against the key

    friend bool operator==(const Settings&, const Settings&) = default;
};

// What an option command chooses, as the command carries it: the setting and its value. Sound, the two
// progress options, listening and singing switch over, so they need no value.
struct OptionChoice {
    enum class Option : std::uint8_t {
        InputMode,
        Staff,
        Range, // 0 the single octave, 1 the full range
        NoteNames,
        Level,
        Sound,
        PractiseWeakNotes,
        KeepProgress,
        Listen,
        ListenTolerance, // in cents, 25 to 80
        ListenSinging,
        AdaptivePractice,
        QuizLength, // the number of notes, or UntilStopped
        Accidentals,
        Key, // -7..7 a key by its signature, EveryQuizKey a different key each quiz; both ask notes in it
        AgainstKey,   // switches over
        OctaveTreble, // 0 the plain treble clef for the guitar, 1 the octave-treble clef
        NoteRange,    // a clef's range, as RangeChoice packs it
    };
    static constexpr std::int32_t EveryQuizKey = 8;
    Option What = Option::InputMode;
    std::int32_t Value = 0;

    friend bool operator==(const OptionChoice&, const OptionChoice&) = default;
};

// The settings a choice leads to. The guitar's notes are all written on the treble staff and answered
// exactly; a value out of range (a level beyond 1..12, an unknown mode) changes nothing.
Settings Choose(Settings settings, const OptionChoice& choice);

// The choice of a clef's range (an empty range: the staff's own). Choose refuses a range that leaves fewer
// than two notes or reaches beyond what a staff can draw, and keeps a range equal to the staff's own as
// empty, so that it asks exactly what no range asks.
OptionChoice RangeChoice(std::uint8_t clef, const StepRange& range);

// The piano's layout: the single octave, or the full range of the staff in use (treble, bass, all notes;
// all notes for the other clefs and for ranges of the user's).
std::uint8_t KeyboardLayoutFor(const Settings& settings);

} // namespace quavix
