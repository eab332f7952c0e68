#pragma once

// Hears notes in a stream of mono samples: where each note starts, which pitch it has once several frames
// in a row agree on it, and when it ends. A note held on begins once; a note struck again, or a new pitch
// sung or played legato, is told anew. A held note that settles at another pitch (into tune, or out of it)
// is told as moved. Plain C++, fed sample buffers, so it runs the same on a device's input, a file or a
// test's synthetic tones.

#include "Biquad.h"
#include "HeldNoteCheck.h"
#include "HeldPitchFollower.h"
#include "NoteSeparation.h"
#include "OnsetTracker.h"
#include "PeriodEstimator.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace quavix {

struct PitchDetectorSettings {
    int SampleRate = 16000;
    int HopSamples = 80;     // a frame every 5 ms
    int WindowSamples = 640; // the longest stretch a frame reads: 40 ms, a little over three periods of E2
    // The pitches looked for: below E2 by more than any tolerance, and above the highest written note by
    // an octave, so a note an octave away is heard as what it is.
    double LowestHz = 62;
    double HighestHz = 2100;
    double MinClarity = 0.7;    // how nearly a frame must repeat itself at its period to count
    double GateDbfs = -55;      // quieter frames are not read
    int AgreeingFrames = 4;     // clear frames in a row that must agree closely before a note is told
    double AgreementCents = 45; // a frame further from the frames before it starts a new run
    // How far apart the pitches of those frames may lie.
    double SteadyCents = 6;
    // A note heard once is taken as let go when its pitch has not been heard for this long.
    int ReleaseMs = 90;
    // Whether the answer depends on the octave (the full-range piano, the guitar). Where it does not
    // (singing, the note buttons), a note whose octave alone is in doubt is told without waiting for that to
    // clear.
    bool OctaveMatters = true;
    // How far from its key a heard pitch still answers that key. A note creeping into its key is told before
    // it holds still only once its pitch lies this near; told sooner, it would answer nothing.
    double ToleranceCents = 50;
};

// One thing the detector heard.
struct HeardNote {
    // Moved: the held note now sounds steadily at Pitch, a step away from where it was told last (it came
    // into tune, or drifted out of it). It is still the same note, which began once.
    enum class Kind : std::uint8_t { Began = 0, Ended = 1, Moved = 2 };
    Kind What = Kind::Began;
    double Pitch = 0;             // MIDI note number with cents as its fraction: 69 is A4 at 440 Hz
    std::int64_t OnsetSample = 0; // where the note started, in samples since the stream began
    std::int64_t HeardSample = 0; // the sample at which the detector was sure (or the note ended)
    double Confidence = 0;        // 0..1, how clearly the frames repeated at the pitch
};

class PitchDetector final {
public:
    // Pitches within this many semitones are one note: a singer's vibrato, an instrument's detuning.
    static constexpr double SameNoteSemitones = 0.6;

    explicit PitchDetector(const PitchDetectorSettings& settings = {});

    // Takes the next samples and returns what was heard in them (empty most of the time). The returned
    // list is valid until the next call.
    const std::vector<HeardNote>& Feed(const float* samples, int count);

    // Forgets the stream: a note that was heard is let go of without an event, and the next one starts
    // from silence. For when the sound in between must not count (the program's own note playing).
    void Reset();

    const PitchDetectorSettings& Settings() const { return settings_; }
    void SetOctaveMatters(bool matters) { settings_.OctaveMatters = matters; }
    void SetToleranceCents(double cents) { settings_.ToleranceCents = cents; }
    std::int64_t SamplesTaken() const { return position_; }
    // The pitch being held now, if a note has been told and not let go of.
    std::optional<double> HeldPitch() const;

private:
    // A frame that repeats at half its period by more than this share of how well it repeats at its period
    // leaves its octave in doubt.
    static constexpr double OctaveInDoubt = 0.85;
    // Frames repeating this clearly, agreeing strongly, tell their note while it still swells.
    static constexpr double StrongClarity = 0.96;

    struct Frame {
        double Pitch;
        double Clarity;
        double OctaveUp;  // see PeriodEstimate
        double Level = 0; // mean square of the sound just before the frame's end
        // Read from what is left of a ringing note, whose odd partials show the frame's own octave.
        bool OwnOctave = false;
        // The same, for a frame holding only some of the octave above (OwnOctave asks it of one in doubt).
        bool OddPartialsOwn = false;
        // Read from what is left once a ringing or held note is taken out.
        bool Underneath = false;
    };
    // A note told: the one held now, or one before it, which may ring on under it.
    struct Known {
        double Pitch;
        std::int64_t LastHeard;
        double Peak; // the loudest it has been while held, as mean square
        double Told; // where it was told; Pitch follows where it settles while held
    };

