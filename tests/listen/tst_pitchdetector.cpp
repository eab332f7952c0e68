// The pitch detector on synthetic notes: the pitch it tells, when, and how often.
#include "DetectorListening.h"

#include <QTest>

#include <random>

using namespace quavix;
using namespace quavix::listening;

Q_DECLARE_METATYPE(tones::Tone)

class TestPitchDetector : public QObject {
    Q_OBJECT

private slots:
    void HearsTheNoteOnce_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("stretch");
        QTest::addColumn<bool>("noFundamental");
        QTest::addColumn<double>("vibrato");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<double>("decay");
        // Plain harmonic tones across the notes, E2 to the top of the guitar's written C6.
        QTest::newRow("E2") << 40.0 << 0.0 << false << 0.0 << 99.0 << 0.0;
        QTest::newRow("middle C") << 60.0 << 0.0 << false << 0.0 << 99.0 << 0.0;
        QTest::newRow("B5") << 83.0 << 0.0 << false << 0.0 << 99.0 << 0.0;
        QTest::newRow("C6") << 84.0 << 0.0 << false << 0.0 << 99.0 << 0.0;
        // A low piano string: stretched partials and a quick decay.
        QTest::newRow("piano A2 stretched") << 45.0 << 0.0004 << false << 0.0 << 99.0 << 0.6;
        QTest::newRow("piano E2 stretched") << 40.0 << 0.0005 << false << 0.0 << 99.0 << 0.8;
        // The ear hears a fundamental that is not there; so must the detector.
        QTest::newRow("missing fundamental G3") << 55.0 << 0.0 << true << 0.0 << 99.0 << 0.0;
        QTest::newRow("missing fundamental A4") << 69.0 << 0.0 << true << 0.0 << 99.0 << 0.0;
        // A singer's or violinist's vibrato.
        QTest::newRow("vibrato D4") << 62.0 << 0.0 << false << 30.0 << 99.0 << 0.0;
        QTest::newRow("vibrato E5") << 76.0 << 0.0 << false << 40.0 << 99.0 << 0.0;
        // Instruments out of tune by as much as a tolerance must allow.
        QTest::newRow("40 cents sharp") << 57.4 << 0.0 << false << 0.0 << 99.0 << 0.0;
        QTest::newRow("40 cents flat") << 71.6 << 0.0 << false << 0.0 << 99.0 << 0.0;
        // A noisy room.
        QTest::newRow("noise 10 dB F3") << 53.0 << 0.0 << false << 0.0 << 10.0 << 0.0;
        QTest::newRow("noise 10 dB A5") << 81.0 << 0.0 << false << 0.0 << 10.0 << 0.0;
    }
    void HearsTheNoteOnce() {
        QFETCH(double, pitch);
        QFETCH(double, stretch);
        QFETCH(bool, noFundamental);
        QFETCH(double, vibrato);
        QFETCH(double, snrDb);
        QFETCH(double, decay);
        std::vector<float> sound = AfterLead({.Pitch = pitch,
                                              .Seconds = 1.5,
                                              .Stretch = stretch,
                                              .NoFundamental = noFundamental,
                                              .VibratoCents = vibrato,
                                              .DecaySeconds = decay});
        sound.resize(sound.size() + Rate / 2, 0.0f);
        if (snrDb < 99)
            tones::AddNoise(sound, Lead, Lead + Rate, snrDb, 7);

        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        // Within 15 cents of the tone, whatever else it went through; stretched partials pull a little sharp,
        // as they do for the ear; a vibrato is told before a whole swing has passed, from frames that lie
        // more on one side of its middle.
        const double within = vibrato > 0 ? 0.3 : stretch > 0 ? 0.2 : 0.15;
        QVERIFY2(std::abs(began[0].Pitch - pitch) < within, qPrintable(QString::number(began[0].Pitch)));
        const double delayMs = 1000.0 * double(began[0].HeardSample - std::int64_t(Lead)) / Rate;
        QVERIFY2(delayMs > 0 && delayMs < 100, qPrintable(QString::number(delayMs)));
        QVERIFY(began[0].Confidence > 0.8);
    }

    // Odd harmonics far weaker than even ones make a tone repeat almost perfectly at half its period; the
    // note is still the lower one.
    void WeakOddHarmonicsKeepTheOctave() {
        for (double pitch : {48.0, 57.0, 64.0}) {
            std::vector<float> sound = AfterLead({.Pitch = pitch + 12, .Partials = 4});
            tones::Add(sound, Lead, {.Pitch = pitch, .Amplitude = 0.08 /* -11 dB */, .Partials = 1}, Rate);
            const std::vector<HeardNote> began = Began(Listen(sound));
            QVERIFY(!began.empty());
            QVERIFY2(std::abs(began[0].Pitch - pitch) < 0.15, qPrintable(QString::number(began[0].Pitch)));
        }
    }

    // A sound that repeats almost as well at half its period (the tone above) leaves its octave in doubt
    // for a while. Where the answer takes any octave the note is told at once, the same note as where the
    // octave counts, which waits for that doubt to clear.
    void AnOctaveInDoubtWaitsOnlyWhereTheOctaveCounts() {
        for (double pitch : {45.0, 55.0, 64.0}) {
            std::vector<float> sound = AfterLead({.Pitch = pitch + 12, .Partials = 4});
            tones::Add(sound, Lead, {.Pitch = pitch, .Amplitude = 0.08, .Partials = 1}, Rate);
            const std::vector<HeardNote> exact = Began(Listen(sound));
            const std::vector<HeardNote> anyOctave = Began(Listen(sound, false));
            QCOMPARE(anyOctave.size(), std::size_t(1));
            QVERIFY(!exact.empty() && std::abs(exact[0].Pitch - anyOctave[0].Pitch) < 0.05);
            QVERIFY(anyOctave[0].HeardSample - std::int64_t(Lead) <= Rate * 60 / 1000);
            QVERIFY(exact[0].HeardSample - std::int64_t(Lead) > Rate * 100 / 1000);
        }
    }

    // A held note that swells and fades (a bow, a breath) answers once; struck again after dying away,
    // it answers again.
    void HeldNoteAnswersOnceStruckAgainTwice() {
        std::vector<float> sound = AfterLead({.Pitch = 64, .Seconds = 2.0, .AttackSeconds = 0.2});
        for (std::size_t i = Lead; i < sound.size(); ++i) // 4 dB of swell at 3 Hz
            sound[i] *=
                static_cast<float>(1 + 0.3 * std::sin(2 * std::numbers::pi * 3 * double(i - Lead) / Rate));
        QCOMPARE(Began(Listen(sound)).size(), std::size_t(1));

        const tones::Tone struck{.Pitch = 64, .DecaySeconds = 0.15};
        std::vector<float> twice = AfterLead(struck);
        tones::Add(twice, Lead + Rate / 2, struck, Rate);
        const std::vector<HeardNote> began = Began(Listen(twice));
        QCOMPARE(began.size(), std::size_t(2));
        QVERIFY(began[1].OnsetSample >= std::int64_t(Lead + Rate / 2) - Rate / 100);
    }

    // A note that swells slowly but repeats cleanly from its first moments (a soft flute, a bowed string)
    // is told while it still swells, not once it has grown to its full loudness: as soon as three frames
    // agree, as for a note struck. In steady noise, which keeps its frames from repeating perfectly, it is
    // still told while it swells, as long as nothing of the octave above is heard in them.
    void ASwellIsToldWhileItSwells_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("attackSeconds");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("C5 over 0.3 s") << 72.0 << 0.3 << 99.0 << 25;
        QTest::newRow("E4 over 0.2 s") << 64.0 << 0.2 << 99.0 << 30;
        QTest::newRow("G3 over 0.1 s") << 55.0 << 0.1 << 99.0 << 40;
        QTest::newRow("G3 over 0.2 s in noise 15 dB") << 57.0 << 0.2 << 15.0 << 60;
        QTest::newRow("A4 over 0.15 s in noise 15 dB") << 69.0 << 0.15 << 15.0 << 55;
        QTest::newRow("E5 over 0.15 s in noise 15 dB") << 76.0 << 0.15 << 15.0 << 55;
    }
    void ASwellIsToldWhileItSwells() {
        QFETCH(double, pitch);
        QFETCH(double, attackSeconds);
        QFETCH(double, snrDb);
        QFETCH(int, mostMs);
        std::vector<float> sound = AfterLead({.Pitch = pitch, .AttackSeconds = attackSeconds});
        if (snrDb < 99)
            tones::AddNoise(sound, Lead, Lead + Rate / 2, snrDb, 5);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(std::abs(began[0].Pitch - pitch) < 0.15, qPrintable(QString::number(began[0].Pitch)));
        const auto delayMs = DelayMs(began[0]);
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }

    // A note struck (a piano, a plucked string) is told as soon as a few frames agree, rather than after
    // the longer wait that a bowed or blown attack, still gliding or settling on its octave, needs: at
    // once when it repeats almost perfectly, a little later when noise blurs it.
    void AStruckNoteIsToldAtOnce_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("G2") << 43.0 << 99.0 << 45;
        QTest::newRow("A5") << 81.0 << 99.0 << 25;
        // Steady noise keeps frames from repeating perfectly; the clarity asked of them allows for it.
        QTest::newRow("D5 in noise 3 dB") << 74.0 << 3.0 << 40;
        QTest::newRow("A4 in noise 0 dB") << 69.0 << 0.0 << 40;
    }
    void AStruckNoteIsToldAtOnce() {
        QFETCH(double, pitch);
        QFETCH(double, snrDb);
        QFETCH(int, mostMs);
        std::vector<float> sound = AfterLead({.Pitch = pitch, .DecaySeconds = 0.8, .AttackSeconds = 0.002});
        if (snrDb < 99)
            tones::AddNoise(sound, Lead, Lead + Rate / 4, snrDb, 11);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY(std::abs(began[0].Pitch - pitch) < 0.15);
        const auto delayMs = DelayMs(began[0]);
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }

    // A blown attack that starts an octave low and leaves it within its first moments (a saxophone's high
    // notes) is told in its own octave as soon as its latest periods have left the octave below. So is a
    // high note with a faint trace of the octave below all along (a bowed string, a looped sample) in noise,
    // where its latest periods alone often read an octave low though they still repeat at its period.
    void AnAttackFromTheOctaveBelowIsToldInItsOwnOctave_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<double>("below");      // the octave below's amplitude
        QTest::addColumn<double>("belowFades"); // its decay's time constant; 0 while the note sounds
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("G5") << 79.0 << 99.0 << 0.6 << 0.015 << 3u;
        QTest::newRow("B5 in noise 10 dB") << 83.0 << 10.0 << 0.6 << 0.015 << 3u;
        QTest::newRow("G5 over a faint octave below, 15 dB") << 79.0 << 15.0 << 0.05 << 0.0 << 3u;
        QTest::newRow("flat B5 over a faint octave below") << 82.68 << 15.0 << 0.042 << 0.0 << 1u;
        // A plucked string's low notes, heard an octave low for longer: the frames heard there count for the
        // note once it sounds in its own octave, rather than it starting over.
        QTest::newRow("E3") << 52.0 << 99.0 << 0.6 << 0.015 << 3u;
    }
    void AnAttackFromTheOctaveBelowIsToldInItsOwnOctave() {
        QFETCH(double, pitch);
        QFETCH(double, snrDb);
        QFETCH(double, below);
        QFETCH(double, belowFades);
        QFETCH(unsigned, seed);
        std::vector<float> sound = AfterLead({.Pitch = pitch, .Partials = 4});
        tones::Add(sound, Lead,
                   {.Pitch = pitch - 12, .Amplitude = below, .Partials = 1, .DecaySeconds = belowFades},
                   Rate);
        if (snrDb < 99)
            tones::AddNoise(sound, Lead, Lead + Rate / 2, snrDb, seed);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(std::abs(began[0].Pitch - pitch) < 0.15, qPrintable(QString::number(began[0].Pitch)));
        const auto delayMs = DelayMs(began[0]);
        QVERIFY2(delayMs <= 70, qPrintable(QString::number(delayMs)));
    }

    // A note that starts out of tune, nearly halfway between two keys, and creeps ever more slowly towards
    // one of them (a saxophone starting flat, a bow settling) is told as that key once it is clearly heading
    // there, without waiting for it to hold still.
    void ACreepIntoTheKeyIsToldAsItCreeps_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        // How quickly it settles: the seconds it takes to cover all but a third of the way.
        QTest::addColumn<double>("tau");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("up into D5 from 45 cents flat") << 73.55 << 73.75 << 0.06 << 74 << 60;
        QTest::newRow("down into D4 from 45 cents sharp") << 62.45 << 62.25 << 0.06 << 62 << 60;
        QTest::newRow("down into D3 from 45 cents sharp") << 50.45 << 50.25 << 0.06 << 50 << 60;
    }
    void ACreepIntoTheKeyIsToldAsItCreeps() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, tau);
        QFETCH(int, key);
        QFETCH(int, mostMs);
        std::vector<float> sound(Lead, 0.0f);
        double phase = 0; // the fundamental's; partials at its multiples, fading in over 5 ms
        for (std::size_t i = 0; i < std::size_t(Rate); ++i) {
            const double t = double(i) / Rate;
            phase += 2 * std::numbers::pi * tones::Frequency(to + (from - to) * std::exp(-t / tau)) / Rate;
            double sum = 0;
            for (int n = 1; n <= 6; ++n)
                sum += std::sin(n * phase) / n;
            sound.push_back(static_cast<float>(0.15 * std::min(1.0, t / 0.005) * sum));
        }
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(std::lround(began[0].Pitch) == key, qPrintable(QString::number(began[0].Pitch)));
        const auto delayMs = DelayMs(began[0]);
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
        // Judged within 30 cents, a pitch that far from the key would answer nothing yet: it waits.
        const std::vector<HeardNote> strict = Began(Listen(sound, true, 30));
        QCOMPARE(strict.size(), std::size_t(1));
        QVERIFY(strict[0].HeardSample > began[0].HeardSample);
    }

    // A tune sung legato changes note without a new start.
    void LegatoChangeOfNoteIsHeard() {
        std::vector<float> sound = AfterLead({.Pitch = 62, .Seconds = 0.5});
        tones::Add(sound, Lead + Rate / 2, {.Pitch = 64, .Seconds = 0.5, .AttackSeconds = 0.0001}, Rate);
        sound.resize(sound.size() + Rate / 2, 0.0f);
        const std::vector<HeardNote> heard = Listen(sound);
        const std::vector<HeardNote> began = Began(heard);
        QCOMPARE(began.size(), std::size_t(2));
        QVERIFY(std::abs(began[1].Pitch - 64) < 0.15);
        // The first note was let go of before the second was told, and the second when it stopped.
        QCOMPARE(int(heard.size()), 4);
        QVERIFY(heard[1].What == HeardNote::Kind::Ended && std::abs(heard[1].Pitch - 62) < 0.15);
        QVERIFY(heard[3].What == HeardNote::Kind::Ended);
    }

    // Bowed or sung legato: the last note fades as the next swells, with no start sharp enough to find. The
    // next note is told once it holds still, and a slide between the two only where it arrives.
    void LegatoStepIsToldWhenItHolds_data() {
        QTest::addColumn<double>("slideSeconds");
        QTest::newRow("cross-fade") << 0.0;
        QTest::newRow("slide") << 0.25;
    }
    void LegatoStepIsToldWhenItHolds() {
        QFETCH(double, slideSeconds);
        constexpr double From = 62, To = 65, Fade = 0.04;
        const std::size_t step = Lead + Rate / 2;
        std::vector<float> sound = AfterLead({.Pitch = From, .Seconds = 0.5 + Fade, .Partials = 3});
        if (slideSeconds == 0) {
            for (std::size_t i = step; i < sound.size(); ++i)
                sound[i] *= static_cast<float>(1 - double(i - step) / (Fade * Rate));
            tones::Add(sound, step, {.Pitch = To, .Partials = 3, .AttackSeconds = Fade}, Rate);
        } else {
            sound.resize(step);
            double phase = 0; // the fundamental's, its partials at twice and three times it
            for (std::size_t i = 0; i < std::size_t((slideSeconds + 1) * Rate); ++i) {
                const double t = std::min(1.0, double(i) / (slideSeconds * Rate));
                phase += 2 * std::numbers::pi * tones::Frequency(From + (To - From) * t) / Rate;
                sound.push_back(static_cast<float>(
                    0.15 * (std::sin(phase) + std::sin(2 * phase) / 2 + std::sin(3 * phase) / 3)));
            }
        }
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(2));
        // Told as the note it arrives at (its last moments may still lie a little below it), nothing between.
        QVERIFY2(std::lround(began[1].Pitch) == To, qPrintable(QString::number(began[1].Pitch)));
        const auto arrived = std::int64_t(step) + std::int64_t(slideSeconds * Rate);
        const auto delayMs = (began[1].HeardSample - arrived) * 1000 / Rate;
        QVERIFY2(delayMs <= 60, qPrintable(QString::number(delayMs)));
    }

    void NothingClearIsNothingHeard_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("silence") << 0;
        QTest::newRow("white noise") << 1;
        QTest::newRow("hum below the notes") << 2;
    }
    void NothingClearIsNothingHeard() {
        QFETCH(int, kind);
        std::vector<float> sound(2 * Rate, 0.0f);
        if (kind == 1) {
            std::mt19937 random(3);
            std::normal_distribution<float> gauss(0, 0.1f);
            for (float& s : sound)
                s = gauss(random);
        } else if (kind == 2) {
            // 49 Hz, under the lowest note
            tones::Add(sound, 0, {.Pitch = 31, .Seconds = 2, .Partials = 1}, Rate);
        }
        const std::vector<HeardNote> began = Began(Listen(sound));
        QVERIFY2(began.empty(),
                 began.empty()
                     ? ""
                     : qPrintable(QStringLiteral("%1 at %2").arg(began[0].Pitch).arg(began[0].Confidence)));
    }

    // A held note that settles at another pitch is told again as moved, where it settles, and as the same
    // note; a vibrato about its note moves it only while its first swing is heard.
    void AHeldNoteThatSettlesIsToldWhereItSettles_data() {
        QTest::addColumn<tones::Tone>("tone");
        QTest::addColumn<int>("mostMoves");
        QTest::newRow("creeping up from 40 cents flat")
            << tones::Tone{.Pitch = 67, .Seconds = 1.2, .GlideCents = -40, .GlideSeconds = 0.4} << 8;
        QTest::newRow("sagging 40 cents flat")
            << tones::Tone{.Pitch = 63.6, .Seconds = 1.2, .GlideCents = 40, .GlideSeconds = 0.4} << 8;
        QTest::newRow("vibrato") << tones::Tone{.Pitch = 62, .Seconds = 2, .VibratoCents = 30} << 3;
    }
    void AHeldNoteThatSettlesIsToldWhereItSettles() {
        QFETCH(tones::Tone, tone);
        QFETCH(int, mostMoves);
        const std::vector<HeardNote> heard = Listen(AfterLead(tone), true, 25);
        QCOMPARE(Began(heard).size(), std::size_t(1));
        int moves = 0;
        for (const HeardNote& note : heard) {
            moves += note.What == HeardNote::Kind::Moved;
            QVERIFY(std::abs(note.Pitch - heard.front().Pitch) <= PitchDetector::SameNoteSemitones);
        }
        QVERIFY2(moves <= mostMoves, qPrintable(QString::number(moves)));
        QVERIFY2(std::abs(heard.back().Pitch - tone.Pitch) * 100 <= 10,
                 qPrintable(QString::number(heard.back().Pitch)));
    }

    // A reset forgets a held note without telling, and the same note heard after it is told anew.
    void ResetForgetsTheHeldNote() {
        const std::vector<float> sound = AfterLead({.Pitch = 57});
        PitchDetector detector;
        const std::size_t half = sound.size() / 2;
        int began = 0;
        for (const HeardNote& n : detector.Feed(sound.data(), static_cast<int>(half)))
            began += n.What == HeardNote::Kind::Began;
        QVERIFY(detector.HeldPitch().has_value());
        detector.Reset();
        QVERIFY(!detector.HeldPitch().has_value());
        for (const HeardNote& n : detector.Feed(sound.data() + half, static_cast<int>(sound.size() - half)))
            began += n.What == HeardNote::Kind::Began;
        QCOMPARE(began, 2);
    }

    // A bow that comes in a little off its key, unclear under its scrape, and creeps evenly towards it is
    // told as that key while it creeps; a slide from further off that passes a key is told where it arrives.
    void AnEvenCreepIntoTheKeyIsToldBeforeItHolds_data() {
        QTest::addColumn<tones::Tone>("tone");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("up into D3 from 60 cents flat")
            << tones::Tone{.Pitch = 50, .GlideCents = -60, .GlideSeconds = 0.14} << 99.0 << 85;
        QTest::newRow("down into F3 from 60 cents sharp, noise 20 dB")
            << tones::Tone{.Pitch = 53, .GlideCents = 60, .GlideSeconds = 0.14} << 20.0 << 85;
        QTest::newRow("a slide past G#3 into A3, 3.5 cents a frame")
            << tones::Tone{.Pitch = 57, .GlideCents = -210, .GlideSeconds = 0.3} << 99.0 << 400;
    }
    void AnEvenCreepIntoTheKeyIsToldBeforeItHolds() {
        QFETCH(tones::Tone, tone);
        QFETCH(double, snrDb);
        QFETCH(int, mostMs);
        std::vector<float> sound = AfterLead(tone);
        std::mt19937 random(11); // the scrape: noise louder than the note at first, gone after 80 ms
        std::normal_distribution<float> gauss(0.0f, 0.2f);
        for (std::size_t i = 0, scrape = Rate / 12; i < scrape; ++i)
            sound[Lead + i] += gauss(random) * float(scrape - i) / float(scrape);
        if (snrDb < 99)
            tones::AddNoise(sound, Lead, sound.size(), snrDb, 5);
        const std::vector<HeardNote> began = Began(Listen(sound));
        QCOMPARE(began.size(), std::size_t(1));
        QCOMPARE(std::lround(began[0].Pitch), std::lround(tone.Pitch));
        const auto delayMs = DelayMs(began[0]);
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }

    // A voice whose odd partials (fundamental and third) are gone for moments reads as the octave above
    // itself over its latest periods or its whole window. Sung, where the octave does not count, it is one
    // note all the same, told once and soon, in the octave it sounds in. The odd partials are gone for gapMs
    // from gapAtMs on, every everyMs.
    void ASungNoteWhoseOddPartialsComeAndGoIsToldOnce_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<int>("gapAtMs");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<int>("everyMs");
        QTest::addColumn<double>("snrDb");
        QTest::newRow("D3 gone for 30 ms at once") << 50.0 << 10 << 30 << 1000 << 99.0;
        QTest::newRow("C4 gone in its latest periods") << 60.0 << 0 << 15 << 35 << 99.0;
        QTest::newRow("E4 gone in its latest periods, 10 dB") << 64.0 << 0 << 15 << 35 << 10.0;
        QTest::newRow("D3 gone for 40 ms") << 50.0 << 20 << 40 << 1000 << 99.0;
        QTest::newRow("C5 gone for 40 ms, 15 dB") << 72.0 << 20 << 40 << 1000 << 15.0;
    }
    void ASungNoteWhoseOddPartialsComeAndGoIsToldOnce() {
        QFETCH(double, pitch);
        QFETCH(int, gapAtMs);
        QFETCH(int, gapMs);
        QFETCH(int, everyMs);
        QFETCH(double, snrDb);
        std::vector<float> sound = AfterLead({.Pitch = pitch + 12, .Partials = 3}); // the even partials
        for (int from = 0, gap = gapAtMs; from < 1000; from = gap + gapMs, gap += everyMs)
            for (const auto& [above, level] : {std::pair{0.0, 0.2}, std::pair{19.02, 0.2}})
                tones::Add(sound, Lead + std::size_t(from) * Rate / 1000,
                           {.Pitch = pitch + above,
                            .Seconds = (std::min(gap, 1000) - from) / 1000.0,
                            .Amplitude = level,
                            .Partials = 1,
                            .AttackSeconds = 0.003},
                           Rate);
        if (snrDb < 99)
            tones::AddNoise(sound, Lead, sound.size(), snrDb, 7);
        const std::vector<HeardNote> began = Began(Listen(sound, false));
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(std::abs(began[0].Pitch - pitch) <= 0.15, qPrintable(QString::number(began[0].Pitch)));
        QVERIFY2(began[0].HeardSample - std::int64_t(Lead) <= Rate * 65 / 1000,
                 qPrintable(QString::number(DelayMs(began[0]))));
    }

    // A held note that sagged away from where it was told, then swells (a choir's voices drifting, a breath)
    // at a pitch near where it sounds now, is the same note and answers once; a swell a semitone from where
    // it sounds is a new note.
    void ASwellNearWhereAHeldNoteSaggedIsThatNote_data() {
        QTest::addColumn<double>("swellPitch");
        QTest::addColumn<int>("notes");
        QTest::newRow("40 cents under the sagged note") << 52.05 << 1;
        QTest::newRow("a semitone under the sagged note") << 51.45 << 2;
    }
    void ASwellNearWhereAHeldNoteSaggedIsThatNote() {
        QFETCH(double, swellPitch);
        QFETCH(int, notes);
        // Told near 52.9, then sagging to 52.45 over 0.3 s; at 0.6 s the sound swells 8 dB within 15 ms.
        std::vector<float> sound = AfterLead(
            {.Pitch = 52.45, .Seconds = 0.6, .Amplitude = 0.1, .GlideCents = 45, .GlideSeconds = 0.3});
        const std::size_t swell = Lead + Rate * 6 / 10;
        tones::Add(sound, swell,
                   {.Pitch = swellPitch, .Seconds = 0.3, .Amplitude = 0.25, .AttackSeconds = 0.015}, Rate);
        sound.resize(sound.size() + Rate / 4, 0.0f);
        tones::AddNoise(sound, Lead, swell, 20, 11);
        const std::vector<HeardNote> began = Began(Listen(sound, false));
        QCOMPARE(int(began.size()), notes);
        QVERIFY2(std::abs(began[0].Pitch - 52.9) < 0.15, qPrintable(QString::number(began[0].Pitch)));
    }

    // One of a held note's upper partials standing out as the note swells (a choir's vowel changing) is
    // that note; a new note swelling in over it beside such a partial, a fifth above, is a new note.
    void AHeldNotesPartialStandingOutIsThatNote_data() {
        QTest::addColumn<double>("above");
        QTest::addColumn<int>("notes");
        // A choir's partials lie a little off the held note's multiples: its voices are not quite in tune.
        QTest::newRow("its twelfth") << 19.12 << 1;
        QTest::newRow("two octaves and a third") << 27.96 << 1;
        QTest::newRow("a fifth above") << 7.12 << 2;
    }
    void AHeldNotesPartialStandingOutIsThatNote() {
        QFETCH(double, above);
        QFETCH(int, notes);
        constexpr double Held = 55.9;
        // For 70 ms the held note fades to a third as the upper partial swells in, then sounds as before.
        const std::size_t swell = Lead + Rate / 2;
        std::vector<float> sound = AfterLead({.Pitch = Held, .Amplitude = 0.1});
        for (std::size_t i = swell; i < swell + Rate * 7 / 100; ++i)
            sound[i] *= 0.3f;
        tones::Add(
            sound, swell,
            {.Pitch = Held + above, .Seconds = 0.07, .Amplitude = 0.3, .Partials = 1, .AttackSeconds = 0.015},
            Rate);
        tones::AddNoise(sound, Lead, sound.size(), 20, 13);
        QCOMPARE(int(Began(Listen(sound, false)).size()), notes);
    }
};

QTEST_APPLESS_MAIN(TestPitchDetector)
#include "tst_pitchdetector.moc"
