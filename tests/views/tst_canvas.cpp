#include "Canvas.h"

#include <QTest>

#include <algorithm>

using namespace quavix;

namespace {

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Black = 0x000000;
constexpr QRgb Red = 0xFF0000;
constexpr QRgb Blue = 0x0000FF;

QRgb At(const Canvas& canvas, int x, int y) {
    return canvas.Image().pixel(x, y) & 0xFFFFFF;
}

// The device rows (or columns) holding a colour along one column (row) of the image.
QList<int> RowsOf(const Canvas& canvas, int column, QRgb colour) {
    QList<int> rows;
    for (int y = 0; y < canvas.Image().height(); ++y)
        if (At(canvas, column, y) == colour)
            rows << y;
    return rows;
}

QList<int> Run(int from, int count) {
    QList<int> run;
    for (int i = 0; i < count; ++i)
        run << from + i;
    return run;
}

void AddRatios() {
    QTest::addColumn<double>("ratio");
    for (double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0})
        QTest::newRow(qPrintable(QString("ratio %1").arg(ratio))) << ratio;
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void imageHoldsDevicePixels_data() { AddRatios(); }
    void imageHoldsDevicePixels();
    void neighbouringFillsMeet_data() { AddRatios(); }
    void neighbouringFillsMeet();
    void linesKeepOneWeight_data() { AddRatios(); }
    void linesKeepOneWeight();
    void pixelReadsUnderTheLogicalPixel_data() { AddRatios(); }
    void pixelReadsUnderTheLogicalPixel();
    void dirtyRegionIsLogical_data() { AddRatios(); }
    void dirtyRegionIsLogical();
    void clipHoldsAtEveryRatio_data() { AddRatios(); }
    void clipHoldsAtEveryRatio();
    void ellipseFillsItsBox();
    void slantedLineHasTheLineWeight();
    void pictureIsPlacedPixelForPixel();
    void pictureOfAnotherRatioKeepsItsLogicalSize();
    void setRatioRedrawsAtTheNewResolution();
};

void TestCanvas::imageHoldsDevicePixels() {
    QFETCH(double, ratio);
    const Canvas canvas(QSize(377, 101), ratio);
    QCOMPARE(canvas.Width(), 377);
    QCOMPARE(canvas.Height(), 101);
    QCOMPARE(canvas.Image().devicePixelRatio(), ratio);
    // Within half a device pixel of the exact size, so the widget shows it without stretching.
    QVERIFY(std::abs(canvas.Image().width() - 377 * ratio) <= 0.5);
    QVERIFY(std::abs(canvas.Image().height() - 101 * ratio) <= 0.5);
}

// Fills side by side, each one logical pixel wider than the last, leave no device column uncovered and
// paint none twice: their colours alternate without a white gap, and each starts where the last ended.
void TestCanvas::neighbouringFillsMeet() {
    QFETCH(double, ratio);
    Canvas canvas(QSize(130, 4), ratio);
    int x = 0;
    for (int width = 1; x + width <= 120; ++width) {
        canvas.Fill(x, 0, x + width, 4, width % 2 ? Red : Blue);
        x += width;
    }
    const int covered = canvas.Grid().Device(x);
    QRgb previous = White;
    int changes = 0;
    for (int column = 0; column < covered; ++column) {
        const QRgb colour = At(canvas, column, 0);
        QVERIFY2(colour != White, qPrintable(QString("gap at device column %1").arg(column)));
        changes += colour != previous;
        previous = colour;
    }
    QCOMPARE(changes, 15); // fills of width 1 to 15
    QCOMPARE(At(canvas, covered, 0), White);
}

