#include "CommandStates.h"

#include "NoteTable.h"

namespace quavix {

CommandStates CommandStatesFor(bool running, InputModes inputMode) {
    const bool guitar = inputMode == GuitarFrets;
    CommandStates states;
    // During a quiz the pool must not change: no staff change, no move into or out of the guitar.
    states.NoteButtons = !running || !guitar;
    states.PianoKeys = !running || !guitar;
    states.Guitar = !running || guitar;
    states.TrebleNotes = !running && !guitar;
    states.BassNotes = states.TrebleNotes;
    states.AllNotes = states.TrebleNotes;
    states.SingleOctave = inputMode == PianoKeys;
    states.FullRange = inputMode == PianoKeys;
    states.BeginQuiz = !running;
    states.EndQuiz = running;
    states.LevelSlider = !running;
    return states;
}

CheckMarks CheckMarksFor(InputModes inputMode, StaffChoices staffChoice, bool fullRange) {
    const bool instrumentShown = inputMode != NoteButtons;
    CheckMarks marks;
    marks.NoteButtons = inputMode == NoteButtons;
    marks.PianoKeys = inputMode == PianoKeys;
    marks.Guitar = inputMode == GuitarFrets;
    marks.TrebleNotes = staffChoice == TrebleStaff;
    marks.BassNotes = staffChoice == BassStaff;
    marks.AllNotes = staffChoice == AllStaves;
    marks.SingleOctave = instrumentShown && !fullRange;
    marks.FullRange = instrumentShown && fullRange;
    return marks;
}

CheckMarks CheckMarksFor(const Settings& settings) {
    CheckMarks marks = CheckMarksFor(settings.InputMode, settings.StaffChoice, settings.FullRange);
    marks.Sound = settings.Sound;
    for (int naming = 0; naming < NoteNamingCount; ++naming)
        marks.NoteNames[naming] = settings.NoteNaming == naming;
    for (int staff = AllStaves + 1; staff < StaffChoiceCount; ++staff)
        marks.OtherStaves[std::size_t(staff - AllStaves - 1)] = settings.StaffChoice == staff;
    marks.OctaveTreble = settings.OctaveTreble;
    return marks;
}

} // namespace quavix
