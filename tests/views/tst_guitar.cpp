#include "ColourScheme.h"
#include "Guitar.h"
#include "NoteTable.h"

#include <QTest>

#include <algorithm>

using namespace quavix;

namespace {

constexpr int BoxWidth = 377;
constexpr int BoxHeight = 101;
constexpr int StringRows[] = {17, 30, 43, 56, 69, 82};
constexpr int Wires[] = {26, 73, 115, 153, 187, 218, 246, 272, 296, 318, 338, 357, 375};

bool IsStringRow(int y) {
    for (int row : StringRows)
        if (row == y)
            return true;
    return false;
}

Canvas PaintedBoard(bool rich, FretPosition marker = {}) {
    Canvas canvas(QSize(BoxWidth, BoxHeight));
    PaintFretboard(canvas, rich, marker);
    return canvas;
}

} // namespace

class TestGuitar : public QObject {
    Q_OBJECT

private slots:
    void positionAt_data();
    void positionAt();
    void fretZones_data();
    void fretZones();
    void board_data();
    void board();
    void dots_data();
    void dots();
    void marker();
    void lowestPosition_data();
    void lowestPosition();
    void everyGuitarQuizNoteIsOnItsString();
};

void TestGuitar::positionAt_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("note");
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("fret");

    QTest::newRow("open high E") << 10 << 17 << 21 << 1 << 0;
    QTest::newRow("open low E") << 10 << 82 << 7 << 6 << 0;
    QTest::newRow("open string, far left") << -40 << 30 << 18 << 2 << 0;
    QTest::newRow("open string, x 24") << 24 << 43 << 16 << 3 << 0;
    QTest::newRow("C5 on string 2 fret 1") << 50 << 30 << 19 << 2 << 1;
    QTest::newRow("G#4 has no answer") << 50 << 43 << -1 << 3 << 1;
    QTest::newRow("string 1 fret 10") << 330 << 17 << -1 << 1 << 10;
    QTest::newRow("C6 can be answered") << 290 << 17 << 26 << 1 << 8;
    QTest::newRow("B5 on string 2 fret 12") << 365 << 30 << 25 << 2 << 12;

    // String bands: StringY - 6 .. StringY + 5; single rows between them hit nothing.
    QTest::newRow("above the strings") << 50 << 10 << -1 << 0 << -1;
    QTest::newRow("string 1 top row") << 10 << 11 << 21 << 1 << 0;
    QTest::newRow("string 1 bottom row") << 10 << 22 << 21 << 1 << 0;
    QTest::newRow("row 23") << 10 << 23 << -1 << 0 << -1;
    QTest::newRow("string 2 top row") << 10 << 24 << 18 << 2 << 0;
    QTest::newRow("string 2 bottom row") << 10 << 35 << 18 << 2 << 0;
    QTest::newRow("row 36") << 10 << 36 << -1 << 0 << -1;
    QTest::newRow("string 3 rows 37-48") << 10 << 48 << 16 << 3 << 0;
    QTest::newRow("row 49") << 10 << 49 << -1 << 0 << -1;
    QTest::newRow("string 4 top row 50") << 10 << 50 << 13 << 4 << 0;
    QTest::newRow("row 62") << 10 << 62 << -1 << 0 << -1;
    QTest::newRow("string 5 top row 63") << 10 << 63 << 10 << 5 << 0;
    QTest::newRow("row 75") << 10 << 75 << -1 << 0 << -1;
    QTest::newRow("string 6 top row 76") << 10 << 76 << 7 << 6 << 0;
    QTest::newRow("string 6 bottom row 87") << 10 << 87 << 7 << 6 << 0;
    QTest::newRow("below the strings") << 10 << 88 << -1 << 0 << -1;

    QTest::newRow("wire of fret 1 at x 74") << 74 << 30 << -1 << 2 << -1;
    QTest::newRow("last wire, x 377") << 377 << 30 << -1 << 2 << -1;
    QTest::newRow("right of the box") << 378 << 30 << -1 << 2 << -1;
    QTest::newRow("far right") << 900 << 82 << -1 << 6 << -1;
}

void TestGuitar::positionAt() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, note);
    QFETCH(int, string);
    QFETCH(int, fret);
    int foundString = -7;
    int foundFret = -7;
    QCOMPARE(FretPositionAt(x, y, foundString, foundFret), note);
    QCOMPARE(foundString, string);
    if (fret >= 0)
        QCOMPARE(foundFret, fret);
}

