// Notes heard as answers: judged by the answer control in force and the tolerance, through the engine's
// one answer call, once per note, and never outside a quiz or while a message shows.
#include "HeardNoteAnswers.h"
#include "KeyPresses.h"
#include "MidiNotes.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"
#include "SilentFrontEnd.h"

#include <QTest>

using namespace quavix;

namespace {

struct Rig {
    Settings settings;
    SilentFrontEnd front;
    ScriptedRandom random;
    QuizEngine quiz{front, random, settings};
    KeyPresses presses;
    HeardNoteAnswers answers{quiz, presses};

    explicit Rig(const Settings& chosen) : settings(chosen) {
        random.script = {3};
        quiz.BuildNoteTable();
        quiz.BeginQuiz();
    }
    // The key of the note on the staff, as written with its sign.
    int AskedKey() const {
        const NoteEntry written = quiz.AskedNote();
        return SpelledKey(written.Step, written.Alteration);
    }
    AnswerResult Hear(double pitch) { return answers.Hear({HeardNote::Kind::Began, pitch}); }
};

// The next white key above key.
int WhiteAbove(int key) {
    return WhiteKeyStep(key + 1) ? key + 1 : key + 2;
}

Settings Chosen(InputModes mode, bool fullRange, bool singing = false, int tolerance = 50) {
    Settings settings = Choose(Settings{}, {OptionChoice::Option::InputMode, mode});
    settings.FullRange = settings.FullRange || fullRange;
    settings.ListenSinging = singing;
    settings.ListenToleranceCents = tolerance;
    return settings;
}

// In C sharp major every note carries a sharp, so the written key is never the letter's own.
Settings InCSharpMajor(int tolerance) {
    Settings settings = Chosen(PianoKeys, true, false, tolerance);
    return Choose(settings, {OptionChoice::Option::Key, 7});
}

} // namespace

Q_DECLARE_METATYPE(quavix::Settings)
Q_DECLARE_METATYPE(quavix::Verdict)

class HeardNoteAnswersTest : public QObject {
    Q_OBJECT

private slots:
    void verdicts_data();
    void verdicts();
    void aNoteHeldOnAnswersOnce();
    void aHeldNoteAnswersOnceItComesIntoTune_data();
    void aHeldNoteAnswersOnceItComesIntoTune();
    void nothingIsTakenOutsideAQuizOrDuringAMessage();
};

void HeardNoteAnswersTest::verdicts_data() {
    QTest::addColumn<Settings>("settings");
    // The pitch heard, from the asked note as written: semitones with cents as the fraction, or the next
    // white key above it (wrong) when "up" is set.
    QTest::addColumn<double>("offset");
    QTest::addColumn<bool>("wrongKeyUp");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<Verdict>("verdict");
    const Settings piano = Chosen(PianoKeys, true);
    QTest::newRow("full-range piano, the note") << piano << 0.0 << false << true << Verdict::Right;
    QTest::newRow("40 cents sharp, tolerance 25")
        << Chosen(PianoKeys, true, false, 25) << 0.4 << false << false << Verdict::Ignored;
    QTest::newRow("a sharp note, as written") << InCSharpMajor(50) << 0.0 << false << true << Verdict::Right;
    QTest::newRow("a sharp note 40 cents sharp, tolerance 25")
        << InCSharpMajor(25) << 0.4 << false << false << Verdict::Ignored;
    QTest::newRow("full-range piano, a wrong key") << piano << 0.0 << true << true << Verdict::WrongNote;
    QTest::newRow("full-range piano, an octave low")
        << piano << -12.0 << false << true << Verdict::WrongOctave;
    QTest::newRow("single octave, an octave low")
        << Chosen(PianoKeys, false) << -12.0 << false << true << Verdict::Right;
    QTest::newRow("note buttons, two octaves up")
        << Chosen(NoteButtons, false) << 24.0 << false << true << Verdict::Right;
    QTest::newRow("guitar, as it sounds")
        << Chosen(GuitarFrets, true) << -12.0 << false << true << Verdict::Right;
    QTest::newRow("guitar, an octave below its sound")
        << Chosen(GuitarFrets, true) << -24.0 << false << true << Verdict::WrongOctave;
    QTest::newRow("singing on the full-range piano, an octave low")
        << Chosen(PianoKeys, true, true) << -12.0 << false << true << Verdict::Right;
}

void HeardNoteAnswersTest::verdicts() {
    QFETCH(Settings, settings);
    QFETCH(double, offset);
    QFETCH(bool, wrongKeyUp);
    QFETCH(bool, answers);
    QFETCH(Verdict, verdict);
    Rig rig(settings);
    const int asked = rig.AskedKey();
    const double pitch = (wrongKeyUp ? WhiteAbove(asked) : asked) + offset;
    const AnswerResult result = rig.Hear(pitch);
    QCOMPARE(result.What, verdict);
    QCOMPARE(result.Judged(), answers);
    // A note that answers holds its key while it sounds; one that answers nothing holds none.
    QCOMPARE(rig.presses.IsDown(Presser::Voice()), answers);
}

