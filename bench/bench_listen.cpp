// How well the pitch detector hears the corpus that listen_corpus rendered: per SoundFont, instrument and
// condition (clean, white noise at 20 and 10 dB, after a ringing note), the share of asked notes it
// recognised, its delay from the note's start to the answer, the wrong accepts (another note taken as
// right), notes told twice, and its processor time, both in one pass and paced at the real rate. Each clip
// is judged as the trainer would judge it: an instrument by the exact octave (the full-range piano), the
// voice in any octave (singing); the voice's notes told in another octave are counted on a line of their
// own.
// --tolerance CENTS judges (and sets the detector) as the trainer does with a stricter or looser tolerance.
//   bench_listen CORPUS-FOLDER [--paced SECONDS] [--fonts] [--only TEXT] [--tolerance CENTS] [--noise DRAW]
#include "ListenCorpus.h"
#include "PitchDetector.h"
#include "PitchJudge.h"
#include "Resampler.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>

using namespace quavix;
using namespace listencorpus;

namespace {

constexpr int BlockFrames = 480; // what a capture device hands over every 10 ms at 48 kHz

struct Condition {
    const char* Name;
    double SnrDb; // no noise when infinite
    bool AfterAnother;
};
const Condition Conditions[] = {
    {"clean", INFINITY, false},  {"20 dB", 20, false},        {"10 dB", 10, false},
    {"ringing", INFINITY, true}, {"ringing 20 dB", 20, true},
};

struct Tally {
    int Notes = 0;
    int Recognised = 0;
    int WrongAccepts = 0; // another key taken as the asked one (an octave counts only where the mode asks)
    int ToldTwice = 0;    // more than one answer to one note
    int Nothing = 0;
    int OtherOctave = 0; // a sung note first told in another octave, which singing accepts
    std::vector<double> DelaysMs;
    std::vector<double> AudibleDelaysMs; // the same delays counted from when the note became audible
};

double Percentile(std::vector<double> values, double share) {
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(std::ceil(share * double(values.size())) - 1);
    return values[std::min(index, values.size() - 1)];
}

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec * 1e-9;
}

// White noise at snrDb below the asked note's loudness over its held second.
void AddNoise(std::vector<float>& sound, const Clip& clip, double snrDb, unsigned seed) {
    const auto first = static_cast<std::size_t>(clip.NoteStart);
    const std::size_t last = std::min(sound.size(), first + static_cast<std::size_t>(SampleRate));
    double power = 0;
    for (std::size_t i = first; i < last; ++i)
        power += double(sound[i]) * sound[i];
    power /= double(std::max<std::size_t>(1, last - first));
    std::mt19937 random(seed);
    std::normal_distribution<float> gauss(0.0f,
                                          static_cast<float>(std::sqrt(power / std::pow(10, snrDb / 10))));
    for (float& s : sound)
        s += gauss(random);
}

// The noise of a clip in a condition is the same whichever clips run with it, so a clip picked out with
// --only hears what it heard in the whole run. --noise N draws another noise for every clip: a rule tuned
// on one draw must hold on others.
int noiseDraw = 0;

unsigned NoiseSeed(const Clip& clip, const Condition& condition) {
    std::string key = clip.File + condition.Name;
    if (noiseDraw != 0)
        key += "#" + std::to_string(noiseDraw);
    return static_cast<unsigned>(std::hash<std::string>{}(key));
}

// A note told, and when the program could act on it: at the end of the block that carried it.
struct Told {
    HeardNote Note;
    std::int64_t AvailableSample = 0; // at the corpus's rate
};

// When a note becomes audible: the start of the first 5 ms stretch from the key-down on whose loudness
// reaches -30 dB of the note's loudest 5 ms. Some samples stay near silent for tens of milliseconds after
// the key goes down, which no listener could hear. Samples after the key-down; 0 for an empty note.
std::int64_t AudibleLag(const std::vector<float>& sound, std::int64_t noteStart) {
    constexpr std::size_t Stretch = SampleRate / 200;
    const double share = std::pow(10.0, -30.0 / 10); // of the mean square
    std::vector<double> levels;
    if (noteStart < 0)
        return 0;
    for (auto at = static_cast<std::size_t>(noteStart); at + Stretch <= sound.size(); at += Stretch) {
        double sum = 0;
        for (std::size_t i = at; i < at + Stretch; ++i)
            sum += double(sound[i]) * sound[i];
        levels.push_back(sum / Stretch);
    }
    if (levels.empty())
        return 0;
    const double loudest = *std::max_element(levels.begin(), levels.end());
    std::size_t first = 0;
    while (levels[first] < share * loudest)
        ++first;
    return static_cast<std::int64_t>(first * Stretch);
}

