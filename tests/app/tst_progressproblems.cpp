// Problems with kept progress in the real window: a damaged table found at start or by an answer, adaptive
// practice over a kept (or damaged) history, and a disk that fills up in the middle of a quiz.
#include "ProgressStore.h"
#include "ProgressTestSupport.h"
#include "ProgressTrainer.h"

#include <QDir>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace quavix;

class TestProgressProblems : public QObject {
    Q_OBJECT

private slots:
    void damagedTableIsToldAndTheRestCarried_data();
    void damagedTableIsToldAndTheRestCarried();
    void adaptivePracticeReadsWhatTheKeptFileHolds_data();
    void adaptivePracticeReadsWhatTheKeptFileHolds();
    void fullDiskStopsKeepingInTheMiddleOfAQuiz();
};

// One table of a kept file damaged: found at start (the options) or by the first answer (the answers or
// their hourly sums). Either way the user is told once, in the words of a damaged file, and the trainer goes
// on; what still reads is in the new file, and so is the answer that found the damage. (A file damaged as a
// whole takes the same way; the store's tests try every kind of damage.)
void TestProgressProblems::damagedTableIsToldAndTheRestCarried_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("optionsKept");
    QTest::addColumn<bool>("answersKept");
    QTest::newRow("the options") << "options" << false << true;
    QTest::newRow("the hourly sums") << "note_hours" << true << true;
    QTest::newRow("the answers") << "answers" << true << false;
}

void TestProgressProblems::damagedTableIsToldAndTheRestCarried() {
    QFETCH(QString, table);
    QFETCH(bool, optionsKept);
    QFETCH(bool, answersKept);
    QTemporaryDir temp;
    const QString folder = temp.filePath("data");
    const auto earlier = SampleAnswers(400, 30);
    QVERIFY(KeepEarlierSession(folder, earlier));
    QVERIFY(DamageTable(QDir(folder).filePath("progress.sqlite"), table));

    Trainer trainer(folder);
    QVERIFY(SettingsOf(*trainer).KeepProgress);
    QCOMPARE(SettingsOf(*trainer).InputMode, optionsKept ? PianoKeys : NoteButtons);
    QCOMPARE(SettingsOf(*trainer).Level, optionsKept ? 3 : 1);
    trainer.Key(Qt::Key_Space);
    if (SettingsOf(*trainer).InputMode == PianoKeys)
        MouseAt(Mouse::Click, Control(*trainer.window, "pbxInstrument"),
                PianoPointForStep(KeyboardLayoutFor(SettingsOf(*trainer)), trainer.Current().Step));
    else
        trainer.TypeRight();
    QTRY_COMPARE(trainer->findChildren<QMessageBox*>("ProgressProblemBox").size(), 1);
    auto* box = trainer->findChild<QMessageBox*>("ProgressProblemBox");
    QVERIFY2(box->text().startsWith("Your kept progress could not be read. Quavix has put it aside as"),
             qPrintable(box->text()));
    QVERIFY(!QApplication::activeModalWidget()); // beside the trainer, which does not wait for it
    QCOMPARE(QDir(folder).entryList({"progress-damaged-*.sqlite"}).size(), 1);

    std::vector<AnswerRecord> expected = answersKept ? earlier : std::vector<AnswerRecord>{};
    expected.push_back(trainer.Progress().Log().Answers().back());
    QCOMPARE(trainer.Progress().Store()->Answers(), expected);
    QCOMPARE(trainer.Progress().Store()->Options().at("input"), QString(optionsKept ? "piano" : "buttons"));
    trainer.PlayQuiz();
    QCOMPARE(trainer->findChildren<QMessageBox*>("ProgressProblemBox").size(), 1); // told once
}

// Adaptive practice chosen over a kept history: it carries on from every answer that reads, and over a
// damaged file it tells the damage and goes on with what was carried.
void TestProgressProblems::adaptivePracticeReadsWhatTheKeptFileHolds_data() {
    QTest::addColumn<bool>("damaged");
    QTest::newRow("intact") << false;
    QTest::newRow("the answers damaged") << true;
}

void TestProgressProblems::adaptivePracticeReadsWhatTheKeptFileHolds() {
    QFETCH(bool, damaged);
    QTemporaryDir temp;
    const QString folder = temp.filePath("data");
    const auto earlier = SampleAnswers(400, 31);
    QVERIFY(KeepEarlierSession(folder, earlier));
    if (damaged)
        QVERIFY(DamageTable(QDir(folder).filePath("progress.sqlite"), "answers"));

    Trainer trainer(folder);
    trainer.Action("actAdaptivePractice")->trigger();
    const int carried = int(trainer.Progress().Store()->Answers().size());
    QCOMPARE(trainer.Progress().Adaptive().Model().Learner().Answers, carried);
    // The damage the practice's reading meets is told; what is set aside, and how, is the store's test.
    if (damaged)
        QTRY_COMPARE(trainer->findChildren<QMessageBox*>("ProgressProblemBox").size(), 1);
    else
        QCOMPARE(carried, 400);
    trainer.Key(Qt::Key_Space);
    for (int i = 0; i < 5; ++i)
        MouseAt(Mouse::Click, Control(*trainer.window, "pbxInstrument"),
                PianoPointForStep(KeyboardLayoutFor(SettingsOf(*trainer)), trainer.Current().Step));
    QCOMPARE(trainer.Progress().Adaptive().Model().Learner().Answers, carried + 5);
    QCOMPARE(int(trainer.Progress().Store()->Answers().size()), carried + 5);
}

void TestProgressProblems::fullDiskStopsKeepingInTheMiddleOfAQuiz() {
    QTemporaryDir temp;
    Trainer trainer(temp.filePath("data"));
    trainer.Action("actKeepProgress")->trigger();
    {
        // SQLite meets a file at its page limit exactly as a full disk.
        QSqlQuery query(QSqlDatabase::database(trainer.Progress().Store()->ConnectionName()));
        QVERIFY(query.exec("PRAGMA page_count") && query.next());
        const int pages = query.value(0).toInt();
        QVERIFY(query.exec(QString("PRAGMA max_page_count = %1").arg(pages + 2)));
    }
    int quizzes = 0;
    while (trainer.Progress().Store() && quizzes++ < 40)
        trainer.PlayQuiz();
    QVERIFY2(!trainer.Progress().Store(), "the file never filled up");
    // The quiz went on to its end; keeping is off, and said once.
    QCOMPARE(trainer.Engine().State.Score, MaxScore);
    QTRY_VERIFY(!SettingsOf(*trainer).KeepProgress);
    QVERIFY(!trainer.Action("actKeepProgress")->isChecked());
    QTRY_COMPARE(trainer->findChildren<QMessageBox*>("ProgressProblemBox").size(), 1);
    QVERIFY(trainer->findChild<QMessageBox*>("ProgressProblemBox")->text().contains("disk is full"));
    // What the file holds afterwards is the store's own test.
}

QTEST_MAIN(TestProgressProblems)
#include "tst_progressproblems.moc"
