// What a heard pitch answers: the verdict and the key it stands for, by answer control and tolerance.
#include "PitchJudge.h"

#include <QTest>

using namespace quavix;

Q_DECLARE_METATYPE(quavix::OctaveRule)
Q_DECLARE_METATYPE(quavix::HeardVerdict)

class TestPitchJudge : public QObject {
    Q_OBJECT

private slots:
    void Judges_data() {
        QTest::addColumn<double>("heard");
        QTest::addColumn<int>("asked"); // written MIDI key
        QTest::addColumn<OctaveRule>("rule");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<HeardVerdict>("verdict");
        QTest::addColumn<int>("key");
        const auto exact = OctaveRule::Exact, any = OctaveRule::AnyOctave, guitar = OctaveRule::OctaveBelow;
        const auto right = HeardVerdict::Right, wrongNote = HeardVerdict::WrongNote;
        const auto wrongOctave = HeardVerdict::WrongOctave, outOfTune = HeardVerdict::OutOfTune;
        // The full-range piano: the written note exactly, detuned within the tolerance.
        QTest::newRow("exact, in tune") << 60.0 << 60 << exact << 50 << right << 60;
        QTest::newRow("exact, 40 cents flat") << 59.6 << 60 << exact << 50 << right << 60;
        QTest::newRow("exact, a semitone up") << 61.0 << 60 << exact << 50 << wrongNote << 61;
        QTest::newRow("exact, an octave up") << 72.0 << 60 << exact << 50 << wrongOctave << 72;
        QTest::newRow("exact, two octaves down") << 36.1 << 60 << exact << 50 << wrongOctave << 36;
        // Letters and the voice: any octave is right.
        QTest::newRow("any octave, an octave up") << 72.2 << 60 << any << 50 << right << 72;
        QTest::newRow("any octave, a fifth up") << 67.0 << 60 << any << 50 << wrongNote << 67;
        // The guitar sounds an octave below its written note: that octave exactly.
        QTest::newRow("guitar, sounding E2 for written E3") << 40.0 << 52 << guitar << 50 << right << 40;
        QTest::newRow("guitar, E3 as written") << 52.0 << 52 << guitar << 50 << wrongOctave << 52;
        // Tolerances: a tight one refuses a detuned right note (no answer), a wide one takes it.
        QTest::newRow("tight, 30 cents off") << 60.3 << 60 << exact << 25 << outOfTune << -1;
        QTest::newRow("wide, 70 cents off") << 60.7 << 60 << exact << 80 << right << 60;
        QTest::newRow("wide, a semitone is still wrong") << 61.0 << 60 << exact << 80 << wrongNote << 61;
        // A wrong note must be as clearly in tune as a right one to answer.
        QTest::newRow("between two wrong keys") << 62.45 << 60 << exact << 50 << wrongNote << 62;
        QTest::newRow("tight, between two wrong keys") << 62.45 << 60 << exact << 25 << outOfTune << -1;
        // Tolerances outside 25..80 are held to that range.
        QTest::newRow("tolerance 0 acts as 25") << 60.2 << 60 << exact << 0 << right << 60;
        QTest::newRow("tolerance 200 acts as 80") << 60.9 << 60 << exact << 200 << wrongNote << 61;
        // Black keys are notes too, for the sharps and flats to come.
        QTest::newRow("F sharp asked, heard") << 66.1 << 66 << exact << 50 << right << 66;
    }
    void Judges() {
        QFETCH(double, heard);
        QFETCH(int, asked);
        QFETCH(OctaveRule, rule);
        QFETCH(int, tolerance);
        QFETCH(HeardVerdict, verdict);
        QFETCH(int, key);
        const HeardAnswer answer = JudgeHeardPitch(heard, asked, rule, tolerance);
        QCOMPARE(answer.Verdict, verdict);
        QCOMPARE(answer.Key, key);
    }
};

QTEST_APPLESS_MAIN(TestPitchJudge)
#include "tst_pitchjudge.moc"
