// Which answer a MIDI key gives in each answer control, checked against musical facts and against a click
// on the same key of the instrument on screen.
#include "Guitar.h"
#include "InstrumentView.h"
#include "MidiNotes.h"
#include "Piano.h"
#include "QuizEngine.h"

#include <QTest>

#include <array>

using namespace quavix;

namespace {

constexpr int A = FirstLetterCode;
constexpr int C = FirstLetterCode + 2;
constexpr int E = FirstLetterCode + 4;
constexpr int G = FirstLetterCode + 6;

// Sounding MIDI notes of the open strings in standard tuning, string 1 (high E) to string 6 (low E).
constexpr std::array<int, 7> OpenStringNotes = {0, 64, 59, 55, 50, 45, 40};

// Press and release the on-screen instrument at a point: the answer a click gives.
int Click(InstrumentView& view, int x, int y) {
    view.MouseDown(x, y);
    return view.MouseUp(x, y);
}

} // namespace

Q_DECLARE_METATYPE(quavix::MidiKeyProblem)

class TestMidiNotes : public QObject {
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void pianoKeysAnswerAsClicks_data();
    void pianoKeysAnswerAsClicks();
    void guitarPositionsAnswerAsPlayed();
    void stepsAndNotesRoundTrip();
    void noteNames();
};

void TestMidiNotes::keys_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("fullRange");
    QTest::addColumn<int>("note");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("step");
    QTest::addColumn<MidiKeyProblem>("problem");

    const auto none = MidiKeyProblem::None;
    const auto black = MidiKeyProblem::BlackKey;
    const auto outside = MidiKeyProblem::OutsideNotes;

    // Note buttons name letters: any octave of the keyboard answers, and no key is held on screen.
    QTest::newRow("buttons middle C") << 0 << false << 60 << C << -1 << none;
    QTest::newRow("buttons lowest C") << 0 << false << 0 << C << -1 << none;
    QTest::newRow("buttons highest G") << 0 << false << 127 << G << -1 << none;
    QTest::newRow("buttons A0") << 0 << false << 21 << A << -1 << none;
    QTest::newRow("buttons full range set") << 0 << true << 40 << E << -1 << none;
    QTest::newRow("buttons black key") << 0 << false << 61 << -1 << -1 << black;

    // The single octave answers letters too; the key shows only where the keyboard has it.
    QTest::newRow("octave middle C") << 1 << false << 60 << C << 12 << none;
    QTest::newRow("octave C two octaves down") << 1 << false << 36 << C << -1 << none;
    QTest::newRow("octave E2") << 1 << false << 40 << E << 0 << none;
    QTest::newRow("octave C8") << 1 << false << 108 << C << -1 << none;
    QTest::newRow("octave black key") << 1 << false << 70 << -1 << -1 << black;

    // The full range answers the exact note from E2 up to B5, the key above the highest note asked.
    QTest::newRow("full E2") << 1 << true << 40 << 0 << 0 << none;
    QTest::newRow("full middle C") << 1 << true << 60 << 12 << 12 << none;
    QTest::newRow("full C5") << 1 << true << 72 << 19 << 19 << none;
    QTest::newRow("full B5") << 1 << true << 83 << 25 << 25 << none;
    QTest::newRow("full D2 below") << 1 << true << 38 << -1 << -1 << outside;
    QTest::newRow("full C6 above") << 1 << true << 84 << -1 << -1 << outside;
    QTest::newRow("full black below range") << 1 << true << 39 << -1 << -1 << black;
    QTest::newRow("full black") << 1 << true << 66 << -1 << -1 << black;

    // The guitar is written an octave above its sound: the open low E sounds E2 and reads E3.
    QTest::newRow("guitar open low E") << 2 << true << 40 << 7 << 7 << none;
    QTest::newRow("guitar open high E") << 2 << true << 64 << 21 << 21 << none;
    QTest::newRow("guitar middle C sounding") << 2 << true << 60 << 19 << 19 << none;
    QTest::newRow("guitar C5 sounding") << 2 << true << 72 << 26 << 26 << none;
    QTest::newRow("guitar D2 below") << 2 << true << 38 << -1 << -1 << outside;
    QTest::newRow("guitar D5 above") << 2 << true << 74 << -1 << -1 << outside;
    QTest::newRow("guitar black") << 2 << true << 42 << -1 << -1 << black;
}

