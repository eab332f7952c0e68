#pragma once

// The main loop the capture's PulseAudio connection runs on, turned by the capture's own timer. libpulse's
// own loop keeps a pipe to wake a thread blocked in it from other threads: it writes to that pipe each time
// the connection asks for a deferred turn (after every piece of sound taken, to hand its buffer back to the
// server) and reads it empty on every turn, two system calls a delivery for nothing, since only this thread
// ever touches the connection and it never blocks in the loop. This loop has no pipe: a turn runs what was
// deferred, or else looks at the connection's descriptors without waiting and runs what they and the
// timers due call for, as libpulse's loop does.

#include <poll.h>
#include <pulse/mainloop-api.h>

#include <memory>
#include <vector>

namespace quavix {

class PulseLoop final {
public:
    PulseLoop();
    // Every event still there is destroyed, its destroy callback called, as libpulse's loop does.
    ~PulseLoop();
    PulseLoop(const PulseLoop&) = delete;
    PulseLoop& operator=(const PulseLoop&) = delete;

    pa_mainloop_api* Api() { return &api_; }

    // One turn without waiting: the number of events run, or -1 when the descriptors could not be looked at.
    int Turn();

private:
    friend struct PulseLoopCalls; // the table of calls libpulse makes

    int RunDeferred();
    int LookAtDescriptors();
    int RunTimersDue();
    int RunReady();
    void ForgetFreed();

    pa_mainloop_api api_{};
    // Events are only marked when libpulse frees them, and forgotten at the start of the next turn, so
    // that one freed from a callback stays valid until the turn is over.
    std::vector<std::unique_ptr<pa_io_event>> ios_;
    std::vector<std::unique_ptr<pa_time_event>> times_;
    std::vector<std::unique_ptr<pa_defer_event>> defers_;
    bool anyFreed_ = false;
    // The descriptors looked at in this turn, and whose they are.
    std::vector<pollfd> polled_;
    std::vector<pa_io_event*> polledEvents_;
};

} // namespace quavix
