#include "StaffPlan.h"

#include "Settings.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace quavix {

namespace {

constexpr int GrandUpperTop = TrebleStaffTop;
constexpr int GrandLowerTop = BassStaffTop;
constexpr int StaffHeight = 4 * StaffLineSpacing;
constexpr int MiddleC = 12;
constexpr int StemDownFrom = 5; // notes above the middle line hang their stems down
constexpr int StemUpGlyph = 0;
constexpr int StemDownGlyph = 2;

bool RangeSet(const Settings& settings, std::uint8_t clef) {
    return clef < RangedClefCount && !settings.Ranges[clef].Empty();
}

StepRange Positions(std::uint8_t clef, int lowest, int highest) {
    return {StepAtPosition(clef, lowest), StepAtPosition(clef, highest)};
}

StepRange Intersect(const StepRange& a, const StepRange& b) {
    return {std::max(a.Lowest, b.Lowest), std::min(a.Highest, b.Highest)};
}

// The order in which rising levels admit a clef's notes: treble and bass grow from middle C away from each
// other, as they always have, and run on past middle C last; the C clefs grow from middle C both ways.
int LevelRank(std::uint8_t clef, int step) {
    const int distance = std::abs(step - MiddleC);
    constexpr int OtherSide = 1000;
    switch (clef) {
    case TrebleClef:
        return step >= MiddleC ? distance : OtherSide + distance;
    case BassClef:
        return step <= MiddleC ? distance : OtherSide + distance;
    default:
        return 2 * distance + (step < MiddleC ? 1 : 0);
    }
}

char LetterOfStep(int step) {
    return StepLetter(((step % 7) + 7) % 7);
}

struct ClefRow {
    int Level;
    int Staff;
    int Order;
    NoteEntry Entry;
};

NoteEntry EntryFor(std::uint8_t clef, int step, int staffTop) {
    NoteEntry entry;
    entry.Letter = LetterOfStep(step);
    entry.Step = step;
    const int position = StaffPosition(clef, step);
    entry.Glyph = position >= StemDownFrom ? StemDownGlyph : StemUpGlyph;
    const int headY = staffTop + StaffHeight - PixelsPerStep * position;
    entry.Top = headY - HeadOffset(entry.Glyph);
    entry.Clef = clef;
    entry.StaffTop = static_cast<std::int16_t>(staffTop);
    return entry;
}

} // namespace

int StaffPlan::StaffTop(int staff) const {
    if (Layout == StaffLayout::Single)
        return SingleStaffTop;
    return staff == 0 ? GrandUpperTop : GrandLowerTop;
}

StaffPlan PlanFor(const Settings& settings) {
    StaffPlan plan;
    if (settings.InputMode == GuitarFrets) {
        plan.Clefs[0] = settings.OctaveTreble ? OctaveTrebleClef : TrebleClef;
        plan.Asked = {true, false};
        return plan;
    }
    auto single = [&plan](std::uint8_t clef) {
        plan.Layout = StaffLayout::Single;
        plan.Clefs = {clef, clef};
        plan.Asked = {true, false};
    };
    switch (settings.StaffChoice) {
    case TrebleStaff:
        // A chosen range gets a staff of its own with room for its ledger lines.
        if (RangeSet(settings, TrebleClef))
            single(TrebleClef);
        else
            plan.Asked = {true, false};
        break;
    case BassStaff:
        if (RangeSet(settings, BassClef))
            single(BassClef);
        else
            plan.Asked = {false, true};
        break;
    case AltoStaff:
        single(AltoClef);
        break;
    case TenorStaff:
        single(TenorClef);
        break;
    case AltoAndTreble:
        plan.Clefs = {TrebleClef, AltoClef};
        break;
    case TenorAndBass:
        plan.Clefs = {TenorClef, BassClef};
        break;
    default:
        break;
    }
    return plan;
}

bool UsesClefSet(const Settings& settings) {
    if (settings.InputMode == GuitarFrets)
        return false;
    if (settings.StaffChoice > AllStaves)
        return true;
    const bool treble = settings.StaffChoice != BassStaff;
    const bool bass = settings.StaffChoice != TrebleStaff;
    return (treble && RangeSet(settings, TrebleClef)) || (bass && RangeSet(settings, BassClef));
}

StepRange DefaultRange(std::uint8_t clef) {
    switch (clef) {
    case BassClef:
        return {0, 12}; // E2 to middle C
    case AltoClef:
        return {5, 19}; // C3 to C5
    case TenorClef:
        return {5, 17}; // C3 to A4
    default:
        return {12, 24}; // middle C to A5
    }
}

