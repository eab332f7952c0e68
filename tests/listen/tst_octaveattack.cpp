// How the pitch detector keeps a note's octave when the octave below sounds too: in a swelling attack, or
// now and then in a high note's frames in noise.
#include "DetectorListening.h"

#include <QTest>

#include <cmath>

using namespace quavix;
using namespace quavix::listening;

class TestOctaveAttack : public QObject {
    Q_OBJECT

private slots:
    // A blown note that swells out of the octave below (a saxophone's high notes) sounds there for its first
    // tens of milliseconds: its frames repeat almost perfectly at the lower period, with a good share of the
    // octave above in every one of them. It is told in its own octave once it gets there, not below while it
    // swells. A note whose octave above stays that strong is the lower note all the same.
    void ASwellFromTheOctaveBelowIsToldInItsOwnOctave_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("below");     // the octave below's amplitude
        QTest::addColumn<double>("belowEnds"); // when it stops, in seconds
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<double>("told");
        QTest::newRow("G#5") << 80.0 << 0.2 << 0.05 << 99.0 << 80.0;
        QTest::newRow("C5") << 72.0 << 0.21 << 0.05 << 99.0 << 72.0;
        QTest::newRow("G#5 in noise 20 dB") << 80.0 << 0.19 << 0.05 << 20.0 << 80.0;
        QTest::newRow("G#4, its octave above strong throughout") << 80.0 << 0.2 << 1.0 << 99.0 << 68.0;
    }
    void ASwellFromTheOctaveBelowIsToldInItsOwnOctave() {
        QFETCH(double, pitch);
        QFETCH(double, below);
        QFETCH(double, belowEnds);
        QFETCH(double, snrDb);
        QFETCH(double, told);
        std::vector<float> sound = AfterLead({.Pitch = pitch, .Partials = 4, .AttackSeconds = 0.1});
        tones::Add(sound, Lead,
                   {.Pitch = pitch - 12,
                    .Seconds = belowEnds,
                    .Amplitude = below,
                    .Partials = 1,
                    .AttackSeconds = 0.1},
                   Rate);
        if (snrDb < 99)
            tones::AddNoise(sound, Lead, Lead + Rate / 2, snrDb, 7);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QVERIFY(!began.empty());
        QVERIFY2(std::abs(began[0].Pitch - told) < 0.15, qPrintable(QString::number(began[0].Pitch)));
    }

    // A high note carrying a faint trace of the octave below (a bowed string, a looped sample), in noise at
    // 10 dB: a frame here and there reads the octave below, and the next is back at the note. The run the
    // one frame broke goes on, so the note is still told soon, and in its own octave. A low string bowed in
    // slowly (its trace too low to read) has frames that wobble a few cents either way in the noise, never
    // quite agreeing: it is told as soon, from the pitch they wobble about.
    void ASingleFrameReadLowDoesNotRestartTheRun_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<double>("attack"); // in seconds
        QTest::newRow("F#5") << 78.0 << 5u << 0.03;
        QTest::newRow("G5") << 79.0 << 6u << 0.03;
        QTest::newRow("G#2 bowed in") << 44.0 << 10u << 0.15;
        QTest::newRow("C3 bowed in") << 48.0 << 6u << 0.15;
    }
    void ASingleFrameReadLowDoesNotRestartTheRun() {
        QFETCH(double, pitch);
        QFETCH(unsigned, seed);
        QFETCH(double, attack);
        const tones::Tone note{.Pitch = pitch, .Seconds = 0.6, .AttackSeconds = attack};
        std::vector<float> sound = AfterLead(note);
        tones::Add(sound, Lead,
                   {.Pitch = pitch - 12,
                    .Seconds = 0.6,
                    .Amplitude = 0.17 * note.Amplitude,
                    .Partials = 1,
                    .AttackSeconds = attack},
                   Rate);
        tones::AddNoise(sound, Lead, sound.size(), 10, seed);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(std::abs(began[0].Pitch - pitch) < 0.15, qPrintable(QString::number(began[0].Pitch)));
        const auto delayMs = (began[0].HeardSample - std::int64_t(Lead)) * 1000 / Rate;
        QVERIFY2(delayMs <= 100, qPrintable(QString::number(delayMs)));
    }
};

QTEST_APPLESS_MAIN(TestOctaveAttack)
#include "tst_octaveattack.moc"
