#pragma once

// Synthetic notes for the listening tests: harmonic tones whose partials can be stretched like a piano
// string's, left without their fundamental, sung with vibrato, detuned, gliding into tune, decaying, and
// buried in noise.

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace tones {

struct Tone {
    double Pitch = 69; // MIDI pitch of the fundamental, cents as the fraction
    double Seconds = 1.0;
    double Amplitude = 0.3;
    int Partials = 8;
    double Rolloff = 1.0; // partial n has amplitude 1 / n^Rolloff
    double Stretch = 0.0; // inharmonicity: partial n lies at n * f * sqrt(1 + Stretch * n^2)
    bool NoFundamental = false;
    double FundamentalDb = 0; // the fundamental's level against the rule above
    double VibratoCents = 0;  // depth either way
    double VibratoHz = 5.5;
    double DecaySeconds = 0; // time constant of an exponential decay; 0 for a sustained note
    double AttackSeconds = 0.005;
    // Starts this far from Pitch and moves to it evenly over GlideSeconds: a scoop, a note played flat and
    // corrected.
    double GlideCents = 0;
    double GlideSeconds = 0;
};

inline double Frequency(double pitch) {
    return 440.0 * std::exp2((pitch - 69) / 12);
}

// Adds the tone into sound from sample `start` on.
inline void Add(std::vector<float>& sound, std::size_t start, const Tone& tone, int rate) {
    const auto length = static_cast<std::size_t>(tone.Seconds * rate);
    if (sound.size() < start + length)
        sound.resize(start + length, 0.0f);
    const double f0 = Frequency(tone.Pitch);
    std::vector<double> phase(static_cast<std::size_t>(tone.Partials) + 1, 0.0);
    for (std::size_t i = 0; i < length; ++i) {
        const double t = double(i) / rate;
        const double glide = t < tone.GlideSeconds ? tone.GlideCents * (1 - t / tone.GlideSeconds) : 0;
        const double bend = std::exp2(
            (glide + tone.VibratoCents * std::sin(2 * std::numbers::pi * tone.VibratoHz * t)) / 1200);
        double envelope = std::min(1.0, t / tone.AttackSeconds);
        if (tone.DecaySeconds > 0)
            envelope *= std::exp(-t / tone.DecaySeconds);
        double sum = 0;
        for (int n = 1; n <= tone.Partials; ++n) {
            const double f = n * f0 * std::sqrt(1 + tone.Stretch * n * n) * bend;
            double& p = phase[static_cast<std::size_t>(n)];
            p += 2 * std::numbers::pi * f / rate;
            if (f >= rate / 2.0 || (n == 1 && tone.NoFundamental))
                continue;
            double a = 1 / std::pow(n, tone.Rolloff);
            if (n == 1)
                a *= std::pow(10, tone.FundamentalDb / 20);
            sum += a * std::sin(p);
        }
        sound[start + i] += static_cast<float>(tone.Amplitude * envelope * sum / 2);
    }
}

// White noise at snrDb below the sound's loudness over [from, to).
inline void AddNoise(std::vector<float>& sound, std::size_t from, std::size_t to, double snrDb,
                     unsigned seed) {
    double power = 0;
    for (std::size_t i = from; i < to; ++i)
        power += double(sound[i]) * sound[i];
    power /= double(to - from);
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0, std::sqrt(power / std::pow(10, snrDb / 10)));
    for (float& s : sound)
        s += static_cast<float>(gauss(random));
}

} // namespace tones
