// The sound module: the synthesizer behind SoundEngine, built on FluidSynth. Only this file includes
// FluidSynth, and it is built into a module of its own that the program loads on first use.

#include "SoundEngine.h"

#include <QObject>

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <new>

namespace quavix {
namespace {

// General MIDI programs of the two voices.
constexpr int PianoProgram = 0;   // acoustic grand piano
constexpr int GuitarProgram = 24; // acoustic guitar, nylon strings

int ChannelOf(Voice voice) {
    return voice == Voice::Guitar ? 1 : 0;
}

// FluidSynth reports its problems through one log function for the whole process. Errors raised while a
// thread opens an engine are collected for that thread, so Open can say why it failed; anything else
// (warnings, and errors on FluidSynth's own audio threads) is dropped: a window program has no terminal
// to write them to, and a broken output is noticed by its stalled frame count instead.
thread_local std::string* collectedErrors = nullptr;

void CollectError(int, const char* message, void*) {
    if (collectedErrors == nullptr || message == nullptr)
        return;
    if (!collectedErrors->empty())
        collectedErrors->append("; ");
    collectedErrors->append(message);
}

void InstallLogFunctions() {
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, CollectError, nullptr);
        fluid_set_log_function(FLUID_ERR, CollectError, nullptr);
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    });
}

class ErrorCollector {
public:
    explicit ErrorCollector(std::string& errors) : previous_(collectedErrors) { collectedErrors = &errors; }
    ~ErrorCollector() { collectedErrors = previous_; }
    ErrorCollector(const ErrorCollector&) = delete;
    ErrorCollector& operator=(const ErrorCollector&) = delete;

private:
    std::string* previous_;
};

std::string WithDetail(std::string message, const std::string& detail) {
    if (!detail.empty())
        message += ": " + detail;
    return message;
}

// Whether this build of FluidSynth has the audio output of that name. Outputs it was built without are
// passed over rather than tried, so they do not clutter the reason a failure gives.
bool DriverBuiltIn(fluid_settings_t* settings, const std::string& name) {
    struct Search {
        const std::string* name;
        bool found;
    } search{&name, false};
    fluid_settings_foreach_option(settings, "audio.driver", &search,
                                  [](void* data, const char*, const char* option) {
                                      auto* s = static_cast<Search*>(data);
                                      s->found = s->found || *s->name == option;
                                  });
    return search.found;
}

class FluidSynthEngine final : public SoundEngine {
public:
    FluidSynthEngine() { InstallLogFunctions(); }
    ~FluidSynthEngine() override { Close(); }

    OpenResult Open(const SoundEngineSettings& settings, std::string& detail) override;
    void NoteOn(Voice voice, int key, int velocity) override;
    void NoteOff(Voice voice, int key) override;
    void AllNotesOff() override;
    bool Render(float* left, float* right, int frames) override;
    std::uint64_t FramesPlayed() const override { return framesPlayed_.load(std::memory_order_relaxed); }
    std::string DriverName() const override { return driverName_; }
    double BufferMilliseconds() const override { return bufferMilliseconds_; }

private:
    OpenResult Fail(OpenResult result, std::string& detail, const std::string& message);
    void Close();
    static int Process(void* data, int frames, int effectCount, float* effects[], int outCount, float* out[]);

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    std::string driverName_;
    double bufferMilliseconds_ = 0;
    std::atomic<std::uint64_t> framesPlayed_{0};
};

