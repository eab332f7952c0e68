#include "Piano.h"

#include <QTest>

#include <vector>

using namespace quavix;

namespace {

constexpr int BoxWidth = 377;
constexpr int BoxHeight = 101;
constexpr QRgb Grey = 0xE0E0E0;
constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Cyan = 0xE0FFFF;
constexpr QRgb Black = 0x000000;
constexpr QRgb Red = 0xFF0000;

struct Span {
    int From; // inclusive
    int To;   // exclusive
    bool Contains(int x) const { return x >= From && x < To; }
};

// The expected picture of one layout, written out from the drawing table rather than derived from the code.
struct ExpectedKeyboard {
    std::vector<Span> Grey;
    Span White;
    Span Cyan; // empty when the layout has no middle-C highlight
    int FirstLine;
    int LineStep;
    int LineCount;
    std::vector<int> BlackBoundaries;
    int BlackLeft;  // black key covers b - BlackLeft ..
    int BlackRight; // .. b + BlackRight (exclusive)
    int BlackHeight;
    int KeyHeight;

    QRgb At(int x, int y) const {
        if (y >= KeyHeight + 5)
            return 0x400000;
        if (y >= KeyHeight)
            return 0xC04000;
        for (int boundary : BlackBoundaries) {
            const int b = FirstLine + LineStep * boundary;
            if (y < BlackHeight && x >= b - BlackLeft && x < b + BlackRight)
                return Black;
        }
        if (x >= FirstLine && (x - FirstLine) % LineStep == 0 && (x - FirstLine) / LineStep < LineCount)
            return Black;
        if (Cyan.Contains(x))
            return ::Cyan;
        if (White.Contains(x))
            return ::White;
        return ::Grey;
    }
};

ExpectedKeyboard Expected(int layout, bool fullRange) {
    switch (layout) {
    case 0:
        return {{{0, 92}, {284, 377}},     {92, 284}, {0, 0}, 68, 24, 11,
                {0, 2, 3, 5, 6, 7, 9, 10}, 6,         7,      60, 96};
    case 1:
        return {{{0, 20}, {356, 377}},
                {20, 356},
                fullRange ? Span{20, 44} : Span{0, 0},
                20,
                24,
                15,
                {1, 2, 4, 5, 6, 8, 9, 11, 12, 13},
                6,
                7,
                60,
                96};
    case 2:
        return {{{0, 32}, {344, 377}},
                {32, 344},
                fullRange ? Span{320, 344} : Span{0, 0},
                32,
                24,
                14,
                {0, 2, 3, 4, 6, 7, 9, 10, 11, 13},
                6,
                7,
                60,
                96};
    default: {
        std::vector<int> black;
        for (int b = 0; b <= 25; ++b)
            if (b != 1 && b != 5 && b != 8 && b != 12 && b != 15 && b != 19 && b != 22)
                black.push_back(b);
        return {{{0, 1}, {376, 377}},
                {1, 376},
                fullRange ? Span{181, 196} : Span{0, 0},
                1,
                15,
                26,
                black,
                4,
                5,
                44,
                68};
    }
    }
}

QImage Painted(int layout, bool fullRange) {
    Canvas canvas(QSize(BoxWidth, BoxHeight));
    PaintPiano(canvas, PianoLayouts[layout], fullRange);
    return canvas.Image();
}

} // namespace

class TestPiano : public QObject {
    Q_OBJECT

private slots:
    void keyLeft_data();
    void keyLeft();
    void paint_data();
    void paint();
    void keyAt_data();
    void keyAt();
    void marker_data();
    void marker();
    void markerOutsideLayoutDrawsNothing();
};

void TestPiano::keyLeft_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("single octave") << 0 << 68 << 308;
    QTest::newRow("treble") << 1 << 20 << 356;
    QTest::newRow("bass") << 2 << 32 << 344;
    QTest::newRow("all notes") << 3 << 1 << 376;
}

void TestPiano::keyLeft() {
    QFETCH(int, layout);
    QFETCH(int, left);
    QFETCH(int, right);
    const PianoGeometry& g = PianoLayouts[layout];
    QCOMPARE(KeyLeft(g, BoxWidth, 0), left);
    QCOMPARE(KeyLeft(g, BoxWidth, g.KeyCount), right);
}

void TestPiano::paint_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("fullRange");
    QTest::newRow("single octave") << 0 << false;
    QTest::newRow("treble") << 1 << true;
    QTest::newRow("bass") << 2 << true;
    QTest::newRow("all notes") << 3 << true;
    // Middle C is highlighted only in the full range.
    QTest::newRow("treble, single-octave range") << 1 << false;
    QTest::newRow("all notes, single-octave range") << 3 << false;
}

