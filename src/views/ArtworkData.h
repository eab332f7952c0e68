#pragma once

// The pictures' pixels, drawn while the program was built: the artwork baker (tools/ArtworkBaker.cpp) runs
// the drawing code in artwork/ and writes ArtworkData.cpp into the build folder. Each picture is a row-major
// array of ARGB32 values (0xAARRGGBB), width * height of them, in device pixels.

#include "Artwork.h"

#include <cstdint>
#include <iterator>

namespace quavix::ArtworkData {

struct Picture {
    int width;
    int height;
    const std::uint32_t* pixels;
};

// Everything drawn for one device pixel ratio. The staff's pictures come once per row phase (see
// PixelGrid::Period): entry phase * count + index was drawn for the rows whose remainder by the period is
// that phase.
struct RatioSet {
    double ratio;
    int period;
    const Picture* clefs; // period * Artwork::ClefCount
    const Picture* notes; // period * Artwork::NoteCount
    const Picture* letters;
    const Picture* disabledLetters;
    const Picture* names; // Artwork::NameCount of them
    const Picture* disabledNames;
    const Picture* toolbarIcons;
    const Picture* disabledToolbarIcons;
    const Picture* timer;
    const Picture* logo;
    const Picture* pointingHand;
    const Picture* question;
};

constexpr double BakedRatios[] = {1.0, 1.25, 1.5, 2.0, 3.0};
constexpr int BakedRatioCount = int(std::size(BakedRatios));
extern const RatioSet Sets[BakedRatioCount]; // in the order of BakedRatios

// The program icon at the sizes a window icon takes at the baked ratios (16, 32 and 64 logical pixels).
constexpr int ProgramIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 80, 96, 128, 192};
constexpr int ProgramIconCount = int(std::size(ProgramIconSizes));
extern const Picture ProgramIcons[ProgramIconCount]; // in the order of ProgramIconSizes

} // namespace quavix::ArtworkData
