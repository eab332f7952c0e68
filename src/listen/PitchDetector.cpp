#include "PitchDetector.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// The pitch filter keeps the band where the notes' lower partials lie: rumble and hum below, hiss and the
// stretched upper partials of strings (which pull a period sharp) above.
constexpr double HighPassHz = 50;
constexpr double LowPassHz = 2000;
// A held note is struck again when the sound before the new rise had fallen to a tenth (10 dB) of the
// note's loudest.
constexpr double RestrikeDip = 0.1;
// The sound has died away when it has fallen to this share (15 dB) of the last note's loudest: a legato
// step, sung or bowed, stays far above it even where the new note is the quieter one.
constexpr double FadedShare = 0.03;
// A note swelling out of the quiet without a start sharp enough to find has grown this far (10 dB) above
// the gate.
constexpr double OutOfQuiet = 10.0;
// A stroke rises out of the quiet before it by this much (9 dB) within this long.
constexpr double SharpRise = 8.0;
constexpr int SharpRiseMs = 10;
// Frames kept in a run: long enough to hold a whole swing of a singer's vibrato.
constexpr std::size_t LongestRun = 40;
// Pitches this near the latest note, reached by a slow swell, are that note drifting.
constexpr double NearHeldSemitones = 0.8;
// A note told is looked for under a new one for this long after it was last heard; so many of them.
constexpr int RingingMs = 500;
constexpr std::size_t MostRinging = 3;
// Frames this clear tell a note after AgreeingFrames; less clear ones need this many, or one fewer after
// a start was found: without one, a less clear run may be a voice's upper partial standing out for a
// moment, which a note played or sung anew is not.
constexpr double SureClarity = 0.93;
constexpr std::size_t UnsureFrames = 7;
constexpr std::size_t UnsureStruckFrames = 6;
// A note struck (its start was found) whose frames repeat almost perfectly from the first, with little of
// the octave above in them, is told after this many: it has no scoop or octave-low attack left to pass.
constexpr std::size_t StruckFrames = 3;
constexpr double StruckClarity = 0.96;
constexpr double StruckOctaveUp = 0.5;
// A run this long tells its note even if its pitch wanders within AgreementCents (a vibrato, a wobbly
// choir), as long as it does not glide: its halves lie within GlideCents, or it has turned both up and down
// at least TurnMargin frames inside the run.
constexpr std::size_t WanderingFrames = 32;
constexpr double GlideCents = 10;
constexpr std::size_t TurnMargin = 2;
// Frames whose octave-up share grew by more than this while agreeing are an attack still on its way from
// the octave below.
constexpr double OctaveDrift = 0.1;
// The sound grew by more than this (3 dB) over the last 20 ms: an attack still under way.
constexpr double StillRising = 2.0;
constexpr std::size_t RisingFrames = 4;
// A frame that repeats at half its period by no more than this share holds nothing of the octave above.
constexpr double NoOctaveUp = 0.05;
// Doubtful runs are told only once they have held this long: frames that repeat this nearly at half their
// period, a pitch within BetweenKeys semitones of halfway between two keys, or within NearlyBetweenKeys of it
// and not held within StillCents (a slow scoop passing there looks like a note played out of tune).
constexpr double NearlyAnOctaveUp = 0.85;
constexpr double BetweenKeys = 0.08;
constexpr double NearlyBetweenKeys = 0.15;
constexpr double StillCents = 3;
constexpr std::size_t DoubtfulFrames = 36;
// A frame an octave above a run whose latest frame repeats nearly as well at half its period, and that holds
// no more than this share of the octave above itself, shows the run was its note heard an octave low.
constexpr double OwnOctaveUp = 0.15;
// Frames that agree this strongly tell their note while it still swells, as soon as a struck note's would.
constexpr std::size_t StrongFrames = 3;
constexpr double StrongCents = 4;
constexpr double StrongOctaveUp = 0.5;

// The noise floor follows the quietest level at once and a louder one slowly (over about 25 s), so a note
// does not lift it; a frame's clarity bars are lowered by the share of the sound the floor takes, but never
// below this share of them.
constexpr double FloorRise = 0.00002;
constexpr double LeastNoiseAllows = 0.85;

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

double SemitonesFromAnyOctave(double a, double b) {
    const double distance = a - b;
    return std::abs(distance - 12 * std::round(distance / 12));
}

bool SameNoteInAnyOctave(double a, double b) {
    return SemitonesFromAnyOctave(a, b) <= PitchDetector::SameNoteSemitones;
}

