#include "StaffRig.h"

#include <QTest>

#include <vector>

using namespace quavix;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

constexpr QRgb Background = 0xF0F0F0;
constexpr int SignatureX = 39; // the first sign of a key signature
constexpr int SharpAdvance = 8;
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
    void keySignaturesAsEngraved_data();
    void keySignaturesAsEngraved();
    void signTravelsWithItsNote_data();
    void signTravelsWithItsNote();
    void notesMakeRoomForLongSignatures();
};

void SignsTest::keySignaturesAsEngraved_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("ratio");
    // The y of each sign's line or space, in the order written: treble then bass.
    QTest::addColumn<std::vector<int>>("treble");
    QTest::addColumn<std::vector<int>>("bass");
    for (double ratio : {1.0, 2.0}) {
        const QByteArray at = ratio == 1.0 ? " at 1" : " at 2";
        QTest::newRow("G major" + at) << 1 << ratio << std::vector{22} << std::vector{108};
        QTest::newRow("E flat major" + at)
            << -3 << ratio << std::vector{42, 27, 47} << std::vector{128, 113, 133};
        QTest::newRow("C sharp major" + at) << 7 << ratio << std::vector{22, 37, 17, 32, 47, 27, 42}
                                            << std::vector{108, 123, 103, 118, 133, 113, 128};
        QTest::newRow("C flat major" + at) << -7 << ratio << std::vector{42, 27, 47, 32, 52, 37, 57}
                                           << std::vector{128, 113, 133, 118, 138, 123, 143};
    }
    QTest::newRow("C major") << 0 << 1.0 << std::vector<int>{} << std::vector<int>{};
}

void SignsTest::keySignaturesAsEngraved() {
    QFETCH(int, key);
    QFETCH(double, ratio);
    QFETCH(std::vector<int>, treble);
    QFETCH(std::vector<int>, bass);
    const SignRig rig(key, ratio);
    const int advance = key > 0 ? SharpAdvance : FlatAdvance;
    for (const std::vector<int>& staff : {treble, bass}) {
        for (int i = 0; i < int(staff.size()); ++i) {
            // Sharps and flats both stand on an upright in their second column that reaches well above
            // their place (between the staff lines there), and leave the column before them clear.
            const int x = SignatureX + i * advance;
            QVERIFY2(rig.Ink(x + 1, staff[i] - 8),
                     qPrintable(QStringLiteral("sign %1 at %2").arg(i).arg(staff[i])));
            QVERIFY(!rig.Ink(x - 1, staff[i] - 8));
        }
        // Nothing after the last sign, where the next would go.
        const int after = SignatureX + int(staff.size()) * advance + 1;
        for (int y : {17, 29, 39, 103, 113, 123})
            QVERIFY(!rig.Ink(after, y));
    }
}

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

QTEST_MAIN(SignsTest)
#include "tst_signs.moc"
