#include "Guitar.h"
#include "InstrumentView.h"
#include "Piano.h"

#include <QTest>

#include <memory>

using namespace quavix;

namespace {

constexpr QRgb Red = 0xFF0000;
constexpr QRgb Yellow = 0xFFFF00;

// A canvas and the view drawing on it, with the instrument painted as the window shows it.
struct Box {
    Canvas canvas{QSize(InstrumentView::Width, InstrumentView::Height)};
    Settings settings;
    InstrumentView view{canvas, settings};

    static std::unique_ptr<Box> Piano(int layout) {
        auto box = std::make_unique<Box>();
        box->settings = {PianoKeys, static_cast<std::uint8_t>(layout == 0 ? 0 : layout - 1), layout != 0};
        box->view.pbxInstrumentPaint();
        box->canvas.TakeDirty();
        return box;
    }
    static std::unique_ptr<Box> Guitar(bool rich = true) {
        auto box = std::make_unique<Box>();
        box->settings = {GuitarFrets, TrebleStaff, true, rich};
        box->view.pbxInstrumentPaint();
        box->canvas.TakeDirty();
        return box;
    }
};

QImage CleanPiano(int layout) {
    Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height));
    PaintPiano(canvas, PianoLayouts[layout], layout != 0);
    return canvas.Image();
}

QImage CleanBoard(bool rich, FretPosition marker = {}) {
    Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height));
    PaintFretboard(canvas, rich, marker);
    return canvas.Image();
}

// Top-left corner of the piano marker square on the key with the given column (layouts 0-2).
QPoint PianoSquare(int keyLeft) {
    return {keyLeft + 6, 80};
}

// The area a fret cell repaints: its fill, wire and strings (in cell 1 the strings start at the box edge).
QRect FretCell(int fret) {
    const int left = fret == 1 ? 0 : FretX(fret - 1);
    return QRect(QPoint(left, 12), QPoint(FretX(fret) + 1, 88));
}

} // namespace

class TestInstrument : public QObject {
    Q_OBJECT

private slots:
    void chooseLayout_data();
    void chooseLayout();
    void noInstrument();
    void pianoAnswers_data();
    void pianoAnswers();
    void pianoDragOntoBlackKeyKeepsMarker();
    void pianoDragMovesMarker();
    void pianoReleaseOutsideGivesNothing();
    void pianoRepaintKeepsHeldMarker();
    void secondPressLeavesNoStaleMarker();
    void releasePressedKey();
    void guitarAnswers_data();
    void guitarAnswers();
    void guitarMissKeepsMarker();
    void midiKeyMarksItsKeyWhileHeld();
    void mouseTakesOverFromMidiKey();
    void midiKeyOnGuitar();
    void guitarSameNoteOtherStringMovesMarker();
    void guitarDragRedrawsOnlyTwoCells();
    void guitarMarkerMatchesFullPaintEverywhere();
};

void TestInstrument::chooseLayout_data() {
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("layout");
    QTest::newRow("octave, treble") << false << 0 << 0;
    QTest::newRow("octave, all") << false << 2 << 0;
    QTest::newRow("full, treble") << true << 0 << 1;
    QTest::newRow("full, bass") << true << 1 << 2;
    QTest::newRow("full, all") << true << 2 << 3;
}

void TestInstrument::chooseLayout() {
    QFETCH(bool, fullRange);
    QFETCH(int, staff);
    QFETCH(int, layout);
    Box box;
    box.settings = {PianoKeys, static_cast<std::uint8_t>(staff), fullRange};
    box.view.pbxInstrumentPaint();
    QCOMPARE(int(box.view.KeyboardLayout()), layout);
    // The layout change repaints at once.
    QCOMPARE(box.canvas.Image(), CleanPiano(layout));
}

void TestInstrument::noInstrument() {
    Box box;
    box.canvas.Fill(0, 0, 377, 101, 0x123456);
    box.canvas.TakeDirty();
    box.view.pbxInstrumentPaint();
    box.view.MouseDown(100, 80);
    QVERIFY(!box.view.MouseHeld());
    QCOMPARE(box.view.MouseUp(100, 80), -1);
    QVERIFY(box.canvas.TakeDirty().isEmpty());
}

