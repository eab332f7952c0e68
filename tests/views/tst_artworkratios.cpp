// The pictures at device pixel ratios above 1: their rules (at 1:1 too), the geometry the staff relies on,
// and real detail rather than an enlarged 1:1 picture.
#include "Artwork.h"
#include "ArtworkDrawing.h"
#include "Canvas.h"
#include "NoteNames.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <functional>
#include <set>

using namespace quavix;

namespace {

constexpr double Ratios[] = {1.25, 1.5, 1.75, 2.0, 3.0}; // 1.75 is not baked: drawn when asked for

bool Opaque(const QImage& picture, int x, int y) {
    return qAlpha(picture.pixel(x, y)) == 255;
}
QRgb Colour(const QImage& picture, int x, int y) {
    return picture.pixel(x, y) & 0xFFFFFF;
}

struct Named {
    QString name;
    QImage picture;
    QSize logical;
};

std::vector<Named> PicturesAt(double ratio) {
    std::vector<Named> all;
    for (int i = 0; i < Artwork::ClefCount; ++i)
        all.push_back({QString("clef %1").arg(i),
                       Artwork::Clef(i, ratio, 84),
                       {29, i == Artwork::OctaveTreblePicture ? 84 : 72}}); // the 8 hangs below
    for (int i = 0; i < Artwork::NoteCount; ++i)
        all.push_back({QString("note %1").arg(i), Artwork::Note(i, ratio, 31 + i), {20, 68}});
    for (int i = 0; i < Artwork::LetterCount; ++i)
        for (bool enabled : {true, false})
            all.push_back({QString("letter %1%2").arg(i).arg(enabled ? "" : " disabled"),
                           Artwork::Letter(i, enabled, ratio),
                           {24, 24}});
    for (int i = 0; i < Artwork::NameCount; ++i)
        for (bool enabled : {true, false})
            all.push_back({QString("name %1%2").arg(i).arg(enabled ? "" : " disabled"),
                           ArtworkDrawing::NoteName(i, enabled, ratio),
                           {24, 24}});
    for (int i = 0; i < Artwork::ToolbarIconCount; ++i)
        for (bool enabled : {true, false})
            all.push_back({QString("icon %1%2").arg(i).arg(enabled ? "" : " disabled"),
                           Artwork::ToolbarIcon(i, enabled, ratio),
                           {24, 24}});
    all.push_back({"timer", Artwork::Timer(ratio), {80, 134}});
    all.push_back({"logo", Artwork::Logo(ratio), {96, 96}});
    all.push_back({"pointing hand", Artwork::PointingHand(ratio), {32, 32}});
    all.push_back({"question", Artwork::Question(ratio), {32, 32}});
    return all;
}

// The device rows the canvas blackens for level lines at the given logical rows, counted from the device
// row of logical row `top`.
QList<int> CanvasLineRows(double ratio, int top, const QList<int>& rows) {
    Canvas canvas(QSize(4, top + 80), ratio);
    for (int row : rows)
        canvas.Line(0, top + row, 4, top + row, 0x000000);
    const int origin = canvas.DeviceRect(QRect(0, top, 1, 1)).top();
    QList<int> black;
    for (int y = 0; y < canvas.Image().height(); ++y)
        if ((canvas.Image().pixel(0, y) & 0xFFFFFF) == 0)
            black << y - origin;
    return black;
}

// Rows that are opaque black right across the picture.
QList<int> FullBlackRows(const QImage& picture) {
    QList<int> rows;
    for (int y = 0; y < picture.height(); ++y) {
        bool across = true;
        for (int x = 0; x < picture.width() && across; ++x)
            across = Opaque(picture, x, y) && Colour(picture, x, y) == 0;
        if (across)
            rows << y;
    }
    return rows;
}

// The first and last row with ink in a column of the picture, leaving out the given rows.
std::pair<int, int> InkExtent(const QImage& picture, int column, const QList<int>& skip) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < picture.height(); ++y)
        if (Opaque(picture, column, y) && !skip.contains(y)) {
            if (first < 0)
                first = y;
            last = y;
        }
    return {first, last};
}

} // namespace

