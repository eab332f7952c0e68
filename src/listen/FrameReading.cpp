// How the pitch detector reads one frame: the latest window of sound, a held note heard on in it, or what is
// left of it once the notes that may still ring are taken out.

#include "PitchDetector.h"

#include "NoteSeparation.h"
#include "OddPartials.h"

#include <algorithm>
#include <cmath>

namespace quavix {

namespace {

// What is left once a ringing note is taken out is another note only when it holds this share of the sound.
constexpr double NewNoteShare = 0.15;
// While the whole sound no longer repeats as one note, what is left is the next note sooner: as soon as it
// holds this share of the sound and repeats this clearly on its own. A note played legato grows out of the
// last one's release, which outweighs it for its first moments.
constexpr double RisingShare = 0.08;
constexpr double RisingClarity = 0.9;
// A note within about two semitones of a ringing one (in any octave) repeats at nearly its period, so taking
// the ringing note out one period back takes most of the new note's fundamental with it (a semitone up keeps
// a fifth of it): what is left reads unclearly, or an octave off. Taken out two periods back, the new note
// keeps its fundamental. That reading counts where the first is unclear and this one repeats clearly better,
// says the same note in some octave, and lies further from the ringing note than the ringing note's own drift
// (a wavering voice, which the longer lag leaves twice as much of).
constexpr double NeighbourSemitones = 2.2;
constexpr double OwnDriftSemitones = 0.8;
constexpr double ClearerBy = 0.05;
// A ringing note and a new one heard as one, read between them, lie within about a whole tone of each other
// as they sound; but a held voice drifts, and the ringing note's pitch as told may lie a few tenths from
// where it sounds by now, so the new note may lie this far from that pitch.
constexpr double HeardAsOneSemitones = 2.5;
// A frame's pitch is read over up to 40 ms, which a note's first moments fill only gradually; the last
// three periods (at least 10 ms) say how clearly the sound repeats now, and must agree within this.
constexpr double LatestAgreement = 0.2;
// An attack that starts an octave low (a saxophone's high notes) has left it in its latest periods while
// the window still holds its first moments: those periods repeat clearly at the octave above, with little
// of the octave above that in them, and the whole window repeats nearly as well there as at its own lower
// period. Only while the window begins within the note's first moments: later on, latest periods leaping
// an octave from the whole window are a voice wavering between its octaves, not an attack passing.
constexpr double UpperOctaveClarity = 0.93;
constexpr double UpperOctaveLeftUp = 0.15;
constexpr double LowerReadingExplained = 0.85;
constexpr int AttackMs = 60;
// In noise, a stretch of a few periods of a high note repeats nearly as well at twice its period as at its
// period, and may be read an octave low. Latest periods read so do not contradict the whole window while
// they still repeat clearly at its period, within this of how well they repeat at the lower reading.
constexpr double OctaveLowMargin = 0.1;
// Where the octave does not count (singing), latest periods an octave from a whole window that repeats at
// least this clearly are the voice's partials moving between its octaves, not another note: they agree as
// long as they still repeat clearly at the whole window's period. (Over a ringing note, or two notes mixed,
// the whole window repeats less clearly, and its latest periods may be the other note.)
constexpr double AnyOctaveWholeClarity = 0.9;

// Whether what is left once a ringing note is taken out reads below the whole sound, where the whole sound is
// neither the ringing note in some octave nor it and a neighbour heard as one. Taking the ringing note out
// takes the partials the new note shares with it as well, which may be its strongest (a plucked string's
// third partial, under a string a fifth above it): a faint sound beside the note (a string ringing in
// sympathy) then weighs as much as the note in what is left, which repeats best at their common period, far
// below the note. The whole sound, in which those partials still stand out, repeats at the note's period.
bool ReadBelowTheWhole(double ringing, double whole, double left) {
    return std::abs(whole - ringing) > HeardAsOneSemitones && !SameNoteInAnyOctave(whole, ringing) &&
           !SameNoteInAnyOctave(left, whole) && left < whole - PitchDetector::SameNoteSemitones;
}

// Whether the whole sound, read at `whole`, is a ringing note and a neighbour left once it is taken out,
// heard as one: two notes that close beat too slowly for a frame to tell them apart, and read between them.
bool HeardAsOne(double ringing, double whole, double left) {
    const double apart = std::abs(left - ringing);
    return apart >= OwnDriftSemitones && apart <= HeardAsOneSemitones &&
           (whole - ringing) * (left - whole) > 0;
}

// What is left of the stretch once a ringing note of that period and pitch is taken out.
Remainder WithoutRingingNote(PeriodEstimator& estimator, const float* samples, int count, double period,
                             double pitch, bool twoPeriodsReadable, std::vector<float>& scratch) {
    Remainder left = WithoutPeriod(estimator, samples, count, period, scratch);
    if (!twoPeriodsReadable || left.Estimate.Frequency <= 0 || left.Estimate.Clarity >= RisingClarity)
        return left;
    // The reading two periods back must say the note this one does in some octave, so this one must lie
    // near enough to the ringing note already.
    const double near = SemitonesFromAnyOctave(PitchOf(left), pitch);
    if (near < OwnDriftSemitones - PitchDetector::SameNoteSemitones ||
        near > NeighbourSemitones + PitchDetector::SameNoteSemitones)
        return left;
    Remainder further = WithoutPeriod(estimator, samples, count, 2 * period, scratch);
    const double apart = SemitonesFromAnyOctave(PitchOf(further), pitch);
    const bool neighbour =
        further.Estimate.Frequency > 0 && apart >= OwnDriftSemitones && apart <= NeighbourSemitones;
    if (neighbour && further.Estimate.Clarity >= left.Estimate.Clarity + ClearerBy &&
        SameNoteInAnyOctave(PitchOf(further), PitchOf(left)))
        return further;
    return left;
}

} // namespace

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
    if (held_ && !onsetHeard_ && heldFrame_ &&
        std::abs(heldFrame_->Pitch - held_->Pitch) <= SameNoteSemitones)
        if (const auto drift = heldCheck_.Since(samples, count))
            return Frame{heldFrame_->Pitch + drift->Semitones,
                         std::clamp(heldFrame_->Clarity + drift->Clarity, 0.0, 1.0),
                         std::clamp(heldFrame_->OctaveUp + drift->OctaveUp, 0.0, 1.0)};
    const PeriodEstimate plain = Confirmed(samples, count, estimator_.Estimate(samples, count));
    heldFrame_.reset();
    // The held note heard again, unless a new start has come since: then it may be another note struck
    // under the louder held one, which shows once the held one is taken out.
    if (plain.Frequency > 0 && plain.Clarity >= settings_.MinClarity && Explains(held_, plain) &&
        !onsetHeard_) {
        if (const std::optional<Frame> under = SungUnderHeld(samples, count, plain))
            return under;
        if (const std::optional<Frame> under = PlayedUnderHeld(samples, count, plain))
            return under;
        heldFrame_ = Frame{PitchOfFrequency(plain.Frequency), plain.Clarity, plain.OctaveUp};
        heldCheck_.Measured(samples, count, settings_.SampleRate / plain.Frequency);
        return heldFrame_;
    }
    return Separate(samples, count, plain);
}

