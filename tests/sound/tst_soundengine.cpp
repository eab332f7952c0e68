// The synthesizer heard in memory: every note the quizzes ask sounds at its pitch, in its instrument's
// register, as loud as it was struck, and stops when it is let go. The tests' own sine SoundFont makes the
// pitches exact; the SoundFont the machine has is only checked to sound and stop. No sound device is needed.
#include "NoteTable.h"
#include "Pitch.h"
#include "SoundFonts.h"
#include "SoundTestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace quavix;
using namespace soundtest;

namespace {

std::pair<int, int> StepRange(std::uint8_t inputMode) {
    NoteTable table{};
    BuildNoteTable(table, inputMode);
    const int rows = inputMode == GuitarFrets ? GuitarSetRows : StaffSetRows;
    const auto [low, high] =
        std::minmax_element(table.begin(), table.begin() + rows,
                            [](const NoteEntry& a, const NoteEntry& b) { return a.Step < b.Step; });
    return {low->Step, high->Step};
}

} // namespace

class TestSoundEngine : public QObject {
    Q_OBJECT

    std::unique_ptr<SoundEngine> engine_;

    // Sounds one note on the shared engine, then lets it go and renders until it has died away, so the
    // next note starts from silence.
    std::vector<float> Play(Voice voice, int key, int velocity, double seconds) {
        engine_->NoteOn(voice, key, velocity);
        std::vector<float> sound = Render(*engine_, seconds);
        engine_->NoteOff(voice, key);
        Render(*engine_, 1.0);
        return sound;
    }

private slots:
    void initTestCase() {
        QString why;
        engine_ = OfflineEngine(why);
        if (ModulePath().isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY2(engine_ != nullptr, qPrintable(why));
    }

    void pitch_data() {
        QTest::addColumn<int>("voice");
        QTest::addColumn<int>("step");
        QTest::addColumn<double>("hertz");
        const auto [staffLow, staffHigh] = StepRange(NoteButtons);
        const auto [guitarLow, guitarHigh] = StepRange(GuitarFrets);
        const int piano = int(Voice::Piano), guitar = int(Voice::Guitar);
        QTest::newRow("A4") << piano << 17 << 440.0;
        QTest::newRow("middle C") << piano << 12 << 261.626;
        QTest::newRow("lowest staff note, E2") << piano << staffLow << 82.407;
        QTest::newRow("highest staff note, A5") << piano << staffHigh << 880.0;
        QTest::newRow("A4 on the guitar sounds A3") << guitar << 17 << 220.0;
        QTest::newRow("lowest guitar note, written E3, sounds E2") << guitar << guitarLow << 82.407;
        QTest::newRow("highest guitar note, written B5, sounds B4") << guitar << guitarHigh << 493.883;
    }

    void pitch() {
        QFETCH(int, voice);
        QFETCH(int, step);
        QFETCH(double, hertz);
        const std::vector<float> sound = Play(Voice(voice), SoundingKey(Voice(voice), step), 100, 0.6);
        QVERIFY2(Rms(sound, 0.1, 0.5) > 0.005, "the note is not heard");
        const double heard = Pitch(sound, 0.1, 0.5);
        QVERIFY2(std::abs(heard - hertz) <= 0.001 * hertz,
                 qPrintable(QStringLiteral("heard %1 Hz, expected %2 Hz").arg(heard).arg(hertz)));
    }

    // Every note of the guitar set, played on the guitar, is an octave below the same written note on the
    // piano.
    void guitarOctaveBelowWritten_data() {
        QTest::addColumn<int>("step");
        const auto [low, high] = StepRange(GuitarFrets);
        for (int step = low; step <= high; ++step)
            QTest::addRow("step %d %c", step, StepLetter(step)) << step;
    }

    void guitarOctaveBelowWritten() {
        QFETCH(int, step);
        const double piano = Pitch(Play(Voice::Piano, SoundingKey(Voice::Piano, step), 100, 0.5), 0.1, 0.45);
        const double guitar =
            Pitch(Play(Voice::Guitar, SoundingKey(Voice::Guitar, step), 100, 0.5), 0.1, 0.45);
        QVERIFY2(std::abs(2 * guitar - piano) <= 0.001 * piano,
                 qPrintable(QStringLiteral("guitar %1 Hz, piano %2 Hz").arg(guitar).arg(piano)));
    }

    // A released note dies away within a moment, where the same note held still sounds.
    void noteStopsAfterRelease_data() {
        QTest::addColumn<int>("voice");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("allNotesOff");
        const auto [guitarLow, guitarHigh] = StepRange(GuitarFrets);
        QTest::newRow("piano A4, key let go") << int(Voice::Piano) << 17 << false;
        QTest::newRow("piano E2, key let go") << int(Voice::Piano) << 0 << false;
        QTest::newRow("guitar low E, fret let go") << int(Voice::Guitar) << guitarLow << false;
        QTest::newRow("piano A4, all notes off") << int(Voice::Piano) << 17 << true;
        QTest::newRow("guitar B, all notes off") << int(Voice::Guitar) << guitarHigh << true;
    }

    void noteStopsAfterRelease() {
        QFETCH(int, voice);
        QFETCH(int, step);
        QFETCH(bool, allNotesOff);
        const int key = SoundingKey(Voice(voice), step);

        const std::vector<float> held = Play(Voice(voice), key, 100, 1.2);
        engine_->NoteOn(Voice(voice), key, 100);
        std::vector<float> released = Render(*engine_, 0.3);
        if (allNotesOff)
            engine_->AllNotesOff();
        else
            engine_->NoteOff(Voice(voice), key);
        const std::vector<float> after = Render(*engine_, 0.9);
        released.insert(released.end(), after.begin(), after.end());

        const double sounding = Rms(held, 0.1, 0.5);
        const double heldLate = Rms(held, 0.9, 1.2);
        const double releasedLate = Rms(released, 0.9, 1.2);
        QVERIFY2(sounding > 0.005, "the note is not heard");
        QVERIFY2(releasedLate < 0.01 * sounding,
                 qPrintable(QStringLiteral("%1 of the note's level remains").arg(releasedLate / sounding)));
        QVERIFY2(releasedLate < 0.1 * heldLate, "the held note had died away as well: nothing was shown");
    }

    // A MIDI key's velocity reaches the synthesizer: harder is louder. Velocity 0, which MIDI reads as a
    // release, still sounds softly, and values out of range neither crash nor go silent.
    void velocity_data() {
        QTest::addColumn<int>("soft");
        QTest::addColumn<int>("hard");
        QTest::newRow("40 and 120") << 40 << 120;
        QTest::newRow("on-screen level against full") << OnScreenVelocity << 127;
        QTest::newRow("0 and 1000, taken as 1 and 127") << 0 << 1000;
    }

    void velocity() {
        QFETCH(int, soft);
        QFETCH(int, hard);
        const double softLevel = Rms(Play(Voice::Piano, 69, soft, 0.5), 0.05, 0.4);
        const double hardLevel = Rms(Play(Voice::Piano, 69, hard, 0.5), 0.05, 0.4);
        QVERIFY2(softLevel > 0, "a soft note is silent");
        QVERIFY2(hardLevel > 1.3 * softLevel,
                 qPrintable(QStringLiteral("soft %1, hard %2").arg(softLevel).arg(hardLevel)));
        QVERIFY2(hardLevel < 1.0, "clipping");
    }

    // Keys outside MIDI's range are ignored rather than passed on.
    void keysOutOfRange() {
        engine_->NoteOn(Voice::Piano, -1, 100);
        engine_->NoteOn(Voice::Piano, 128, 100);
        const std::vector<float> sound = Render(*engine_, 0.3);
        QVERIFY(Rms(sound, 0, 0.3) < 1e-5);
        engine_->NoteOff(Voice::Guitar, 500);
    }

    void silentWithoutNotes() {
        const std::vector<float> sound = Render(*engine_, 0.5);
        QCOMPARE(sound.size(), std::size_t(SampleRate / 2));
        QCOMPARE(*std::max_element(sound.begin(), sound.end()), 0.0f);
    }

    // What cannot be opened is reported with its reason, and the engine stays harmless afterwards.
    void openFailures_data() {
        QTest::addColumn<QString>("soundFont"); // "junk" for a file that is not a SoundFont
        QTest::addColumn<QStringList>("drivers");
        QTest::addColumn<int>("result");
        const QStringList none;
        QTest::newRow("missing SoundFont")
            << "/nonexistent/font.sf2" << none << int(OpenResult::SoundFontFailed);
        QTest::newRow("not a SoundFont") << "junk" << none << int(OpenResult::SoundFontFailed);
        QTest::newRow("unknown output") << "" << QStringList{"nosuchoutput"} << int(OpenResult::OutputFailed);
        QTest::newRow("no sound server") << "" << QStringList{"pulseaudio"} << int(OpenResult::OutputFailed);
    }

    void openFailures() {
        QFETCH(QString, soundFont);
        QFETCH(QStringList, drivers);
        QFETCH(int, result);
        QTemporaryDir dir;
        if (soundFont.isEmpty()) {
            soundFont = TestSoundFont();
        } else if (soundFont == "junk") {
            soundFont = dir.filePath("junk.sf2");
            QFile junk(soundFont);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write(QByteArray(4096, 'x'));
        }
        // A server address where none listens; autostarting one is not allowed to rescue the test.
        const QByteArray server = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", QFile::encodeName("unix:" + dir.filePath("no-server")));

        QString why;
        SoundModule module(ModulePath());
        std::unique_ptr<SoundEngine> engine = module.CreateEngine(why);
        QVERIFY2(engine != nullptr, qPrintable(why));
        SoundEngineSettings settings;
        settings.SoundFont = QFile::encodeName(soundFont).toStdString();
        for (const QString& driver : drivers)
            settings.Drivers.push_back(driver.toStdString());
        std::string detail;
        QElapsedTimer clock;
        clock.start();
        const OpenResult opened = engine->Open(settings, detail);
        qputenv("PULSE_SERVER", server);
        if (server.isEmpty())
            qunsetenv("PULSE_SERVER");

        QCOMPARE(int(opened), result);
        QVERIFY2(!detail.empty(), "no reason given");
        QVERIFY2(clock.elapsed() < 5000, "failing took too long");
        engine->NoteOn(Voice::Piano, 60, 100);
        engine->AllNotesOff();
        float left[64], right[64];
        QVERIFY(!engine->Render(left, right, 64));
    }

    void openOnlyOnce() {
        SoundEngineSettings settings;
        settings.SoundFont = QFile::encodeName(TestSoundFont()).toStdString();
        std::string detail;
        QVERIFY(engine_->Open(settings, detail) != OpenResult::Opened);
        QVERIFY(!Render(*engine_, 0.01).empty());
    }

    // The SoundFont the program finds on this machine, whichever it is: a piano and a guitar note are heard
    // and die away once let go. Its tuning and loudness are its own, so neither is checked.
    void systemSoundFontSoundsAndStops_data() {
        QTest::addColumn<int>("voice");
        QTest::addColumn<int>("key");
        QTest::newRow("piano, middle C") << int(Voice::Piano) << 60;
        QTest::newRow("piano, A5") << int(Voice::Piano) << 81;
        QTest::newRow("guitar, low E") << int(Voice::Guitar) << 40;
    }

    void systemSoundFontSoundsAndStops() {
        QFETCH(int, voice);
        QFETCH(int, key);
        const QString font = FindSoundFont();
        if (font.isEmpty())
            QSKIP("no SoundFont is installed (timgm6mb-soundfont or fluid-soundfont-gm)");
        QString why;
        std::unique_ptr<SoundEngine> engine = OfflineEngine(why, font);
        QVERIFY2(engine != nullptr, qPrintable(why));
        engine->NoteOn(Voice(voice), key, 100);
        std::vector<float> sound = Render(*engine, 0.6);
        engine->NoteOff(Voice(voice), key);
        const std::vector<float> after = Render(*engine, 3.0);
        sound.insert(sound.end(), after.begin(), after.end());
        double loudest = 0;
        for (double at = 0; at < 0.6; at += 0.05)
            loudest = std::max(loudest, Rms(sound, at, at + 0.05));
        QVERIFY2(loudest > 0.005, qPrintable(QStringLiteral("%1 is silent: %2").arg(font).arg(loudest)));
        const double late = Rms(sound, 3.1, 3.6);
        QVERIFY2(late < 0.01 * loudest,
                 qPrintable(QStringLiteral("%1 of the note's level remains").arg(late / loudest)));
    }

    void cleanupTestCase() { engine_.reset(); }
};

QTEST_GUILESS_MAIN(TestSoundEngine)
#include "tst_soundengine.moc"
