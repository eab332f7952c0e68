// The staff in the clefs past treble and bass, looked at as pixels at ratios 1 and 2: each C clef is
// centred on the line it names, every note's head sits on its line or space, the notes at the ends of the
// widest ranges carry all four of their ledger lines, and the guitar's octave-treble clef shows its 8.
#include "StaffRig.h"

#include <QTest>

#include <array>
#include <vector>

using namespace quavix;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

constexpr int NoteX = 140;

} // namespace

class ClefStaffTest : public QObject {
    Q_OBJECT

private slots:
    void cClefOnItsLine_data();
    void cClefOnItsLine();
    void rangeEndsCarryTheirLedgerLines_data();
    void rangeEndsCarryTheirLedgerLines();
    void octaveTrebleShowsItsEight_data();
    void octaveTrebleShowsItsEight();
    void keySignaturesOnEveryClef_data();
    void keySignaturesOnEveryClef();
};

void ClefStaffTest::cClefOnItsLine_data() {
    QTest::addColumn<int>("staff");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("lineY");
    for (double ratio : {1.0, 2.0}) {
        const QByteArray at = " at " + QByteArray::number(ratio);
        QTest::newRow("alto: the middle line" + at) << int(AltoStaff) << ratio << SingleStaffTop + 20;
        QTest::newRow("tenor: the fourth line" + at) << int(TenorStaff) << ratio << SingleStaffTop + 10;
        QTest::newRow("tenor above bass" + at) << int(TenorAndBass) << ratio << TrebleStaffTop + 10;
        QTest::newRow("alto below treble" + at) << int(AltoAndTreble) << ratio << BassStaffTop + 20;
    }
}

// The C clef's heavy bar runs as far above its line as below it.
void ClefStaffTest::cClefOnItsLine() {
    QFETCH(int, staff);
    QFETCH(double, ratio);
    QFETCH(int, lineY);
    StaffRig rig(NoteButtons, StaffChoices(staff), ratio);
    constexpr int BarX = 6 + 4;
    QVERIFY(!rig.DarkRows(BarX, lineY, lineY).isEmpty());
    QList<int> bar{lineY};
    while (!rig.DarkRows(BarX, bar.first() - 1, bar.first() - 1).isEmpty())
        bar.prepend(bar.first() - 1);
    while (!rig.DarkRows(BarX, bar.last() + 1, bar.last() + 1).isEmpty())
        bar.append(bar.last() + 1);
    // As tall as the staff, give or take the bar's ends.
    QVERIFY2(bar.size() >= 40 && bar.size() <= 44, qPrintable(QString::number(bar.size())));
    QVERIFY2(std::abs(bar.first() + bar.last() - 2 * lineY) <= 1,
             qPrintable(QStringLiteral("bar from %1 to %2").arg(bar.first()).arg(bar.last())));
}

void ClefStaffTest::rangeEndsCarryTheirLedgerLines_data() {
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("clef");
    QTest::addColumn<double>("ratio");
    for (double ratio : {1.0, 2.0}) {
        const QByteArray at = " at " + QByteArray::number(ratio);
        QTest::newRow("treble" + at) << int(TrebleStaff) << int(TrebleClef) << ratio;
        QTest::newRow("bass" + at) << int(BassStaff) << int(BassClef) << ratio;
        QTest::newRow("alto" + at) << int(AltoStaff) << int(AltoClef) << ratio;
        QTest::newRow("tenor" + at) << int(TenorStaff) << int(TenorClef) << ratio;
    }
}