PeriodEstimate PitchDetector::Confirmed(const float* samples, int count, PeriodEstimate whole) {
    if (whole.Frequency <= 0)
        return whole;
    const double period = settings_.SampleRate / whole.Frequency;
    const int latest = LatestStretch(count, period);
    const PeriodEstimate recent = estimator_.Estimate(samples + count - latest, latest);
    const double leap =
        recent.Frequency > 0 ? PitchOfFrequency(recent.Frequency) - PitchOfFrequency(whole.Frequency) : 0;
    if (recent.Frequency > 0 && std::abs(leap - 12) <= LatestAgreement &&
        LeavingTheOctaveBelow(count, whole, recent))
        return recent;
    // How clearly the latest periods repeat at the whole window's period.
    const double clarity = estimator_.ClarityAt(period);
    const bool readOctaveLow = recent.Frequency > 0 && std::abs(leap + 12) <= LatestAgreement &&
                               clarity >= settings_.MinClarity && clarity >= recent.Clarity - OctaveLowMargin;
    const bool otherOctave = !settings_.OctaveMatters && recent.Frequency > 0 &&
                             std::abs(std::abs(leap) - 12) <= LatestAgreement &&
                             clarity >= settings_.MinClarity && whole.Clarity >= AnyOctaveWholeClarity;
    const bool agrees =
        recent.Frequency > 0 && (std::abs(leap) <= LatestAgreement || readOctaveLow || otherOctave);
    whole.Clarity = agrees ? clarity : 0.0;
    return whole;
}

bool PitchDetector::LeavingTheOctaveBelow(int count, const PeriodEstimate& whole,
                                          const PeriodEstimate& recent) const {
    const std::int64_t windowStart = position_ - count;
    return onsetHeard_ && windowStart - lastOnset_ <= SamplesIn(AttackMs) &&
           recent.Clarity >= UpperOctaveClarity && recent.OctaveUp <= UpperOctaveLeftUp &&
           whole.OctaveUp >= LowerReadingExplained;
}