void TestInstrument::pianoAnswers_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("answer");
    QTest::newRow("grey key left of the octave is B") << 0 << 80 << 80 << 101;
    QTest::newRow("grey key right of the octave is D") << 0 << 300 << 80 << 103;
    QTest::newRow("lower C from x 92") << 0 << 92 << 80 << 102;
    QTest::newRow("lower C to x 115") << 0 << 115 << 80 << 102;
    QTest::newRow("upper C is C too") << 0 << 270 << 80 << 102;
    QTest::newRow("G") << 0 << 200 << 80 << 106;
    QTest::newRow("A") << 0 << 230 << 80 << 100;
    QTest::newRow("treble middle C") << 1 << 20 << 80 << 12;
    QTest::newRow("treble B5") << 1 << 355 << 80 << 25;
    QTest::newRow("bass E2") << 2 << 40 << 80 << 0;
    QTest::newRow("all notes, middle C") << 3 << 188 << 60 << 12;
    QTest::newRow("all notes, A5") << 3 << 375 << 60 << 24;
}

void TestInstrument::pianoAnswers() {
    QFETCH(int, layout);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, answer);
    auto box = Box::Piano(layout);
    box->view.MouseDown(x, y);
    QVERIFY(box->view.MouseHeld());
    QVERIFY(box->canvas.Image() != CleanPiano(layout)); // the marker shows
    QCOMPARE(box->view.MouseUp(x, y), answer);
    QVERIFY(!box->view.MouseHeld());
    QCOMPARE(box->view.PressedKey(), -1);
    QCOMPARE(box->canvas.Image(), CleanPiano(layout));
}

void TestInstrument::pianoDragOntoBlackKeyKeepsMarker() {
    auto box = Box::Piano(0);
    box->view.MouseDown(104, 80); // C4, x 92..115
    const QImage held = box->canvas.Image();
    box->canvas.TakeDirty();
    box->view.MouseMove(116, 10); // the black key between C and D
    QCOMPARE(box->view.PressedKey(), 12);
    QCOMPARE(box->canvas.Image(), held);
    QVERIFY(box->canvas.TakeDirty().isEmpty());
    QCOMPARE(box->view.MouseUp(116, 10), -1);
    QCOMPARE(box->canvas.Image(), CleanPiano(0));
    QCOMPARE(box->view.PressedKey(), -1);
}

void TestInstrument::pianoDragMovesMarker() {
    auto box = Box::Piano(0);
    box->view.MouseDown(104, 80); // C4
    box->canvas.TakeDirty();
    box->view.MouseMove(110, 70); // still C4: nothing to redraw
    QVERIFY(box->canvas.TakeDirty().isEmpty());
    box->view.MouseMove(128, 70); // D4, x 116..139
    QCOMPARE(box->view.PressedKey(), 13);
    // Only the old and the new marker squares were redrawn.
    const QPoint oldSquare = PianoSquare(92);
    const QPoint newSquare = PianoSquare(116);
    QCOMPARE(box->canvas.TakeDirty(),
             QRegion(QRect(oldSquare, QSize(12, 12))) + QRect(newSquare, QSize(12, 12)));
    QCOMPARE(box->canvas.Pixel(oldSquare.x(), oldSquare.y()), QRgb(0xFFFFFF));
    QCOMPARE(box->canvas.Pixel(newSquare.x(), newSquare.y()), Red);
    QCOMPARE(box->view.MouseUp(128, 70), 103); // D
    QCOMPARE(box->canvas.Image(), CleanPiano(0));
}

void TestInstrument::pianoReleaseOutsideGivesNothing() {
    auto box = Box::Piano(3);
    box->view.MouseDown(188, 60);
    box->view.MouseMove(-30, 200);
    QCOMPARE(box->view.PressedKey(), 12);
    QCOMPARE(box->view.MouseUp(-30, 200), -1);
    box->view.pbxInstrumentPaint();
    QCOMPARE(box->canvas.Image(), CleanPiano(3));
    // Without a press, moves and releases do nothing.
    box->view.MouseMove(188, 60);
    QCOMPARE(box->view.MouseUp(188, 60), -1);
    QCOMPARE(box->canvas.Image(), CleanPiano(3));
}

void TestInstrument::pianoRepaintKeepsHeldMarker() {
    auto box = Box::Piano(1);
    box->view.MouseDown(30, 80); // middle C
    const QImage held = box->canvas.Image();
    box->view.pbxInstrumentPaint();
    QCOMPARE(box->canvas.Image(), held);
    QCOMPARE(box->canvas.Pixel(26, 80), Red);
    QCOMPARE(box->canvas.Pixel(30, 84), QRgb(0xE0FFFF));
}

