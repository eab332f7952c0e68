// The pitch detector on a new note told by how it holds: a quiet note after a loud one, a note noise blurs,
// a note under a held one that moved after it was told.
#include "DetectorListening.h"

#include <QTest>

using namespace quavix;
using namespace quavix::listening;
using tones::Tone;

Q_DECLARE_METATYPE(Tone)

class TestRunHolding : public QObject {
    Q_OBJECT

private slots:
    // An earlier note, its sound from the new start on, and the new note, with noise from the start on
    // (none known before it) where snrDb is set: the new note is told once, soon; a quiet twelfth of a loud
    // note stopped may be its tail, and is not told.
    void ToldByHowItHolds_data() {
        QTest::addColumn<Tone>("earlier");
        QTest::addColumn<double>("fades"); // the earlier note's decay from the start on, in seconds
        QTest::addColumn<Tone>("next");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<int>("mostMs"); // 0: nothing told
        const Tone loud{.Pitch = 57, .Seconds = 0.5, .Amplitude = 0.6};
        const Tone sharp{.Pitch = 56, .Seconds = 0.5, .GlideCents = 40, .GlideSeconds = 0.15};
        QTest::newRow("quiet, -35 dB")
            << loud << 0.02 << Tone{.Pitch = 62, .Amplitude = 0.01, .AttackSeconds = 0.03} << 0.0 << 200;
        QTest::newRow("quiet twelfth")
            << loud << 0.02 << Tone{.Pitch = 76, .Amplitude = 0.02, .AttackSeconds = 0.03} << 0.0 << 0;
        QTest::newRow("legato, 4 dB") << Tone{.Pitch = 57, .Seconds = 0.5} << 0.05
                                      << Tone{.Pitch = 52, .AttackSeconds = 0.05} << 4.0 << 75;
        QTest::newRow("a fourth under a held note told sharp")
            << sharp << 0.1 << Tone{.Pitch = 61, .Amplitude = 0.2} << 0.0 << 55;
        QTest::newRow("a whole tone under it, swelling")
            << sharp << 0.1 << Tone{.Pitch = 58, .Amplitude = 0.2, .AttackSeconds = 0.05} << 0.0 << 70;
    }
    void ToldByHowItHolds() {
        QFETCH(Tone, earlier);
        QFETCH(double, fades);
        QFETCH(Tone, next);
        QFETCH(double, snrDb);
        QFETCH(int, mostMs);
        const std::size_t start = Lead + Rate / 2;
        std::vector<float> sound = AfterLead(earlier);
        const Tone fading{.Pitch = earlier.Pitch,
                          .Amplitude = earlier.Amplitude,
                          .DecaySeconds = fades,
                          .AttackSeconds = 1e-4};
        tones::Add(sound, start, fading, Rate);
        tones::Add(sound, start, next, Rate);
        if (snrDb > 0) {
            std::vector<float> after(sound.begin() + start, sound.end());
            tones::AddNoise(after, 0, Rate / 2, snrDb, 11);
            std::copy(after.begin(), after.end(), sound.begin() + start);
        }
        const std::vector<HeardNote> told = BeganFrom(Listen(sound), start);
        QCOMPARE(told.size(), std::size_t(mostMs > 0));
        QVERIFY(mostMs == 0 || std::abs(told[0].Pitch - next.Pitch) < 0.3);
        QVERIFY(mostMs == 0 || (told[0].HeardSample - std::int64_t(start)) * 1000 / Rate <= mostMs);
    }
};

QTEST_APPLESS_MAIN(TestRunHolding)
#include "tst_runholding.moc"
