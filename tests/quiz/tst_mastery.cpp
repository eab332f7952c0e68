#include "Mastery.h"
#include "MasteryModel.h"
#include "NoteItem.h"
#include "ReviewSchedule.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <unordered_set>

using namespace quavix;

Q_DECLARE_METATYPE(quavix::NoteItem)

namespace {

constexpr std::int64_t Now = 1'796'000'000;
constexpr std::int64_t Day = 86'400;

// The answer model's density e^{δs} on [−1, 1], integrated by Simpson's rule: the expected score and the
// chance of a right answer worked out without the closed forms.
double Integrate(double from, double to, auto f) {
    constexpr int Steps = 2000;
    const double h = (to - from) / Steps;
    double sum = f(from) + f(to);
    for (int i = 1; i < Steps; ++i)
        sum += f(from + i * h) * (i % 2 ? 4 : 2);
    return sum * h / 3;
}

bool Finite(const Rating& r) {
    return std::isfinite(r.Value) && std::fabs(r.Value) <= MaxRating && r.Uncertainty >= 0 &&
           r.Uncertainty <= 1;
}

} // namespace

class MasteryTest : public QObject {
    Q_OBJECT

private slots:
    void itemTextRoundTrips_data();
    void itemTextRoundTrips();
    void itemTextRefusesWhatItCannotWrite_data();
    void itemTextRefusesWhatItCannotWrite();
    void distinctItemsHashApart();
    void expectationMatchesTheAnswerModel();
    void estimateMovesTheRightWayAndStaysBounded();
    void stateTextRoundTripsExactly();
    void stateTextRefusesDamage_data();
    void stateTextRefusesDamage();
    void rebuildTakesAnswersInTimeOrder();
    void rebuildLeavesAbsurdTimesOutOfTheSchedule();
    void rebuildKeepsUnknownNotes();
};

void MasteryTest::itemTextRoundTrips_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<NoteItem>("item");
    QTest::newRow("middle C, treble") << "treble:C4" << NoteItem{TrebleClef, 12, 0};
    QTest::newRow("lowest step, bass") << "bass:E2" << NoteItem{BassClef, 0, 0};
    QTest::newRow("flat") << "bass:Bb2" << NoteItem{BassClef, 4, -1};
    QTest::newRow("sharp, alto") << "alto:F#3" << NoteItem{AltoClef, 8, 1};
    QTest::newRow("double sharp, tenor") << "tenor:D##5" << NoteItem{TenorClef, 20, 2};
    QTest::newRow("negative octave") << "treble8:C-1" << NoteItem{OctaveTrebleClef, -23, 0};
    QTest::newRow("B below C0 belongs to octave -1") << "bass:B-1" << NoteItem{BassClef, -17, 0};
    QTest::newRow("a later version's clef") << "clef9:Gbb7" << NoteItem{9, 37, -2};
}

void MasteryTest::itemTextRoundTrips() {
    QFETCH(QString, text);
    QFETCH(NoteItem, item);
    QCOMPARE(QString::fromStdString(ItemText(item)), text);
    const std::optional<NoteItem> read = ItemFromText(text.toStdString());
    QVERIFY(read.has_value());
    QVERIFY(*read == item);
}

void MasteryTest::itemTextRefusesWhatItCannotWrite_data() {
    QTest::addColumn<QString>("text");
    for (const char* text :
         {"", "treble", "treble:", ":C4", "Treble:C4", "treble:c4", "treble:H4", "treble:C", "treble:C4 ",
          " treble:C4", "treble:C+4", "treble:C#b4", "treble:C###4", "clef2:C4", "clef07:C4", "clef256:C4",
          "clef:C4", "treble:C4700", "treble:C-99999999999"})
        QTest::newRow(*text ? text : "empty") << QString::fromLatin1(text);
}

void MasteryTest::itemTextRefusesWhatItCannotWrite() {
    QFETCH(QString, text);
    QVERIFY(!ItemFromText(text.toStdString()).has_value());
    QCOMPARE(ItemText({TrebleClef, 12, 3}), std::string()); // no note has three sharps
}

void MasteryTest::distinctItemsHashApart() {
    // Negative steps and flats must not spill into the other fields' bits.
    std::unordered_set<std::size_t> hashes;
    int items = 0;
    for (int clef = 0; clef < 6; ++clef)
        for (int step = -300; step <= 300; ++step)
            for (int alteration = -2; alteration <= 2; ++alteration, ++items)
                hashes.insert(std::hash<NoteItem>{}(
                    NoteItem{std::uint8_t(clef), std::int16_t(step), std::int8_t(alteration)}));
    QCOMPARE(int(hashes.size()), items);
}

