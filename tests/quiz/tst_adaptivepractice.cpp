#include "AdaptivePicker.h"
#include "MasteryModel.h"
#include "ReviewSchedule.h"
#include "SimulatedLearner.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace quavix;
using namespace quavix::simulation;

namespace {

constexpr std::int64_t Now = 1'796'000'000;
constexpr std::int64_t Day = 86'400;

NoteItem Note(int step) {
    return {TrebleClef, std::int16_t(step), 0};
}

// A model where each listed note was answered `times` times, a minute apart, right in `ms` or wrong.
void Practise(MasteryModel& model, std::int64_t& at, const std::vector<NoteItem>& notes, int times,
              bool right, int ms) {
    for (int i = 0; i < times; ++i)
        for (const NoteItem& note : notes) {
            model.Record({note, at, right, ms}, at);
            at += 60;
        }
}

double ExpectedSuccess(const MasteryModel& model, const std::vector<NoteItem>& notes,
                       const std::vector<double>& shares, std::int64_t now) {
    double sum = 0;
    for (std::size_t i = 0; i < notes.size(); ++i)
        sum += shares[i] * model.ChanceRightNow(notes[i], now);
    return sum;
}

// Days until the note is due, after the answers given.
double Interval(const MasteryModel& model, const NoteItem& note) {
    return double(model.DueAt(note) - model.Find(note)->LastSeen) / Day;
}

} // namespace

class AdaptivePracticeTest : public QObject {
    Q_OBJECT

private slots:
    void neverAsksTheSameNoteTwiceRunning_data();
    void neverAsksTheSameNoteTwiceRunning();
    void newNotesComeInOneAtATime();
    void keepsTheExpectedSuccessOnTarget();
    void reviewComesBackAfterItsInterval_data();
    void reviewComesBackAfterItsInterval();
    void dueNoteIsAskedAgain();
    void simulatedLearnerPractisesWhatItDoesNotKnow();
};

void AdaptivePracticeTest::neverAsksTheSameNoteTwiceRunning_data() {
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<int>("previous");
    QTest::addColumn<QList<int>>("allowed"); // the picks that may come
    QTest::newRow("no candidates") << QList<int>{} << -1 << QList<int>{-1};
    QTest::newRow("one candidate may repeat") << QList<int>{12} << 0 << QList<int>{0};
    QTest::newRow("one note on two strings") << QList<int>{12, 12} << 1 << QList<int>{0, 1};
    QTest::newRow("two notes alternate") << QList<int>{12, 14} << 0 << QList<int>{1};
    QTest::newRow("the same note elsewhere") << QList<int>{12, 14, 12, 16} << 0 << QList<int>{1, 3};
    QTest::newRow("a previous out of range") << QList<int>{12, 14} << 7 << QList<int>{0, 1};
}

void AdaptivePracticeTest::neverAsksTheSameNoteTwiceRunning() {
    QFETCH(QList<int>, steps);
    QFETCH(int, previous);
    QFETCH(QList<int>, allowed);
    std::vector<NoteItem> notes;
    for (int step : steps)
        notes.push_back(Note(step));
    // Fresh, half known and fully known models: the rule holds whatever the estimates say.
    for (int known = 0; known < 3; ++known) {
        MasteryModel model;
        std::int64_t at = Now;
        Practise(model, at, {Note(12)}, known * 4, true, 1000);
        ClockSeededRandom random(known + 1);
        for (int i = 0; i < 200; ++i)
            QVERIFY(allowed.contains(AdaptivePicker().Pick(model, notes, previous, at, random)));
    }
}

