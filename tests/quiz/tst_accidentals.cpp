#include "KeySignatures.h"
#include "NoteSpelling.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QTest>

#include <set>

using namespace quavix;

namespace {

// A quiz with notes in a key, whose notes the test can read as written.
struct KeyRig {
    RecordingFrontEnd front;
    ClockSeededRandom random{777};
    Settings settings;
    QuizEngine quiz{front, random, settings};

    explicit KeyRig(AccidentalChoices accidentals, int key = 0, InputModes mode = NoteButtons,
                    bool fullRange = false) {
        settings.Accidentals = accidentals;
        settings.Key = key;
        settings.InputMode = mode;
        settings.FullRange = fullRange || mode == GuitarFrets;
        settings.StaffChoice = mode == GuitarFrets ? TrebleStaff : AllStaves;
        settings.Level = MaxLevel;
        quiz.BuildNoteTable();
        quiz.BeginQuiz();
    }
    NoteEntry Asked() const { return quiz.AskedNote(); }
    // Answers right by name and so moves on to the next note.
    void Next() {
        quiz.TakeAnswer(Answer::Named(Asked().Letter, AnswerSource::NoteButton, Asked().Alteration));
    }
};

} // namespace

class AccidentalsTest : public QObject {
    Q_OBJECT

private slots:
    void everyKeyIsAMajorScale();
    void keyNames_data();
    void keyNames();
    void spelledNames_data();
    void spelledNames();
    void spelledKeysCrossTheOctave();
    void notesFollowTheKey();
    void namedAnswersMustMatchTheSpelling();
    void soundedAnswersMatchThePitch();
    void everyKeyAndModeAnswersRight();
    void naturalsOnlyDrawsNothingMore();
    void badChoicesChangeNothing();
};

void AccidentalsTest::everyKeyIsAMajorScale() {
    // Up from the tonic, the key's letters with its alterations must climb tone, tone, semitone, tone,
    // tone, tone, semitone; and the signature holds exactly the altered letters.
    for (int key = LowestKey; key <= HighestKey; ++key) {
        const KeyTonics tonics = TonicsOf(key);
        int altered = 0;
        for (int degree = 0; degree < 7; ++degree) {
            const char letter = char('A' + (tonics.Major - 'A' + degree) % 7);
            const char above = char('A' + (tonics.Major - 'A' + degree + 1) % 7);
            const int step = (PitchClass(above, KeyAlteration(key, above)) -
                              PitchClass(letter, KeyAlteration(key, letter)) + 12) %
                             12;
            QCOMPARE(step, (degree == 2 || degree == 6) ? 1 : 2);
            altered += KeyAlteration(key, letter) != 0 ? 1 : 0;
        }
        QCOMPARE(altered, std::abs(key));
        QCOMPARE(int(SignatureLetters(key).size()), std::abs(key));
    }
    QVERIFY(!IsKey(8) && !IsKey(-8));
    QCOMPARE(KeyAlteration(9, 'F'), 0);
}

void AccidentalsTest::keyNames_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("major");
    QTest::addColumn<QString>("minor");
    QTest::newRow("C") << 0 << "C"
                       << "A";
    QTest::newRow("E flat") << -3 << "E♭"
                            << "C";
    QTest::newRow("C flat") << -7 << "C♭"
                            << "A♭";
    QTest::newRow("F sharp") << 6 << "F♯"
                             << "D♯";
    QTest::newRow("C sharp") << 7 << "C♯"
                             << "A♯";
}

void AccidentalsTest::keyNames() {
    QFETCH(int, key);
    QFETCH(QString, major);
    QFETCH(QString, minor);
    const KeyTonics tonics = TonicsOf(key);
    QCOMPARE(QString::fromStdString(SpelledName(tonics.Major, tonics.MajorAlteration, LetterNames)), major);
    QCOMPARE(QString::fromStdString(SpelledName(tonics.Minor, tonics.MinorAlteration, LetterNames)), minor);
}

void AccidentalsTest::spelledNames_data() {
    QTest::addColumn<char>("letter");
    QTest::addColumn<int>("alteration");
    QTest::addColumn<int>("naming");
    QTest::addColumn<QString>("name");
    QTest::newRow("F sharp") << 'F' << 1 << int(LetterNames) << "F♯";
    QTest::newRow("B flat") << 'B' << -1 << int(LetterNames) << "B♭";
    QTest::newRow("Fis") << 'F' << 1 << int(GermanNames) << "Fis";
    QTest::newRow("Des") << 'D' << -1 << int(GermanNames) << "Des";
    QTest::newRow("Es") << 'E' << -1 << int(GermanNames) << "Es";
    QTest::newRow("As") << 'A' << -1 << int(GermanNames) << "As";
    QTest::newRow("B is B flat") << 'B' << -1 << int(GermanNames) << "B";
    QTest::newRow("H") << 'B' << 0 << int(GermanNames) << "H";
    QTest::newRow("His") << 'B' << 1 << int(GermanNames) << "His";
    QTest::newRow("Fa sharp") << 'F' << 1 << int(FixedDo) << "Fa♯";
    QTest::newRow("Si flat") << 'B' << -1 << int(FixedDo) << "Si♭";
    QTest::newRow("no letter") << 'H' << 0 << int(LetterNames) << "";
}

