// The piano and fretboard drawn at device pixel ratios 2 and 1.5: markers and their erasure exact on every
// device pixel, hit tests unchanged.
#include "Canvas.h"
#include "Guitar.h"
#include "InstrumentBox.h"
#include "Piano.h"

#include <QTest>

#include <memory>

using namespace quavix;

namespace {

constexpr QRgb Red = 0xFF0000;

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
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
    void pianoMarkerAndErasure_data();
    void pianoMarkerAndErasure();
    void hitTestsAnswerAsAtRatioOne_data() { AddRatios(); }
    void hitTestsAnswerAsAtRatioOne();
    void pianoDragLeavesAFullPaint_data() { AddRatios(true); }
    void pianoDragLeavesAFullPaint();
    void fretMarkerMatchesFullPaint_data() { AddRatios(true); }
    void fretMarkerMatchesFullPaint();
};

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