void HeardNoteAnswersTest::aNoteHeldOnAnswersOnce() {
    Rig rig(Chosen(PianoKeys, true));
    const int asked = rig.AskedKey();
    const double wrong = WhiteAbove(asked) + 0.1;
    QCOMPARE(rig.Hear(wrong).What, Verdict::WrongNote);
    rig.front.RemoveNoteMessage();
    // Told again while it still sounds (the detector's doubt), it gives nothing more.
    QVERIFY(!rig.Hear(wrong - 0.1).Judged());
    QCOMPARE(rig.presses.Down().size(), std::size_t(1));
    // Once it has ended it is a new note, and the right one now answers.
    rig.answers.Hear({HeardNote::Kind::Ended, wrong});
    QVERIFY(!rig.presses.IsDown(Presser::Voice()));
    QCOMPARE(rig.Hear(asked).What, Verdict::Right);
    rig.answers.LetGo();
    QVERIFY(rig.presses.Down().empty());
}

void HeardNoteAnswersTest::nothingIsTakenOutsideAQuizOrDuringAMessage() {
    Rig rig(Chosen(PianoKeys, true));
    const int asked = rig.AskedKey();
    QCOMPARE(rig.Hear(WhiteAbove(asked)).What, Verdict::WrongNote);
    rig.answers.LetGo();
    const AnswerResult during = rig.Hear(asked);
    QCOMPARE(during.Why, IgnoredBecause::MessageShowing);
    rig.answers.LetGo();
    rig.quiz.EndQuiz();
    const int score = rig.quiz.State.Score;
    const AnswerResult outside = rig.Hear(60.05);
    QCOMPARE(outside.Why, IgnoredBecause::NotRunning);
    QCOMPARE(rig.quiz.State.Score, score);
    // Outside a quiz the note heard still shows on the instrument, as a key pressed there would.
    QVERIFY(rig.presses.Holder() != nullptr);
    QCOMPARE(rig.presses.Holder()->Key, 60);
}

void HeardNoteAnswersTest::aHeldNoteAnswersOnceItComesIntoTune_data() {
    // What is told, a step a word: "b" a note began, "m" the held note moved, at an offset in semitones from
    // the asked note (in capitals, from the next white key above it); "e" it ended; "x" the quiz ends, "q" it
    // begins again. A step ending "=R" answers right, "=N" a wrong note, any other answers nothing. Then the
    // key held on the instrument at the end: 'b' the asked one, 'B' the white key above, '-' none. Judged
    // within 25 cents.
    QTest::addColumn<QString>("told");
    QTest::addColumn<char>("heldKey");
    QTest::newRow("comes into tune") << "b+0.4 m+0.1=R" << 'b';
    QTest::newRow("still flat, then in tune") << "b-0.4 m-0.3 m-0.2=R" << 'b';
    QTest::newRow("answers once, then drifts onto the next key") << "b+0.4 m+0.1=R m+0.0 M+0.0" << 'b';
    QTest::newRow("a wrong note sliding onto the asked one") << "B+0.0=N m+0.0" << 'B';
    QTest::newRow("into tune on another key") << "B+0.4 M+0.0=N" << 'B';
    QTest::newRow("ended before it came into tune") << "b+0.4 e m+0.1" << '-';
    QTest::newRow("a new note out of tune lets go of the old") << "B+0.0=N b+0.4 m+0.0=R" << 'b';
    QTest::newRow("outside a quiz the key shown follows") << "x b+0.4 m+0.1 M+0.0" << 'b';
    QTest::newRow("held from before the quiz began") << "x b+0.4 q m+0.0" << '-';
}

void HeardNoteAnswersTest::aHeldNoteAnswersOnceItComesIntoTune() {
    QFETCH(QString, told);
    QFETCH(char, heldKey);
    Rig rig(Chosen(PianoKeys, true, false, 25));
    const int asked = rig.AskedKey();
    for (const QString& step : told.split(' ')) {
        const QStringList parts = step.split('=');
        const QChar what = step[0].toLower();
        const double pitch = (step[0].isUpper() ? WhiteAbove(asked) : asked) + parts[0].mid(1).toDouble();
        AnswerResult result;
        if (what == 'x' || what == 'q')
            what == 'x' ? rig.quiz.EndQuiz() : rig.quiz.BeginQuiz();
        else
            result = rig.answers.Hear({what == 'b'   ? HeardNote::Kind::Began
                                       : what == 'm' ? HeardNote::Kind::Moved
                                                     : HeardNote::Kind::Ended,
                                       pitch});
        const QString verdict = parts.value(1);
        QVERIFY2(result.What == (verdict == "R"   ? Verdict::Right
                                 : verdict == "N" ? Verdict::WrongNote
                                                  : Verdict::Ignored),
                 qPrintable(step));
        // Each answer shows a message, which goes before the next note is heard.
        rig.front.RemoveNoteMessage();
    }
    const int held = heldKey == '-' ? -1 : heldKey == 'B' ? WhiteAbove(asked) : asked;
    QCOMPARE(rig.presses.Holder() ? rig.presses.Holder()->Key : -1, held);
}

QTEST_GUILESS_MAIN(HeardNoteAnswersTest)
#include "tst_heardnoteanswers.moc"
