#pragma once

#include "Answer.h"
#include "KeyPresses.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quavix {

class QuizEngine;

// A MIDI keyboard as a source of answers and held keys. Every key goes down and up through the press
// protocol, so it sounds and shows on the instrument; a key answers at once when it goes down, as a player
// expects, and the notes of a chord that follow its first within ChordWindowMs give nothing.
class MidiKeyboard final {
public:
    static constexpr std::int64_t ChordWindowMs = 30;

    // The engine and the presses outlive the keyboard.
    MidiKeyboard(QuizEngine& engine, KeyPresses& presses);
    MidiKeyboard(const MidiKeyboard&) = delete;
    MidiKeyboard& operator=(const MidiKeyboard&) = delete;

    // A key went down; timeMs: when it arrived, on a clock that never goes back. Returns why the key gave
    // no answer when the user should be told (each reason once, until a key answers again), else Nothing.
    IgnoredBecause NoteOn(std::uint32_t source, int note, int velocity, std::int64_t timeMs);
    void NoteOff(std::uint32_t source, int note);
    // No more events come from the source (it vanished or was switched off): its keys go up.
    void ReleaseSource(std::uint32_t source);
    // Events were lost, so any release may be among them: every MIDI key goes up.
    void ReleaseAll();

private:
    QuizEngine& engine_;
    KeyPresses& presses_;
    std::optional<std::int64_t> chordStart_;
    std::array<bool, 2> reported_{}; // black key, outside the notes
};

} // namespace quavix