    void RunFrame();
    std::optional<Frame> ReadFrame();
    PeriodEstimate Confirmed(const float* samples, int count, PeriodEstimate whole);
    bool LeavingTheOctaveBelow(int count, const PeriodEstimate& whole, const PeriodEstimate& recent) const;
    std::optional<Frame> Separate(const float* samples, int count, const PeriodEstimate& plain);
    Frame WithOwnOctave(Frame frame, const float* samples, int count, double ringingPeriod);
    // The whole sound read clearly at the ringing note in another octave: a note beside it, sharing a period.
    static bool WholeAtAnotherOctave(const PeriodEstimate& whole, double ringing);
    // What is left once the ringing note is taken out carries on the run read from under it, at its pitch.
    bool CarriesOnTheRunUnder(const Remainder& left, double ringing) const;
    // Where the octave does not count: the frame an octave lower where its odd partials show it is.
    Frame SungOctaveBelow(Frame frame, const float* samples, int count, double ringingPeriod);
    Remainder TakenOutWhereHeard(const float* samples, int count, const Remainder& left);
    double LatestClarity(const float* samples, int count, const Remainder& left);
    bool Explains(const std::optional<Known>& note, const PeriodEstimate& estimate) const;
    void Agree(const Frame& frame);
    Frame InTheRunsOctave(Frame frame);
    // The run is a single frame off a longer one, which this frame comes straight back to.
    bool BackToBrokenRun(const Frame& frame) const;
    static bool LowerPitch(const Frame& a, const Frame& b);
    double RunPitch(std::size_t from = 0, std::size_t to = SIZE_MAX) const;
    std::optional<double> SteadyPitch(std::size_t needed) const;
    bool ClearAndNearlySteady(std::size_t frames) const;
    // The centre the latest frames wobble about evenly in noise, for a note near its key.
    std::optional<double> WobblingInNoise() const;
    // How clearly the run's frames from this one on (up to that one) repeat, on average, against what the
    // noise allows.
    double ClarityAsNoiseAllows(std::size_t from, std::size_t to = SIZE_MAX) const;
    std::size_t StillRunNeeds() const;
    // Played, a note grown out of the held one, read from what that note leaves: how many frames tell it.
    std::size_t GrownStepNeeds() const;
    bool GrownOutOfTheHeldNote() const;
    // Such a run whose earlier frames still glide, rising into its key and slowing: the pitch it is told at.
    std::optional<double> GrownRisingIntoKey() const;
    // Told so, after frames that glided into the latest ones: those alone say where the note is.
    bool GrownAfterAGlide(std::size_t needed) const;
    // A played attack in noise, its frames not yet sure but together on their key: how many tell it, and
    // its pitch.
    std::size_t NoisyRunNeeds() const;
    std::optional<double> NoisyAttackOnKey() const;
    // Singing, a step from the held note to the next: what the held voice leaves once taken out, and how
    // many frames of the next note tell it.
    std::optional<Frame> SungUnderHeld(const float* samples, int count, const PeriodEstimate& plain);
    // What is left of a blurred held note taken out at the period just read, where that holds a clear note
    // away from the held voice (sung or played).
    std::optional<Remainder> NextNoteUnderHeld(const float* samples, int count, const PeriodEstimate& plain);
    std::size_t SungStepNeeds() const;
    // A step's latest frames swing about one key's centre, away from the held voice.
    bool SungStepOnKey() const;
    bool StepHoldsAway(double spreadCents, double clarity) const;
    // The held note was told only moments ago (heard for fewer frames than are kept of it).
    bool HeldVoiceSettingIn() const;
    // The latest frames glide under such a voice, read with it taken out: another voice joining it.
    bool GlideUnderAVoiceSettingIn(std::size_t frames) const;
    bool AwayFromTheHeldVoice(double pitch) const;
    // Played, the next note grown out of the held one without a start: what the held note leaves once taken
    // out.
    std::optional<Frame> PlayedUnderHeld(const float* samples, int count, const PeriodEstimate& plain);
    double NoiseAllows(const Frame& frame) const;
    double SpreadCents(std::size_t frames) const;
    bool LastFramesClear(std::size_t frames, double clarity, double octaveUp) const;
    bool OwnOctaveShown(std::size_t frames) const;
    // The octave above grows in a note bowed under a ringing one as it brightens, while its odd partials show
    // its own octave: not an attack on its way up from the octave below.
    bool OwnOctaveWhileOctaveGrows(std::size_t frames) const;
    bool StillFor(std::size_t frames) const;
    bool AgreeStrongly() const;
    bool KeepsTheOctaveAbove(std::size_t frames) const;
    bool ClearlyStruck() const;
    // A bow's rough start, most of a semitone flat, whose frames pass a clarity bar only as noise lowers it.
    bool FlatStartClearOnlyInNoise(std::size_t frames, double clarity) const;
    // A bow's quiet plateau on the sharp side of the key below, just after its start, in noise.
    bool BowSettingInFlat(double pitch, std::size_t frames) const;
    // The same plateau sagging onto the key below as the bow digs in, told from a glide read off it.
    bool BowScrapingDown(double pitch, std::vector<Frame>::const_iterator from) const;
    // Noise takes the set-in share of the frames from here on, on average.
    bool NoisyOnAverage(std::vector<Frame>::const_iterator from) const;
    // The same plateau nearer the key below, rough as the noise would not make a note's frames.
    bool RoughJustSharpOfKey(double sharpCents, std::size_t frames) const;
    // The same plateau just sharp of the key below, its later frames rougher than its earlier ones.
    bool RougherJustSharpOfKey(double sharpCents, std::size_t frames) const;
    std::optional<double> CentredPitch() const;
    // How many samples this many milliseconds take.
    std::int64_t SamplesIn(int ms) const { return std::int64_t(ms) * settings_.SampleRate / 1000; }
    // Less than this long has passed since the latest note start: its attack may not have settled.
    bool NoteYoungerThan(int ms) const { return position_ - lastOnset_ < SamplesIn(ms); }
    // Singing: the latest frames lie within a few cents of one key, though not still.
    std::optional<double> SungOnKey(std::size_t frames) const;
    bool SettlingInto(double pitch) const;
    std::optional<double> GlidingInto() const;
    double ClarityOverPeriods(double pitch, int periods) const;
    bool ReadAnOctaveHigh(double pitch) const;
    std::optional<double> CreepingInto() const;
    // The run broke off the held note, read from under it as another note.
    bool BrokeOffTheHeldNoteUnder() const;
    std::optional<double> SettledPitch() const;
    // The pitch of the run's latest frames (of all of it, where it is no longer), ahead of the run's own.
    double LatestPitch(std::size_t latest) const;
    bool LaggingTowardsBorder(double pitch, std::size_t latest) const;
    bool SwellingIntoASungNote() const;
    bool OctaveGrowsAsTheVoiceSwells(std::size_t frames) const;
    bool TrailingASungScoop(double pitch, std::size_t latest) const;
    // Where the octave does not count: the frame as read, or the run an unread frame cut off taken up again.
    std::optional<Frame> AcrossAnUnreadFrame(std::optional<Frame> frame);
    // A pitch at an upper partial of the run that just broke off: that voice, not a note of its own.
    bool PartialOfTheVoiceJustHeard(double pitch) const;
    // The run just broken off went on an octave under the held note after it was told, read with the held
    // note taken out.
    bool HeldNoteToldOverItsVoice() const;
    // Keeps where the voice was heard, to tell a sag from a note sung lower.
    void HeardTheVoice(const Frame& frame);
    // A sung pitch at the bottom of a sag from where the voice held at the key above since the note's start.
    bool SaggedFromTheKeyAbove(double pitch) const;
    void Decide();
    void NoteStarted(std::int64_t onset);
    void HeardHeldNote(const Frame& frame);
    std::optional<double> WhereHeldSoundedBefore(std::int64_t onset) const;
    bool SungNoteLetGoRinging() const;
    // Moves the held note's pitch to where it now holds still, if that lies near where it was told.
    void FollowWhereHeldSettles();
    bool NearWhereLatestSounded(double pitch) const;
    // How far apart two pitches lie, in semitones; in their nearest octaves where the octave does not count.
    double SemitonesApart(double a, double b) const;
    // Where the held voice was told (as it settled since) and where a frame last heard it in its own octave,
    // the same until one has: a voice that sags carries its partials down with it.
    std::array<double, 2> HeldVoice() const;
    bool PartialOfHeldNote(double pitch) const;
    void RereadSince(std::int64_t onset, const std::vector<Frame>& before);
    bool Sliding(std::size_t frames) const;
    // Pitches, in the order heard or its reverse, that step one way only (or hold) and have gone further
    // than this many cents from the first to the last.
    static bool StepsOneWay(std::span<const double> pitches, double cents);
    bool SlidingSlowly() const;
    bool StillRinging(const Known& note) const;
    bool Fading() const;
    // A pitch that is not the held note's upper partial nor any note told before, in any octave.
    bool NewToTheHeldNote(double pitch) const;
    // As the sound dies away, a pitch without a start is what the fading note leaves, not a note set in.
    bool LeftByTheFadingNote(double pitch) const;
    // A new pitch heard without a start has not held long enough yet to be told.
    bool NewPitchTooShort(std::size_t needed) const;
    bool HoldsOwnLevel(const Known& latest) const;
    bool RoseOutOfQuiet() const;
    bool Restruck(const Known& note) const;
    // The pitch the held note sounds at now, as the settled pitch of its latest frames, if they are clear.
    std::optional<double> HeldPitchNow(double settled) const;
    void Tell(HeardNote::Kind kind, double pitch, std::int64_t onset, double confidence);
    void LetGo();

