// Cost of sounding a note: from the press (a staff step and a voice) to the synthesizer's note-on, through
// the same player the window uses, with the real module and SoundFont.
#include "Pitch.h"
#include "SoundPlayer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

using namespace quavix;

namespace {

SoundPlayer* player = nullptr;

// One press: a note-on for the key of the step. Its release, and rendering the sound so the synthesizer's
// voices are freed as they would be by the audio output, are left out of the time.
void PressToNoteOn(benchmark::State& state) {
    const Voice voice = static_cast<Voice>(state.range(0));
    std::vector<float> left(64), right(64);
    int step = 7;
    for (auto _ : state) {
        const int key = SoundingKey(voice, step);
        player->NoteOn(voice, key, OnScreenVelocity);
        state.PauseTiming();
        player->NoteOff(voice, key);
        player->Engine()->Render(left.data(), right.data(), 64);
        step = step == 25 ? 7 : step + 1;
        state.ResumeTiming();
    }
}
BENCHMARK(PressToNoteOn)->ArgName("guitar")->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    SoundPlayer sound(SoundPlayer::ModuleFactory(QStringLiteral(QUAVIX_SOUND_MODULE)));
    sound.SetDrivers({}); // into memory: the processing is measured, not the sound card
    QEventLoop wait;
    QObject::connect(&sound, &SoundPlayer::Ready, &wait, &QEventLoop::quit);
    QObject::connect(&sound, &SoundPlayer::Failed, &wait, [&wait](const QString& message) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        wait.exit(1);
    });
    sound.SwitchOn();
    if (wait.exec() != 0)
        return 1;
    player = &sound;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
