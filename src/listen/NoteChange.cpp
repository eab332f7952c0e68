// How the pitch detector reads a new note through the end of the last one: a frame's window reaches back
// 40 ms, and while it still holds the last note's sound, the new note reads less clearly and less steadily
// than it sounds.

#include "PitchDetector.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quavix {

namespace {

// The latest periods of what is left once a ringing note is taken out say the same pitch as the whole
// window within this (in semitones).
constexpr double LatestAgreement = 0.2;
// Frames that repeat at least this clearly, with no more than this share of the octave above in them, are
// steady when they lie within this many cents.
constexpr double ClearSpreadClarity = 0.97;
constexpr double ClearSpreadOctaveUp = 0.15;
constexpr double ClearSpreadCents = 9;
// A run whose latest this many frames all step one way is a slide, not a note settling.
constexpr std::size_t SlideFrames = 6;
// Frames holding more than this share of the octave above may be an attack on its way from the octave below.
constexpr double LittleOctaveUp = 0.5;

} // namespace

void PitchDetector::RereadSince(std::int64_t onset, const std::vector<Frame>& before) {
    // A start is found a little after it: its rise must first stand out of the stretch before it. The frames
    // read in between are read again from the start on only, as they would have been had it been found at
    // once, so that the new note does not wait for frames the last one blurred. Only where they say the
    // pitch those frames already heard: a stretch of a few milliseconds finds only short periods, and may
    // take an upper partial of a note swelling on for a note of its own.
    const std::int64_t now = position_;
    const std::int64_t latest = now - 1 - sinceFrame_; // where the latest frame was read
    std::size_t since = 0;                             // frames read since the start
    while (since < before.size() && latest - std::int64_t(since) * settings_.HopSamples > onset)
        ++since;
    for (std::size_t back = since; back-- > 0;) {
        position_ = latest - std::int64_t(back) * settings_.HopSamples;
        const Frame& heard = before[before.size() - 1 - back];
        std::optional<Frame> frame = ReadFrame();
        if (frame && std::abs(frame->Pitch - heard.Pitch) * 100 <= settings_.AgreementCents) {
            frame->Level = heard.Level;
            Agree(*frame);
        } else
            run_.clear();
    }
    position_ = now;
}

double PitchDetector::LatestClarity(const float* samples, int count, const Remainder& left) {
    // With no start found inside the window (a bow changing notes, a legato step), what is left once the
    // last note is taken out holds that note's imperfectly cancelled tail in its earlier part, and repeats
    // less clearly over the whole window than the new note does. Its latest periods, read the same way,
    // show how clearly it repeats now, as the latest periods of a single note do. Where a start was found,
    // the window begins there and has no tail to leave behind.
    const double period = settings_.SampleRate / left.Estimate.Frequency;
    const int latest = LatestStretch(count, period);
    if (position_ - count <= readFrom_ || count - latest < static_cast<int>(std::ceil(left.Period)) + 2)
        return left.Estimate.Clarity;
    CancelPeriod(samples + count - latest, latest, left.Period, scratch_);
    const PeriodEstimate recent = estimator_.Estimate(scratch_.data(), latest);
    if (recent.Frequency <= 0 || std::abs(PitchOfFrequency(recent.Frequency) -
                                          PitchOfFrequency(left.Estimate.Frequency)) > LatestAgreement)
        return left.Estimate.Clarity;
    return std::max(left.Estimate.Clarity, estimator_.ClarityAt(period));
}

bool PitchDetector::ClearAndNearlySteady(std::size_t frames) const {
    // A bow's first moments glide the last few cents into the note, and a note read once a ringing one is
    // taken out beats a little with what is left of it, while their frames already repeat almost perfectly.
    // A scrape's or a breath's first moments, and an attack on its way from the octave below, do not: frames
    // that clear may spread a little further and still hold their note. Only a note not told yet: the held
    // note's pitch is followed only where it holds still, so that a vibrato does not move it about. And not
    // a slide from one note to another, which repeats just as clearly while it passes the keys between.
    return !(held_ && SameNoteInAnyOctave(run_.back().Pitch, held_->Pitch)) &&
           SpreadCents(frames) <= ClearSpreadCents &&
           LastFramesClear(frames, ClearSpreadClarity, ClearSpreadOctaveUp) && !Sliding(frames);
}

bool PitchDetector::Sliding(std::size_t frames) const {
    // The latest frames of the run all step the same way, and have gone further than steady frames spread:
    // over the last few frames of a long run, or over the frames judged where the run is short (just after
    // a start). A note beating with what is left of the last one swings back and forth instead.
    const bool longRun = run_.size() >= SlideFrames;
    const std::size_t span = longRun ? SlideFrames : frames;
    std::array<double, SlideFrames> pitches{};
    std::transform(run_.end() - static_cast<std::ptrdiff_t>(span), run_.end(), pitches.begin(),
                   [](const Frame& frame) { return frame.Pitch; });
    return StepsOneWay({pitches.data(), span}, (longRun ? 2 : 1) * settings_.SteadyCents);
}

bool PitchDetector::BackToBrokenRun(const Frame& frame) const {
    // A frame read an octave low in noise (a high note's few latest periods repeat nearly as well at twice
    // the period) breaks a run for one frame; the next frame, back at the run's pitch, takes the run up
    // again rather than the one frame, which the octave-low attack rule would otherwise carry an octave up
    // as if it were the note's first moments.
    return run_.size() == 1 && broken_.size() > 1 && position_ - brokenAt_ == settings_.HopSamples &&
           std::abs(frame.Pitch - brokenPitch_) * 100 <= settings_.AgreementCents;
}

bool PitchDetector::NewToTheHeldNote(double pitch) const {
    // While the sound dies away, what is heard without a new start is taken for something left ringing as
    // the last note fades: an older string told before, or one of the held note's own upper partials. A
    // pitch that is neither, heard while a note is still held, is a new note bowed or blown as the held one
    // is let go, however much quieter than the held note's loudest it sets in (a bow changing strings).
    return held_ && !RingsOnFrom(pitch, held_->Pitch) &&
           std::none_of(ringing_.begin(), ringing_.end(),
                        [pitch](const Known& note) { return SameNoteInAnyOctave(pitch, note.Pitch); });
}

bool PitchDetector::LeftByTheFadingNote(double pitch) const {
    // Not only its octaves and upper partials: dying away into noise, the held note repeats at every whole
    // number of its periods, and the noise may make one of the longer read best, as a pitch far below of
    // which the held note is an upper partial. No new note sets in there as the sound dies away.
    return Fading() && (!NewToTheHeldNote(pitch) || (held_ && UpperPartialOf(held_->Pitch, pitch)));
}

bool PitchDetector::NewPitchTooShort(std::size_t needed) const {
    // Without a start, a new pitch holds a frame longer than a struck one: it may be a slide passing by, or
    // a frame of two notes mixed. Not where every frame of its run was read from what is left once a
    // ringing note is taken out, with little of the octave above in it: that the ringing note no longer
    // explains the sound is the new note's start.
    return run_.size() <= needed && !std::all_of(run_.begin(), run_.end(), [](const Frame& f) {
               return f.Underneath && f.OctaveUp <= LittleOctaveUp;
           });
}

} // namespace quavix
