#pragma once

// The pictures' pixels, drawn while the program was built: the artwork baker (tools/ArtworkBaker.cpp) runs
// the drawing code in artwork/ and writes ArtworkData.cpp into the build folder. Each picture is a row-major
// array of ARGB32 values (0xAARRGGBB), width * height of them.

#include "Artwork.h"

#include <cstdint>

namespace quavix::ArtworkData {

struct Picture {
    int width;
    int height;
    const std::uint32_t* pixels;
};

constexpr int ProgramIconSizes[] = {16, 32, 64};
constexpr int ProgramIconCount = 3;

extern const Picture Clefs[Artwork::ClefCount];
extern const Picture Notes[Artwork::NoteCount];
extern const Picture Letters[Artwork::LetterCount];
extern const Picture DisabledLetters[Artwork::LetterCount];
extern const Picture ToolbarIcons[Artwork::ToolbarIconCount];
extern const Picture DisabledToolbarIcons[Artwork::ToolbarIconCount];
extern const Picture Timer;
extern const Picture Logo;
extern const Picture ProgramIcons[ProgramIconCount]; // in the order of ProgramIconSizes
extern const Picture PointingHand;

} // namespace quavix::ArtworkData
