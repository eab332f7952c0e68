#pragma once

// The listening switch. Off, it is one small object that has loaded nothing, opened nothing and runs no
// timer. Switched on, it loads the listening module (once), opens the chosen input (or the default one)
// and turns what arrives into mono samples at the detector's rate: the detector's notes, the level for the
// meter, and the input's problems come out as signals. Every problem is an ordinary state: no input, an
// input unplugged (listening comes back by itself when an input returns), silence, clipping, an input that
// stalls, a format that cannot be read.

#include "AudioInput.h"
#include "InputMonitor.h"
#include "PitchDetector.h"
#include "Resampler.h"
#include "SampleConverter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace quavix {

class ListenModule;

enum class ListenProblem : std::uint8_t {
    None = 0,
    ModuleMissing = 1, // the listening module or Qt Multimedia is not installed
    NoInput = 2,       // no audio input at all, or not the one chosen
    OpenFailed = 3,    // the input would not open
    InputLost = 4,     // the input went away while listening; listening resumes when one comes back
    Unreadable = 5,    // the input opened with a sample format this program cannot read
    Silent = 6,        // the input delivers nothing but silence: a muted or disconnected microphone
    Clipping = 7,      // the input is too loud and clips
    Stalled = 8,       // the input has stopped delivering
};

// Makes an unopened input, or returns nullptr and says why.
using AudioInputFactoryFunction = std::function<std::unique_ptr<AudioInput>(QString& error)>;

class Listener final : public QObject, private AudioInputSink {
    Q_OBJECT
public:
    // Listens through the module installed beside the executable.
    explicit Listener(QObject* parent = nullptr);
    // Listens through inputs that factory makes (a test's double, say).
    explicit Listener(AudioInputFactoryFunction factory, QObject* parent = nullptr);
    ~Listener() override;

    // The factory that loads the module at modulePath.
    static AudioInputFactoryFunction ModuleFactory(const QString& modulePath);

    // The inputs there are. Loads the module the first time (but opens nothing).
    QList<AudioInputDevice> Devices();

    // Starts opening the input with this id (empty: the system's default), or says why not with Problem.
    // Returns without waiting for the sound server: listening begins (ListeningChanged) once the input
    // has started, or OpenFailed is told when it refuses or does not answer in time. Listening stays
    // wanted until SwitchOff, so an input that comes back is opened again.
    void SwitchOn(const QByteArray& deviceId = {});
    // Stops listening, or gives up an open still waiting for the server.
    void SwitchOff();
    bool IsListening() const { return listening_; }
    bool IsOpening() const { return opening_; }
    bool IsWanted() const { return wanted_; }
    ListenProblem CurrentProblem() const { return problem_; }

    // While paused the input is still measured, but nothing is heard, and what was heard before is
    // forgotten: for the moments the program's own sound plays.
    void SetPaused(bool paused);
    bool IsPaused() const { return paused_; }

    // The format asked of the input (the detector's own by default; the input may deliver another).
    void SetRequestedFormat(const SampleFormat& format) { requested_ = format; }
    // The format the open input delivers.
    SampleFormat DeliveredFormat() const { return delivered_; }
    // Longest pause in delivery taken as normal; an input delivers every 10 to 50 ms.
    void SetStallMs(int ms);
    static constexpr int DefaultStallMs = 1000;
    // How long an input may take to start before opening it has failed.
    void SetOpenTimeoutMs(int ms) { openTimer_.setInterval(ms); }
    static constexpr int DefaultOpenTimeoutMs = 5000;

    const PitchDetectorSettings& DetectorSettings() const { return detectorSettings_; }
    // Whether an answer depends on the octave of the note heard (PitchDetectorSettings::OctaveMatters).
    void SetOctaveMatters(bool matters);
    // How far from its key a heard pitch still answers (PitchDetectorSettings::ToleranceCents).
    void SetToleranceCents(int cents);

signals:
    void NoteHeard(const quavix::HeardNote& note);
    void LevelChanged(const quavix::InputLevel& level);
    void ProblemChanged(quavix::ListenProblem problem, const QString& detail);
    void ListeningChanged(bool listening);
    void DevicesChanged();

private:
    void InputOpened() override;
    void InputData(const char* data, qint64 size) override;
    void InputFailed(InputFailure failure) override;
    void InputsChanged() override;

    bool EnsureInput();
    QByteArray OpenedIdIn(const QList<AudioInputDevice>& devices) const;
    void Open();
    void Close();
    void FailOpening(const QString& why);
    void CheckStall();
    void ForgetHeard();
    void LoseInput();
    void SetProblem(ListenProblem problem, const QString& detail = {});
    void UpdateInputProblems();

    AudioInputFactoryFunction factory_;
    std::unique_ptr<AudioInput> input_;
    QByteArray deviceId_;
    QByteArray openedId_;
    bool wanted_ = false;
    bool opening_ = false;
    bool listening_ = false;
    bool paused_ = false;
    ListenProblem problem_ = ListenProblem::None;
    PitchDetectorSettings detectorSettings_;
    SampleFormat requested_;
    SampleFormat delivered_;
    std::unique_ptr<SampleConverter> converter_;
    std::unique_ptr<Resampler> resampler_;
    std::unique_ptr<InputMonitor> monitor_;
    std::unique_ptr<PitchDetector> detector_;
    std::vector<float> mono_;
    std::vector<float> resampled_;
    QTimer openTimer_;
    QTimer stallTimer_;
    QElapsedTimer sinceData_;
    int stallMs_ = DefaultStallMs;
    bool stalled_ = false;
    // The stall is checked four times in a stall time, the list of inputs on every third check.
    static constexpr int ChecksPerListLook = 3;
    int checksSinceListLooked_ = 0;
};

} // namespace quavix

Q_DECLARE_METATYPE(quavix::HeardNote)
Q_DECLARE_METATYPE(quavix::InputLevel)
Q_DECLARE_METATYPE(quavix::ListenProblem)