void AccidentalsTest::spelledNames() {
    QFETCH(char, letter);
    QFETCH(int, alteration);
    QFETCH(int, naming);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(SpelledName(letter, alteration, NoteNamings(naming))), name);
}

void AccidentalsTest::spelledKeysCrossTheOctave() {
    QCOMPARE(SpelledKey(12, -1), 59); // C flat 4 is the B below middle C
    QCOMPARE(SpelledKey(11, 1), 60);  // B sharp 3 is middle C
    QCOMPARE(SpelledKey(0, 1), 41);   // E sharp 2 is F
}

void AccidentalsTest::notesFollowTheKey() {
    // G flat major: every B is B flat and written without a sign, unless a sign against the key says so.
    KeyRig rig(InKey, -6);
    QCOMPARE(rig.quiz.State.Key, -6);
    std::set<int> bAlterations;
    for (int i = 0; i < 19; ++i, rig.Next()) {
        const NoteEntry note = rig.Asked();
        QCOMPARE(note.Sign, NoteSign::None);
        QCOMPARE(int(note.Alteration), note.Letter == 'F' ? 0 : -1);
        if (note.Letter == 'B')
            bAlterations.insert(note.Alteration);
    }
    QVERIFY(!bAlterations.count(0));

    // With signs against the key, such a note carries the sign it needs: a natural on a letter the key
    // alters, a flat on F.
    KeyRig against(InKey, -6);
    against.settings.AgainstKey = true;
    int signs = 0;
    for (int quiz = 0; quiz < 5; ++quiz, against.quiz.BeginQuiz())
        for (int i = 0; i < 20; ++i, against.Next()) {
            const NoteEntry note = against.Asked();
            if (note.Sign == NoteSign::None)
                continue;
            ++signs;
            QCOMPARE(note.Sign, note.Letter == 'F' ? NoteSign::Flat : NoteSign::Natural);
            QCOMPARE(int(note.Alteration), note.Letter == 'F' ? -1 : 0);
        }
    QVERIFY(signs > 0);
}

void AccidentalsTest::namedAnswersMustMatchTheSpelling() {
    // F sharp major asks sharps; the sharp must be said, and its enharmonic flat is another note.
    KeyRig rig(InKey, 6);
    while (rig.Asked().Letter != 'F')
        rig.Next();
    QCOMPARE(int(rig.Asked().Alteration), 1);
    AnswerResult result = rig.quiz.TakeAnswer(Answer::Named('G', AnswerSource::NoteButton, -1));
    QCOMPARE(result.What, Verdict::WrongNote);
    QCOMPARE(result.Code, LetterCode('G', -1));
    const NoteMessage message = rig.front.messages.back();
    QCOMPARE(message.Picked, 'G');
    QCOMPARE(int(message.PickedAlteration), -1);
    QCOMPARE(message.Asked, 'F');
    QCOMPARE(int(message.AskedAlteration), 1);

    rig.front.ExpireMessage(rig.quiz);
    const char letter = rig.Asked().Letter;
    QCOMPARE(rig.quiz.TakeAnswer(Answer::Named(letter, AnswerSource::TypedKey, 0)).What, Verdict::WrongNote);
    // A sign outside a sharp and a flat names no note.
    rig.front.ExpireMessage(rig.quiz);
    QCOMPARE(rig.quiz.TakeAnswer(Answer::Named('C', AnswerSource::TypedKey, 2)).Why,
             IgnoredBecause::NotANote);
}

