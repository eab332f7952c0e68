#include "SignPlacement.h"

#include "Clefs.h"
#include "artwork/PictureSet.h"

#include <algorithm>
#include <array>

namespace quavix {

namespace {

constexpr int SignatureLeft = 39; // clear of the clef pictures, which end at x 35
constexpr int SharpAdvance = 8;
constexpr int FlatAdvance = 7;
constexpr int FirstNoteX = 54; // where the quiz places its first note
constexpr int LastNoteX = 244; // and its last
constexpr int NoteHeadLeft = 4;

// Staff positions (0 the bottom line, 8 the top line) of the signs in the order they are written, in the
// treble clef: sharps F C G D A E B climbing and falling within the staff from the top line, flats B E A D
// G C F from the middle line. The bass clef writes the same pattern two positions lower, the alto clef one
// lower and the tenor clef's flats one higher. The tenor clef's sharps would leave the staff with it (their
// F is above the top line), so they start on the second line and climb: up a fourth, down a fifth.
constexpr std::array<int, 7> TrebleSharpPositions = {8, 5, 9, 6, 3, 7, 4};
constexpr std::array<int, 7> TrebleFlatPositions = {4, 7, 3, 6, 2, 5, 1};
constexpr std::array<int, 7> TenorSharpPositions = {2, 6, 3, 7, 4, 8, 5};

// How far a clef's signs lie from the treble clef's, in staff positions.
int PatternShift(std::uint8_t clef) {
    switch (clef) {
    case BassClef:
        return -2;
    case AltoClef:
        return -1;
    case TenorClef:
        return 1;
    default:
        return 0; // the treble and the octave-treble clef
    }
}

} // namespace

std::vector<PlacedSign> KeySignatureSigns(int fifths, std::uint8_t clef) {
    std::vector<PlacedSign> signs;
    if (!IsKey(fifths))
        return signs;
    const bool sharps = fifths > 0;
    const bool tenorSharps = sharps && clef == TenorClef;
    const auto& positions = tenorSharps ? TenorSharpPositions
                            : sharps    ? TrebleSharpPositions
                                        : TrebleFlatPositions;
    const int shift = tenorSharps ? 0 : PatternShift(clef);
    const int advance = sharps ? SharpAdvance : FlatAdvance;
    const int count = sharps ? fifths : -fifths;
    for (int i = 0; i < count; ++i)
        signs.push_back({sharps ? NoteSign::Sharp : NoteSign::Flat,
                         StepAtPosition(clef, positions[std::size_t(i)] + shift),
                         SignatureLeft + i * advance});
    return signs;
}

int KeySignatureEnd(int fifths) {
    const std::vector<PlacedSign> signs = KeySignatureSigns(fifths, TrebleClef);
    return signs.empty() ? SignatureLeft : signs.back().X + Artwork::SignWidth;
}

int NoteLeftFor(int x, int fifths) {
    // The sign of the first note keeps two columns clear of the signature.
    const int first = std::max(FirstNoteX, KeySignatureEnd(fifths) + 2 + SignRoom);
    if (first == FirstNoteX)
        return x;
    return first + (x - FirstNoteX) * (LastNoteX - first) / (LastNoteX - FirstNoteX);
}

} // namespace quavix
