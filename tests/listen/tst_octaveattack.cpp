// How the pitch detector keeps a note's octave when the octave below sounds too: in a swelling attack, or
// now and then in a high note's frames in noise.
#include "DetectorListening.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace quavix;
using namespace quavix::listening;

namespace {

// A sung note of four partials swelling in over 30 ms, whose voice flicks 80 cents up and as far down again
// for 4 ms each from `atMs` on, in noise.
std::vector<float> Sung(double pitch, double atMs, double snrDb, unsigned seed) {
    std::vector<float> sound(Lead + Rate * 6 / 10, 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i + Lead < sound.size(); ++i) {
        const double t = 1000.0 * double(i) / Rate;
        const double bend = t < atMs || t >= atMs + 8 ? 0 : t < atMs + 4 ? 80 : -80;
        phase += tones::Frequency(pitch) * std::exp2(bend / 1200) / Rate;
        double sum = 0;
        for (int n = 1; n <= 4; ++n)
            sum += std::sin(2 * std::numbers::pi * n * phase) / n;
        sound[Lead + i] = static_cast<float>(0.15 * std::min(1.0, t / 30) * sum);
    }
    tones::AddNoise(sound, Lead, sound.size(), snrDb, seed);
    return sound;
}

} // namespace

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
        // In noise the swell's frames in the octave below repeat less than perfectly, which the noise
        // seems to excuse; they are not told there while the sound still grows.
        QTest::newRow("G5 in noise 25 dB, the octave below gone at 40 ms")
            << 79.0 << 0.2 << 0.04 << 25.0 << 79.0;
        QTest::newRow("A5 in noise 20 dB") << 81.0 << 0.25 << 0.04 << 20.0 << 81.0;
        QTest::newRow("C6 in noise 15 dB") << 84.0 << 0.25 << 0.05 << 15.0 << 84.0;
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
    // one frame broke goes on, so the note is still told soon, and in its own octave.
    void ASingleFrameReadLowDoesNotRestartTheRun_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("F#5") << 78.0 << 5u;
        QTest::newRow("G5") << 79.0 << 6u;
    }
    void ASingleFrameReadLowDoesNotRestartTheRun() {
        QFETCH(double, pitch);
        QFETCH(unsigned, seed);
        const tones::Tone note{.Pitch = pitch, .Seconds = 0.6, .AttackSeconds = 0.03};
        std::vector<float> sound = AfterLead(note);
        tones::Add(sound, Lead,
                   {.Pitch = pitch - 12,
                    .Seconds = 0.6,
                    .Amplitude = 0.17 * note.Amplitude,
                    .Partials = 1,
                    .AttackSeconds = 0.03},
                   Rate);
        tones::AddNoise(sound, Lead, sound.size(), 10, seed);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(std::abs(began[0].Pitch - pitch) < 0.15, qPrintable(QString::number(began[0].Pitch)));
        const auto delayMs = DelayMs(began[0]);
        QVERIFY2(delayMs <= 100, qPrintable(QString::number(delayMs)));
    }

    // Where the octave does not count, a sung note is told once its frames agree, and not started over when
    // its voice flicks for a moment in noise and leaves one frame unread.
    void ASungNoteIsNotStartedOverByOneUnreadFrame_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("flickAtMs");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("D5 at 12 dB") << 74.0 << 20.0 << 12.0 << 4u;
        QTest::newRow("A5 at 12 dB") << 81.0 << 30.0 << 12.0 << 5u;
    }
    void ASungNoteIsNotStartedOverByOneUnreadFrame() {
        QFETCH(double, pitch);
        QFETCH(double, flickAtMs);
        QFETCH(double, snrDb);
        QFETCH(unsigned, seed);
        const std::vector<float> sound = Sung(pitch, flickAtMs, snrDb, seed);
        const std::vector<HeardNote> began = Began(Listen(sound, false));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(SemitonesFromAnyOctave(began[0].Pitch, pitch) < 0.15,
                 qPrintable(QString::number(began[0].Pitch)));
        const auto delayMs = DelayMs(began[0]);
        QVERIFY2(delayMs <= 40, qPrintable(QString::number(delayMs)));
    }
};

QTEST_APPLESS_MAIN(TestOctaveAttack)
#include "tst_octaveattack.moc"
