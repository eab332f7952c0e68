#pragma once

#include "KeySignatures.h"

#include <array>
#include <cstdint>

namespace quavix {

// Which answer control the window shows. The note table and the pool depend on it.
enum InputModes : std::uint8_t { NoteButtons = 0, PianoKeys = 1, GuitarFrets = 2 };

// Which staff the quiz takes its notes from. The numbers are stored with the options, so they never change;
// the choices past AllStaves pair the clefs that players read together (viola: alto and treble; cello,
// bassoon and trombone: tenor and bass).
enum StaffChoices : std::uint8_t {
    TrebleStaff = 0,
    BassStaff = 1,
    AllStaves = 2,
    AltoStaff = 3,
    AltoAndTreble = 4,
    TenorStaff = 5,
    TenorAndBass = 6
};
constexpr int StaffChoiceCount = 7;

// One note that a quiz can ask: what it is judged by (letter and staff step) and how the staff draws it
// (picture index into the note pictures and the y of the picture's top edge).
struct NoteEntry {
    char Letter = 'A';
    std::int32_t Step = 0;
    std::int32_t Top = 0;
    std::uint8_t Glyph = 0;
    // The clef the note is read in (NoteClefs).
    std::uint8_t Clef = 0;
    // y of the top line of the note's staff when the staff draws the note's ledger lines itself; 0 when the
    // picture carries them (the notes the trainer has always asked).
    std::int16_t StaffTop = 0;
    // How the note asked is spelled (-1 flat, +1 sharp) and the sign written before it. The table's rows
    // are the natural notes; the quiz spells each note as it asks it.
    std::int8_t Alteration = 0;
    NoteSign Sign = NoteSign::None;

    friend bool operator==(const NoteEntry&, const NoteEntry&) = default;
};

// y of the top line of each staff in the staff's pixels; the lines are 10 pixels (two steps) apart.
constexpr int TrebleStaffTop = 22; // step 22, F5
constexpr int BassStaffTop = 98;   // step 10, A3
constexpr int StaffLineSpacing = 10;
constexpr int PixelsPerStep = StaffLineSpacing / 2;

constexpr int NoteTableRows = 30;
constexpr int StaffSetRows = 26;
constexpr int GuitarSetRows = 30;

// Rows in the order in which rising levels admit them. Only BuildNoteTable writes it.
using NoteTable = std::array<NoteEntry, NoteTableRows>;

// One letter per row of each set.
inline constexpr char StaffLetters[] = "CCDBEAFGGFAEBDCCDBEAFGGFAE";
inline constexpr char GuitarLetters[] = "EBGDAEFCAEBFGDBFCGAECGDABFDAEB";
static_assert(sizeof(StaffLetters) == StaffSetRows + 1 && sizeof(GuitarLetters) == GuitarSetRows + 1);

// Staff step of every guitar-set row: five groups of six, strings from high E to low E, each group the
// next natural note up every string.
inline constexpr std::array<std::uint8_t, GuitarSetRows> GuitarSteps = {
    21, 18, 16, 13, 10, 7,  22, 19, 17, 14, 11, 8,  23, 20, 18,
    15, 12, 9,  24, 21, 19, 16, 13, 10, 25, 22, 20, 17, 14, 11};

// The letter 'A' + index for index 0 (A) to 6 (G).
char NoteLetter(int index);

// The letter of a staff step: step 0 is E2, step 12 middle C.
char StepLetter(int step);

// Rows from the head of a note picture down to its top edge. The pictures that hang below the treble staff
// (4 to 8) start their ledger lines at row 36, so their offsets put that first line on the ledger line of
// middle C.
int HeadOffset(int glyph);

// Fills rows 0..25 (staff set) or 0..29 (guitar set) for the input mode (an InputModes value, also as an
// answer record stores it). In the staff set rows 26..29 are left as an earlier guitar build left them; no
// non-guitar quiz reads them.
void BuildNoteTable(NoteTable& table, std::uint8_t inputMode);

} // namespace quavix
