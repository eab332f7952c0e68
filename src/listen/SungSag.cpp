// How a sung note sags: a choir's voices, once on their note, may sink well below it for a few tens of
// milliseconds and swell back, and the bottom of a sag may lie nearer the key below than the note sung.
#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// The frames kept of the voice: enough (400 ms) to reach back past a sag to where the voice sang before it.
constexpr std::size_t VoiceFrames = 80;
// A pitch this far (in semitones) or further above its key may be the bottom of a sag from the key above:
// a choir's voices sink as far as 85 cents under their note.
constexpr double SaggedAbove = 0.15;
// The voice held within this (5 cents) of the halfway point or past it, at least SagSemitones and no more
// than one note's width above the pitch, for this many frames since the note's start: it sang the key above.
// (Frames of a note held near the halfway point, read a little either side of it, are not a sag.)
constexpr double NearHalfway = 0.45;
constexpr double SagSemitones = 0.1;
constexpr std::size_t SangAboveFrames = 4;
// A voice that has stayed below that point for this long (150 ms) sings there now, and is told.
constexpr int SagMs = 150;

} // namespace

void PitchDetector::HeardTheVoice(const Frame& frame) {
    // Only singing (where the octave does not count) asks whether a pitch sagged: elsewhere nothing reads them.
    if (settings_.OctaveMatters)
        return;
    voiceHeard_.emplace_back(position_, frame.Pitch);
    if (voiceHeard_.size() > VoiceFrames)
        voiceHeard_.pop_front();
}

bool PitchDetector::SaggedFromTheKeyAbove(double pitch) const {
    // Voices sag below their note rather than swell above it, so a pitch well above its key but below the
    // halfway point, where the same note's voice held at that point or above it before, is the bottom of a
    // sag: told, it would answer the key below. A scoop rises into its note from below, which this does not
    // hold back. Only frames since the note's start count (or since the stream was last forgotten).
    const double key = std::round(pitch);
    if (pitch - key < SaggedAbove)
        return false;
    std::size_t above = 0;
    std::int64_t latestAbove = 0;
    for (const auto& [at, heard] : voiceHeard_) {
        const double up = heard - pitch - 12 * std::round((heard - pitch) / 12);
        if (at > readFrom_ && pitch + up >= key + NearHalfway && up >= SagSemitones &&
            up <= SameNoteSemitones) {
            ++above;
            latestAbove = at;
        }
    }
    return above >= SangAboveFrames && position_ - latestAbove <= SamplesIn(SagMs);
}

} // namespace quavix