    PitchDetectorSettings settings_;
    Biquad highPass_;
    Biquad lowPass_;
    OnsetTracker onsets_;
    PeriodEstimator estimator_;
    HeldNoteCheck heldCheck_;
    HeldPitchFollower heldPitch_;
    // The notes a frame is read apart from, kept between frames so that reading one allocates nothing.
    std::vector<const Known*> separating_;
    // The last frame read in full that heard the held note, while later frames still sound as it did.
    std::optional<Frame> heldFrame_;
    std::vector<float> history_; // filtered samples, newest last
    std::vector<float> scratch_;
    std::vector<float> oddScratch_; // the odd partials of what a ringing note leaves
    std::int64_t position_ = 0;     // samples taken
    std::int64_t historyStart_ = 0;
    int sinceFrame_ = 0;
    // Frames may not read before this sample: the newest note's start.
    std::int64_t readFrom_ = 0;
    std::int64_t lastOnset_ = 0;
    bool onsetHeard_ = false; // the latest note start has not been told yet
    // The sound just before the latest note start, and the loudest it grew to in the moment after it.
    double beforeOnset_ = 0;
    double afterOnset_ = 0;
    std::vector<Frame> run_; // frames in a row that agree, oldest first
    // The sound's level at the latest frames, oldest first: enough of them to follow a voice swelling into
    // its note over SwellFrames (40 ms).
    static constexpr std::size_t SwellFrames = 8;
    std::deque<double> levels_;
    double floor_ = INFINITY; // the steady noise under the sound, as mean square
    std::int64_t runStart_ = 0;
    // The run the latest frame broke off, kept for one frame in case the next comes straight back to it.
    std::vector<Frame> broken_;
    double brokenPitch_ = 0;
    std::int64_t brokenStart_ = 0;
    std::int64_t brokenAt_ = -1;
    // The run the latest frame, left unread, cut off: where that frame was and where frames read from then.
    struct UnreadRun {
        std::vector<Frame> Run;
        std::int64_t At = -1;
        std::int64_t ReadFrom = 0;
    };
    UnreadRun unread_;
    std::optional<Known> held_;
    std::vector<Known> ringing_; // notes told before the held one, the latest last
    std::int64_t heldOnset_ = 0;
    std::int64_t heldToldAt_ = 0;
    // How many frames that heard the held note are kept: the checks of its drift and of where it settles
    // look back over no more.
    static constexpr std::size_t HeldHeardFrames = 16;
    // The latest frames that heard the held note in its own octave, as where they end and the pitch they
    // read, oldest first; and where the note told last sounded just before the latest note start.
    std::deque<std::pair<std::int64_t, double>> heldHeard_;
    std::optional<double> latestSounded_;
    // The latest frames' pitches where the octave does not count, as where they end and the pitch read,
    // oldest first.
    std::deque<std::pair<std::int64_t, double>> voiceHeard_;
    // The sound fell quiet since the last note was told, so what comes next is a new note even without
    // a start sharp enough to find (a slow swell out of silence).
    bool quietSinceTold_ = true;
    std::vector<HeardNote> events_;
};

// Conversions between frequency and MIDI pitch.
double PitchOfFrequency(double hz);
double FrequencyOfPitch(double pitch);
// Semitones from b's nearest octave to a, 0..6.
double SemitonesFromAnyOctave(double a, double b);
// The same note or the same note in another octave: one sound whose octave a frame may misjudge.
bool SameNoteInAnyOctave(double a, double b);
// The pitch of what is left once a note is taken out, or 0 where it repeats at no period.
double PitchOf(const Remainder& left);
// Whether a lies at one of note's upper partials that are not its octaves (the twelfth, two octaves and a
// major third, two octaves and a fifth), which may ring on, or stand out of it for a moment, on their own.
bool UpperPartialOf(double a, double note);
// Whether a pitch is a note in another octave or one of its upper partials: what it leaves ringing.
bool RingsOnFrom(double pitch, double note);

} // namespace quavix
