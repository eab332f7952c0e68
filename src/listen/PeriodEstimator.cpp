#include "PeriodEstimator.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace quavix {

namespace {

// A key maximum counts as the period when it reaches this share of the highest one. Lower picks the
// period's own peak less often on strong second harmonics; higher takes a multiple of the period.
constexpr double KeyMaximumShare = 0.88;
// A peak at twice the chosen period that repeats better than this margin means the sound's true period
// is the longer one: the chosen peak came from strong even harmonics, and the note is an octave lower.
constexpr double OctaveMargin = 0.05;
// Fewer periods than this in a stretch do not make a period worth believing.
constexpr double PeriodsPerStretch = 2.2;
// Far multiples of the period divide the rounding error of the sample grid; past this they add vibrato
// and inharmonic stretch instead.
constexpr int MostPeriodsForRefining = 4;
// The smallest transform kept ready.
constexpr int SmallestFft = 256;
// The latest periods of a stretch: three, and at least this many samples.
constexpr double LatestPeriods = 3;
constexpr int LeastLatestSamples = 160;

struct Peak {
    double Position = 0;
    double Value = 0;
};

// The top of the parabola through the values a, b, c at i - 1, i and i + 1.
Peak ParabolicTop(double a, double b, double c, int i) {
    const double denominator = a - 2 * b + c;
    if (denominator >= 0)
        return {double(i), b};
    const double shift = 0.5 * (a - c) / denominator;
    return {i + shift, b - 0.25 * (a - c) * shift};
}

Peak ParabolicPeak(const std::vector<double>& values, int i) {
    const auto at = static_cast<std::size_t>(i);
    return ParabolicTop(values[at - 1], values[at], values[at + 1], i);
}

// The energy of a stretch, summed as the direct sums below are.
double DirectEnergy(const float* samples, int count) {
    float e = 0;
#pragma omp simd reduction(+ : e)
    for (int i = 0; i < count; ++i)
        e += samples[i] * samples[i];
    return e;
}

// The normalised square difference at the three lags first, first + 1 and first + 2 of a stretch with this
// energy, summed directly in one pass: for a handful of lags this costs less than a transform of the whole
// stretch.
std::array<double, 3> DirectNsdf(const float* samples, int count, int first, double energy) {
    // In single precision, which lets the sums run several samples abreast: over a few hundred samples they
    // lose nothing a check of a few cents could see.
    float c0 = 0, c1 = 0, c2 = 0;
    const int common = count - first - 2; // below it, all three lags lie inside the stretch
#pragma omp simd reduction(+ : c0, c1, c2)
    for (int i = 0; i < common; ++i) {
        const float a = samples[i];
        c0 += a * samples[i + first];
        c1 += a * samples[i + first + 1];
        c2 += a * samples[i + first + 2];
    }
    std::array<double, 3> correlation{c0, c1, c2};
    for (int i = std::max(0, common); i < count - first; ++i)
        for (int k = 0; i + first + k < count; ++k)
            correlation[static_cast<std::size_t>(k)] += double(samples[i]) * samples[i + first + k];
    // Each lag's energy is that of the stretch twice over, less the lag's first and last samples.
    double head = 0, tail = 0;
    for (int i = 0; i < first; ++i) {
        head += double(samples[i]) * samples[i];
        tail += double(samples[count - 1 - i]) * samples[count - 1 - i];
    }
    std::array<double, 3> nsdf{};
    for (int k = 0; k < 3; ++k) {
        const double both = 2 * energy - head - tail;
        nsdf[static_cast<std::size_t>(k)] =
            both > 1e-12 ? 2.0 * correlation[static_cast<std::size_t>(k)] / both : 0.0;
        head += double(samples[first + k]) * samples[first + k];
        tail += double(samples[count - 1 - first - k]) * samples[count - 1 - first - k];
    }
    return nsdf;
}

int NextPowerOfTwo(int n) {
    int size = 2;
    while (size < n)
        size *= 2;
    return size;
}

} // namespace

int LatestStretch(int count, double period) {
    return std::min(count, std::max(LeastLatestSamples, static_cast<int>(LatestPeriods * period)));
}

struct PeriodEstimator::Fft {
    int Size;
    kiss_fftr_cfg Forward = nullptr;
    kiss_fftr_cfg Inverse = nullptr;
    std::vector<kiss_fft_cpx> Spectrum;

    explicit Fft(int size)
        : Size(size), Forward(kiss_fftr_alloc(size, 0, nullptr, nullptr)),
          Inverse(kiss_fftr_alloc(size, 1, nullptr, nullptr)),
          Spectrum(static_cast<std::size_t>(size / 2 + 1)) {
        if (Forward == nullptr || Inverse == nullptr) {
            Release();
            throw std::bad_alloc();
        }
    }
    ~Fft() { Release(); }
    Fft(const Fft&) = delete;
    Fft& operator=(const Fft&) = delete;

