#pragma once

// A synthesizer that only keeps a record: which notes it was given, on which thread it was opened and
// closed, and an audio output that runs or stalls on request.

#include "SoundEngine.h"
#include "SoundWorker.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// One note event: on (with its velocity) or off.
struct FakeNote {
    bool on = false;
    quavix::Voice voice = quavix::Voice::Piano;
    int key = 0;
    int velocity = 0;

    friend bool operator==(const FakeNote&, const FakeNote&) = default;
};

// What the fake engines of one test did.
struct FakeLog {
    std::atomic<int> created{0};
    std::atomic<int> destroyed{0};
    std::atomic<int> destroyedOnCaller{0}; // destroyed on the thread that runs the test
    std::atomic<int> mostAlive{0};         // the most engines that existed at one moment
    std::atomic<bool> openedOnCaller{false};
    std::atomic<int> outputChecks{0}; // how often the pretended output's frames were asked for
    bool outputAdvances = true;       // whether the pretended audio output keeps taking frames
    QSemaphore* gate = nullptr;       // when set, Open waits for it
    QThread* caller = QThread::currentThread();

    int Alive() const { return created - destroyed; }
    void Born() {
        const int alive = ++created - destroyed;
        for (int most = mostAlive; alive > most && !mostAlive.compare_exchange_weak(most, alive);) {
        }
    }

    void Add(FakeNote note) {
        std::lock_guard lock(mutex_);
        notes_.push_back(note);
    }
    std::vector<FakeNote> Notes() const {
        std::lock_guard lock(mutex_);
        return notes_;
    }
    // The latest event, or an empty one.
    FakeNote Last() const {
        std::lock_guard lock(mutex_);
        return notes_.empty() ? FakeNote{} : notes_.back();
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        notes_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<FakeNote> notes_;
};

class FakeEngine final : public quavix::SoundEngine {
public:
    explicit FakeEngine(std::shared_ptr<FakeLog> log) : log_(std::move(log)) { log_->Born(); }
    ~FakeEngine() override {
        ++log_->destroyed;
        if (QThread::currentThread() == log_->caller)
            ++log_->destroyedOnCaller;
    }
    quavix::OpenResult Open(const quavix::SoundEngineSettings&, std::string&) override {
        if (QThread::currentThread() == log_->caller)
            log_->openedOnCaller = true;
        if (log_->gate != nullptr)
            log_->gate->acquire();
        clock_.start();
        return quavix::OpenResult::Opened;
    }
    void NoteOn(quavix::Voice voice, int key, int velocity) override {
        log_->Add({true, voice, key, velocity});
    }
    void NoteOff(quavix::Voice voice, int key) override { log_->Add({false, voice, key, 0}); }
    void AllNotesOff() override {}
    bool Render(float*, float*, int) override { return false; }
    std::uint64_t FramesPlayed() const override {
        ++log_->outputChecks;
        return log_->outputAdvances ? std::uint64_t(clock_.elapsed()) * 48 : 0;
    }
    std::string DriverName() const override { return "fake"; }
    double BufferMilliseconds() const override { return 10; }

private:
    std::shared_ptr<FakeLog> log_;
    QElapsedTimer clock_;
};

inline quavix::SoundEngineFactory FakeFactory(std::shared_ptr<FakeLog> log) {
    return [log](QString&) { return std::make_unique<FakeEngine>(log); };
}
