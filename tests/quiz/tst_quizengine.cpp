#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QTest>

#include <map>
#include <memory>

using namespace quavix;

// An engine wired to a recording front end and a seeded generator.
struct Rig {
    RecordingFrontEnd front;
    ClockSeededRandom random{12345};
    Settings settings;
    QuizEngine quiz{front, random, settings};

    explicit Rig(std::uint8_t mode = NoteButtons, std::uint8_t staff = TrebleStaff, int level = 1) {
        front.engine = &quiz;
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        quiz.BuildNoteTable();
        quiz.SetLevel(level);
    }
    const NoteEntry& Current() const { return quiz.Table[quiz.State.CurrentNote]; }
    void AnswerRight() { quiz.JudgeAnswer(Current().Step); }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            quiz.tmrCountTimer();
    }
};

class QuizEngineTest : public QObject {
    Q_OBJECT

private slots:
    void poolSizes_data();
    void poolSizes();
    void levelOneMayRepeatLargerPoolsNever_data();
    void levelOneMayRepeatLargerPoolsNever();
    void drawsAreUniformOverAllowedRows();
    void pickNoteWithoutAChoiceReturns();
    void pointsBySecondsLeft_data();
    void pointsBySecondsLeft();
    void perfectQuizScores200();
    void messages_data();
    void messages();
    void timeOutOnThirteenthTick();
    void counterTopSlidesDown();
    void lastNoteEndsQuiz();
    void endQuizLeavesScoreOnDisplay();
    void answersDroppedWhileMessageShows();
    void messageAfterEndQuizRunsNoHiddenNotes();
    void staleMessageDoesNotMoveNewQuiz();
    void typedCharacters();
    void levelLimits();
    void rightAnswerKeepsTimerPeriod();
    void scoreColour_data();
    void scoreColour();
    void commandStates_data();
    void commandStates();
    void checkMarks();
};

void QuizEngineTest::poolSizes_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("guitar");
    const int staff[] = {4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26};
    const int guitar[] = {3, 6, 9, 12, 15, 18, 20, 22, 24, 26, 28, 30};
    for (int level = 1; level <= 12; ++level)
        QTest::addRow("level %d", level) << level << staff[level - 1] << guitar[level - 1];
}

void QuizEngineTest::poolSizes() {
    QFETCH(int, level);
    QFETCH(int, staff);
    QFETCH(int, guitar);
    for (std::uint8_t mode : {NoteButtons, PianoKeys, GuitarFrets}) {
        Rig rig(mode, AllStaves, level);
        rig.quiz.BeginQuiz();
        QCOMPARE(rig.quiz.State.PoolSize, mode == GuitarFrets ? guitar : staff);
        QVERIFY(rig.quiz.State.CurrentNote < rig.quiz.State.PoolSize);
    }
}

void QuizEngineTest::levelOneMayRepeatLargerPoolsNever_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("allowed");
    QTest::addColumn<bool>("repeats");
    QTest::newRow("treble level 1") << 0 << 0 << 1 << QList<int>{0, 2} << true;
    QTest::newRow("bass level 1") << 1 << 1 << 1 << QList<int>{1, 3} << true;
    QTest::newRow("all level 1") << 0 << 2 << 1 << QList<int>{0, 1, 2, 3} << true;
    QTest::newRow("treble level 2") << 0 << 0 << 2 << QList<int>{0, 2, 4} << false;
    QTest::newRow("bass level 12") << 1 << 1 << 12
                                   << QList<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25} << false;
    // The guitar ignores the staff choice.
    QTest::newRow("guitar level 1, bass chosen") << 2 << 1 << 1 << QList<int>{0, 1, 2} << false;
    QTest::newRow("guitar level 2") << 2 << 0 << 2 << QList<int>{0, 1, 2, 3, 4, 5} << false;
}

void QuizEngineTest::levelOneMayRepeatLargerPoolsNever() {
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, level);
    QFETCH(QList<int>, allowed);
    QFETCH(bool, repeats);
    Rig rig(std::uint8_t(mode), std::uint8_t(staff), level);
    rig.quiz.BeginQuiz();
    std::map<int, int> seen;
    int repeated = 0;
    int previous = rig.quiz.State.CurrentNote;
    for (int i = 0; i < 4000; ++i) {
        rig.quiz.PickNote();
        const int row = rig.quiz.State.CurrentNote;
        QVERIFY2(allowed.contains(row), qPrintable(QString("row %1").arg(row)));
        QCOMPARE(rig.quiz.State.PreviousNote, row);
        repeated += row == previous ? 1 : 0;
        previous = row;
        ++seen[row];
    }
    QCOMPARE(int(seen.size()), int(allowed.size()));
    QCOMPARE(repeated > 0, repeats);
}

