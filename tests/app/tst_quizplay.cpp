// Whole quizzes played through the real window: by keyboard, letter buttons, the piano in both ranges and
// the guitar, plus the wrong-answer and time-out pop-ups and what happens when they expire.

#include "ColourScheme.h"
#include "Controls.h"
#include "PopUpMessage.h"
#include "WindowTestSupport.h"

#include <QtTest>

using namespace quavix;

class TestQuizPlay : public QObject {
    Q_OBJECT

private:
    // Answers every note of a quiz with answer(window) and checks the perfect score at the end.
    void PlayPerfectQuiz(ShownWindow& window, const std::function<void()>& answerCurrentNote) {
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        QVERIFY(window->Engine().State.Running);
        for (int note = 1; note <= NotesPerQuiz; ++note) {
            QCOMPARE(window->Engine().NoteX(), 44 + 10 * note);
            answerCurrentNote();
            QVERIFY2(!PopUpShown(*window), qPrintable(QString("note %1 was judged wrong").arg(note)));
        }
        QVERIFY(!window->Engine().State.Running);
        QCOMPARE(window->Engine().State.Score, MaxScore);
        auto* score = Control<ui::TPanel>(*window, "pnlScore");
        QCOMPARE(score->Caption(), QString("200"));
        QCOMPARE(score->Colour(), QRgb(0xFF2828));
        QVERIFY(!Control(*window, "cmdCount")->isVisible());
        QVERIFY(window->findChild<QAction*>("actBeginQuiz")->isEnabled());
    }

    void ClickInstrument(ShownWindow& window, QPoint point) {
        MouseAt(Mouse::Click, Control(*window, "pbxInstrument"), point);
    }

    // Types the note asked as written: its sign first (# or -), then its letter.
    void TypeSpelled(ShownWindow& window) {
        const NoteEntry note = window->Engine().AskedNote();
        if (note.Alteration != 0)
            QTest::keyClick(window.window.get(), note.Alteration > 0 ? '#' : '-');
        QTest::keyClick(window.window.get(), char(note.Letter - 'A' + 'a'));
    }

private slots:
    void wholeQuizWithSignsByKeyboardAndButtons() {
        ShownWindow window;
        QVERIFY(!Control(*window, "tbFlat")->isVisibleTo(window.window.get()));
        // E flat major: the signs come with the letters; + still sets the level outside a quiz.
        window->findChild<QAction*>("actKey-3")->trigger();
        QCOMPARE(SettingsOf(*window).Accidentals, InKey);
        QVERIFY(Control(*window, "tbFlat")->isVisibleTo(window.window.get()));
        QTest::keyClick(window.window.get(), '+');
        QCOMPARE(SettingsOf(*window).Level, 2);
        PlayPerfectQuiz(window, [&] { TypeSpelled(window); });
        // Free sharps and flats by the sign buttons and the letters.
        window->findChild<QAction*>("actAccidentals1")->trigger();
        PlayPerfectQuiz(window, [&] {
            const NoteEntry note = window->Engine().AskedNote();
            if (note.Alteration != 0)
                MouseAt(Mouse::Click, Control(*window, note.Alteration > 0 ? "tbSharp" : "tbFlat"),
                        QPoint(18, 18));
            MouseAt(Mouse::Click, Control(*window, qPrintable(QString("tbNote%1").arg(note.Letter - 'A'))),
                    QPoint(18, 18));
        });
    }

    void wrongSpellingNamesBothSigns() {
        ShownWindow window;
        window->findChild<QAction*>("actKey6")->trigger(); // F sharp major: every note but B is sharp
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        while (window->Engine().AskedNote().Alteration == 0)
            TypeSpelled(window);
        const NoteEntry note = window->Engine().AskedNote();
        QTest::keyClick(window.window.get(), char(note.Letter - 'A' + 'a'));
        QVERIFY(PopUpShown(*window));
        QCOMPARE(PopUpText(*window).replace(QLatin1Char(10), QLatin1Char(32)),
                 QString("You picked %1, but the note was really %1♯").arg(QChar(note.Letter)));
    }

    void wholeQuizByKeyboard() {
        ShownWindow window;
        PlayPerfectQuiz(window, [&] {
            const char letter = CurrentRow(*window).Letter;
            QTest::keyClick(window.window.get(), char(letter - 'A' + 'a'));
        });
    }

