// The piano and fretboard at device pixel ratios 2 and 1.5: a drag or a held string leaves the picture a
// full paint would give, and hit tests answer as at ratio 1.
#include "Canvas.h"
#include "Guitar.h"
#include "InstrumentBox.h"
#include "Piano.h"

#include <QTest>

#include <memory>

using namespace quavix;

namespace {

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
    void hitTestsAnswerAsAtRatioOne_data() { AddRatios(); }
    void hitTestsAnswerAsAtRatioOne();
    void pianoDragLeavesAFullPaint_data() { AddRatios(true); }
    void pianoDragLeavesAFullPaint();
    void fretMarkerMatchesFullPaint_data() { AddRatios(true); }
    void fretMarkerMatchesFullPaint();
};

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