void TestInstrument::secondPressLeavesNoStaleMarker() {
    auto piano = Box::Piano(0);
    piano->view.MouseDown(104, 80);
    piano->view.MouseDown(200, 80);
    QCOMPARE(piano->view.MouseUp(200, 80), 106);
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));

    auto guitar = Box::Guitar();
    guitar->view.MouseDown(50, 30);
    guitar->view.MouseDown(200, 43);
    QCOMPARE(guitar->view.MouseUp(200, 43), 19);
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true));
}

void TestInstrument::releasePressedKey() {
    auto piano = Box::Piano(2);
    piano->view.MouseDown(40, 80);
    piano->view.ReleasePressedKey();
    QCOMPARE(piano->view.PressedKey(), -1);
    QCOMPARE(piano->canvas.Image(), CleanPiano(2));
    piano->view.pbxInstrumentPaint();
    QCOMPARE(piano->canvas.Image(), CleanPiano(2));

    auto guitar = Box::Guitar(false);
    guitar->view.MouseDown(50, 30);
    guitar->view.ReleasePressedKey();
    QCOMPARE(guitar->view.PressedKey(), -1);
    QCOMPARE(guitar->canvas.Image(), CleanBoard(false));
}

void TestInstrument::midiKeyMarksItsKeyWhileHeld() {
    auto piano = Box::Piano(1); // C4 (step 12) to B5
    const QPoint square = PianoSquare(KeyLeft(PianoLayouts[1], InstrumentView::Width, 2));
    piano->view.HoldKey(14); // E4
    QVERIFY(piano->view.KeyHeld());
    QCOMPARE(piano->canvas.Pixel(square.x(), square.y()), Red);
    piano->view.LetGoKey(15); // another key going up changes nothing
    QCOMPARE(piano->canvas.Pixel(square.x(), square.y()), Red);
    piano->view.HoldKey(16); // the next key down takes the marker along
    QCOMPARE(piano->canvas.Pixel(square.x(), square.y()), 0xFFFFFFu);
    piano->view.LetGoKey(16);
    QVERIFY(!piano->view.KeyHeld());
    QCOMPARE(piano->canvas.Image(), CleanPiano(1));

    // A key the keyboard does not show marks nothing, until a layout that shows it comes while it is held.
    piano->view.HoldKey(3);
    QCOMPARE(piano->canvas.Image(), CleanPiano(1));
    piano->settings.StaffChoice = AllStaves;
    piano->view.pbxInstrumentPaint();
    QVERIFY(piano->canvas.Image() != CleanPiano(3));
    piano->view.LetGoKey(3);
    QCOMPARE(piano->canvas.Image(), CleanPiano(3));
}

void TestInstrument::mouseTakesOverFromMidiKey() {
    auto piano = Box::Piano(0);
    piano->view.HoldKey(14);
    piano->view.MouseDown(200, 80);
    QVERIFY(!piano->view.KeyHeld());
    // A MIDI key leaves a held mouse button alone.
    piano->view.HoldKey(13);
    QCOMPARE(piano->view.MouseUp(200, 80), 106);
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));
    piano->view.LetGoKey(14);
    piano->view.LetGoKey(13);
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));

    // The end of a quiz takes a MIDI key's marker away like a mouse button's.
    piano->view.HoldKey(15);
    piano->view.ReleasePressedKey();
    QVERIFY(!piano->view.KeyHeld());
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));
}

void TestInstrument::midiKeyOnGuitar() {
    auto guitar = Box::Guitar();
    guitar->view.HoldKey(19); // C5: first fret of the B string
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true, FretPosition{19, 2, 1}));
    guitar->view.LetGoKey(19);
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true));
    guitar->view.HoldKey(27); // no fret gives C6
    QVERIFY(!guitar->view.KeyHeld());
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true));
}

void TestInstrument::guitarAnswers_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("answer");
    QTest::newRow("open high E") << 10 << 17 << 21;
    QTest::newRow("open low E") << 10 << 82 << 7;
    QTest::newRow("C5, string 2 fret 1") << 50 << 30 << 19;
    QTest::newRow("C6, string 1 fret 8") << 290 << 17 << 26;
    QTest::newRow("G#4 has no answer") << 50 << 43 << -1;
    QTest::newRow("wire of fret 1") << 74 << 30 << -1;
    QTest::newRow("row 23") << 50 << 23 << -1;
    QTest::newRow("string 1 fret 10") << 330 << 17 << -1;
}

