// The staff as the view draws it on the canvas, at 1:1 and at the device pixel ratios of 150 % and 200 %
// screens: lines on exactly their device rows, clefs and notes exact on every device pixel, and their
// erasure giving back the staff.
#include "Artwork.h"
#include "StaffRig.h"

#include <QTest>

using namespace quavix;

namespace {
constexpr QRgb Black = 0x000000;
constexpr QRgb Background = 0xF0F0F0;
constexpr QRgb Untouched = StaffRig::Untouched;

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// A line one logical pixel wide takes one device row at 1:1 and two at the larger ratios.
int Weight(double ratio) {
    return ratio == 1.0 ? 1 : 2;
}

// The logical rows of the staff lines the view draws.
QList<int> StaffLines(bool grand) {
    QList<int> lines;
    for (int i = 0; i < 5; ++i)
        lines << 22 + 10 * i;
    for (int i = 0; grand && i < 5; ++i)
        lines << 98 + 10 * i;
    return lines;
}

// Staff lines lie on even rows, so at every ratio a line takes the device rows from line * ratio.
bool OnStaffLine(int deviceRow, double ratio, bool grand) {
    for (int line : StaffLines(grand))
        if (deviceRow >= line * ratio && deviceRow < line * ratio + Weight(ratio))
            return true;
    return false;
}

void AddRatios() {
    QTest::addColumn<double>("ratio");
    QTest::newRow("ratio 1") << 1.0;
    QTest::newRow("ratio 2") << 2.0;
    QTest::newRow("ratio 1.5") << 1.5;
}

// Where the picture's opaque pixels are, the canvas shows them; everywhere else it shows before.
QString PaintedOver(const QImage& image, const QImage& before, const QImage& picture, QPoint origin) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QPoint at = QPoint(x, y) - origin;
            const bool own = picture.rect().contains(at) && qAlpha(picture.pixel(at)) != 0;
            const QRgb expected = own ? At(picture, at.x(), at.y()) : At(before, x, y);
            if (At(image, x, y) != expected)
                return QString("device (%1, %2)").arg(x).arg(y);
        }
    return {};
}
} // namespace

class StaffViewTest : public QObject {
    Q_OBJECT

private slots:
    void linesAndBarLines_data();
    void linesAndBarLines();
    void clefsContinueTheStaff_data();
    void clefsContinueTheStaff();
    void notesDrawOnlyTheirOwnPixels_data() { AddRatios(); }
    void notesDrawOnlyTheirOwnPixels();
    void lowGuitarNotesHangFromTheStaff_data();
    void lowGuitarNotesHangFromTheStaff();
    void repaintKeepsTheNoteUntilErased();
    void lowestNoteIsCutAtTheBottom();
    void lowColourSchemeClearsSilver();
};

void StaffViewTest::linesAndBarLines_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("mode");
    for (double ratio : {1.0, 2.0, 1.5}) {
        QTest::addRow("grand staff at %g", ratio) << ratio << int(NoteButtons);
        QTest::addRow("piano at %g", ratio) << ratio << int(PianoKeys);
        QTest::addRow("guitar staff at %g", ratio) << ratio << int(GuitarFrets);
    }
}

