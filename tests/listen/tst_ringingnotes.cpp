// The pitch detector on a note played while another still sounds, or just after it: a string left ringing,
// a release, a quiet note after a loud one.
#include "DetectorListening.h"

#include <QPointF>
#include <QTest>

#include <numbers>

using namespace quavix;
using namespace quavix::listening;

Q_DECLARE_METATYPE(tones::Tone)

namespace {
constexpr std::size_t Start = Lead + Rate / 2; // where the new note starts
const tones::Tone Silent{.Amplitude = 0};
} // namespace

class TestRingingNotes : public QObject {
    Q_OBJECT

private slots:
    // A note played while an earlier one sounds on: the earlier note from the quarter second's end, its
    // sound from the new start on (a string struck again, a release; none where it simply rings on), and
    // the new note. The only thing told from the new start on is the new note, once, from its own start,
    // and soon: never the earlier note read again, nor a frame of the mixture restarting the new note, nor
    // two neighbours that beat too slowly for a frame to part them told as the semitone between them.
    void OnlyTheNewNoteFromItsStart_data() {
        QTest::addColumn<tones::Tone>("earlier");
        QTest::addColumn<tones::Tone>("earlierOn");
        QTest::addColumn<tones::Tone>("next");
        QTest::addColumn<int>("mostMs");
        const auto ringing = [](double pitch) {
            return tones::Tone{.Pitch = pitch, .Seconds = 2.0, .DecaySeconds = 1.0, .AttackSeconds = 0.002};
        };
        QTest::newRow("over a loud ringing note")
            << tones::Tone{.Pitch = 55, .Seconds = 2.0, .DecaySeconds = 1.0} << Silent
            << tones::Tone{.Pitch = 60, .Seconds = 1.5, .Amplitude = 0.6, .DecaySeconds = 1.0} << 60;
        QTest::newRow("a quiet string ringing on after it fades")
            << tones::Tone{.Pitch = 57, .Seconds = 5.0, .Amplitude = 0.01, .DecaySeconds = 5.0} << Silent
            << tones::Tone{.Pitch = 63, .Seconds = 3.5, .Amplitude = 0.6, .DecaySeconds = 0.5} << 60;
        const tones::Tone quiet{.Pitch = 65, .Amplitude = 0.15, .DecaySeconds = 1.0, .AttackSeconds = 0.002};
        QTest::newRow("a whole tone under, heard mixed") << ringing(67) << Silent << quiet << 135;
        QTest::newRow("a whole tone over, heard mixed") << ringing(63) << Silent << quiet << 60;
        // Struck beside a ringing string or a release, both notes with partials falling as 1/n^rolloff.
        const auto beside = [](const char* name, double earlier, double next, double rolloff,
                               double decaySeconds, int mostMs) {
            QTest::newRow(name) << tones::Tone{.Pitch = earlier, .Seconds = 0.5, .Rolloff = rolloff,
                                               .AttackSeconds = 0.002}
                                << tones::Tone{.Pitch = earlier, .Rolloff = rolloff,
                                               .DecaySeconds = decaySeconds, .AttackSeconds = 0.0001}
                                << tones::Tone{.Pitch = next, .Rolloff = rolloff, .AttackSeconds = 0.002}
                                << mostMs;
        };
        beside("a semitone under a release", 48, 47, 1.0, 0.1, 70);
        beside("a whole tone under a ringing string", 48, 46, 1.0, 1.0, 65);
        beside("a whole tone under, mellow", 48, 46, 2.0, 1.0, 90);
        beside("a whole tone over, mellow", 48, 50, 2.0, 1.0, 85);
        beside("a whole tone over a release, mellow", 55, 57, 2.0, 0.1, 60);
        // Legato out of a release (a breath or a bow taken off, a voice's room): the new note swells out from
        // under the old one, which outweighs it at first, and is told once it stands out from what is left.
        const auto legato = [](const char* name, double from, double to, int mostMs) {
            QTest::newRow(name) << tones::Tone{.Pitch = from, .Seconds = 0.5, .Partials = 4}
                                << tones::Tone{.Pitch = from, .Seconds = 0.6, .Partials = 4,
                                               .DecaySeconds = 0.2, .AttackSeconds = 0.0001}
                                << tones::Tone{.Pitch = to, .Seconds = 0.6, .Partials = 4, .AttackSeconds = 0.1}
                                << mostMs;
        };
        legato("legato a whole tone up", 62, 64, 80);
        legato("legato a whole tone down", 57, 55, 85);
        // A bow changing notes: the last note stops within tens of milliseconds as the new one sets in, and
        // the frames reaching back into it must not hold the new note up.
        const auto bowed = [](const char* name, double from, double to, double stopSeconds,
                              double attackSeconds, double amplitude, int mostMs, double flatCents = 0) {
            QTest::newRow(name) << tones::Tone{.Pitch = from, .Seconds = 0.5, .Partials = 6}
                                << tones::Tone{.Pitch = from,
                                               .Seconds = 0.4,
                                               .Partials = 6,
                                               .DecaySeconds = stopSeconds,
                                               .AttackSeconds = 0.0001}
                                << tones::Tone{.Pitch = to,
                                               .Seconds = 0.6,
                                               .Amplitude = amplitude,
                                               .Partials = 6,
                                               .AttackSeconds = attackSeconds,
                                               .GlideCents = -flatCents,
                                               .GlideSeconds = 0.05}
                                << mostMs;
        };
        bowed("bowed a fourth down, no start found", 60, 55, 0.03, 0.015, 0.3, 50);
        bowed("bowed a fourth up, its start found late", 55, 60, 0.03, 0.03, 0.5, 40);
        bowed("bowed a whole tone up, its start found late", 55, 57, 0.06, 0.03, 0.5, 50);
        // Far quieter than the last note's loudest (20 dB), as a bow's new note may be: no start is found,
        // and the sound as a whole dies away at first, but the new note is one never heard before.
        bowed("bowed a fifth up, 20 dB quieter", 74, 81, 0.03, 0.03, 0.03, 100);
        bowed("bowed a fourth down, 20 dB quieter", 74, 69, 0.03, 0.03, 0.03, 100);
        // A bow crossing to a note whose second partial grows in to outweigh its fundamental (a cello's upper
        // notes), the last one sounding on for 120 ms: what is left without it repeats more and more nearly
        // at half its period, but its odd partials show its own octave, and it is not held up for that.
        const auto brightening = [](const char* name, double from, double to, int mostMs) {
            QTest::newRow(name) << tones::Tone{.Pitch = from, .Seconds = 0.62, .Partials = 6}
                                << tones::Tone{.Pitch = to + 12,
                                               .Seconds = 0.6,
                                               .Partials = 3,
                                               .AttackSeconds = 0.1}
                                << tones::Tone{.Pitch = to, .Seconds = 0.6, .Amplitude = 0.15} << mostMs;
        };
        brightening("bowed a major third up, brightening", 60, 64, 60);
        brightening("bowed a major third up from C3, brightening", 48, 52, 70);
        // A voice held on drifts: by the time a quiet note a little over a whole tone above it sets in, it
        // sounds a fifth of a semitone above where it was told, and the two heard together read between them.
        QTest::newRow("over a drifting voice")
            << tones::Tone{.Pitch = 80,
                           .Seconds = 2,
                           .Partials = 3,
                           .DecaySeconds = 1,
                           .GlideCents = -20,
                           .GlideSeconds = 0.4}
            << Silent << tones::Tone{.Pitch = 82.15, .Amplitude = 0.1, .Partials = 3, .DecaySeconds = 1}
            << 90;
        // Quiet under the last note's slow release, no start found: once what is left without the last note
        // is the new one, that is its start, and it is told as soon as it holds still. Under a slower one,
        // while the window still repeats as the last note, only less clearly, what is left without it is.
        bowed("bowed a fourth up, quiet, under a slow release", 55, 60, 0.1, 0.03, 0.1, 70);
        bowed("bowed a whole tone down, quiet, under a slower release", 57, 55, 0.3, 0.05, 0.1, 120);
        bowed("bowed a major third up, 26 dB quieter, under a slower release", 60, 64, 0.3, 0.05, 0.05, 120);
        // A fifth down, the last note is the new one's third partial an octave down; a semitone up, the two
        // beat within the window: neither keeps what is left from being the new note.
        bowed("bowed a fifth down, quiet, under a slower release", 62, 55, 0.3, 0.05, 0.1, 80);
        bowed("bowed a fourth up from A2, quiet, under a slower release", 45, 50, 0.3, 0.05, 0.1, 100);
        bowed("bowed a semitone up, quiet, under a slower release", 69, 70, 0.3, 0.05, 0.1, 250);
        // Once the new note stands out of what the last one leaves, frame after frame, it is told as soon as
        // a struck note would be, not after the frames a slide must hold.
        bowed("bowed a fourth down from D3, quiet, under a slower release", 50, 45, 0.3, 0.05, 0.1, 100);
        bowed("bowed a fifth down from D3, quiet, under a slower release", 50, 43, 0.3, 0.05, 0.1, 90);
        // An attack sounding an octave low for its first moments is not told there.
        QTest::newRow("a minor third up over a ringing note, its attack an octave low")
            << tones::Tone{.Pitch = 59, .Seconds = 2, .Partials = 6, .DecaySeconds = 0.6}
            << tones::Tone{.Pitch = 50, .Seconds = 0.4, .Amplitude = 0.2, .Partials = 4, .DecaySeconds = 0.03}
            << tones::Tone{.Pitch = 62, .Partials = 6, .AttackSeconds = 0.06} << 110;
        // A fifth up the two repeat together an octave below the last note, which the whole sound then reads;
        // a fifth down, what is left falls short of its share a frame after it was first heard. Neither
        // restarts it.
        bowed("bowed a fifth up, quiet, under a slower release", 71, 78, 0.3, 0.05, 0.1, 75);
        bowed("bowed a fifth down from G4, quiet, under a slower release", 67, 60, 0.3, 0.05, 0.1, 75);
        // A note creeping up into its key under the release is told as it creeps, as it would be alone.
        bowed("bowed a minor third down, creeping up 40 cents", 64, 61, 0.1, 0.05, 0.1, 65, 40);
        bowed("bowed a fourth up from C5, creeping up 40 cents", 72, 77, 0.3, 0.05, 0.1, 65, 40);
        // From further off, out of the key's tolerance, it rises into it and is told as it arrives; a slide
        // rising evenly through the key below on its way is not told there.
        bowed("bowed a major third down, gliding up 70 cents", 68, 64, 0.1, 0.05, 0.1, 65, 70);
        bowed("bowed a whole tone down, gliding up 70 cents", 69, 67, 0.1, 0.05, 0.1, 60, 70);
        bowed("bowed a fourth up, gliding up 70 cents", 62, 67, 0.1, 0.05, 0.1, 60, 70);
        // As a high note dies away, a string an octave and a fifth below it, of which it is the sixth partial,
        // rings on in sympathy, quieter and fading faster than a note played: the high note's tail, not a note.
        QTest::newRow("a string in sympathy an octave and a fifth below, as the note dies away")
            << tones::Tone{.Pitch = 78, .Seconds = 2.0, .Partials = 4, .DecaySeconds = 0.3}
            << tones::Tone{.Pitch = 50, .Seconds = 1.5, .Amplitude = 0.01, .Partials = 6, .DecaySeconds = 0.3,
                           .AttackSeconds = 0.05}
            << tones::Tone{.Pitch = 81, .Seconds = 1.5, .Partials = 4, .DecaySeconds = 0.1} << 60;
        QTest::newRow("a slide of two semitones up under a release")
            << tones::Tone{.Pitch = 68, .Seconds = 0.5, .Partials = 6}
            << tones::Tone{.Pitch = 68, .Seconds = 0.4, .Partials = 6, .DecaySeconds = 0.1,
                           .AttackSeconds = 0.0001}
            << tones::Tone{.Pitch = 64, .Seconds = 0.6, .Amplitude = 0.1, .Partials = 6,
                           .AttackSeconds = 0.05, .GlideCents = -200, .GlideSeconds = 0.2}
            << 230;
    }
    void OnlyTheNewNoteFromItsStart() {
        QFETCH(tones::Tone, earlier);
        QFETCH(tones::Tone, earlierOn);
        QFETCH(tones::Tone, next);
        QFETCH(int, mostMs);
        std::vector<float> sound = AfterLead(earlier);
        tones::Add(sound, Start, earlierOn, Rate);
        tones::Add(sound, Start, next, Rate);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound), Start);
        QCOMPARE(after.size(), std::size_t(1));
        QVERIFY2(std::abs(after[0].Pitch - next.Pitch) < 0.15, qPrintable(QString::number(after[0].Pitch)));
        // Its start is its own, not the earlier note's, a third of a second and more before.
        QVERIFY2(after[0].OnsetSample >= std::int64_t(Start) - Rate / 50,
                 qPrintable(QString::number(after[0].OnsetSample)));
        const auto delayMs = DelayMs(after[0], Start);
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }

    // Struck beside a ringing string, a note over the octave below it: the string taken out, what is left
    // repeats nearly as well at the octave below's period as at its own. Where the octave below sounds on
    // (a note whose odd partials are far weaker than its even ones, a guitar's string plucked near its
    // middle) the note is that lower one, and is told soon; where it fades (an attack on its way up from
    // the octave below) the note is the upper one. Sung, it is told in its own octave too, though singing
    // takes any.
    void BesideARingingStringTheOddPartialsTellTheOctave_data() {
        QTest::addColumn<double>("earlier");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("lowerAmplitude");
        QTest::addColumn<double>("lowerFades"); // its decay's time constant; 0 while the note sounds
        QTest::addColumn<double>("told");
        QTest::addColumn<int>("mostMs");
        QTest::addColumn<bool>("sung"); // where the octave does not count
        QTest::newRow("a major third over a low string")
            << 40.0 << 44.0 << 0.12 << 0.0 << 44.0 << 150 << false;
        QTest::newRow("a semitone over a string") << 47.0 << 48.0 << 0.12 << 0.0 << 48.0 << 90 << false;
        QTest::newRow("a fifth under a string") << 50.0 << 43.0 << 0.09 << 0.0 << 43.0 << 110 << false;
        QTest::newRow("a whole tone over a high string")
            << 70.0 << 72.0 << 0.12 << 0.0 << 72.0 << 100 << false;
        QTest::newRow("leaving the octave below, a fourth over a string")
            << 50.0 << 43.0 << 0.3 << 0.03 << 55.0 << 100 << false;
        // Sung, with odd partials too faint to put the octave in doubt once the ringing note is taken out;
        // without them, the note is the octave above.
        QTest::newRow("sung a semitone over") << 70.0 << 71.0 << 0.1 << 0.0 << 71.0 << 60 << true;
        QTest::newRow("sung a fourth over") << 67.0 << 71.0 << 0.08 << 0.0 << 71.0 << 60 << true;
        QTest::newRow("sung a fourth over, the octave above")
            << 67.0 << 71.0 << 0.0 << 0.0 << 83.0 << 60 << true;
        QTest::newRow("sung, leaving the octave below") << 50.0 << 43.0 << 0.1 << 0.02 << 55.0 << 100 << true;
    }
    void BesideARingingStringTheOddPartialsTellTheOctave() {
        QFETCH(double, earlier);
        QFETCH(double, lower);
        QFETCH(double, lowerAmplitude);
        QFETCH(double, lowerFades);
        QFETCH(double, told);
        QFETCH(int, mostMs);
        QFETCH(bool, sung);
        std::vector<float> sound = AfterLead({.Pitch = earlier, .Seconds = 0.5, .AttackSeconds = 0.002});
        tones::Add(sound, Start, {.Pitch = earlier, .DecaySeconds = 1.0, .AttackSeconds = 0.0001}, Rate);
        tones::Add(sound, Start, {.Pitch = lower + 12, .Partials = 4, .AttackSeconds = 0.002}, Rate);
        tones::Add(
            sound, Start,
            {.Pitch = lower, .Amplitude = lowerAmplitude, .DecaySeconds = lowerFades, .AttackSeconds = 0.002},
            Rate);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound, !sung), Start);
        QCOMPARE(after.size(), std::size_t(1));
        QVERIFY2(std::abs(after[0].Pitch - told) < 0.15, qPrintable(QString::number(after[0].Pitch)));
        const auto delayMs = DelayMs(after[0], Start);
        QVERIFY2(delayMs <= mostMs, qPrintable(QString::number(delayMs)));
    }

    // After a note let go, a plucked string whose first moments sound mostly its second partial, sliding up
    // into tune ever more slowly, its fundamental only a third of that until it grows in after 70 ms: the
    // slide is the note an octave below what it reads, and is told in that octave, not as the octave above.
    void APluckRisingIntoTuneIsToldInItsOwnOctave_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("snrDb");
        QTest::newRow("A2") << 45.0 << 99.0;
        QTest::newRow("A2, 20 dB") << 45.0 << 20.0;
    }
    void APluckRisingIntoTuneIsToldInItsOwnOctave() {
        QFETCH(double, pitch);
        QFETCH(double, snrDb);
        std::vector<float> sound = AfterLead({.Pitch = pitch + 2, .Seconds = 0.5, .AttackSeconds = 0.002});
        sound.resize(Start + Rate, 0.0f);
        double phase = 0;
        for (std::size_t i = 0; i < std::size_t(Rate); ++i) {
            const double t = double(i) / Rate;
            phase += 2 * std::numbers::pi * tones::Frequency(pitch - std::exp(-t / 0.02)) / Rate;
            const double fundamental = 0.3 + 0.7 * std::clamp((t - 0.07) / 0.03, 0.0, 1.0);
            sound[Start + i] += float(
                0.3 * (fundamental * std::sin(phase) + std::sin(2 * phase) + 0.3 * std::sin(4 * phase)));
        }
        if (snrDb < 99)
            tones::AddNoise(sound, Start, sound.size(), snrDb, 3);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound), Start);
        QVERIFY(!after.empty());
        QVERIFY2(std::abs(after[0].Pitch - pitch) < 0.5, qPrintable(QString::number(after[0].Pitch)));
    }

    // An earlier note, its sound from the new start on, and the new note, with noise from the start on
    // (none known before it) where snrDb is set: the new note is told once, soon; a quiet twelfth of a loud
    // note stopped may be its tail, and is not told.
    void ToldByHowItHolds_data() {
        QTest::addColumn<tones::Tone>("earlier");
        QTest::addColumn<double>("fades"); // the earlier note's decay from the start on, in seconds
        QTest::addColumn<tones::Tone>("next");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<int>("mostMs"); // 0: nothing told
        const tones::Tone loud{.Pitch = 57, .Seconds = 0.5, .Amplitude = 0.6};
        const tones::Tone sharp{.Pitch = 56, .Seconds = 0.5, .GlideCents = 40, .GlideSeconds = 0.15};
        QTest::newRow("quiet, -35 dB")
            << loud << 0.02 << tones::Tone{.Pitch = 62, .Amplitude = 0.01, .AttackSeconds = 0.03} << 0.0
            << 200;
        QTest::newRow("quiet twelfth")
            << loud << 0.02 << tones::Tone{.Pitch = 76, .Amplitude = 0.02, .AttackSeconds = 0.03} << 0.0 << 0;
        QTest::newRow("legato, 4 dB") << tones::Tone{.Pitch = 57, .Seconds = 0.5} << 0.05
                                      << tones::Tone{.Pitch = 52, .AttackSeconds = 0.05} << 4.0 << 75;
        QTest::newRow("a fourth under a held note told sharp")
            << sharp << 0.1 << tones::Tone{.Pitch = 61, .Amplitude = 0.2} << 0.0 << 55;
        QTest::newRow("a whole tone under it, swelling")
            << sharp << 0.1 << tones::Tone{.Pitch = 58, .Amplitude = 0.2, .AttackSeconds = 0.05} << 0.0 << 70;
        // Told sharp, it settled into tune: a semitone above it lies within the held note's drift of where
        // it was told, but not of where it sounds.
        QTest::newRow("a semitone over it, swelling slowly")
            << sharp << 0.1 << tones::Tone{.Pitch = 57, .Amplitude = 0.3, .AttackSeconds = 0.1} << 0.0 << 100;
    }
    void ToldByHowItHolds() {
        QFETCH(tones::Tone, earlier);
        QFETCH(double, fades);
        QFETCH(tones::Tone, next);
        QFETCH(double, snrDb);
        QFETCH(int, mostMs);
        std::vector<float> sound = AfterLead(earlier);
        const tones::Tone fading{.Pitch = earlier.Pitch,
                                 .Amplitude = earlier.Amplitude,
                                 .DecaySeconds = fades,
                                 .AttackSeconds = 1e-4};
        tones::Add(sound, Start, fading, Rate);
        tones::Add(sound, Start, next, Rate);
        if (snrDb > 0) {
            std::vector<float> after(sound.begin() + Start, sound.end());
            tones::AddNoise(after, 0, Rate / 2, snrDb, 11);
            std::copy(after.begin(), after.end(), sound.begin() + Start);
        }
        const std::vector<HeardNote> told = BeganFrom(Listen(sound), Start);
        QCOMPARE(told.size(), std::size_t(mostMs > 0));
        QVERIFY(mostMs == 0 || std::abs(told[0].Pitch - next.Pitch) < 0.3);
        QVERIFY(mostMs == 0 || DelayMs(told[0], Start) <= mostMs);
    }

    // After a note let go, a sung E2, 20 cents flat, whose vowel brings one of its upper partials out on its
    // own for 50 ms of every 100, changing over a few tens of milliseconds, while the rest of the voice all
    // but falls silent: that partial is the voice's colour, not a note, and the first thing told is the E2.
    // A voice that opens on its even partials alone is told an octave up; once its odd partials come in, its
    // third partial standing out (a fifth above the note told) is that voice still, and nothing more is told.
    void AVoicesPartialStandingOutIsNotANote_data() {
        QTest::addColumn<int>("partial");
        QTest::addColumn<double>("changeSeconds");
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<double>("evenOnlySeconds");
        QTest::newRow("the sixth") << 6 << 0.02 << 99.0 << 0.0;
        QTest::newRow("the sixth, 20 dB") << 6 << 0.02 << 20.0 << 0.0;
        QTest::newRow("the third, changing sooner") << 3 << 0.01 << 99.0 << 0.0;
        QTest::newRow("the third, told an octave up") << 3 << 0.01 << 99.0 << 0.1;
    }
    void AVoicesPartialStandingOutIsNotANote() {
        QFETCH(int, partial);
        QFETCH(double, changeSeconds);
        QFETCH(double, snrDb);
        QFETCH(double, evenOnlySeconds);
        constexpr double pitch = 39.8;
        std::vector<float> sound = AfterLead({.Pitch = 45, .Seconds = 0.5, .Partials = 4});
        sound.resize(Start + Rate, 0.0f);
        std::vector<double> phase(9, 0.0);
        for (std::size_t i = 0; i < std::size_t(Rate); ++i) {
            const double t = double(i) / Rate;
            // 0 while the voice sounds whole, 1 while the partial stands out (as loud as the whole voice).
            const double into = std::fmod(t, 0.1) - 0.05;
            const double out = t < 2 * evenOnlySeconds
                                   ? 0.0
                                   : std::clamp(std::min(into, 0.05 - into) / changeSeconds + 1, 0.0, 1.0);
            for (std::size_t n = 1; n < phase.size(); ++n) {
                phase[n] += 2 * std::numbers::pi * double(n) * tones::Frequency(pitch) / Rate;
                const double weight = (n % 2 == 1 && t < evenOnlySeconds ? 0.0 : 1.0) *
                                      (int(n) == partial ? 1 + (partial - 1) * out : 1 - 0.95 * out);
                sound[Start + i] +=
                    float(0.2 * std::min(1.0, t / 0.01) * weight * std::sin(phase[n]) / double(n));
            }
        }
        if (snrDb < 99)
            tones::AddNoise(sound, Start, sound.size(), snrDb, 5);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound, false), Start);
        QVERIFY(!after.empty());
        QVERIFY2(SameNoteInAnyOctave(after[0].Pitch, pitch), qPrintable(QString::number(after[0].Pitch)));
        if (evenOnlySeconds > 0)
            QVERIFY2(after.size() == 1, qPrintable(QString::number(after.back().Pitch)));
    }

    // A choir steps from C4 to the next note: three voices a few cents apart, the held one let go as the next
    // swells in under it, in 20 dB of noise. The next note is told once, soon, though the held voice's
    // release outweighs it at first and no start is found.
    void ASungStepIsToldSoon_data() {
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("swell"); // the next note's rise to full loudness, in seconds
        QTest::addColumn<int>("mostMs");
        // The next note's pitch swings this many cents either way, 20 times a second (its voices beating
        // with what is left of the held one), so that its frames never hold within a few cents.
        QTest::addColumn<double>("swingCents");
        QTest::newRow("a fifth down") << 53.0 << 0.1 << 90 << 0.0;
        QTest::newRow("a fourth up") << 65.0 << 0.2 << 100 << 0.0;
        QTest::newRow("a fifth down, swelling slowly") << 53.0 << 0.2 << 105 << 0.0;
        QTest::newRow("a fifth down, swinging about its key") << 53.0 << 0.1 << 75 << 20.0;
        QTest::newRow("a fifth down, sung flat, swinging") << 52.84 << 0.1 << 75 << 15.0;
        QTest::newRow("a fifth down, swinging wider") << 53.0 << 0.1 << 75 << 25.0;
        QTest::newRow("a fifth down, swelling slowly, swinging wider") << 53.0 << 0.2 << 105 << 30.0;
    }
    void ASungStepIsToldSoon() {
        QFETCH(double, to);
        QFETCH(double, swell);
        QFETCH(int, mostMs);
        QFETCH(double, swingCents);
        std::vector<float> sound(Start + Rate, 0.0f);
        for (const double apart : {-0.12, 0.0, 0.1}) {
            double held = 0, next = 0; // the fundamentals' phases, running on unbroken
            for (std::size_t i = Lead; i < sound.size(); ++i) {
                const double since = (double(i) - double(Start)) / Rate, tau = 2 * std::numbers::pi;
                held += tau * tones::Frequency(60 + apart) / Rate;
                const double swing = swingCents / 100 * std::sin(tau * 20 * since);
                next += tau * tones::Frequency(to + apart + swing) / Rate;
                const double heldLoud =
                    std::min(1.0, since / 0.05 + 10) * std::exp(-std::max(since, 0.0) / 0.2);
                const double nextLoud = std::clamp(since / swell, 0.0, 1.0);
                for (int n = 1; n < 7; ++n)
                    sound[i] +=
                        float(0.1 * (heldLoud * std::sin(n * held) + nextLoud * std::sin(n * next)) / n);
            }
        }
        tones::AddNoise(sound, Lead, sound.size(), 20, 3);
        const std::vector<HeardNote> told = BeganFrom(Listen(sound, false), Start);
        QCOMPARE(told.size(), std::size_t(1));
        QVERIFY2(SemitonesFromAnyOctave(told[0].Pitch, to) < 0.3, qPrintable(QString::number(told[0].Pitch)));
        QVERIFY2(DelayMs(told[0], Start) <= mostMs, qPrintable(QString::number(DelayMs(told[0], Start))));
    }

    // A note built of chosen partials (multiples of its frequency, with their amplitudes) is told once, at
    // its pitch. A plucked string whose third partial is its strongest, with a faint partial a fifth under it
    // (a string ringing in sympathy), struck while the string a fifth above it rings: taking that string out
    // takes the third partial with it, and what is left repeats best with the faint partial, nearly two
    // octaves down. A voice on its own, its fundamental faint and its second and third partials leading:
    // once its octave's partials are cancelled, what is left repeats at the twelfth, as a fifth played above
    // it would; sung, it is one voice, told soon.
    void ANoteOfChosenPartialsIsOneNote_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<QList<QPointF>>("partials");
        QTest::addColumn<double>("ringing"); // the string ringing a fifth above: its amplitude, 0 for none
        QTest::addColumn<double>("snrDb");
        QTest::addColumn<bool>("sung");
        const QList<QPointF> plucked{{2.0 / 3, 0.09}, {1, 0.25}, {2, 0.17}, {3, 0.44}, {4, 0.11}};
        QTest::newRow("plucked under a quiet string") << 63.0 << plucked << 0.03 << 99.0 << false;
        QTest::newRow("plucked under a string, 20 dB") << 63.0 << plucked << 0.06 << 20.0 << false;
        QTest::newRow("sung, its third partial leading, 20 dB")
            << 59.0 << QList<QPointF>{{1, 0.01}, {2, 0.1}, {3, 0.12}, {4, 0.03}} << 0.0 << 20.0 << true;
    }
    void ANoteOfChosenPartialsIsOneNote() {
        QFETCH(double, pitch);
        QFETCH(QList<QPointF>, partials);
        QFETCH(double, ringing);
        QFETCH(double, snrDb);
        QFETCH(bool, sung);
        std::vector<float> sound = AfterLead(
            {.Pitch = pitch + 7, .Seconds = 2, .Amplitude = ringing, .Partials = 6, .DecaySeconds = 1});
        for (const QPointF& partial : partials)
            tones::Add(sound, Start,
                       {.Pitch = pitch + 12 * std::log2(partial.x()),
                        .Amplitude = partial.y(),
                        .Partials = 1,
                        .DecaySeconds = 0.5},
                       Rate);
        if (snrDb < 99)
            tones::AddNoise(sound, Start, Start + Rate / 2, snrDb, 3);
        const std::vector<HeardNote> after = BeganFrom(Listen(sound, !sung), Start);
        QCOMPARE(after.size(), std::size_t(1));
        QVERIFY2(
            std::abs(after[0].Pitch - pitch) < 0.15 && DelayMs(after[0], Start) <= 60,
            qPrintable(QString::number(after[0].Pitch) + " at " + QString::number(DelayMs(after[0], Start))));
    }
};

QTEST_APPLESS_MAIN(TestRingingNotes)
#include "tst_ringingnotes.moc"