void TestInstrument::guitarAnswers() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, answer);
    auto box = Box::Guitar();
    box->view.MouseDown(x, y);
    QCOMPARE(box->view.MouseHeld(), answer >= 0);
    QCOMPARE(box->view.MouseUp(x, y), answer);
    QCOMPARE(box->view.PressedKey(), -1);
    QCOMPARE(box->canvas.Image(), CleanBoard(true));
}

void TestInstrument::guitarMissKeepsMarker() {
    auto box = Box::Guitar();
    box->view.MouseDown(50, 30);
    QCOMPARE(box->canvas.Pixel(63, 27), Yellow);
    QCOMPARE(box->canvas.Pixel(66, 29), Red);
    QCOMPARE(box->canvas.Pixel(66, 30), QRgb(0xE0E0E0));
    box->canvas.TakeDirty();
    for (const QPoint& miss :
         {QPoint(50, 43), QPoint(74, 30), QPoint(50, 23), QPoint(400, 30), QPoint(-5, 95)})
        box->view.MouseMove(miss.x(), miss.y());
    QVERIFY(box->canvas.TakeDirty().isEmpty());
    QCOMPARE(box->view.GuitarString(), 2);
    QCOMPARE(box->view.GuitarFret(), 1);
    QCOMPARE(box->view.MouseUp(50, 43), -1);
    QCOMPARE(box->canvas.Image(), CleanBoard(true));
}

void TestInstrument::guitarSameNoteOtherStringMovesMarker() {
    auto box = Box::Guitar();
    box->view.MouseDown(10, 17); // string 1 open: E5, marker out of sight
    QCOMPARE(box->view.PressedKey(), 21);
    QCOMPARE(box->canvas.Image(), CleanBoard(true));
    box->view.MouseMove(200, 30); // string 2 fret 5: E5 again
    QCOMPARE(box->view.PressedKey(), 21);
    QCOMPARE(box->view.GuitarString(), 2);
    QCOMPARE(box->view.GuitarFret(), 5);
    QCOMPARE(box->canvas.Image(), CleanBoard(true, FretPosition{21, 2, 5}));
    QCOMPARE(box->canvas.Pixel(208, 27), Yellow);
    QCOMPARE(box->view.MouseUp(200, 30), 21);
}

void TestInstrument::guitarDragRedrawsOnlyTwoCells() {
    auto box = Box::Guitar();
    box->view.MouseDown(50, 30); // string 2 fret 1
    box->canvas.TakeDirty();
    box->view.MouseMove(365, 69); // string 5 fret 12, over the lower dot
    const QRegion dirty = box->canvas.TakeDirty();
    QVERIFY(!dirty.isEmpty());
    QVERIFY((dirty - QRegion(FretCell(1)) - QRegion(FretCell(12))).isEmpty());
    QCOMPARE(box->canvas.Image(), CleanBoard(true, FretPosition{17, 5, 12}));
}

// Every position with a note, in both colour sets: the marker drawn during a press, and its removal at the
// release, leave exactly the picture of a full paint.
void TestInstrument::guitarMarkerMatchesFullPaintEverywhere() {
    for (bool rich : {true, false}) {
        auto box = Box::Guitar(rich);
        const QImage clean = CleanBoard(rich);
        int previousString = 0;
        int previousFret = 0;
        for (int s = 1; s <= 6; ++s)
            for (int fret = 0; fret <= 12; ++fret) {
                const int note = FretNoteTable[s - 1][fret];
                if (note < 0)
                    continue;
                const int x = fret == 0 ? 10 : FretX(fret) - 8;
                const int y = StringY(s);
                if (previousString == 0)
                    box->view.MouseDown(x, y);
                else
                    box->view.MouseMove(x, y);
                QCOMPARE(box->canvas.Image(), CleanBoard(rich, FretPosition{note, s, fret}));
                previousString = s;
                previousFret = fret;
            }
        QCOMPARE(box->view.MouseUp(FretX(previousFret) - 8, StringY(previousString)), 14);
        QCOMPARE(box->canvas.Image(), clean);
    }
}

QTEST_GUILESS_MAIN(TestInstrument)
#include "tst_instrument.moc"
