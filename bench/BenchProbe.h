#pragma once

// Measurements that scripts/bench.sh takes of a running program: the moment its main window is first on
// screen, its resident memory and the processor time it uses while idle or during a quiz. The same probe
// goes into the trainer and into the empty window it is compared with, so both are measured alike.
//
// QUAVIX_BENCH selects what to measure; when it is unset the probe costs one getenv at start-up.
//   paint  print "first-paint-us <wall clock in microseconds>" once the window has been painted, then quit
//   idle   also wait 1 s, print "rss-kib <resident KiB>", wait 10 s, print "cpu-us <CPU microseconds>", quit
//   quiz   as idle, but trigger the command named actBeginQuiz before the 10 s (prints "quiz-started" when
//          it could)

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>

namespace benchprobe {

inline long long ClockMicroseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// VmRSS of this process in KiB, or -1.
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

// Watches every widget of one window and fires once, after the event in which the first of them was
// painted has been handled: by then the whole window has been drawn and handed to the screen.
class FirstPaint final : public QObject {
public:
    FirstPaint(QWidget* window, std::function<void()> then)
        : QObject(window), window_(window), then_(std::move(then)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, then_);
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> then_;
};

inline void Print(const char* name, long long value) {
    std::printf("%s %lld\n", name, value);
    std::fflush(stdout);
}

} // namespace benchprobe

// Call before the window is shown.
inline void InstallBenchProbe(QWidget* window) {
    using namespace benchprobe;
    const char* mode = std::getenv("QUAVIX_BENCH");
    if (mode == nullptr || *mode == '\0')
        return;
    const bool quiz = std::strcmp(mode, "quiz") == 0;
    const bool longRun = quiz || std::strcmp(mode, "idle") == 0;

    auto* probe = new FirstPaint(window, [window, quiz, longRun] {
        Print("first-paint-us", ClockMicroseconds(CLOCK_REALTIME));
        if (!longRun) {
            QCoreApplication::exit(0);
            return;
        }
        QTimer::singleShot(1000, window, [window, quiz] {
            Print("rss-kib", ResidentKiB());
            if (quiz) {
                auto* begin = window->findChild<QAction*>(QStringLiteral("actBeginQuiz"));
                if (begin != nullptr && begin->isEnabled()) {
                    begin->trigger();
                    std::puts("quiz-started");
                }
            }
            const long long cpuBefore = ClockMicroseconds(CLOCK_PROCESS_CPUTIME_ID);
            QTimer::singleShot(10000, window, [cpuBefore] {
                Print("cpu-us", ClockMicroseconds(CLOCK_PROCESS_CPUTIME_ID) - cpuBefore);
                QCoreApplication::exit(0);
            });
        });
    });
    QCoreApplication::instance()->installEventFilter(probe);
}
