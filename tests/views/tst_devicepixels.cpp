// The staff, piano and fretboard drawn at device pixel ratios 2 and 1.5: lines on exactly their device
// rows, markers and their erasure exact on every device pixel, hit tests unchanged.
#include "Artwork.h"
#include "Canvas.h"
#include "Guitar.h"
#include "InstrumentBox.h"
#include "Piano.h"
#include "RecordingFrontEnd.h"
#include "StaffView.h"

#include <QTest>

#include <cmath>
#include <memory>

using namespace quavix;

namespace {

constexpr QRgb Black = 0x000000;
constexpr QRgb Background = 0xF0F0F0;
constexpr QRgb Red = 0xFF0000;

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

struct StaffRig {
    RecordingFrontEnd front;
    ScriptedRandom random;
    Settings settings;
    QuizEngine quiz{front, random, settings};
    Canvas canvas;
    StaffView view{canvas, settings};

    StaffRig(double ratio, InputModes mode, StaffChoices staff = AllStaves)
        : canvas(QSize(StaffView::Width, StaffView::Height), ratio) {
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        quiz.BuildNoteTable();
        canvas.Fill(0, 0, StaffView::Width, StaffView::Height, Background);
        view.pbxStaffPaint();
    }
    void Show(int row, int notesLeft) {
        quiz.State.Running = true;
        quiz.State.CurrentNote = row;
        quiz.State.NotesLeft = notesLeft;
        view.DrawNote(quiz.Table[row], quiz.NoteX());
    }
};

// The logical rows of the staff lines the view draws.
QList<int> StaffLines(bool grand) {
    QList<int> lines;
    for (int i = 0; i < 5; ++i)
        lines << 22 + 10 * i;
    for (int i = 0; grand && i < 5; ++i)
        lines << 98 + 10 * i;
    return lines;
}

// Staff lines lie on even rows, so at both ratios a line's logical pixel is the two device rows from
// line * ratio (at 1:1 the one row).
bool OnStaffLine(int deviceRow, double ratio, bool grand) {
    const int weight = ratio == 1.0 ? 1 : 2;
    for (int line : StaffLines(grand))
        if (deviceRow >= line * ratio && deviceRow < line * ratio + weight)
            return true;
    return false;
}

QImage FullBoard(double ratio, bool rich, FretPosition marker = {}) {
    Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height), ratio);
    PaintFretboard(canvas, rich, marker);
    return canvas.Image();
}

void AddRatios(bool withOne = false) {
    QTest::addColumn<double>("ratio");
    if (withOne)
        QTest::newRow("ratio 1") << 1.0;
    QTest::newRow("ratio 2") << 2.0;
    QTest::newRow("ratio 1.5") << 1.5;
}

} // namespace

class TestDevicePixels : public QObject {
    Q_OBJECT

private slots:
    void staffLinesAndBarLines_data();
    void staffLinesAndBarLines();
    void clefsContinueTheStaff_data() { AddRatios(); }
    void clefsContinueTheStaff();
    void notesDrawOnlyTheirOwnPixels_data() { AddRatios(); }
    void notesDrawOnlyTheirOwnPixels();
    void ledgerLinesKeepTheirRowsAndWeight_data() { AddRatios(); }
    void ledgerLinesKeepTheirRowsAndWeight();
    void pianoMarkerAndErasure_data();
    void pianoMarkerAndErasure();
    void hitTestsAnswerAsAtRatioOne_data() { AddRatios(); }
    void hitTestsAnswerAsAtRatioOne();
    void pianoDragLeavesAFullPaint_data() { AddRatios(true); }
    void pianoDragLeavesAFullPaint();
    void fretMarkerMatchesFullPaint_data() { AddRatios(true); }
    void fretMarkerMatchesFullPaint();
};

void TestDevicePixels::staffLinesAndBarLines_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("mode");
    for (double ratio : {2.0, 1.5}) {
        QTest::newRow(qPrintable(QString("grand staff at %1").arg(ratio))) << ratio << int(NoteButtons);
        QTest::newRow(qPrintable(QString("guitar staff at %1").arg(ratio))) << ratio << int(GuitarFrets);
    }
}

