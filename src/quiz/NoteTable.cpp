#include "NoteTable.h"

#include <string_view>

namespace quavix {

namespace {

std::uint8_t GlyphFor(int step, int row, bool guitar) {
    if (step == 0 || step == 12)
        return (!guitar && row == 1) ? 3 : 1;
    if ((step >= 1 && step <= 5) || (step >= 13 && step <= 18))
        return 0;
    if (step == 6 || (step >= 19 && step <= 23))
        return 2;
    if (step >= 7 && step <= 11)
        // Low guitar notes hang below the treble staff and need ledger lines: pictures 8 down to 4.
        return guitar ? static_cast<std::uint8_t>(15 - step) : 2;
    if (step == 24)
        return 3;
    return 9; // step 25, the only other step either set holds
}

} // namespace

char NoteLetter(int index) {
    return static_cast<char>('A' + index);
}

char StepLetter(int step) {
    return NoteLetter((step + 4) % 7);
}

int HeadOffset(int glyph) {
    // A head on (or in the space below) the k-th ledger line under the treble staff lies 10 k (or 10 k + 5)
    // rows below row 36; the picture's own first ledger line then falls on y 72, where middle C's lies.
    static constexpr int offsets[] = {36, 36, 6, 6, 41, 46, 51, 56, 61, 6};
    return glyph >= 0 && glyph < 10 ? offsets[glyph] : 0;
}

void BuildNoteTable(NoteTable& table, std::uint8_t inputMode) {
    const bool guitar = inputMode == GuitarFrets;
    const std::string_view letters =
        guitar ? std::string_view(GuitarLetters) : std::string_view(StaffLetters);
    const int rows = static_cast<int>(letters.size());
    for (int i = 0; i < rows; ++i) {
        NoteEntry& entry = table[i];
        entry.Letter = letters[i];
        if (guitar) {
            entry.Step = GuitarSteps[i];
        } else {
            // Even rows climb from middle C on the treble staff, odd rows fall from it on the bass staff.
            const int h = i / 2 + 12;
            entry.Step = (i % 2 == 0) ? h : 24 - h;
        }
        entry.Glyph = GlyphFor(entry.Step, i, guitar);
        const bool treble = guitar || (entry.Step >= 12 && i != 1);
        entry.Clef = treble ? 0 : 1; // the treble or the bass clef
        entry.StaffTop = 0;
        const int headY = treble ? TrebleStaffTop + PixelsPerStep * (22 - entry.Step)
                                 : BassStaffTop + PixelsPerStep * (10 - entry.Step);
        entry.Top = headY - HeadOffset(entry.Glyph);
    }
}

} // namespace quavix