double PitchOf(const Remainder& left) {
    return left.Estimate.Frequency > 0 ? PitchOfFrequency(left.Estimate.Frequency) : 0;
}

double PitchOfFrequency(double hz) {
    return 69 + 12 * std::log2(hz / 440.0);
}

double FrequencyOfPitch(double pitch) {
    return 440.0 * std::exp2((pitch - 69) / 12);
}

PitchDetector::PitchDetector(const PitchDetectorSettings& settings)
    : settings_(settings), highPass_(Biquad::HighPass(HighPassHz, settings.SampleRate)),
      lowPass_(Biquad::LowPass(LowPassHz, settings.SampleRate)), onsets_(settings.SampleRate),
      estimator_(settings.SampleRate, settings.WindowSamples, settings.LowestHz, settings.HighestHz),
      heldCheck_(estimator_), heldPitch_(settings.SampleRate) {
    history_.reserve(static_cast<std::size_t>(5 * settings.WindowSamples));
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
    run_.clear();
    held_.reset();
    ringing_.clear();
    broken_.clear();
    heldFrame_.reset();
    heldHeard_.clear();
    latestSounded_.reset();
    heldCheck_.Forget();
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
    // Keep two windows of history (a frame reads one, and one period of a ringing note before it); move it
    // down only now and then.
    const auto window = static_cast<std::size_t>(settings_.WindowSamples);
    if (history_.size() >= 4 * window) {
        const std::size_t drop = history_.size() - 2 * window;
        history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(drop));
        historyStart_ += static_cast<std::int64_t>(drop);
    }
    return events_;
}

void PitchDetector::NoteStarted(std::int64_t onset) {
    latestSounded_ = WhereHeldSoundedBefore(onset);
    readFrom_ = onset;
    lastOnset_ = onset;
    onsetHeard_ = true;
    std::vector<Frame> before;
    before.swap(run_);
    beforeOnset_ = onsets_.LevelBeforeOnset();
    afterOnset_ = onsets_.LevelNow();
    RereadSince(onset, before);
}

bool PitchDetector::StillRinging(const Known& note) const {
    return position_ - note.LastHeard <= SamplesIn(RingingMs);
}

bool PitchDetector::Fading() const {
    // Against the note told last, whether held or let go of: a legato step keeps most of its loudness, a
    // note that was only ringing under the last one shows once that has faded well below its loudest.
    const Known* latest = held_ ? &*held_ : ringing_.empty() ? nullptr : &ringing_.back();
    return latest != nullptr && onsets_.LevelNow() < FadedShare * latest->Peak && !HoldsOwnLevel(*latest);
}

bool PitchDetector::RoseOutOfQuiet() const {
    // A note that dies away flickers about the gate before it is gone; only a sound that has grown well
    // above the gate since is a new note out of the quiet.
    return onsets_.LevelNow() >= OutOfQuiet * std::pow(10.0, settings_.GateDbfs / 10);
}

bool PitchDetector::Restruck(const Known& note) const {
    // A rise out of a note told before is that note struck again only when the note had died away some
    // before it and the new stroke rose out of that at once; otherwise it is the same note swelling (a
    // bow, a breath, a choir's slow swells), and only a new pitch after it is a new note.
    return onsetHeard_ && beforeOnset_ <= RestrikeDip * note.Peak && afterOnset_ >= SharpRise * beforeOnset_;
}

void PitchDetector::RunFrame() {
    const double level = onsets_.LevelNow();
    floor_ = level < floor_ ? level : floor_ + (level - floor_) * FloorRise;
    levels_.push_back(level);
    if (levels_.size() > std::max(RisingFrames, SwellFrames) + 1)
        levels_.pop_front();
    std::optional<Frame> frame = AcrossAnUnreadFrame(ReadFrame());
    if (frame) {
        frame->Level = onsets_.LevelNow();
        Agree(InTheRunsOctave(*frame));
    } else
        run_.clear();
    if (position_ - lastOnset_ <= SamplesIn(SharpRiseMs))
        afterOnset_ = std::max(afterOnset_, onsets_.LevelNow());
    if (!held_)
        return;
    held_->Peak = std::max(held_->Peak, onsets_.LevelNow());
    if (position_ - held_->LastHeard > SamplesIn(settings_.ReleaseMs))
        LetGo();
}

