#pragma once

// Helpers for tests that listen to the synthesizer: an offline engine from the real module, rendering
// into memory, loudness, and the pitch a listener would hear.

#include "SoundEngine.h"
#include "SoundModule.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace soundtest {

constexpr int SampleRate = 48000;

// The module built with the tests; empty when the build found no FluidSynth.
inline QString ModulePath() {
#ifdef QUAVIX_SOUND_MODULE
    return QStringLiteral(QUAVIX_SOUND_MODULE);
#else
    return {};
#endif
}

// The tests' own SoundFont: a sine wave as the piano and the guitar (tests/support/MakeSineSoundFont.cpp).
inline QString TestSoundFont() {
#ifdef QUAVIX_TEST_SOUNDFONT
    return QStringLiteral(QUAVIX_TEST_SOUNDFONT);
#else
    return {};
#endif
}

// An engine from the real module that renders into memory with the SoundFont at soundFont (by default the
// tests' own), or nullptr with the reason.
inline std::unique_ptr<quavix::SoundEngine> OfflineEngine(QString& why,
                                                          const QString& soundFont = TestSoundFont()) {
    if (ModulePath().isEmpty()) {
        why = QStringLiteral("built without FluidSynth, so there is no sound module");
        return nullptr;
    }
    static quavix::SoundModule module(ModulePath());
    std::unique_ptr<quavix::SoundEngine> engine = module.CreateEngine(why);
    if (engine == nullptr)
        return nullptr;
    quavix::SoundEngineSettings settings;
    settings.SoundFont = QFile::encodeName(soundFont).toStdString();
    settings.SampleRate = SampleRate;
    std::string detail;
    if (engine->Open(settings, detail) != quavix::OpenResult::Opened) {
        why = QStringLiteral("the engine did not open: ") + QString::fromStdString(detail);
        return nullptr;
    }
    return engine;
}

// How many threads (/proc/self/task) or open files (/proc/self/fd) the process has.
inline int CountEntries(const QString& folder) {
    return int(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

// Renders seconds of sound and returns it as mono.
inline std::vector<float> Render(quavix::SoundEngine& engine, double seconds) {
    const int frames = static_cast<int>(seconds * SampleRate);
    std::vector<float> left(frames), right(frames), mono(frames);
    if (!engine.Render(left.data(), right.data(), frames))
        return {};
    for (int i = 0; i < frames; ++i)
        mono[i] = 0.5f * (left[i] + right[i]);
    return mono;
}

// Root mean square of samples [from, to) seconds into the sound.
inline double Rms(const std::vector<float>& sound, double from, double to) {
    const auto first = static_cast<std::size_t>(std::max(0.0, from) * SampleRate);
    const auto last = std::min(sound.size(), static_cast<std::size_t>(to * SampleRate));
    if (first >= last)
        return 0;
    double sum = 0;
    for (std::size_t i = first; i < last; ++i)
        sum += double(sound[i]) * sound[i];
    return std::sqrt(sum / double(last - first));
}

// The fundamental frequency a listener hears in the stretch [from, to) seconds, by the YIN method: the
// period is the first lag at which the signal, shifted by it, nearly matches itself. It finds the pitch of
// low piano notes whose fundamental is weaker than their overtones, where a spectrum's strongest peak
// would be an octave or more too high. 0 when no period stands out.
inline double Pitch(const std::vector<float>& sound, double from, double to, int sampleRate = SampleRate) {
    const auto first = static_cast<std::size_t>(from * sampleRate);
    const auto last = std::min(sound.size(), static_cast<std::size_t>(to * sampleRate));
    const int minLag = sampleRate / 2000; // highest pitch looked for: 2 kHz
    const int maxLag = sampleRate / 40;   // lowest: 40 Hz
    if (last <= first + 2 * static_cast<std::size_t>(maxLag))
        return 0;
    const auto window = static_cast<std::size_t>(std::min<std::size_t>(last - first - maxLag, 8192));
    const float* x = sound.data() + first;

    std::vector<double> normalised(maxLag + 1, 1.0);
    double running = 0;
    for (int lag = 1; lag <= maxLag; ++lag) {
        double difference = 0;
        for (std::size_t j = 0; j < window; ++j) {
            const double d = double(x[j]) - x[j + lag];
            difference += d * d;
        }
        running += difference;
        normalised[lag] = running > 0 ? difference * lag / running : 1.0;
    }
    int best = -1;
    for (int lag = minLag; lag < maxLag; ++lag) {
        if (normalised[lag] < 0.15) {
            while (lag + 1 < maxLag && normalised[lag + 1] < normalised[lag])
                ++lag;
            best = lag;
            break;
        }
    }
    if (best < 0)
        best = static_cast<int>(std::min_element(normalised.begin() + minLag, normalised.end() - 1) -
                                normalised.begin());
    // The true minimum lies between samples: fit a parabola through the three around it.
    const double a = normalised[best - 1], b = normalised[best], c = normalised[best + 1];
    const double denominator = a - 2 * b + c;
    const double shift = denominator != 0 ? 0.5 * (a - c) / denominator : 0;
    return sampleRate / (best + shift);
}

} // namespace soundtest