// Wherever a line lies, it is round(ratio) device pixels thick from the first device pixel of its logical
// pixel, though at fractional ratios logical pixels are one or two device pixels wide by turns.
void TestCanvas::linesKeepOneWeight() {
    QFETCH(double, ratio);
    const int weight = std::max(1, int(std::floor(ratio + 0.5)));
    for (int at = 0; at < 12; ++at) {
        Canvas canvas(QSize(16, 16), ratio);
        canvas.Line(2, at, 14, at, Black);
        canvas.Line(at, 2, at, 14, Black);
        const int first = canvas.Grid().Device(at);
        // Seen across the level line away from the upright one, and across the upright line away from the
        // level one.
        const int across = canvas.Grid().Device(at < 8 ? 12 : 3);
        QCOMPARE(RowsOf(canvas, across, Black), Run(first, weight));
        QList<int> columns;
        for (int x = 0; x < canvas.Image().width(); ++x)
            if (At(canvas, x, across) == Black)
                columns << x;
        QCOMPARE(columns, Run(first, weight));
    }
}

void TestCanvas::pixelReadsUnderTheLogicalPixel() {
    QFETCH(double, ratio);
    Canvas canvas(QSize(10, 10), ratio);
    canvas.Fill(3, 4, 4, 5, Red);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            QCOMPARE(canvas.Pixel(x, y), (x == 3 && y == 4) ? Red : White);
    QCOMPARE(canvas.Pixel(-1, 0), QRgb(0));
    QCOMPARE(canvas.Pixel(10, 0), QRgb(0));
}

void TestCanvas::dirtyRegionIsLogical() {
    QFETCH(double, ratio);
    Canvas canvas(QSize(40, 40), ratio);
    canvas.TakeDirty();
    canvas.Fill(3, 5, 17, 9, Red);
    QCOMPARE(canvas.TakeDirty(), QRegion(3, 5, 14, 4));
    // A line one weight thick may reach into the next logical pixel; the region then takes that in too.
    canvas.Line(2, 20, 30, 20, Black);
    const QRect line = canvas.TakeDirty().boundingRect();
    QCOMPARE(line.left(), 2);
    QCOMPARE(line.right(), 29);
    QCOMPARE(line.top(), 20);
    QVERIFY(line.bottom() <= 21);
    QVERIFY(canvas.TakeDirty().isEmpty());
}

// A view repaints part of a detailed area by running its usual drawing through a clip; at any ratio no
// device pixel outside the clip's logical pixels may change.
void TestCanvas::clipHoldsAtEveryRatio() {
    QFETCH(double, ratio);
    Canvas canvas(QSize(40, 40), ratio);
    canvas.Fill(0, 0, 40, 40, Blue);
    const QImage before = canvas.Image().copy();
    canvas.TakeDirty();
    canvas.SetClip(QRect(10, 10, 7, 7));
    canvas.Fill(0, 0, 40, 40, Red);
    canvas.Line(0, 13, 40, 13, Black);
    canvas.Line(13, 0, 13, 40, Black);
    canvas.Line(0, 0, 40, 40, Black);
    canvas.Ellipse(5, 5, 25, 25, Black, White);
    canvas.ClearClip();
    const QRect inside = canvas.DeviceRect(QRect(10, 10, 7, 7));
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (!inside.contains(x, y))
                QVERIFY2(canvas.Image().pixel(x, y) == before.pixel(x, y),
                         qPrintable(QString("(%1, %2) changed").arg(x).arg(y)));
    QCOMPARE(canvas.TakeDirty().boundingRect(), QRect(10, 10, 7, 7));
}

void TestCanvas::ellipseFillsItsBox() {
    Canvas canvas(QSize(20, 20), 2.0);
    canvas.Ellipse(5, 5, 15, 15, Black, Red);
    // The ring is two device pixels wide at its sides, the inside red, and nothing leaves the box.
    QCOMPARE(RowsOf(canvas, 20, Black), QList<int>({10, 11, 28, 29}));
    QCOMPARE(At(canvas, 20, 20), Red);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (x < 10 || x >= 30 || y < 10 || y >= 30)
                QCOMPARE(At(canvas, x, y), White);
    // Round: the corners of the box stay clear, and it looks the same from every side.
    QCOMPARE(At(canvas, 10, 10), White);
    const QImage image = canvas.Image();
    QCOMPARE(image.mirrored(true, false), image);
    QCOMPARE(image.mirrored(false, true), image);
}

