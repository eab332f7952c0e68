#pragma once

// Measurements that scripts/bench.sh takes of a running program: the moment its main window is first on
// screen, its resident memory and the processor time it uses while idle or during a quiz. The same probe
// goes into the benchmark build of the trainer (quavix_bench) and into the empty window it is compared
// with, so both are measured alike. The trainer that is installed carries none of it.
//
// QUAVIX_BENCH selects what to measure; when it is unset the probe does nothing.
//   paint  print "first-paint-us <wall clock in microseconds>" once a window has been painted, then quit
//   idle   also wait 1 s, print "rss-kib <resident KiB>", wait 10 s, print "cpu-us <CPU microseconds>", quit
//   quiz   as idle, but trigger the command named actBeginQuiz before the 10 s (prints "quiz-started" when
//          it could)
//   sound  as idle, but trigger actSound at the first paint, so the memory and processor time are those of
//          the program with sound on (prints "sound-on" when the option is still checked at the measurement)
//   listen as idle, but trigger actListen at the first paint: the program listening to its input (prints
//          "listen-on" when the option is still checked at the measurement)
// QUAVIX_BENCH_SECONDS sets the 10 s of idle and quiz to another whole number of seconds. Tests that only
// need the program to go through these steps set QUAVIX_BENCH_QUICK=1: 300 ms for each wait instead.
// QUAVIX_BENCH_COUNTDOWN_MS sets the period of the quiz's countdown (1000 ms), and QUAVIX_BENCH_SETTLE_MS the
// wait before the memory is read and the quiz begins, so that a test can see a note run out of time without
// waiting 14 s for it.

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>

namespace benchprobe {

// Microseconds since the epoch, the clock of the script's $EPOCHREALTIME.
inline long long WallMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

// Processor time of the whole process, all threads, in microseconds.
inline long long CpuMicroseconds() {
    return static_cast<long long>(std::clock()) * 1000000 / CLOCKS_PER_SEC;
}

// VmRSS of this process in KiB, or -1 where the system does not tell.
inline long long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Watches every widget and fires once, after the event in which the first top-level window was painted
// has been handled: by then the whole window has been drawn and handed to the screen.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(std::function<void(QWidget*)> then) : then_(std::move(then)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(watched)->window();
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, window, [this, window] { then_(window); });
        }
        return false;
    }

private:
    std::function<void(QWidget*)> then_;
};

inline void Print(const char* name, long long value) {
    std::printf("%s %lld\n", name, value);
    std::fflush(stdout);
}

} // namespace benchprobe

// Call once the application object exists, before any window is shown.
inline void InstallBenchProbe() {
    using namespace benchprobe;
    const char* mode = std::getenv("QUAVIX_BENCH");
    if (mode == nullptr || *mode == '\0')
        return;
    const bool quiz = std::strcmp(mode, "quiz") == 0;
    const bool sound = std::strcmp(mode, "sound") == 0;
    const bool listen = std::strcmp(mode, "listen") == 0;
    const bool longRun = quiz || sound || listen || std::strcmp(mode, "idle") == 0;
    const char* seconds = std::getenv("QUAVIX_BENCH_SECONDS");
    const bool quick = std::getenv("QUAVIX_BENCH_QUICK") != nullptr;
    const int measuredMs =
        quick ? 300 : 1000 * (seconds != nullptr && std::atoi(seconds) > 0 ? std::atoi(seconds) : 10);

    const char* countdown = std::getenv("QUAVIX_BENCH_COUNTDOWN_MS");
    const int countdownMs = countdown != nullptr ? std::atoi(countdown) : 0;
    const char* settle = std::getenv("QUAVIX_BENCH_SETTLE_MS");
    const int settleMs =
        settle != nullptr && std::atoi(settle) >= 0 ? std::atoi(settle) : (quick ? 300 : 1000);

    auto* probe = new FirstPaint([quiz, sound, listen, longRun, measuredMs, countdownMs,
                                  settleMs](QWidget* window) {
        Print("first-paint-us", WallMicroseconds());
        if (auto* timer = window->findChild<QTimer*>(QStringLiteral("tmrCount")); timer && countdownMs > 0)
            timer->setInterval(countdownMs);
        if (!longRun) {
            QCoreApplication::exit(0);
            return;
        }
        auto* soundItem = window->findChild<QAction*>(QStringLiteral("actSound"));
        if (sound && soundItem != nullptr)
            soundItem->trigger();
        auto* listenItem = window->findChild<QAction*>(QStringLiteral("actListen"));
        if (listen && listenItem != nullptr)
            listenItem->trigger();
        QTimer::singleShot(settleMs, window, [window, quiz, soundItem, listenItem, measuredMs] {
            if (soundItem != nullptr && soundItem->isChecked())
                std::puts("sound-on");
            if (listenItem != nullptr && listenItem->isChecked())
                std::puts("listen-on");
            Print("rss-kib", ResidentKiB());
            if (quiz) {
                auto* begin = window->findChild<QAction*>(QStringLiteral("actBeginQuiz"));
                if (begin != nullptr && begin->isEnabled()) {
                    begin->trigger();
                    std::puts("quiz-started");
                }
            }
            const long long cpuBefore = CpuMicroseconds();
            QTimer::singleShot(measuredMs, window, [cpuBefore] {
                Print("cpu-us", CpuMicroseconds() - cpuBefore);
                QCoreApplication::exit(0);
            });
        });
    });
    probe->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(probe);
}
