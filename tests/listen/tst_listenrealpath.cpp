// Listening end to end through the real audio path: notes played into a private PulseAudio server's null
// sink come back through its remapped monitor (the default input), the listening module's capture, the
// format conversion and the detector. Skipped, saying why, where PulseAudio is missing.
#include "ListenModule.h"
#include "Listener.h"
#include "PrivateSoundServer.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>

using namespace quavix;

namespace {

enum class Fault { Clipping, Silence, Stalled, Unplugged, ServerGone };

// The long run (QUAVIX_LONG_TESTS) also tries every format and the faults that take seconds to show.
bool LongRun() {
    return qEnvironmentVariableIsSet("QUAVIX_LONG_TESTS");
}

QString Run(const QString& program, const QStringList& arguments) {
    return RunProgram(program, arguments);
}

// Takes what an input of the module delivers, as the listener would, and counts it.
class PieceCounter final : public AudioInputSink {
public:
    std::vector<qint64> Pieces;
    int Failures = 0;
    int Started = 0;
    std::function<void()> AfterData;

    void InputOpened() override { ++Started; }

    void InputData(const char* /*data*/, qint64 size) override {
        Pieces.push_back(size);
        if (AfterData)
            AfterData();
    }
    void InputFailed(InputFailure /*failure*/) override { ++Failures; }
    void InputsChanged() override {}

    qint64 Bytes() const { return std::accumulate(Pieces.begin(), Pieces.end(), qint64(0)); }

    qint64 MedianPiece() const {
        std::vector<qint64> sorted = Pieces;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[sorted.size() / 2];
    }
};

#ifdef QUAVIX_LISTEN_MODULE
// An input of the module that delivers to the counter; null if the module makes none.
std::unique_ptr<AudioInput> ModuleInput(PieceCounter& counter) {
    static ListenModule module(QStringLiteral(QUAVIX_LISTEN_MODULE));
    QString error;
    std::unique_ptr<AudioInput> input = module.CreateInput(error);
    if (input != nullptr)
        input->SetSink(&counter);
    return input;
}

const SampleFormat DetectorFormat{SampleType::Float, 1, 16000};

// An input of the module opened in the detector's own format and delivering it to the counter; null, with
// the reason in error, when it could not be.
std::unique_ptr<AudioInput> OpenedInDetectorFormat(PieceCounter& counter, QString& error) {
    std::unique_ptr<AudioInput> input = ModuleInput(counter);
    SampleFormat delivered;
    if (input == nullptr || !input->Open({}, DetectorFormat, delivered, error))
        return nullptr;
    if (!(delivered == DetectorFormat)) {
        error = QStringLiteral("delivered in another format");
        return nullptr;
    }
    return input;
}
#endif

} // namespace

Q_DECLARE_METATYPE(quavix::SampleType)
Q_DECLARE_METATYPE(Fault)

class TestListenRealPath : public QObject {
    Q_OBJECT

    PrivateSoundServer server_;

    // Plays a short note (50 ms of silence first) into the sink, with pacat, in the
    // background.
    void Play(double pitch, double amplitude = 0.3) {
        auto* pacat = new QProcess(this);
        connect(pacat, &QProcess::finished, pacat, [pacat] {
            pacat->setParent(nullptr);
            pacat->deleteLater();
        });
        server_.PlayNote(*pacat, pitch, LongRun() ? 1.0 : 0.25, 0.05, amplitude);
    }

    // The next test starts in silence.
    void WaitForPlayers() {
        QVERIFY(QTest::qWaitFor([this] { return findChildren<QProcess*>().isEmpty(); }, 10000));
    }

    QString RemapModule() {
        for (const QString& line :
             Run("pactl", {"--server=" + server_.Address(), "list", "short", "modules"}).split('\n'))
            if (line.contains(QLatin1String("module-remap-source")))
                return line.section('\t', 0, 0);
        return {};
    }

    // Waits until the input has started, or opening it has failed.
    static bool Started(Listener& listener) {
        return QTest::qWaitFor([&] { return !listener.IsOpening(); }, 10000) && listener.IsListening();
    }

