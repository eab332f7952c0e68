#pragma once

// Feeding the pitch detector synthetic sound as a device would, and reading what it told.

#include "PitchDetector.h"
#include "SyntheticTones.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quavix::listening {

constexpr int Rate = 16000;
constexpr std::size_t Lead = Rate / 4; // a quarter second of silence before the first note

// A quarter second of silence, then the tone.
inline std::vector<float> AfterLead(const tones::Tone& tone) {
    std::vector<float> sound(Lead, 0.0f);
    tones::Add(sound, Lead, tone, Rate);
    return sound;
}

inline std::vector<HeardNote> Listen(const std::vector<float>& sound, bool octaveMatters = true,
                              double toleranceCents = 50) {
    PitchDetector detector;
    detector.SetOctaveMatters(octaveMatters);
    detector.SetToleranceCents(toleranceCents);
    std::vector<HeardNote> heard;
    for (std::size_t at = 0; at < sound.size(); at += 160) { // 10 ms at a time, as a device delivers
        const int count = static_cast<int>(std::min<std::size_t>(160, sound.size() - at));
        for (const HeardNote& note : detector.Feed(sound.data() + at, count))
            heard.push_back(note);
    }
    return heard;
}

inline std::vector<HeardNote> Began(const std::vector<HeardNote>& heard) {
    std::vector<HeardNote> began;
    for (const HeardNote& note : heard)
        if (note.What == HeardNote::Kind::Began)
            began.push_back(note);
    return began;
}

// The notes that began from a sample on (told at it or later).
inline std::vector<HeardNote> BeganFrom(const std::vector<HeardNote>& heard, std::size_t start) {
    std::vector<HeardNote> after;
    for (const HeardNote& note : Began(heard))
        if (note.HeardSample >= std::int64_t(start))
            after.push_back(note);
    return after;
}

// How long after a sample (the note's start) a note was told, in milliseconds.
inline std::int64_t DelayMs(const HeardNote& note, std::size_t from = Lead) {
    return (note.HeardSample - std::int64_t(from)) * 1000 / Rate;
}

} // namespace quavix::listening
