// Renders the listening corpus: every note of each instrument's part of the trainer's notes, with each
// SoundFont given, once alone after silence and once right after another note that still rings. Writes
// 16-bit mono WAV files at 48 kHz and a manifest into the folder given. Noise is added by the benchmark.
//   listen_corpus FOLDER NAME=SOUNDFONT.sf2 [NAME=SOUNDFONT.sf2 ...]
#include "ListenCorpus.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

using namespace listencorpus;

namespace {

constexpr double LeadSeconds = 0.25;    // silence before the first note
constexpr double PreviousSeconds = 0.6; // how long the previous note sounds before the asked one
constexpr double NoteSeconds = 1.0;     // the asked note's key is held this long
constexpr double TailSeconds = 0.2;     // then released, and this much more is rendered
constexpr double FlushSeconds = 3.0;    // rendered and dropped between clips
constexpr float PeakLevel = 0.25f;      // -12 dB of full scale: a microphone set up with headroom

// The previous note lies these semitones from the asked one, in turn, kept within the instrument's part.
constexpr int PreviousSteps[] = {-5, 3, -2, 7, -4, 2, -7, 5, -1, 4};

struct Synth {
    fluid_settings_t* Settings = nullptr;
    fluid_synth_t* Synthesizer = nullptr;
    ~Synth() {
        if (Synthesizer != nullptr)
            delete_fluid_synth(Synthesizer);
        if (Settings != nullptr)
            delete_fluid_settings(Settings);
    }
};

void RenderSeconds(fluid_synth_t* synth, double seconds, std::vector<float>& mono) {
    const int frames = static_cast<int>(std::lround(seconds * SampleRate));
    std::vector<float> left(static_cast<std::size_t>(frames)), right(static_cast<std::size_t>(frames));
    fluid_synth_write_float(synth, frames, left.data(), 0, 1, right.data(), 0, 1);
    for (int i = 0; i < frames; ++i)
        mono.push_back(0.5f * (left[static_cast<std::size_t>(i)] + right[static_cast<std::size_t>(i)]));
}

// Velocities spread over a player's usual range, the same for the same key every time.
int VelocityOf(int key) {
    return 70 + (key * 7) % 40;
}

std::vector<float> RenderClip(fluid_synth_t* synth, const Instrument& instrument, int key, int previous,
                              std::int64_t& noteStart) {
    // The last clip's notes and reverb die away unheard, so every clip starts in silence.
    fluid_synth_all_sounds_off(synth, -1);
    std::vector<float> flushed;
    RenderSeconds(synth, FlushSeconds, flushed);
    fluid_synth_program_change(synth, 0, instrument.Program);
    std::vector<float> mono;
    RenderSeconds(synth, LeadSeconds, mono);
    if (previous >= 0) {
        fluid_synth_noteon(synth, 0, previous, VelocityOf(previous));
        RenderSeconds(synth, PreviousSeconds, mono);
        // A bowed, blown or sung note ends where the next begins and only its release rings on; a
        // plucked or struck string is left to ring, as an open string or a held pedal would.
        if (!instrument.Rings)
            fluid_synth_noteoff(synth, 0, previous);
    }
    noteStart = static_cast<std::int64_t>(mono.size());
    fluid_synth_noteon(synth, 0, key, VelocityOf(key));
    RenderSeconds(synth, NoteSeconds, mono);
    fluid_synth_all_notes_off(synth, 0);
    RenderSeconds(synth, TailSeconds, mono);
    float peak = 0;
    for (float s : mono)
        peak = std::max(peak, std::abs(s));
    if (peak > 0)
        for (float& s : mono)
            s *= PeakLevel / peak;
    return mono;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER NAME=SOUNDFONT.sf2 ...\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    std::vector<Clip> clips;
    for (int a = 2; a < argc; ++a) {
        const std::string arg = argv[a];
        const auto equals = arg.find('=');
        if (equals == std::string::npos) {
            std::fprintf(stderr, "%s: expected NAME=SOUNDFONT.sf2\n", arg.c_str());
            return 2;
        }
        const std::string fontName = arg.substr(0, equals), fontPath = arg.substr(equals + 1);
        Synth s;
        s.Settings = new_fluid_settings();
        fluid_settings_setnum(s.Settings, "synth.sample-rate", SampleRate);
        fluid_settings_setint(s.Settings, "synth.reverb.active", 1);
        fluid_settings_setint(s.Settings, "synth.chorus.active", 0);
        s.Synthesizer = new_fluid_synth(s.Settings);
        if (s.Synthesizer == nullptr ||
            fluid_synth_sfload(s.Synthesizer, fontPath.c_str(), 1) == FLUID_FAILED) {
            std::fprintf(stderr, "cannot load %s\n", fontPath.c_str());
            return 1;
        }
        for (const Instrument& instrument : Instruments()) {
            int turn = 0;
            for (int key = instrument.Lowest; key <= instrument.Highest; ++key) {
                for (bool afterAnother : {false, true}) {
                    int previous = -1;
                    if (afterAnother) {
                        const int step = PreviousSteps[turn++ % std::size(PreviousSteps)];
                        previous = key + step;
                        if (previous < instrument.Lowest || previous > instrument.Highest)
                            previous = key - step;
                    }
                    Clip clip;
                    clip.SoundFont = fontName;
                    clip.Instrument = instrument.Name;
                    clip.Key = key;
                    clip.Previous = previous;
                    std::string name = fontName + "-" + std::to_string(instrument.Program) + "-" +
                                       std::to_string(key) + (afterAnother ? "-after.wav" : ".wav");
                    clip.File = name;
                    const std::vector<float> sound =
                        RenderClip(s.Synthesizer, instrument, key, previous, clip.NoteStart);
                    if (!WriteWav((folder / name).string(), sound)) {
                        std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
                        return 1;
                    }
                    clips.push_back(clip);
                }
            }
        }
    }
    WriteManifest((folder / "manifest.tsv").string(), clips);
    std::printf("%zu clips in %s\n", clips.size(), folder.c_str());
    return 0;
}