class TestArtworkRatios : public QObject {
    Q_OBJECT

private slots:
    void everyPictureKeepsTheRules_data();
    void everyPictureKeepsTheRules();
    void bakedPicturesAreTheDrawnOnes_data();
    void bakedPicturesAreTheDrawnOnes();
    void realDetailNotAnEnlargement_data();
    void realDetailNotAnEnlargement();
    void clefLinesAreTheCanvasLines_data();
    void clefLinesAreTheCanvasLines();
    void noteLedgersAndHeads_data();
    void noteLedgersAndHeads();
    void pointingHandHotSpot();
    void otherRatiosAreDrawnOnce();
    void programIconSizes();
    void scalableIconIsTheSameMark();
};

void TestArtworkRatios::everyPictureKeepsTheRules_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QSize>("logical");
    const auto add = [](double ratio) {
        for (const Named& named : PicturesAt(ratio))
            QTest::newRow(qPrintable(QString("%1 at %2").arg(named.name).arg(ratio)))
                << ratio << named.picture << named.logical;
    };
    add(1.0); // the pictures the program carries for ordinary screens keep the rules too
    for (double ratio : Ratios)
        add(ratio);
}

void TestArtworkRatios::everyPictureKeepsTheRules() {
    QFETCH(double, ratio);
    QFETCH(QImage, picture);
    QFETCH(QSize, logical);
    QCOMPARE(picture.devicePixelRatio(), ratio);
    QCOMPARE(picture.format(), QImage::Format_ARGB32);
    // Its logical size at the ratio, to the nearest device pixel either way.
    QVERIFY(std::abs(picture.width() - logical.width() * ratio) < 1.0);
    QVERIFY(std::abs(picture.height() - logical.height() * ratio) < 1.0);
    int opaque = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            QVERIFY2(qAlpha(pixel) == 0 || qAlpha(pixel) == 255,
                     qPrintable(QString("alpha at %1,%2").arg(x).arg(y)));
            QVERIFY2((pixel & 0xFFFFFF) != 0x00FF00 || qAlpha(pixel) == 0,
                     qPrintable(QString("colour key green at %1,%2").arg(x).arg(y)));
            opaque += qAlpha(pixel) == 255;
        }
    QVERIFY(opaque > 0);
}

// What the program carries must be what the drawing code draws, for every baked ratio and every row phase
// of the staff's pictures.
void TestArtworkRatios::bakedPicturesAreTheDrawnOnes_data() {
    QTest::addColumn<QImage>("baked");
    QTest::addColumn<QImage>("drawn");
    for (double ratio : {1.25, 1.5, 2.0, 3.0}) {
        const QString at = QString(" at %1").arg(ratio);
        for (int top = 0; top < 4; ++top) {
            const PictureGrid grid(ratio, QPoint(0, top));
            for (int i = 0; i < Artwork::ClefCount; ++i)
                QTest::newRow(qPrintable(QString("clef %1, row %2").arg(i).arg(top) + at))
                    << Artwork::Clef(i, ratio, top + 40) << ArtworkDrawing::Clef(i, grid);
            for (int i = 0; i < Artwork::NoteCount; ++i)
                QTest::newRow(qPrintable(QString("note %1, row %2").arg(i).arg(top) + at))
                    << Artwork::Note(i, ratio, top - 12) << ArtworkDrawing::Note(i, grid);
        }
        for (int i = 0; i < Artwork::LetterCount; ++i)
            QTest::newRow(qPrintable(QString("letter %1").arg(i) + at))
                << Artwork::Letter(i, false, ratio) << ArtworkDrawing::Letter(i, false, ratio);
        for (int i = 0; i < Artwork::ToolbarIconCount; ++i)
            QTest::newRow(qPrintable(QString("icon %1").arg(i) + at))
                << Artwork::ToolbarIcon(i, true, ratio) << ArtworkDrawing::ToolbarIcon(i, true, ratio);
        QTest::newRow(qPrintable("timer" + at)) << Artwork::Timer(ratio) << ArtworkDrawing::Timer(ratio);
        QTest::newRow(qPrintable("logo" + at)) << Artwork::Logo(ratio) << ArtworkDrawing::Logo(ratio);
        QTest::newRow(qPrintable("hand" + at))
            << Artwork::PointingHand(ratio) << ArtworkDrawing::PointingHand(ratio);
        QTest::newRow(qPrintable("question" + at))
            << Artwork::Question(ratio) << ArtworkDrawing::Question(ratio);
        // The names of the notes: the syllables of fixed do, and the German H.
        for (int i = 0; i < Artwork::LetterCount; ++i)
            for (bool enabled : {true, false})
                QTest::newRow(qPrintable(QString("name %1%2").arg(i).arg(enabled ? "" : " disabled") + at))
                    << Artwork::NoteName(i, FixedDo, enabled, ratio)
                    << ArtworkDrawing::NoteName(1 + i, enabled, ratio);
        QTest::newRow(qPrintable("H" + at))
            << Artwork::NoteName(1, GermanNames, false, ratio) << ArtworkDrawing::NoteName(0, false, ratio);
    }
}