void TestPiano::paint() {
    QFETCH(int, layout);
    QFETCH(bool, fullRange);
    const QImage image = Painted(layout, fullRange);
    const ExpectedKeyboard expected = Expected(layout, fullRange);
    for (int y = 0; y < BoxHeight; ++y)
        for (int x = 0; x < BoxWidth; ++x) {
            const QRgb got = image.pixel(x, y) & 0xFFFFFF;
            if (got != expected.At(x, y))
                QFAIL(qPrintable(QString("pixel (%1, %2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(got, 6, 16, QChar('0'))
                                     .arg(expected.At(x, y), 6, 16, QChar('0'))));
        }
}

void TestPiano::keyAt_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("key");

    // Single octave: keys 24 wide from x 68, black keys 60 high.
    QTest::newRow("0: left of the keyboard") << 0 << 67 << 80 << -1;
    QTest::newRow("0: first grey key") << 0 << 68 << 80 << 11;
    QTest::newRow("0: last grey key, right edge") << 0 << 307 << 80 << 20;
    QTest::newRow("0: right of the keyboard") << 0 << 308 << 80 << -1;
    QTest::newRow("0: above the box") << 0 << 100 << -1 << -1;
    QTest::newRow("0: last key row") << 0 << 100 << 95 << 12;
    QTest::newRow("0: below the keys") << 0 << 100 << 96 << -1;
    QTest::newRow("0: black key zone, row 59") << 0 << 119 << 59 << -1;
    QTest::newRow("0: under the black key, row 60") << 0 << 119 << 60 << 13;
    QTest::newRow("0: offset 5 is black") << 0 << 121 << 10 << -1;
    QTest::newRow("0: offset 6 is white") << 0 << 122 << 10 << 13;
    QTest::newRow("0: offset 18 is white") << 0 << 134 << 10 << 13;
    QTest::newRow("0: offset 19 is black") << 0 << 135 << 10 << -1;
    QTest::newRow("0: B|C boundary, B side") << 0 << 91 << 10 << 11;
    QTest::newRow("0: B|C boundary, C from x 92") << 0 << 92 << 10 << 12;
    QTest::newRow("0: C up to x 97") << 0 << 97 << 10 << 12;
    QTest::newRow("0: E up to x 163") << 0 << 163 << 10 << 14;
    QTest::newRow("0: E at x 158") << 0 << 158 << 10 << 14;
    QTest::newRow("0: F from x 164") << 0 << 164 << 10 << 15;
    QTest::newRow("0: F up to x 169") << 0 << 169 << 10 << 15;
    QTest::newRow("0: upper C at x 260") << 0 << 260 << 10 << 19;
    QTest::newRow("0: B before x 260") << 0 << 259 << 10 << 18;
    QTest::newRow("0: black key on the outer boundary") << 0 << 307 << 10 << -1;
    QTest::newRow("0: black key on the first boundary") << 0 << 68 << 10 << -1;

    // Treble: no black key at boundaries 0, 3, 7, 10 and 14.
    QTest::newRow("1: boundary 0") << 1 << 20 << 10 << 12;
    QTest::newRow("1: left of it") << 1 << 19 << 10 << -1;
    QTest::newRow("1: boundary 3, E side") << 1 << 91 << 10 << 14;
    QTest::newRow("1: boundary 3, F side") << 1 << 92 << 10 << 15;
    QTest::newRow("1: boundary 7, B side") << 1 << 187 << 10 << 18;
    QTest::newRow("1: boundary 7, C side") << 1 << 188 << 10 << 19;
    QTest::newRow("1: boundary 10, E side") << 1 << 259 << 10 << 21;
    QTest::newRow("1: boundary 10, F side") << 1 << 260 << 10 << 22;
    QTest::newRow("1: boundary 14, last key") << 1 << 355 << 10 << 25;
    QTest::newRow("1: boundary 1 is black") << 1 << 43 << 10 << -1;

    // Bass: from E2 at x 32 to C4.
    QTest::newRow("2: black key on boundary 0") << 2 << 32 << 10 << -1;
    QTest::newRow("2: first key below it") << 2 << 32 << 60 << 0;
    QTest::newRow("2: boundary 1, E side") << 2 << 55 << 10 << 0;
    QTest::newRow("2: boundary 1, F side") << 2 << 56 << 10 << 1;
    QTest::newRow("2: middle C") << 2 << 343 << 70 << 12;
    QTest::newRow("2: right of the keyboard") << 2 << 344 << 70 << -1;

    // All notes: keys 15 wide from x 1, black keys 44 high, zones at offsets 0-3 and 12-14.
    QTest::newRow("3: first key") << 3 << 1 << 50 << 0;
    QTest::newRow("3: left of it") << 3 << 0 << 50 << -1;
    QTest::newRow("3: last key") << 3 << 375 << 50 << 24;
    QTest::newRow("3: right of it") << 3 << 376 << 50 << -1;
    QTest::newRow("3: middle C, left") << 3 << 181 << 50 << 12;
    QTest::newRow("3: middle C, right") << 3 << 195 << 50 << 12;
    QTest::newRow("3: black zone, row 43") << 3 << 34 << 43 << -1;
    QTest::newRow("3: under the black key, row 44") << 3 << 34 << 44 << 2;
    QTest::newRow("3: offset 4 is white") << 3 << 35 << 10 << 2;
    QTest::newRow("3: offset 11 is white") << 3 << 42 << 10 << 2;
    QTest::newRow("3: offset 12 is black") << 3 << 43 << 10 << -1;
    QTest::newRow("3: last key row") << 3 << 35 << 67 << 2;
    QTest::newRow("3: below the keys") << 3 << 35 << 68 << -1;
    QTest::newRow("3: boundary 1 has no black key") << 3 << 16 << 10 << 1;
}

