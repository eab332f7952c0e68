#pragma once

// The period of one stretch of sound, by the normalised square difference of the signal with itself
// shifted (McLeod's method), computed through an FFT so a frame costs a few microseconds.

#include <cstdint>
#include <memory>
#include <vector>

namespace quavix {

// What one stretch of sound says about its pitch.
struct PeriodEstimate {
    double Frequency = 0; // Hz; 0 when no period stands out
    double Clarity = 0;   // 0..1: how nearly the stretch repeats itself at that period
    // How nearly it also repeats at half that period, as a share of Clarity (0 where half the period is
    // out of range): near 1 when the octave above is almost as likely, as with strong even partials or an
    // octave below that an attack passes through on its way to the note.
    double OctaveUp = 0;
};

// The latest few periods of a stretch of count samples (at least 10 ms at 16 kHz): where a change of pitch
// shows first, while a longer stretch still holds the sound before it.
int LatestStretch(int count, double period);

class PeriodEstimator final {
public:
    // Stretches of up to maxSamples samples at sampleRate, pitches from lowestHz to highestHz.
    PeriodEstimator(int sampleRate, int maxSamples, double lowestHz, double highestHz);
    ~PeriodEstimator();
    PeriodEstimator(const PeriodEstimator&) = delete;
    PeriodEstimator& operator=(const PeriodEstimator&) = delete;

    // The pitch of count samples (at most maxSamples). A stretch shorter than a little over two periods
    // of a pitch cannot show that pitch, so short stretches only find high pitches.
    PeriodEstimate Estimate(const float* samples, int count);

    // The pitch of count samples looked for only within a sample of a period known beforehand, summed
    // directly rather than through a transform: a few times cheaper, for checking that a note still sounds
    // as it did. OctaveUp is read within a sample of half the period, unless it is not wanted (it costs as
    // much again as the period); then it stays 0. No frequency when the highest point has moved more than
    // half a sample away, or the period is out of range for the stretch.
    enum class NearOctaveUp : std::uint8_t { Read, Skip };
    PeriodEstimate Near(const float* samples, int count, double period,
                        NearOctaveUp octaveUpWanted = NearOctaveUp::Read) const;

    // How nearly count samples repeat after some lag from `from` to `to` samples, both included: the highest
    // point among them, read between whole samples, summed directly. For checking a reading against a
    // period that may glide. 0 where the stretch is shorter than twice the longest lag and a sample.
    double ClarityWithin(const float* samples, int count, int from, int to) const;

    // The longest period looked for in a stretch of count samples, in samples.
    int LongestLag(int count) const;
    // How nearly the stretch last estimated repeats itself after `lag` samples (the highest point within a
    // sample either way); 0 past the longest period that stretch was searched for.
    double ClarityAt(double lag) const;
    // The shortest period looked for, in samples.
    int ShortestLag() const { return shortestLag_; }
    int SampleRate() const { return sampleRate_; }

private:
    struct Fft;
    double NsdfAt(int lag) const { return nsdf_[static_cast<std::size_t>(lag)]; }
    int FirstKeyMaximum(int longest);
    int HighestIn(int from, int to) const; // the lag of the highest value from..to, both included
    int OctaveGuard(int lag, int longest) const;
    double RefinedPeriod(int lag, int longest) const;
    double OctaveUpShare(int lag, double clarity) const;

    int sampleRate_;
    int maxSamples_;
    int shortestLag_;
    int longestLag_;
    int fftSize_;
    std::vector<std::unique_ptr<Fft>> ffts_; // of sizes SmallestFft, twice that, ... up to fftSize_
    std::vector<float> padded_;
    std::vector<double> nsdf_;
    std::vector<int> maxima_; // FirstKeyMaximum's list, kept to spare an allocation each frame
    int lastLongest_ = 0;     // the longest lag the last estimate filled in
};

} // namespace quavix
