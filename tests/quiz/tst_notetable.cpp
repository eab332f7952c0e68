// The note table checked against what a reader of music knows, not against a copy of itself: each row's
// letter is its note's, each head sits on its note's line or space, rising levels admit notes further and
// further from middle C, and the guitar's rows walk up its strings.
#include "NoteTable.h"

#include <QTest>

using namespace quavix;

namespace {

// Where a head's middle lies for a staff step: E4 (step 14) is the treble staff's bottom line at y 62 and
// G2 (step 2) the bass staff's at y 138; a step up is half a line's spacing higher.
int TrebleY(int step) {
    return 62 - 5 * (step - 14);
}
int BassY(int step) {
    return 138 - 5 * (step - 2);
}

NoteTable Built(std::uint8_t mode) {
    NoteTable table{};
    BuildNoteTable(table, mode);
    return table;
}

int Rows(std::uint8_t mode) {
    return mode == GuitarFrets ? GuitarSetRows : StaffSetRows;
}

} // namespace

class NoteTableTest : public QObject {
    Q_OBJECT

private slots:
    void lettersAndHeads_data();
    void lettersAndHeads();
    void levelsAdmitNotesOutwardFromMiddleC();
    void guitarRowsWalkUpTheStrings();
    void aNoteIsDrawnAlikeOnEveryString();
    void backToStaffSetKeepsGuitarRowsBeyondIt();
};

void NoteTableTest::lettersAndHeads_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("note buttons") << int(NoteButtons);
    QTest::newRow("piano") << int(PianoKeys);
    QTest::newRow("guitar") << int(GuitarFrets);
}

// Every row's letter is the letter of its step, and its picture puts the head on the line or space of
// that step, on the staff the row belongs to.
void NoteTableTest::lettersAndHeads() {
    QFETCH(int, mode);
    const NoteTable table = Built(std::uint8_t(mode));
    QCOMPARE(StepLetter(0), 'E');
    QCOMPARE(StepLetter(12), 'C');
    for (int row = 0; row < Rows(std::uint8_t(mode)); ++row) {
        const NoteEntry& note = table[row];
        QCOMPARE(note.Letter, StepLetter(note.Step));
        // The guitar is written on the treble staff; the staff set's odd rows are the bass staff's.
        const bool bass = mode != GuitarFrets && row % 2 == 1;
        const int y = note.Top + HeadOffset(note.Glyph);
        QVERIFY2(y == (bass ? BassY(note.Step) : TrebleY(note.Step)),
                 qPrintable(QStringLiteral("row %1: head at y %2").arg(row).arg(y)));
    }
}

// Rows are admitted in their order as the level rises: in the staff set, middle C on both staves first,
// then treble and bass by turns, each step further from middle C.
void NoteTableTest::levelsAdmitNotesOutwardFromMiddleC() {
    const NoteTable table = Built(NoteButtons);
    for (int row = 0; row < StaffSetRows; ++row) {
        const int distance = row / 2;
        QCOMPARE(table[row].Step, row % 2 == 0 ? 12 + distance : 12 - distance);
    }
}

// Five groups of six rows, one per string from the high E down to the low E, each group the next natural
// note up every string from its open note (written an octave above its sound: E5 B4 G4 D4 A3 E3).
void NoteTableTest::guitarRowsWalkUpTheStrings() {
    constexpr int openStrings[] = {21, 18, 16, 13, 10, 7};
    const NoteTable table = Built(GuitarFrets);
    for (int row = 0; row < GuitarSetRows; ++row)
        QCOMPARE(table[row].Step, openStrings[row % 6] + row / 6);
}

// The same written note, asked on two strings, is drawn the same.
void NoteTableTest::aNoteIsDrawnAlikeOnEveryString() {
    const NoteTable table = Built(GuitarFrets);
    int pairs = 0;
    for (int a = 0; a < GuitarSetRows; ++a)
        for (int b = a + 1; b < GuitarSetRows; ++b)
            if (table[a].Step == table[b].Step) {
                QVERIFY2(table[a] == table[b], qPrintable(QStringLiteral("rows %1 and %2").arg(a).arg(b)));
                ++pairs;
            }
    QVERIFY(pairs > 0);
}

// The staff set fills only its own rows; what a guitar build left beyond them stays.
void NoteTableTest::backToStaffSetKeepsGuitarRowsBeyondIt() {
    NoteTable table = Built(GuitarFrets);
    const NoteTable guitar = table;
    BuildNoteTable(table, PianoKeys);
    for (int i = StaffSetRows; i < NoteTableRows; ++i)
        QVERIFY(table[i] == guitar[i]);
    const NoteTable staff = Built(NoteButtons);
    for (int i = 0; i < StaffSetRows; ++i)
        QVERIFY(table[i] == staff[i]);
}

QTEST_APPLESS_MAIN(NoteTableTest)
#include "tst_notetable.moc"