bool PitchDetector::Explains(const std::optional<Known>& note, const PeriodEstimate& estimate) const {
    // In its own octave only: the held note and a new one a fifth above it repeat together at the period of
    // the octave below the held note. And near where it was told as well as where it settled: a quiet note
    // beside a settled one reads between the two, and may land near the settled pitch.
    if (!note || estimate.Frequency <= 0)
        return false;
    const double pitch = PitchOfFrequency(estimate.Frequency);
    return std::abs(pitch - note->Pitch) <= SameNoteSemitones &&
           std::abs(pitch - note->Told) <= SameNoteSemitones;
}

std::optional<PitchDetector::Frame> PitchDetector::Separate(const float* samples, int count,
                                                            const PeriodEstimate& plain) {
    const bool clear = plain.Frequency > 0 && plain.Clarity >= settings_.MinClarity;
    // Something else: a new note, alone or over one that still rings, or two notes at once. The notes that
    // may still ring are taken out one by one, and what is left is heard on its own.
    const std::int64_t readable = position_ - count - historyStart_;
    std::vector<const Known*>& notes = separating_;
    notes.clear();
    for (const Known& note : ringing_)
        notes.push_back(&note);
    if (held_)
        notes.push_back(&*held_);
    for (const Known* note : notes) {
        if (!StillRinging(*note))
            continue;
        const double period = settings_.SampleRate / FrequencyOfPitch(note->Pitch);
        if (period + 3 > double(readable))
            continue;
        Remainder left = WithoutRingingNote(estimator_, samples, count, period, note->Pitch,
                                            2 * period + 3 <= double(readable), scratch_);
        if (held_ && note == &*held_)
            left = TakenOutWhereHeard(samples, count, left);
        // What is left is a note of its own when it holds enough of the sound, or when the whole sound says
        // the same (a note a semitone from the ringing one loses most of itself with its partials). Not when
        // a played note's is read below a clear whole sound: then it is what the note's lost partials left
        // standing. (A voice's partials swell and fade on their own, and its whole sound may read at one.)
        const bool leftClear =
            left.Estimate.Frequency > 0 && left.Estimate.Clarity >= settings_.MinClarity &&
            !(clear && settings_.OctaveMatters &&
              ReadBelowTheWhole(note->Pitch, PitchOfFrequency(plain.Frequency), PitchOf(left)));
        const bool plainAgrees = clear && leftClear &&
                                 std::abs(PitchOfFrequency(left.Estimate.Frequency) -
                                          PitchOfFrequency(plain.Frequency)) <= SameNoteSemitones;
        // (Unless what is left is the ringing note itself in some octave, not quite taken out.) The whole
        // read at the ringing note in another octave counts as unclear: that is the two notes mixed.
        const bool rising = (!clear || WholeAtAnotherOctave(plain, note->Pitch)) && leftClear &&
                            left.Share >= RisingShare && left.Estimate.Clarity >= RisingClarity &&
                            !SameNoteInAnyOctave(PitchOfFrequency(left.Estimate.Frequency), note->Pitch);
        // A whole sound read between the ringing note and a clear neighbour left once it is taken out is the
        // two heard as one, not a note of its own: the neighbour is the new note. (Taken as it reads, a whole
        // tone struck beside a ringing note would be told as the semitone between them.)
        const bool heardAsOne = clear && leftClear && left.Estimate.Clarity >= RisingClarity &&
                                HeardAsOne(note->Pitch, PitchOfFrequency(plain.Frequency),
                                           PitchOfFrequency(left.Estimate.Frequency));
        if (leftClear && (left.Share >= NewNoteShare || plainAgrees || rising || heardAsOne ||
                          CarriesOnTheRunUnder(left, note->Pitch)))
            return WithOwnOctave(Frame{PitchOfFrequency(left.Estimate.Frequency),
                                       LatestClarity(samples, count, left), left.Estimate.OctaveUp},
                                 samples, count, period);
        if (left.Share < NewNoteShare && !clear)
            return Frame{note->Pitch, plain.Clarity, 0};
    }
    // A voice alone is one note, however strongly its vowel brings out its second and third partials: once
    // its octave's partials are cancelled, those leave a clear sound at the twelfth, as a fifth played above
    // it would, and taken for two notes a voice so coloured goes unheard for as long as its vowel lasts. Not
    // beside a held note: its frames are read as that note already, and this one would only draw its run out
    // into the next note's start.
    const bool oneVoice = !settings_.OctaveMatters && !held_;
    if (!clear || (!oneVoice && SoundsLikeTwoNotes(estimator_, samples, count,
                                                   settings_.SampleRate / plain.Frequency, scratch_)))
        return std::nullopt;
    return Frame{PitchOfFrequency(plain.Frequency), plain.Clarity, plain.OctaveUp};
}

} // namespace quavix
