#include "SignPlacement.h"

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

// Treble staff steps of the signs in the order they are written: sharps F C G D A E B climbing and falling
// within the staff from the top line, flats B E A D G C F from the middle line. The bass clef writes the
// same pattern two octaves (fourteen steps) lower.
constexpr std::array<int, 7> TrebleSharpSteps = {22, 19, 23, 20, 17, 21, 18};
constexpr std::array<int, 7> TrebleFlatSteps = {18, 21, 17, 20, 16, 19, 15};
constexpr int BassBelowTreble = 14;

} // namespace

std::vector<PlacedSign> KeySignatureSigns(int fifths, bool treble) {
    std::vector<PlacedSign> signs;
    if (!IsKey(fifths))
        return signs;
    const bool sharps = fifths > 0;
    const auto& steps = sharps ? TrebleSharpSteps : TrebleFlatSteps;
    const int advance = sharps ? SharpAdvance : FlatAdvance;
    const int count = sharps ? fifths : -fifths;
    for (int i = 0; i < count; ++i)
        signs.push_back({sharps ? NoteSign::Sharp : NoteSign::Flat,
                         steps[std::size_t(i)] - (treble ? 0 : BassBelowTreble),
                         SignatureLeft + i * advance});
    return signs;
}

int KeySignatureEnd(int fifths) {
    const std::vector<PlacedSign> signs = KeySignatureSigns(fifths, true);
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
