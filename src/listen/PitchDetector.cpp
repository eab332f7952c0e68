#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// The pitch filter keeps the band where the notes' lower partials lie: rumble and hum below, hiss and the
// stretched upper partials of strings (which pull a period sharp) above.
constexpr double HighPassHz = 50;
constexpr double LowPassHz = 2000;
// Pitches within this many semitones are one note: a singer's vibrato, an instrument's detuning.
constexpr double SameNoteSemitones = 0.6;
// A held note is struck again when the sound before the new rise had fallen to a tenth (10 dB) of the
// note's loudest.
constexpr double RestrikeDip = 0.1;
// Frames kept for the median of a run.
constexpr std::size_t LongestRun = 16;

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The same note or the same note in another octave: one sound whose octave a frame may misjudge.
bool SameNoteInAnyOctave(double a, double b) {
    const double distance = a - b;
    return std::abs(distance - 12 * std::round(distance / 12)) <= SameNoteSemitones;
}

} // namespace

double PitchOfFrequency(double hz) {
    return 69 + 12 * std::log2(hz / 440.0);
}

double FrequencyOfPitch(double pitch) {
    return 440.0 * std::exp2((pitch - 69) / 12);
}

PitchDetector::PitchDetector(const PitchDetectorSettings& settings)
    : settings_(settings), highPass_(Biquad::HighPass(HighPassHz, settings.SampleRate)),
      lowPass_(Biquad::LowPass(LowPassHz, settings.SampleRate)), onsets_(settings.SampleRate),
      estimator_(settings.SampleRate, settings.WindowSamples, settings.LowestHz, settings.HighestHz) {
    history_.reserve(static_cast<std::size_t>(4 * settings.WindowSamples));
}

void PitchDetector::Reset() {
    highPass_.Reset();
    lowPass_.Reset();
    onsets_.Reset();
    history_.clear();
    historyStart_ = position_;
    readFrom_ = position_;
    onsetHeard_ = false;
    quietSinceTold_ = true;
    lastTold_.reset();
    run_.clear();
    held_.reset();
    events_.clear();
}

std::optional<double> PitchDetector::HeldPitch() const {
    if (!held_)
        return std::nullopt;
    return held_->Pitch;
}

const std::vector<HeardNote>& PitchDetector::Feed(const float* samples, int count) {
    events_.clear();
    for (int i = 0; i < count; ++i) {
        const float filtered = lowPass_.Run(highPass_.Run(samples[i]));
        const std::optional<std::int64_t> onset = onsets_.Take(filtered);
        history_.push_back(filtered);
        ++position_;
        if (onset)
            NoteStarted(*onset);
        if (++sinceFrame_ >= settings_.HopSamples) {
            sinceFrame_ = 0;
            RunFrame();
        }
    }
    // Keep one window of history; move it down only now and then.
    const auto window = static_cast<std::size_t>(settings_.WindowSamples);
    if (history_.size() >= 3 * window) {
        const std::size_t drop = history_.size() - window;
        history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(drop));
        historyStart_ += static_cast<std::int64_t>(drop);
    }
    return events_;
}

void PitchDetector::NoteStarted(std::int64_t onset) {
    readFrom_ = onset;
    lastOnset_ = onset;
    onsetHeard_ = true;
    run_.clear();
    // A rise out of a held note is that note struck again only when the note had died away some before
    // it; otherwise it is the same note swelling (a bow, a breath, a choir's slow attack), and only a new
    // pitch after it is a new note.
    if (held_ && onsets_.LevelBeforeOnset() > RestrikeDip * held_->Peak)
        return;
    LetGo();
}

void PitchDetector::RunFrame() {
    const std::optional<Frame> frame = ReadFrame();
    if (frame)
        Agree(*frame);
    else
        run_.clear();
    if (!held_)
        return;
    held_->Peak = std::max(held_->Peak, onsets_.LevelNow());
    if (position_ - held_->LastHeard > std::int64_t(settings_.ReleaseMs) * settings_.SampleRate / 1000)
        LetGo();
}