OpenResult FluidSynthEngine::Open(const SoundEngineSettings& settings, std::string& detail) {
    if (settings_ != nullptr)
        return OpenResult::SetupFailed;
    std::string errors;
    ErrorCollector collector(errors);

    settings_ = new_fluid_settings();
    if (settings_ == nullptr)
        return Fail(OpenResult::SetupFailed, detail, errors);
    fluid_settings_setnum(settings_, "synth.sample-rate", settings.SampleRate);
    // Two voices sound at a time at most, a few more while notes die away.
    fluid_settings_setint(settings_, "synth.polyphony", 64);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    // Only the samples of the two chosen instruments are read, which keeps a large SoundFont small in
    // memory; pinning them would fail under the usual locked-memory limit of a desktop session.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    fluid_settings_setint(settings_, "audio.period-size", settings.PeriodFrames);
    fluid_settings_setint(settings_, "audio.periods", settings.Periods);

    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr)
        return Fail(OpenResult::SetupFailed, detail, errors);
    const int font = fluid_synth_sfload(synth_, settings.SoundFont.c_str(), 1);
    if (font == FLUID_FAILED)
        return Fail(OpenResult::SoundFontFailed, detail, WithDetail(settings.SoundFont, errors));
    if (fluid_synth_program_select(synth_, ChannelOf(Voice::Piano), font, 0, PianoProgram) != FLUID_OK ||
        fluid_synth_program_select(synth_, ChannelOf(Voice::Guitar), font, 0, GuitarProgram) != FLUID_OK)
        return Fail(OpenResult::SoundFontFailed, detail,
                    WithDetail(settings.SoundFont + " has no piano or no nylon guitar", errors));

    int periodFrames = 0;
    int periods = 0;
    double sampleRate = 0;
    fluid_settings_getint(settings_, "audio.period-size", &periodFrames);
    fluid_settings_getint(settings_, "audio.periods", &periods);
    fluid_settings_getnum(settings_, "synth.sample-rate", &sampleRate);
    bufferMilliseconds_ = sampleRate > 0 ? 1000.0 * periodFrames * periods / sampleRate : 0;

    std::string tried;
    for (const std::string& name : settings.Drivers) {
        if (!DriverBuiltIn(settings_, name))
            continue;
        tried += (tried.empty() ? "" : ", ") + name;
        fluid_settings_setstr(settings_, "audio.driver", name.c_str());
        driver_ = new_fluid_audio_driver2(settings_, Process, this);
        if (driver_ != nullptr) {
            driverName_ = name;
            return OpenResult::Opened;
        }
    }
    if (!settings.Drivers.empty()) {
        if (tried.empty())
            return Fail(OpenResult::OutputFailed, detail, "FluidSynth has none of the outputs asked for");
        return Fail(OpenResult::OutputFailed, detail, WithDetail("tried " + tried, errors));
    }
    return OpenResult::Opened;
}

OpenResult FluidSynthEngine::Fail(OpenResult result, std::string& detail, const std::string& message) {
    detail = message;
    Close();
    return result;
}

void FluidSynthEngine::Close() {
    // The audio output goes first: it runs on its own thread and renders from the synthesizer.
    if (driver_ != nullptr)
        delete_fluid_audio_driver(driver_);
    if (synth_ != nullptr)
        delete_fluid_synth(synth_);
    if (settings_ != nullptr)
        delete_fluid_settings(settings_);
    driver_ = nullptr;
    synth_ = nullptr;
    settings_ = nullptr;
    driverName_.clear();
}

void FluidSynthEngine::NoteOn(Voice voice, int key, int velocity) {
    if (synth_ == nullptr || key < 0 || key > 127)
        return;
    // Velocity 0 would mean a release in MIDI; a note asked to sound sounds, however softly.
    fluid_synth_noteon(synth_, ChannelOf(voice), key, std::clamp(velocity, 1, 127));
}

void FluidSynthEngine::NoteOff(Voice voice, int key) {
    if (synth_ == nullptr || key < 0 || key > 127)
        return;
    fluid_synth_noteoff(synth_, ChannelOf(voice), key);
}

void FluidSynthEngine::AllNotesOff() {
    if (synth_ != nullptr)
        fluid_synth_all_notes_off(synth_, -1);
}

bool FluidSynthEngine::Render(float* left, float* right, int frames) {
    if (synth_ == nullptr || driver_ != nullptr || frames < 0)
        return false;
    float* out[2] = {left, right};
    return Process(this, frames, 2, out, 2, out) == FLUID_OK;
}

// Runs on the audio output's thread for every period it takes, and for Render. Counting the frames is
// what shows that the output is alive.
int FluidSynthEngine::Process(void* data, int frames, int, float*[], int outCount, float* out[]) {
    auto* engine = static_cast<FluidSynthEngine*>(data);
    // FluidSynth mixes into the buffers it is given, and not every output clears them first.
    for (int i = 0; i < outCount; ++i)
        std::fill_n(out[i], frames, 0.0f);
    // Reverb goes into the same buffers as the dry sound.
    const int result = fluid_synth_process(engine->synth_, frames, outCount, out, outCount, out);
    engine->framesPlayed_.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
    return result;
}

} // namespace

// The module's one object, which the program finds through the plugin's metadata.
class FluidSynthMaker final : public QObject, public SoundEngineMaker {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUAVIX_SOUND_ENGINE_IID)
    Q_INTERFACES(quavix::SoundEngineMaker)

public:
    std::unique_ptr<SoundEngine> MakeEngine() override {
        return std::unique_ptr<SoundEngine>(new (std::nothrow) FluidSynthEngine());
    }
};

} // namespace quavix

#include "FluidSynthEngine.moc"