void StaffViewTest::linesAndBarLines() {
    QFETCH(double, ratio);
    QFETCH(int, mode);
    const bool grand = mode != GuitarFrets;
    const int weight = Weight(ratio);
    StaffRig rig(InputModes(mode), TrebleStaff, ratio);
    const QImage& image = rig.canvas.Image();
    // Every device column of logical columns past the clefs: black exactly on the lines' device rows.
    for (int x : {36, 100, 278})
        for (int column = int(x * ratio); column < int((x + 1) * ratio); ++column)
            for (int row = 0; row < image.height(); ++row)
                if (At(image, column, row) != (OnStaffLine(row, ratio, grand) ? Black : Background))
                    QFAIL(qPrintable(QString("device pixel (%1, %2)").arg(column).arg(row)));
    // The bar lines take the device columns of logical columns 0 and 280, from the top line's first device
    // row to the bottom line's last; the view never paints right of the last one.
    const int top = int(22 * ratio);
    const int bottom = int((grand ? 138 : 62) * ratio) + weight - 1;
    const int pastBar = int(280 * ratio) + weight;
    for (int row = 0; row < image.height(); ++row) {
        const bool bar = row >= top && row <= bottom;
        for (int x : {0, 280})
            for (int column = int(x * ratio); column < int(x * ratio) + weight; ++column)
                QVERIFY2((At(image, column, row) == Black) == bar,
                         qPrintable(QString("bar %1 at device (%2, %3)").arg(x).arg(column).arg(row)));
        for (int column = pastBar; column < image.width(); ++column)
            QVERIFY2(At(image, column, row) == Untouched,
                     qPrintable(QString("device (%1, %2)").arg(column).arg(row)));
        if (!bar)
            QCOMPARE(At(image, 0, row), Background);
    }
    if (!grand) {
        // Only the treble staff: nothing below its bottom line but background (and the treble clef's tail).
        for (int row = int(62 * ratio) + weight; row < image.height(); ++row)
            for (int column = row < 80 * ratio ? int(35 * ratio) : 0; column < int(280 * ratio); ++column)
                QVERIFY2(At(image, column, row) == Background,
                         qPrintable(QString("device (%1, %2)").arg(column).arg(row)));
    }
}

void StaffViewTest::clefsContinueTheStaff_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower"); // -1: no lower staff
    for (double ratio : {1.0, 2.0, 1.5}) {
        QTest::addRow("treble at %g", ratio) << ratio << 0 << 0 << 1 << 2;
        QTest::addRow("bass at %g", ratio) << ratio << 1 << 1 << 3 << 0;
        QTest::addRow("all at %g", ratio) << ratio << 0 << 2 << 1 << 0;
        QTest::addRow("guitar at %g", ratio) << ratio << 2 << 0 << 1 << -1;
    }
}

// Each clef stands whole over the background in its rectangle, exactly as drawn for its row (that picture
// carries the staff's lines on the canvas's own rows: the artwork's test).
void StaffViewTest::clefsContinueTheStaff() {
    QFETCH(double, ratio);
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, upper);
    QFETCH(int, lower);
    StaffRig rig(InputModes(mode), StaffChoices(staff), ratio);
    auto check = [&](int index, int top) {
        const QImage& clef = Artwork::Clef(index, ratio, top);
        const QPoint origin = rig.canvas.DeviceRect(QRect(6, top, 1, 1)).topLeft();
        for (int y = 0; y < clef.height(); ++y)
            for (int x = 0; x < clef.width(); ++x) {
                const QRgb pixel = clef.pixel(x, y);
                const QRgb expected = qAlpha(pixel) ? (pixel & 0xFFFFFF) : Background;
                if (At(rig.canvas.Image(), origin.x() + x, origin.y() + y) != expected)
                    return QString("clef %1 at (%2, %3)").arg(index).arg(x).arg(y);
            }
        return QString();
    };
    QString problem = check(upper, 8);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    if (lower >= 0) {
        problem = check(lower, 84);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
}

void StaffViewTest::notesDrawOnlyTheirOwnPixels() {
    QFETCH(double, ratio);
    for (int row = 0; row < StaffSetRows; ++row) {
        StaffRig rig(NoteButtons, AllStaves, ratio);
        const QImage before = rig.canvas.Image().copy();
        rig.Show(row, 19 - row % 20);
        const NoteEntry& note = rig.quiz.Table[row];
        const QImage& picture = Artwork::Note(note.Glyph, ratio, note.Top);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        const QPoint origin = rig.canvas.DeviceRect(QRect(rig.quiz.NoteX(), note.Top, 1, 1)).topLeft();
        const QString problem = PaintedOver(rig.canvas.Image(), before, picture, origin);
        QVERIFY2(problem.isEmpty(), qPrintable(QString("row %1 at %2").arg(row).arg(problem)));
        // Erasing gives back the staff as it was, and repaints only the note's strip.
        rig.canvas.TakeDirty();
        rig.view.EraseNote(rig.quiz.NoteX());
        QCOMPARE(rig.canvas.Image(), before);
        QCOMPARE(rig.canvas.TakeDirty().boundingRect(), QRect(rig.quiz.NoteX(), 0, 24, StaffView::Height));
    }
}

