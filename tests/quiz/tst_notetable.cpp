#include "NoteTable.h"

#include <QTest>

using namespace quavix;

class NoteTableTest : public QObject {
    Q_OBJECT

private slots:
    void staffSet_data();
    void staffSet();
    void guitarSet_data();
    void guitarSet();
    void everyLetterMatchesItsStep();
    void backToStaffSetKeepsGuitarRowsBeyondIt();
    void sameWrittenNoteOnTwoStrings();
    void letters();
};

namespace {
void AddRows(const std::vector<NoteEntry>& rows) {
    QTest::addColumn<int>("row");
    QTest::addColumn<NoteEntry>("expected");
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        QTest::addRow("row %d", i) << i << rows[i];
}
} // namespace

Q_DECLARE_METATYPE(quavix::NoteEntry)

void NoteTableTest::staffSet_data() {
    AddRows({{'C', 12, 36, 1}, {'C', 12, 82, 3}, {'D', 13, 31, 0}, {'B', 11, 87, 2}, {'E', 14, 26, 0},
             {'A', 10, 92, 2}, {'F', 15, 21, 0}, {'G', 9, 97, 2},  {'G', 16, 16, 0}, {'F', 8, 102, 2},
             {'A', 17, 11, 0}, {'E', 7, 107, 2}, {'B', 18, 6, 0},  {'D', 6, 112, 2}, {'C', 19, 31, 2},
             {'C', 5, 87, 0},  {'D', 20, 26, 2}, {'B', 4, 92, 0},  {'E', 21, 21, 2}, {'A', 3, 97, 0},
             {'F', 22, 16, 2}, {'G', 2, 102, 0}, {'G', 23, 11, 2}, {'F', 1, 107, 0}, {'A', 24, 6, 3},
             {'E', 0, 112, 1}});
}

void NoteTableTest::staffSet() {
    QFETCH(int, row);
    QFETCH(NoteEntry, expected);
    NoteTable table{};
    BuildNoteTable(table, NoteButtons);
    const NoteEntry& got = table[row];
    QCOMPARE(got.Letter, expected.Letter);
    QCOMPARE(got.Step, expected.Step);
    QCOMPARE(got.Top, expected.Top);
    QCOMPARE(int(got.Glyph), int(expected.Glyph));
    // The piano builds the same staff set as the note buttons.
    NoteTable piano{};
    BuildNoteTable(piano, PianoKeys);
    QVERIFY(piano[row] == got);
}

void NoteTableTest::guitarSet_data() {
    AddRows({{'E', 21, 21, 2}, {'B', 18, 6, 0},  {'G', 16, 16, 0}, {'D', 13, 31, 0}, {'A', 10, 36, 5},
             {'E', 7, 36, 8},  {'F', 22, 16, 2}, {'C', 19, 31, 2}, {'A', 17, 11, 0}, {'E', 14, 26, 0},
             {'B', 11, 36, 4}, {'F', 8, 36, 7},  {'G', 23, 11, 2}, {'D', 20, 26, 2}, {'B', 18, 6, 0},
             {'F', 15, 21, 0}, {'C', 12, 36, 1}, {'G', 9, 36, 6},  {'A', 24, 6, 3},  {'E', 21, 21, 2},
             {'C', 19, 31, 2}, {'G', 16, 16, 0}, {'D', 13, 31, 0}, {'A', 10, 36, 5}, {'B', 25, 1, 9},
             {'F', 22, 16, 2}, {'D', 20, 26, 2}, {'A', 17, 11, 0}, {'E', 14, 26, 0}, {'B', 11, 36, 4}});
}

void NoteTableTest::guitarSet() {
    QFETCH(int, row);
    QFETCH(NoteEntry, expected);
    NoteTable table{};
    BuildNoteTable(table, GuitarFrets);
    const NoteEntry& got = table[row];
    QCOMPARE(got.Letter, expected.Letter);
    QCOMPARE(got.Step, expected.Step);
    QCOMPARE(got.Top, expected.Top);
    QCOMPARE(int(got.Glyph), int(expected.Glyph));
    QCOMPARE(int(GuitarSteps[row]), expected.Step);
}

void NoteTableTest::everyLetterMatchesItsStep() {
    for (std::uint8_t mode : {NoteButtons, GuitarFrets}) {
        NoteTable table{};
        BuildNoteTable(table, mode);
        const int rows = mode == GuitarFrets ? GuitarSetRows : StaffSetRows;
        for (int i = 0; i < rows; ++i)
            QCOMPARE(table[i].Letter, NoteLetter((table[i].Step + 4) % 7));
    }
}

void NoteTableTest::backToStaffSetKeepsGuitarRowsBeyondIt() {
    NoteTable table{};
    BuildNoteTable(table, GuitarFrets);
    const NoteTable guitar = table;
    BuildNoteTable(table, PianoKeys);
    for (int i = StaffSetRows; i < NoteTableRows; ++i)
        QVERIFY(table[i] == guitar[i]);
    QCOMPARE(table[0].Top, 36); // rows 0..25 are the staff set again
    QCOMPARE(table[25].Step, 0);
}

void NoteTableTest::sameWrittenNoteOnTwoStrings() {
    NoteTable table{};
    BuildNoteTable(table, GuitarFrets);
    const std::pair<int, int> pairs[] = {{0, 19}, {1, 14}, {2, 21}, {3, 22},  {4, 23}, {6, 25},
                                         {7, 20}, {8, 27}, {9, 28}, {10, 29}, {13, 26}};
    for (auto [a, b] : pairs)
        QVERIFY2(table[a] == table[b], qPrintable(QString("rows %1 and %2").arg(a).arg(b)));
}

void NoteTableTest::letters() {
    QCOMPARE(NoteLetter(0), 'A');
    QCOMPARE(NoteLetter(6), 'G');
    QCOMPARE(StepLetter(0), 'E');
    QCOMPARE(StepLetter(12), 'C');
    QCOMPARE(StepLetter(26), 'C');
    QCOMPARE(std::strlen(StaffLetters), std::size_t(StaffSetRows));
    QCOMPARE(std::strlen(GuitarLetters), std::size_t(GuitarSetRows));
}

QTEST_APPLESS_MAIN(NoteTableTest)
#include "tst_notetable.moc"