void AdaptivePracticeTest::newNotesComeInOneAtATime() {
    const std::vector<NoteItem> notes = {Note(10), Note(11), Note(12), Note(13), Note(14), Note(15)};
    const AdaptivePicker picker;
    MasteryModel model;
    std::int64_t at = Now;
    // Nothing answered yet: the first note in the levels' order comes first, and alone.
    QCOMPARE(picker.Shares(model, notes, -1, at), (std::vector<double>{1, 0, 0, 0, 0, 0}));

    // Three notes still being learned: the new ones wait.
    Practise(model, at, {notes[0], notes[1], notes[2]}, 2, false, 5000);
    std::vector<double> shares = picker.Shares(model, notes, 0, at);
    QCOMPARE(shares[3] + shares[4] + shares[5], 0.0);

    // Once they are fluent, the next new note (only that one) comes in, and strongly.
    Practise(model, at, {notes[0], notes[1], notes[2]}, 12, true, 900);
    shares = picker.Shares(model, notes, 0, at);
    QVERIFY(shares[3] >= AdaptivePicker::NewcomerShare - 1e-9);
    QCOMPARE(shares[4] + shares[5], 0.0);
}

void AdaptivePracticeTest::keepsTheExpectedSuccessOnTarget() {
    // Fluent notes and hard ones: the expected chance of a right answer is the target, for each target.
    std::vector<NoteItem> notes;
    for (int step = 0; step < 10; ++step)
        notes.push_back(Note(step));
    MasteryModel model;
    std::int64_t at = Now;
    Practise(model, at, {notes.begin(), notes.begin() + 7}, 6, true, 1200);
    Practise(model, at, {notes.begin() + 7, notes.end()}, 3, false, 6000);
    for (double target : {0.75, 0.8, 0.85}) {
        const AdaptivePicker picker(target);
        const std::vector<double> shares = picker.Shares(model, notes, 0, at);
        QCOMPARE(shares[0], 0.0);
        QVERIFY(std::fabs(ExpectedSuccess(model, notes, shares, at) - target) < 1e-6);
    }
    // Only fluent notes left, nothing new: as hard as it gets, with every note still possible.
    const std::vector<NoteItem> fluent(notes.begin(), notes.begin() + 7);
    const std::vector<double> shares = AdaptivePicker().Shares(model, fluent, -1, at);
    QVERIFY(ExpectedSuccess(model, fluent, shares, at) > 0.8);
    QVERIFY(*std::min_element(shares.begin(), shares.end()) > 0);
}

void AdaptivePracticeTest::reviewComesBackAfterItsInterval_data() {
    QTest::addColumn<int>("situation");
    QTest::addColumn<double>("shortest"); // days until due, at least ...
    QTest::addColumn<double>("longest");  // ... and at most
    // A first right answer in 1.2 s (score 0.9) brings the note back 1.4 days later.
    QTest::newRow("one fast right answer") << 0 << 1.39 << 1.41;
    QTest::newRow("twenty in ten minutes gain almost nothing") << 1 << 1.4 << 1.5;
    QTest::newRow("reviewed when due, fast: about three times as long") << 2 << 3.5 << 5.0;
    QTest::newRow("a month's memory, then a slip") << 3 << 0.1 << 10.0;
    QTest::newRow("a month's memory, then a time-out") << 4 << 0.1 << 10.0;
    QTest::newRow("wrong from the start: next sitting") << 5 << 0.1 << 0.11;
}

void AdaptivePracticeTest::reviewComesBackAfterItsInterval() {
    QFETCH(int, situation);
    QFETCH(double, shortest);
    QFETCH(double, longest);
    const NoteItem note = Note(12);
    MasteryModel model;
    std::int64_t at = Now;
    auto answer = [&](bool right, int ms) { model.Record({note, at, right, ms}, at); };
    switch (situation) {
    case 0:
        answer(true, 1200);
        break;
    case 1:
        for (int i = 0; i < 20; ++i, at += 30)
            answer(true, 1200);
        break;
    case 2:
        answer(true, 1200);
        at = model.DueAt(note);
        answer(true, 1200);
        break;
    case 3:
    case 4:
        answer(true, 1200);
        while (Interval(model, note) < 30) {
            at = model.DueAt(note);
            answer(true, 1000);
        }
        at += 60;
        answer(false, situation == 3 ? 2000 : 13000);
        break;
    default:
        answer(false, 3000);
    }
    const double days = Interval(model, note);
    QVERIFY2(days >= shortest && days <= longest, qPrintable(QString::number(days)));
    // Not due a minute before, due a minute after.
    QVERIFY(!model.IsDue(note, model.DueAt(note) - 60));
    QVERIFY(model.IsDue(note, model.DueAt(note) + 60));
}