void MasteryTest::expectationMatchesTheAnswerModel() {
    double before = -1;
    for (double delta : {-12.0, -3.0, -0.5, -1e-4, 0.0, 1e-4, 0.7, 3.0, 12.0}) {
        auto density = [delta](double s) { return std::exp(delta * s); };
        const double total = Integrate(-1, 1, density);
        const double right = Integrate(0, 1, density) / total;
        const double score = Integrate(0, 1, [&](double s) { return s * density(s); }) / total - (1 - right);
        QVERIFY2(std::fabs(ExpectedScore(delta) - score) < 1e-9, qPrintable(QString::number(delta)));
        QVERIFY2(std::fabs(ChanceRight(delta) - right) < 1e-9, qPrintable(QString::number(delta)));
        QVERIFY(ExpectedScore(delta) > before);
        before = ExpectedScore(delta);
    }
    QCOMPARE(ExpectedScore(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

void MasteryTest::estimateMovesTheRightWayAndStaysBounded() {
    // Random readers answer random notes at random times, some absurd; before each answer every possible
    // outcome is tried on a copy, and the one that happens is drawn.
    constexpr std::int32_t Odd[] = {-5000, 0, 11999, 12000, 13000, std::numeric_limits<std::int32_t>::max()};
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        std::mt19937_64 random(seed);
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        MasteryModel model;
        std::int64_t now = Now;
        for (int i = 0; i < 400; ++i) {
            const NoteItem item{std::uint8_t(below(2)), std::int16_t(below(6)), 0};
            now += below(10) == 0 ? -below(1'000'000) : below(3 * Day);
            const int fast = below(12000);
            const int slow = fast + 1 + below(12000 - fast);
            bool bounded = true;
            auto after = [&](bool right, std::int32_t ms) {
                MasteryModel copy = model;
                copy.Record({item, now, right, ms}, now);
                bounded = bounded && Finite(copy.Learner().Ability) && Finite(copy.Find(item)->Difficulty);
                return copy.Fluency(item);
            };
            const double was = model.Fluency(item);
            const double rightFast = after(true, fast);
            const double rightSlow = after(true, slow);
            const double wrong = after(false, below(14000));
            QVERIFY(bounded);
            QVERIFY(rightFast > rightSlow ||
                    rightSlow > 1 - 1e-5); // at the very top nothing can rise further
            QVERIFY(rightSlow > wrong);
            QVERIFY(wrong < was || was < 1e-5);   // at the very bottom nothing can fall further
            QCOMPARE(after(false, 13000), wrong); // a time-out is a wrong answer, whenever it comes
            const std::int32_t ms = below(4) == 0 ? Odd[below(6)] : below(14000);
            model.Record({item, below(50) == 0 ? -now : now, below(3) > 0, ms}, now);
        }
    }
}

void MasteryTest::stateTextRoundTripsExactly() {
    std::vector<ItemAnswer> history;
    for (int i = 0; i < 60; ++i)
        history.push_back({{BassClef, std::int16_t(i % 5), 0}, Now + i * 97, i % 3 != 0, 700 + 131 * i});
    const MasteryModel model = MasteryModel::Rebuild(history, Now + Day);
    for (const auto& [item, state] : model.Items())
        QVERIFY(ItemStateFromText(ItemStateText(state)) == state);
    QVERIFY(LearnerStateFromText(LearnerStateText(model.Learner())) == model.Learner());
    QVERIFY(ItemStateFromText(ItemStateText(ItemState{})) == ItemState{});
}

void MasteryTest::stateTextRefusesDamage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("learner");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("a field short") << "0 1 0 0" << false;
    QTest::newRow("a field over") << "0 1 0 0 0 0" << false;
    QTest::newRow("not a number") << "nan 1 0 0 0" << false;
    QTest::newRow("infinite") << "0 1 0 inf 0" << false;
    QTest::newRow("rating out of range") << "7 1 0 0 0" << false;
    QTest::newRow("uncertainty over 1") << "0 1.5 0 0 0" << false;
    QTest::newRow("negative count") << "0 1 -1 0 0" << false;
    QTest::newRow("stability below the shortest") << "0 1 3 0.05 1796000000" << false;
    QTest::newRow("date before 2000") << "0 1 3 2 5" << false;
    QTest::newRow("decimal comma") << "0,5 1 0 0 0" << false;
    QTest::newRow("two spaces") << "0  1 0 0 0" << false;
    QTest::newRow("trailing space") << "0 1 0 0 0 " << false;
    QTest::newRow("learner, a field over") << "0 1 0 0 0" << true;
    QTest::newRow("learner, count not whole") << "0 1 2.5 0" << true;
    QTest::newRow("learner, date after 9999") << "0 1 2 999999999999" << true;
}

void MasteryTest::stateTextRefusesDamage() {
    QFETCH(QString, text);
    QFETCH(bool, learner);
    if (learner)
        QVERIFY(!LearnerStateFromText(text.toStdString()).has_value());
    else
        QVERIFY(!ItemStateFromText(text.toStdString()).has_value());
}

void MasteryTest::rebuildTakesAnswersInTimeOrder() {
    QVERIFY(MasteryModel::Rebuild({}, Now).Items().empty());
    QCOMPARE(MasteryModel::Rebuild({}, Now).Fluency({TrebleClef, 12, 0}), 0.5);

    std::vector<ItemAnswer> history;
    for (int i = 0; i < 200; ++i)
        history.push_back(
            {{std::uint8_t(i % 2), std::int16_t(i % 7), 0}, Now + i * 3600, i % 4 != 0, 900 + 40 * i});
    const MasteryModel ordered = MasteryModel::Rebuild(history, Now + 300 * Day);
    std::shuffle(history.begin(), history.end(), std::mt19937(3));
    const MasteryModel shuffled = MasteryModel::Rebuild(history, Now + 300 * Day);
    QVERIFY(shuffled.Items() == ordered.Items());
    QVERIFY(shuffled.Learner() == ordered.Learner());
}

void MasteryTest::rebuildLeavesAbsurdTimesOutOfTheSchedule() {
    // A clock set to 1970, to the far future or to nonsense must not make a note due for centuries or never:
    // such answers count for how well the note is read, not for when it comes back.
    const NoteItem kept{TrebleClef, 14, 0};
    const NoteItem lost{BassClef, 3, 0};
    const std::vector<ItemAnswer> dated = {{kept, Now - 2 * Day, true, 1500}, {kept, Now - Day, true, 2000}};
    std::vector<ItemAnswer> history = dated;
    for (const std::int64_t at : {std::int64_t(0), std::int64_t(-5), std::numeric_limits<std::int64_t>::min(),
                                  std::numeric_limits<std::int64_t>::max(), Now + 3650 * Day}) {
        history.push_back({kept, at, false, 4000});
        history.push_back({lost, at, true, 1000});
    }
    const MasteryModel model = MasteryModel::Rebuild(history, Now);
    QCOMPARE(model.DueAt(kept), MasteryModel::Rebuild(dated, Now).DueAt(kept));
    QCOMPARE(model.Find(kept)->Answers, 7);
    QCOMPARE(model.Find(lost)->LastSeen, std::int64_t(0));
    QVERIFY(!model.IsDue(lost, std::numeric_limits<std::int64_t>::max()));
    QVERIFY(model.Fluency(lost) > 0.5); // five right answers still count
    for (const auto& [item, state] : model.Items())
        QVERIFY(Finite(state.Difficulty) &&
                std::isfinite(model.ChanceRightNow(item, std::numeric_limits<std::int64_t>::min())));
}

void MasteryTest::rebuildKeepsUnknownNotes() {
    // Notes of a later version (another clef, a step far outside today's range) and notes outside the
    // current range are kept as they are, and their text survives storing.
    const std::vector<ItemAnswer> history = {{{9, 300, 1}, Now, true, 800},
                                             {{TrebleClef, -200, -2}, Now + 10, false, 3000},
                                             {{TrebleClef, 12, 0}, Now + 20, true, 900}};
    const MasteryModel model = MasteryModel::Rebuild(history, Now + 30);
    QCOMPARE(int(model.Items().size()), 3);
    for (const auto& [item, state] : model.Items()) {
        QVERIFY(ItemFromText(ItemText(item)) == item);
        QCOMPARE(state.Answers, 1);
    }
    MasteryModel restored;
    restored.Restore(model.Learner(), model.Items());
    QVERIFY(restored.Items() == model.Items());

    AnswerRecord record;
    record.Staff = BassStaff;
    record.Step = 10;
    record.AnsweredMs = Now * 1000 + 999;
    record.Result = Outcome::TimedOut;
    record.Milliseconds = 13000;
    const ItemAnswer answer = ItemAnswerOf(record);
    QVERIFY(answer.Item == (NoteItem{BassClef, 10, 0}));
    QCOMPARE(answer.At, Now);
    QVERIFY(!answer.Right);
}

QTEST_APPLESS_MAIN(MasteryTest)
#include "tst_mastery.moc"
