// The sound switch: it reports every way sound can be missing, starts and stops away from the calling
// thread, opens only the latest of many quick wishes, one engine at a time, notices an audio output that
// stops taking sound, and leaves no thread, file or engine behind however often it is switched.
#include "FakeSoundEngine.h"
#include "Pitch.h"
#include "SoundPlayer.h"
#include "SoundTestSupport.h"
#include "WaitFor.h"

#include <QDir>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <cmath>
#include <dlfcn.h>
#include <thread>

using namespace quavix;
using namespace soundtest;

namespace {

// The path of the loaded C maths library: a real shared library without the module's entry point.
QString SomeOtherLibrary() {
    Dl_info info{};
    double (*cosine)(double) = &std::cos;
    return dladdr(reinterpret_cast<void*>(cosine), &info) != 0 ? QString::fromLocal8Bit(info.dli_fname)
                                                               : QString();
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

} // namespace

class TestSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    // Each way sound can be missing ends in one Failed message that starts "Sound is not available", says
    // which it was, and leaves the player off.
    void failuresReported_data() {
        QTest::addColumn<QString>("module"); // "" for the real one
        QTest::addColumn<QString>("soundFont");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("says");
        const QString none;
        QTest::newRow("module missing") << "/nonexistent/quavix_sound" << none << none << "FluidSynth";
        QTest::newRow("module is not a library") << "text file" << none << none << "FluidSynth";
        QTest::newRow("library that is not a plugin") << SomeOtherLibrary() << none << none << "FluidSynth";
        QTest::newRow("module of another interface version")
            << "other version" << none << none << "FluidSynth";
        QTest::newRow("no SoundFont installed") << none << "none" << none << "SoundFont";
        QTest::newRow("SoundFont unreadable") << none << "/nonexistent/font.sf2" << none << "SoundFont";
        QTest::newRow("no sound output") << none << "test"
                                         << "nosuchoutput"
                                         << "sound device";
    }