void PitchDetector::Agree(const Frame& frame) {
    // A plucked or blown attack often sounds an octave low for its first moments; once it sounds in its own
    // octave, the frames heard so far were this note and its run goes on an octave up rather than over.
    // (Not a single frame read an octave low in the middle of a run in its own octave: that run goes on.)
    if (!run_.empty() && run_.back().OctaveUp > NearlyAnOctaveUp && frame.OctaveUp <= OwnOctaveUp &&
        std::abs(frame.Pitch - 12 - RunPitch()) * 100 <= settings_.AgreementCents && !BackToBrokenRun(frame))
        for (Frame& earlier : run_)
            earlier.Pitch += 12;
    if (!run_.empty() && std::abs(frame.Pitch - RunPitch()) * 100 > settings_.AgreementCents) {
        // A single frame off the run and straight back to it (two notes beating for a moment, a click) does
        // not break the run: the frame off it is dropped.
        if (BackToBrokenRun(frame)) {
            run_.swap(broken_);
            runStart_ = brokenStart_;
        } else {
            brokenPitch_ = RunPitch();
            brokenStart_ = runStart_;
            brokenAt_ = position_;
            run_.swap(broken_);
            run_.clear();
        }
    }
    if (run_.empty())
        runStart_ = std::max(position_ - settings_.WindowSamples, readFrom_);
    run_.push_back(frame);
    if (run_.size() > LongestRun)
        run_.erase(run_.begin());
    // A note is still sounding while frames hear it, in whatever octave they take it for.
    if (held_ && SameNoteInAnyOctave(frame.Pitch, held_->Pitch))
        held_->LastHeard = position_;
    HeardHeldNote(frame);
    HeardTheVoice(frame);
    FollowWhereHeldSettles();
    for (Known& note : ringing_)
        if (SameNoteInAnyOctave(frame.Pitch, note.Pitch))
            note.LastHeard = position_;
    Decide();
}

double PitchDetector::RunPitch(std::size_t from, std::size_t to) const {
    std::vector<double> pitches;
    for (std::size_t i = from; i < std::min(to, run_.size()); ++i)
        pitches.push_back(run_[i].Pitch);
    return Median(pitches);
}

bool PitchDetector::LowerPitch(const Frame& a, const Frame& b) {
    return a.Pitch < b.Pitch;
}

double PitchDetector::NoiseAllows(const Frame& frame) const {
    // Steady noise under a note keeps its frames from repeating perfectly: at best they repeat by the
    // note's share of the sound.
    if (frame.Level <= 0 || !std::isfinite(floor_))
        return 1;
    return std::clamp(1 - floor_ / frame.Level, LeastNoiseAllows, 1.0);
}

double PitchDetector::SpreadCents(std::size_t frames) const {
    const auto [lowest, highest] =
        std::minmax_element(run_.end() - static_cast<std::ptrdiff_t>(frames), run_.end(), LowerPitch);
    return (highest->Pitch - lowest->Pitch) * 100;
}

bool PitchDetector::LastFramesClear(std::size_t frames, double clarity, double octaveUp) const {
    return run_.size() >= frames && std::all_of(run_.end() - static_cast<std::ptrdiff_t>(frames), run_.end(),
                                                [=, this](const Frame& f) {
                                                    return f.Clarity >= clarity * NoiseAllows(f) &&
                                                           f.OctaveUp <= octaveUp;
                                                });
}

std::optional<double> PitchDetector::SteadyPitch(std::size_t needed) const {
    // The last frames agree closely: a scoop up to the note, a bow's or a breath's first noisy moments and
    // a pluck's first instants agree with themselves only roughly while gliding. The note is the run's
    // pitch, which the frames that came before pull towards the middle of a vibrato's swing.
    if (SpreadCents(needed) <= settings_.SteadyCents) {
        if (SlidingSlowly())
            return std::nullopt;
        return GrownAfterAGlide(needed) ? RunPitch(run_.size() - needed) : RunPitch();
    }
    if (!ClearAndNearlySteady(needed))
        return WobblingInNoise();
    // Frames only nearly still are told at their own pitch, which frames read across a step from the last
    // note would drag behind.
    return RunPitch(run_.size() - needed);
}

bool PitchDetector::StillFor(std::size_t frames) const {
    return run_.size() >= frames && SpreadCents(frames) <= StillCents;
}

bool PitchDetector::AgreeStrongly() const {
    // A swelling note whose frames already repeat almost perfectly at one pitch, with nothing of the
    // octave above in them, is its note: its attack has nowhere left to go. Unless the run's pitch, which
    // is what would be told, still lies away from them: an attack that glided up to them drags it behind.
    return LastFramesClear(StrongFrames, StrongClarity, StrongOctaveUp) &&
           SpreadCents(StrongFrames) <= StrongCents &&
           std::abs(RunPitch() - RunPitch(run_.size() - StrongFrames)) * 100 <= settings_.SteadyCents &&
           !KeepsTheOctaveAbove(StrongFrames);
}

