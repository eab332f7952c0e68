#pragma once

// What the program's pictures are: how many of each kind, and the few points and colours that the code
// drawing them and the code showing them must agree on.

#include <QPoint>
#include <QRgb>

namespace quavix::Artwork {

// 0 black bass, 1 black treble, 2 grey bass, 3 grey treble, then the clefs that are never drawn grey (their
// staves are always asked): the alto and tenor C clefs and the treble clef with the 8 below.
constexpr int ClefCount = 7;
constexpr int AltoClefPicture = 4;
constexpr int TenorClefPicture = 5;
constexpr int OctaveTreblePicture = 6;
constexpr int NoteCount = 10;  // indexed by a note table row's Glyph
constexpr int LetterCount = 7; // A..G
// The other names a note button shows: 0 the German H, 1..7 the syllables of A..G (La Si Do Re Mi Fa Sol),
// then the syllables a language writes with an accent: 8 Ré, as French writes the syllable of D.
constexpr int NameCount = 9;
constexpr int AccentedRe = 8;
constexpr int ToolbarIconCount = 10;
constexpr QPoint PointingHandHotSpot{13, 7};
constexpr QRgb NoteGrey = 0x7B7B7B;

} // namespace quavix::Artwork