// The audible lag of a clip's asked note, read from the clip of the same note rendered alone (the same key
// and velocity): after a ringing note the new note's own rise cannot be told apart from the old note's tail.
std::int64_t AudibleLagOf(const std::string& folder, const Clip& clip, const std::vector<float>& sound,
                          const std::map<std::string, std::int64_t>& noteStarts) {
    if (clip.Previous < 0)
        return AudibleLag(sound, clip.NoteStart);
    const std::string suffix = "-after.wav";
    if (!clip.File.ends_with(suffix))
        return 0;
    const std::string alone = clip.File.substr(0, clip.File.size() - suffix.size()) + ".wav";
    const auto start = noteStarts.find(alone);
    // Without the lone clip, or with one that cannot be read, the lag counts as none.
    return start == noteStarts.end() ? 0 : AudibleLag(ReadWav(folder + "/" + alone), start->second);
}

// How far from the asked key a heard pitch still answers it.
int toleranceCents = DefaultToleranceCents;

// Runs the detector over the sound as a capture would hand it over, set as the trainer sets it for the mode
// the clip stands for; returns the notes told.
std::vector<Told> Listen(const std::vector<float>& sound, bool octaveMatters, double& cpuSeconds) {
    PitchDetector detector;
    detector.SetOctaveMatters(octaveMatters);
    detector.SetToleranceCents(toleranceCents);
    Resampler resampler(SampleRate, detector.Settings().SampleRate);
    std::vector<Told> told;
    std::vector<float> block;
    const double before = ThreadSeconds();
    for (std::size_t at = 0; at < sound.size(); at += BlockFrames) {
        const int count = static_cast<int>(std::min<std::size_t>(BlockFrames, sound.size() - at));
        block.clear();
        resampler.Process(sound.data() + at, count, block);
        for (const HeardNote& note : detector.Feed(block.data(), static_cast<int>(block.size())))
            told.push_back({note, static_cast<std::int64_t>(at) + count});
    }
    cpuSeconds += ThreadSeconds() - before;
    return told;
}

bool verbose = false;

bool IsVoice(const Clip& clip) {
    for (const Instrument& instrument : Instruments())
        if (clip.Instrument == instrument.Name)
            return instrument.Voice;
    return false;
}

// Judges what was told against the clip as the trainer would in the mode the clip stands for (the octave
// counts for an instrument, not for the voice): the first answer from the asked note's start on must be the
// asked note (within the tolerance); every answer from the start on that gives another key is a wrong
// accept, and so is anything told before the start of a clip that had nothing to hear there. A note told out
// of tune answers nothing then, but while it is held it answers once it is told as moved into tune.
void Judge(const Clip& clip, const std::vector<Told>& told, std::int64_t audibleLag, Tally& tally,
           bool report = false) {
    ++tally.Notes;
    const double start = double(clip.NoteStart) / SampleRate;
    const OctaveRule rule = IsVoice(clip) ? OctaveRule::AnyOctave : OctaveRule::Exact;
    int answers = 0;
    bool waiting = false; // a note held that was told out of tune and has not answered yet
    for (const Told& t : told) {
        if (t.Note.What == HeardNote::Kind::Ended)
            waiting = false;
        const bool moved = t.Note.What == HeardNote::Kind::Moved;
        if (t.Note.What == HeardNote::Kind::Ended || (moved && !waiting))
            continue;
        const double at = double(t.AvailableSample) / SampleRate;
        const HeardAnswer answer = JudgeHeardPitch(t.Note.Pitch, clip.Key, rule, toleranceCents);
        const bool outOfTune = answer.Verdict == HeardVerdict::OutOfTune;
        // A note told before the asked note's start belonged to the question before: it no longer waits.
        waiting = outOfTune && (waiting || !moved) && at >= start;
        if (at < start) {
            // The previous note, when the clip has one, is rightly told before the asked one starts.
            if (clip.Previous < 0)
                ++tally.WrongAccepts;
            if (clip.Previous < 0 && report)
                std::printf("false %s: heard %.2f at %.0f ms\n", clip.File.c_str(), t.Note.Pitch,
                            1000 * (at - start));
            continue;
        }
        if (report && outOfTune)
            std::printf("%s %s key %d: heard %.2f at %.0f ms\n", moved ? "still" : "untuned",
                        clip.File.c_str(), clip.Key, t.Note.Pitch, 1000 * (at - start));
        if (outOfTune)
            continue;
        ++answers;
        const bool wrong =
            answer.Verdict == HeardVerdict::WrongNote || answer.Verdict == HeardVerdict::WrongOctave;
        tally.WrongAccepts += wrong;
        const bool otherOctave = answer.Verdict == HeardVerdict::Right && answer.Key != clip.Key;
        if (report && (answer.Verdict != HeardVerdict::Right || answers > 1 || otherOctave))
            std::printf("%s %s key %d: heard %.2f at %.0f ms\n",
                        answers > 1   ? "again"
                        : wrong       ? "wrong"
                        : otherOctave ? "octave"
                                      : "missed",
                        clip.File.c_str(), clip.Key, t.Note.Pitch, 1000 * (at - start));
        if (report && answers == 1 && answer.Verdict == HeardVerdict::Right)
            std::printf("%s %s key %d: heard %.2f at %.0f ms\n", moved ? "tuned" : "told", clip.File.c_str(),
                        clip.Key, t.Note.Pitch, 1000 * (at - start));
        if (answers == 1 && answer.Verdict == HeardVerdict::Right) {
            ++tally.Recognised;
            tally.OtherOctave += otherOctave;
            tally.DelaysMs.push_back(1000 * (at - start));
            tally.AudibleDelaysMs.push_back(1000 * (at - start) - 1000.0 * double(audibleLag) / SampleRate);
        }
    }
    if (answers == 0) {
        ++tally.Nothing;
        if (report)
            std::printf("nothing %s key %d\n", clip.File.c_str(), clip.Key);
    }
    if (answers > 1)
        ++tally.ToldTwice;
}

