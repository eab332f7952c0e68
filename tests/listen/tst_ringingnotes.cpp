// The pitch detector on a note played while another still sounds: a string left ringing, a release.
#include "DetectorListening.h"

#include <QTest>

using namespace quavix;
using namespace quavix::listening;

Q_DECLARE_METATYPE(tones::Tone)

class TestRingingNotes : public QObject {
    Q_OBJECT

private slots:
    // A note struck while an earlier one rings: the only thing told from the new start on is the new
    // note, never the earlier one read again, whether it rings loudly under the new one or, quiet, rings
    // on after the new one has faded and dies away itself to the edge of hearing.
    void OnlyTheNewNoteAfterItsStart_data() {
        QTest::addColumn<tones::Tone>("previous");
        QTest::addColumn<tones::Tone>("next");
        QTest::addColumn<int>("startMs"); // after the previous note's start
        tones::Tone previous;
        previous.Pitch = 55;
        previous.Seconds = 2.0;
        previous.DecaySeconds = 1.0;
        tones::Tone next = previous;
        next.Pitch = 60;
        next.Amplitude = 0.6;
        QTest::newRow("over a loud ringing note") << previous << next << 500;
        previous.Pitch = 57;
        previous.Amplitude = 0.01;
        previous.Seconds = 5.0;
        previous.DecaySeconds = 5.0;
        next.Pitch = 63;
        next.Seconds = 3.5;
        next.DecaySeconds = 0.5;
        QTest::newRow("a quiet string ringing on after it fades") << previous << next << 333;
    }
    void OnlyTheNewNoteAfterItsStart() {
        QFETCH(tones::Tone, previous);
        QFETCH(tones::Tone, next);
        QFETCH(int, startMs);
        std::vector<float> sound = AfterLead(previous);
        const std::size_t start = Lead + static_cast<std::size_t>(startMs * Rate / 1000);
        tones::Add(sound, start, next, Rate);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound), start);
        QCOMPARE(after.size(), std::size_t(1));
        QVERIFY2(std::abs(after[0].Pitch - next.Pitch) < 0.15, qPrintable(QString::number(after[0].Pitch)));
        // Told from its own start, found even while a steady note sounds on under it.
        QVERIFY2(after[0].OnsetSample >= std::int64_t(start) - Rate / 100,
                 qPrintable(QString::number(after[0].OnsetSample)));
    }

    // A note struck under one still ringing is heard mixed with it now and then: a frame of the mixture
    // between frames of the new note does not make the new note start agreeing all over again.
    void AFrameOfTheMixtureDoesNotRestartTheNote_data() {
        QTest::addColumn<double>("ringing");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("struck a whole tone under") << 67.0 << 135;
        QTest::newRow("struck a whole tone over") << 63.0 << 60;
    }
    void AFrameOfTheMixtureDoesNotRestartTheNote() {
        QFETCH(double, ringing);
        QFETCH(int, mostMs);
        std::vector<float> sound =
            AfterLead({.Pitch = ringing, .Seconds = 2.0, .DecaySeconds = 1.0, .AttackSeconds = 0.002});
        const std::size_t start = Lead + Rate / 2;
        tones::Add(sound, start,
                   {.Pitch = 65, .Amplitude = 0.15, .DecaySeconds = 1.0, .AttackSeconds = 0.002}, Rate);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound), start);
        QCOMPARE(after.size(), std::size_t(1));
        QVERIFY(std::abs(after[0].Pitch - 65) < 0.15);
        const auto delayMs = (after[0].HeardSample - std::int64_t(start)) * 1000 / Rate;
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }

    // A note struck a semitone or a whole tone from one still sounding (a string left ringing, a release):
    // the two beat too slowly for a frame to part them. Told once, as the note played, and soon; not as the
    // semitone between them, and not held up by the ringing note's partials taking its fundamental with them.
    void ANeighbourOfARingingNoteIsToldOnce_data() {
        QTest::addColumn<double>("ringing");
        QTest::addColumn<double>("next");
        QTest::addColumn<double>("rolloff");      // of both notes' partials
        QTest::addColumn<double>("decaySeconds"); // of the ringing note from the new note's start
        QTest::addColumn<int>("mostMs");
        QTest::newRow("a semitone under a release") << 48.0 << 47.0 << 1.0 << 0.1 << 70;
        QTest::newRow("a whole tone under a ringing string") << 48.0 << 46.0 << 1.0 << 1.0 << 65;
        QTest::newRow("a whole tone under, mellow") << 48.0 << 46.0 << 2.0 << 1.0 << 90;
        QTest::newRow("a whole tone over, mellow") << 48.0 << 50.0 << 2.0 << 1.0 << 85;
        QTest::newRow("a whole tone over a release, mellow") << 55.0 << 57.0 << 2.0 << 0.1 << 60;
    }
    void ANeighbourOfARingingNoteIsToldOnce() {
        QFETCH(double, ringing);
        QFETCH(double, next);
        QFETCH(double, rolloff);
        QFETCH(double, decaySeconds);
        QFETCH(int, mostMs);
        const std::size_t start = Lead + Rate / 2;
        std::vector<float> sound =
            AfterLead({.Pitch = ringing, .Seconds = 0.5, .Rolloff = rolloff, .AttackSeconds = 0.002});
        tones::Add(
            sound, start,
            {.Pitch = ringing, .Rolloff = rolloff, .DecaySeconds = decaySeconds, .AttackSeconds = 0.0001},
            Rate);
        tones::Add(sound, start, {.Pitch = next, .Rolloff = rolloff, .AttackSeconds = 0.002}, Rate);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound), start);
        QCOMPARE(after.size(), std::size_t(1));
        QVERIFY2(std::abs(after[0].Pitch - next) < 0.15, qPrintable(QString::number(after[0].Pitch)));
        const auto delayMs = (after[0].HeardSample - std::int64_t(start)) * 1000 / Rate;
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }

    // Played legato while the last note's release still rings (a breath or a bow taken off, a voice's
    // room): the new note swells out from under the old one, which outweighs it at first. It is told once
    // it stands out clearly from what is left when the old note is taken out, before it outweighs it.
    void LegatoOutOfARingingRelease_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("a whole tone up") << 62.0 << 64.0 << 80;
        QTest::newRow("a whole tone down") << 57.0 << 55.0 << 85;
    }
    void LegatoOutOfARingingRelease() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(int, mostMs);
        const std::size_t step = Lead + Rate / 2;
        std::vector<float> sound = AfterLead({.Pitch = from, .Seconds = 0.5, .Partials = 4});
        tones::Add(
            sound, step,
            {.Pitch = from, .Seconds = 0.6, .Partials = 4, .DecaySeconds = 0.2, .AttackSeconds = 0.0001},
            Rate);
        tones::Add(sound, step, {.Pitch = to, .Seconds = 0.6, .Partials = 4, .AttackSeconds = 0.1}, Rate);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(2));
        QVERIFY2(std::abs(began[1].Pitch - to) < 0.15, qPrintable(QString::number(began[1].Pitch)));
        const auto delayMs = (began[1].HeardSample - std::int64_t(step)) * 1000 / Rate;
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }
};

QTEST_APPLESS_MAIN(TestRingingNotes)
#include "tst_ringingnotes.moc"