void TestMidiNotes::keys() {
    QFETCH(int, mode);
    QFETCH(bool, fullRange);
    QFETCH(int, note);
    QFETCH(int, code);
    QFETCH(int, step);
    QFETCH(MidiKeyProblem, problem);

    const MidiKey key = MidiKeyFor(note, static_cast<std::uint8_t>(mode), fullRange);
    QCOMPARE(key.Problem, problem);
    QCOMPARE(key.Code, code);
    QCOMPARE(key.Step, step);
}

void TestMidiNotes::pianoKeysAnswerAsClicks_data() {
    QTest::addColumn<int>("layout");
    QTest::newRow("single octave") << 0;
    QTest::newRow("full range treble") << 1;
    QTest::newRow("full range bass") << 2;
    QTest::newRow("full range all notes") << 3;
}

// Every white key on screen, clicked low on the key, answers what its MIDI key answers; the black keys
// between them answer nothing either way.
void TestMidiNotes::pianoKeysAnswerAsClicks() {
    QFETCH(int, layout);
    const PianoGeometry& g = PianoLayouts[layout];
    Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height));
    Settings settings;
    settings.InputMode = PianoKeys;
    settings.FullRange = layout != 0;
    settings.StaffChoice = static_cast<std::uint8_t>(layout == 0 ? 0 : layout - 1);
    InstrumentView view(canvas, settings);
    view.pbxInstrumentPaint();

    for (int column = 0; column < g.KeyCount; ++column) {
        const int x = KeyLeft(g, canvas.Width(), column) + g.WhiteKeyWidth / 2;
        const int clicked = Click(view, x, g.BlackKeyHeight + 4);
        const int note = MidiNoteOfStep(g.FirstKey + column);
        const MidiKey key = MidiKeyFor(note, PianoKeys, settings.FullRange);
        QVERIFY2(clicked >= 0, qPrintable(QStringLiteral("column %1").arg(column)));
        QCOMPARE(key.Code, clicked);
        QCOMPARE(key.Step, g.FirstKey + column);
        // The black key above the boundary right of this one, where the keyboard draws one.
        if (column + 1 < g.KeyCount && !g.NoBlackKey[static_cast<std::size_t>(column + 1)]) {
            QCOMPARE(Click(view, KeyLeft(g, canvas.Width(), column + 1), 2), -1);
            QCOMPARE(MidiKeyFor(note + 1, PianoKeys, settings.FullRange).Problem, MidiKeyProblem::BlackKey);
        }
    }
}

// A MIDI guitar sends the sound of each position; each position on screen must answer exactly what playing
// it does, and a position without an answer (a sharp, or a note above the highest one written) none.
void TestMidiNotes::guitarPositionsAnswerAsPlayed() {
    Canvas canvas(QSize(InstrumentView::Width, InstrumentView::Height));
    Settings settings;
    settings.InputMode = GuitarFrets;
    settings.FullRange = true;
    InstrumentView view(canvas, settings);
    view.pbxInstrumentPaint();

    int answered = 0;
    for (int string = 1; string <= 6; ++string) {
        for (int fret = 0; fret <= FretboardGeometry::FretCount; ++fret) {
            const int x = fret == 0 ? 10 : FretX(fret) - 6;
            const int clicked = Click(view, x, StringY(string));
            const MidiKey key = MidiKeyFor(OpenStringNotes[string] + fret, GuitarFrets, true);
            const QByteArray where = QStringLiteral("string %1 fret %2").arg(string).arg(fret).toLatin1();
            if (clicked < 0) {
                QVERIFY2(key.Problem != MidiKeyProblem::None, where);
                continue;
            }
            QVERIFY2(key.Problem == MidiKeyProblem::None, where);
            QVERIFY2(key.Code == clicked, where);
            QVERIFY2(key.Step == clicked, where);
            ++answered;
        }
    }
    QVERIFY(answered > 40);
}

void TestMidiNotes::stepsAndNotesRoundTrip() {
    for (int note = 0; note <= 127; ++note) {
        const std::optional<int> step = MidiStaffStep(note);
        if (step)
            QCOMPARE(MidiNoteOfStep(*step), note);
    }
    QCOMPARE(MidiStaffStep(-1), std::nullopt);
    QCOMPARE(MidiStaffStep(128), std::nullopt);
}

void TestMidiNotes::noteNames() {
    QCOMPARE(MidiNoteName(60), std::string("C4"));
    QCOMPARE(MidiNoteName(42), std::string("F#2"));
    QCOMPARE(MidiNoteName(0), std::string("C-1"));
    QCOMPARE(MidiNoteName(127), std::string("G9"));
}

QTEST_GUILESS_MAIN(TestMidiNotes)
#include "tst_midinotes.moc"
