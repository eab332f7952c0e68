// How a MIDI key reads in each answer control, checked against musical facts and against a click on the
// same key of the instrument on screen.
#include "Guitar.h"
#include "InstrumentMouse.h"
#include "InstrumentView.h"
#include "MidiNotes.h"
#include "Piano.h"

#include <QTest>

#include <array>

using namespace quavix;

namespace {

// Sounding MIDI notes of the open strings in standard tuning, string 1 (high E) to string 6 (low E).
constexpr std::array<int, 7> OpenStringNotes = {0, 64, 59, 55, 50, 45, 40};

// An instrument on screen with the mouse on it.
struct Instrument {
    Canvas canvas{QSize(InstrumentView::Width, InstrumentView::Height)};
    Settings settings;
    InstrumentView view{canvas, settings};
    KeyPresses presses;
    InstrumentMouse mouse{view, presses, settings};

    // Press and release at a point: the answer a click gives.
    std::optional<Answer> Click(int x, int y) {
        mouse.Down(x, y);
        return mouse.Up(x, y);
    }
};

} // namespace

Q_DECLARE_METATYPE(quavix::IgnoredBecause)

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
    QTest::addColumn<int>("step");
    QTest::addColumn<IgnoredBecause>("problem");

    const auto none = IgnoredBecause::Nothing;
    const auto black = IgnoredBecause::BlackKey;
    const auto outside = IgnoredBecause::OutsideNotes;

    // Note buttons and the single octave judge letters: any octave of the keyboard reads.
    QTest::newRow("buttons lowest C") << 0 << false << 0 << -23 << none;
    QTest::newRow("buttons highest G") << 0 << false << 127 << 51 << none;
    QTest::newRow("buttons full range set") << 0 << true << 40 << 0 << none;
    QTest::newRow("buttons black key") << 0 << false << 61 << -1 << black;
    QTest::newRow("octave C8") << 1 << false << 108 << 40 << none;
    QTest::newRow("octave black key") << 1 << false << 70 << -1 << black;

    // The full range reads the exact note from E2 up to B5, the key above the highest note asked.
    QTest::newRow("full E2") << 1 << true << 40 << 0 << none;
    QTest::newRow("full B5") << 1 << true << 83 << 25 << none;
    QTest::newRow("full C2 below") << 1 << true << 36 << -2 << outside;
    QTest::newRow("full C6 above") << 1 << true << 84 << 26 << outside;
    QTest::newRow("full black below range") << 1 << true << 39 << -1 << black;

    // The guitar is written an octave above its sound: the open low E sounds E2 and reads E3.
    QTest::newRow("guitar open low E") << 2 << true << 40 << 7 << none;
    QTest::newRow("guitar open high E") << 2 << true << 64 << 21 << none;
    QTest::newRow("guitar C5 sounding") << 2 << true << 72 << 26 << none;
    QTest::newRow("guitar D2 below") << 2 << true << 38 << 6 << outside;
    QTest::newRow("guitar D5 above") << 2 << true << 74 << 27 << outside;
    QTest::newRow("guitar black") << 2 << true << 42 << -1 << black;
}

void TestMidiNotes::keys() {
    QFETCH(int, mode);
    QFETCH(bool, fullRange);
    QFETCH(int, note);
    QFETCH(int, step);
    QFETCH(IgnoredBecause, problem);

    const KeyReading key = ReadKey(MidiAnswer(note, InputModes(mode)).Key, InputModes(mode), fullRange);
    QCOMPARE(key.Problem, problem);
    QCOMPARE(key.Step, step);
    QCOMPARE(key.Exact, mode != 0 && fullRange);
}

void TestMidiNotes::pianoKeysAnswerAsClicks_data() {
    QTest::addColumn<int>("layout");
    QTest::newRow("single octave") << 0;
    QTest::newRow("full range treble") << 1;
    QTest::newRow("full range bass") << 2;
    QTest::newRow("full range all notes") << 3;
}

// Every white key on screen, clicked low on the key, answers the key its MIDI key answers; the black keys
// between them answer nothing on screen, and read as black keys from MIDI.
void TestMidiNotes::pianoKeysAnswerAsClicks() {
    QFETCH(int, layout);
    const PianoGeometry& g = PianoLayouts[layout];
    Instrument piano;
    piano.settings.InputMode = PianoKeys;
    piano.settings.FullRange = layout != 0;
    piano.settings.StaffChoice = StaffChoices(layout == 0 ? 0 : layout - 1);
    piano.view.pbxInstrumentPaint();

    for (int column = 0; column < g.KeyCount; ++column) {
        const int x = KeyLeft(g, piano.canvas.Width(), column) + g.WhiteKeyWidth / 2;
        const std::optional<Answer> clicked = piano.Click(x, g.BlackKeyHeight + 4);
        const int note = MidiNoteOfStep(g.FirstKey + column);
        QVERIFY2(clicked, qPrintable(QStringLiteral("column %1").arg(column)));
        QCOMPARE(clicked->Key, MidiAnswer(note, PianoKeys).Key);
        QCOMPARE(clicked->From, AnswerSource::Piano);
        // The black key above the boundary right of this one, where the keyboard draws one.
        if (column + 1 < g.KeyCount && !g.NoBlackKey[static_cast<std::size_t>(column + 1)]) {
            QVERIFY(!piano.Click(KeyLeft(g, piano.canvas.Width(), column + 1), 2));
            QCOMPARE(ReadKey(note + 1, PianoKeys, piano.settings.FullRange).Problem,
                     IgnoredBecause::BlackKey);
        }
    }
}

// A MIDI guitar sends the sound of each position; each position on screen must answer exactly what playing
// it does, and a position without an answer (a sharp, or a note above the highest one written) none.
void TestMidiNotes::guitarPositionsAnswerAsPlayed() {
    Instrument guitar;
    guitar.settings.InputMode = GuitarFrets;
    guitar.settings.FullRange = true;
    guitar.view.pbxInstrumentPaint();

    int answered = 0;
    for (int string = 1; string <= 6; ++string) {
        for (int fret = 0; fret <= FretboardGeometry::FretCount; ++fret) {
            const int x = fret == 0 ? 10 : FretX(fret) - 6;
            const std::optional<Answer> clicked = guitar.Click(x, StringY(string));
            const Answer played = MidiAnswer(OpenStringNotes[string] + fret, GuitarFrets);
            const KeyReading key = ReadKey(played.Key, GuitarFrets, true);
            const QByteArray where = QStringLiteral("string %1 fret %2").arg(string).arg(fret).toLatin1();
            if (!clicked) {
                QVERIFY2(key.Problem != IgnoredBecause::Nothing, where);
                continue;
            }
            QVERIFY2(key.Problem == IgnoredBecause::Nothing, where);
            QVERIFY2(clicked->Key == played.Key, where);
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