std::optional<PitchDetector::Frame> PitchDetector::ReadFrame() {
    const std::int64_t start = std::max({position_ - settings_.WindowSamples, readFrom_, historyStart_});
    const int count = static_cast<int>(position_ - start);
    if (count <= 0)
        return std::nullopt;
    const float* samples = history_.data() + (start - historyStart_);
    double energy = 0;
    for (int i = 0; i < count; ++i)
        energy += double(samples[i]) * samples[i];
    const double gate = std::pow(10.0, settings_.GateDbfs / 10);
    if (energy / count < gate) {
        quietSinceTold_ = true;
        return std::nullopt;
    }
    const PeriodEstimate estimate = estimator_.Estimate(samples, count);
    if (estimate.Frequency <= 0 || estimate.Clarity < settings_.MinClarity)
        return std::nullopt;
    return Frame{PitchOfFrequency(estimate.Frequency), estimate.Clarity};
}

void PitchDetector::Agree(const Frame& frame) {
    if (!run_.empty()) {
        std::vector<double> pitches;
        for (const Frame& f : run_)
            pitches.push_back(f.Pitch);
        if (std::abs(frame.Pitch - Median(pitches)) * 100 > settings_.AgreementCents)
            run_.clear();
    }
    if (run_.empty())
        runStart_ = std::max(position_ - settings_.WindowSamples, readFrom_);
    run_.push_back(frame);
    if (run_.size() > LongestRun)
        run_.erase(run_.begin());
    // The held note is still sounding while frames hear it, in whatever octave they take it for.
    if (held_ && SameNoteInAnyOctave(frame.Pitch, held_->Pitch))
        held_->LastHeard = position_;
    Decide();
}

void PitchDetector::Decide() {
    const auto needed = static_cast<std::size_t>(settings_.AgreeingFrames);
    if (run_.size() < needed)
        return;
    // The pitch must have stopped moving: a scoop up to the note, a bow's or a breath's first noisy
    // moments and a pluck's first instants all agree with themselves for a few frames while gliding.
    const double drift = run_.back().Pitch - run_[run_.size() - needed].Pitch;
    if (std::abs(drift) * 100 > settings_.SteadyCents)
        return;
    std::vector<double> pitches;
    double clarity = 0;
    for (const Frame& f : run_) {
        pitches.push_back(f.Pitch);
        clarity += f.Clarity;
    }
    const double pitch = Median(pitches);
    const double confidence = clarity / double(run_.size());

    if (held_) {
        // A new pitch without a new start (legato, a slide) must hold for twice as long, and a jump of an
        // octave is not believed without a start: a frame's octave is what is most easily misjudged.
        if (SameNoteInAnyOctave(pitch, held_->Pitch) || (!onsetHeard_ && run_.size() < 2 * needed))
            return;
        LetGo();
    } else if (!onsetHeard_ && !quietSinceTold_ &&
               (run_.size() < 2 * needed || (lastTold_ && SameNoteInAnyOctave(pitch, *lastTold_)))) {
        // Without a new start or a silence since the last note, the same note heard again is that note
        // still sounding, and another one must hold as long as a change of note sung legato.
        return;
    }
    const std::int64_t onset = onsetHeard_ ? lastOnset_ : runStart_;
    onsetHeard_ = false;
    Tell(HeardNote::Kind::Began, pitch, onset, confidence);
    held_ = Held{pitch, position_, onsets_.LevelNow()};
    quietSinceTold_ = false;
    lastTold_ = pitch;
    heldOnset_ = onset;
}

void PitchDetector::Tell(HeardNote::Kind kind, double pitch, std::int64_t onset, double confidence) {
    events_.push_back(HeardNote{kind, pitch, onset, position_, confidence});
}

void PitchDetector::LetGo() {
    if (!held_)
        return;
    Tell(HeardNote::Kind::Ended, held_->Pitch, heldOnset_, 0);
    held_.reset();
}

} // namespace quavix
