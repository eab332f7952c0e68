#include "PulseLoop.h"

#include <pulse/rtclock.h>
#include <pulse/timeval.h>

#include <cerrno>

namespace quavix {

// What every event the loop keeps holds besides its own kind of trigger.
template <typename Callback, typename DestroyCallback> struct PulseLoopEvent {
    PulseLoop* Loop = nullptr;
    Callback Call = nullptr;
    void* Userdata = nullptr;
    DestroyCallback Destroy = nullptr;
    bool Freed = false; // by libpulse; forgotten at the start of the next turn
};

} // namespace quavix

// The events libpulse asks the loop for; its headers leave their contents to each loop.
struct pa_io_event : quavix::PulseLoopEvent<pa_io_event_cb_t, pa_io_event_destroy_cb_t> {
    int Fd = -1;
    pa_io_event_flags_t Events = PA_IO_EVENT_NULL;
};

struct pa_time_event : quavix::PulseLoopEvent<pa_time_event_cb_t, pa_time_event_destroy_cb_t> {
    bool Enabled = false;
    timeval When{};
};

struct pa_defer_event : quavix::PulseLoopEvent<pa_defer_event_cb_t, pa_defer_event_destroy_cb_t> {
    bool Enabled = true;
};

namespace quavix {

namespace {

// libpulse marks a time on the monotonic clock with this bit of its microseconds; a loop of its own, like
// this one, is given times on the wall clock, but either is read right.
constexpr suseconds_t MonotonicMark = suseconds_t(1) << 30;

bool Due(const timeval& when) {
    if ((when.tv_usec & MonotonicMark) != 0) {
        timeval monotonic = when;
        monotonic.tv_usec &= ~MonotonicMark;
        return pa_timeval_load(&monotonic) <= pa_rtclock_now();
    }
    timeval now{};
    return pa_timeval_load(&when) <= pa_timeval_load(pa_gettimeofday(&now));
}

short PollFlags(pa_io_event_flags_t events) {
    return static_cast<short>(((events & PA_IO_EVENT_INPUT) != 0 ? POLLIN : 0) |
                              ((events & PA_IO_EVENT_OUTPUT) != 0 ? POLLOUT : 0) |
                              ((events & PA_IO_EVENT_ERROR) != 0 ? POLLERR : 0) |
                              ((events & PA_IO_EVENT_HANGUP) != 0 ? POLLHUP : 0));
}

pa_io_event_flags_t EventFlags(short revents) {
    return static_cast<pa_io_event_flags_t>(((revents & POLLIN) != 0 ? PA_IO_EVENT_INPUT : 0) |
                                            ((revents & POLLOUT) != 0 ? PA_IO_EVENT_OUTPUT : 0) |
                                            ((revents & POLLERR) != 0 ? PA_IO_EVENT_ERROR : 0) |
                                            ((revents & POLLHUP) != 0 ? PA_IO_EVENT_HANGUP : 0));
}

PulseLoop& LoopOf(pa_mainloop_api* api) {
    return *static_cast<PulseLoop*>(api->userdata);
}

} // namespace

struct PulseLoopCalls {
    static pa_io_event* IoNew(pa_mainloop_api* api, int fd, pa_io_event_flags_t events,
                              pa_io_event_cb_t callback, void* userdata) {
        PulseLoop& loop = LoopOf(api);
        loop.ios_.push_back(
            std::make_unique<pa_io_event>(pa_io_event{{&loop, callback, userdata}, fd, events}));
        return loop.ios_.back().get();
    }
    static void IoEnable(pa_io_event* event, pa_io_event_flags_t events) { event->Events = events; }

    static pa_time_event* TimeNew(pa_mainloop_api* api, const timeval* when, pa_time_event_cb_t callback,
                                  void* userdata) {
        PulseLoop& loop = LoopOf(api);
        loop.times_.push_back(std::make_unique<pa_time_event>(pa_time_event{
            {&loop, callback, userdata}, when != nullptr, when != nullptr ? *when : timeval{}}));
        return loop.times_.back().get();
    }
    static void TimeRestart(pa_time_event* event, const timeval* when) {
        event->Enabled = when != nullptr;
        if (when != nullptr)
            event->When = *when;
    }

    static pa_defer_event* DeferNew(pa_mainloop_api* api, pa_defer_event_cb_t callback, void* userdata) {
        PulseLoop& loop = LoopOf(api);
        loop.defers_.push_back(
            std::make_unique<pa_defer_event>(pa_defer_event{{&loop, callback, userdata}, true}));
        return loop.defers_.back().get();
    }
    static void DeferEnable(pa_defer_event* event, int enabled) { event->Enabled = enabled != 0; }

    template <typename Event> static void Free(Event* event) {
        event->Freed = true;
        if constexpr (requires { event->Enabled; })
            event->Enabled = false;
        event->Loop->anyFreed_ = true;
    }
    template <typename Event, typename DestroyCallback>
    static void SetDestroy(Event* event, DestroyCallback destroy) {
        event->Destroy = destroy;
    }