void TestArtworkRatios::bakedPicturesAreTheDrawnOnes() {
    QFETCH(QImage, baked);
    QFETCH(QImage, drawn);
    QCOMPARE(baked, drawn);
    QCOMPARE(baked.devicePixelRatio(), drawn.devicePixelRatio());
}

void TestArtworkRatios::realDetailNotAnEnlargement_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QImage>("picture");
    for (double ratio : {2.0, 1.5}) {
        const QString at = QString(" at %1").arg(ratio);
        QTest::newRow(qPrintable("treble clef" + at)) << ratio << Artwork::Clef(1, ratio, 8);
        QTest::newRow(qPrintable("bass clef" + at)) << ratio << Artwork::Clef(0, ratio, 84);
        QTest::newRow(qPrintable("note" + at)) << ratio << Artwork::Note(0, ratio, 26);
        QTest::newRow(qPrintable("note with ledger" + at)) << ratio << Artwork::Note(5, ratio, 32);
        QTest::newRow(qPrintable("letter C" + at)) << ratio << Artwork::Letter(2, true, ratio);
        QTest::newRow(qPrintable("letter G" + at)) << ratio << Artwork::Letter(6, true, ratio);
        QTest::newRow(qPrintable("Do" + at)) << ratio << Artwork::NoteName(2, FixedDo, true, ratio);
        QTest::newRow(qPrintable("Re" + at)) << ratio << Artwork::NoteName(3, FixedDo, true, ratio);
        QTest::newRow(qPrintable("Sol" + at)) << ratio << Artwork::NoteName(6, FixedDo, true, ratio);
    }
}

// An enlarged 1:1 picture repeats each of its pixels over the device pixels of that logical pixel. A
// picture drawn at device resolution places its edges on device pixels, so many logical pixels along its
// outline hold device pixels of different colours or opacity.
void TestArtworkRatios::realDetailNotAnEnlargement() {
    QFETCH(double, ratio);
    QFETCH(QImage, picture);
    const PixelGrid grid(ratio);
    int blocks = 0;
    int mixed = 0;
    for (int ly = 0; grid.Device(ly + 1) <= picture.height(); ++ly)
        for (int lx = 0; grid.Device(lx + 1) <= picture.width(); ++lx) {
            const QRect block(QPoint(grid.Device(lx), grid.Device(ly)),
                              QPoint(grid.Device(lx + 1) - 1, grid.Device(ly + 1) - 1));
            if (block.width() * block.height() < 2)
                continue;
            std::set<QRgb> seen;
            for (int y = block.top(); y <= block.bottom(); ++y)
                for (int x = block.left(); x <= block.right(); ++x)
                    seen.insert(picture.pixel(x, y));
            if (seen.size() == 1 && *seen.begin() == 0)
                continue; // empty space
            ++blocks;
            mixed += seen.size() > 1;
        }
    QVERIFY2(mixed * 5 > blocks, qPrintable(QString("%1 of %2 blocks mixed").arg(mixed).arg(blocks)));
}

