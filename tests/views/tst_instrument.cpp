#include "Guitar.h"
#include "InstrumentBox.h"
#include "Piano.h"

#include <QTest>

#include <memory>

using namespace quavix;

namespace {

constexpr QRgb Red = 0xFF0000;
constexpr QRgb Yellow = 0xFFFF00;

using Box = InstrumentBox;

// A key of a MIDI keyboard, as the MIDI keyboard presses it: its written step shows on the instrument.
void HoldKey(Box& box, int step) {
    box.presses.Press({Presser::Midi(1), MidiNoteOfStep(step), 64, InstrumentSpot{step, 0, 0}});
}
void LetGoKey(Box& box, int step) {
    box.presses.Release(Presser::Midi(1), MidiNoteOfStep(step));
}
// The end of a quiz: the mouse's key goes up and the instrument is let go.
void QuizEnds(Box& box) {
    box.presses.ReleaseFrom(Presser::Mouse());
    box.presses.LetGoOfInstrument();
}

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
    void quizEndLetsGoOfTheHeldKey();
    void guitarAnswers_data();
    void guitarAnswers();
    void guitarMissKeepsMarker();
    void midiKeyMarksItsKeyWhileHeld();
    void mouseTakesOverFromMidiKey();
    void midiKeyOnGuitar();
    void guitarSameNoteOtherStringMovesMarker();
    void guitarDragRedrawsOnlyTwoCells();
    void blackKeysAnswerWhenSignsAreAsked();
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
    box.settings.InputMode = PianoKeys;
    box.settings.StaffChoice = StaffChoices(staff);
    box.settings.FullRange = fullRange;
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
    box.Down(100, 80);
    QVERIFY(!box.mouse.Held());
    QCOMPARE(box.Up(100, 80), -1);
    QVERIFY(box.canvas.TakeDirty().isEmpty());
}

void TestInstrument::pianoAnswers_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("step");
    QTest::newRow("grey key left of the octave is B3") << 0 << 80 << 80 << 11;
    QTest::newRow("grey key right of the octave is D5") << 0 << 300 << 80 << 20;
    QTest::newRow("lower C from x 92") << 0 << 92 << 80 << 12;
    QTest::newRow("lower C to x 115") << 0 << 115 << 80 << 12;
    QTest::newRow("upper C") << 0 << 270 << 80 << 19;
    QTest::newRow("G") << 0 << 200 << 80 << 16;
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
    QFETCH(int, step);
    auto box = Box::Piano(layout);
    box->Down(x, y);
    QVERIFY(box->mouse.Held());
    QVERIFY(box->canvas.Image() != CleanPiano(layout)); // the marker shows
    QCOMPARE(box->Up(x, y), step);
    QVERIFY(!box->mouse.Held());
    QCOMPARE(box->Marked(), -1);
    QVERIFY(box->presses.Down().empty());
    QCOMPARE(box->canvas.Image(), CleanPiano(layout));
}

void TestInstrument::pianoDragOntoBlackKeyKeepsMarker() {
    auto box = Box::Piano(0);
    box->Down(104, 80); // C4, x 92..115
    const QImage held = box->canvas.Image();
    box->canvas.TakeDirty();
    box->Move(116, 10); // the black key between C and D
    QCOMPARE(box->Marked(), 12);
    QCOMPARE(box->canvas.Image(), held);
    QVERIFY(box->canvas.TakeDirty().isEmpty());
    QCOMPARE(box->Up(116, 10), -1);
    QCOMPARE(box->canvas.Image(), CleanPiano(0));
    QCOMPARE(box->Marked(), -1);
}

void TestInstrument::pianoDragMovesMarker() {
    auto box = Box::Piano(0);
    box->Down(104, 80); // C4
    box->canvas.TakeDirty();
    box->Move(110, 70); // still C4: nothing to redraw
    QVERIFY(box->canvas.TakeDirty().isEmpty());
    box->Move(128, 70); // D4, x 116..139
    QCOMPARE(box->Marked(), 13);
    // Only the old and the new marker squares were redrawn.
    const QPoint oldSquare = PianoSquare(92);
    const QPoint newSquare = PianoSquare(116);
    QCOMPARE(box->canvas.TakeDirty(),
             QRegion(QRect(oldSquare, QSize(12, 12))) + QRect(newSquare, QSize(12, 12)));
    QCOMPARE(box->canvas.Pixel(oldSquare.x(), oldSquare.y()), QRgb(0xFFFFFF));
    QCOMPARE(box->canvas.Pixel(newSquare.x(), newSquare.y()), Red);
    QCOMPARE(box->Up(128, 70), 13);
    QCOMPARE(box->canvas.Image(), CleanPiano(0));
}