    // The loop is only ever turned, never run until told to quit.
    static void Quit(pa_mainloop_api* /*api*/, int /*retval*/) {}

    template <typename Event>
    static void Destroy(pa_mainloop_api* api, std::vector<std::unique_ptr<Event>>& events, bool onlyFreed) {
        // Taken out of the list first: a destroy callback may ask for or free other events.
        std::vector<std::unique_ptr<Event>> going;
        std::erase_if(events, [&going, onlyFreed](std::unique_ptr<Event>& event) {
            if (onlyFreed && !event->Freed)
                return false;
            going.push_back(std::move(event));
            return true;
        });
        for (const std::unique_ptr<Event>& event : going)
            if (event->Destroy != nullptr)
                event->Destroy(api, event.get(), event->Userdata);
    }
};

PulseLoop::PulseLoop() {
    api_.userdata = this;
    api_.io_new = &PulseLoopCalls::IoNew;
    api_.io_enable = &PulseLoopCalls::IoEnable;
    api_.io_free = &PulseLoopCalls::Free<pa_io_event>;
    api_.io_set_destroy = &PulseLoopCalls::SetDestroy<pa_io_event, pa_io_event_destroy_cb_t>;
    api_.time_new = &PulseLoopCalls::TimeNew;
    api_.time_restart = &PulseLoopCalls::TimeRestart;
    api_.time_free = &PulseLoopCalls::Free<pa_time_event>;
    api_.time_set_destroy = &PulseLoopCalls::SetDestroy<pa_time_event, pa_time_event_destroy_cb_t>;
    api_.defer_new = &PulseLoopCalls::DeferNew;
    api_.defer_enable = &PulseLoopCalls::DeferEnable;
    api_.defer_free = &PulseLoopCalls::Free<pa_defer_event>;
    api_.defer_set_destroy = &PulseLoopCalls::SetDestroy<pa_defer_event, pa_defer_event_destroy_cb_t>;
    api_.quit = &PulseLoopCalls::Quit;
}

PulseLoop::~PulseLoop() {
    PulseLoopCalls::Destroy(&api_, ios_, false);
    PulseLoopCalls::Destroy(&api_, defers_, false);
    PulseLoopCalls::Destroy(&api_, times_, false);
}

int PulseLoop::Turn() {
    ForgetFreed();
    // What was deferred runs on a turn of its own, without looking at the descriptors.
    if (const int ran = RunDeferred(); ran > 0)
        return ran;
    if (LookAtDescriptors() < 0)
        return -1;
    return RunTimersDue() + RunReady();
}

void PulseLoop::ForgetFreed() {
    if (!anyFreed_)
        return;
    anyFreed_ = false;
    PulseLoopCalls::Destroy(&api_, ios_, true);
    PulseLoopCalls::Destroy(&api_, defers_, true);
    PulseLoopCalls::Destroy(&api_, times_, true);
}

int PulseLoop::RunDeferred() {
    int ran = 0;
    // By index: a callback may ask for more events, which wait for the next turn.
    for (std::size_t i = 0, count = defers_.size(); i < count; ++i) {
        pa_defer_event* event = defers_[i].get();
        if (!event->Enabled)
            continue;
        event->Call(&api_, event, event->Userdata);
        ++ran;
    }
    return ran;
}

int PulseLoop::LookAtDescriptors() {
    polled_.clear();
    polledEvents_.clear();
    for (const std::unique_ptr<pa_io_event>& event : ios_) {
        if (event->Freed)
            continue;
        polled_.push_back({event->Fd, PollFlags(event->Events), 0});
        polledEvents_.push_back(event.get());
    }
    if (polled_.empty())
        return 0;
    const int ready = poll(polled_.data(), polled_.size(), 0);
    if (ready < 0 && errno == EINTR)
        return 0;
    return ready;
}

int PulseLoop::RunTimersDue() {
    int ran = 0;
    for (std::size_t i = 0, count = times_.size(); i < count; ++i) {
        pa_time_event* event = times_[i].get();
        if (!event->Enabled || !Due(event->When))
            continue;
        // Each time runs once; its callback may set it again.
        event->Enabled = false;
        const timeval when = event->When;
        event->Call(&api_, event, &when, event->Userdata);
        ++ran;
    }
    return ran;
}

int PulseLoop::RunReady() {
    int ran = 0;
    for (std::size_t i = 0; i < polled_.size(); ++i) {
        pa_io_event* event = polledEvents_[i];
        if (polled_[i].revents == 0 || event->Freed)
            continue;
        event->Call(&api_, event, event->Fd, EventFlags(polled_[i].revents), event->Userdata);
        ++ran;
    }
    return ran;
}

} // namespace quavix
