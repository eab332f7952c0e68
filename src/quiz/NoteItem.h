#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quavix {

// The clefs a note can be read in. The numbers are stored with the learner's progress, so they never
// change; treble and bass are the same numbers as TrebleStaff and BassStaff.
enum NoteClefs : std::uint8_t {
    TrebleClef = 0,
    BassClef = 1,
    AltoClef = 2,
    TenorClef = 3,
    OctaveTrebleClef = 4
};

// One note as something the reader practises: the clef it is read in, where it stands (the diatonic staff
// step, 0 is E2 and 12 is middle C, outside 0 to 29 where ranges reach further) and how it is spelled
// (-1 flat, 0 natural, +1 sharp; -2 and +2 for double flats and sharps). C4 in the treble clef and C4 in
// the bass clef are two items, and so are F#3 and Gb3: each is read and learned on its own.
struct NoteItem {
    std::uint8_t Clef = TrebleClef;
    std::int16_t Step = 0;
    std::int8_t Alteration = 0;

    friend auto operator<=>(const NoteItem&, const NoteItem&) = default;
};

constexpr int LowestAlteration = -2;
constexpr int HighestAlteration = 2;

// The item's stable text, as stored: "treble:C4", "alto:F#3", "bass:Bb2", "treble8:E3". The octave is in
// scientific pitch notation and may be negative ("bass:B-1"); a clef this version has no name for is
// written "clef7", so that a later version's items survive a round trip. Empty for an alteration outside
// -2 to +2, which names no note.
std::string ItemText(const NoteItem& item);

// The item a text names, or nothing when it is not exactly such a text (leading or trailing blanks, an
// unknown clef word, lower-case letters, a step outside the range of Step).
std::optional<NoteItem> ItemFromText(std::string_view text);

struct NoteItemHash {
    std::size_t operator()(const NoteItem& item) const noexcept {
        // The three fields fit one 32-bit word without overlap, so equal hashes mean equal items.
        const auto word = static_cast<std::uint32_t>(item.Clef) << 24 |
                          static_cast<std::uint32_t>(static_cast<std::uint16_t>(item.Step)) << 8 |
                          static_cast<std::uint32_t>(static_cast<std::uint8_t>(item.Alteration));
        return std::hash<std::uint32_t>{}(word);
    }
};

} // namespace quavix

template <> struct std::hash<quavix::NoteItem> : quavix::NoteItemHash {};