void TestInstrument::pianoReleaseOutsideGivesNothing() {
    auto box = Box::Piano(3);
    box->Down(188, 60);
    box->Move(-30, 200);
    QCOMPARE(box->Marked(), 12);
    QCOMPARE(box->Up(-30, 200), -1);
    box->view.pbxInstrumentPaint();
    QCOMPARE(box->canvas.Image(), CleanPiano(3));
    // Without a press, moves and releases do nothing.
    box->Move(188, 60);
    QCOMPARE(box->Up(188, 60), -1);
    QCOMPARE(box->canvas.Image(), CleanPiano(3));
}

void TestInstrument::pianoRepaintKeepsHeldMarker() {
    auto box = Box::Piano(1);
    box->Down(30, 80); // middle C
    const QImage held = box->canvas.Image();
    box->view.pbxInstrumentPaint();
    QCOMPARE(box->canvas.Image(), held);
    QCOMPARE(box->canvas.Pixel(26, 80), Red);
    QCOMPARE(box->canvas.Pixel(30, 84), QRgb(0xE0FFFF));
}

void TestInstrument::secondPressLeavesNoStaleMarker() {
    auto piano = Box::Piano(0);
    piano->Down(104, 80);
    piano->Down(200, 80);
    QCOMPARE(piano->Up(200, 80), 16);
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));

    auto guitar = Box::Guitar();
    guitar->Down(50, 30);
    guitar->Down(200, 43);
    QCOMPARE(guitar->Up(200, 43), 19);
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true));
}

// The quiz ends under a held button: the marker goes, and a drag on shows the next key afresh.
void TestInstrument::quizEndLetsGoOfTheHeldKey() {
    auto piano = Box::Piano(2);
    piano->Down(40, 80);
    QuizEnds(*piano);
    QCOMPARE(piano->Marked(), -1);
    QCOMPARE(piano->canvas.Image(), CleanPiano(2));
    piano->view.pbxInstrumentPaint();
    QCOMPARE(piano->canvas.Image(), CleanPiano(2));
    piano->Move(40, 80); // the same key, pressed anew by the button still held
    QVERIFY(piano->Marked() >= 0);
    QVERIFY(piano->Up(40, 80) >= 0);
    QCOMPARE(piano->canvas.Image(), CleanPiano(2));

    auto guitar = Box::Guitar(false);
    guitar->Down(50, 30);
    QuizEnds(*guitar);
    QCOMPARE(guitar->Marked(), -1);
    QCOMPARE(guitar->canvas.Image(), CleanBoard(false));
}

void TestInstrument::midiKeyMarksItsKeyWhileHeld() {
    auto piano = Box::Piano(1); // C4 (step 12) to B5
    const QPoint square = PianoSquare(KeyLeft(PianoLayouts[1], InstrumentView::Width, 2));
    HoldKey(*piano, 14); // E4
    QCOMPARE(piano->canvas.Pixel(square.x(), square.y()), Red);
    LetGoKey(*piano, 15); // another key going up changes nothing
    QCOMPARE(piano->canvas.Pixel(square.x(), square.y()), Red);
    HoldKey(*piano, 16); // the next key down takes the marker along
    QCOMPARE(piano->canvas.Pixel(square.x(), square.y()), 0xFFFFFFu);
    LetGoKey(*piano, 16);
    QCOMPARE(piano->Marked(), -1);
    QCOMPARE(piano->canvas.Image(), CleanPiano(1));
    LetGoKey(*piano, 14);

    // A key the keyboard does not show marks nothing, until a layout that shows it comes while it is held.
    HoldKey(*piano, 3);
    QCOMPARE(piano->canvas.Image(), CleanPiano(1));
    piano->settings.StaffChoice = AllStaves;
    piano->view.pbxInstrumentPaint();
    QVERIFY(piano->canvas.Image() != CleanPiano(3));
    LetGoKey(*piano, 3);
    QCOMPARE(piano->canvas.Image(), CleanPiano(3));
}

void TestInstrument::mouseTakesOverFromMidiKey() {
    auto piano = Box::Piano(0);
    HoldKey(*piano, 14);
    piano->Down(200, 80);
    QCOMPARE(piano->Marked(), 16);
    // A MIDI key leaves a held mouse button alone.
    HoldKey(*piano, 13);
    QCOMPARE(piano->Marked(), 16);
    QCOMPARE(piano->Up(200, 80), 16);
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));
    LetGoKey(*piano, 14);
    LetGoKey(*piano, 13);
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));

    // The end of a quiz takes a MIDI key's marker away like a mouse button's, though the key stays down.
    HoldKey(*piano, 15);
    QuizEnds(*piano);
    QCOMPARE(piano->Marked(), -1);
    QCOMPARE(piano->presses.Down().size(), std::size_t(1));
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));
}

