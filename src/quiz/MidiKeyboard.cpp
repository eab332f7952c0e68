#include "MidiKeyboard.h"

namespace quavix {

MidiKeyboard::MidiKeyboard(MidiKeyboardFrontEnd& frontEnd, const Settings& settings)
    : frontEnd_(frontEnd), settings_(settings) {}

void MidiKeyboard::NoteOn(std::uint32_t source, int note, std::int64_t timeMs) {
    // The window runs from the chord's first note, so a trill or a flood still answers every 30 ms
    // instead of never.
    if (chordStart_ && timeMs >= *chordStart_ && timeMs - *chordStart_ < ChordWindowMs)
        return;
    chordStart_ = timeMs;

    const MidiKey key = MidiKeyFor(note, settings_.InputMode, settings_.FullRange);
    if (key.Problem != MidiKeyProblem::None) {
        bool& reported = reported_[static_cast<std::size_t>(key.Problem)];
        if (frontEnd_.TakingAnswers() && !reported) {
            reported = true;
            frontEnd_.ReportIgnoredKey(note, key.Problem);
        }
        return;
    }

    // A new key takes the instrument from the one still held, as a second mouse press would.
    LetGo();
    if (key.Step >= 0) {
        held_ = HeldKey{source, note, key.Step};
        frontEnd_.HoldKey(key.Step);
    }
    if (frontEnd_.TakingAnswers()) {
        reported_.fill(false);
        frontEnd_.Answer(key.Code);
    }
}

void MidiKeyboard::NoteOff(std::uint32_t source, int note) {
    if (held_ && held_->Source == source && held_->Note == note)
        LetGo();
}

void MidiKeyboard::ReleaseSource(std::uint32_t source) {
    if (held_ && held_->Source == source)
        LetGo();
}

void MidiKeyboard::ReleaseAll() {
    LetGo();
}

std::optional<int> MidiKeyboard::HeldStep() const {
    if (!held_)
        return std::nullopt;
    return held_->Step;
}

void MidiKeyboard::LetGo() {
    if (!held_)
        return;
    const int step = held_->Step;
    held_.reset();
    frontEnd_.LetGoKey(step);
}

} // namespace quavix
