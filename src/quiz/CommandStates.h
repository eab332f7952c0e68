#pragma once

#include "Settings.h"

#include <array>
#include <cstdint>

namespace quavix {

// Whether each command (and the level slider) can be used, derived in one place from whether a quiz runs
// and which input mode is in force.
struct CommandStates {
    bool NoteButtons = false;
    bool PianoKeys = false;
    bool Guitar = false;
    bool TrebleNotes = false;
    bool BassNotes = false;
    bool AllNotes = false;
    bool SingleOctave = false;
    bool FullRange = false;
    bool BeginQuiz = false;
    bool EndQuiz = false;
    bool LevelSlider = false;

    friend bool operator==(const CommandStates&, const CommandStates&) = default;
};

CommandStates CommandStatesFor(bool running, InputModes inputMode);

// Which commands carry a check mark. The range commands are checked only while an instrument is shown.
struct CheckMarks {
    bool NoteButtons = false;
    bool PianoKeys = false;
    bool Guitar = false;
    bool TrebleNotes = false;
    bool BassNotes = false;
    bool AllNotes = false;
    bool SingleOctave = false;
    bool FullRange = false;
    bool Sound = false;
    // The note-name items, one per naming (NoteNamings); exactly the one in force is marked.
    std::array<bool, NoteNamingCount> NoteNames{};
    // The staff choices past AllStaves, in their order (alto, alto and treble, tenor, tenor and bass).
    std::array<bool, StaffChoiceCount - AllStaves - 1> OtherStaves{};
    bool OctaveTreble = false;

    friend bool operator==(const CheckMarks&, const CheckMarks&) = default;
};

CheckMarks CheckMarksFor(InputModes inputMode, StaffChoices staffChoice, bool fullRange);
// Every mark, Sound included, from the settings.
CheckMarks CheckMarksFor(const Settings& settings);

} // namespace quavix