void TestDevicePixels::staffLinesAndBarLines() {
    QFETCH(double, ratio);
    QFETCH(int, mode);
    const bool grand = mode != GuitarFrets;
    StaffRig rig(ratio, InputModes(mode), TrebleStaff);
    const QImage& image = rig.canvas.Image();
    // Every device column of logical columns past the clefs: black exactly on the lines' device rows.
    for (int x : {36, 100, 278})
        for (int column = int(x * ratio); column < int((x + 1) * ratio); ++column)
            for (int row = 0; row < image.height(); ++row)
                if (At(image, column, row) != (OnStaffLine(row, ratio, grand) ? Black : Background))
                    QFAIL(qPrintable(QString("device pixel (%1, %2)").arg(column).arg(row)));
    // The bar lines take the two device columns of logical columns 0 and 280, from the top line's first
    // device row to the bottom line's last, and nothing beside them.
    const int top = int(22 * ratio);
    const int bottom = int((grand ? 138 : 62) * ratio) + 1;
    for (int row = 0; row < image.height(); ++row) {
        const bool bar = row >= top && row <= bottom;
        for (int x : {0, 280}) {
            const int first = int(x * ratio);
            QVERIFY2((At(image, first, row) == Black) == bar,
                     qPrintable(QString("bar %1 row %2").arg(x).arg(row)));
            QVERIFY2((At(image, first + 1, row) == Black) == bar,
                     qPrintable(QString("bar %1 row %2").arg(x).arg(row)));
        }
        QCOMPARE(At(image, int(280 * ratio) + 2, row) == Black, false);
        if (!OnStaffLine(row, ratio, grand))
            QCOMPARE(At(image, 2, row), Background);
    }
}

// Through a clef the staff's lines keep the rows they have beside it: black right across the clef on their
// device rows, and the rows just above and below them never black right across.
void TestDevicePixels::clefsContinueTheStaff() {
    QFETCH(double, ratio);
    for (StaffChoices staff : {TrebleStaff, BassStaff, AllStaves}) {
        StaffRig rig(ratio, NoteButtons, staff);
        const QImage& image = rig.canvas.Image();
        const int left = int(6 * ratio);
        const int right = int(35 * ratio);
        auto across = [&](int row) {
            for (int column = left; column < right; ++column)
                if (At(image, column, row) != Black)
                    return false;
            return true;
        };
        for (int line : StaffLines(true)) {
            const int first = int(line * ratio);
            QVERIFY2(across(first) && across(first + 1), qPrintable(QString("line %1").arg(line)));
            QVERIFY2(!across(first - 1) && !across(first + 2), qPrintable(QString("line %1").arg(line)));
        }
    }
}

void TestDevicePixels::notesDrawOnlyTheirOwnPixels() {
    QFETCH(double, ratio);
    for (int row = 0; row < StaffSetRows; ++row) {
        StaffRig rig(ratio, NoteButtons);
        const QImage before = rig.canvas.Image().copy();
        rig.Show(row, 19 - row % 20);
        const NoteEntry& note = rig.quiz.Table[row];
        const QImage& picture = Artwork::Note(note.Glyph, ratio, note.Top);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        const QPoint origin = rig.canvas.DeviceRect(QRect(rig.quiz.NoteX(), note.Top, 1, 1)).topLeft();
        const QImage& image = rig.canvas.Image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QPoint at = QPoint(x, y) - origin;
                const bool own = picture.rect().contains(at) && qAlpha(picture.pixel(at)) != 0;
                const QRgb expected = own ? At(picture, at.x(), at.y()) : At(before, x, y);
                if (At(image, x, y) != expected)
                    QFAIL(qPrintable(QString("row %1 at device (%2, %3)").arg(row).arg(x).arg(y)));
            }
        // Erasing gives back the staff as it was.
        rig.view.EraseNote(rig.quiz.NoteX());
        QCOMPARE(rig.canvas.Image(), before);
    }
}

