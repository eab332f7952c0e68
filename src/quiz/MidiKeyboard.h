#pragma once

#include "MidiNotes.h"
#include "Settings.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quavix {

// What the keys of a MIDI keyboard act on: the quiz, the instrument on screen and the status bar. The main
// window implements it; tests record the calls.
class MidiKeyboardFrontEnd {
public:
    virtual ~MidiKeyboardFrontEnd() = default;

    // A quiz runs and no feedback message shows, so an answer would be judged.
    virtual bool TakingAnswers() const = 0;
    virtual void Answer(int answerCode) = 0;
    // A MIDI key holds the instrument's key at a written staff step (its marker shows while it is held,
    // when the key is in view) / lets go of it.
    virtual void HoldKey(int step) = 0;
    virtual void LetGoKey(int step) = 0;
    // A key gave no answer, for the reason given.
    virtual void ReportIgnoredKey(int note, MidiKeyProblem problem) = 0;
};

// Turns the note-ons and note-offs of MIDI sources into answers and held keys. A key answers at once when
// it goes down, as a player expects; the notes of a chord that follow its first within ChordWindowMs give
// nothing. One key at a time holds the instrument, the one pressed last, as with a mouse button.
class MidiKeyboard final {
public:
    static constexpr std::int64_t ChordWindowMs = 30;

    // Reads the answer control in force from settings, which outlive the keyboard.
    MidiKeyboard(MidiKeyboardFrontEnd& frontEnd, const Settings& settings);
    MidiKeyboard(const MidiKeyboard&) = delete;
    MidiKeyboard& operator=(const MidiKeyboard&) = delete;

    // timeMs: when the event arrived, on a clock that never goes back.
    void NoteOn(std::uint32_t source, int note, std::int64_t timeMs);
    void NoteOff(std::uint32_t source, int note);
    // No more events come from the source (it vanished or was switched off): its held key lets go.
    void ReleaseSource(std::uint32_t source);
    // Every held key lets go: the answer control changed, or note-offs may have been lost.
    void ReleaseAll();

    // The key holding the instrument, if any.
    std::optional<int> HeldStep() const;

private:
    struct HeldKey {
        std::uint32_t Source;
        int Note;
        int Step;
    };

    void LetGo();

    MidiKeyboardFrontEnd& frontEnd_;
    const Settings& settings_;
    std::optional<HeldKey> held_;
    std::optional<std::int64_t> chordStart_;
    // Each reason for ignoring keys is told once, until a key answers again.
    std::array<bool, 3> reported_{};
};

} // namespace quavix
