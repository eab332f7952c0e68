// Results and progress in the real window: the results command and window, every way of answering
// recorded, the weak-note drill, keeping progress across windows, switching it off, and export. Problems
// with the kept file are tst_progressproblems.
#include "AnswerCsv.h"
#include "Commands.h"
#include "PopUpMessage.h"
#include "ProgressRoom.h"
#include "ProgressStore.h"
#include "ProgressTestSupport.h"
#include "ProgressTrainer.h"
#include "ResultsWindow.h"
#include "WindowTestSupport.h"

#include <QAbstractSlider>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace quavix;

namespace {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestProgressWindow : public QObject {
    Q_OBJECT

private slots:
    void resultsOpenOnlyOnRequestAndNeverBlock();
    void everyWayOfAnsweringIsRecorded();
    void weakNotesWeighTheDrawOnlyWhileChosen();
    void keptProgressComesBackInTheNextWindow();
    void adaptivePracticeAndQuizLengthComeBack();
    void notKeepingWritesNothing();
    void switchingKeepingOffAsks_data();
    void switchingKeepingOffAsks();
    void exportWritesTheAnswers_data();
    void exportWritesTheAnswers();
};

void TestProgressWindow::resultsOpenOnlyOnRequestAndNeverBlock() {
    QTemporaryDir temp;
    Trainer trainer(temp.filePath("data"));
    QAction* results = trainer.Action("actResults");
    QVERIFY(results && !results->isEnabled());
    trainer.Key(Qt::Key_F10); // no quiz has ended: nothing
    QVERIFY(!trainer.Progress().ResultsWindow());

    trainer.PlayQuiz();
    QCOMPARE(trainer.Engine().State.Score, MaxScore); // the quiz and its score as always
    QVERIFY(results->isEnabled());
    QVERIFY(!trainer.Progress().ResultsWindow()); // it never opens by itself

    trainer.Key(Qt::Key_F10);
    TResultsWindow* window = trainer.Progress().ResultsWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QVERIFY(!QApplication::activeModalWidget());
    const QImage first = window->findChild<QLabel*>("imgResults")->pixmap().toImage();
    QVERIFY(!first.isNull());

    // The trainer goes on beside it, and a quiz ended early shows in the open window.
    trainer.Key(Qt::Key_Space);
    QVERIFY(trainer.Engine().State.Running);
    trainer.TypeRight();
    trainer.TypeRight();
    trainer.Key(Qt::Key_Return);
    QVERIFY(!trainer.Engine().State.Running);
    QCOMPARE(int(trainer.Progress().Log().LastQuiz().size()), 2);
    QCOMPARE(trainer.Progress().ResultsWindow(), window);
    QVERIFY(window->findChild<QLabel*>("imgResults")->pixmap().toImage() != first);

    // Choosing Results again brings the same window forward; closing the trainer takes it along.
    trainer.Key(Qt::Key_F10);
    QCOMPARE(trainer.Progress().ResultsWindow(), window);
    QPointer<TResultsWindow> watched = window;
    trainer->close();
    QTRY_VERIFY(!watched);
}

void TestProgressWindow::everyWayOfAnsweringIsRecorded() {
    QTemporaryDir temp;
    Trainer trainer(temp.filePath("data"));
    struct Step {
        const char* mode; // command to choose first, or null
        std::function<void()> answer;
        Outcome outcome;
    };
    auto wrongLetter = [&] { return char('A' + (trainer.Current().Letter - 'A' + 1) % 7); };
    auto instrument = [&] { return Control(*trainer.window, "pbxInstrument"); };
    auto expire = [&] { ExpirePopUp(*trainer); };
    const std::vector<Step> steps = {
        {nullptr, [&] { trainer.TypeRight(); }, Outcome::Right},
        {nullptr,
         [&] {
             QTest::keyClick(trainer.window.get(), wrongLetter());
             expire();
         },
         Outcome::Wrong},
        {nullptr,
         [&] {
             const int index = trainer.Current().Letter - 'A';
             MouseAt(Mouse::Click, Control(*trainer.window, qPrintable(QString("tbNote%1").arg(index))),
                     QPoint(18, 18));
         },
         Outcome::Right},
        {"actPianoKeys",
         [&] { MouseAt(Mouse::Click, instrument(), PianoPointForLetter(trainer.Current().Letter)); },
         Outcome::Right},
        {nullptr,
         [&] {
             MouseAt(Mouse::Click, instrument(), PianoPointForLetter(wrongLetter()));
             expire();
         },
         Outcome::Wrong},
        {nullptr,
         [&] {
             for (int tick = 0; tick <= CountdownStart; ++tick)
                 trainer.Engine().tmrCountTimer();
             expire();
         },
         Outcome::TimedOut},
    };
    trainer.Key(Qt::Key_Space);
    for (const Step& step : steps) {
        if (step.mode)
            trainer.Action(step.mode)->trigger();
        step.answer();
    }
    trainer.Key(Qt::Key_Return);
    // The guitar, in a quiz of its own.
    trainer.Action("actGuitar")->trigger();
    trainer.Key(Qt::Key_Space);
    MouseAt(Mouse::Click, instrument(), GuitarPointForStep(trainer.Current().Step));
    trainer.Key(Qt::Key_Return);

    const auto& answers = trainer.Progress().Log().Answers();
    QCOMPARE(int(answers.size()), int(steps.size()) + 1);
    const std::uint8_t modes[] = {NoteButtons, NoteButtons, NoteButtons, PianoKeys,
                                  PianoKeys,   PianoKeys,   GuitarFrets};
    for (std::size_t i = 0; i < answers.size(); ++i) {
        QCOMPARE(answers[i].InputMode, modes[i]);
        QCOMPARE(answers[i].Result, i < steps.size() ? steps[i].outcome : Outcome::Right);
        QVERIFY(answers[i].Milliseconds >= 0 && answers[i].Milliseconds < 60000);
    }
    // Letters from the keyboard, the buttons and the one-octave piano (which names the letter only), the
    // exact note from the guitar, nothing for a time-out.
    for (int i : {0, 2, 3})
        QCOMPARE(answers[i].Answered, FirstLetterCode + (StepLetter(answers[i].Step) - 'A'));
    QCOMPARE(answers[6].Answered, answers[6].Step);
    QCOMPARE(answers[5].Answered, AnswerRecord::NoAnswer);
}

void TestProgressWindow::weakNotesWeighTheDrawOnlyWhileChosen() {
    QTemporaryDir temp;
    Trainer trainer(temp.filePath("data"));
    QAction* weak = trainer.Action("actPractiseWeakNotes");
    QVERIFY(weak && weak->isCheckable() && !weak->isChecked());
    // A quiz with misses, so there is something to weigh.
    trainer.Key(Qt::Key_Space);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(trainer.window.get(), char('A' + (trainer.Current().Letter - 'A' + 1) % 7));
        ExpirePopUp(*trainer);
    }
    trainer.Key(Qt::Key_Return);
    const auto drawSizes = [&] {
        trainer.random.asked.clear();
        trainer.PlayQuiz();
        return trainer.random.asked;
    };
    // Off: every draw is over the handful of allowed notes.
    for (int n : drawSizes())
        QVERIFY(n <= NoteTableRows);
    weak->trigger();
    QVERIFY(weak->isChecked() && SettingsOf(*trainer).PractiseWeakNotes);
    // On: draws by weight, over the tickets of the notes.
    const auto weighted = drawSizes();
    QVERIFY(std::any_of(weighted.begin(), weighted.end(), [](int n) { return n > NoteTableRows; }));
    weak->trigger();
    QVERIFY(!weak->isChecked());
    for (int n : drawSizes())
        QVERIFY(n <= NoteTableRows);
}