void QuizEngineTest::drawsAreUniformOverAllowedRows() {
    // Treble at level 12: 13 rows. Without the no-repeat rule each row would come 1/13 of the time; with it,
    // still 1/13 by symmetry.
    Rig rig(NoteButtons, TrebleStaff, 12);
    rig.quiz.BeginQuiz();
    std::map<int, int> counts;
    const int draws = 130000;
    for (int i = 0; i < draws; ++i) {
        rig.quiz.PickNote();
        ++counts[rig.quiz.State.CurrentNote];
    }
    QCOMPARE(int(counts.size()), 13);
    for (auto [row, count] : counts) {
        QVERIFY(row % 2 == 0);
        QVERIFY2(std::abs(count - draws / 13) < draws / 13 / 10, qPrintable(QString::number(count)));
    }
}

void QuizEngineTest::pickNoteWithoutAChoiceReturns() {
    // A guitar pool of 3 picked row 1; then note buttons with the bass staff: only row 1 is allowed and it
    // was the previous pick. The pick must return, leaving the state inside the pool.
    Rig rig(GuitarFrets, TrebleStaff, 1);
    rig.quiz.BeginQuiz();
    rig.quiz.State.PreviousNote = 1;
    rig.quiz.State.CurrentNote = 1;
    rig.settings.InputMode = NoteButtons;
    rig.settings.StaffChoice = BassStaff;
    rig.quiz.State.PoolSize = 3;
    rig.quiz.PickNote();
    QCOMPARE(rig.quiz.State.CurrentNote, 1);
    rig.quiz.State.PoolSize = 0;
    rig.quiz.PickNote();
    QCOMPARE(rig.quiz.State.CurrentNote, 1);
}

void QuizEngineTest::pointsBySecondsLeft_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("points");
    QTest::newRow("12 left") << 0 << 10;
    QTest::newRow("11 left") << 1 << 10;
    QTest::newRow("10 left") << 2 << 10;
    QTest::newRow("9 left") << 3 << 9;
    QTest::newRow("1 left") << 11 << 1;
    QTest::newRow("0 left") << 12 << 0;
}

void QuizEngineTest::pointsBySecondsLeft() {
    QFETCH(int, ticks);
    QFETCH(int, points);
    Rig rig;
    rig.quiz.BeginQuiz();
    rig.Ticks(ticks);
    rig.AnswerRight();
    QCOMPARE(rig.quiz.State.Score, points);
    QCOMPARE(rig.front.scoreCaption, std::to_string(points));
    QCOMPARE(rig.quiz.State.NotesLeft, 18); // moved on even with no points
}

void QuizEngineTest::perfectQuizScores200() {
    Rig rig(GuitarFrets, TrebleStaff, 12);
    rig.settings.RichColour = true;
    rig.quiz.BeginQuiz();
    std::vector<int> xs;
    for (int note = 0; note < 20; ++note) {
        QVERIFY(rig.quiz.State.Running);
        xs.push_back(rig.quiz.NoteX());
        rig.Ticks(note % 3); // 12, 11 or 10 seconds left
        rig.quiz.JudgeAnswer(100 + (rig.Current().Letter - 'A'));
    }
    QVERIFY(!rig.quiz.State.Running);
    QCOMPARE(rig.quiz.State.Score, 200);
    QCOMPARE(rig.front.scoreCaption, std::string("200"));
    QCOMPARE(rig.front.scoreColour, 0xFF2828u);
    QCOMPARE(xs.front(), 54);
    QCOMPARE(xs.back(), 244);
    QCOMPARE(rig.front.drawCount, 20);
}

