#pragma once

// A note held on may not stay where it was first heard: a singer scoops into it, a string player corrects
// the intonation, a saxophone starts flat and settles. While it is held, its steady pitch is told again
// once it lies a meaningful step from the pitch told last, and never sooner after that than a moment, so
// that a vibrato swinging about its note does not flood whoever listens.

#include <cstdint>

namespace quavix {

class HeldPitchFollower final {
public:
    explicit HeldPitchFollower(int sampleRate);

    // The held note was told at this pitch at this sample.
    void Told(double pitch, std::int64_t at);
    // The held note sounds steadily at this pitch at this sample: whether that is worth telling. When it is,
    // it counts as told.
    bool Moved(double pitch, std::int64_t at);

    // Steps smaller than this are a held note's own unsteadiness, not a change of how it sounds; and a move
    // is told at most this often.
    static constexpr double StepCents = 8;
    static constexpr int GapMs = 40;

private:
    std::int64_t gap_;
    double told_ = 0;
    std::int64_t toldAt_ = 0;
};

} // namespace quavix
