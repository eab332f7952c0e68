// Typed answers and names in each naming of the notes, and the naming each language starts with.

#include "NoteNames.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QTest>

#include <set>

using namespace quavix;

namespace {

// A quiz over every note letter, in a naming, with the note on the staff chosen by the test.
struct NamingRig {
    RecordingFrontEnd front;
    ClockSeededRandom random{7};
    Settings settings;
    QuizEngine quiz{front, random, settings};

    explicit NamingRig(NoteNamings naming) {
        settings.NoteNaming = naming;
        settings.StaffChoice = AllStaves;
        settings.Level = MaxLevel;
        quiz.BuildNoteTable();
        quiz.BeginQuiz();
    }
    // A key typed, as the window passes it on: read in the naming in force.
    void Type(char key) { quiz.TakeAnswer(TypedAnswer(key, settings.NoteNaming)); }
    // Puts a note with this letter on the staff.
    void Ask(char letter) {
        for (int row = 0; row < StaffSetRows; ++row)
            if (quiz.Table[row].Letter == letter) {
                quiz.State.CurrentNote = row;
                return;
            }
        QFAIL("no row with that letter");
    }
};

} // namespace

class NoteNamesTest : public QObject {
    Q_OBJECT

private slots:
    void eachKeyAnswersItsNote_data();
    void eachKeyAnswersItsNote();
    void keysOfOtherNamingsAreNoAnswer_data();
    void keysOfOtherNamingsAreNoAnswer();
    void aWrongKeyNamesThePickedNote_data();
    void aWrongKeyNamesThePickedNote();
    void switchingDuringAQuizTakesTheNextKey();
    void everyNamingHasSevenKeysOfItsOwn();
    void languagesStartWithTheirNaming_data();
    void languagesStartWithTheirNaming();
};

void NoteNamesTest::eachKeyAnswersItsNote_data() {
    QTest::addColumn<int>("naming");
    QTest::addColumn<char>("asked");
    QTest::addColumn<char>("key");
    for (char letter = 'A'; letter <= 'G'; ++letter)
        QTest::addRow("letters %c", letter) << int(LetterNames) << letter << letter;
    QTest::newRow("German H is B") << int(GermanNames) << 'B' << 'h';
    QTest::newRow("German C") << int(GermanNames) << 'C' << 'c';
    QTest::newRow("German A") << int(GermanNames) << 'A' << 'A';
    // The keys the keyboard help lists for the syllables.
    QTest::newRow("Do") << int(FixedDo) << 'C' << 'd';
    QTest::newRow("Re") << int(FixedDo) << 'D' << 'r';
    QTest::newRow("Mi") << int(FixedDo) << 'E' << 'm';
    QTest::newRow("Fa") << int(FixedDo) << 'F' << 'F';
    QTest::newRow("Sol") << int(FixedDo) << 'G' << 's';
    QTest::newRow("La") << int(FixedDo) << 'A' << 'L';
    QTest::newRow("Si") << int(FixedDo) << 'B' << 'i';
}

void NoteNamesTest::eachKeyAnswersItsNote() {
    QFETCH(int, naming);
    QFETCH(char, asked);
    QFETCH(char, key);
    NamingRig rig{NoteNamings(naming)};
    rig.Ask(asked);
    rig.Type(key);
    QVERIFY(rig.front.messages.empty());
    QCOMPARE(rig.quiz.State.NotesLeft, NotesPerQuiz - 2);
}

void NoteNamesTest::keysOfOtherNamingsAreNoAnswer_data() {
    QTest::addColumn<int>("naming");
    QTest::addColumn<QString>("keys");
    QTest::newRow("letters: no H, no syllables") << int(LetterNames) << "hHrRmMsSlLiI";
    QTest::newRow("German: B answers nothing") << int(GermanNames) << "bBrRiI";
    QTest::newRow("fixed do: letters that are no syllable key") << int(FixedDo) << "aAbBcCeEgGhHoO";
}

void NoteNamesTest::keysOfOtherNamingsAreNoAnswer() {
    QFETCH(int, naming);
    QFETCH(QString, keys);
    for (char asked = 'A'; asked <= 'G'; ++asked) {
        NamingRig rig{NoteNamings(naming)};
        rig.Ask(asked);
        for (QChar key : keys)
            rig.Type(key.toLatin1());
        // Neither judged right nor wrong: no message, no note taken, the countdown still running.
        QVERIFY(rig.front.messages.empty());
        QCOMPARE(rig.quiz.State.NotesLeft, NotesPerQuiz - 1);
        QVERIFY(rig.quiz.CountdownRunning());
    }
}

