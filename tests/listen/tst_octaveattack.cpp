// How the pitch detector keeps a note's octave while its attack still sounds in the octave below.
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
};

QTEST_APPLESS_MAIN(TestOctaveAttack)
#include "tst_octaveattack.moc"