// The device rows a note paints black right across its width, away from the staff's own lines.
QList<int> LedgerRows(double ratio, InputModes mode, int row) {
    StaffRig rig(ratio, mode);
    rig.Show(row, 10);
    const QImage& image = rig.canvas.Image();
    const int left = int(rig.quiz.NoteX() * ratio);
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        bool across = true;
        for (int x = left; x < left + int(20 * ratio) && across; ++x)
            across = At(image, x, y) == Black;
        if (across && !OnStaffLine(y, ratio, mode != GuitarFrets))
            rows << y;
    }
    return rows;
}

// A note's ledger lines lie on the rows they have at 1:1, with the weight of the staff's lines: the two
// device rows from the first device row of their logical row, halves rounding up.
void TestDevicePixels::ledgerLinesKeepTheirRowsAndWeight() {
    QFETCH(double, ratio);
    int ledgers = 0;
    for (InputModes mode : {NoteButtons, GuitarFrets}) {
        const int rows = mode == GuitarFrets ? GuitarSetRows : StaffSetRows;
        for (int row = 0; row < rows; ++row) {
            QList<int> expected;
            for (int line : LedgerRows(1.0, mode, row)) {
                const int first = int(std::floor(line * ratio + 0.5));
                expected << first << first + 1;
                ++ledgers;
            }
            QCOMPARE(LedgerRows(ratio, mode, row), expected);
        }
    }
    QVERIFY(ledgers > 10);
}

void TestDevicePixels::pianoMarkerAndErasure_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("key");
    QTest::addColumn<uint>("keyColour");
    for (double ratio : {2.0, 1.5}) {
        const QString at = QString(" at %1").arg(ratio);
        QTest::newRow(qPrintable("grey outer key" + at)) << ratio << 0 << 11 << uint(0xE0E0E0);
        QTest::newRow(qPrintable("white key" + at)) << ratio << 0 << 14 << uint(0xFFFFFF);
        QTest::newRow(qPrintable("cyan middle C" + at)) << ratio << 1 << 12 << uint(0xE0FFFF);
        QTest::newRow(qPrintable("narrow keys, cyan" + at)) << ratio << 3 << 12 << uint(0xE0FFFF);
        QTest::newRow(qPrintable("narrow keys, white" + at)) << ratio << 3 << 13 << uint(0xFFFFFF);
    }
}

// The marker is a red ring round a hole of the key's colour; taken away, it leaves the key as it was, on
// every device pixel.
void TestDevicePixels::pianoMarkerAndErasure() {
    QFETCH(double, ratio);
    QFETCH(int, layout);
    QFETCH(int, key);
    QFETCH(uint, keyColour);
    const PianoGeometry& g = PianoLayouts[layout];
    Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height), ratio);
    PaintPiano(canvas, g, layout != 0);
    const QImage clean = canvas.Image().copy();
    canvas.TakeDirty();
    ShowPianoMarker(canvas, g, key, true);
    const QRect square = canvas.TakeDirty().boundingRect();
    QVERIFY(!square.isEmpty());
    const QRect ring = canvas.DeviceRect(square);
    int red = 0;
    int hole = 0;
    for (int y = 0; y < clean.height(); ++y)
        for (int x = 0; x < clean.width(); ++x) {
            const QRgb now = At(canvas.Image(), x, y);
            if (!ring.contains(x, y)) {
                if (now != At(clean, x, y))
                    QFAIL(qPrintable(QString("(%1, %2) changed outside the marker").arg(x).arg(y)));
                continue;
            }
            QVERIFY(At(clean, x, y) == keyColour); // the marker lies on the key alone
            QVERIFY(now == Red || now == keyColour);
            red += now == Red;
            hole += now == keyColour;
        }
    // A ring: its hole in the middle, red all round it.
    QVERIFY(hole > 0 && red > hole);
    const QPoint centre = ring.center();
    QCOMPARE(At(canvas.Image(), centre.x(), centre.y()), QRgb(keyColour));
    QCOMPARE(At(canvas.Image(), ring.left(), centre.y()), Red);
    QCOMPARE(At(canvas.Image(), ring.right(), centre.y()), Red);
    ShowPianoMarker(canvas, g, key, false);
    QCOMPARE(canvas.Image(), clean);
    QCOMPARE(canvas.TakeDirty().boundingRect(), square);
}