void TestPiano::keyAt() {
    QFETCH(int, layout);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, key);
    QCOMPARE(PianoKeyAt(PianoLayouts[layout], BoxWidth, x, y), key);
}

void TestPiano::marker_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("squareLeft");
    QTest::addColumn<int>("squareTop");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("holeInset");
    QTest::addColumn<int>("hole");
    QTest::addColumn<uint>("keyColour");
    // L + 6 .. L + 17, rows 80 .. 91; hole L + 9 .. L + 14, rows 83 .. 88.
    QTest::newRow("0: grey B3") << 0 << false << 11 << 68 + 6 << 80 << 12 << 3 << 6 << uint(Grey);
    QTest::newRow("0: white C4") << 0 << false << 12 << 92 + 6 << 80 << 12 << 3 << 6 << uint(White);
    QTest::newRow("0: grey D5") << 0 << false << 20 << 284 + 6 << 80 << 12 << 3 << 6 << uint(Grey);
    QTest::newRow("1: cyan middle C") << 1 << true << 12 << 20 + 6 << 80 << 12 << 3 << 6 << uint(Cyan);
    QTest::newRow("1: B5") << 1 << true << 25 << 332 + 6 << 80 << 12 << 3 << 6 << uint(White);
    QTest::newRow("2: E2") << 2 << true << 0 << 32 + 6 << 80 << 12 << 3 << 6 << uint(White);
    // L + 5 .. L + 10, rows 58 .. 63; hole L + 7 .. L + 8, rows 60 .. 61.
    QTest::newRow("3: cyan middle C") << 3 << true << 12 << 181 + 5 << 58 << 6 << 2 << 2 << uint(Cyan);
    QTest::newRow("3: A5") << 3 << true << 24 << 361 + 5 << 58 << 6 << 2 << 2 << uint(White);
}

void TestPiano::marker() {
    QFETCH(int, layout);
    QFETCH(bool, fullRange);
    QFETCH(int, key);
    QFETCH(int, squareLeft);
    QFETCH(int, squareTop);
    QFETCH(int, side);
    QFETCH(int, holeInset);
    QFETCH(int, hole);
    QFETCH(uint, keyColour);

    // At fractional ratios too, the ring and its hole take exactly the device pixels of their logical
    // squares, and taking the marker away leaves the key as it was on every device pixel.
    for (double ratio : {1.0, 2.0, 1.5}) {
        Canvas canvas(QSize(BoxWidth, BoxHeight), ratio);
        PaintPiano(canvas, PianoLayouts[layout], fullRange);
        const QImage clean = canvas.Image().copy();
        canvas.TakeDirty();

        ShowPianoMarker(canvas, PianoLayouts[layout], key, true);
        const QRect square(squareLeft, squareTop, side, side);
        const QRect ring = canvas.DeviceRect(square);
        const QRect holeRect =
            canvas.DeviceRect(QRect(squareLeft + holeInset, squareTop + holeInset, hole, hole));
        for (int y = 0; y < clean.height(); ++y)
            for (int x = 0; x < clean.width(); ++x) {
                QRgb expected = clean.pixel(x, y) & 0xFFFFFF;
                if (holeRect.contains(x, y))
                    expected = keyColour;
                else if (ring.contains(x, y))
                    expected = Red;
                const QRgb now = canvas.Image().pixel(x, y) & 0xFFFFFF;
                if (now != expected)
                    QFAIL(qPrintable(QString("at %1, device pixel (%2, %3) is %4")
                                         .arg(ratio)
                                         .arg(x)
                                         .arg(y)
                                         .arg(now, 6, 16)));
            }
        QCOMPARE(canvas.TakeDirty(), QRegion(square));

        // Erasing restores the key's own colour and nothing else is touched.
        ShowPianoMarker(canvas, PianoLayouts[layout], key, false);
        QCOMPARE(canvas.Image(), clean);
        QCOMPARE(canvas.TakeDirty(), QRegion(square));
    }
}

void TestPiano::markerOutsideLayoutDrawsNothing() {
    Canvas canvas(QSize(BoxWidth, BoxHeight));
    PaintPiano(canvas, PianoLayouts[0], false);
    const QImage clean = canvas.Image();
    canvas.TakeDirty();
    for (int key : {-1, 10, 21, 25}) {
        ShowPianoMarker(canvas, PianoLayouts[0], key, true);
        ShowPianoMarker(canvas, PianoLayouts[0], key, false);
    }
    QCOMPARE(canvas.Image(), clean);
    QVERIFY(canvas.TakeDirty().isEmpty());
}

QTEST_GUILESS_MAIN(TestPiano)
#include "tst_piano.moc"