void StaffViewTest::lowGuitarNotesHangFromTheStaff_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("step");
    QTest::newRow("B3") << 10 << 11;
    QTest::newRow("A3") << 4 << 10;
    QTest::newRow("G3") << 17 << 9;
    QTest::newRow("F3") << 11 << 8;
    QTest::newRow("E3") << 5 << 7;
}

// Below the treble staff a note is read by its ledger lines: they continue the staff's spacing from the
// first one, 10 pixels under the bottom line, and the head sits on or between them at its true height.
void StaffViewTest::lowGuitarNotesHangFromTheStaff() {
    QFETCH(int, row);
    QFETCH(int, step);
    StaffRig rig(GuitarFrets, TrebleStaff);
    QCOMPARE(rig.quiz.Table[row].Step, step);
    rig.Show(row, 10);
    const int x = rig.quiz.NoteX();
    const int headY = 22 + 5 * (22 - step);
    const auto fullRow = [&](int y) {
        for (int u = 0; u < 20; ++u)
            if (rig.canvas.Pixel(x + u, y) != Black)
                return false;
        return true;
    };
    for (int y = 63; y < StaffView::Height; ++y) {
        const bool ledger = y >= 72 && y <= headY && (y - 72) % 10 == 0;
        QVERIFY2(fullRow(y) == ledger, qPrintable(QString("row %1").arg(y)));
    }
    // The head's outline reaches above and below its centre row in the head's columns.
    const auto inkInHead = [&](int y) {
        for (int u = 4; u <= 16; ++u)
            if (rig.canvas.Pixel(x + u, y) == Black)
                return true;
        return false;
    };
    QVERIFY(inkInHead(headY - 4) && inkInHead(headY + 4));
    QVERIFY(!inkInHead(headY + 7));
}

// A repaint (a new screen ratio, another staff choice) shows the note until it is erased, and then none.
void StaffViewTest::repaintKeepsTheNoteUntilErased() {
    StaffRig rig(NoteButtons, AllStaves);
    const QImage clean = rig.canvas.Image().copy();
    rig.Show(5, 12);
    const QImage shown = rig.canvas.Image().copy();
    rig.view.pbxStaffPaint();
    QCOMPARE(rig.canvas.Image(), shown);
    rig.view.EraseNote(rig.quiz.NoteX());
    rig.view.pbxStaffPaint();
    QCOMPARE(rig.canvas.Image(), clean);
}

void StaffViewTest::lowestNoteIsCutAtTheBottom() {
    StaffRig rig(NoteButtons, AllStaves);
    rig.Show(25, 10); // E2, Top 112: the picture reaches y 179
    const int x = rig.quiz.NoteX();
    // The head (row 148) is on the canvas; drawing past the bottom edge does no harm.
    bool headVisible = false;
    for (int px = x; px < x + 20; ++px)
        headVisible |= rig.canvas.Pixel(px, 148) == Black;
    QVERIFY(headVisible);
}

void StaffViewTest::lowColourSchemeClearsSilver() {
    StaffRig rig(PianoKeys, AllStaves);
    rig.view.SetBackgroundColour(0xC0C0C0);
    rig.view.pbxStaffPaint();
    QCOMPARE(rig.canvas.Pixel(100, 5), QRgb(0xC0C0C0));
    QCOMPARE(rig.canvas.Pixel(100, 80), QRgb(0xC0C0C0));
    QCOMPARE(rig.canvas.Pixel(10, 0), QRgb(0xC0C0C0)); // clef background too
    QCOMPARE(rig.canvas.Pixel(100, 22), Black);
    QCOMPARE(rig.canvas.Pixel(285, 5), Untouched);
}

QTEST_GUILESS_MAIN(StaffViewTest)
#include "tst_staffview.moc"
