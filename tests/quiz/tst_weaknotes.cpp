#include "AnswerRecord.h"
#include "NoteFigures.h"
#include "QuizEngine.h"
#include "RecordingFrontEnd.h"
#include "WeakKeys.h"
#include "WeakNotes.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <map>
#include <optional>

using namespace quavix;

namespace {

struct Rig {
    RecordingFrontEnd front;
    ClockSeededRandom random;
    Settings settings;
    QuizEngine quiz{front, random, settings};
    std::map<NoteKey, NoteTally> run;
    WeakNotes weights{quiz, run};

    Rig(InputModes mode, StaffChoices staff, int level, std::uint64_t seed = 4242,
        AccidentalChoices accidentals = NaturalsOnly, int key = 0)
        : random(seed) {
        settings.Accidentals = accidentals;
        settings.Key = key;
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        settings.Level = level;
        quiz.BuildNoteTable();
        quiz.SetNoteWeights(&weights);
        quiz.BeginQuiz();
    }
    NoteKey KeyOfRow(int row) const { return {StaffOfRow(row, settings.InputMode), quiz.Table[row].Step}; }
    void Answer(int row, Outcome result, int ms, int times) {
        AnswerRecord record;
        record.Step = quiz.Table[row].Step;
        record.Staff = StaffOfRow(row, settings.InputMode);
        record.Result = result;
        record.Milliseconds = ms;
        for (int i = 0; i < times; ++i)
            run[record.Key()].Add(record);
    }
    std::map<int, int> Draws(int count) {
        std::map<int, int> seen;
        for (int i = 0; i < count; ++i) {
            quiz.PickNote();
            ++seen[quiz.State.CurrentNote];
        }
        return seen;
    }
};

// A weight source with fixed weights per row, for the engine's side of the weighting.
class FixedWeights final : public NoteWeightSource {
public:
    std::map<int, double> weights;
    double Weight(int row) const override {
        auto found = weights.find(row);
        return found == weights.end() ? 1.0 : found->second;
    }
};

NoteTally Tally(int rights, int rightMs, int misses) {
    NoteTally tally;
    AnswerRecord record;
    record.Milliseconds = rightMs;
    for (int i = 0; i < rights; ++i)
        tally.Add(record);
    record.Result = Outcome::Wrong;
    for (int i = 0; i < misses; ++i)
        tally.Add(record);
    return tally;
}

} // namespace

class WeakNotesTest : public QObject {
    Q_OBJECT

private slots:
    void withoutDataTheDrawIsTheUniformOne_data();
    void withoutDataTheDrawIsTheUniformOne();
    void missedThreeTimesComesTwiceAsOften_data();
    void missedThreeTimesComesTwiceAsOften();
    void allowedRowsAndNoRepeatHold_data();
    void allowedRowsAndNoRepeatHold();
    void weakerTallyWeighsMore_data();
    void weakerTallyWeighsMore();
    void historyAddsAndFades();
    void eachSpellingIsANoteOfItsOwn();
    void aRowWeighsAsItsWeakestAskedSpelling_data();
    void aRowWeighsAsItsWeakestAskedSpelling();
    void weakestKey_data();
    void weakestKey();
};

void WeakNotesTest::withoutDataTheDrawIsTheUniformOne_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("level");
    QTest::newRow("treble, level 1 (repeats allowed)") << int(NoteButtons) << int(TrebleStaff) << 1;
    QTest::newRow("all staves, level 7") << int(PianoKeys) << int(AllStaves) << 7;
    QTest::newRow("guitar, level 12") << int(GuitarFrets) << int(TrebleStaff) << 12;
}

void WeakNotesTest::withoutDataTheDrawIsTheUniformOne() {
    // Equal weights must ask exactly what no weights ask, draw for draw, and take just as much chance.
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, level);
    Rig weighted(InputModes(mode), StaffChoices(staff), level);
    Rig plain(InputModes(mode), StaffChoices(staff), level);
    plain.quiz.SetNoteWeights(nullptr);
    // Answers of notes outside this pool change nothing either.
    weighted.run[{BassStaff, 29}] = Tally(0, 0, 9);
    for (int i = 0; i < 3000; ++i) {
        weighted.quiz.PickNote();
        plain.quiz.PickNote();
        QCOMPARE(weighted.quiz.State.CurrentNote, plain.quiz.State.CurrentNote);
    }
    QCOMPARE(weighted.random.RandomBelow(1 << 30), plain.random.RandomBelow(1 << 30));
}