void TestCanvas::slantedLineHasTheLineWeight() {
    Canvas canvas(QSize(20, 20), 2.0);
    canvas.Line(2, 2, 12, 12, Black);
    // Every device row it crosses holds one unbroken run, moving a pixel right a row, as wide across the
    // slant as a level line is high (two or three pixels along a row at 45 degrees); the end point is
    // left out.
    for (int y = 4; y < 24; ++y) {
        QList<int> columns;
        for (int x = 0; x < 40; ++x)
            if (At(canvas, x, y) == Black)
                columns << x;
        QVERIFY(columns.size() == 2 || columns.size() == 3);
        QCOMPARE(columns.last() - columns.first() + 1, columns.size());
        QCOMPARE(columns.last(), y + 1);
    }
    QCOMPARE(At(canvas, 24, 24), White);
    QCOMPARE(RowsOf(canvas, 25, Black), QList<int>());
}

void TestCanvas::pictureIsPlacedPixelForPixel() {
    for (double ratio : {1.5, 2.0}) {
        QImage picture(7, 5, QImage::Format_ARGB32);
        picture.fill(0);
        picture.setPixel(0, 0, 0xFF000000);
        picture.setPixel(6, 4, 0xFFFF0000);
        picture.setDevicePixelRatio(ratio);
        Canvas canvas(QSize(20, 20), ratio);
        canvas.Draw(3, 5, picture);
        const QPoint origin(canvas.Grid().Device(3), canvas.Grid().Device(5));
        QCOMPARE(At(canvas, origin.x(), origin.y()), Black);
        QCOMPARE(At(canvas, origin.x() + 6, origin.y() + 4), Red);
        // Transparent pixels leave the canvas alone; an opaque draw lays the background under them.
        QCOMPARE(At(canvas, origin.x() + 1, origin.y()), White);
        canvas.DrawOpaque(3, 5, picture, Blue);
        QCOMPARE(At(canvas, origin.x() + 1, origin.y()), Blue);
        QCOMPARE(At(canvas, origin.x() + 7, origin.y()), White);
    }
}

void TestCanvas::pictureOfAnotherRatioKeepsItsLogicalSize() {
    QImage picture(10, 10, QImage::Format_ARGB32);
    picture.fill(0xFF000000);
    Canvas canvas(QSize(20, 20), 2.0);
    canvas.Draw(0, 0, picture);
    QCOMPARE(RowsOf(canvas, 0, Black), Run(0, 20));
}

void TestCanvas::setRatioRedrawsAtTheNewResolution() {
    Canvas canvas(QSize(30, 20));
    const auto redraw = [&] {
        canvas.Fill(0, 0, 30, 20, Blue);
        canvas.Line(0, 10, 30, 10, Black);
    };
    QVERIFY(!canvas.SetRatio(1.0));
    canvas.SetClip(QRect(0, 0, 5, 5));
    QVERIFY(canvas.SetRatio(2.0));
    redraw();
    QCOMPARE(canvas.Image().size(), QSize(60, 40));
    // The clip follows the ratio: only its logical pixels were redrawn.
    QCOMPARE(At(canvas, 9, 9), Blue);
    QCOMPARE(At(canvas, 10, 10), White);
    canvas.ClearClip();
    QVERIFY(canvas.SetRatio(1.5));
    redraw();
    QCOMPARE(RowsOf(canvas, 0, Black), Run(15, 2));
    // The whole box is to be shown again.
    QCOMPARE(canvas.TakeDirty(), QRegion(0, 0, 30, 20));
}

QTEST_GUILESS_MAIN(TestCanvas)
#include "tst_canvas.moc"
