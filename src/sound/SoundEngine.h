#pragma once

// The boundary between the program and its sound module. The module holds the synthesizer and everything
// it links; the program knows only this header, so it starts without a synthesizer library and loads one
// the first time sound is switched on. Nothing here names a type of the synthesizer.

#include <QtPlugin>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quavix {

// The instruments a note can sound in.
enum class Voice : std::uint8_t { Piano = 0, Guitar = 1 };

struct SoundEngineSettings {
    std::string SoundFont;            // path of a General MIDI SoundFont (.sf2)
    std::vector<std::string> Drivers; // audio outputs to try in this order; none renders into memory only
    std::int32_t SampleRate = 48000;
    std::int32_t PeriodFrames = 480; // one audio period of 10 ms at 48 kHz
    std::int32_t Periods = 2;        // periods in the output buffer
};

// What became of SoundEngine::Open.
enum class OpenResult : std::uint8_t {
    Opened = 0,
    SetupFailed = 1,     // the synthesizer itself could not be made
    SoundFontFailed = 2, // the SoundFont is missing, unreadable, or lacks one of the voices
    OutputFailed = 3,    // no audio output could be opened: no device, no server, or none answered
};

// One synthesizer with its voices chosen and, when asked for, its audio output running.
class SoundEngine {
public:
    SoundEngine() = default;
    virtual ~SoundEngine() = default;
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Loads the SoundFont, chooses the voices and opens the first audio output that works. Reading the
    // SoundFont and reaching a sound server take time: call this away from the window's thread. On
    // failure detail says what went wrong, in the synthesizer's words. Opens once.
    virtual OpenResult Open(const SoundEngineSettings& settings, std::string& detail) = 0;

    // May be called from any thread once Open has succeeded. key is a MIDI key number, velocity 1..127.
    virtual void NoteOn(Voice voice, int key, int velocity) = 0;
    virtual void NoteOff(Voice voice, int key) = 0;
    virtual void AllNotesOff() = 0;

    // Renders frames of stereo audio into memory. Only for an engine opened without audio output; false
    // otherwise.
    virtual bool Render(float* left, float* right, int frames) = 0;

    // Frames the audio output has taken so far. It stops growing when the output hangs or goes away.
    virtual std::uint64_t FramesPlayed() const = 0;
    // The audio output that was opened, empty when rendering into memory.
    virtual std::string DriverName() const = 0;
    // Length of the output buffer the synthesizer fills ahead of the speaker, in milliseconds.
    virtual double BufferMilliseconds() const = 0;
};

// What the sound module makes its engines with. The module is a Qt plugin whose one object implements
// this interface.
class SoundEngineMaker {
public:
    SoundEngineMaker() = default;
    virtual ~SoundEngineMaker() = default;
    SoundEngineMaker(const SoundEngineMaker&) = delete;
    SoundEngineMaker& operator=(const SoundEngineMaker&) = delete;

    // A new, unopened engine, or nullptr when none can be made.
    virtual std::unique_ptr<SoundEngine> MakeEngine() = 0;
};

} // namespace quavix

// The interface's id with its version. Raised whenever SoundEngine, SoundEngineSettings or SoundEngineMaker
// change shape, so a module built for another shape is refused before any of its code runs.
#define QUAVIX_SOUND_ENGINE_IID "example.tonewright.quavix.SoundEngineMaker/2"
Q_DECLARE_INTERFACE(quavix::SoundEngineMaker, QUAVIX_SOUND_ENGINE_IID)