void WeakNotesTest::missedThreeTimesComesTwiceAsOften_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("weakRow");
    QTest::addColumn<int>("strongRow");
    QTest::addColumn<bool>("fromHistory");
    QTest::newRow("treble, level 6") << int(NoteButtons) << int(TrebleStaff) << 6 << 4 << 10 << false;
    QTest::newRow("bass, level 12") << int(PianoKeys) << int(BassStaff) << 12 << 25 << 1 << false;
    QTest::newRow("all staves, level 4") << int(NoteButtons) << int(AllStaves) << 4 << 1 << 0 << false;
    QTest::newRow("guitar, level 3") << int(GuitarFrets) << int(TrebleStaff) << 3 << 8 << 2 << false;
    QTest::newRow("misses kept from an earlier day")
        << int(NoteButtons) << int(TrebleStaff) << 6 << 4 << 10 << true;
}

void WeakNotesTest::missedThreeTimesComesTwiceAsOften() {
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, level);
    QFETCH(int, weakRow);
    QFETCH(int, strongRow);
    QFETCH(bool, fromHistory);
    Rig rig(InputModes(mode), StaffChoices(staff), level);
    rig.Answer(strongRow, Outcome::Right, 900, 5);
    if (fromHistory) {
        NoteFigures missed;
        missed.Key = rig.KeyOfRow(weakRow);
        missed.Asked = missed.Wrong = 2;
        missed.TimedOut = 1;
        missed.Asked = 3;
        rig.weights.SetHistory(BlendHistory({{missed.Key, missed}}, {{missed.Key, missed}}));
    } else {
        rig.Answer(weakRow, Outcome::Wrong, 3000, 2);
        rig.Answer(weakRow, Outcome::TimedOut, 13000, 1);
    }
    const auto seen = rig.Draws(60000);
    const int weak = seen.count(weakRow) ? seen.at(weakRow) : 0;
    const int strong = seen.count(strongRow) ? seen.at(strongRow) : 0;
    QVERIFY2(weak >= 2 * strong, qPrintable(QString("weak %1, strong %2").arg(weak).arg(strong)));
    QVERIFY(strong > 0);
}

void WeakNotesTest::allowedRowsAndNoRepeatHold_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("allowed");
    QTest::addColumn<bool>("repeats");
    QTest::newRow("treble level 1") << int(NoteButtons) << int(TrebleStaff) << 1 << QList<int>{0, 2} << true;
    QTest::newRow("bass level 1") << int(NoteButtons) << int(BassStaff) << 1 << QList<int>{1, 3} << true;
    QTest::newRow("all level 1") << int(NoteButtons) << int(AllStaves) << 1 << QList<int>{0, 1, 2, 3} << true;
    QTest::newRow("treble level 2") << int(NoteButtons) << int(TrebleStaff) << 2 << QList<int>{0, 2, 4}
                                    << false;
    QTest::newRow("bass level 2") << int(NoteButtons) << int(BassStaff) << 2 << QList<int>{1, 3, 5} << false;
    QTest::newRow("all level 3") << int(PianoKeys) << int(AllStaves) << 3
                                 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << false;
    QTest::newRow("bass level 12") << int(NoteButtons) << int(BassStaff) << 12
                                   << QList<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25} << false;
    // The guitar ignores the staff choice.
    QTest::newRow("guitar level 1, bass chosen")
        << int(GuitarFrets) << int(BassStaff) << 1 << QList<int>{0, 1, 2} << false;
    QTest::newRow("guitar level 2") << int(GuitarFrets) << int(TrebleStaff) << 2
                                    << QList<int>{0, 1, 2, 3, 4, 5} << false;
}