bool PitchDetector::ClearlyStruck() const {
    return LastFramesClear(StruckFrames, StruckClarity, StruckOctaveUp) &&
           !FlatStartClearOnlyInNoise(StruckFrames, StruckClarity);
}

std::optional<double> PitchDetector::CentredPitch() const {
    // A long run that wanders about its note rather than gliding towards another: a vibrato, a wobbly choir.
    if (run_.size() < WanderingFrames)
        return std::nullopt;
    // Its two halves lie at the same pitch...
    const std::size_t half = run_.size() / 2;
    if (std::abs(RunPitch(0, half) - RunPitch(half)) * 100 <= GlideCents)
        return RunPitch();
    // ...or it has swung both up and down within the run, and its note lies halfway between the turns.
    const auto [lowest, highest] = std::minmax_element(run_.begin(), run_.end(), LowerPitch);
    const auto inside = [this](std::vector<Frame>::const_iterator it) {
        const auto at = static_cast<std::size_t>(it - run_.begin());
        return at >= TurnMargin && at + TurnMargin < run_.size();
    };
    if (inside(lowest) && inside(highest))
        return (lowest->Pitch + highest->Pitch) / 2;
    return std::nullopt;
}

std::optional<double> PitchDetector::SettledPitch() const {
    // Less clear frames must agree for longer.
    auto needed = static_cast<std::size_t>(settings_.AgreeingFrames);
    for (std::size_t i = run_.size() - std::min(needed, run_.size()); i < run_.size(); ++i)
        if (run_[i].Clarity < SureClarity * NoiseAllows(run_[i]))
            needed = onsetHeard_ ? UnsureStruckFrames : UnsureFrames;
    if (onsetHeard_ && ClearlyStruck())
        needed = std::min(needed, StruckFrames);
    needed = std::min({needed, StillRunNeeds(), GrownStepNeeds()});
    const std::size_t stepNeeds = SungStepNeeds();
    const bool sungStep = stepNeeds <= needed; // told as a sung step: no other rule asks fewer frames
    needed = std::min(needed, stepNeeds);
    if (run_.size() < needed)
        return std::nullopt;
    // An attack that starts an octave low (an overblown flute, a saxophone, some plucked strings) sounds
    // more and more like its own note an octave up while it settles; until that stops, the octave is not
    // known yet. (A sung step away from the held voice is told all the same: its octave does not count.)
    double leastOctaveUp = 1;
    for (std::size_t i = run_.size() - needed; i < run_.size(); ++i)
        leastOctaveUp = std::min(leastOctaveUp, run_[i].OctaveUp);
    if (run_.back().OctaveUp - leastOctaveUp > OctaveDrift && !sungStep && !OwnOctaveWhileOctaveGrows(needed))
        return std::nullopt;
    // Nor while the sound is still growing fast: the first moments of a blown or bowed note, quiet and
    // often low, are not yet the note. Unless they are clear and have nothing of the octave above in them,
    // so that they cannot be an attack on its way up from the octave below.
    const std::size_t kept = levels_.size();
    if (kept > RisingFrames && levels_.back() > StillRising * levels_[kept - 1 - RisingFrames] &&
        !AgreeStrongly() && !LastFramesClear(needed, SureClarity, NoOctaveUp))
        return std::nullopt;
    if (!settings_.OctaveMatters && (SwellingIntoASungNote() || OctaveGrowsAsTheVoiceSwells(needed)))
        return std::nullopt;
    // A sound that repeats almost as well at half its period (where the octave matters), or a pitch halfway
    // between two keys (a scoop on its way, or a note out of tune), must hold on for longer to be believed.
    const std::optional<double> rising = GrownRisingIntoKey();
    const std::optional<double> steady = rising ? std::nullopt : SteadyPitch(needed);
    std::optional<double> pitch = rising ? rising : steady ? steady : GlidingInto();
    if (!pitch)
        pitch = CreepingInto();
    if (!pitch)
        pitch = CentredPitch();
    if (!pitch)
        pitch = SungOnKey(needed);
    if (!pitch || BowSettingInFlat(*pitch, needed))
        return std::nullopt;
    const double fromHalfway = 0.5 - std::abs(*pitch - std::round(*pitch));
    const bool doubtful =
        (settings_.OctaveMatters && run_.back().OctaveUp > NearlyAnOctaveUp && !OwnOctaveShown(needed)) ||
        fromHalfway <= BetweenKeys ||
        (fromHalfway <= NearlyBetweenKeys && !StillFor(UnsureFrames) && !SettlingInto(*pitch));
    if (doubtful && run_.size() < DoubtfulFrames)
        return std::nullopt;
    if (steady && LaggingTowardsBorder(*steady, needed))
        return std::nullopt;
    if (steady && !settings_.OctaveMatters && TrailingASungScoop(*steady, needed))
        return std::nullopt;
    if (!settings_.OctaveMatters && (PartialOfTheVoiceJustHeard(*pitch) || SaggedFromTheKeyAbove(*pitch)))
        return std::nullopt;
    return pitch;
}