void PrintRow(const std::string& name, const Tally& t) {
    std::printf("%-34s %5d %8.1f %% %8.0f %8.0f %8.0f %8.0f %7d %7d %7d %7d\n", name.c_str(), t.Notes,
                t.Notes ? 100.0 * t.Recognised / t.Notes : 0.0, Percentile(t.DelaysMs, 0.5),
                Percentile(t.DelaysMs, 0.9), Percentile(t.AudibleDelaysMs, 0.5),
                Percentile(t.AudibleDelaysMs, 0.9), t.WrongAccepts, t.ToldTwice, t.Nothing, t.OtherOctave);
}

// The detector fed 10 ms blocks of the corpus at the pace a device delivers them, for the given seconds;
// the share of one core its thread used.
double PacedLoad(const std::vector<float>& sound, double seconds) {
    PitchDetector detector;
    Resampler resampler(SampleRate, detector.Settings().SampleRate);
    std::vector<float> block;
    const auto period = std::chrono::microseconds(1000000 * BlockFrames / SampleRate);
    auto next = std::chrono::steady_clock::now();
    const double before = ThreadSeconds();
    const auto blocks = static_cast<std::size_t>(seconds * SampleRate / BlockFrames);
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t at = (b * BlockFrames) % (sound.size() - BlockFrames);
        block.clear();
        resampler.Process(sound.data() + at, BlockFrames, block);
        detector.Feed(block.data(), static_cast<int>(block.size()));
        next += period;
        std::this_thread::sleep_until(next);
    }
    return (ThreadSeconds() - before) / seconds;
}

// The worst of the instruments' rows for one condition: their lowest share recognised and their highest
// median and 90th percentile delay, counted from the key-down or from the audible start.
struct Worst {
    double Recognised = 100, MedianMs = 0, P90Ms = 0;
};

using Delays = std::vector<double> Tally::*;

