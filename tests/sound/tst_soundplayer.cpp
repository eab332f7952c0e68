// The sound switch: it reports every way sound can be missing, starts and stops away from the calling
// thread, drops engines that arrive after the user changed their mind, notices an audio output that stops
// taking sound, and leaves no thread, file or engine behind however often it is switched.
#include "FakeSoundEngine.h"
#include "Pitch.h"
#include "SoundPlayer.h"
#include "SoundTestSupport.h"

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

int CountEntries(const QString& folder) {
    return int(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

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
        QTest::newRow("library without the entry point")
            << SomeOtherLibrary() << none << none << "FluidSynth";
        QTest::newRow("no SoundFont installed") << none << "none" << none << "SoundFont";
        QTest::newRow("SoundFont unreadable") << none << "/nonexistent/font.sf2" << none << "SoundFont";
        QTest::newRow("no sound output") << none << none << "nosuchoutput"
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
        }
        // "none": no font named, and data folders that hold none.
        const bool none = soundFont == "none";
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

    // The real module through the player: ready, then the notes it is given are heard.
    void playsThroughTheModule() {
        if (ModulePath().isEmpty())
            QSKIP("built without FluidSynth, so there is no sound module");
        SoundPlayer player(SoundPlayer::ModuleFactory(ModulePath()));
        player.SetDrivers({});
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        player.SwitchOn();
        QVERIFY(ready.wait(10000));
        player.NoteOn(Voice::Piano, 69, OnScreenVelocity);
        const std::vector<float> sound = Render(*player.Engine(), 0.5);
        QVERIFY(std::abs(Pitch(sound, 0.1, 0.45) - 440) < 4.4);
        player.AllNotesOff();
        player.SwitchOff();
        QVERIFY(player.Engine() == nullptr);
    }

    // On, off and on again before the first engine arrived: one Ready, for the last request; every engine
    // made is closed, and closed away from the calling thread.
    void quickSwitching() {
        auto log = std::make_shared<FakeLog>();
        SoundPlayer player(FakeFactory(log));
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        QSignalSpy failed(&player, &SoundPlayer::Failed);
        player.SwitchOn();
        player.SwitchOff();
        player.SwitchOn();
        player.SwitchOff();
        player.SwitchOn();
        QVERIFY(ready.wait(5000));
        QTest::qWait(100);
        QCOMPARE(ready.size(), 1);
        QCOMPARE(failed.size(), 0);
        QCOMPARE(log->created.load(), 3);
        QTRY_COMPARE(log->destroyed.load(), 2);
        player.SwitchOff();
        QTRY_COMPARE(log->destroyed.load(), 3);
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
        auto log = std::make_shared<FakeLog>();
        log->outputAdvances = advances;
        SoundPlayer player(FakeFactory(log));
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        QSignalSpy failed(&player, &SoundPlayer::Failed);
        player.SwitchOn();
        QVERIFY(ready.wait(5000));
        QTest::qWait(SoundPlayer::StartGraceMs - 500);
        QCOMPARE(failed.size(), 0); // not judged at once: outputs may be slow to wake
        QTest::qWait(SoundPlayer::StallMs + 1000);
        if (advances) {
            QCOMPARE(failed.size(), 0);
            QVERIFY(player.IsOn());
            return;
        }
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed.first().first().toString().contains("stopped"),
                 qPrintable(failed.first().first().toString()));
        QVERIFY(!player.IsOn());
        QTRY_COMPARE(log->destroyed.load(), 1);
        QCOMPARE(log->destroyedOnCaller.load(), 0);
    }

    // A start that hangs (a sound server that accepts and never answers) is given up on with a message;
    // the engine that arrives at last is closed unused.
    void hangingStartGivenUp() {
        auto log = std::make_shared<FakeLog>();
        QSemaphore gate;
        log->gate = &gate;
        SoundPlayer player(FakeFactory(log));
        player.SetStartTimeout(200);
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        QSignalSpy failed(&player, &SoundPlayer::Failed);
        player.SwitchOn();
        QVERIFY(failed.wait(3000));
        QVERIFY2(failed.first().first().toString().contains("did not answer"),
                 qPrintable(failed.first().first().toString()));
        QCOMPARE(player.CurrentState(), SoundPlayer::State::Off);
        gate.release();
        QTRY_COMPARE(log->destroyed.load(), 1);
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
            std::thread opener([&gate] {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                gate.release();
            });
            opener.detach();
        }
        QCOMPARE(log->created.load(), 1);
        QCOMPARE(log->destroyed.load(), 1);
        QCOMPARE(log->destroyedOnCaller.load(), 0);
    }

    // Many rounds of on and off with the real module: afterwards the process has the threads and open
    // files it had before the first round (the sanitizer build also looks for leaked memory).
    void switchingLeavesNothingBehind() {
        if (ModulePath().isEmpty())
            QSKIP("built without FluidSynth, so there is no sound module");
        const auto round = [](SoundPlayer& player) {
            QSignalSpy ready(&player, &SoundPlayer::Ready);
            player.SwitchOn();
            QVERIFY(ready.wait(10000));
            player.NoteOn(Voice::Guitar, 52, OnScreenVelocity);
            QVERIFY(!Render(*player.Engine(), 0.05).empty());
            player.SwitchOff();
        };
        {
            SoundPlayer warmUp(SoundPlayer::ModuleFactory(ModulePath())); // loads the module for good
            warmUp.SetDrivers({});
            round(warmUp);
        }
        const int threads = CountEntries("/proc/self/task");
        const int files = CountEntries("/proc/self/fd");
        {
            SoundPlayer player(SoundPlayer::ModuleFactory(ModulePath()));
            player.SetDrivers({});
            for (int i = 0; i < 25; ++i) {
                round(player);
                if (QTest::currentTestFailed())
                    return;
            }
        }
        QTRY_VERIFY(CountEntries("/proc/self/task") <= threads);
        QTRY_VERIFY(CountEntries("/proc/self/fd") <= files);
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
