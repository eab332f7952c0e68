#pragma once

#include "NoteNames.h"
#include "NoteTable.h"

#include <cstdint>

namespace quavix {

// The choices that decide what the trainer shows and asks: which answer control, which staff, how much of
// the piano, whether the screen shows the colourful scheme, and whether the notes are heard. One value holds
// them; the engine and the views read it, and only the window changes it, through one function that tells
// whoever must redraw.
struct Settings {
    std::uint8_t InputMode = NoteButtons;
    std::uint8_t StaffChoice = TrebleStaff;
    bool FullRange = false;
    bool RichColour = false;
    bool Sound = false; // notes and keys are heard; asked for, and kept only while sound can be had
    // Ask the notes that were missed or slow more often (off: every allowed note alike).
    bool PractiseWeakNotes = false;
    // Keep the answers and these settings for the next start (off: the program writes nothing).
    bool KeepProgress = false;
    // How notes are named on the buttons and in the messages, and which keys answer them (NoteNamings).
    std::uint8_t NoteNaming = LetterNames;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The piano's layout: the single octave, or the full range of the staff in use (treble, bass, all notes).
std::uint8_t KeyboardLayoutFor(const Settings& settings);

} // namespace quavix