// Every note of the widest range of each clef: its head centred on the row of its line or space, and the
// ledger lines between it and the staff, no more and no fewer: four at each end.
void ClefStaffTest::rangeEndsCarryTheirLedgerLines() {
    QFETCH(int, staff);
    QFETCH(int, clef);
    QFETCH(double, ratio);
    StaffRig rig(NoteButtons, StaffChoices(staff), ratio);
    rig.settings.Ranges[clef] = WidestRange(std::uint8_t(clef));
    rig.Paint();
    const int bottomLine = SingleStaffTop + 40;
    int mostLedgers = 0;
    for (int row = 0; row < WidestRange(std::uint8_t(clef)).Count(); ++row) {
        const NoteEntry& note = rig.quiz.Table[row];
        rig.view.DrawNote(note, NoteX);
        const int position = StaffPosition(note.Clef, note.Step);
        const int headY = bottomLine - 5 * position;
        // Left of the head only lines cross the note's strip: the staff's five and the ledger lines.
        const QList<int> lines = rig.DarkRows(NoteX + 1, 0, StaffView::Height - 1);
        const int ledgers = int(lines.size()) - 5;
        QCOMPARE(ledgers, LedgerLinesAt(position));
        for (int y : lines)
            QVERIFY(y % 10 == (SingleStaffTop % 10));
        // The head's ink, away from the lines, is centred on its row.
        QList<int> head;
        for (int y = headY - 9; y <= headY + 9; ++y)
            if (!lines.contains(y) && !rig.DarkRows(NoteX + 8, y, y).isEmpty())
                head << y;
        QVERIFY(!head.isEmpty());
        QVERIFY2(std::abs(head.first() + head.last() - 2 * headY) <= 2,
                 qPrintable(QStringLiteral("position %1: head from %2 to %3, line or space at %4")
                                .arg(position)
                                .arg(head.first())
                                .arg(head.last())
                                .arg(headY)));
        mostLedgers = std::max(mostLedgers, ledgers);
        rig.view.EraseNote(NoteX);
        QCOMPARE(rig.DarkRows(NoteX + 1, 0, StaffView::Height - 1).size(), 5);
    }
    QCOMPARE(mostLedgers, 4);
}

void ClefStaffTest::octaveTrebleShowsItsEight_data() {
    QTest::addColumn<double>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("2") << 2.0;
}

// Under the guitar's treble clef there is nothing until the octave-treble clef is chosen; then its 8
// stands there, below the clef's foot and clear of the staff.
void ClefStaffTest::octaveTrebleShowsItsEight() {
    QFETCH(double, ratio);
    StaffRig rig(GuitarFrets, TrebleStaff, ratio);
    rig.settings.FullRange = true;
    auto inkBelowTheClef = [&rig] {
        int dark = 0;
        for (int x = 6; x < 35; ++x)
            dark += int(rig.DarkRows(x, 81, 91).size());
        return dark;
    };
    rig.Paint();
    QCOMPARE(inkBelowTheClef(), 0);
    rig.settings.OctaveTreble = true;
    rig.Paint();
    QVERIFY(inkBelowTheClef() > 12);
}