void TestInstrument::midiKeyOnGuitar() {
    auto guitar = Box::Guitar();
    HoldKey(*guitar, 19); // C5: first fret of the B string
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true, FretPosition{19, 2, 1}));
    LetGoKey(*guitar, 19);
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true));
    HoldKey(*guitar, 27); // no fret gives C6
    QCOMPARE(guitar->Marked(), -1);
    QCOMPARE(guitar->canvas.Image(), CleanBoard(true));
}

void TestInstrument::guitarAnswers_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("step");
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
    QFETCH(int, step);
    auto box = Box::Guitar();
    box->Down(x, y);
    QCOMPARE(box->mouse.Held(), step >= 0);
    QCOMPARE(box->Up(x, y), step);
    QCOMPARE(box->Marked(), -1);
    QCOMPARE(box->canvas.Image(), CleanBoard(true));
}

void TestInstrument::guitarMissKeepsMarker() {
    auto box = Box::Guitar();
    box->Down(50, 30);
    QCOMPARE(box->canvas.Pixel(63, 27), Yellow);
    QCOMPARE(box->canvas.Pixel(66, 29), Red);
    QCOMPARE(box->canvas.Pixel(66, 30), QRgb(0xE0E0E0));
    box->canvas.TakeDirty();
    for (const QPoint& miss :
         {QPoint(50, 43), QPoint(74, 30), QPoint(50, 23), QPoint(400, 30), QPoint(-5, 95)})
        box->Move(miss.x(), miss.y());
    QVERIFY(box->canvas.TakeDirty().isEmpty());
    QCOMPARE(box->view.Marked(), (InstrumentSpot{19, 2, 1}));
    QCOMPARE(box->Up(50, 43), -1);
    QCOMPARE(box->canvas.Image(), CleanBoard(true));
}

void TestInstrument::guitarSameNoteOtherStringMovesMarker() {
    auto box = Box::Guitar();
    box->Down(10, 17); // string 1 open: E5, marker out of sight
    QCOMPARE(box->Marked(), 21);
    QCOMPARE(box->canvas.Image(), CleanBoard(true));
    box->Move(200, 30); // string 2 fret 5: E5 again
    QCOMPARE(box->view.Marked(), (InstrumentSpot{21, 2, 5}));
    QCOMPARE(box->canvas.Image(), CleanBoard(true, FretPosition{21, 2, 5}));
    QCOMPARE(box->canvas.Pixel(208, 27), Yellow);
    QCOMPARE(box->Up(200, 30), 21);
}

void TestInstrument::guitarDragRedrawsOnlyTwoCells() {
    auto box = Box::Guitar();
    box->Down(50, 30); // string 2 fret 1
    box->canvas.TakeDirty();
    box->Move(365, 69); // string 5 fret 12, over the lower dot
    const QRegion dirty = box->canvas.TakeDirty();
    QVERIFY(!dirty.isEmpty());
    QVERIFY((dirty - QRegion(FretCell(1)) - QRegion(FretCell(12))).isEmpty());
    QCOMPARE(box->canvas.Image(), CleanBoard(true, FretPosition{17, 5, 12}));
}

void TestInstrument::blackKeysAnswerWhenSignsAreAsked() {
    // The black key between C4 and D4 answers C sharp 4 (key 61), but only once sharps and flats are asked.
    auto piano = Box::Piano(0);
    piano->Down(116, 10);
    QVERIFY(!piano->mouse.Held());
    piano->settings.Accidentals = SharpsAndFlats;
    piano->Down(116, 10);
    QVERIFY(piano->mouse.Held());
    QCOMPARE(piano->presses.Down().front().Key, 61);
    std::optional<Answer> answer = piano->mouse.Up(116, 10);
    QVERIFY(answer);
    QCOMPARE(answer->Key, 61);
    QCOMPARE(piano->canvas.Image(), CleanPiano(0));

    // The second fret of the high E string is F sharp, written F sharp 5 (key 78) and sounding an octave
    // lower; its wire still answers nothing.
    auto guitar = Box::Guitar();
    guitar->settings.Accidentals = InKey;
    const QPoint cell = FretMarkerRect(1, 2).center();
    guitar->Down(cell.x(), cell.y());
    QCOMPARE(guitar->presses.Down().front().Key, 78 - GuitarTransposition);
    answer = guitar->mouse.Up(cell.x(), cell.y());
    QVERIFY(answer);
    QCOMPARE(answer->Key, 78);
    guitar->Down(FretX(2), cell.y());
    QVERIFY(!guitar->mouse.Held());
}

QTEST_GUILESS_MAIN(TestInstrument)
#include "tst_instrument.moc"