void WeakNotesTest::allowedRowsAndNoRepeatHold() {
    // Without weights, with the heaviest and lightest weights the formula gives, weights that are no number
    // at all, and weights far beyond the formula's: only allowed rows come, none twice running where the
    // engine forbids it (and some do where it allows it), and (but for the last) every allowed row comes now
    // and then.
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, level);
    QFETCH(QList<int>, allowed);
    QFETCH(bool, repeats);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::optional<std::map<int, double>> variants[] = {
        std::nullopt,
        std::map<int, double>{{allowed.front(), 6.99}, {allowed.back(), 1}},
        std::map<int, double>{
            {allowed.front(), nan}, {allowed.back(), -5}, {29, std::numeric_limits<double>::infinity()}},
        std::map<int, double>{{allowed.front(), 1e9}, {allowed.back(), 1e-9}},
    };
    for (const auto& variant : variants) {
        Rig rig(InputModes(mode), StaffChoices(staff), level);
        FixedWeights fixed;
        if (variant) {
            fixed.weights = *variant;
            rig.quiz.SetNoteWeights(&fixed);
        } else {
            rig.quiz.SetNoteWeights(nullptr);
        }
        std::map<int, int> seen;
        int previous = rig.quiz.State.CurrentNote;
        int repeated = 0;
        for (int i = 0; i < 100000; ++i) {
            rig.quiz.PickNote();
            const int row = rig.quiz.State.CurrentNote;
            if (!allowed.contains(row) || rig.quiz.State.PreviousNote != row)
                QFAIL(qPrintable(QString("row %1 is not allowed or not remembered").arg(row)));
            repeated += row == previous ? 1 : 0;
            previous = row;
            ++seen[row];
        }
        if (&variant != &variants[3])
            QCOMPARE(int(seen.size()), int(allowed.size()));
        QCOMPARE(repeated > 0, repeats);
    }
}

void WeakNotesTest::weakerTallyWeighsMore_data() {
    QTest::addColumn<int>("weakRights");
    QTest::addColumn<int>("weakMs");
    QTest::addColumn<int>("weakMisses");
    QTest::addColumn<int>("strongRights");
    QTest::addColumn<int>("strongMs");
    QTest::addColumn<int>("strongMisses");
    QTest::newRow("one miss against none") << 0 << 0 << 1 << 0 << 0 << 0;
    QTest::newRow("more misses") << 2 << 1000 << 3 << 2 << 1000 << 1;
    QTest::newRow("same misses among fewer answers") << 1 << 1000 << 2 << 8 << 1000 << 2;
    QTest::newRow("slow against fast") << 4 << 7000 << 0 << 4 << 1500 << 0;
    QTest::newRow("slower") << 4 << 12000 << 0 << 4 << 5000 << 0;
    QTest::newRow("slow with misses against slow") << 4 << 9000 << 1 << 4 << 9000 << 0;
}

void WeakNotesTest::weakerTallyWeighsMore() {
    QFETCH(int, weakRights);
    QFETCH(int, weakMs);
    QFETCH(int, weakMisses);
    QFETCH(int, strongRights);
    QFETCH(int, strongMs);
    QFETCH(int, strongMisses);
    const double weak = WeakWeight(Tally(weakRights, weakMs, weakMisses));
    const double strong = WeakWeight(Tally(strongRights, strongMs, strongMisses));
    QVERIFY2(weak > strong, qPrintable(QString("%1 <= %2").arg(weak).arg(strong)));
    QVERIFY(strong >= 1);
}

void WeakNotesTest::historyAddsAndFades() {
    Rig rig(NoteButtons, TrebleStaff, 6);
    const NoteKey key = rig.KeyOfRow(4);
    const double none = rig.weights.WeightOf(key);
    QCOMPARE(none, WeakWeight({}));

    NoteFigures missed;
    missed.Key = key;
    missed.Asked = missed.Wrong = 2;
    // The same two misses weigh more this week than three weeks ago.
    rig.weights.SetHistory(BlendHistory({{key, missed}}, {{key, missed}}));
    const double recent = rig.weights.WeightOf(key);
    rig.weights.SetHistory(BlendHistory({}, {{key, missed}}));
    const double older = rig.weights.WeightOf(key);
    QVERIFY(recent > older);
    QVERIFY(older > none);

    // This run's misses add to the history's.
    rig.Answer(4, Outcome::Wrong, 2000, 1);
    QVERIFY(rig.weights.WeightOf(key) > older);
    // And with fast right answers this run the note fades again.
    rig.Answer(4, Outcome::Right, 800, 12);
    QVERIFY(rig.weights.WeightOf(key) < older);
}

void WeakNotesTest::eachSpellingIsANoteOfItsOwn() {
    // F4, F sharp 4 and G flat 4 (written on G's step): three notes in the figures, each with its own count.
    constexpr int F4 = 15;
    std::vector<AnswerRecord> answers(6);
    for (AnswerRecord& answer : answers)
        answer.Step = F4;
    answers[1].Alteration = answers[2].Alteration = 1;
    answers[2].Result = Outcome::Wrong;
    answers[3].Step = answers[4].Step = answers[5].Step = F4 + 1;
    answers[3].Alteration = answers[4].Alteration = answers[5].Alteration = -1;
    const auto figures = SummariseByNote(answers);
    QCOMPARE(figures.size(), std::size_t(3));
    // Weakest first: the sharp, missed once of two.
    QCOMPARE(figures[0].Key, (NoteKey{TrebleStaff, F4, 1}));
    QCOMPARE(figures[0].Asked, 2);
    QCOMPARE(figures[0].Wrong, 1);
    const auto flat = std::find_if(figures.begin(), figures.end(),
                                   [](const NoteFigures& f) { return f.Key.Alteration == -1; });
    QVERIFY(flat != figures.end());
    QCOMPARE(flat->Asked, 3);
}

