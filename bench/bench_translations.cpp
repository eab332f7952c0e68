// What choosing the user's language costs at start, before the window is built: nothing for English, one
// translation of the program and one of Qt's own for another language.
#include "Translations.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void InstallFor(benchmark::State& state, const char* locale) {
    const QLocale language{QString::fromLatin1(locale)};
    for (auto _ : state) {
        auto installed = quavix::InstallTranslations(language, QStringLiteral(QUAVIX_TRANSLATIONS));
        benchmark::DoNotOptimize(installed);
    }
}

void English(benchmark::State& state) {
    InstallFor(state, "en_US");
}
void German(benchmark::State& state) {
    InstallFor(state, "de_DE");
}
// A language without a translation looks for one and falls back to English.
void Portuguese(benchmark::State& state) {
    InstallFor(state, "pt_BR");
}

BENCHMARK(English)->Unit(benchmark::kMicrosecond);
BENCHMARK(German)->Unit(benchmark::kMicrosecond);
BENCHMARK(Portuguese)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