void TestProgressWindow::keptProgressComesBackInTheNextWindow() {
    QTemporaryDir temp;
    const QString folder = temp.filePath("data");
    std::vector<AnswerRecord> played;
    {
        Trainer trainer(folder);
        QAction* keep = trainer.Action("actKeepProgress");
        QVERIFY(keep->isEnabled() && !keep->isChecked());
        keep->trigger();
        QVERIFY(keep->isChecked() && SettingsOf(*trainer).KeepProgress);
        QVERIFY(ProgressStore::IsKept(folder));
        trainer.Action("actPianoKeys")->trigger();
        trainer.Action("actBassNotes")->trigger();
        trainer.Action("actFullRange")->trigger();
        trainer.Action("actPractiseWeakNotes")->trigger();
        trainer.Action("actNoteNames2")->trigger();
        for (int i = 0; i < 4; ++i)
            trainer.Key('+');
        trainer.Key(Qt::Key_Space);
        for (int i = 0; i < 5; ++i)
            MouseAt(Mouse::Click, Control(*trainer.window, "pbxInstrument"),
                    PianoPointForStep(2, trainer.Current().Step));
        trainer.Key(Qt::Key_Return);
        played = trainer.Progress().Log().Answers();
        QCOMPARE(int(played.size()), 5);
    }
    Trainer next(folder);
    const Settings& settings = SettingsOf(*next);
    QCOMPARE(settings.InputMode, std::uint8_t(PianoKeys));
    QCOMPARE(settings.StaffChoice, std::uint8_t(BassStaff));
    QVERIFY(settings.FullRange && settings.PractiseWeakNotes && settings.KeepProgress);
    QCOMPARE(next.Engine().CurrentSettings().Level, 5);
    QCOMPARE(Control<QAbstractSlider>(*next.window, "trkLevel")->value(), 5);
    QVERIFY(next.Action("actKeepProgress")->isChecked() && next.Action("actPractiseWeakNotes")->isChecked());
    QVERIFY(next.Action("actBassNotes")->isChecked() && next.Action("actFullRange")->isChecked());
    // The naming chosen comes back over the locale's, buttons and all.
    QCOMPARE(settings.NoteNaming, std::uint8_t(FixedDo));
    QVERIFY(next.Action("actNoteNames2")->isChecked());
    QCOMPARE(Control<QToolButton>(*next.window, "tbNote2")->accessibleName(), QString("Note Do"));
    QCOMPARE(next.Progress().Store()->Answers(), played);
    QCOMPARE(KeyboardLayoutFor(SettingsOf(*next)), std::uint8_t(2));
}

