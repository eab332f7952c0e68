#include "SoundPlayer.h"

#include "SoundModule.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace quavix {

SoundPlayer::SoundPlayer(QObject* parent) : SoundPlayer(SoundEngineFactory(), parent) {}

SoundPlayer::SoundPlayer(SoundEngineFactory factory, QObject* parent)
    : QObject(parent), factory_(std::move(factory)), drivers_(DefaultDrivers()) {
    SetOutputWatch(StallMs, StartGraceMs);
    connect(&watchdog_, &QTimer::timeout, this, &SoundPlayer::CheckOutput);
    startTimeout_.setSingleShot(true);
    startTimeout_.setInterval(StartTimeoutMs);
    connect(&startTimeout_, &QTimer::timeout, this,
            [this] { Fail(tr("Sound is not available: the device did not answer.")); });
}

SoundPlayer::~SoundPlayer() {
    SwitchOff();
    if (thread_ == nullptr)
        return;
    // An engine the worker is still opening is then closed there, not sent here to a player that is gone.
    disconnect(worker_, nullptr, this, nullptr);
    // Queued behind any engine still to be closed, so that closing happens before the thread ends.
    QThread* thread = thread_;
    QMetaObject::invokeMethod(
        worker_, [thread] { thread->quit(); }, Qt::QueuedConnection);
    // A sound server that hangs can hold the thread in a call that never returns. The program must still
    // end, so after a while the thread is left to the end of the process instead of waited for.
    if (!thread_->wait(QDeadlineTimer(3000))) {
        qWarning("Sound: the sound thread did not end; leaving it");
        return;
    }
    delete thread_;
}

void SoundPlayer::SetOutputWatch(int stallMs, int startGraceMs) {
    stallMs_ = stallMs;
    startGraceMs_ = startGraceMs;
    watchdog_.setInterval(std::max(1, stallMs / 3));
}

SoundEngineFactory SoundPlayer::ModuleFactory(const QString& modulePath) {
    // Shared by every call, and only ever used on the player's thread.
    auto module = std::make_shared<SoundModule>(modulePath);
    return [module](QString& error) { return module->CreateEngine(error); };
}

std::vector<std::string> SoundPlayer::DefaultDrivers() {
    // PulseAudio also reaches a PipeWire desktop through its PulseAudio server; plain ALSA serves a
    // machine without a sound server.
    return {"pipewire", "pulseaudio", "alsa"};
}

void SoundPlayer::EnsureThread() {
    if (thread_ != nullptr)
        return;
    // Where the module lies is asked only now, so a player never switched on has cost nothing.
    if (!factory_)
        factory_ = ModuleFactory(SoundModule::DefaultPath());
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("quavix sound"));
    worker_ = new SoundWorker(factory_, handoff_);
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &SoundWorker::Opened, this, &SoundPlayer::Opened, Qt::QueuedConnection);
    thread_->start();
}

void SoundPlayer::SwitchOn() {
    if (state_ != State::Off)
        return;
    EnsureThread();
    state_ = State::Starting;
    const quint64 attempt = ++attempt_;
    handoff_->Want(attempt);
    SoundWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker_,
        [worker, attempt, font = soundFont_, drivers = drivers_] { worker->Open(attempt, font, drivers); },
        Qt::QueuedConnection);
    startTimeout_.start();
}

void SoundPlayer::SwitchOff() {
    ++attempt_;
    handoff_->Want(0);
    state_ = State::Off;
    watchdog_.stop();
    startTimeout_.stop();
    if (engine_ != nullptr)
        engine_->AllNotesOff();
    CloseLater(std::move(engine_));
    engine_.reset();
    Sounded({});
}

void SoundPlayer::CloseLater(std::shared_ptr<SoundEngine> engine) {
    // Closing joins the audio thread and talks to the sound server: not on the window's thread. Queued
    // ahead of any later start, so the engine is gone before the next one is made; an engine opened and not
    // yet taken goes with it.
    if (worker_ == nullptr)
        return;
    SoundWorker* worker = worker_;
    QMetaObject::invokeMethod(
        worker_,
        [worker, engine = std::move(engine)]() mutable {
            engine.reset();
            worker->CloseLeftOver();
        },
        Qt::QueuedConnection);
}

void SoundPlayer::Opened(quint64 attempt, StartResult result, const QString& detail) {
    // Switched off, or on again, meanwhile: the worker closes what it opened.
    if (attempt != attempt_ || state_ != State::Starting)
        return;
    startTimeout_.stop();
    switch (result) {
    case StartResult::Started:
        break;
    case StartResult::ModuleMissing:
        Fail(tr("Sound is not available: FluidSynth is missing."), detail);
        return;
    case StartResult::NoSoundFont:
        Fail(tr("Sound is not available: no SoundFont found."), detail);
        return;
    case StartResult::SetupFailed:
        Fail(tr("Sound is not available: the synthesizer failed."), detail);
        return;
    case StartResult::SoundFontFailed:
        Fail(tr("Sound is not available: unreadable SoundFont."), detail);
        return;
    case StartResult::OutputFailed:
        Fail(tr("Sound is not available: no sound device."), detail);
        return;
    }
    engine_ = handoff_->Take(attempt);
    if (engine_ == nullptr) {
        Fail(tr("Sound is not available: the synthesizer failed."));
        return;
    }
    state_ = State::On;
    if (!engine_->DriverName().empty()) {
        lastFrames_ = engine_->FramesPlayed();
        sinceReady_.start();
        sinceProgress_.start();
        watchdog_.start();
    }
    emit Ready();
}

void SoundPlayer::CheckOutput() {
    if (engine_ == nullptr)
        return;
    const std::uint64_t frames = engine_->FramesPlayed();
    if (frames != lastFrames_) {
        lastFrames_ = frames;
        sinceProgress_.start();
    } else if (sinceProgress_.elapsed() >= stallMs_ && sinceReady_.elapsed() >= startGraceMs_) {
        Fail(tr("Sound was switched off: the sound output stopped."));
    }
}

// The messages are short enough for the status bar of the smallest window; the detail goes to the log.
void SoundPlayer::Fail(const QString& message, const QString& detail) {
    SwitchOff();
    if (!detail.isEmpty())
        qInfo("Sound: %s", qUtf8Printable(detail));
    emit Failed(message);
}

void SoundPlayer::NoteOn(Voice voice, int key, int velocity) {
    if (engine_ == nullptr)
        return;
    engine_->NoteOn(voice, key, velocity);
    std::vector<std::pair<Voice, int>> held = held_;
    if (std::find(held.begin(), held.end(), std::pair(voice, key)) == held.end())
        held.emplace_back(voice, key);
    Sounded(std::move(held));
}

void SoundPlayer::NoteOff(Voice voice, int key) {
    if (engine_ == nullptr)
        return;
    engine_->NoteOff(voice, key);
    std::vector<std::pair<Voice, int>> held = held_;
    std::erase(held, std::pair(voice, key));
    Sounded(std::move(held));
}

void SoundPlayer::AllNotesOff() {
    if (engine_ != nullptr)
        engine_->AllNotesOff();
    Sounded({});
}

void SoundPlayer::Sounded(std::vector<std::pair<Voice, int>> held) {
    const bool was = !held_.empty();
    held_ = std::move(held);
    if (was != !held_.empty())
        emit soundingChanged(!held_.empty());
}

} // namespace quavix