void QuizEngineTest::messages_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");
    // Staff set row 0 is C4 (step 12).
    QTest::newRow("octave above") << 1 << 0 << 19 << "You picked the right note but in the wrong octave";
    QTest::newRow("octave below") << 1 << 0 << 5 << "You picked the right note but in the wrong octave";
    QTest::newRow("wrong key") << 1 << 0 << 13 << "You picked D, but the note was really C";
    // Row 2 is D4: button E.
    QTest::newRow("wrong letter") << 0 << 2 << 104 << "You picked E, but the note was really D";
    // Step 25 (B5) against B4 (row 12), and against C4.
    QTest::newRow("B5 against B4") << 1 << 12 << 25 << "You picked the right note but in the wrong octave";
    QTest::newRow("B5 against C4") << 1 << 0 << 25 << "You picked B, but the note was really C";
    // Guitar: C6 (step 26) against C5 (row 7) and against E5 (row 0).
    QTest::newRow("C6 against C5") << 2 << 7 << 26 << "You picked the right note but in the wrong octave";
    QTest::newRow("C6 against E5") << 2 << 0 << 26 << "You picked C, but the note was really E";
}

void QuizEngineTest::messages() {
    QFETCH(int, mode);
    QFETCH(int, row);
    QFETCH(int, answer);
    QFETCH(QString, message);
    Rig rig(std::uint8_t(mode), AllStaves, 12);
    rig.quiz.BeginQuiz();
    rig.quiz.State.CurrentNote = row;
    rig.Ticks(4);
    rig.quiz.JudgeAnswer(answer);
    QCOMPARE(int(rig.front.messages.size()), 1);
    QCOMPARE(QString::fromStdString(rig.front.messages[0]), message);
    QVERIFY(!rig.front.timerActive);
    QCOMPARE(rig.front.counterCaption, std::string("8")); // the counter keeps the seconds that were left
    QCOMPARE(rig.quiz.State.Score, 0);
}

void QuizEngineTest::timeOutOnThirteenthTick() {
    Rig rig(NoteButtons, AllStaves, 12);
    rig.quiz.BeginQuiz();
    rig.quiz.State.CurrentNote = 6; // F4
    rig.Ticks(12);
    QVERIFY(rig.front.messages.empty());
    QVERIFY(rig.front.counterVisible);
    QCOMPARE(rig.front.counterCaption, std::string("0"));
    rig.Ticks(1);
    QVERIFY(!rig.front.counterVisible);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    QCOMPARE(rig.front.messages, std::vector<std::string>{"Sorry, out of time. This note is F."});
    // A tick that comes after the timer stopped changes nothing.
    rig.Ticks(3);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    QCOMPARE(int(rig.front.messages.size()), 1);
    rig.front.ExpireMessage(rig.quiz);
    QCOMPARE(rig.quiz.State.SecondsLeft, 12);
    QCOMPARE(rig.quiz.State.NotesLeft, 18);
}

void QuizEngineTest::counterTopSlidesDown() {
    const int tops[] = {91, 87, 82, 77, 73, 68, 63, 59, 54, 49, 45, 40, 35};
    for (int s = 0; s <= 12; ++s)
        QCOMPARE(CounterTop(s), tops[s]);
}

void QuizEngineTest::lastNoteEndsQuiz() {
    Rig right;
    right.quiz.BeginQuiz();
    for (int i = 0; i < 19; ++i)
        right.AnswerRight();
    QCOMPARE(right.quiz.State.NotesLeft, 0);
    right.AnswerRight();
    QVERIFY(!right.quiz.State.Running);

    Rig wrong;
    wrong.quiz.BeginQuiz();
    for (int i = 0; i < 19; ++i)
        wrong.AnswerRight();
    wrong.quiz.JudgeAnswer(wrong.Current().Step + 1);
    QVERIFY(wrong.quiz.State.Running);
    wrong.front.ExpireMessage(wrong.quiz);
    QVERIFY(!wrong.quiz.State.Running);
    QVERIFY(wrong.front.states.BeginQuiz);
    QVERIFY(!wrong.front.counterVisible);
}

void QuizEngineTest::endQuizLeavesScoreOnDisplay() {
    Rig rig;
    rig.settings.RichColour = true;
    rig.quiz.BeginQuiz();
    rig.AnswerRight();
    rig.AnswerRight();
    const int erasesBefore = rig.front.eraseCount;
    rig.quiz.EndQuiz();
    QCOMPARE(rig.front.eraseCount, erasesBefore + 1);
    QCOMPARE(rig.front.scoreCaption, std::string("20"));
    QCOMPARE(rig.front.scoreColour, ScoreColour(20));
    QVERIFY(!rig.front.counterVisible);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    QVERIFY(!rig.front.timerActive);
    QCOMPARE(rig.front.releases, 1);
    QVERIFY(rig.front.states.LevelSlider);
    rig.quiz.BeginQuiz();
    QCOMPARE(rig.front.scoreCaption, std::string("0"));
    QCOMPARE(rig.front.scoreColour, ScoreColour(0));
}

