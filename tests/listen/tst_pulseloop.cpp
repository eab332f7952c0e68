// The capture's own main loop for its PulseAudio connection, driven through the table of calls libpulse
// makes, on a real pipe: what runs on a turn, and that an event freed or left over is destroyed once.
#include "PulseLoop.h"

#include <pulse/timeval.h>

#include <QTest>

#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

using namespace quavix;

namespace {

// What the callbacks saw.
struct Seen {
    int Deferred = 0;
    int Timed = 0;
    int Readable = 0;
    int Destroyed = 0;
    pa_io_event_flags_t Flags = PA_IO_EVENT_NULL;
};

// The wall clock this many milliseconds from now (before it, when negative), as libpulse gives a loop of
// its own its times.
timeval FromNow(long ms) {
    timeval when{};
    pa_gettimeofday(&when);
    const pa_usec_t shift = pa_usec_t(std::labs(ms)) * PA_USEC_PER_MSEC;
    return ms < 0 ? *pa_timeval_sub(&when, shift) : *pa_timeval_add(&when, shift);
}

void OnDeferred(pa_mainloop_api*, pa_defer_event*, void* seen) {
    ++static_cast<Seen*>(seen)->Deferred;
}
void OnTime(pa_mainloop_api*, pa_time_event*, const timeval*, void* seen) {
    ++static_cast<Seen*>(seen)->Timed;
}
void OnReadable(pa_mainloop_api*, pa_io_event*, int, pa_io_event_flags_t flags, void* seen) {
    ++static_cast<Seen*>(seen)->Readable;
    static_cast<Seen*>(seen)->Flags = flags;
}
void OnReadableFreeItself(pa_mainloop_api* api, pa_io_event* event, int fd, pa_io_event_flags_t flags,
                          void* seen) {
    OnReadable(api, event, fd, flags, seen);
    api->io_free(event);
}
template <typename Event> void OnDestroy(pa_mainloop_api*, Event*, void* seen) {
    ++static_cast<Seen*>(seen)->Destroyed;
}

} // namespace

class TestPulseLoop : public QObject {
    Q_OBJECT

    int pipe_[2] = {-1, -1};

private slots:
    void init() { QCOMPARE(pipe2(pipe_, O_NONBLOCK), 0); }
    void cleanup() {
        close(pipe_[0]);
        close(pipe_[1]);
    }

    // What was deferred runs on a turn of its own, each turn while it stays enabled; then the descriptors
    // ready and the times due run, a time once.
    void TurnsRunDeferredThenReadyAndDue() {
        Seen seen;
        PulseLoop loop;
        pa_mainloop_api* api = loop.Api();
        pa_defer_event* deferred = api->defer_new(api, &OnDeferred, &seen);
        api->io_new(api, pipe_[0], PA_IO_EVENT_INPUT, &OnReadable, &seen);
        pa_time_event* timer = api->time_new(api, nullptr, &OnTime, &seen);
        QCOMPARE(write(pipe_[1], "x", 1), 1);
        QCOMPARE(loop.Turn(), 1);
        QCOMPARE(loop.Turn(), 1);
        QCOMPARE(seen.Deferred, 2);
        QCOMPARE(seen.Readable, 0);
        api->defer_enable(deferred, 0);
        const timeval past = FromNow(-5);
        api->time_restart(timer, &past);
        QCOMPARE(loop.Turn(), 2);
        QCOMPARE(seen.Readable, 1);
        QCOMPARE(seen.Flags, PA_IO_EVENT_INPUT);
        QCOMPARE(seen.Timed, 1);
        char byte = 0;
        QCOMPARE(read(pipe_[0], &byte, 1), 1);
        // Nothing ready, the time run already, and one set for later not due yet.
        QCOMPARE(loop.Turn(), 0);
        const timeval later = FromNow(60000);
        api->time_restart(timer, &later);
        QCOMPARE(loop.Turn(), 0);
        QCOMPARE(seen.Timed, 1);
    }

    // An event freed from its own callback is not run again and is destroyed once, at the next turn; what
    // is left when the loop goes is destroyed with it.
    void FreedEventsAreDestroyedOnce() {
        Seen seen;
        {
            PulseLoop loop;
            pa_mainloop_api* api = loop.Api();
            pa_io_event* io = api->io_new(api, pipe_[0], PA_IO_EVENT_INPUT, &OnReadableFreeItself, &seen);
            api->io_set_destroy(io, &OnDestroy<pa_io_event>);
            pa_defer_event* left = api->defer_new(api, &OnDeferred, &seen);
            api->defer_enable(left, 0);
            api->defer_set_destroy(left, &OnDestroy<pa_defer_event>);
            QCOMPARE(write(pipe_[1], "x", 1), 1);
            QCOMPARE(loop.Turn(), 1);
            QCOMPARE(seen.Destroyed, 0);
            QCOMPARE(loop.Turn(), 0);
            QCOMPARE(seen.Readable, 1);
            QCOMPARE(seen.Destroyed, 1);
        }
        QCOMPARE(seen.Destroyed, 2);
        QCOMPARE(seen.Deferred, 0);
    }
};

QTEST_GUILESS_MAIN(TestPulseLoop)
#include "tst_pulseloop.moc"
