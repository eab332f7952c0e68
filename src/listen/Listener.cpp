#include "Listener.h"

#include "ListenModule.h"

namespace quavix {

namespace {

bool HasDevice(const QList<AudioInputDevice>& devices, const QByteArray& id) {
    for (const AudioInputDevice& d : devices)
        if (d.Id == id)
            return true;
    return false;
}

} // namespace

Listener::Listener(QObject* parent) : Listener(AudioInputFactoryFunction{}, parent) {}

Listener::Listener(AudioInputFactoryFunction factory, QObject* parent)
    : QObject(parent), factory_(factory ? std::move(factory) : ModuleFactory(ListenModule::DefaultPath())) {
    requested_ = SampleFormat{SampleType::Float, 1, detectorSettings_.SampleRate};
    stallTimer_.setInterval(stallMs_ / 4);
    connect(&stallTimer_, &QTimer::timeout, this, &Listener::CheckStall);
    openTimer_.setSingleShot(true);
    openTimer_.setInterval(DefaultOpenTimeoutMs);
    connect(&openTimer_, &QTimer::timeout, this,
            [this] { FailOpening(QStringLiteral("the sound server did not answer")); });
}

Listener::~Listener() {
    if (input_ != nullptr) {
        input_->Close();
        input_->SetSink(nullptr);
    }
}

AudioInputFactoryFunction Listener::ModuleFactory(const QString& modulePath) {
    auto module = std::make_shared<std::unique_ptr<ListenModule>>();
    return [module, modulePath](QString& error) -> std::unique_ptr<AudioInput> {
        if (*module == nullptr)
            *module = std::make_unique<ListenModule>(modulePath);
        return (*module)->CreateInput(error);
    };
}

void Listener::SetStallMs(int ms) {
    stallMs_ = ms;
    stallTimer_.setInterval(std::max(1, ms / 4));
}

bool Listener::EnsureInput() {
    if (input_ != nullptr)
        return true;
    QString error;
    input_ = factory_(error);
    if (input_ == nullptr) {
        SetProblem(ListenProblem::ModuleMissing, error);
        return false;
    }
    input_->SetSink(this);
    return true;
}

QList<AudioInputDevice> Listener::Devices() {
    if (!EnsureInput())
        return {};
    return input_->Devices();
}

void Listener::SwitchOn(const QByteArray& deviceId) {
    wanted_ = true;
    deviceId_ = deviceId;
    Open();
}

void Listener::SwitchOff() {
    wanted_ = false;
    Close();
    stallTimer_.stop();
    SetProblem(ListenProblem::None);
}

void Listener::Open() {
    Close();
    if (!EnsureInput())
        return;
    // Before the server has first answered, its inputs are not known yet: the open asks it.
    const QList<AudioInputDevice> devices = input_->Devices();
    const bool missing = devices.isEmpty() || (!deviceId_.isEmpty() && !HasDevice(devices, deviceId_));
    if (input_->KnowsDevices() && missing) {
        SetProblem(ListenProblem::NoInput);
        return;
    }
    openedId_ = OpenedIdIn(devices);
    QString error;
    SampleFormat delivered;
    if (!input_->Open(deviceId_, requested_, delivered, error)) {
        SetProblem(ListenProblem::OpenFailed, error);
        return;
    }
    if (!delivered.IsReadable()) {
        input_->Close();
        SetProblem(ListenProblem::Unreadable);
        return;
    }
    delivered_ = delivered;
    converter_ = std::make_unique<SampleConverter>(delivered);
    resampler_ = std::make_unique<Resampler>(delivered.SampleRate, detectorSettings_.SampleRate);
    monitor_ = std::make_unique<InputMonitor>(delivered.SampleRate);
    detector_ = std::make_unique<PitchDetector>(detectorSettings_);
    // Listening begins when the input says it has started; the window goes on meanwhile.
    opening_ = true;
    openTimer_.start();
    SetProblem(ListenProblem::None);
}

void Listener::InputOpened() {
    if (!opening_)
        return;
    opening_ = false;
    openTimer_.stop();
    listening_ = true;
    stalled_ = false;
    sinceData_.start();
    stallTimer_.start();
    SetProblem(ListenProblem::None);
    emit ListeningChanged(true);
}

void Listener::Close() {
    if (opening_) {
        // Given up before it started: the input hears no more of it, and nothing was ever heard.
        input_->Close();
        openTimer_.stop();
        opening_ = false;
        return;
    }
    if (!listening_)
        return;
    input_->Close();
    stallTimer_.stop();
    listening_ = false;
    ForgetHeard();
    emit ListeningChanged(false);
}

void Listener::FailOpening(const QString& why) {
    if (!opening_)
        return;
    Close();
    SetProblem(ListenProblem::OpenFailed, why);
}

void Listener::ForgetHeard() {
    // A note still held is let go of, so whoever shows it held is never left with it.
    if (detector_ == nullptr)
        return;
    if (const std::optional<double> held = detector_->HeldPitch()) {
        HeardNote ended;
        ended.What = HeardNote::Kind::Ended;
        ended.Pitch = *held;
        ended.HeardSample = detector_->SamplesTaken();
        emit NoteHeard(ended);
    }
    detector_->Reset();
}

void Listener::SetOctaveMatters(bool matters) {
    detectorSettings_.OctaveMatters = matters;
    if (detector_)
        detector_->SetOctaveMatters(matters);
}

void Listener::SetToleranceCents(int cents) {
    detectorSettings_.ToleranceCents = cents;
    if (detector_)
        detector_->SetToleranceCents(cents);
}

void Listener::SetPaused(bool paused) {
    if (paused == paused_)
        return;
    paused_ = paused;
    if (listening_)
        ForgetHeard();
}

void Listener::InputData(const char* data, qint64 size) {
    if (!listening_ || size <= 0)
        return;
    sinceData_.restart();
    stalled_ = false;
    mono_.clear();
    converter_->Convert(data, static_cast<std::size_t>(size), mono_);
    const SampleConverter::Extremes extremes = converter_->TakeExtremes();
    const std::optional<InputLevel> level =
        monitor_->Take(mono_.data(), static_cast<int>(mono_.size()), extremes.Peak, extremes.AtFullScale);
    UpdateInputProblems();
    if (level)
        emit LevelChanged(*level);
    if (paused_)
        return;
    resampled_.clear();
    resampler_->Process(mono_.data(), static_cast<int>(mono_.size()), resampled_);
    // Copied: a receiver may switch listening off, which frees the detector and its list.
    const std::vector<HeardNote> heard =
        detector_->Feed(resampled_.data(), static_cast<int>(resampled_.size()));
    for (const HeardNote& note : heard)
        emit NoteHeard(note);
}

void Listener::InputFailed(InputFailure failure) {
    if (opening_) {
        FailOpening(QStringLiteral("the sound server refused the input"));
        return;
    }
    if (!listening_)
        return;
    if (failure == InputFailure::Lost) {
        LoseInput();
        return;
    }
    Close();
    SetProblem(ListenProblem::OpenFailed);
}

void Listener::LoseInput() {
    Close();
    SetProblem(ListenProblem::InputLost);
    // The audio layer does not always say when inputs come and go (Qt 6.4 with PulseAudio lists them
    // right but signals nothing), so while listening is wanted the list is looked at now and then.
    stallTimer_.start();
}

QByteArray Listener::OpenedIdIn(const QList<AudioInputDevice>& devices) const {
    // The input actually opened, so that its going away is noticed even when the default was asked for.
    if (!deviceId_.isEmpty())
        return deviceId_;
    for (const AudioInputDevice& d : devices)
        if (d.IsDefault)
            return d.Id;
    return {};
}

void Listener::InputsChanged() {
    emit DevicesChanged();
    if (input_ == nullptr)
        return;
    const QList<AudioInputDevice> devices = input_->Devices();
    // Opened before the inputs were known: now it can be named.
    if ((listening_ || opening_) && openedId_.isEmpty())
        openedId_ = OpenedIdIn(devices);
    if ((listening_ || opening_) && !openedId_.isEmpty() && !HasDevice(devices, openedId_)) {
        LoseInput();
        return;
    }
    // Listening is still wanted after its input went away or was missing: try again with what is there.
    const bool waiting = problem_ == ListenProblem::InputLost || problem_ == ListenProblem::NoInput;
    if (wanted_ && !listening_ && !opening_ && waiting && !devices.isEmpty())
        Open();
}

void Listener::CheckStall() {
    if (opening_)
        return; // the open's own deadline watches it
    if (!listening_) {
        const bool waiting = problem_ == ListenProblem::InputLost || problem_ == ListenProblem::NoInput;
        if (!wanted_ || !waiting)
            stallTimer_.stop();
        else if (!input_->Devices().isEmpty())
            Open();
        return;
    }
    // An input may be unplugged without a word from the audio layer, which may even go on delivering
    // silence from it. Building the audio layer's list of inputs costs far more than the rest of the check,
    // so it is looked at on every few checks only: an unplugged input is still noticed within three quarters
    // of the stall time, under a second by default.
    if (++checksSinceListLooked_ >= ChecksPerListLook) {
        checksSinceListLooked_ = 0;
        if (!openedId_.isEmpty() && !HasDevice(input_->Devices(), openedId_)) {
            LoseInput();
            return;
        }
    }
    if (stalled_ || sinceData_.elapsed() <= stallMs_)
        return;
    stalled_ = true;
    ForgetHeard();
    UpdateInputProblems();
}

void Listener::UpdateInputProblems() {
    if (!listening_)
        return;
    if (stalled_)
        SetProblem(ListenProblem::Stalled);
    else if (monitor_->Silent())
        SetProblem(ListenProblem::Silent);
    else if (monitor_->Clipping())
        SetProblem(ListenProblem::Clipping);
    else
        SetProblem(ListenProblem::None);
}

void Listener::SetProblem(ListenProblem problem, const QString& detail) {
    if (problem == problem_)
        return;
    problem_ = problem;
    emit ProblemChanged(problem, detail);
}

} // namespace quavix
