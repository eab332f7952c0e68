// Whole quizzes played through the real window: by keyboard, letter buttons, the piano in both ranges and
// the guitar, plus the wrong-answer and time-out pop-ups and what happens when they expire.

#include "ColourScheme.h"
#include "Controls.h"
#include "NoteFigures.h"
#include "PopUpMessage.h"
#include "ProgressRoom.h"
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

    void weakestKeyIsOfferedAndSignsDoNotCarryOver() {
        // Notes missed in E flat major and read well in C major: the Options menu then offers E flat major,
        // and a flat said just before the quiz ended is not carried into the next quiz.
        ShownWindow window;
        QAction* weakKey = window->findChild<QAction*>("actPractiseWeakKey");
        QVERIFY(weakKey && !weakKey->isVisible() && !weakKey->isEnabled());
        window->findChild<QAction*>("actKey-3")->trigger();
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(window.window.get(), '+');
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        bool flatMissed = false;
        while (window->Engine().State.Running && !flatMissed) {
            const NoteEntry note = window->Engine().AskedNote();
            flatMissed = note.Alteration < 0;
            QTest::keyClick(window.window.get(), char((note.Letter - 'A' + 1) % 7 + 'a'));
            ExpirePopUp(*window);
        }
        QVERIFY(flatMissed);
        MouseAt(Mouse::Click, Control(*window, "tbFlat"), QPoint(18, 18));
        QTest::keyClick(window.window.get(), Qt::Key_Return);
        QVERIFY(weakKey->isVisible() && weakKey->isEnabled());
        QVERIFY2(weakKey->text().contains(QString::fromUtf8("E♭ major")), qPrintable(weakKey->text()));

        window->findChild<QAction*>("actKey0")->trigger();
        PlayPerfectQuiz(window, [&] { TypeSpelled(window); });
        QVERIFY(weakKey->text().contains(QString::fromUtf8("E♭")));
        // The results count the flat missed apart from the natural of its letter.
        const auto figures = SummariseByNote(ProgressOf(*window).Log().Answers());
        QVERIFY(std::any_of(figures.begin(), figures.end(),
                            [](const NoteFigures& f) { return f.Key.Alteration < 0 && f.Wrong > 0; }));
        weakKey->trigger();
        QCOMPARE(SettingsOf(*window).Accidentals, InKey);
        QCOMPARE(SettingsOf(*window).Key, -3);
        QVERIFY(window->findChild<QAction*>("actKey-3")->isChecked());
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

    // A whole quiz on each instrument: the single octave takes the letter, the full keyboard of both staves
    // (at the top level, so that every key takes part) the very key, and the guitar its fret. Which keyboard
    // each staff choice shows, and where its keys lie, are the instrument's and the piano's tests.
    void wholeQuizByInstrument_data() {
        QTest::addColumn<int>("modeKey");
        QTest::addColumn<int>("staffKey"); // with the full range; 0 keeps the staff and range as they start
        QTest::addColumn<int>("levelUps");
        QTest::addColumn<int>("layout"); // the piano's keyboard, -1 for the guitar
        QTest::newRow("piano, single octave") << int(Qt::Key_F3) << 0 << 0 << 0;
        QTest::newRow("full piano, both staves") << int(Qt::Key_F3) << int(Qt::Key_F7) << 11 << 3;
        QTest::newRow("guitar") << int(Qt::Key_F4) << 0 << 2 << -1;
    }

    void wholeQuizByInstrument() {
        QFETCH(int, modeKey);
        QFETCH(int, staffKey);
        QFETCH(int, levelUps);
        QFETCH(int, layout);
        ShownWindow window;
        for (int i = 0; i < levelUps; ++i)
            QTest::keyClick(window.window.get(), '+');
        QTest::keyClick(window.window.get(), Qt::Key(modeKey));
        if (staffKey != 0) {
            QTest::keyClick(window.window.get(), Qt::Key(staffKey));
            QTest::keyClick(window.window.get(), Qt::Key_F9);
        }
        if (layout >= 0)
            QCOMPARE(KeyboardLayoutFor(SettingsOf(*window)), std::uint8_t(layout));
        PlayPerfectQuiz(window, [&] {
            const NoteEntry row = CurrentRow(*window);
            ClickInstrument(window, layout < 0    ? GuitarPointForStep(row.Step)
                                    : layout == 0 ? PianoPointForLetter(row.Letter)
                                                  : PianoPointForStep(layout, row.Step));
        });
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