void AdaptivePracticeTest::dueNoteIsAskedAgain() {
    // A sitting with three notes being learned among fluent ones. The note answered once yesterday goes due
    // during the sitting: from then on the odds of asking it are more than twice what they were a minute
    // before, and it comes within the next quiz.
    std::vector<NoteItem> notes;
    for (int step = 10; step < 18; ++step)
        notes.push_back(Note(step));
    MasteryModel model;
    std::int64_t at = Now;
    Practise(model, at, {notes[0]}, 1, true, 1000);
    const std::int64_t due = model.DueAt(notes[0]);
    at = due - 2 * 3600;
    Practise(model, at, {notes.begin() + 1, notes.begin() + 5}, 8, true, 1000);
    Practise(model, at, {notes.begin() + 5, notes.end()}, 3, false, 5000);
    Practise(model, at, {notes.begin() + 5, notes.end()}, 2, true, 4000);
    QVERIFY(at < due && model.DueAt(notes[1]) > due + Day);

    const AdaptivePicker picker;
    const double before = picker.Shares(model, notes, 3, due - 60)[0];
    const double after = picker.Shares(model, notes, 3, due + 60)[0];
    const double odds = (after / (1 - after)) / (before / (1 - before));
    QVERIFY2(odds > 2, qPrintable(QString("%1 -> %2").arg(before).arg(after)));
    ClockSeededRandom random(11);
    int previous = 3;
    int asked = 0;
    for (int i = 0; i < 20; ++i)
        asked += (previous = picker.Pick(model, notes, previous, due + 60, random)) == 0 ? 1 : 0;
    QVERIFY(asked > 0);
}

void AdaptivePracticeTest::simulatedLearnerPractisesWhatItDoesNotKnow() {
    // Figures of bench_mastery --simulate, with bounds loose enough for any seed.
    const std::vector<Profile> profiles = Profiles();
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        for (int p : {0, 1}) { // knows all but 4; knows treble, not bass
            const RunFigures uniform = Run(Policy::Uniform, profiles[p].Knows, seed, 300);
            const RunFigures adaptive = Run(Policy::Adaptive, profiles[p].Knows, seed, 300);
            QVERIFY2(
                adaptive.UnknownShare() > uniform.UnknownShare() + 0.1,
                qPrintable(
                    QString("%1: %2 vs %3").arg(p).arg(adaptive.UnknownShare()).arg(uniform.UnknownShare())));
        }
        // A beginner is kept near the target, where the uniform draw leaves it failing a third of the notes.
        const RunFigures beginner = Run(Policy::Adaptive, profiles[2].Knows, seed, 300);
        QVERIFY(beginner.FirstOnTarget > 0 && beginner.FirstOnTarget <= 100);
        QVERIFY(std::fabs(beginner.SuccessAfterSettling(Window) - 0.8) < 0.06);
        QVERIFY(Run(Policy::Uniform, profiles[2].Knows, seed, 300).SuccessAfterSettling(Window) < 0.72);
        // A reader who knows every note meets them all within three quizzes.
        const RunFigures expert = Run(Policy::Adaptive, profiles[3].Knows, seed, 60);
        QVERIFY(expert.AllAskedAfter > 0 && expert.AllAskedAfter <= 60);
    }
}

QTEST_APPLESS_MAIN(AdaptivePracticeTest)
#include "tst_adaptivepractice.moc"
