#include "AnswerRecord.h"

#include "QuizEngine.h"

namespace quavix {

namespace {
constexpr int LowestOctave = 2; // step 0 is E2
constexpr int StepsFromC = 2;   // E lies two letters above C, where octaves are counted from
} // namespace

std::uint8_t StaffOfRow(int row, std::uint8_t inputMode) {
    if (inputMode == GuitarFrets)
        return TrebleStaff;
    return row % 2 == 0 ? TrebleStaff : BassStaff;
}

std::string PitchName(int step) {
    if (step < 0 || step > LastStepCode)
        return "?";
    std::string name(1, StepLetter(step));
    name += std::to_string(LowestOctave + (step + StepsFromC) / 7);
    return name;
}

int StepOfPitchName(const std::string& name) {
    for (int step = 0; step <= LastStepCode; ++step)
        if (PitchName(step) == name)
            return step;
    return -1;
}

} // namespace quavix