void TestGuitar::fretZones_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("fret"); // -1: a wire zone

    const int ranges[13][2] = {{-1000, 24}, {29, 71},   {76, 113},  {118, 151}, {156, 185},
                               {190, 216},  {221, 244}, {249, 270}, {275, 294}, {299, 316},
                               {321, 336},  {341, 355}, {360, 373}};
    for (int fret = 0; fret <= 12; ++fret) {
        if (fret > 0)
            QTest::addRow("fret %d from x %d", fret, ranges[fret][0]) << ranges[fret][0] << fret;
        QTest::addRow("fret %d to x %d", fret, ranges[fret][1]) << ranges[fret][1] << fret;
    }
    const int wires[13][2] = {{25, 28},   {72, 75},   {114, 117}, {152, 155}, {186, 189},
                              {217, 220}, {245, 248}, {271, 274}, {295, 298}, {317, 320},
                              {337, 340}, {356, 359}, {374, 377}};
    for (const auto& wire : wires) {
        QTest::addRow("wire from x %d", wire[0]) << wire[0] << -1;
        QTest::addRow("wire to x %d", wire[1]) << wire[1] << -1;
    }
}

void TestGuitar::fretZones() {
    QFETCH(int, x);
    QFETCH(int, fret);
    for (int s = 1; s <= 6; ++s) {
        int foundString = 0;
        int foundFret = -7;
        const int note = FretPositionAt(x, StringRows[s - 1], foundString, foundFret);
        QCOMPARE(foundString, s);
        if (fret < 0) {
            QCOMPARE(note, -1);
        } else {
            QCOMPARE(foundFret, fret);
            QCOMPARE(note, int(FretNoteTable[s - 1][fret]));
        }
    }
}

void TestGuitar::board_data() {
    QTest::addColumn<bool>("rich");
    QTest::addColumn<uint>("band");
    QTest::addColumn<uint>("edge");
    QTest::addColumn<uint>("cell");
    QTest::addColumn<uint>("string");
    QTest::newRow("rich") << true << 0x80B5BFu << 0x68938Bu << 0x602020u << 0xE0E0E0u;
    QTest::newRow("plain") << false << 0x000000u << 0x000080u << 0x800080u << 0x00FFFFu;
}

// Every pixel of the board outside the dots: bands, edges, head, nut, wires, cells and strings.
void TestGuitar::board() {
    QFETCH(bool, rich);
    QFETCH(uint, band);
    QFETCH(uint, edge);
    QFETCH(uint, cell);
    QFETCH(uint, string);
    const Canvas canvas = PaintedBoard(rich);
    const QRect dotColumns[] = {
        {130, 26, 10, 48}, {198, 26, 10, 48}, {255, 26, 10, 48}, {303, 26, 10, 48}, {362, 26, 10, 48}};
    for (int y = 0; y < BoxHeight; ++y)
        for (int x = 0; x < BoxWidth; ++x) {
            bool onDot = false;
            for (const QRect& column : dotColumns)
                onDot = onDot || column.contains(x, y);
            if (onDot)
                continue;
            QRgb expected;
            if (y <= 9 || y >= 91)
                expected = band;
            else if (y <= 11 || y >= 89)
                expected = edge;
            else if (IsStringRow(y))
                expected = string;
            else if (x <= 25)
                expected = 0x000000;
            else if (x == 26)
                expected = 0xC0A0A0;
            else if (x == 27)
                expected = 0x808080;
            else {
                expected = cell;
                for (int wire : Wires) {
                    if (x == wire && wire != 26)
                        expected = 0xC0C0C0;
                    if (x == wire + 1 && wire != 26)
                        expected = 0x808080;
                }
            }
            if (canvas.Pixel(x, y) != expected)
                QFAIL(qPrintable(QString("pixel (%1, %2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(canvas.Pixel(x, y), 6, 16, QChar('0'))
                                     .arg(expected, 6, 16, QChar('0'))));
        }
}

void TestGuitar::dots_data() {
    QTest::addColumn<bool>("rich");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("present");
    for (bool rich : {true, false}) {
        const char* set = rich ? "rich" : "plain";
        QTest::addRow("%s fret 3", set) << rich << 130 << 45 << true;
        QTest::addRow("%s fret 5 upper", set) << rich << 198 << 26 << true;
        QTest::addRow("%s fret 5 centre absent", set) << rich << 198 << 45 << false;
        QTest::addRow("%s fret 5 lower", set) << rich << 198 << 64 << true;
        QTest::addRow("%s fret 7", set) << rich << 255 << 45 << true;
        QTest::addRow("%s fret 7 upper absent", set) << rich << 255 << 26 << false;
        QTest::addRow("%s fret 9", set) << rich << 303 << 45 << true;
        QTest::addRow("%s fret 12 upper", set) << rich << 362 << 26 << true;
        QTest::addRow("%s fret 12 centre", set) << rich << 362 << 45 << true;
        QTest::addRow("%s fret 12 lower", set) << rich << 362 << 64 << true;
    }
}

// A dot fills exactly the 10 x 10 box from its left/top corner: outline on the box's middle rows and
// columns, the fill inside, the cell around it.
void TestGuitar::dots() {
    QFETCH(bool, rich);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, present);
    const Canvas canvas = PaintedBoard(rich);
    const QRgb cell = FretCellColour(rich);
    const QRgb outline = DotOutlineColour(rich);
    const QRgb fill = DotFillColour(rich);
    const auto at = [&](int x, int y) {
        // Strings cross the upper and lower dots; read a row off the string instead.
        return canvas.Pixel(x, IsStringRow(y) ? y + 1 : y);
    };
    const int midX = left + 4;
    const int midY = top + 5;
    if (!present) {
        QCOMPARE(at(midX, midY), cell);
        QCOMPARE(at(left, midY), cell);
        return;
    }
    QCOMPARE(at(left - 1, midY), cell);
    QCOMPARE(at(left, midY), outline);
    QCOMPARE(at(left + 9, midY), outline);
    QCOMPARE(at(left + 10, midY), cell);
    QCOMPARE(at(midX, top - 1), cell);
    QCOMPARE(at(midX, top), outline);
    QCOMPARE(at(midX, top + 9), outline);
    QCOMPARE(at(midX, top + 10), cell);
    QCOMPARE(at(midX, midY), fill);
    QCOMPARE(at(left, top), cell); // round, not square
    // The box is symmetric: the outline's extent is the same from both sides.
    for (int y = top; y < top + 10; ++y)
        for (int x = left; x < left + 10; ++x)
            if (!IsStringRow(y) && !IsStringRow(2 * top + 9 - y))
                QCOMPARE(canvas.Pixel(x, y), canvas.Pixel(2 * left + 9 - x, 2 * top + 9 - y));
}

