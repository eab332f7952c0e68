// The adaptive practice: choosing the next note from the state of a long kept history, and rebuilding that
// state from the answers. "--simulate" instead prints the figures of the simulated learner: adaptive
// practice against the engine's uniform draw, for several kinds of reader and seeds.
#include "AdaptivePicker.h"
#include "AdaptivePractice.h"
#include "FixedClock.h"
#include "MasteryModel.h"
#include "SilentFrontEnd.h"
#include "SimulatedLearner.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace quavix;
using namespace quavix::simulation;

namespace {

constexpr int HistoryAnswers = 100'000;

// A year of answers on both staves: most right and quick, the high and low notes missed more often.
std::vector<ItemAnswer> LongHistory(const std::vector<NoteItem>& items) {
    std::mt19937_64 random(17);
    std::vector<ItemAnswer> history;
    for (int i = 0; i < HistoryAnswers; ++i) {
        const std::size_t note = std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random);
        const double missRate = 0.03 + 0.3 * static_cast<double>(note) / static_cast<double>(items.size());
        const bool right = std::uniform_real_distribution<double>(0, 1)(random) > missRate;
        const std::int64_t at = Start - 365 * 86'400 + static_cast<std::int64_t>(i) * 315;
        const int ms = std::uniform_int_distribution<int>(800, right ? 6000 : 13000)(random);
        history.push_back({items[note], at, right, ms});
    }
    return history;
}

void RebuildMastery(benchmark::State& state) {
    const std::vector<ItemAnswer> history = LongHistory(StaffSetItems());
    for (auto _ : state)
        benchmark::DoNotOptimize(MasteryModel::Rebuild(history, Start));
}
BENCHMARK(RebuildMastery)->Unit(benchmark::kMillisecond);

// One choice of the next note among the 26 of the top level on both staves.
void PickNextNote(benchmark::State& state) {
    const std::vector<NoteItem> items = StaffSetItems();
    const MasteryModel model = MasteryModel::Rebuild(LongHistory(items), Start);
    const AdaptivePicker picker;
    ClockSeededRandom random(5);
    int previous = -1;
    for (auto _ : state) {
        previous = picker.Pick(model, items, previous, Start + 3600, random);
        benchmark::DoNotOptimize(previous);
    }
}
BENCHMARK(PickNextNote);

// The same choice as the quiz makes it: the engine's PickNote asking the adaptive practice, which has read
// the 100,000 answers as kept records.
void PickNoteInQuiz(benchmark::State& state) {
    const std::vector<NoteItem> items = StaffSetItems();
    std::vector<AnswerRecord> kept;
    for (const ItemAnswer& answer : LongHistory(items)) {
        AnswerRecord record;
        record.AnsweredMs = answer.At * 1000;
        record.Staff = answer.Item.Clef;
        record.Step = answer.Item.Step;
        record.Result = answer.Right ? Outcome::Right : Outcome::Wrong;
        record.Milliseconds = answer.Milliseconds;
        kept.push_back(record);
    }
    FixedClock clock;
    clock.wall = (Start + 3600) * 1000;
    AdaptivePractice practice(clock);
    practice.LoadHistory(kept);
    const Settings settings{.StaffChoice = AllStaves, .Level = MaxLevel, .AdaptivePractice = true};
    SilentFrontEnd screen;
    ClockSeededRandom random(5);
    QuizEngine engine(screen, random, settings);
    engine.BuildNoteTable();
    engine.SetNoteChooser(&practice);
    engine.State.PoolSize = QuizEngine::PoolSizeFor(MaxLevel, NoteButtons);
    for (auto _ : state) {
        engine.PickNote();
        benchmark::DoNotOptimize(engine.State.CurrentNote);
    }
}
BENCHMARK(PickNoteInQuiz);

// Mean and range of one figure over the seeds; runs where it never happened are counted apart.
struct Spread {
    double Sum = 0, Low = 1e9, High = -1e9;
    int Count = 0, Missing = 0;

    void Add(double value, bool happened = true) {
        if (!happened) {
            ++Missing;
            return;
        }
        Sum += value;
        Low = std::min(Low, value);
        High = std::max(High, value);
        ++Count;
    }
    std::string Text(double scale = 1, const char* unit = "") const {
        if (Count == 0)
            return "never";
        char text[64];
        std::snprintf(text, sizeof text, "%.0f%s (%.0f-%.0f)%s", Sum / Count * scale, unit, Low * scale,
                      High * scale, Missing ? "+" : "");
        return text;
    }
};

int Simulate() {
    constexpr int Answers = 300;
    constexpr int LongAnswers = 2000;
    constexpr std::uint64_t Seeds[] = {1, 2, 3, 4, 5};
    std::printf(
        "Simulated learner: %d answers per run (%d for the last two columns), target %.0f %%; mean over "
        "seeds 1-5 (lowest-highest; + when some runs never got there)\n\n",
        Answers, LongAnswers, AdaptivePicker::DefaultTarget * 100);
    std::printf("%-30s %-8s | %-16s | %-16s | %-15s | %-14s | %-14s\n", "reader", "draw", "on unknown notes",
                "to within 5 %", "success 41-300", "all asked", "all known");
    for (const Profile& profile : Profiles()) {
        for (const Policy policy : {Policy::Uniform, Policy::Adaptive}) {
            Spread share, onTarget, success, asked, known;
            for (const std::uint64_t seed : Seeds) {
                const RunFigures run = Run(policy, profile.Knows, seed, Answers);
                const RunFigures longRun = Run(policy, profile.Knows, seed, LongAnswers);
                share.Add(run.UnknownShare());
                onTarget.Add(run.FirstOnTarget, run.FirstOnTarget > 0);
                success.Add(run.SuccessAfterSettling(Window));
                asked.Add(longRun.AllAskedAfter, longRun.AllAskedAfter > 0);
                known.Add(longRun.AllKnownAfter, longRun.AllKnownAfter > 0);
            }
            std::printf("%-30s %-8s | %-16s | %-16s | %-15s | %-14s | %-14s\n", profile.Name.c_str(),
                        policy == Policy::Uniform ? "uniform" : "adaptive", share.Text(100, " %").c_str(),
                        onTarget.Text().c_str(), success.Text(100, " %").c_str(), asked.Text().c_str(),
                        known.Text().c_str());
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--simulate") == 0)
        return Simulate();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
