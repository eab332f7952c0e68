// The processor time listening costs through the real capture path: the listening module, the sound
// server's input, the format conversion, the level meter and the detector, as the program runs them. Prints
// the process's CPU share of one core over some seconds with listening off (the switch made, nothing
// opened) and then on, while whatever plays into the default input is heard.
//   bench_listen_cpu [SECONDS]
// Run it against a sound server whose default input carries sound (scripts/bench.sh plays the listening
// corpus into the private server of scripts/sound-server.sh).
#include "Listener.h"

#include <QCoreApplication>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

using namespace quavix;

namespace {

double ProcessSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// Runs the event loop for the given seconds; the process's CPU share of one core meanwhile.
double LoadOver(double seconds) {
    const double before = ProcessSeconds();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return (ProcessSeconds() - before) / seconds;
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
    listener.SwitchOn();
    if (!listener.IsListening()) {
        std::fprintf(stderr, "could not listen: problem %d\n", int(listener.CurrentProblem()));
        return 1;
    }
    // Loading the module and Qt Multimedia and opening the input is paid once, when listening is first
    // switched on; what counts here is what listening costs as it goes on.
    const double opening = LoadOver(1);
    const double on = LoadOver(seconds);
    std::printf("listen-cpu off %.2f %% first-second %.2f %% on %.2f %% notes %d seconds %.0f\n", 100 * off,
                100 * opening, 100 * on, notes, seconds);
    return 0;
}