// A held MIDI key shows where a reader in the first position plays it: the lowest fret with the note, an
// open string where there is one.
void TestGuitar::lowestPosition_data() {
    QTest::addColumn<int>("note"); // a written step
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("fret"); // -1: nowhere on the board
    QTest::newRow("E3, the open low E") << 7 << 6 << 0;
    QTest::newRow("F3, low E fret 1") << 8 << 6 << 1;
    QTest::newRow("middle C, A string fret 3") << 12 << 5 << 3;
    QTest::newRow("A4, G string fret 2, not D fret 7") << 17 << 3 << 2;
    QTest::newRow("E5, the open high E, not B fret 5") << 21 << 1 << 0;
    QTest::newRow("C6, high E fret 8") << 26 << 1 << 8;
    QTest::newRow("D2, below the guitar") << 6 << 0 << -1;
    QTest::newRow("no note") << -1 << 0 << -1;
}

void TestGuitar::lowestPosition() {
    QFETCH(int, note);
    QFETCH(int, string);
    QFETCH(int, fret);
    int foundString = 0;
    int foundFret = -1;
    QCOMPARE(LowestPositionOf(note, foundString, foundFret), fret >= 0);
    if (fret < 0)
        return;
    QCOMPARE(foundString, string);
    QCOMPARE(foundFret, fret);
}

// Each row of the guitar quiz names a string (six rows a round, high E to low E); the note it asks can be
// played on that string, so the board can answer every note the quiz asks where the quiz means it.
void TestGuitar::everyGuitarQuizNoteIsOnItsString() {
    NoteTable table{};
    BuildNoteTable(table, GuitarFrets);
    for (int row = 0; row < GuitarSetRows; ++row) {
        const auto& string = FretNoteTable[static_cast<std::size_t>(row % 6)];
        QVERIFY2(std::find(string.begin(), string.end(), table[row].Step) != string.end(),
                 qPrintable(QStringLiteral("row %1, step %2").arg(row).arg(table[row].Step)));
    }
}

void TestGuitar::marker() {
    for (bool rich : {true, false}) {
        const Canvas canvas = PaintedBoard(rich, FretPosition{19, 2, 1});
        // 7 x 7 yellow at x 63..69, rows 27..33, red 65..67, rows 29..31, string 2 across row 30.
        for (int y = 26; y <= 34; ++y)
            for (int x = 62; x <= 70; ++x) {
                QRgb expected = FretCellColour(rich);
                if (y == 30)
                    expected = StringColour(rich);
                else if (x >= 65 && x <= 67 && y >= 29 && y <= 31)
                    expected = 0xFF0000;
                else if (x >= 63 && x <= 69 && y >= 27 && y <= 33)
                    expected = 0xFFFF00;
                QCOMPARE(canvas.Pixel(x, y), expected);
            }
    }
    // The open-string marker lies right of the box and changes nothing.
    QCOMPARE(PaintedBoard(true, FretPosition{21, 1, 0}).Image(), PaintedBoard(true).Image());
    // Behind the fret-12 wire on string 5 the marker covers part of the lower dot.
    const Canvas onDot = PaintedBoard(true, FretPosition{17, 5, 12});
    QCOMPARE(onDot.Pixel(365, 66), QRgb(0xFFFF00));
    QCOMPARE(onDot.Pixel(367, 68), QRgb(0xFF0000));
    QCOMPARE(onDot.Pixel(367, 69), QRgb(0xE0E0E0));
    QCOMPARE(onDot.Pixel(364, 67), DotFillColour(true));
}

QTEST_GUILESS_MAIN(TestGuitar)
#include "tst_guitar.moc"
