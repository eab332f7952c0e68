// The pitch detector on high notes in noise whose frames now and then read an octave low.
#include "DetectorListening.h"

#include <QTest>

using namespace quavix;
using namespace quavix::listening;

class TestOctaveLowFrames : public QObject {
    Q_OBJECT

private slots:
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
        const auto delayMs = (began[0].HeardSample - std::int64_t(Lead)) * 1000 / Rate;
        QVERIFY2(delayMs <= 100, qPrintable(QString::number(delayMs)));
    }
};

QTEST_APPLESS_MAIN(TestOctaveLowFrames)
#include "tst_octavelowframes.moc"
