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
// The signs written before a note and in key signatures: 0 sharp, 1 flat, 2 natural. Each is SignWidth by
// SignHeight, with the staff position it alters (the line or the middle of the space) on row SignCentreRow.
constexpr int SignCount = 3;
constexpr int SignWidth = 7;
constexpr int SignHeight = 30;
constexpr int SignCentreRow = 15;
constexpr QPoint PointingHandHotSpot{13, 7};
constexpr QRgb NoteGrey = 0x7B7B7B;

} // namespace quavix::Artwork
