#pragma once

#include "Clefs.h"
#include "NoteTable.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quavix {

struct Settings;

// How the staff picture is laid out. The grand staff is the one the trainer has always drawn: an upper
// staff with its top line at y 22 and a lower one at y 98. A single staff stands in the middle of the
// picture, which leaves room for four ledger lines above and below it.
enum class StaffLayout : std::uint8_t { Grand, Single };

constexpr int SingleStaffTop = 59;

// The staves a quiz is drawn on and asks from, from the settings.
struct StaffPlan {
    StaffLayout Layout = StaffLayout::Grand;
    // The clef of the upper and the lower staff (the single staff is the upper one). In the grand staff a
    // staff the quiz leaves out still stands there, its clef drawn grey.
    std::array<std::uint8_t, 2> Clefs{TrebleClef, BassClef};
    std::array<bool, 2> Asked{true, true};
    int StaffCount() const { return Layout == StaffLayout::Single ? 1 : 2; }
    // y of the top line of staff 0 (upper) or 1 (lower).
    int StaffTop(int staff) const;

    friend bool operator==(const StaffPlan&, const StaffPlan&) = default;
};

StaffPlan PlanFor(const Settings& settings);

// Whether the quiz asks from the clef set (a clef other than treble and bass, or a range the user chose)
// rather than the note set the trainer has always asked. The guitar keeps its own notes.
bool UsesClefSet(const Settings& settings);

// The range a clef asks when the user has not chosen one.
StepRange DefaultRange(std::uint8_t clef);
// The widest range a staff of the plan can draw, every ledger line included: the grand staff has room for
// one ledger line above its upper staff, two between the staves and one below; the single staff for four
// above and below. Either stays within E2 to F6, the notes an answer can name.
StepRange DrawableRange(std::uint8_t clef, StaffLayout layout, int staff);
// The widest range any layout can draw for the clef: what a stored range may hold.
StepRange WidestRange(std::uint8_t clef);

// Why a range cannot be asked, or None.
enum class RangeProblem : std::uint8_t { None, TooFewNotes, BeyondStaff };
RangeProblem CheckRange(const StepRange& range, const StepRange& drawable);

// The range a staff of the plan asks: the user's where it is set and can be drawn, the clef's own
// otherwise, both within what the staff can draw.
StepRange RangeInForce(const Settings& settings, const StaffPlan& plan, int staff);

// A staff whose range the user may choose under the settings' staff choice: its clef, how far its range
// may reach on the staff it will be drawn on, and the range it asks now.
struct ChoosableStaff {
    std::uint8_t Clef = TrebleClef;
    StepRange Reach;
    StepRange Current;
};
std::vector<ChoosableStaff> ChoosableStaves(const Settings& settings);

// How many of a staff's notes a level admits: a twelfth of the way more at each level, never fewer than
// two, so the notes of a range of 13 come in one a level as the trainer has always admitted them.
int NotesAtLevel(int level, int notesInRange);

// Fills the note table with the clef set of the settings, in the order rising levels admit its rows, and
// returns how many rows each level admits (index 1 to 12).
using LevelPools = std::array<int, 13>;
LevelPools BuildClefTable(NoteTable& table, const Settings& settings);

// Whether a change of the settings changes the notes the table holds.
bool NoteSetDiffers(const Settings& now, const Settings& before);

} // namespace quavix