void TestArtworkRatios::clefLinesAreTheCanvasLines_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("top");
    for (double ratio : Ratios)
        for (int top : {8, 84, 9, 10, 11})
            QTest::newRow(qPrintable(QString("at %1, row %2").arg(ratio).arg(top))) << ratio << top;
}

// A clef drawn for its row carries the staff's lines on exactly the device rows where the canvas draws
// those lines, at their weight, right across; no other row is black right across.
void TestArtworkRatios::clefLinesAreTheCanvasLines() {
    QFETCH(double, ratio);
    QFETCH(int, top);
    const QList<int> lines = CanvasLineRows(ratio, top, {14, 24, 34, 44, 54});
    for (int index = 0; index < Artwork::ClefCount; ++index)
        QCOMPARE(FullBlackRows(Artwork::Clef(index, ratio, top)), lines);
}

void TestArtworkRatios::noteLedgersAndHeads_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("glyph");
    QTest::addColumn<int>("top");
    for (double ratio : Ratios)
        for (int glyph = 0; glyph < Artwork::NoteCount; ++glyph)
            for (int top : {26, 27, 28, 29})
                QTest::newRow(qPrintable(QString("glyph %1 at %2, row %3").arg(glyph).arg(ratio).arg(top)))
                    << ratio << glyph << top;
}

// Ledger lines fall where the canvas would draw them for the 1:1 picture's ledger rows; the head keeps its
// rows: its middle within a device pixel of the 1:1 head's middle at the ratio, and about as tall.
void TestArtworkRatios::noteLedgersAndHeads() {
    QFETCH(double, ratio);
    QFETCH(int, glyph);
    QFETCH(int, top);
    const QImage& unit = Artwork::Note(glyph);
    const QImage& note = Artwork::Note(glyph, ratio, top);
    const QList<int> ledgers = FullBlackRows(unit);
    QCOMPARE(FullBlackRows(note), CanvasLineRows(ratio, top, ledgers));

    const auto [unitTop, unitBottom] = InkExtent(unit, 10, ledgers);
    const auto [first, last] = InkExtent(note, int(10.5 * ratio), FullBlackRows(note));
    const PixelGrid grid(ratio);
    const double expected = ((unitTop + unitBottom + 1) / 2.0 + top) * ratio - grid.Device(top);
    const double middle = (first + last + 1) / 2.0;
    QVERIFY2(std::abs(middle - expected) <= 1.0,
             qPrintable(QString("middle %1, expected %2").arg(middle).arg(expected)));
    QVERIFY(std::abs((last - first + 1) - (unitBottom - unitTop + 1) * ratio) <= 2.0);
}

// The cursor's hot spot, (13, 7) in logical pixels, is the top left of the fingertip at every ratio.
void TestArtworkRatios::pointingHandHotSpot() {
    for (double ratio : Ratios) {
        const QImage& hand = Artwork::PointingHand(ratio);
        const PixelGrid grid(ratio);
        const QPoint hot(grid.Device(Artwork::PointingHandHotSpot.x()),
                         grid.Device(Artwork::PointingHandHotSpot.y()));
        QVERIFY(Opaque(hand, hot.x(), hot.y()));
        QCOMPARE(Colour(hand, hot.x(), hot.y()), QRgb(0x000000));
        for (int y = 0; y < hand.height(); ++y)
            for (int x = 0; x < hand.width(); ++x)
                if (Opaque(hand, x, y)) {
                    QVERIFY2(y >= hot.y(),
                             qPrintable(QString("ink at %1,%2 at %3").arg(x).arg(y).arg(ratio)));
                    QVERIFY(Colour(hand, x, y) == 0x000000 || Colour(hand, x, y) == 0xFFFFFF);
                }
    }
}