void QuizEngineTest::answersDroppedWhileMessageShows() {
    Rig rig;
    rig.quiz.BeginQuiz();
    rig.quiz.JudgeAnswer(rig.Current().Step + 1);
    const QuizState before = rig.quiz.State;
    rig.AnswerRight();
    rig.quiz.JudgeAnswer(100);
    QCOMPARE(rig.quiz.State.Score, before.Score);
    QCOMPARE(rig.quiz.State.NotesLeft, before.NotesLeft);
    QCOMPARE(int(rig.front.messages.size()), 1);
    // Codes that are no answer are ignored outright.
    rig.front.messageShowing = false;
    for (int code : {-1, 30, 99, 107, 1000, -100000})
        rig.quiz.JudgeAnswer(code);
    QCOMPARE(int(rig.front.messages.size()), 1);
    QCOMPARE(rig.quiz.State.NotesLeft, before.NotesLeft);
}

void QuizEngineTest::messageAfterEndQuizRunsNoHiddenNotes() {
    Rig rig(GuitarFrets, TrebleStaff, 1);
    rig.quiz.BeginQuiz();
    rig.quiz.JudgeAnswer(rig.Current().Step + 1);
    rig.quiz.EndQuiz();
    // Settings unlock: a pool that could leave no row to choose.
    rig.settings.InputMode = NoteButtons;
    rig.settings.StaffChoice = BassStaff;
    rig.quiz.BuildNoteTable();
    const int draws = rig.front.drawCount;
    const QuizState before = rig.quiz.State;
    rig.front.ExpireMessage(rig.quiz);
    QVERIFY(!rig.front.messageShowing);
    QVERIFY(!rig.quiz.State.Running);
    QCOMPARE(rig.quiz.State.NotesLeft, before.NotesLeft);
    QCOMPARE(rig.quiz.State.SecondsLeft, -1);
    QVERIFY(!rig.front.timerActive);
    QCOMPARE(rig.front.drawCount, draws);
}

void QuizEngineTest::staleMessageDoesNotMoveNewQuiz() {
    Rig rig;
    rig.quiz.BeginQuiz();
    rig.quiz.JudgeAnswer(rig.Current().Step + 1);
    rig.quiz.EndQuiz();
    QVERIFY(rig.front.messageShowing); // the message stays after End Quiz
    rig.quiz.BeginQuiz();
    QVERIFY(!rig.front.messageShowing); // a new quiz clears the old quiz's message
    QCOMPARE(rig.quiz.State.NotesLeft, 19);
    rig.quiz.NoteMessageExpired(); // a late expiry of the old message
    QCOMPARE(rig.quiz.State.NotesLeft, 19);
    rig.AnswerRight(); // answers are taken at once
    QCOMPARE(rig.quiz.State.NotesLeft, 18);
}

void QuizEngineTest::typedCharacters() {
    Rig rig(NoteButtons, AllStaves, 3);
    rig.quiz.FormKeyPress('+');
    QCOMPARE(rig.quiz.State.Level, 4);
    QCOMPARE(rig.front.levelSlider, 4);
    rig.quiz.FormKeyPress('-');
    rig.quiz.FormKeyPress('-');
    QCOMPARE(rig.quiz.State.Level, 2);
    rig.quiz.FormKeyPress('c'); // no quiz: nothing
    QVERIFY(rig.front.messages.empty());

    rig.quiz.BeginQuiz();
    rig.quiz.FormKeyPress('+');
    QCOMPARE(rig.quiz.State.Level, 2);
    for (char c : {'h', 'H', '1', ' ', 'z', '\x80', '\xff', '@', '\0'})
        rig.quiz.FormKeyPress(c);
    QVERIFY(rig.front.messages.empty());
    QCOMPARE(rig.quiz.State.NotesLeft, 19);
    const char letter = rig.Current().Letter;
    rig.quiz.FormKeyPress(char(letter - 'A' + 'a'));
    QCOMPARE(rig.quiz.State.NotesLeft, 18);
    const char upper = rig.Current().Letter;
    rig.quiz.FormKeyPress(upper);
    QCOMPARE(rig.quiz.State.NotesLeft, 17);
    const char wrongLetter = rig.Current().Letter == 'B' ? 'c' : 'b';
    rig.quiz.FormKeyPress(wrongLetter);
    QCOMPARE(int(rig.front.messages.size()), 1);
    QVERIFY(rig.front.messages[0].starts_with(std::string("You picked ") + char(wrongLetter - 32)));
}

