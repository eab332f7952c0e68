// Costs of the kept history: storing one answer (runs on every answer while progress is kept, so it must
// stay far below what anyone could notice), and reading what the results window shows from a long history.
#include "AdaptivePractice.h"
#include "ProgressStore.h"
#include "RememberedOptions.h"
#include "WeakNotes.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>

using namespace quavix;

namespace {

constexpr std::int64_t Day = 24 * 60 * 60 * 1000LL;
constexpr std::int64_t Now = 1'796'000'000'000;

// A plausible answer: a quiz every few minutes over the last 60 days, a note from any row, mostly right.
AnswerRecord Plausible(std::mt19937& random, int index, int count, std::int64_t spanDays = 60) {
    AnswerRecord record;
    record.AnsweredMs = Now - spanDays * Day + spanDays * Day * index / count;
    record.QuizStartedMs = record.AnsweredMs - 20'000;
    record.InputMode = static_cast<std::uint8_t>(random() % 3);
    record.Row = static_cast<int>(random() % 26);
    record.Step = record.Row / 2 + 12;
    record.Staff = static_cast<std::uint8_t>(record.Row % 2);
    const unsigned roll = random() % 10;
    record.Result = roll < 7 ? Outcome::Right : roll < 9 ? Outcome::Wrong : Outcome::TimedOut;
    record.Answered = record.Result == Outcome::TimedOut ? AnswerRecord::NoAnswer : 100 + int(random() % 7);
    record.Milliseconds = 500 + int(random() % 12000);
    return record;
}

// A history of count plausible answers over the last days, kept in folder.
void Fill(const QString& folder, int count, unsigned seed, std::int64_t days) {
    ProgressStore store(folder);
    store.Open();
    std::mt19937 random(seed);
    std::vector<AnswerRecord> answers;
    for (int i = 0; i < count; ++i)
        answers.push_back(Plausible(random, i, count, days));
    store.RecordAll(answers);
}

void RecordAnswer(benchmark::State& state) {
    QTemporaryDir folder;
    ProgressStore store(folder.path());
    if (!store.Open()) {
        state.SkipWithError("could not open the store");
        return;
    }
    std::mt19937 random(7);
    int index = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.Record(Plausible(random, index++, 1'000'000)));
}
BENCHMARK(RecordAnswer)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// What opening the results window reads from the history: the figures of the last 7 and 30 days.
void ResultsData(benchmark::State& state) {
    QTemporaryDir folder;
    const int count = static_cast<int>(state.range(0));
    const int days = static_cast<int>(state.range(1));
    {
        ProgressStore store(folder.path());
        store.Open();
        std::mt19937 random(11);
        std::vector<AnswerRecord> answers;
        for (int i = 0; i < count; ++i)
            answers.push_back(Plausible(random, i, count, days));
        store.RecordAll(answers);
    }
    ProgressStore store(folder.path());
    if (!store.Open() || store.AnswerCount() != count) {
        state.SkipWithError("could not fill the store");
        return;
    }
    for (auto _ : state) {
        auto figures = store.FiguresSince({Now - RecentDays * Day, Now - HistoryDays * Day});
        benchmark::DoNotOptimize(figures);
    }
}
// Args: answers, and the days they are spread over (30: every one of them falls in both spans).
BENCHMARK(ResultsData)
    ->ArgNames({"answers", "days"})
    ->Args({100'000, 365})
    ->Args({100'000, 30})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// Opening a long history, as the trainer does at start when progress is kept.
void OpenStore(benchmark::State& state) {
    QTemporaryDir folder;
    Fill(folder.path(), 100'000, 13, 60);
    for (auto _ : state) {
        ProgressStore store(folder.path());
        benchmark::DoNotOptimize(store.Open());
    }
}
// What the trainer reads after its first paint when adaptive practice was chosen: every kept answer, and the
// mastery rebuilt from them.
void LoadMastery(benchmark::State& state) {
    QTemporaryDir folder;
    Fill(folder.path(), 100'000, 17, 365);
    ProgressStore store(folder.path());
    store.Open();
    SystemAnswerClock clock;
    for (auto _ : state) {
        AdaptivePractice practice(clock);
        practice.LoadHistory(store.Answers());
        benchmark::DoNotOptimize(practice.Model().Learner());
    }
}
BENCHMARK(LoadMastery)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK(OpenStore)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // "--fill FOLDER COUNT": keeps COUNT plausible answers in FOLDER, as a trainer would have, and ends;
    // scripts/bench.sh times the trainer's start with such a history.
    if (argc == 4 && std::string(argv[1]) == "--fill") {
        ProgressStore store(QString::fromLocal8Bit(argv[2]));
        const int count = std::atoi(argv[3]);
        std::mt19937 random(17);
        std::vector<AnswerRecord> answers;
        for (int i = 0; i < count; ++i)
            answers.push_back(Plausible(random, i, count));
        Settings settings;
        settings.KeepProgress = true;
        return store.Open() && store.RecordAll(answers) && store.SetOptions(OptionsToRemember(settings)) ? 0
                                                                                                         : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