void AccidentalsTest::soundedAnswersMatchThePitch() {
    // E flat major on the full-range piano: the key of the written note is right however it is spelled,
    // an octave off is the wrong octave, a neighbour is a wrong note named with the key's flats.
    KeyRig rig(InKey, -3, PianoKeys, true);
    while (rig.Asked().Alteration == 0)
        rig.Next();
    const NoteEntry note = rig.Asked();
    const int key = SpelledKey(note.Step, note.Alteration);
    QCOMPARE(rig.quiz.TakeAnswer(Answer::Sounded(key + 12, AnswerSource::Piano)).What, Verdict::WrongOctave);
    rig.front.ExpireMessage(rig.quiz);
    // D flat, a key E flat major does not use, is named with the key's flat.
    QCOMPARE(rig.quiz.TakeAnswer(Answer::Sounded(61, AnswerSource::MidiKey)).What, Verdict::WrongNote);
    QCOMPARE(rig.front.messages.back().Picked, 'D');
    QCOMPARE(int(rig.front.messages.back().PickedAlteration), -1);
    rig.front.ExpireMessage(rig.quiz);
    const NoteEntry third = rig.Asked();
    QCOMPARE(
        rig.quiz.TakeAnswer(Answer::Sounded(SpelledKey(third.Step, third.Alteration), AnswerSource::Piano))
            .What,
        Verdict::Right);

    // On the single-octave piano any octave of the key is right, and the black key is its answer.
    KeyRig octave(SharpsAndFlats, 0, PianoKeys);
    while (octave.Asked().Alteration == 0)
        octave.Next();
    const NoteEntry sharpOrFlat = octave.Asked();
    QCOMPARE(octave.quiz
                 .TakeAnswer(Answer::Sounded(SpelledKey(sharpOrFlat.Step, sharpOrFlat.Alteration) - 24,
                                             AnswerSource::Piano))
                 .What,
             Verdict::Right);
}

void AccidentalsTest::everyKeyAndModeAnswersRight() {
    // In every key, mode, staff, range and level, each note answered as written (by name with its sign, or
    // by the key that sounds it) is right: no spelling falls outside what the instrument can answer.
    for (int key = LowestKey; key <= HighestKey + 1; ++key)
        for (int mode = NoteButtons; mode <= GuitarFrets; ++mode)
            for (int staff = TrebleStaff; staff <= AllStaves; ++staff)
                for (bool full : {false, true})
                    for (int level : {MinLevel, MaxLevel}) {
                        RecordingFrontEnd front;
                        ClockSeededRandom random(std::uint64_t(1000 + key));
                        Settings settings;
                        settings = Choose(settings, {OptionChoice::Option::InputMode, mode});
                        settings = Choose(settings, {OptionChoice::Option::Staff, staff});
                        settings = Choose(settings, {OptionChoice::Option::Range, full ? 1 : 0});
                        settings.Level = level;
                        settings.AgainstKey = true;
                        // One past the last key stands for free sharps and flats.
                        settings.Accidentals = key > HighestKey ? SharpsAndFlats : InKey;
                        settings.Key = std::min(key, HighestKey);
                        QuizEngine quiz{front, random, settings};
                        quiz.BuildNoteTable();
                        quiz.BeginQuiz();
                        while (quiz.State.Running) {
                            const NoteEntry note = quiz.AskedNote();
                            const int written = SpelledKey(note.Step, note.Alteration);
                            const Answer answer =
                                mode == NoteButtons
                                    ? Answer::Named(note.Letter, AnswerSource::TypedKey, note.Alteration)
                                    : Answer::Sounded(written, AnswerSource::Piano);
                            const AnswerResult result = quiz.TakeAnswer(answer);
                            QVERIFY2(
                                result.What == Verdict::Right,
                                qPrintable(QStringLiteral("key %1 mode %2 staff %3 step %4 alteration %5")
                                               .arg(key)
                                               .arg(mode)
                                               .arg(staff)
                                               .arg(note.Step)
                                               .arg(note.Alteration)));
                        }
                    }
}

void AccidentalsTest::naturalsOnlyDrawsNothingMore() {
    // Today's quiz: the same draws from the random source, no spelling, and black keys still ignored.
    ScriptedRandom script;
    Settings settings;
    RecordingFrontEnd front;
    QuizEngine quiz{front, script, settings};
    quiz.BuildNoteTable();
    quiz.BeginQuiz();
    QCOMPARE(script.asked, std::vector<int>{QuizEngine::PoolSizeFor(1, NoteButtons) / 2});
    QCOMPARE(quiz.AskedNote(), quiz.Table[quiz.State.CurrentNote]);
    QCOMPARE(quiz.TakeAnswer(Answer::Sounded(61, AnswerSource::MidiKey)).Why, IgnoredBecause::BlackKey);
}

void AccidentalsTest::badChoicesChangeNothing() {
    const Settings start;
    using Option = OptionChoice::Option;
    QCOMPARE(Choose(start, {Option::Accidentals, 3}), start);
    QCOMPARE(Choose(start, {Option::Key, -8}), start);
    QCOMPARE(Choose(start, {Option::Key, 9}), start);
    const Settings every =
        Choose(Choose(start, {Option::Key, -3}), {Option::Key, OptionChoice::EveryQuizKey});
    QVERIFY(every.KeyEachQuiz);
    QCOMPARE(every.Key, -3); // kept for when the user picks one key again
    QCOMPARE(every.Accidentals, InKey);
}

QTEST_GUILESS_MAIN(AccidentalsTest)
#include "tst_accidentals.moc"