    void failuresReported() {
        QFETCH(QString, module);
        QFETCH(QString, soundFont);
        QFETCH(QString, driver);
        QFETCH(QString, says);
        QTemporaryDir dir;
        if (module.isEmpty()) {
            module = ModulePath();
            if (module.isEmpty())
                QSKIP("built without FluidSynth, so there is no sound module");
        } else if (module == "text file") {
            module = dir.filePath("quavix_sound.so");
            QFile file(module);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a library\n");
        } else if (module == "other version") {
            module = QStringLiteral(QUAVIX_OTHER_VERSION_MODULE);
        }
        // "none": no font named, and data folders that hold none; "test": the tests' own.
        const bool none = soundFont == "none";
        if (soundFont == "test")
            soundFont = TestSoundFont();
        ScopedEnv font("QUAVIX_SOUNDFONT",
                       none || soundFont.isEmpty() ? QByteArray() : soundFont.toLocal8Bit());
        ScopedEnv dataHome("XDG_DATA_HOME", none ? QFile::encodeName(dir.path()) : qgetenv("XDG_DATA_HOME"));
        ScopedEnv dataDirs("XDG_DATA_DIRS", none ? QFile::encodeName(dir.path()) : qgetenv("XDG_DATA_DIRS"));

        SoundPlayer player(SoundPlayer::ModuleFactory(module));
        player.SetDrivers(driver.isEmpty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{driver.toStdString()});
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        QSignalSpy failed(&player, &SoundPlayer::Failed);
        player.SwitchOn();
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.size(), 1);
        const QString message = failed.first().first().toString();
        QVERIFY2(message.startsWith("Sound is not available"), qPrintable(message));
        QVERIFY2(message.contains(says), qPrintable(message));
        QCOMPARE(ready.size(), 0);
        QCOMPARE(player.CurrentState(), SoundPlayer::State::Off);
        QVERIFY(player.Engine() == nullptr);
        player.NoteOn(Voice::Piano, 60, 100); // harmless while off
        QVERIFY2(!qEnvironmentVariableIsSet("QUAVIX_OTHER_MODULE_RAN"), "a module of another version ran");
    }

    // Switching on returns at once; the engine is made and opened on the player's own thread, and notes
    // reach it only once it is ready.
    void startsOffTheCallingThread() {
        auto log = std::make_shared<FakeLog>();
        SoundPlayer player(FakeFactory(log));
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        player.NoteOn(Voice::Piano, 60, 100);
        player.SwitchOn();
        QCOMPARE(player.CurrentState(), SoundPlayer::State::Starting);
        QVERIFY(player.Engine() == nullptr);
        player.NoteOn(Voice::Piano, 60, 100);
        player.SwitchOn(); // already starting: no second engine
        QVERIFY(ready.wait(5000));
        QCOMPARE(player.CurrentState(), SoundPlayer::State::On);
        QVERIFY(!log->openedOnCaller);
        QCOMPARE(log->created.load(), 1);
        QCOMPARE(log->Notes().size(), 0);
        player.NoteOn(Voice::Piano, 60, 100);
        player.NoteOff(Voice::Piano, 60);
        QCOMPARE(log->Notes().size(), 2);
    }

    // A switch pressed over and over, as a key held on auto-repeat does, while engines take time to open:
    // only the latest wish is opened, an engine no longer wanted goes before another is made, and sound
    // ends as the last press asked, with one Ready at most and no failure.
    void manyPressesOpenOneEngineAtATime_data() {
        QTest::addColumn<int>("presses");
        QTest::addColumn<bool>("loopBetween"); // whether the events of each press are handled before the next
        QTest::newRow("200 presses at once, the last on") << 199 << false;
        QTest::newRow("200 presses at once, the last off") << 200 << false;
        QTest::newRow("200 presses handled as they come, the last on") << 199 << true;
        QTest::newRow("200 presses handled as they come, the last off") << 200 << true;
    }

    void manyPressesOpenOneEngineAtATime() {
        QFETCH(int, presses);
        QFETCH(bool, loopBetween);
        auto log = std::make_shared<FakeLog>();
        QSemaphore gate;
        log->gate = &gate;
        SoundPlayer player(FakeFactory(log));
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        QSignalSpy failed(&player, &SoundPlayer::Failed);
        // The first engine hangs in its opening while the other presses come.
        player.SwitchOn();
        QVERIFY(QTest::qWaitFor([&] { return log->created == 1; }));
        for (int press = 1; press < presses; ++press) {
            if (player.CurrentState() == SoundPlayer::State::Off)
                player.SwitchOn();
            else
                player.SwitchOff();
            if (loopBetween)
                QCoreApplication::processEvents();
        }
        const bool lastOn = presses % 2 == 1;
        gate.release(presses);
        if (lastOn) {
            QVERIFY(ready.wait(5000));
            QVERIFY(player.IsOn());
        } else {
            QCOMPARE(player.CurrentState(), SoundPlayer::State::Off);
        }
        QVERIFY2(QTest::qWaitFor([&] { return log->Alive() == (lastOn ? 1 : 0); }),
                 qPrintable(QStringLiteral("%1 engines").arg(log->Alive())));
        QCOMPARE(log->mostAlive.load(), 1);
        // The engine that hung, and the one for the last press: every other wish was dropped unopened.
        QCOMPARE(log->created.load(), lastOn ? 2 : 1);
        QCOMPARE(ready.size(), lastOn ? 1 : 0);
        QCOMPARE(failed.size(), 0);
        player.SwitchOff();
        QVERIFY(QTest::qWaitFor([&] { return log->Alive() == 0; }));
        QCOMPARE(log->destroyedOnCaller.load(), 0);
    }

    // An output that stops taking sound (its server went away, its device was unplugged) switches the
    // player off with one message; one that keeps going does not.
    void stalledOutputSwitchesOff_data() {
        QTest::addColumn<bool>("advances");
        QTest::newRow("output stops") << false;
        QTest::newRow("output keeps going") << true;
    }

    void stalledOutputSwitchesOff() {
        QFETCH(bool, advances);
        constexpr int stallMs = 30, graceMs = 60;
        auto log = std::make_shared<FakeLog>();
        log->outputAdvances = advances;
        SoundPlayer player(FakeFactory(log));
        player.SetOutputWatch(stallMs, graceMs);
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        QSignalSpy failed(&player, &SoundPlayer::Failed);
        player.SwitchOn();
        QVERIFY(ready.wait(5000));
        QElapsedTimer sinceReady;
        sinceReady.start();
        if (advances) {
            // Watched for well past the grace and a stall's length, and never taken for stopped.
            const int checks = 2 * (graceMs + stallMs) / (stallMs / 3);
            WAIT_FOR(log->outputChecks >= checks);
            QCOMPARE(failed.size(), 0);
            QVERIFY(player.IsOn());
            return;
        }
        QVERIFY(failed.wait(5000));
        QVERIFY2(sinceReady.elapsed() >= graceMs - 20, "judged before the output had time to wake");
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed.first().first().toString().contains("stopped"),
                 qPrintable(failed.first().first().toString()));
        QVERIFY(!player.IsOn());
        WAIT_FOR(log->destroyed.load() == 1);
        QCOMPARE(log->destroyedOnCaller.load(), 0);
    }

    // A start that hangs (a sound server that accepts and never answers) is given up on with a message;
    // the engine that arrives at last is closed unused.
    void hangingStartGivenUp() {
        auto log = std::make_shared<FakeLog>();
        QSemaphore gate;
        log->gate = &gate;
        SoundPlayer player(FakeFactory(log));
        player.SetStartTimeout(50);
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        QSignalSpy failed(&player, &SoundPlayer::Failed);
        player.SwitchOn();
        QVERIFY(failed.wait(3000));
        QVERIFY2(failed.first().first().toString().contains("did not answer"),
                 qPrintable(failed.first().first().toString()));
        QCOMPARE(player.CurrentState(), SoundPlayer::State::Off);
        gate.release();
        WAIT_FOR(log->destroyed.load() == 1);
        QCOMPARE(ready.size(), 0);
        QCOMPARE(log->destroyedOnCaller.load(), 0);
    }

    // A player destroyed while an engine is still being opened waits for it and closes it.
    void destroyedWhileStarting() {
        auto log = std::make_shared<FakeLog>();
        QSemaphore gate;
        log->gate = &gate;
        {
            SoundPlayer player(FakeFactory(log));
            player.SwitchOn();
            WAIT_FOR(log->created.load() == 1);
            std::thread opener([&gate] {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                gate.release();
            });
            opener.detach();
        }
        QCOMPARE(log->created.load(), 1);
        QCOMPARE(log->destroyed.load(), 1);
        QCOMPARE(log->destroyedOnCaller.load(), 0);
    }

    // The real module through the player: the notes it is given are heard, at the pitch of the SoundFont it
    // was given. And many rounds of on and off leave the process with the threads and open files it had
    // before the first round (the sanitizer build also looks for leaked memory).
    void playsThroughTheModuleAndLeavesNothingBehind() {
        if (ModulePath().isEmpty())
            QSKIP("built without FluidSynth, so there is no sound module");
        const auto round = [](SoundPlayer& player, bool listen) {
            QSignalSpy ready(&player, &SoundPlayer::Ready);
            player.SwitchOn();
            QVERIFY(ready.wait(10000));
            player.NoteOn(Voice::Piano, 69, OnScreenVelocity);
            const std::vector<float> sound = Render(*player.Engine(), listen ? 0.5 : 0.05);
            QVERIFY(!sound.empty());
            if (listen)
                QVERIFY(std::abs(Pitch(sound, 0.1, 0.45) - 440) < 0.5);
            player.SwitchOff();
            QVERIFY(player.Engine() == nullptr);
        };
        {
            SoundPlayer warmUp(SoundPlayer::ModuleFactory(ModulePath())); // loads the module for good
            warmUp.SetDrivers({});
            warmUp.SetSoundFont(TestSoundFont());
            round(warmUp, true);
        }
        if (QTest::currentTestFailed())
            return;
        const int threads = CountEntries("/proc/self/task");
        const int files = CountEntries("/proc/self/fd");
        {
            SoundPlayer player(SoundPlayer::ModuleFactory(ModulePath()));
            player.SetDrivers({});
            player.SetSoundFont(TestSoundFont());
            for (int i = 0; i < 25; ++i) {
                round(player, false);
                if (QTest::currentTestFailed())
                    return;
            }
        }
        WAIT_FOR(CountEntries("/proc/self/task") <= threads);
        WAIT_FOR(CountEntries("/proc/self/fd") <= files);
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