void NoteNamesTest::aWrongKeyNamesThePickedNote_data() {
    QTest::addColumn<int>("naming");
    QTest::addColumn<char>("asked");
    QTest::addColumn<char>("key");
    QTest::addColumn<char>("picked");
    QTest::newRow("German H for a C") << int(GermanNames) << 'C' << 'h' << 'B';
    QTest::newRow("Re for a Do") << int(FixedDo) << 'C' << 'r' << 'D';
    QTest::newRow("Si for a Sol") << int(FixedDo) << 'G' << 'I' << 'B';
    QTest::newRow("Sol for a Si") << int(FixedDo) << 'B' << 's' << 'G';
}

void NoteNamesTest::aWrongKeyNamesThePickedNote() {
    QFETCH(int, naming);
    QFETCH(char, asked);
    QFETCH(char, key);
    QFETCH(char, picked);
    NamingRig rig{NoteNamings(naming)};
    rig.Ask(asked);
    rig.Type(key);
    // The engine reports the notes, not their names.
    QCOMPARE(int(rig.front.messages.size()), 1);
    QCOMPARE(rig.front.messages[0], (NoteMessage{NoteMessage::Kind::WrongNote, picked, asked}));
}

void NoteNamesTest::switchingDuringAQuizTakesTheNextKey() {
    NamingRig rig(LetterNames);
    rig.Ask('C');
    rig.settings.NoteNaming = FixedDo; // the engine reads the settings it was given, as they are now
    rig.Type('c');
    QCOMPARE(rig.quiz.State.NotesLeft, NotesPerQuiz - 1);
    rig.Type('d');
    QCOMPARE(rig.quiz.State.NotesLeft, NotesPerQuiz - 2);
    QVERIFY(rig.front.messages.empty());
    QCOMPARE(rig.quiz.State.Score, PointsCap);
}

// A key shared by two notes would make one of them unanswerable, and a key outside the plain letters
// could be a shortcut or a level key.
void NoteNamesTest::everyNamingHasSevenKeysOfItsOwn() {
    for (NoteNamings naming : {LetterNames, GermanNames, FixedDo}) {
        std::set<char> keys;
        for (char letter = 'A'; letter <= 'G'; ++letter) {
            const char key = AnswerKey(letter, naming);
            QVERIFY2(key >= 'A' && key <= 'Z',
                     qPrintable(QString("naming %1, note %2").arg(int(naming)).arg(letter)));
            keys.insert(key);
            QCOMPARE(LetterForKey(key, naming), letter);
            QCOMPARE(LetterForKey(char(key - 'A' + 'a'), naming), letter);
        }
        QCOMPARE(int(keys.size()), 7);
    }
    for (char other : {'+', '-', ' ', '\r', '\0', '\xC4'})
        for (NoteNamings naming : {LetterNames, GermanNames, FixedDo})
            QCOMPARE(LetterForKey(other, naming), '\0');
}

void NoteNamesTest::languagesStartWithTheirNaming_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("naming");
    QTest::newRow("Germany") << "de_DE" << int(GermanNames);
    QTest::newRow("Austria") << "de_AT" << int(GermanNames);
    QTest::newRow("Swiss German") << "gsw_CH" << int(GermanNames);
    QTest::newRow("French in Canada") << "fr_CA" << int(FixedDo);
    QTest::newRow("Italian") << "it_IT" << int(FixedDo);
    QTest::newRow("Spanish in Mexico") << "es_MX" << int(FixedDo);
    QTest::newRow("Portuguese in Brazil") << "pt_BR" << int(FixedDo);
    QTest::newRow("language only") << "pt" << int(FixedDo);
    QTest::newRow("English") << "en_GB" << int(LetterNames);
    QTest::newRow("the C locale") << "C" << int(LetterNames);
    QTest::newRow("nothing") << "" << int(LetterNames);
    // Codes that merely begin like one of the above.
    QTest::newRow("Lower Sorbian") << "dsb_DE" << int(LetterNames);
    QTest::newRow("North Frisian") << "frr_DE" << int(LetterNames);
    QTest::newRow("Esperanto") << "eo" << int(LetterNames);
}

void NoteNamesTest::languagesStartWithTheirNaming() {
    QFETCH(QString, locale);
    QFETCH(int, naming);
    QCOMPARE(int(NoteNamingForLanguage(locale.toStdString())), naming);
}

QTEST_APPLESS_MAIN(NoteNamesTest)
#include "tst_notenames.moc"