void TestProgressWindow::adaptivePracticeAndQuizLengthComeBack() {
    QTemporaryDir temp;
    const QString folder = temp.filePath("data");
    {
        Trainer trainer(folder);
        trainer.Action("actKeepProgress")->trigger();
        QAction* weak = trainer.Action("actPractiseWeakNotes");
        QAction* adaptive = trainer.Action("actAdaptivePractice");
        weak->trigger();
        adaptive->trigger();
        // The two kinds of practice exclude each other.
        QVERIFY(adaptive->isChecked() && !weak->isChecked());
        QVERIFY(SettingsOf(*trainer).AdaptivePractice && !SettingsOf(*trainer).PractiseWeakNotes);
        trainer.Action("actQuizLength10")->trigger();
        QVERIFY(trainer.Action("actQuizLength10")->isChecked() &&
                !trainer.Action("actQuizLength20")->isChecked());
        QCOMPARE(Control<ui::TPanel>(*trainer.window, "pnlMaxScore")->Caption(), QString("100"));
        trainer.random.asked.clear();
        trainer.Key(Qt::Key_Space);
        QVERIFY(!trainer.Action("actQuizLength50")->isEnabled()); // a quiz keeps its length
        while (trainer.Engine().State.Running)
            trainer.TypeRight();
        QVERIFY(trainer.Action("actQuizLength50")->isEnabled());
        QCOMPARE(int(trainer.Progress().Log().LastQuiz().size()), 10);
        QCOMPARE(trainer.Engine().State.Score, 100);
        // The mastery model chose the notes, drawing among its fine-grained shares, and heard every answer.
        QVERIFY(std::any_of(trainer.random.asked.begin(), trainer.random.asked.end(),
                            [](int n) { return n > 1000 * NoteTableRows; }));
        QCOMPARE(trainer.Progress().Adaptive().Model().Learner().Answers, 10);
    }
    Trainer next(folder);
    QVERIFY(SettingsOf(*next).AdaptivePractice && SettingsOf(*next).QuizLength == 10);
    QVERIFY(next.Action("actAdaptivePractice")->isChecked() && next.Action("actQuizLength10")->isChecked());
    QCOMPARE(Control<ui::TPanel>(*next.window, "pnlMaxScore")->Caption(), QString("100"));
    // The kept answers were read after the window showed, so the practice carries on where it stopped.
    QCOMPARE(next.Progress().Adaptive().Model().Learner().Answers, 10);
    next.Action("actQuizLength0")->trigger();
    QCOMPARE(Control<ui::TPanel>(*next.window, "pnlMaxScore")->Caption(), QString("\u221E"));
}

