#include "Artwork.h"
#include "Canvas.h"
#include "RecordingFrontEnd.h"
#include "StaffView.h"

#include <QTest>

using namespace quavix;

namespace {
constexpr QRgb Black = 0x000000;
constexpr QRgb Untouched = 0x123456; // what the canvas holds where the view never paints

struct StaffRig {
    RecordingFrontEnd front;
    ScriptedRandom random;
    Settings settings;
    QuizEngine quiz{front, random, settings};
    Canvas canvas{QSize(StaffView::Width, StaffView::Height)};
    StaffView view{canvas, settings};

    explicit StaffRig(InputModes mode = NoteButtons, StaffChoices staff = TrebleStaff) {
        settings.InputMode = mode;
        settings.StaffChoice = staff;
        quiz.BuildNoteTable();
        canvas.Fill(0, 0, StaffView::Width, StaffView::Height, Untouched);
        view.pbxStaffPaint();
    }
    // Asks the given row as the note with notesLeft notes still to come, where the engine would draw it.
    void Show(int row, int notesLeft) {
        quiz.State.Running = true;
        quiz.State.CurrentNote = row;
        quiz.State.NotesLeft = notesLeft;
        view.DrawNote(quiz.Table[row], quiz.NoteX());
    }
};

bool IsStaffLine(int y, bool grand) {
    for (int i = 0; i < 5; ++i)
        if (y == 22 + 10 * i || (grand && y == 98 + 10 * i))
            return true;
    return false;
}
} // namespace

class StaffViewTest : public QObject {
    Q_OBJECT

private slots:
    void linesAndBarLines_data();
    void linesAndBarLines();
    void clefsContinueTheStaff_data();
    void clefsContinueTheStaff();
    void noteDrawsOnlyItsOwnPixels();
    void lowGuitarNotesHangFromTheStaff_data();
    void lowGuitarNotesHangFromTheStaff();
    void eraseRestoresTheStaff();
    void notesWalkRight();
    void repaintKeepsTheNoteUntilErased();
    void lowestNoteIsCutAtTheBottom();
    void lowColourSchemeClearsSilver();
};

void StaffViewTest::linesAndBarLines_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("note buttons") << int(NoteButtons);
    QTest::newRow("piano") << int(PianoKeys);
    QTest::newRow("guitar") << int(GuitarFrets);
}

void StaffViewTest::linesAndBarLines() {
    QFETCH(int, mode);
    StaffRig rig{InputModes(mode)};
    const bool grand = mode != GuitarFrets;
    const int bottom = grand ? 138 : 62;
    // Columns past the clefs: lines where the staff has them, background elsewhere.
    for (int x : {35, 100, 279}) {
        for (int y = 0; y < StaffView::Height; ++y) {
            const QRgb expected = IsStaffLine(y, grand) ? Black : 0xF0F0F0;
            QVERIFY2(rig.canvas.Pixel(x, y) == expected, qPrintable(QString("(%1, %2)").arg(x).arg(y)));
        }
    }
    for (int y = 0; y < StaffView::Height; ++y) {
        const QRgb bar = (y >= 22 && y <= bottom) ? Black : 0xF0F0F0;
        QCOMPARE(rig.canvas.Pixel(0, y), bar);
        QCOMPARE(rig.canvas.Pixel(280, y), (y >= 22 && y <= bottom) ? Black : Untouched);
        // The view never paints right of its last bar line.
        for (int x = 281; x < StaffView::Width; ++x)
            QCOMPARE(rig.canvas.Pixel(x, y), Untouched);
    }
    if (!grand) {
        // Only the treble staff: nothing below its bottom line but background (and the treble clef's tail).
        for (int y = 63; y < StaffView::Height; ++y)
            for (int x = y < 80 ? 35 : 0; x < 280; ++x)
                QCOMPARE(rig.canvas.Pixel(x, y), QRgb(0xF0F0F0));
    }
}

void StaffViewTest::clefsContinueTheStaff_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("staff");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower"); // -1: no lower staff
    QTest::newRow("treble") << 0 << 0 << 1 << 2;
    QTest::newRow("bass") << 1 << 1 << 3 << 0;
    QTest::newRow("all") << 0 << 2 << 1 << 0;
    QTest::newRow("guitar") << 2 << 0 << 1 << -1;
}

void StaffViewTest::clefsContinueTheStaff() {
    QFETCH(int, mode);
    QFETCH(int, staff);
    QFETCH(int, upper);
    QFETCH(int, lower);
    StaffRig rig{InputModes(mode), StaffChoices(staff)};
    auto check = [&](int index, int top) {
        const QImage& clef = Artwork::Clef(index);
        for (int y = 0; y < clef.height(); ++y)
            for (int x = 0; x < clef.width(); ++x) {
                const QRgb pixel = clef.pixel(x, y);
                // Opaque over the background in its whole rectangle.
                const QRgb expected = qAlpha(pixel) ? (pixel & 0xFFFFFF) : 0xF0F0F0;
                if (rig.canvas.Pixel(6 + x, top + y) != expected)
                    return QString("clef %1 at (%2, %3)").arg(index).arg(x).arg(y);
            }
        for (int line = 0; line < 5; ++line)
            for (int x = 6; x < 35; ++x)
                if (rig.canvas.Pixel(x, top + 14 + 10 * line) != Black)
                    return QString("staff line %1 broken at x %2").arg(line).arg(x);
        return QString();
    };
    QString problem = check(upper, 8);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    if (lower >= 0) {
        problem = check(lower, 84);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
}

void StaffViewTest::noteDrawsOnlyItsOwnPixels() {
    for (int row = 0; row < StaffSetRows; ++row) {
        StaffRig rig(NoteButtons, AllStaves);
        const QImage before = rig.canvas.Image().copy();
        rig.Show(row, 20 - 1 - row % 20);
        const int x = rig.quiz.NoteX();
        const NoteEntry& note = rig.quiz.Table[row];
        const QImage& picture = Artwork::Note(note.Glyph);
        for (int py = 0; py < StaffView::Height; ++py)
            for (int px = 0; px < StaffView::Width; ++px) {
                const int u = px - x;
                const int v = py - note.Top;
                const bool inside = u >= 0 && v >= 0 && u < picture.width() && v < picture.height();
                const QRgb expected = inside && qAlpha(picture.pixel(u, v)) ? picture.pixel(u, v) & 0xFFFFFF
                                                                            : before.pixel(px, py) & 0xFFFFFF;
                if (rig.canvas.Pixel(px, py) != expected)
                    QFAIL(qPrintable(QString("row %1 at (%2, %3)").arg(row).arg(px).arg(py)));
            }
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

void StaffViewTest::eraseRestoresTheStaff() {
    StaffRig rig(NoteButtons, AllStaves);
    const QImage clean = rig.canvas.Image().copy();
    rig.Show(24, 0); // A5 at the far right
    rig.canvas.TakeDirty();
    rig.view.EraseNote(rig.quiz.NoteX());
    QCOMPARE(rig.canvas.Image(), clean);
    QCOMPARE(rig.canvas.TakeDirty().boundingRect(), QRect(244, 0, 24, StaffView::Height));
    // The first erase of a quiz comes at x 44, where no note stands: the staff looks the same.
    rig.view.EraseNote(44);
    QCOMPARE(rig.canvas.Image(), clean);
}

void StaffViewTest::notesWalkRight() {
    StaffRig rig(NoteButtons, AllStaves);
    rig.Show(0, 19);
    QCOMPARE(rig.quiz.NoteX(), 54);
    rig.quiz.State.NotesLeft = 0;
    QCOMPARE(rig.quiz.NoteX(), 244);
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
