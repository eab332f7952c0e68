#include "OnsetTracker.h"

#include <algorithm>

namespace quavix {

namespace {

// Energy is summed over blocks of 2 ms, and compared smoothed over 12 ms, one period of the lowest note, so
// that the swing of energy within a low note's period is not taken for a new note.
constexpr int BlocksPerSecond = 500;
constexpr int SmoothingBlocks = 6;
// The level a new note must rise to: four times (6 dB) the quietest moment of the 40 ms before, which a
// bow's or breath's swell and a singer's vibrato stay well under.
constexpr double Rise = 4.0;
constexpr int ReferenceBlocks = 20;
// Quieter than this (about -70 dB of full scale) nothing starts: the hiss of a quiet room.
constexpr double Floor = 1e-7;
// The start lies where the level first passed twice the quiet before, at most this many blocks back.
constexpr int LookBackBlocks = 12;
constexpr int KeptBlocks = SmoothingBlocks + ReferenceBlocks + LookBackBlocks;
// After a start the tracker waits for the level to stop growing: a slow attack is one note, not several.
constexpr int SettleBlocks = 5;
constexpr double StillGrowing = 1.1;

} // namespace

OnsetTracker::OnsetTracker(int sampleRate)
    : blockSamples_(std::max(1, sampleRate / BlocksPerSecond)), smoothingBlocks_(SmoothingBlocks) {}

void OnsetTracker::Reset() {
    *this = OnsetTracker(blockSamples_ * BlocksPerSecond);
}

std::optional<std::int64_t> OnsetTracker::Take(float sample) {
    blockSum_ += double(sample) * sample;
    ++position_;
    if (++inBlock_ < blockSamples_)
        return std::nullopt;
    found_.reset();
    BlockDone();
    return found_;
}

void OnsetTracker::BlockDone() {
    blocks_.push_back(blockSum_ / blockSamples_);
    blockSum_ = 0;
    inBlock_ = 0;
    const std::size_t n = blocks_.size();
    const std::size_t span = std::min<std::size_t>(n, static_cast<std::size_t>(smoothingBlocks_));
    double sum = 0;
    for (std::size_t i = n - span; i < n; ++i)
        sum += blocks_[i];
    smoothed_.push_back(sum / double(span));
    if (blocks_.size() > KeptBlocks) {
        blocks_.pop_front();
        smoothed_.pop_front();
    }

    const std::size_t kept = smoothed_.size();
    if (kept < static_cast<std::size_t>(SmoothingBlocks + ReferenceBlocks))
        return;
    const double now = smoothed_.back();
    // Armed again once the level has stopped growing for as long as the stretch compared with, so that
    // no part of the last attack is taken for the quiet before a new one.
    const bool settled = now <= StillGrowing * smoothed_[kept - 1 - SettleBlocks];
    settledBlocks_ = settled ? settledBlocks_ + 1 : 0;
    if (!armed_ && settledBlocks_ >= SmoothingBlocks + ReferenceBlocks)
        armed_ = true;
    if (!armed_)
        return;

    // The quietest moment of the reference stretch, which ends where the smoothing of now begins.
    const auto referenceEnd = smoothed_.end() - SmoothingBlocks;
    const double reference = *std::min_element(referenceEnd - ReferenceBlocks, referenceEnd);
    if (now < Floor || now < Rise * reference)
        return;

    // The start: the first block clearly above the stretch before (its mean, steadier than its quietest
    // moment against the swing of a low note within its period).
    double mean = 0;
    for (auto it = referenceEnd - ReferenceBlocks; it != referenceEnd; ++it)
        mean += *it;
    mean /= ReferenceBlocks;
    std::size_t start = blocks_.size() - LookBackBlocks;
    while (start + 1 < blocks_.size() && blocks_[start] <= 2 * mean)
        ++start;
    const std::int64_t blocksBack = static_cast<std::int64_t>(blocks_.size() - start);
    found_ = position_ - blocksBack * blockSamples_;
    levelBefore_ = mean;
    armed_ = false;
}

} // namespace quavix