    void Release() {
        kiss_fftr_free(Forward);
        kiss_fftr_free(Inverse);
    }
};

PeriodEstimator::PeriodEstimator(int sampleRate, int maxSamples, double lowestHz, double highestHz)
    : sampleRate_(sampleRate), maxSamples_(maxSamples),
      shortestLag_(std::max(2, static_cast<int>(std::floor(sampleRate / highestHz)))),
      longestLag_(static_cast<int>(std::ceil(sampleRate / lowestHz))) {
    if (sampleRate <= 0 || maxSamples <= 0 || lowestHz <= 0 || highestHz <= lowestHz)
        throw std::invalid_argument("PeriodEstimator: bad rate, length or pitch range");
    // Zero padding past the stretch plus the longest lag keeps the circular correlation of the FFT from
    // wrapping the stretch's end onto its start.
    fftSize_ = NextPowerOfTwo(maxSamples + longestLag_ + 2);
    // A short stretch (the latest few periods of a frame) is transformed at the smallest size that holds
    // it with its padding, which costs a fraction of the longest.
    for (int size = std::min(SmallestFft, fftSize_); size <= fftSize_; size *= 2)
        ffts_.push_back(std::make_unique<Fft>(size));
    padded_.assign(static_cast<std::size_t>(fftSize_), 0.0f);
    nsdf_.assign(static_cast<std::size_t>(longestLag_ + 2), 0.0);
    maxima_.reserve(static_cast<std::size_t>(longestLag_ / 2 + 1));
}

PeriodEstimator::~PeriodEstimator() = default;

int PeriodEstimator::LongestLag(int count) const {
    return std::min(longestLag_, static_cast<int>(count / PeriodsPerStretch));
}

PeriodEstimate PeriodEstimator::Estimate(const float* samples, int count) {
    count = std::min(count, maxSamples_);
    const int longest = LongestLag(count);
    lastLongest_ = 0;
    if (longest < shortestLag_ + 2)
        return {};

    // Autocorrelation of the stretch: the inverse transform of its power spectrum.
    const int size = NextPowerOfTwo(count + longest + 2);
    Fft& fft =
        *ffts_[static_cast<std::size_t>(std::max(0, std::ilogb(size) - std::ilogb(ffts_.front()->Size)))];
    std::copy(samples, samples + count, padded_.begin());
    std::fill(padded_.begin() + count, padded_.begin() + fft.Size, 0.0f);
    kiss_fftr(fft.Forward, padded_.data(), fft.Spectrum.data());
    for (kiss_fft_cpx& bin : fft.Spectrum) {
        bin.r = bin.r * bin.r + bin.i * bin.i;
        bin.i = 0;
    }
    kiss_fftri(fft.Inverse, fft.Spectrum.data(), padded_.data());

    // The energy of both overlapping parts at each lag, updated as the overlap shrinks.
    double energy = 0;
    for (int i = 0; i < count; ++i)
        energy += 2.0 * double(samples[i]) * samples[i];
    if (energy < 1e-12)
        return {};
    const double scale = 1.0 / fft.Size;
    for (int lag = 0; lag <= longest + 1; ++lag) {
        const double r = padded_[static_cast<std::size_t>(lag)] * scale;
        nsdf_[static_cast<std::size_t>(lag)] = energy > 1e-12 ? 2.0 * r / energy : 0.0;
        const double leaving = samples[lag], leavingEnd = samples[count - 1 - lag];
        energy -= leaving * leaving + leavingEnd * leavingEnd;
    }

    lastLongest_ = longest;
    int lag = FirstKeyMaximum(longest);
    if (lag < 0)
        return {};
    lag = OctaveGuard(lag, longest);
    const Peak peak = ParabolicPeak(nsdf_, lag);
    const double clarity = std::clamp(peak.Value, 0.0, 1.0);
    return {sampleRate_ / RefinedPeriod(lag, longest), clarity, OctaveUpShare(lag, clarity)};
}

PeriodEstimate PeriodEstimator::Near(const float* samples, int count, double period,
                                     NearOctaveUp octaveUpWanted) const {
    count = std::min(count, maxSamples_);
    const int centre = static_cast<int>(std::lround(period));
    if (centre - 1 < shortestLag_ || centre + 1 > LongestLag(count))
        return {};
    const double energy = DirectEnergy(samples, count);
    const auto [before, at, after] = DirectNsdf(samples, count, centre - 1, energy);
    // The highest point must still lie within half a sample of the period, or the sound has moved on.
    if (at < before || at < after || at <= 0)
        return {};
    const Peak peak = ParabolicTop(before, at, after, centre);
    const double clarity = std::clamp(peak.Value, 0.0, 1.0);
    const int half = centre / 2;
    double octaveUp = 0;
    if (octaveUpWanted == NearOctaveUp::Read && half - 1 >= shortestLag_) {
        const std::array<double, 3> nearHalf = DirectNsdf(samples, count, half - 1, energy);
        octaveUp = std::clamp(*std::max_element(nearHalf.begin(), nearHalf.end()) / clarity, 0.0, 1.0);
    }
    return {sampleRate_ / peak.Position, clarity, octaveUp};
}

