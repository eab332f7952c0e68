// The processor time listening costs through the real capture path: the listening module, the sound
// server's input, the format conversion, the level meter and the detector, as the program runs them. Prints
// the process's CPU share of one core over some seconds with listening off (the switch made, nothing
// opened) and then on, while whatever plays into the default input is heard, and then each thread's share
// and wake-ups per second while on; last, how long switching on held the program's thread and how long
// until sound could arrive, the first time (loading the module) and again.
//   bench_listen_cpu [SECONDS]
// Run it against a sound server whose default input carries sound (scripts/bench.sh plays the listening
// corpus into the private server of scripts/sound-server.sh).
#include "Listener.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <map>

using namespace quavix;

namespace {

double ProcessSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// What each thread of the process has used so far: its processor time in clock ticks and how often it was
// switched to (its wake-ups), by thread id.
struct ThreadUse {
    QByteArray Name;
    long long Ticks = 0;
    long long Switches = 0;
};

std::map<QByteArray, ThreadUse> ThreadUses() {
    std::map<QByteArray, ThreadUse> uses;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(tid + QStringLiteral("/stat")));
        QFile status(tasks.filePath(tid + QStringLiteral("/status")));
        if (!stat.open(QIODevice::ReadOnly) || !status.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // The name is in parentheses and may hold spaces; utime and stime are the 12th and 13th fields after.
        const qsizetype close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        ThreadUse use;
        use.Name = line.mid(line.indexOf('(') + 1, close - line.indexOf('(') - 1);
        use.Ticks = fields.value(11).toLongLong() + fields.value(12).toLongLong();
        for (const QByteArray& entry : status.readAll().split('\n'))
            if (entry.contains("ctxt_switches:")) // voluntary and not
                use.Switches += entry.mid(entry.indexOf(':') + 1).trimmed().toLongLong();
        uses[tid.toLatin1()] = use;
    }
    return uses;
}

// Runs the event loop for the given seconds; the process's CPU share of one core meanwhile.
double LoadOver(double seconds) {
    const double before = ProcessSeconds();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return (ProcessSeconds() - before) / seconds;
}

// Each thread's share of one core and its wake-ups per second between two readings.
void PrintThreads(const std::map<QByteArray, ThreadUse>& before, const std::map<QByteArray, ThreadUse>& after,
                  double seconds) {
    const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
    std::printf("listen-cpu-threads");
    for (const auto& [tid, use] : after) {
        const auto was = before.find(tid);
        const ThreadUse start = was == before.end() ? ThreadUse{} : was->second;
        std::printf(" %s %.2f %% %.0f /s", use.Name.constData(),
                    100 * double(use.Ticks - start.Ticks) / ticksPerSecond / seconds,
                    double(use.Switches - start.Switches) / seconds);
    }
    std::printf("\n");
}

// How long switching listening on held the thread that asked, and how long until sound could arrive.
struct Opening {
    double HeldMs = 0;
    double StartedMs = 0;
};

Opening SwitchOn(Listener& listener) {
    QElapsedTimer clock;
    clock.start();
    listener.SwitchOn();
    Opening opening;
    opening.HeldMs = double(clock.nsecsElapsed()) / 1e6;
    while (listener.IsOpening() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    opening.StartedMs = double(clock.nsecsElapsed()) / 1e6;
    return opening;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    Listener listener(Listener::ModuleFactory(QStringLiteral(QUAVIX_LISTEN_MODULE)));
    int notes = 0;
    QObject::connect(&listener, &Listener::NoteHeard,
                     [&notes](const HeardNote& note) { notes += note.What == HeardNote::Kind::Began; });
    const double off = LoadOver(seconds);
    const Opening first = SwitchOn(listener);
    if (!listener.IsListening()) {
        std::fprintf(stderr, "could not listen: problem %d\n", int(listener.CurrentProblem()));
        return 1;
    }
    // Loading the module and Qt Multimedia and opening the input is paid once, when listening is first
    // switched on; what counts here is what listening costs as it goes on.
    const double opening = LoadOver(1);
    const std::map<QByteArray, ThreadUse> threadsBefore = ThreadUses();
    const double on = LoadOver(seconds);
    const std::map<QByteArray, ThreadUse> threadsAfter = ThreadUses();
    std::printf("listen-cpu off %.2f %% first-second %.2f %% on %.2f %% notes %d seconds %.0f\n", 100 * off,
                100 * opening, 100 * on, notes, seconds);
    PrintThreads(threadsBefore, threadsAfter, seconds);
    listener.SwitchOff();
    const Opening again = SwitchOn(listener);
    std::printf(
        "listen-open first-held-ms %.1f first-started-ms %.1f again-held-ms %.1f again-started-ms %.1f\n",
        first.HeldMs, first.StartedMs, again.HeldMs, again.StartedMs);
    return 0;
}