void TestArtworkRatios::otherRatiosAreDrawnOnce() {
    QVERIFY(Artwork::IsBaked(1.0) && Artwork::IsBaked(1.5) && Artwork::IsBaked(2.0));
    QVERIFY(!Artwork::IsBaked(1.75));
    const QImage& clef = Artwork::Clef(1, 1.75, 8);
    QCOMPARE(clef, ArtworkDrawing::Clef(1, PictureGrid(1.75, QPoint(0, 8))));
    // Kept once drawn, for every row that falls on the device grid alike.
    QCOMPARE(&Artwork::Clef(1, 1.75, 8), &clef);
    QCOMPARE(&Artwork::Clef(1, 1.75, 12), &clef);
    QVERIFY(&Artwork::Clef(1, 1.75, 9) != &clef);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, Artwork::Clef(Artwork::ClefCount, 1.75, 8));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, Artwork::Letter(-1, true, 2.0));
}

// Every size a desktop asks for, those the program carries and those drawn when asked for alike.
void TestArtworkRatios::programIconSizes() {
    QCOMPARE(Artwork::ProgramIcon(8).size(), QSize(16, 16)); // none smaller than the smallest carried
    for (int size : {16, 20, 22, 24, 32, 40, 48, 64, 80, 96, 128, 192, 256}) {
        const QImage icon = Artwork::ProgramIcon(size);
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(icon, ArtworkDrawing::ProgramIcon(size));
        bool black = false;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                QVERIFY(qAlpha(icon.pixel(x, y)) == 0 || qAlpha(icon.pixel(x, y)) == 255);
                black = black || (Opaque(icon, x, y) && Colour(icon, x, y) == 0);
            }
        QVERIFY(black);
    }
}

// The scalable icon, painted back at 96 pixels, covers what the 96-pixel bitmap covers, in the same
// colours: it is the same mark, not a drawing of its own.
void TestArtworkRatios::scalableIconIsTheSameMark() {
    QXmlStreamReader xml(ArtworkDrawing::ProgramIconSvg());
    QImage painted(96, 96, QImage::Format_ARGB32);
    painted.fill(0);
    QPainter painter(&painted);
    painter.setPen(Qt::NoPen);
    int paths = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"svg")
            QCOMPARE(xml.attributes().value("viewBox"), u"0 0 96 96");
        if (xml.name() == u"g")
            painter.translate(-3.5, 2.5);
        if (xml.name() != u"path")
            continue;
        ++paths;
        QPainterPath path;
        path.setFillRule(xml.attributes().value("fill-rule") == u"nonzero" ? Qt::WindingFill
                                                                           : Qt::OddEvenFill);
        // The path data is moves, lines and cubic curves with absolute coordinates.
        static const QRegularExpression token("[MLCZ]|[-+]?[0-9]*\\.?[0-9]+(?:[eE][-+]?[0-9]+)?");
        QStringList tokens;
        for (const auto& match : token.globalMatch(xml.attributes().value("d").toString()))
            tokens << match.captured();
        QList<double> n;
        QChar command;
        for (const QString& t : tokens + QStringList{"Z"}) {
            if (t[0].isLetter()) {
                if (command == 'M')
                    path.moveTo(n[0], n[1]);
                else if (command == 'L')
                    path.lineTo(n[0], n[1]);
                else if (command == 'C')
                    path.cubicTo(n[0], n[1], n[2], n[3], n[4], n[5]);
                command = t[0];
                n.clear();
            } else {
                n << t.toDouble();
            }
        }
        painter.setBrush(QColor(xml.attributes().value("fill").toString()));
        painter.drawPath(path);
    }
    painter.end();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(paths, 6);
    const QImage bitmap = Artwork::ProgramIcon(96);
    int differ = 0;
    int inked = 0;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            inked += Opaque(bitmap, x, y);
            const QRgb a = painted.pixel(x, y);
            const QRgb b = bitmap.pixel(x, y);
            // Edges are smoothed differently; inside, shapes and colours agree.
            differ += (qAlpha(a) > 128) != Opaque(bitmap, x, y) ||
                      (Opaque(bitmap, x, y) && qAlpha(a) == 255 && std::abs(qGray(a) - qGray(b)) > 40);
        }
    QVERIFY2(differ * 20 < inked, qPrintable(QString("%1 of %2 pixels differ").arg(differ).arg(inked)));
}

QTEST_MAIN(TestArtworkRatios)
#include "tst_artworkratios.moc"
