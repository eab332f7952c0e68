#include "Clefs.h"

#include <cstdlib>

namespace quavix {

namespace {
constexpr int StepsPerOctave = 7;
constexpr int TopLinePosition = 8;
} // namespace

bool KnownClef(int clef) {
    return clef >= TrebleClef && clef <= OctaveTrebleClef;
}

int BottomLineStep(std::uint8_t clef) {
    switch (clef) {
    case BassClef:
        return 2; // G2
    case AltoClef:
        return 8; // F3
    case TenorClef:
        return 6; // D3
    default:
        return 14; // E4
    }
}

int StaffPosition(std::uint8_t clef, int step) {
    return step - BottomLineStep(clef);
}

int StepAtPosition(std::uint8_t clef, int position) {
    return position + BottomLineStep(clef);
}

int ClefLinePosition(std::uint8_t clef) {
    switch (clef) {
    case BassClef:
        return 6; // the F line, the fourth
    case AltoClef:
        return 4; // the C line in the middle
    case TenorClef:
        return 6; // the C line, the fourth
    default:
        return 2; // the G line, the second
    }
}

int LedgerLinesAt(int position) {
    if (position < 0)
        return -position / 2;
    if (position > TopLinePosition)
        return (position - TopLinePosition) / 2;
    return 0;
}

int SoundingStep(std::uint8_t clef, int writtenStep) {
    return clef == OctaveTrebleClef ? writtenStep - StepsPerOctave : writtenStep;
}

} // namespace quavix