    // Waits until the input delivers, so a note played next is heard from its start even on a busy
    // machine, where a capture stream takes a while to get going.
    static bool Delivering(Listener& listener) {
        QSignalSpy levels(&listener, &Listener::LevelChanged);
        return QTest::qWaitFor([&] { return !levels.isEmpty(); }, 10000);
    }

    // Nothing heard but the note played. How often it is heard is the detector's own test's business: a
    // loaded machine's sound server may drop out in the middle of a note, which then rightly starts anew.
    static bool OnlyHeard(const QSignalSpy& spy, double played) {
        for (const QList<QVariant>& call : spy) {
            const auto note = call[0].value<HeardNote>();
            if (note.What == HeardNote::Kind::Began && std::abs(note.Pitch - played) >= 0.2)
                return false;
        }
        return true;
    }

    // What was heard, for a failure's message.
    static QString Told(const QSignalSpy& spy) {
        QStringList pitches;
        for (const QList<QVariant>& call : spy)
            if (call[0].value<HeardNote>().What == HeardNote::Kind::Began)
                pitches << QString::number(call[0].value<HeardNote>().Pitch);
        return "heard: " + pitches.join(' ');
    }

    // Listening stopped and the input was told lost, whatever came after.
    static bool ToldLost(const QSignalSpy& problems, const QSignalSpy& listening) {
        const bool told = std::any_of(problems.begin(), problems.end(), [](const QList<QVariant>& call) {
            return call[0].value<ListenProblem>() == ListenProblem::InputLost;
        });
        return told && !listening.isEmpty() && !listening[0][0].toBool();
    }