void ClefStaffTest::keySignaturesOnEveryClef_data() {
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("ratio");
    // The y of each sign's line or space, in the order written: the upper staff, then the lower one.
    QTest::addColumn<std::vector<int>>("upper");
    QTest::addColumn<std::vector<int>>("lower");
    const int buttons = NoteButtons;
    for (double ratio : {1.0, 2.0}) {
        const QByteArray at = " at " + QByteArray::number(ratio);
        // The alto clef: F sharp in the top space, C sharp on the middle line, ...; B flat in the second
        // space down to F flat on the bottom line.
        QTest::newRow("alto, C sharp major" + at)
            << int(AltoStaff) << buttons << 7 << ratio << std::vector{64, 79, 59, 74, 89, 69, 84}
            << std::vector<int>{};
        QTest::newRow("alto, C flat major" + at)
            << int(AltoStaff) << buttons << -7 << ratio << std::vector{84, 69, 89, 74, 94, 79, 99}
            << std::vector<int>{};
        // The tenor clef's sharps climb from F on the second line; its flats lie a step above the treble's.
        QTest::newRow("tenor, C sharp major" + at)
            << int(TenorStaff) << buttons << 7 << ratio << std::vector{89, 69, 84, 64, 79, 59, 74}
            << std::vector<int>{};
        QTest::newRow("tenor, C flat major" + at)
            << int(TenorStaff) << buttons << -7 << ratio << std::vector{74, 59, 79, 64, 84, 69, 89}
            << std::vector<int>{};
        QTest::newRow("tenor and bass, A major" + at)
            << int(TenorAndBass) << buttons << 3 << ratio << std::vector{52, 32, 47}
            << std::vector{108, 123, 103};
        QTest::newRow("treble and alto, E flat major" + at)
            << int(AltoAndTreble) << buttons << -3 << ratio << std::vector{42, 27, 47}
            << std::vector{123, 108, 128};
        // The grand staff in the treble and bass clefs, the bass's signs a staff and a step below.
        QTest::newRow("grand staff, G major" + at)
            << int(AllStaves) << buttons << 1 << ratio << std::vector{22} << std::vector{108};
        QTest::newRow("grand staff, E flat major" + at)
            << int(AllStaves) << buttons << -3 << ratio << std::vector{42, 27, 47}
            << std::vector{128, 113, 133};
        QTest::newRow("grand staff, C sharp major" + at)
            << int(AllStaves) << buttons << 7 << ratio << std::vector{22, 37, 17, 32, 47, 27, 42}
            << std::vector{108, 123, 103, 118, 133, 113, 128};
        QTest::newRow("grand staff, C flat major" + at)
            << int(AllStaves) << buttons << -7 << ratio << std::vector{42, 27, 47, 32, 52, 37, 57}
            << std::vector{128, 113, 133, 118, 138, 123, 143};
        QTest::newRow("guitar in the octave-treble clef, G major" + at)
            << int(TrebleStaff) << int(GuitarFrets) << 1 << ratio << std::vector{22} << std::vector<int>{};
    }
    QTest::newRow("grand staff, C major")
        << int(AllStaves) << buttons << 0 << 1.0 << std::vector<int>{} << std::vector<int>{};
}

// Each sign's upright (its second column) reaches as far above and below its line or space as the sign
// does and no further, so a sign a step off shows; a sign a column off shows in the column before it.
void ClefStaffTest::keySignaturesOnEveryClef() {
    QFETCH(int, staff);
    QFETCH(int, mode);
    QFETCH(int, key);
    QFETCH(double, ratio);
    QFETCH(std::vector<int>, upper);
    QFETCH(std::vector<int>, lower);
    StaffRig rig(InputModes(mode), StaffChoices(staff), ratio);
    rig.settings.FullRange = mode == GuitarFrets;
    rig.settings.OctaveTreble = mode == GuitarFrets;
    rig.settings.Accidentals = InKey;
    rig.settings.Key = key;
    rig.Paint();
    const bool sharps = key > 0;
    const int advance = sharps ? 8 : 7;
    // Sharp uprights run from 11 above to 12 below the place, a flat's stem from 14 above to 5 below; the
    // rows looked at are never on a staff line.
    const std::array<int, 2> inked = sharps ? std::array{-10, 11} : std::array{-13, 4};
    const std::array<int, 2> clear = sharps ? std::array{-13, 14} : std::array{-16, 8};
    const auto ink = [&rig](int x, int y) { return !rig.DarkRows(x, y, y).isEmpty(); };
    for (const std::vector<int>& places : {upper, lower})
        for (int i = 0; i < int(places.size()); ++i) {
            const int x = 39 + i * advance + 1;
            const int y = places[std::size_t(i)];
            // The column before the sign is clear just above its place, off every staff line.
            QVERIFY2(ink(x, y + inked[0]) && ink(x, y + inked[1]) && !ink(x, y + clear[0]) &&
                         !ink(x, y + clear[1]) && !ink(x - 2, y - 8),
                     qPrintable(QStringLiteral("sign %1 at y %2").arg(i).arg(y)));
        }
    // Nothing where a further sign would go.
    const int after = 39 + int(std::max(upper.size(), lower.size())) * advance + 1;
    for (int y = 0; y < StaffView::Height; ++y)
        if (y % 10 != 2 && y % 10 != 8 && y % 10 != 9) // the staff lines of the grand and single staff
            QVERIFY2(!ink(after, y), qPrintable(QString::number(y)));
}

QTEST_MAIN(ClefStaffTest)
#include "tst_clefstaff.moc"