void PitchDetector::Decide() {
    const std::optional<double> settled = run_.empty() ? std::nullopt : SettledPitch();
    if (!settled)
        return;
    const double pitch = *settled;
    const auto needed = static_cast<std::size_t>(settings_.AgreeingFrames);
    double clarity = 0;
    for (const Frame& f : run_)
        clarity += f.Clarity;
    const double confidence = clarity / double(run_.size());

    // The held note, or one told before that still rings, heard again is that note still sounding unless it
    // was struck anew (or sung again after a silence). A new pitch without a new start (legato, a slide)
    // must hold a frame longer than a struck one, and is not told while the sound dies away: that is an
    // older string or the room ringing on as the last note fades, not a note played. (A slide does not
    // hold still long enough to pass for a note on its way; the steadiness asked of every run sees to it.)
    const Known* same = held_ && SameNoteInAnyOctave(pitch, held_->Pitch) ? &*held_ : nullptr;
    for (const Known& note : ringing_)
        if (same == nullptr && StillRinging(note) && SameNoteInAnyOctave(pitch, note.Pitch))
            same = &note;
    const bool isHeld = held_ && same == &*held_;
    const bool outOfQuiet = quietSinceTold_ && RoseOutOfQuiet();
    // A swell that rose slowly, within a semitone of the latest note's pitch or of where it sounded just
    // before, or at one of the held note's upper partials, is that note drifting or changing colour (a
    // vibrato's swing, a choir sagging) rather than a new one: a note held on does not answer twice.
    const Known* latest = held_                                                ? &*held_
                          : !ringing_.empty() && StillRinging(ringing_.back()) ? &ringing_.back()
                                                                               : nullptr;
    const bool swell = latest != nullptr &&
                       (SemitonesApart(pitch, latest->Pitch) < NearHeldSemitones ||
                        NearWhereLatestSounded(pitch) || PartialOfHeldNote(pitch)) &&
                       afterOnset_ < SharpRise * beforeOnset_;
    if (swell && same == nullptr)
        return;
    if (isHeld && !Restruck(*same)) {
        if (const std::optional<double> now = HeldPitchNow(pitch); now && heldPitch_.Moved(*now, position_))
            Tell(HeardNote::Kind::Moved, *now, heldOnset_, confidence);
        return;
    }
    if (same != nullptr ? !Restruck(*same) && (isHeld || !outOfQuiet)
                        : !onsetHeard_ && !outOfQuiet &&
                              (NewPitchTooShort(needed) || LeftByTheFadingNote(pitch)))
        return;
    LetGo();
    const std::int64_t onset = onsetHeard_ ? lastOnset_ : runStart_;
    onsetHeard_ = false;
    Tell(HeardNote::Kind::Began, pitch, onset, confidence);
    held_ = Known{pitch, position_, onsets_.LevelNow(), pitch};
    heldHeard_.clear();
    latestSounded_.reset();
    quietSinceTold_ = false;
    heldOnset_ = onset;
    heldToldAt_ = position_;
    heldPitch_.Told(pitch, position_);
}

void PitchDetector::Tell(HeardNote::Kind kind, double pitch, std::int64_t onset, double confidence) {
    events_.push_back(HeardNote{kind, pitch, onset, position_, confidence});
}

void PitchDetector::LetGo() {
    if (!held_)
        return;
    Tell(HeardNote::Kind::Ended, held_->Pitch, heldOnset_, 0);
    ringing_.push_back(*held_);
    if (ringing_.size() > MostRinging)
        ringing_.erase(ringing_.begin());
    held_.reset();
}

std::optional<double> PitchDetector::HeldPitchNow(double settled) const {
    // In its own octave only: a run read an octave off is the held note misheard, not moved. And only from
    // frames as clear as a note told at once: noise that blurs a held note's period moves its pitch about.
    if (std::abs(settled - held_->Pitch) > SameNoteSemitones ||
        !LastFramesClear(static_cast<std::size_t>(settings_.AgreeingFrames), SureClarity, 1.0))
        return std::nullopt;
    return settled;
}

} // namespace quavix
