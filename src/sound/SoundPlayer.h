#pragma once

// The sound switch. Off, it is one small object that has loaded nothing and runs nothing. Switched on,
// it starts a thread that loads the sound module and a SoundFont and opens the audio output, then says
// Ready, or Failed with a message for the user. While on, notes go straight to the synthesizer from the
// calling thread, and a watchdog notices when the audio output stops taking sound (a server that went
// away, a device unplugged) and switches off with Failed.

#include "SoundEngine.h"
#include "SoundWorker.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

class QThread;

namespace quavix {

class SoundPlayer final : public QObject {
    Q_OBJECT
public:
    enum class State : std::uint8_t { Off = 0, Starting = 1, On = 2 };

    // Makes its synthesizers from the module installed beside the executable.
    explicit SoundPlayer(QObject* parent = nullptr);
    // Makes its synthesizers with factory, which runs on the player's thread; an empty factory means the
    // module beside the executable.
    explicit SoundPlayer(SoundEngineFactory factory, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // The factory that loads the module at modulePath.
    static SoundEngineFactory ModuleFactory(const QString& modulePath);
    // The audio outputs tried, best first.
    static std::vector<std::string> DefaultDrivers();

    // Taken at the next SwitchOn. An empty SoundFont means the one FindSoundFont chooses; no drivers
    // means rendering into memory only, which tests and benchmarks use.
    void SetSoundFont(const QString& path) { soundFont_ = path; }
    void SetDrivers(std::vector<std::string> drivers) { drivers_ = std::move(drivers); }

    State CurrentState() const { return state_; }
    bool IsOn() const { return state_ == State::On; }

    // Starts sound unless it is on or starting; Ready or Failed follows from the event loop.
    void SwitchOn();
    // Stops sound at once; an engine still starting is closed when it arrives.
    void SwitchOff();

    // Sound a note, or let it go. Nothing happens unless the player is on. key is a MIDI key number.
    void NoteOn(Voice voice, int key, int velocity);
    void NoteOff(Voice voice, int key);
    void AllNotesOff();
    // Whether a note is held down now (its sound may still be dying away after it is let go).
    bool IsSounding() const { return !held_.empty(); }

    // The engine playing now, or nullptr: for tests and benchmarks.
    SoundEngine* Engine() const { return engine_.get(); }

    // Longest silence of the audio output taken as normal: a running output takes a period every 10 ms.
    static constexpr int StallMs = 1500;
    // A sound server may take a while to wake a suspended device for a new stream (a second or two for
    // some Bluetooth and HDMI outputs), so the output is not judged in its first moments.
    static constexpr int StartGraceMs = 3000;
    // Longest start taken as normal; a sound server that has not answered by then is given up on.
    static constexpr int StartTimeoutMs = 10000;
    void SetStartTimeout(int ms) { startTimeout_.setInterval(ms); }
    // The two periods of the output's watch, for tests that cannot wait seconds. Taken at the next start.
    void SetOutputWatch(int stallMs, int startGraceMs);

signals:
    void Ready();
    void Failed(const QString& message);
    // The first note went down, or the last one was let go: for whoever must not take the program's own
    // sound for the user's (listening).
    void soundingChanged(bool sounding);

private:
    void Opened(quint64 attempt, StartResult result, const QString& detail);
    void CheckOutput();
    void Fail(const QString& message, const QString& detail = {});
    void CloseLater(std::shared_ptr<SoundEngine> engine);
    void EnsureThread();
    void Sounded(std::vector<std::pair<Voice, int>> held);

    SoundEngineFactory factory_;
    QString soundFont_;
    std::vector<std::string> drivers_;
    State state_ = State::Off;
    quint64 attempt_ = 0; // engines of earlier attempts are closed unused
    std::shared_ptr<EngineHandoff> handoff_ = std::make_shared<EngineHandoff>();
    std::shared_ptr<SoundEngine> engine_;
    QThread* thread_ = nullptr;
    SoundWorker* worker_ = nullptr;
    QTimer watchdog_;
    QTimer startTimeout_;
    int stallMs_ = StallMs;
    int startGraceMs_ = StartGraceMs;
    QElapsedTimer sinceReady_;
    QElapsedTimer sinceProgress_;
    std::uint64_t lastFrames_ = 0;
    std::vector<std::pair<Voice, int>> held_; // the notes down now
};

} // namespace quavix