    static bool Heard(const QSignalSpy& spy, double pitch) {
        for (const QList<QVariant>& call : spy) {
            const auto note = call[0].value<HeardNote>();
            if (note.What == HeardNote::Kind::Began && std::abs(note.Pitch - pitch) < 0.2)
                return true;
        }
        return false;
    }

private slots:
    void initTestCase() {
        if (const QString why = server_.StartForListening(); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    // A server that takes the connection and then never answers (it is stopped), before the audio layer has
    // ever been asked anything (so first of all): switching on returns at once and the event loop runs on
    // while the open waits; the open fails when its time is up, or is given
    // up by switching off, after which nothing of it arrives even once the server answers again.
    void ServerNotAnswering_data() {
        QTest::addColumn<bool>("switchedOff");
        QTest::addColumn<int>("timeoutMs");
        QTest::newRow("fails in time") << false << 300;
        QTest::newRow("switched off meanwhile") << true << 300;
        if (LongRun())
            QTest::newRow("fails after the usual wait") << false << int(Listener::DefaultOpenTimeoutMs);
    }
    void ServerNotAnswering() {
        QFETCH(bool, switchedOff);
        QFETCH(int, timeoutMs);
        Listener listener(Listener::ModuleFactory(QStringLiteral(QUAVIX_LISTEN_MODULE)));
        // The loop is watched turning under a deadline no busy machine reaches, so one that keeps this
        // process waiting cannot let the deadline pass first; the deadline asked for is set once the turns
        // are seen, as what is left of it since switching on.
        listener.SetOpenTimeoutMs(60000);
        QSignalSpy listening(&listener, &Listener::ListeningChanged);
        QSignalSpy told(&listener, &Listener::ProblemChanged);
        int ticksWhileOpening = 0;
        QTimer ticker;
        ticker.setInterval(5);
        connect(&ticker, &QTimer::timeout, &ticker, [&] {
            if (listener.IsOpening() && told.isEmpty())
                ++ticksWhileOpening;
        });
        ticker.start();
        const QString pid = Run("cat", {server_.FilePath("server.pid")});
        Run("kill", {"-STOP", pid});
        QElapsedTimer sinceSwitchedOn;
        sinceSwitchedOn.start();
        listener.SwitchOn();
        const bool opening = listener.IsOpening();
        const bool ranOn =
            QTest::qWaitFor([&] { return ticksWhileOpening >= 3 || !listener.IsOpening(); }, 10000) &&
            ticksWhileOpening >= 3;
        listener.SetOpenTimeoutMs(std::max(1, timeoutMs - int(sinceSwitchedOn.elapsed())));
        if (switchedOff)
            listener.SwitchOff();
        const bool failed =
            !switchedOff &&
            QTest::qWaitFor([&] { return listener.CurrentProblem() == ListenProblem::OpenFailed; },
                            timeoutMs + 10000);
        Run("kill", {"-CONT", pid});
        QVERIFY(opening);
        QVERIFY2(ranOn, qPrintable(QString::number(ticksWhileOpening)));
        if (switchedOff) {
            QTest::qWait(timeoutMs + 100); // past the deadline of the open given up
            QCOMPARE(listener.CurrentProblem(), ListenProblem::None);
        } else {
            QVERIFY(failed);
        }
        QVERIFY(!listener.IsListening());
        QVERIFY(!listener.IsOpening());
        QCOMPARE(listening.size(), 0);
    }

    void HearsNotesPlayed_data() {
        QTest::addColumn<SampleType>("type");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<double>("pitch");
        // A format the detector did not ask for, converted and resampled on the way.
        QTest::newRow("16-bit stereo 44.1 kHz") << SampleType::Int16 << 2 << 44100 << 64.0;
        if (!LongRun())
            return;
        QTest::newRow("the detector's own format") << SampleType::Float << 1 << 16000 << 57.0;
        QTest::newRow("8-bit mono 22.05 kHz") << SampleType::UInt8 << 1 << 22050 << 45.0;
    }
    void HearsNotesPlayed() {
        QFETCH(SampleType, type);
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(double, pitch);
        Listener listener(Listener::ModuleFactory(QStringLiteral(QUAVIX_LISTEN_MODULE)));
        listener.SetRequestedFormat(SampleFormat{type, channels, rate});
        QSignalSpy heard(&listener, &Listener::NoteHeard);
        listener.SwitchOn();
        QVERIFY2(Started(listener), qPrintable(QString::number(int(listener.CurrentProblem()))));
        QCOMPARE(listener.DeliveredFormat(), (SampleFormat{type, channels, rate}));
        QVERIFY(!listener.Devices().isEmpty()); // known once the server has answered
        QVERIFY(Delivering(listener));
        Play(pitch);
        QVERIFY2(QTest::qWaitFor([&] { return Heard(heard, pitch); }, 10000), qPrintable(Told(heard)));
        WaitForPlayers();
        QVERIFY2(OnlyHeard(heard, pitch), qPrintable(Told(heard)));
    }

    // The detector hears the sound in the pieces the input hands over, so larger ones would delay every
    // answer: they stay near 10 ms, in the format asked for.
    void DeliversTenMillisecondPieces() {
#ifdef QUAVIX_LISTEN_MODULE
        const qint64 tenMs = DetectorFormat.BytesPerFrame() * DetectorFormat.SampleRate / 100;
        PieceCounter counter;
        QString error;
        const std::unique_ptr<AudioInput> input = OpenedInDetectorFormat(counter, error);
        QVERIFY2(input != nullptr, qPrintable(error));
        QVERIFY(QTest::qWaitFor([&] { return counter.Pieces.size() >= 50; }, 10000));
        QVERIFY2(counter.MedianPiece() <= 2 * tenMs, qPrintable(QString::number(counter.MedianPiece())));
        QCOMPARE(counter.Started, 1);
        QCOMPARE(counter.Failures, 0);
#endif
    }

    // All that is recorded arrives as fast as it is recorded, whether the server hands the sound over in
    // shared memory or writes it into the connection itself, as a server without shared memory does, a
    // frame header and a frame body at a time: a capture that read only part of what waits at each turn
    // would fall ever further behind.
    void KeepsUpWithTheInput_data() {
        QTest::addColumn<bool>("sharedMemory");
        QTest::newRow("shared memory") << true;
        QTest::newRow("through the connection") << false;
    }
    void KeepsUpWithTheInput() {
#ifdef QUAVIX_LISTEN_MODULE
        QFETCH(bool, sharedMemory);
        // libpulse reads its client configuration for each new connection.
        QTemporaryFile config;
        QVERIFY(config.open());
        config.write(sharedMemory ? "" : "enable-shm = no\n");
        config.flush();
        qputenv("PULSE_CLIENTCONFIG", config.fileName().toUtf8());
        const auto restore = qScopeGuard([] { qunsetenv("PULSE_CLIENTCONFIG"); });
        const qint64 oneSecond = DetectorFormat.BytesPerFrame() * DetectorFormat.SampleRate;
        PieceCounter counter;
        QString error;
        const std::unique_ptr<AudioInput> input = OpenedInDetectorFormat(counter, error);
        QVERIFY2(input != nullptr, qPrintable(error));
        QVERIFY(QTest::qWaitFor([&] { return !counter.Pieces.empty(); }, 10000));
        const qint64 before = counter.Bytes();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(QTest::qWaitFor([&] { return counter.Bytes() - before >= oneSecond; }, 10000));
        // A second of sound in well under twice its time, even on a busy machine; one turning its connection
        // once a pump took in less than a second in ten.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(counter.Failures, 0);
#endif
    }

    // A receiver may close the input from within a delivery and open it again at once.
    void ReopenedFromItsOwnDelivery() {
#ifdef QUAVIX_LISTEN_MODULE
        PieceCounter counter;
        std::unique_ptr<AudioInput> input = ModuleInput(counter);
        QVERIFY(input != nullptr);
        SampleFormat delivered;
        QString error;
        bool reopened = false;
        counter.AfterData = [&] {
            if (reopened)
                return;
            input->Close();
            reopened = input->Open({}, SampleFormat{SampleType::Int16, 2, 48000}, delivered, error);
        };
        QVERIFY(input->Open({}, SampleFormat{}, delivered, error));
        QVERIFY(QTest::qWaitFor([&] { return counter.Pieces.size() >= 5; }, 10000));
        QVERIFY2(reopened, qPrintable(error));
        QCOMPARE(delivered, (SampleFormat{SampleType::Int16, 2, 48000}));
        QVERIFY(QTest::qWaitFor([&] { return counter.Started == 2; }, 10000));
        QCOMPARE(counter.Failures, 0);
#endif
    }

    // Switched on and off faster than the server can answer, again and again: nothing crashes or is left
    // over, and listening comes on again. (A server still closing the connections given up may refuse
    // one more for a moment: it has a limit on how many it keeps.)
    void SwitchedOnAndOffFast() {
        Listener listener(Listener::ModuleFactory(QStringLiteral(QUAVIX_LISTEN_MODULE)));
        for (int i = 0; i < 200; ++i) {
            listener.SwitchOn();
            if (i % 10 == 0)
                QTest::qWait(1); // some opens get part of the way
            listener.SwitchOff();
        }
        const bool listening = QTest::qWaitFor(
            [&] {
                if (!listener.IsOpening() && !listener.IsListening())
                    listener.SwitchOn();
                return listener.IsListening();
            },
            10000);
        QVERIFY2(listening, qPrintable(QString::number(int(listener.CurrentProblem()))));
        QVERIFY(Delivering(listener));
    }

    // What can go wrong with a real input: each is told, nothing crashes or hangs, and nothing wrong is
    // heard. Silence takes two seconds to be sure of, so it runs only in the long run; the listener's own
    // test covers it, with the other faults, at every length.
    void InputFaults_data() {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<double>("played"); // the pitch of the note played, if any
        QTest::newRow("clipping") << Fault::Clipping << 52.0;
        QTest::newRow("stalled") << Fault::Stalled << 0.0;
        // Unloads and reloads the input.
        QTest::newRow("unplugged and back") << Fault::Unplugged << 60.0;
        if (LongRun()) {
            QTest::newRow("silence after a note") << Fault::Silence << 52.0;
        }
        // Last: stops the server and starts it anew.
        QTest::newRow("server gone") << Fault::ServerGone << 0.0;
    }
    void InputFaults() {
        QFETCH(Fault, fault);
        QFETCH(double, played);
        Listener listener(Listener::ModuleFactory(QStringLiteral(QUAVIX_LISTEN_MODULE)));
        listener.SetStallMs(150);
        QSignalSpy heard(&listener, &Listener::NoteHeard);
        listener.SwitchOn();
        QVERIFY(Started(listener));
        QVERIFY(Delivering(listener));
        // Kept as told: an input lost may come on again (on the sink's own monitor, the next default) before
        // its state is looked at.
        QSignalSpy listening(&listener, &Listener::ListeningChanged);
        QSignalSpy problems(&listener, &Listener::ProblemChanged);
        switch (fault) {
        case Fault::Clipping:
            // Told as clipping; whether a note this mangled is heard through a loaded machine's sound
            // server is not sure, but nothing else may be (the listener's own test hears it every time),
            // which is checked below.
            Play(played, 4.0);
            QVERIFY(
                QTest::qWaitFor([&] { return listener.CurrentProblem() == ListenProblem::Clipping; }, 10000));
            WaitForPlayers();
            QVERIFY2(OnlyHeard(heard, played), qPrintable(Told(heard)));
            break;
        case Fault::Silence:
            // The sink plays nothing but the steady silence once the note is over.
            Play(played);
            QVERIFY(QTest::qWaitFor([&] { return Heard(heard, played); }, 10000));
            QVERIFY(
                QTest::qWaitFor([&] { return listener.CurrentProblem() == ListenProblem::Silent; }, 10000));
            WaitForPlayers();
            break;
        case Fault::Stalled: {
            const QString pid = Run("cat", {server_.FilePath("server.pid")});
            Run("kill", {"-STOP", pid});
            const bool stalled =
                QTest::qWaitFor([&] { return listener.CurrentProblem() == ListenProblem::Stalled; }, 5000);
            Run("kill", {"-CONT", pid});
            QVERIFY(stalled);
            QVERIFY(
                QTest::qWaitFor([&] { return listener.CurrentProblem() != ListenProblem::Stalled; }, 5000));
            QVERIFY(listener.IsListening());
            break;
        }
        case Fault::Unplugged: {
            const QString module = RemapModule();
            QVERIFY(!module.isEmpty());
            Run("pactl", {"--server=" + server_.Address(), "unload-module", module});
            QVERIFY(QTest::qWaitFor([&] { return ToldLost(problems, listening); }, 10000));
            Run("pactl", {"--server=" + server_.Address(), "load-module", "module-remap-source",
                          "master=quavix.monitor", "source_name=quavix_mic"});
            Run("pactl", {"--server=" + server_.Address(), "set-default-source", "quavix_mic"});
            QVERIFY(QTest::qWaitFor([&] { return listener.IsListening(); }, 10000));
            if (LongRun()) {
                QVERIFY(Delivering(listener));
                Play(played);
                QVERIFY(QTest::qWaitFor([&] { return Heard(heard, played); }, 10000));
                WaitForPlayers();
            }
            break;
        }
        case Fault::ServerGone: {
            // Ended once stopped, even while paused, so that neither the removal of its folder nor a server
            // started anew there races its shutdown.
            const QString pid = Run("cat", {server_.FilePath("server.pid")});
            Run("kill", {"-STOP", pid});
            server_.Stop();
            const QString state = Run("ps", {"-o", "stat=", "-p", pid}); // a zombie has ended
            QVERIFY2(state.isEmpty() || state.startsWith('Z'), qPrintable(state));
            QVERIFY(QTest::qWaitFor([&] { return ToldLost(problems, listening); }, 10000));
            QVERIFY(server_.Start().isEmpty());
            break;
        }
        }
        // Whatever went wrong, no note was heard but the one played.
        QVERIFY2(OnlyHeard(heard, played), qPrintable(Told(heard)));
    }
};

QTEST_GUILESS_MAIN(TestListenRealPath)
#include "tst_listenrealpath.moc"