void TestDevicePixels::hitTestsAnswerAsAtRatioOne() {
    QFETCH(double, ratio);
    for (int layout = 0; layout < 4; ++layout) {
        auto unit = InstrumentBox::Piano(layout);
        auto scaled = InstrumentBox::Piano(layout, ratio);
        for (int y : {0, 10, 43, 44, 59, 60, 67, 68, 95, 96, 100})
            for (int x = -1; x <= InstrumentView::Width; ++x)
                if (unit->view.HitTest(x, y) != scaled->view.HitTest(x, y))
                    QFAIL(qPrintable(QString("piano %1 at (%2, %3)").arg(layout).arg(x).arg(y)));
    }
    auto unit = InstrumentBox::Guitar();
    auto scaled = InstrumentBox::Guitar(true, ratio);
    for (int y = -1; y <= InstrumentView::Height; ++y)
        for (int x = -1; x <= InstrumentView::Width; ++x)
            if (unit->view.HitTest(x, y) != scaled->view.HitTest(x, y))
                QFAIL(qPrintable(QString("fretboard at (%1, %2)").arg(x).arg(y)));
}

// A drag across every key leaves the picture a full paint with the marker on the last key would give, and
// the release leaves the bare keyboard.
void TestDevicePixels::pianoDragLeavesAFullPaint() {
    QFETCH(double, ratio);
    for (int layout = 0; layout < 4; ++layout) {
        auto box = InstrumentBox::Piano(layout, ratio);
        const QImage clean = box->canvas.Image().copy();
        const PianoGeometry& g = PianoLayouts[layout];
        const int y = g.WhiteKeyHeight - 3;
        box->Down(KeyLeft(g, InstrumentView::Width, 0) + 2, y);
        for (int column = 1; column < g.KeyCount; ++column)
            box->Move(KeyLeft(g, InstrumentView::Width, column) + 2, y);
        auto expected = InstrumentBox::Piano(layout, ratio);
        ShowPianoMarker(expected->canvas, g, box->Marked(), true);
        QCOMPARE(box->canvas.Image(), expected->canvas.Image());
        box->Up(KeyLeft(g, InstrumentView::Width, g.KeyCount - 1) + 2, y);
        QCOMPARE(box->canvas.Image(), clean);
    }
}

// The fretboard repaints only the marker's square while a string is held, at every position in both colour
// sets; at fractional ratios, where lines may reach a device pixel past their logical one, that must still
// give exactly the picture of a full paint, and the release the bare board.
void TestDevicePixels::fretMarkerMatchesFullPaint() {
    QFETCH(double, ratio);
    for (bool rich : {true, false}) {
        auto box = InstrumentBox::Guitar(rich, ratio);
        bool pressed = false;
        for (int s = 1; s <= 6; ++s)
            for (int fret = 0; fret <= 12; ++fret) {
                const int note = FretNoteTable[s - 1][fret];
                if (note < 0)
                    continue;
                const int x = fret == 0 ? 10 : FretX(fret) - 8;
                if (pressed)
                    box->Move(x, StringY(s));
                else
                    box->Down(x, StringY(s));
                pressed = true;
                if (box->canvas.Image() != FullBoard(ratio, rich, FretPosition{note, s, fret}))
                    QFAIL(qPrintable(QString("string %1 fret %2").arg(s).arg(fret)));
            }
        box->Up(FretX(12) - 8, StringY(6));
        QCOMPARE(box->canvas.Image(), FullBoard(ratio, rich));
    }
}

QTEST_GUILESS_MAIN(TestDevicePixels)
#include "tst_devicepixels.moc"