double PeriodEstimator::ClarityWithin(const float* samples, int count, int from, int to) const {
    from = std::max(1, from);
    if (to < from || 2 * (to + 1) > count)
        return 0;
    // The lags from - 1 to to + 1, three at a pass: the ends' neighbours place a top between samples.
    const double energy = DirectEnergy(samples, count);
    std::vector<double> nsdf;
    for (int first = from - 1; first <= to + 1; first += 3)
        for (const double value : DirectNsdf(samples, count, first, energy))
            nsdf.push_back(value);
    const auto at = [&](int lag) { return nsdf[static_cast<std::size_t>(lag - (from - 1))]; };
    int top = from;
    for (int lag = from + 1; lag <= to; ++lag)
        if (at(lag) > at(top))
            top = lag;
    if (top == from || top == to)
        return at(top);
    return std::clamp(ParabolicTop(at(top - 1), at(top), at(top + 1), top).Value, 0.0, 1.0);
}

double PeriodEstimator::OctaveUpShare(int lag, double clarity) const {
    const int half = lag / 2;
    const int reach = std::max(1, lag / 8);
    if (half - reach < shortestLag_ || clarity <= 0)
        return 0;
    return std::clamp(NsdfAt(HighestIn(half - reach, half + reach)) / clarity, 0.0, 1.0);
}

int PeriodEstimator::FirstKeyMaximum(int longest) {
    // Key maxima are the highest points of the positive stretches after the curve first goes negative:
    // before that it only falls from its value of 1 at lag 0. Their list is kept between frames, so that a
    // frame allocates nothing.
    std::vector<int>& maxima = maxima_;
    maxima.clear();
    int lag = 1;
    while (lag <= longest && NsdfAt(lag) > 0)
        ++lag;
    int best = -1;
    for (; lag <= longest; ++lag) {
        if (NsdfAt(lag) > 0) {
            if (best < 0 || NsdfAt(lag) > NsdfAt(best))
                best = lag;
        } else if (best >= 0) {
            maxima.push_back(best);
            best = -1;
        }
    }
    // A stretch still rising at the longest lag has its top out of reach.
    if (best >= 0 && best < longest)
        maxima.push_back(best);

    double highest = 0;
    for (int m : maxima)
        if (m >= shortestLag_)
            highest = std::max(highest, NsdfAt(m));
    if (highest <= 0)
        return -1;
    for (int m : maxima)
        if (m >= shortestLag_ && NsdfAt(m) >= KeyMaximumShare * highest)
            return m;
    return -1;
}

double PeriodEstimator::ClarityAt(double lag) const {
    const int centre = static_cast<int>(std::lround(lag));
    if (centre < 1 || centre + 1 > lastLongest_)
        return 0;
    return std::max(0.0, NsdfAt(HighestIn(centre - 1, centre + 1)));
}

int PeriodEstimator::HighestIn(int from, int to) const {
    int best = from;
    for (int i = from + 1; i <= to; ++i)
        if (NsdfAt(i) > NsdfAt(best))
            best = i;
    return best;
}

int PeriodEstimator::OctaveGuard(int lag, int longest) const {
    // Where a sound's odd harmonics are weak its curve peaks almost as high at half its period, and the
    // first-peak rule reads it an octave too high. Its true period then repeats clearly better.
    for (;;) {
        const int twice = 2 * lag;
        const int reach = std::max(1, lag / 8);
        if (twice + reach + 1 > longest)
            return lag;
        const int best = HighestIn(twice - reach, twice + reach);
        if (NsdfAt(best) <= NsdfAt(lag) + OctaveMargin)
            return lag;
        lag = best;
    }
}

double PeriodEstimator::RefinedPeriod(int lag, int longest) const {
    // The peak near k periods divides the error of reading a peak between samples by k.
    const Peak first = ParabolicPeak(nsdf_, lag);
    double period = first.Position;
    const int reach = std::max(1, lag / 6);
    for (int k = 2; k <= MostPeriodsForRefining; ++k) {
        const int centre = static_cast<int>(std::lround(k * first.Position));
        if (centre + reach + 1 > longest)
            break;
        const int best = HighestIn(centre - reach, centre + reach);
        if (best == centre - reach || best == centre + reach)
            break;
        const Peak far = ParabolicPeak(nsdf_, best);
        // A peak that has faded (a note dying, a pitch gliding) no longer marks the same period.
        if (far.Value < 0.9 * first.Value)
            break;
        period = far.Position / k;
    }
    return period;
}

} // namespace quavix