StepRange DrawableRange(std::uint8_t clef, StaffLayout layout, int staff) {
    // Answers and the kept history name the steps from E2 to F6 (answer codes 0 to 29), so a range stays
    // among them even where the staff could draw further: the bass and tenor staves stop at E2, the treble
    // staff at F6.
    constexpr StepRange NamedSteps{0, 29};
    if (layout == StaffLayout::Single)
        return Intersect(Positions(clef, -8, 16), NamedSteps);
    return Intersect(staff == 0 ? Positions(clef, -4, 10) : Positions(clef, -2, 12), NamedSteps);
}

StepRange WidestRange(std::uint8_t clef) {
    return DrawableRange(clef, StaffLayout::Single, 0);
}

RangeProblem CheckRange(const StepRange& range, const StepRange& drawable) {
    if (range.Count() < 2)
        return RangeProblem::TooFewNotes;
    if (range.Lowest < drawable.Lowest || range.Highest > drawable.Highest)
        return RangeProblem::BeyondStaff;
    return RangeProblem::None;
}

StepRange RangeInForce(const Settings& settings, const StaffPlan& plan, int staff) {
    const std::uint8_t clef = plan.Clefs[static_cast<std::size_t>(staff)];
    const StepRange drawable = DrawableRange(clef, plan.Layout, staff);
    if (RangeSet(settings, clef)) {
        // A range kept from a larger staff asks what this one can draw of it.
        const StepRange drawn = Intersect(settings.Ranges[clef], drawable);
        if (drawn.Count() >= 2)
            return drawn;
    }
    return Intersect(DefaultRange(clef), drawable);
}

std::vector<ChoosableStaff> ChoosableStaves(const Settings& settings) {
    // A range on a staff of its own is drawn on the single staff, with room for four ledger lines.
    Settings ranged = settings;
    for (std::uint8_t clef : {TrebleClef, BassClef})
        if (ranged.Ranges[clef].Empty())
            ranged.Ranges[clef] = DefaultRange(clef);
    const StaffPlan plan = PlanFor(ranged);
    std::vector<ChoosableStaff> staves;
    for (int staff = 0; staff < plan.StaffCount(); ++staff) {
        if (!plan.Asked[static_cast<std::size_t>(staff)])
            continue;
        const std::uint8_t clef = plan.Clefs[static_cast<std::size_t>(staff)];
        staves.push_back({clef, DrawableRange(clef, plan.Layout, staff), RangeInForce(ranged, plan, staff)});
    }
    return staves;
}

int NotesAtLevel(int level, int notesInRange) {
    const int wanted = (notesInRange * (std::clamp(level, MinLevel, MaxLevel) + 1) + 12) / 13;
    return std::clamp(wanted, std::min(2, notesInRange), notesInRange);
}

LevelPools BuildClefTable(NoteTable& table, const Settings& settings) {
    const StaffPlan plan = PlanFor(settings);
    std::vector<ClefRow> rows;
    for (int staff = 0; staff < plan.StaffCount(); ++staff) {
        if (!plan.Asked[static_cast<std::size_t>(staff)])
            continue;
        const std::uint8_t clef = plan.Clefs[static_cast<std::size_t>(staff)];
        const StepRange range = RangeInForce(settings, plan, staff);
        std::vector<int> steps;
        for (int step = range.Lowest; step <= range.Highest; ++step)
            steps.push_back(step);
        std::stable_sort(steps.begin(), steps.end(),
                         [clef](int a, int b) { return LevelRank(clef, a) < LevelRank(clef, b); });
        const int count = static_cast<int>(steps.size());
        for (int order = 0; order < count; ++order) {
            int level = MinLevel;
            while (level < MaxLevel && NotesAtLevel(level, count) <= order)
                ++level;
            rows.push_back(
                {level, staff, order, EntryFor(clef, steps[std::size_t(order)], plan.StaffTop(staff))});
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const ClefRow& a, const ClefRow& b) {
        return a.Level != b.Level   ? a.Level < b.Level
               : a.Order != b.Order ? a.Order < b.Order
                                    : a.Staff < b.Staff;
    });
    if (rows.size() > table.size())
        rows.resize(table.size()); // no layout's ranges hold more; a table never overflows
    LevelPools pools{};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        table[row] = rows[row].Entry;
        for (int level = rows[row].Level; level <= MaxLevel; ++level)
            ++pools[static_cast<std::size_t>(level)];
    }
    return pools;
}

bool NoteSetDiffers(const Settings& now, const Settings& before) {
    return (now.InputMode == GuitarFrets) != (before.InputMode == GuitarFrets) ||
           now.StaffChoice != before.StaffChoice || now.Ranges != before.Ranges ||
           now.OctaveTreble != before.OctaveTreble;
}

} // namespace quavix