void QuizEngineTest::levelLimits() {
    Rig rig(NoteButtons, TrebleStaff, 12);
    rig.quiz.FormKeyPress('+');
    QCOMPARE(rig.quiz.State.Level, 12);
    QVERIFY(!rig.quiz.SetLevel(13));
    QVERIFY(!rig.quiz.SetLevel(0));
    QVERIFY(!rig.quiz.SetLevel(-5));
    QCOMPARE(rig.quiz.State.Level, 12);
    QVERIFY(rig.quiz.SetLevel(1));
    rig.quiz.FormKeyPress('-');
    QCOMPARE(rig.quiz.State.Level, 1);
    QCOMPARE(rig.front.levelSlider, 1);
}

void QuizEngineTest::rightAnswerKeepsTimerPeriod() {
    Rig rig;
    rig.quiz.BeginQuiz();
    QCOMPARE(rig.front.timerStarts, 1);
    rig.AnswerRight();
    QCOMPARE(rig.front.timerStarts, 1); // still running: its period goes on
    rig.quiz.JudgeAnswer(rig.Current().Step + 1);
    rig.front.ExpireMessage(rig.quiz);
    QCOMPARE(rig.front.timerStarts, 2); // stopped by the wrong answer, started afresh
}

void QuizEngineTest::scoreColour_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<uint>("colour");
    QTest::newRow("negative") << -5 << 0x282828u;
    QTest::newRow("0") << 0 << 0x282828u;
    QTest::newRow("1") << 1 << 0x292828u;
    QTest::newRow("100") << 100 << 0x8C2828u;
    QTest::newRow("199") << 199 << 0xEF2828u;
    QTest::newRow("200") << 200 << 0xFF2828u;
    QTest::newRow("beyond") << 5000 << 0xFF2828u;
}

void QuizEngineTest::scoreColour() {
    QFETCH(int, score);
    QFETCH(uint, colour);
    QCOMPARE(ScoreColour(score), colour);
}

void QuizEngineTest::commandStates_data() {
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("enabled"); // N P G T B A S F b e L
    QTest::newRow("idle, note buttons") << false << 0 << "NPGTBA--b-L";
    QTest::newRow("idle, piano") << false << 1 << "NPGTBASFb-L";
    QTest::newRow("idle, guitar") << false << 2 << "NPG-----b-L";
    QTest::newRow("quiz, note buttons") << true << 0 << "NP-------e-";
    QTest::newRow("quiz, piano") << true << 1 << "NP----SF-e-";
    QTest::newRow("quiz, guitar") << true << 2 << "--G------e-";
}

void QuizEngineTest::commandStates() {
    QFETCH(bool, running);
    QFETCH(int, mode);
    QFETCH(QString, enabled);
    const CommandStates s = CommandStatesFor(running, std::uint8_t(mode));
    const bool got[] = {s.NoteButtons,  s.PianoKeys, s.Guitar,    s.TrebleNotes, s.BassNotes,  s.AllNotes,
                        s.SingleOctave, s.FullRange, s.BeginQuiz, s.EndQuiz,     s.LevelSlider};
    for (int i = 0; i < enabled.size(); ++i)
        QVERIFY2(got[i] == (enabled[i] != '-'), qPrintable(QString("position %1").arg(i)));
}

void QuizEngineTest::checkMarks() {
    const CheckMarks buttons = CheckMarksFor(NoteButtons, BassStaff, true);
    QVERIFY(buttons.NoteButtons && !buttons.PianoKeys && !buttons.Guitar);
    QVERIFY(buttons.BassNotes && !buttons.TrebleNotes && !buttons.AllNotes);
    QVERIFY(!buttons.SingleOctave && !buttons.FullRange); // no range marks without an instrument
    const CheckMarks piano = CheckMarksFor(PianoKeys, AllStaves, false);
    QVERIFY(piano.PianoKeys && piano.AllNotes && piano.SingleOctave && !piano.FullRange);
    const CheckMarks guitar = CheckMarksFor(GuitarFrets, TrebleStaff, true);
    QVERIFY(guitar.Guitar && guitar.TrebleNotes && guitar.FullRange && !guitar.SingleOctave);
}

QTEST_APPLESS_MAIN(QuizEngineTest)
#include "tst_quizengine.moc"
