// The check that lets a held note skip full readings, and the direct sums it reads the held period with.
#include "HeldNoteCheck.h"
#include "PeriodEstimator.h"
#include "PitchDetector.h"
#include "SyntheticTones.h"

#include <QTest>

using namespace quavix;

namespace {
constexpr int Rate = 16000;
} // namespace

Q_DECLARE_METATYPE(tones::Tone)

class TestHeldNoteCheck : public QObject {
    Q_OBJECT

private slots:
    // Between full readings a held note is taken as unchanged only while it is, from the lowest note to the
    // highest: a step of pitch, a partial an octave up growing in (an octave leap under way) or a new sound
    // ends that, and so do enough frames in a row.
    void HeldNoteCheckSeesChange_data() {
        QTest::addColumn<double>("held");
        QTest::addColumn<tones::Tone>("later");
        QTest::addColumn<bool>("same");
        QTest::newRow("E2 unchanged") << 40.0 << tones::Tone{.Pitch = 40, .Partials = 4} << true;
        QTest::newRow("C7 unchanged") << 96.0 << tones::Tone{.Pitch = 96, .Partials = 4} << true;
        QTest::newRow("20 cents up") << 57.0 << tones::Tone{.Pitch = 57.2, .Partials = 4} << false;
        QTest::newRow("octave above growing")
            << 57.0 << tones::Tone{.Pitch = 57, .Partials = 4, .FundamentalDb = -20} << false;
        QTest::newRow("a fifth up") << 57.0 << tones::Tone{.Pitch = 64, .Partials = 4} << false;
    }
    void HeldNoteCheckSeesChange() {
        QFETCH(double, held);
        QFETCH(tones::Tone, later);
        QFETCH(bool, same);
        const PitchDetectorSettings settings;
        const int window = settings.WindowSamples;
        PeriodEstimator estimator(settings.SampleRate, window, settings.LowestHz, settings.HighestHz);
        HeldNoteCheck check(estimator);
        std::vector<float> before, after;
        tones::Add(before, 0, {.Pitch = held, .Seconds = 0.1, .Partials = 4}, Rate);
        tones::Add(after, 0, later, Rate);
        check.Measured(before.data() + Rate / 20, window, Rate / tones::Frequency(held));
        const auto drift = check.Since(after.data() + Rate / 20, window);
        QCOMPARE(drift.has_value(), same);
        if (!same)
            return;
        QVERIFY(std::abs(drift->Semitones) < 0.02 && std::abs(drift->Clarity) < 0.01);
        for (int i = 1; i < HeldNoteCheck::MostInRow; ++i)
            QVERIFY(check.Since(after.data() + Rate / 20, window));
        QVERIFY(!check.Since(after.data() + Rate / 20, window));
    }

    // Leaving out the octave above reads the same period and clarity (the sums share the stretch's energy),
    // for a plain tone and one whose octave above is far stronger than the note.
    void NearReadsThePeriodWithOrWithoutTheOctaveAbove() {
        const PitchDetectorSettings settings;
        const int window = settings.WindowSamples;
        PeriodEstimator estimator(settings.SampleRate, window, settings.LowestHz, settings.HighestHz);
        for (const double fundamentalDb : {0.0, -20.0}) {
            std::vector<float> sound;
            tones::Add(sound, 0, {.Pitch = 50, .Seconds = 0.1, .Partials = 4, .FundamentalDb = fundamentalDb},
                       Rate);
            const float* frame = sound.data() + Rate / 20;
            const double period = Rate / tones::Frequency(50);
            const PeriodEstimate read = estimator.Near(frame, window, period);
            const PeriodEstimate skipped =
                estimator.Near(frame, window, period, PeriodEstimator::NearOctaveUp::Skip);
            QVERIFY(read.Frequency > 0);
            QCOMPARE(skipped.Frequency, read.Frequency);
            QCOMPARE(skipped.Clarity, read.Clarity);
            QCOMPARE(skipped.OctaveUp, 0.0);
            QCOMPARE(read.OctaveUp > 0.3, fundamentalDb < 0);
        }
    }
};

QTEST_MAIN(TestHeldNoteCheck)
#include "tst_heldnotecheck.moc"