void TestProgressWindow::notKeepingWritesNothing() {
    QTemporaryDir temp;
    const QString folder = temp.filePath("data");
    {
        Trainer trainer(folder);
        trainer.Action("actPractiseWeakNotes")->trigger();
        trainer.PlayQuiz();
        trainer.Key(Qt::Key_F10);
        trainer.Action("actGuitar")->trigger();
        trainer.PlayQuiz();
    }
    QVERIFY(!QFileInfo::exists(folder));
    QVERIFY(FilesIn(temp.path()).isEmpty());
}

void TestProgressWindow::switchingKeepingOffAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("stillKept");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("yes: delete") << int(QMessageBox::Yes) << false << QStringList{};
    QTest::newRow("no: put away") << int(QMessageBox::No) << false << QStringList{"progress-paused.sqlite"};
    QTest::newRow("cancel: keep on") << int(QMessageBox::Cancel) << true << QStringList{"progress.sqlite"};
}

void TestProgressWindow::switchingKeepingOffAsks() {
    QFETCH(int, answer);
    QFETCH(bool, stillKept);
    QFETCH(QStringList, files);
    QTemporaryDir temp;
    const QString folder = temp.filePath("data");
    std::size_t played = 0;
    {
        Trainer trainer(folder);
        trainer.Action("actKeepProgress")->trigger();
        trainer.PlayQuiz();
        played = trainer.Progress().Log().Answers().size();
        ModalWatcher watcher{QMessageBox::StandardButton(answer)};
        trainer.Action("actKeepProgress")->trigger();
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(SettingsOf(*trainer).KeepProgress, stillKept);
        QCOMPARE(trainer.Action("actKeepProgress")->isChecked(), stillKept);
        // Answers after switching off go nowhere.
        trainer.PlayQuiz();
    }
    QStringList present = FilesIn(folder);
    present.removeAll("progress.sqlite-wal");
    present.removeAll("progress.sqlite-shm");
    QCOMPARE(present, files);
    // The next start keeps progress only if it was still kept; switching it on again brings back what was
    // put away.
    Trainer next(folder);
    QCOMPARE(SettingsOf(*next).KeepProgress, stillKept);
    if (!stillKept) {
        next.Action("actKeepProgress")->trigger();
        QCOMPARE(next.Progress().Store()->AnswerCount(), answer == QMessageBox::No ? int(played) : 0);
    } else {
        QCOMPARE(next.Progress().Store()->AnswerCount(), int(2 * played));
    }
}

void TestProgressWindow::exportWritesTheAnswers_data() {
    QTest::addColumn<bool>("kept");
    QTest::newRow("this run") << false;
    QTest::newRow("the kept history") << true;
}

void TestProgressWindow::exportWritesTheAnswers() {
    QFETCH(bool, kept);
    QTemporaryDir temp;
    Trainer trainer(temp.filePath("data"));
    trainer.PlayQuiz(); // before keeping: in this run's record only
    if (kept)
        trainer.Action("actKeepProgress")->trigger();
    trainer.PlayQuiz();
    trainer.Key(Qt::Key_F10);
    TResultsWindow* window = trainer.Progress().ResultsWindow();
    QVERIFY(window);
    const QString path = temp.filePath("answers.csv");
    QVERIFY(window->ExportTo(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    std::vector<AnswerRecord> read;
    QString error;
    QVERIFY2(AnswerCsv::Read(file, read, &error), qPrintable(error));
    const auto& all = trainer.Progress().Log().Answers();
    const std::vector<AnswerRecord> expected(kept ? all.end() - NotesPerQuiz : all.begin(), all.end());
    QCOMPARE(read, expected);
    // A place that cannot be written is told in a box, and nothing breaks.
    QVERIFY(!window->ExportTo(temp.filePath("answers.csv/inside.csv")));
}

QTEST_MAIN(TestProgressWindow)
#include "tst_progresswindow.moc"
