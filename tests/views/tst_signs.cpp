#include "Artwork.h"
#include "StaffRig.h"

#include <QTest>

using namespace quavix;

namespace {

constexpr QRgb Background = 0xF0F0F0;
constexpr int SignatureX = 39; // the first sign of a key signature
constexpr int FlatAdvance = 7;

// The grand staff in a key, its key signature painted over a plain background.
struct SignRig : StaffRig {
    SignRig(int key, double ratio) : StaffRig(NoteButtons, AllStaves, ratio) {
        settings.Accidentals = InKey;
        settings.Key = key;
        view.SetBackgroundColour(Background);
        Paint();
    }
    // Whether the device pixel at the top left of logical (x, y) is ink: dark, whatever smoothing did.
    bool Ink(int x, int y) const { return !DarkRows(x, y, y).isEmpty(); }
};

// The written note on a staff step with a sign, as the quiz hands it to the view.
NoteEntry Spelled(int row, std::int8_t alteration, NoteSign sign) {
    NoteTable table{};
    BuildNoteTable(table, NoteButtons);
    NoteEntry note = table[row];
    note.Alteration = alteration;
    note.Sign = sign;
    return note;
}

} // namespace

class SignsTest : public QObject {
    Q_OBJECT

private slots:
    void signTravelsWithItsNote_data();
    void signTravelsWithItsNote();
    void notesMakeRoomForLongSignatures();
    void barsAndUprightsCrossWithoutAHole_data();
    void barsAndUprightsCrossWithoutAHole();
};

void SignsTest::signTravelsWithItsNote_data() {
    QTest::addColumn<double>("ratio");
    QTest::newRow("ratio 1") << 1.0;
    QTest::newRow("ratio 2") << 2.0;
}

void SignsTest::signTravelsWithItsNote() {
    // F sharp 4 (treble row 6, the first space) in E flat major needs its sign; the sign stands left of
    // the head on the note's space and goes when the note is erased, leaving the key signature.
    QFETCH(double, ratio);
    SignRig rig(-3, ratio);
    const NoteEntry note = Spelled(6, 1, NoteSign::Sharp);
    QCOMPARE(note.Step, 15);
    const int headY = 57;
    const int x = rig.view.NoteLeft(144);
    rig.view.DrawNote(note, 144);
    // The sharp's uprights sit at x - 4 and x, the head starts at x + 4.
    QVERIFY(rig.Ink(x - 4, headY - 9) && rig.Ink(x, headY + 9));
    QVERIFY(!rig.Ink(x + 2, headY - 9));
    rig.view.EraseNote(144);
    QVERIFY(!rig.Ink(x - 4, headY - 9));
    QVERIFY(!rig.Ink(x, headY + 9));
    // The quiz clears the place before its first note too; the signature stays whole.
    rig.view.EraseNote(44);
    QVERIFY(rig.Ink(SignatureX + 2 * FlatAdvance + 1, 47 - 8));
}

void SignsTest::notesMakeRoomForLongSignatures() {
    Settings settings;
    Canvas canvas(QSize(StaffView::Width, StaffView::Height));
    StaffView view(canvas, settings);
    QCOMPARE(view.NoteLeft(54), 54); // naturals: where the notes always were
    settings.Accidentals = InKey;
    settings.Key = -7;
    // The first note's sign clears the seventh flat, and the twentieth note stays where it was.
    const int lastFlatEnd = SignatureX + 6 * FlatAdvance + 7;
    QVERIFY(view.NoteLeft(54) - 5 > lastFlatEnd);
    QCOMPARE(view.NoteLeft(244), 244);
    QVERIFY(view.NoteLeft(64) > view.NoteLeft(54));
}

// Where a sign's bar crosses an upright the ink is solid: a crossing left empty reads as a broken sign.
// The crossings are worked out from the sign's drawing: uprights covering columns 1 and 5, bars of a
// sharp rising 2 rows across the 7 columns (a natural's across its middle 5) about rows 12.5 and 18.5.
void SignsTest::barsAndUprightsCrossWithoutAHole_data() {
    QTest::addColumn<int>("sign");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QList<QPointF>>("crossings");
    const QList<QPointF> sharp = {{1.5, 13.07}, {5.5, 11.93}, {1.5, 19.07}, {5.5, 17.93}};
    const QList<QPointF> natural = {{1.5, 13.3}, {5.5, 11.7}, {1.5, 19.3}, {5.5, 17.7}};
    for (const double ratio : {1.0, 1.5, 2.0}) {
        QTest::addRow("sharp at %g", ratio) << 0 << ratio << sharp;
        QTest::addRow("natural at %g", ratio) << 2 << ratio << natural;
    }
}

void SignsTest::barsAndUprightsCrossWithoutAHole() {
    QFETCH(int, sign);
    QFETCH(double, ratio);
    QFETCH(QList<QPointF>, crossings);
    const QImage& picture = Artwork::Sign(sign, ratio);
    for (const QPointF& crossing : crossings) {
        const QPoint device(int(crossing.x() * ratio), int(crossing.y() * ratio));
        const QRgb pixel = picture.pixel(device);
        QVERIFY2(qAlpha(pixel) == 255 && qGray(pixel) < 96,
                 qPrintable(QString("(%1, %2) is %3").arg(device.x()).arg(device.y()).arg(pixel, 8, 16)));
    }
}

QTEST_MAIN(SignsTest)
#include "tst_signs.moc"