Worst WorstOf(const std::map<std::string, Tally>& rows, const std::string& condition,
              Delays delays = &Tally::DelaysMs) {
    Worst worst;
    const std::string suffix = " / " + condition;
    for (const auto& [name, t] : rows) {
        if (name.size() < suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        worst.Recognised = std::min(worst.Recognised, 100.0 * t.Recognised / std::max(1, t.Notes));
        worst.MedianMs = std::max(worst.MedianMs, Percentile(t.*delays, 0.5));
        worst.P90Ms = std::max(worst.P90Ms, Percentile(t.*delays, 0.9));
    }
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER [--paced SECONDS] [--fonts] [--only TEXT] [--tolerance CENTS]"
                     " [--noise DRAW]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    double pacedSeconds = 0;
    bool byFont = false;
    std::string only;
    for (int a = 2; a < argc; ++a) {
        const std::string arg = argv[a];
        if (arg == "--paced" && a + 1 < argc)
            pacedSeconds = std::stod(argv[++a]);
        else if (arg == "--fonts")
            byFont = true;
        else if (arg == "--only" && a + 1 < argc)
            only = argv[++a];
        else if (arg == "--tolerance" && a + 1 < argc)
            toleranceCents = std::clamp(std::atoi(argv[++a]), LeastToleranceCents, MostToleranceCents);
        else if (arg == "--noise" && a + 1 < argc)
            noiseDraw = std::atoi(argv[++a]);
    }
    verbose = std::getenv("BENCH_LISTEN_VERBOSE") != nullptr;
    const std::vector<Clip> clips = ReadManifest(folder + "/manifest.tsv");
    if (clips.empty()) {
        std::fprintf(stderr, "no clips in %s/manifest.tsv\n", folder.c_str());
        return 1;
    }

    std::map<std::string, std::int64_t> noteStarts; // by file, for the audible start of a clip's lone twin
    for (const Clip& clip : clips)
        noteStarts[clip.File] = clip.NoteStart;
    std::map<std::string, Tally> rows;        // "instrument / condition", over both SoundFonts
    std::map<std::string, Tally> fontRows;    // "font / instrument / condition"
    std::map<std::string, Tally> byCondition; // over every font and instrument
    double cpuSeconds = 0, audioSeconds = 0;
    std::vector<float> paced;
    for (const Clip& clip : clips) {
        if (!only.empty() && clip.File.find(only) == std::string::npos)
            continue;
        const std::vector<float> sound = ReadWav(folder + "/" + clip.File);
        if (paced.size() < static_cast<std::size_t>(20 * SampleRate))
            paced.insert(paced.end(), sound.begin(), sound.end());
        const std::int64_t lag = AudibleLagOf(folder, clip, sound, noteStarts);
        for (const Condition& condition : Conditions) {
            if (condition.AfterAnother != (clip.Previous >= 0))
                continue;
            std::vector<float> noisy = sound;
            if (std::isfinite(condition.SnrDb))
                AddNoise(noisy, clip, condition.SnrDb, NoiseSeed(clip, condition));
            // The header first, so that anything the detector traces while listening follows it.
            if (verbose) {
                std::printf("-- %s, %s, audible after %.0f ms\n", clip.File.c_str(), condition.Name,
                            1000.0 * double(lag) / SampleRate);
                std::fflush(stdout);
            }
            const std::vector<Told> heard = Listen(noisy, !IsVoice(clip), cpuSeconds);
            audioSeconds += double(noisy.size()) / SampleRate;
            Judge(clip, heard, lag, rows[clip.Instrument + " / " + condition.Name], verbose);
            Judge(clip, heard, lag,
                  fontRows[clip.SoundFont + " / " + clip.Instrument + " / " + condition.Name]);
            Judge(clip, heard, lag, byCondition[condition.Name]);
        }
    }
    // Two delays: from the key-down, and from the moment the note became audible.
    std::printf("%-34s %5s %10s %8s %8s %8s %8s %7s %7s %7s %7s\n", "instrument / condition", "notes",
                "recognised", "median", "p90 ms", "aud med", "aud p90", "wrong", "twice", "nothing",
                "octave");
    for (const auto& [name, tally] : byFont ? fontRows : rows)
        PrintRow(name, tally);
    std::printf("\n");
    for (const auto& [name, tally] : byCondition)
        PrintRow("all / " + name, tally);
    std::printf("\ndetector CPU in one pass: %.2f %% of one core (%.1f s for %.1f s of sound)\n",
                100 * cpuSeconds / audioSeconds, cpuSeconds, audioSeconds);
    double pacedShare = NAN;
    if (pacedSeconds > 0) {
        pacedShare = PacedLoad(paced, pacedSeconds);
        std::printf("detector CPU paced at the real rate, %.0f s: %.2f %% of one core\n", pacedSeconds,
                    100 * pacedShare);
    }
    // One line for scripts/bench.sh: the worst instrument's figures clean and at 20 dB, the worst median and
    // 90th percentile delay over every instrument and condition, and the corpus's wrong accepts and notes
    // told twice; and a second line with the worst delays counted from the audible start.
    Worst delays, audible;
    for (const Condition& condition : Conditions) {
        const Worst w = WorstOf(rows, condition.Name);
        delays.MedianMs = std::max(delays.MedianMs, w.MedianMs);
        delays.P90Ms = std::max(delays.P90Ms, w.P90Ms);
        const Worst a = WorstOf(rows, condition.Name, &Tally::AudibleDelaysMs);
        audible.MedianMs = std::max(audible.MedianMs, a.MedianMs);
        audible.P90Ms = std::max(audible.P90Ms, a.P90Ms);
    }
    int wrong = 0, twice = 0, otherOctave = 0;
    for (const auto& [name, tally] : byCondition) {
        wrong += tally.WrongAccepts;
        twice += tally.ToldTwice;
        otherOctave += tally.OtherOctave;
    }
    std::printf("voice notes told in another octave (singing takes them): %d\n", otherOctave);
    std::printf("summary %.1f %.1f %.0f %.0f %d %d %.2f\n", WorstOf(rows, "clean").Recognised,
                WorstOf(rows, "20 dB").Recognised, delays.MedianMs, delays.P90Ms, wrong, twice,
                100 * pacedShare);
    std::printf("audible %.0f %.0f\n", audible.MedianMs, audible.P90Ms);
    return 0;
}