    void wholeQuizByLetterButtons() {
        ShownWindow window;
        PlayPerfectQuiz(window, [&] {
            const int index = CurrentRow(*window).Letter - 'A';
            MouseAt(Mouse::Click, Control(*window, qPrintable(QString("tbNote%1").arg(index))),
                    QPoint(18, 18));
        });
    }

    void wholeQuizByPianoSingleOctave() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QCOMPARE(KeyboardLayoutFor(SettingsOf(*window)), std::uint8_t(0));
        PlayPerfectQuiz(window,
                        [&] { ClickInstrument(window, PianoPointForLetter(CurrentRow(*window).Letter)); });
    }

    void wholeQuizByPianoFullRange_data() {
        QTest::addColumn<int>("staffKey");
        QTest::addColumn<int>("layout");
        QTest::newRow("treble") << int(Qt::Key_F5) << 1;
        QTest::newRow("bass") << int(Qt::Key_F6) << 2;
        QTest::newRow("all") << int(Qt::Key_F7) << 3;
    }

    void wholeQuizByPianoFullRange() {
        QFETCH(int, staffKey);
        QFETCH(int, layout);
        ShownWindow window;
        // The widest pool, so the whole keyboard takes part.
        for (int i = 0; i < 11; ++i)
            QTest::keyClick(window.window.get(), '+');
        QCOMPARE(window->Engine().CurrentSettings().Level, MaxLevel);
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QTest::keyClick(window.window.get(), Qt::Key(staffKey));
        QTest::keyClick(window.window.get(), Qt::Key_F9);
        QCOMPARE(KeyboardLayoutFor(SettingsOf(*window)), std::uint8_t(layout));
        PlayPerfectQuiz(
            window, [&] { ClickInstrument(window, PianoPointForStep(layout, CurrentRow(*window).Step)); });
    }

    void wholeQuizByGuitar() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), '+');
        QTest::keyClick(window.window.get(), '+');
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        PlayPerfectQuiz(window,
                        [&] { ClickInstrument(window, GuitarPointForStep(CurrentRow(*window).Step)); });
    }

    void pianoReleaseAnswersTheKeyUnderThePointer() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        const char letter = CurrentRow(*window).Letter;
        const char wrong = letter == 'C' ? 'D' : 'C';
        QWidget* piano = Control(*window, "pbxInstrument");
        // Pressed on a wrong key, dragged onto the right one: the release decides.
        MouseAt(Mouse::Press, piano, PianoPointForLetter(wrong));
        MouseAt(Mouse::Move, piano, PianoPointForLetter(letter));
        MouseAt(Mouse::Release, piano, PianoPointForLetter(letter));
        QVERIFY(!PopUpShown(*window));
        QCOMPARE(window->Engine().State.Score, PointsCap);
    }

    void instrumentOutsideAQuizGivesNoAnswer() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        ClickInstrument(window, PianoPointForLetter('C'));
        QVERIFY(!PopUpShown(*window));
        QCOMPARE(window->Engine().State.Score, 0);
    }

    void wrongAnswerShowsTwoLinesAboveTheNote() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        const NoteEntry row = CurrentRow(*window);
        const char wrong = row.Letter == 'G' ? 'A' : char(row.Letter + 1);
        QTest::keyClick(window.window.get(), char(wrong - 'A' + 'a'));

        QVERIFY(PopUpShown(*window));
        TMsgPanel* panel = PopUps(*window).Current()->Panel();
        QVERIFY(panel->isVisible());
        const QString expected =
            QString("You picked %1, but\nthe note was really %2").arg(wrong).arg(row.Letter);
        QCOMPARE(panel->MessageLabel()->text(), expected);
        QCOMPARE(panel->Colour(), PopUpColour(true));
        // Centred about NoteX + 18 (clamped at the left edge), its lowest row just above the picture.
        const int labelWidth = panel->MessageLabel()->width();
        QCOMPARE(panel->x(), std::max(0, window->Engine().NoteX() + 18 - labelWidth / 2));
        QCOMPARE(panel->geometry().bottom(), row.Top + 41);
        QCOMPARE(panel->width(), labelWidth + 2);

        // Answers are dropped while it shows, and the countdown stands still.
        QTest::keyClick(window.window.get(), char(row.Letter - 'A' + 'a'));
        QCOMPARE(window->Engine().State.Score, 0);
        QCOMPARE(window->Engine().State.NotesLeft, NotesPerQuiz - 1);

        ExpirePopUp(*window);
        QVERIFY(!PopUpShown(*window));
        QVERIFY(window->findChild<TMsgPanel*>() == nullptr);
        QCOMPARE(window->Engine().State.NotesLeft, NotesPerQuiz - 2);
        QCOMPARE(window->Engine().State.SecondsLeft, CountdownStart);
        QVERIFY(Control(*window, "cmdCount")->isVisible());
    }

    void wrongOctaveOnTheFullPiano() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QTest::keyClick(window.window.get(), Qt::Key_F9);
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        const int step = CurrentRow(*window).Step;
        const int octave = step + 7 <= 25 ? step + 7 : step - 7;
        ClickInstrument(window, PianoPointForStep(1, octave));
        QVERIFY(PopUpShown(*window));
        QCOMPARE(PopUpText(*window), QString("You picked the right note\nbut in the wrong octave"));
    }

    void timeOutShowsTheNoteAndMovesOn() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        const char letter = CurrentRow(*window).Letter;
        auto* counter = Control<ui::TCountButton>(*window, "cmdCount");
        for (int tick = 1; tick <= CountdownStart; ++tick) {
            window->Engine().tmrCountTimer();
            QCOMPARE(counter->text(), QString::number(CountdownStart - tick));
            QCOMPARE(counter->y(), CounterTop(CountdownStart - tick));
        }
        QVERIFY(counter->isVisible());
        QVERIFY(!PopUpShown(*window));
        window->Engine().tmrCountTimer();
        QVERIFY(!counter->isVisible());
        QVERIFY(PopUpShown(*window));
        QCOMPARE(PopUpText(*window), QString("Sorry, out of time.\nThis note is %1.").arg(letter));

        ExpirePopUp(*window);
        QVERIFY(!PopUpShown(*window));
        QVERIFY(counter->isVisible());
        QCOMPARE(counter->text(), QString("12"));
        QCOMPARE(window->Engine().State.NotesLeft, NotesPerQuiz - 2);
    }

    void lastNoteWrongEndsWhenItsMessageExpires() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        for (int note = 1; note < NotesPerQuiz; ++note)
            QTest::keyClick(window.window.get(), char(CurrentRow(*window).Letter - 'A' + 'a'));
        const char letter = CurrentRow(*window).Letter;
        QTest::keyClick(window.window.get(), letter == 'A' ? 'b' : 'a');
        QVERIFY(window->Engine().State.Running);
        ExpirePopUp(*window);
        QVERIFY(!window->Engine().State.Running);
        QCOMPARE(window->Engine().State.Score, 190);
    }

    void popUpTimerReallyExpires() {
        // The real pop-up timer, its three seconds shortened for the test, and then the next note.
        ShownWindow window(32, {}, 50);
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        QTest::keyClick(window.window.get(), CurrentRow(*window).Letter == 'A' ? 'b' : 'a');
        QVERIFY(PopUps(*window).Current()->TimerActive());
        QVERIFY(QTest::qWaitFor([&] { return !PopUpShown(*window); }));
        QCOMPARE(window->Engine().State.NotesLeft, NotesPerQuiz - 2);
    }

    void endQuizKeepsScoreAndMessage() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        QTest::keyClick(window.window.get(), char(CurrentRow(*window).Letter - 'A' + 'a'));
        QTest::keyClick(window.window.get(), CurrentRow(*window).Letter == 'A' ? 'b' : 'a');
        QTest::keyClick(window.window.get(), Qt::Key_Return);
        QVERIFY(!window->Engine().State.Running);
        QCOMPARE(Control<ui::TPanel>(*window, "pnlScore")->Caption(), QString("10"));
        QVERIFY(!Control(*window, "cmdCount")->isVisible());
        // The message of the ended quiz stays until it expires, and then moves nothing on.
        QVERIFY(PopUpShown(*window));
        ExpirePopUp(*window);
        QVERIFY(!PopUpShown(*window));
        QVERIFY(!Control(*window, "cmdCount")->isVisible());
    }
};

QTEST_MAIN(TestQuizPlay)
#include "tst_quizplay.moc"