void WeakNotesTest::aRowWeighsAsItsWeakestAskedSpelling_data() {
    QTest::addColumn<int>("accidentals");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("missed");  // the alteration of F4 missed three times
    QTest::addColumn<bool>("weighs"); // whether the F4 row weighs more than an untouched one
    QTest::newRow("naturals only: a weak sharp is not asked") << int(NaturalsOnly) << 0 << 1 << false;
    QTest::newRow("naturals only: a weak natural is") << int(NaturalsOnly) << 0 << 0 << true;
    QTest::newRow("free signs: the weak sharp brings its letter back")
        << int(SharpsAndFlats) << 0 << 1 << true;
    QTest::newRow("D major asks F sharp") << int(InKey) << 2 << 1 << true;
    QTest::newRow("D major: a weak F natural is not asked") << int(InKey) << 2 << 0 << false;
    QTest::newRow("G flat major: F sharp is not asked") << int(InKey) << -6 << 1 << false;
}

void WeakNotesTest::aRowWeighsAsItsWeakestAskedSpelling() {
    QFETCH(int, accidentals);
    QFETCH(int, key);
    QFETCH(int, missed);
    QFETCH(bool, weighs);
    Rig rig(NoteButtons, TrebleStaff, 6, 4242, AccidentalChoices(accidentals), key);
    int row = 0;
    while (row < NoteTableRows &&
           (rig.quiz.Table[row].Letter != 'F' || StaffOfRow(row, NoteButtons) != TrebleStaff))
        ++row;
    QVERIFY(row < NoteTableRows);
    NoteKey weak = rig.KeyOfRow(row);
    weak.Alteration = static_cast<std::int8_t>(missed);
    rig.run[weak] = Tally(0, 0, 3);
    QCOMPARE(rig.weights.Weight(row) > 1, weighs);
    if (weighs)
        QCOMPARE(rig.weights.Weight(row), WeakWeight(Tally(0, 0, 3)));
}

void WeakNotesTest::weakestKey_data() {
    // Answers as (key signature, right, missed); NoKey is a note asked with no signature.
    constexpr int NoKey = AnswerRecord::NoKeySignature;
    QTest::addColumn<QList<QList<int>>>("answers");
    QTest::addColumn<int>("weakest"); // NoKey: none
    QTest::newRow("no history") << QList<QList<int>>{} << NoKey;
    QTest::newRow("only notes without a signature") << QList<QList<int>>{{NoKey, 0, 9}} << NoKey;
    QTest::newRow("C major is a key like the others") << QList<QList<int>>{{NoKey, 0, 9}, {0, 5, 0}} << 0;
    QTest::newRow("the most missed") << QList<QList<int>>{{2, 8, 1}, {-3, 4, 5}, {5, 6, 2}} << -3;
    QTest::newRow("the same share missed weighs more over more answers")
        << QList<QList<int>>{{1, 2, 2}, {-1, 4, 4}} << -1;
    QTest::newRow("equal in all: fewer signs") << QList<QList<int>>{{-4, 1, 1}, {3, 1, 1}} << 3;
}

void WeakNotesTest::weakestKey() {
    QFETCH(QList<QList<int>>, answers);
    QFETCH(int, weakest);
    std::vector<AnswerRecord> records;
    for (const QList<int>& group : answers) {
        AnswerRecord record;
        record.KeySignature = static_cast<std::int8_t>(group[0]);
        record.Milliseconds = 1000;
        records.insert(records.end(), static_cast<std::size_t>(group[1]), record);
        record.Result = Outcome::Wrong;
        records.insert(records.end(), static_cast<std::size_t>(group[2]), record);
    }
    // Half in this run, half in the history: the two add up.
    const std::size_t half = records.size() / 2;
    const KeyTallies history = TallyKeys(std::span(records).first(half));
    const auto found = WeakestKey(CombineKeys(TallyKeys(std::span(records).subspan(half)), history));
    QCOMPARE(found.value_or(AnswerRecord::NoKeySignature), weakest);
}

QTEST_APPLESS_MAIN(WeakNotesTest)
#include "tst_weaknotes.moc"
