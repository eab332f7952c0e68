// MIDI keyboards in the real window, fed by the fake MIDI layer: the layer opens after the first paint, the
// MIDI Input menu, the status bar, answers in each answer control, the marker of a held key and its
// release, keys that must be ignored, and a flood of events with the window's invariants checked
// after each.

#include "FakeMidiInput.h"
#include "FakeSoundEngine.h"
#include "MidiNotes.h"
#include "Piano.h"
#include "PopUpMessage.h"
#include "WindowInvariants.h"
#include "WindowTestSupport.h"

#include <QMenu>
#include <QStatusBar>
#include <QtTest>

#include <random>
#include <set>

using namespace quavix;

namespace {

constexpr QRgb Red = 0xFF0000;

// A window with the fake MIDI layer in place of the system's.
struct MidiWindow {
    explicit MidiWindow(bool show = true, MidiInput::Status openAs = MidiInput::Status::Open,
                        SoundEngineFactory sound = {}) {
        midi.openAs = openAs;
        TFormQX25::Options options;
        options.colourDepth = 32;
        options.random = &random;
        options.midiInput = &midi;
        options.sound = std::move(sound);
        window = std::make_unique<TFormQX25>(options);
        if (show) {
            window->show();
            MakeActive(window.get());
        }
    }
    ~MidiWindow() { window.reset(); }

    void Key(Qt::Key key) { QTest::keyClick(window.get(), key); }
    // The MIDI note that sounds the note on the staff.
    int RightNote() const {
        const int step = CurrentRow(*window).Step;
        return MidiNoteOfStep(step - (SettingsOf(*window).InputMode == GuitarFrets ? 7 : 0));
    }
    QStringList MenuItems() const {
        QCoreApplication::processEvents(); // the menu follows the list on the next turn of the loop
        QStringList items;
        for (QAction* action : window->findChild<QMenu*>("mnuMidiInput")->actions())
            items << QString("%1%2%3")
                         .arg(action->isEnabled() ? "" : "-")
                         .arg(action->isChecked() ? "[x] " : "")
                         .arg(action->text());
        return items;
    }
    QRgb InstrumentPixel(QPoint point) const {
        return Control(*window, "pbxInstrument")->grab().toImage().pixel(point) & 0xFFFFFF;
    }

    FakeMidiInput midi;
    SteppingRandom random;
    std::unique_ptr<TFormQX25> window;
};

// Top-left corner of the marker square of a key on a keyboard with 24-pixel keys.
QPoint MarkerOf(int layout, int step) {
    const PianoGeometry& g = PianoLayouts[layout];
    return {KeyLeft(g, InstrumentView::Width, step - g.FirstKey) + 6, 80};
}

// Swallows timer events, so the flood never depends on the machine's speed.
class TimerStop final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};

} // namespace

class TestMidiWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void opensAfterFirstPaint();
    void menuListsSources();
    void noMidi();
    void statusBarNamesDevices();
    void answersFollowTheAnswerControl();
    void heldKeyShowsMarker();
    void stuckMarkersLetGo();
    void keysSoundUntilReleased();
    void ignoredOutsideQuizAndDuringMessage();
    void flood();
};

void TestMidiWindow::opensAfterFirstPaint() {
    MidiWindow rig(false);
    QCoreApplication::processEvents();
    QCOMPARE(rig.midi.State(), MidiInput::Status::Closed);
    rig.window->show();
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
}

void TestMidiWindow::menuListsSources() {
    MidiWindow rig;
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
    QCOMPARE(rig.MenuItems(), QStringList{"-No MIDI input"});
    const MidiSourceId keys = rig.midi.Plug("Keys & Pads");
    const MidiSourceId drums = rig.midi.Plug("Drums");
    QCOMPARE(rig.MenuItems(), (QStringList{"[x] Keys && Pads", "[x] Drums"}));

    // Clearing a check mark switches the device off, and the menu follows.
    rig.window->findChild<QMenu*>("mnuMidiInput")->actions().at(1)->trigger();
    QVERIFY(!rig.midi.Sources().at(1).Enabled);
    QCOMPARE(rig.MenuItems(), (QStringList{"[x] Keys && Pads", "Drums"}));
    rig.midi.Unplug(keys);
    rig.midi.Unplug(drums);
    QCOMPARE(rig.MenuItems(), QStringList{"-No MIDI input"});
}

void TestMidiWindow::noMidi() {
    MidiWindow rig(true, MidiInput::Status::NoMidi);
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::NoMidi);
    QCOMPARE(rig.MenuItems(), QStringList{"-No MIDI input"});
    QVERIFY(StatusText(*rig.window).isEmpty());
    // The window goes on as ever.
    rig.Key(Qt::Key_Space);
    QVERIFY(rig.window->Engine().State.Running);
}

void TestMidiWindow::statusBarNamesDevices() {
    MidiWindow rig(false);
    rig.midi.Plug("Keys");
    rig.midi.Plug("Pads");
    rig.window->show();
    QTRY_COMPARE(StatusText(*rig.window), QString("MIDI input connected: Keys, Pads"));
    rig.midi.Plug("Drums");
    QCOMPARE(StatusText(*rig.window), QString("MIDI input connected: Drums"));
}

void TestMidiWindow::answersFollowTheAnswerControl() {
    MidiWindow rig;
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
    const MidiSourceId keys = rig.midi.Plug("Keys");
    std::int64_t time = 0;
    auto play = [&](int note) {
        rig.midi.Press(keys, note, time += 100);
        rig.midi.Release(keys, note, time += 50);
    };

    // Note buttons: the letter counts, two octaves down as well.
    rig.Key(Qt::Key_Space);
    play(rig.RightNote() - 24);
    QCOMPARE(rig.window->Engine().State.NotesLeft, NotesPerQuiz - 2);
    QVERIFY(!PopUpShown(*rig.window));

    // The full-range piano wants the octave too.
    rig.Key(Qt::Key_F3);
    rig.Key(Qt::Key_F9);
    play(rig.RightNote() + 12);
    QVERIFY(PopUpShown(*rig.window));
    QCOMPARE(PopUpText(*rig.window).simplified(),
             QString("You picked the right note but in the wrong octave"));
    rig.Key(Qt::Key_Return);

    // The guitar sounds an octave below its writing.
    rig.Key(Qt::Key_F4);
    rig.Key(Qt::Key_Space);
    for (int i = 0; i < 3; ++i)
        play(rig.RightNote());
    QCOMPARE(rig.window->Engine().State.NotesLeft, NotesPerQuiz - 4);
    QCOMPARE(rig.window->Engine().State.Score, 30);
}

void TestMidiWindow::heldKeyShowsMarker() {
    MidiWindow rig;
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
    const MidiSourceId keys = rig.midi.Plug("Keys");
    rig.Key(Qt::Key_F3);
    rig.Key(Qt::Key_F9); // treble: C4 (step 12) to B5
    const QPoint e4 = MarkerOf(1, 14);
    rig.midi.Press(keys, 64, 0);
    QCOMPARE(rig.InstrumentPixel(e4), Red);
    rig.midi.Release(keys, 64, 100);
    QCOMPARE(rig.InstrumentPixel(e4), QRgb(0xFFFFFF));

    // Held while the range changes, the key keeps its marker where the new keyboard shows it.
    rig.midi.Press(keys, 64, 200);
    rig.Key(Qt::Key_F8);
    QCOMPARE(rig.InstrumentPixel(MarkerOf(0, 14)), Red);
    rig.midi.Release(keys, 64, 300);
    QCOMPARE(rig.InstrumentPixel(MarkerOf(0, 14)), QRgb(0xFFFFFF));
}

// A key whose release the keyboard can no longer show (the input mode changed under it) lets go of its marker
// as the window's rules say. Keys whose source stops are let go by the MIDI keyboard's own test.
void TestMidiWindow::stuckMarkersLetGo() {
    MidiWindow rig;
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
    const MidiSourceId pads = rig.midi.Plug("Pads");
    WindowInvariants invariants;
    rig.Key(Qt::Key_F3);
    rig.Key(Qt::Key_F9);
    rig.midi.Press(pads, 65, 1000);
    rig.Key(Qt::Key_F2);
    rig.Key(Qt::Key_F3);
    QCOMPARE(invariants.Problem(*rig.window, false), QString());
}

// Every key sounds, judged or not, inside a quiz or out, at its own velocity; each sounding key is let go
// exactly once, by its release or by its device going away.
void TestMidiWindow::keysSoundUntilReleased() {
    const auto log = std::make_shared<FakeLog>();
    MidiWindow rig(true, MidiInput::Status::Open, FakeFactory(log));
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
    rig.Key(Qt::Key_F11);
    QVERIFY(QTest::qWaitFor([&] { return rig.window->Sound().IsOn(); }));
    const MidiSourceId keys = rig.midi.Plug("Keys");
    const MidiSourceId pads = rig.midi.Plug("Pads");
    auto heard = [&] {
        QStringList events;
        for (const FakeNote& note : log->Notes())
            events << QString("%1/%2").arg(note.key).arg(note.velocity);
        log->Clear();
        return events.join(' ');
    };
    log->Clear();

    rig.midi.Press(keys, 61, 0, 100); // a black key outside a quiz still sounds
    rig.midi.Press(keys, 61, 50, 30); // struck again before its release was seen
    rig.midi.Release(keys, 61, 100);
    rig.midi.Release(keys, 61, 150); // a second release has nothing left to stop
    QCOMPARE(heard(), QString("61/100 61/30 61/0"));

    rig.midi.Press(keys, 60, 200, 90);
    rig.midi.Press(pads, 60, 210, 80); // the same pitch on another device is another key
    rig.midi.Press(pads, 64, 220, 70);
    rig.midi.Unplug(keys);
    QCOMPARE(heard(), QString("60/90 60/80 64/70 60/0"));
}

void TestMidiWindow::ignoredOutsideQuizAndDuringMessage() {
    MidiWindow rig;
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
    const MidiSourceId keys = rig.midi.Plug("Keys");
    rig.midi.Press(keys, 61, 0); // outside a quiz nothing is told
    QCOMPARE(StatusText(*rig.window), QString("MIDI input connected: Keys"));

    rig.Key(Qt::Key_Space);
    rig.midi.Press(keys, 61, 200);
    QCOMPARE(StatusText(*rig.window), QString("MIDI key C#4 is a black key: only white keys answer."));

    // A modal box keeps the keys away as it keeps clicks and typing: here the question before closing. (That
    // a feedback message holds them back is the MIDI keyboard's test.)
    const int notesLeft = rig.window->Engine().State.NotesLeft;
    ModalWatcher watcher;
    watcher.respond = [&](QWidget* box) {
        rig.midi.Press(keys, rig.RightNote(), 1000);
        static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    };
    rig.window->close();
    QCOMPARE(watcher.boxes.size(), 1);
    QCOMPARE(rig.window->Engine().State.NotesLeft, notesLeft);
    QCOMPARE(rig.window->Engine().State.Score, 0);
}

// Keys from three devices at random, many never released, right answers, chords, devices coming and
// going, mixed with the commands, countdown ticks and pop-up expiries a quiz sees.
void TestMidiWindow::flood() {
    MidiWindow rig;
    QTRY_COMPARE(rig.midi.State(), MidiInput::Status::Open);
    std::vector<MidiSourceId> sources = {rig.midi.Plug("Keys"), rig.midi.Plug("Pads"),
                                         rig.midi.Plug("Guitar")};
    std::set<std::pair<MidiSourceId, int>> down;
    const char* commands[] = {"actNoteButtons", "actPianoKeys",    "actGuitar",    "actTrebleNotes",
                              "actBassNotes",   "actSingleOctave", "actFullRange", "actAllNotes"};
    WindowInvariants invariants;
    TimerStop timerStop;
    qApp->installEventFilter(&timerStop);
    std::mt19937 generator(11);
    auto below = [&](int n) { return static_cast<int>(generator() % static_cast<unsigned>(n)); };

    // 25,000 in every test pass; the long run (ctest -L long) floods it with 100,000.
    const int Events = qEnvironmentVariableIsSet("QUAVIX_FLOOD_EVENTS")
                           ? qEnvironmentVariableIntValue("QUAVIX_FLOOD_EVENTS")
                           : 25000;
    std::int64_t time = 0;
    int scored = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Events; ++i) {
        time += below(40);
        const std::size_t which = static_cast<std::size_t>(below(3));
        const int pick = below(1000);
        TFormQX25& form = *rig.window;
        const int scoreBefore = form.Engine().State.Score;
        if (pick < 550) {
            const bool right = form.Engine().State.Running && below(3) == 0;
            const int note = right ? rig.RightNote() : below(128);
            rig.midi.Press(sources[which], note, time, 1 + below(127));
            down.emplace(sources[which], note);
        } else if (pick < 850) {
            const int note = !down.empty() && below(2) == 0
                                 ? std::next(down.begin(), below(int(down.size())))->second
                                 : below(128);
            rig.midi.Release(sources[which], note, time);
            down.erase({sources[which], note});
        } else if (pick < 860) {
            rig.midi.Unplug(sources[which]);
            std::erase_if(down, [&](const auto& key) { return key.first == sources[which]; });
            sources[which] = rig.midi.Plug("Replugged");
        } else if (pick < 870) {
            const bool on = !rig.midi.Sources().at(int(which)).Enabled;
            rig.midi.SetSourceEnabled(sources[which], on);
            std::erase_if(down, [&](const auto& key) { return key.first == sources[which]; });
        } else if (pick < 875) {
            rig.midi.LoseEvents();
        } else if (pick < 920) {
            if (form.Engine().CountdownRunning())
                form.Engine().tmrCountTimer();
        } else if (pick < 960) {
            if (PopUpShown(form))
                ExpirePopUp(form);
        } else if (pick < 980) {
            form.findChild<QAction*>(form.Engine().State.Running && below(4) == 0 ? "actEndQuiz"
                                                                                  : "actBeginQuiz")
                ->trigger();
        } else {
            QAction* command = form.findChild<QAction*>(commands[below(8)]);
            if (command->isEnabled())
                command->trigger();
        }
        if (i % 64 == 0)
            QCoreApplication::processEvents();
        scored += form.Engine().State.Score > scoreBefore ? 1 : 0;
        const QString problem = invariants.Problem(form, !down.empty());
        if (!problem.isEmpty()) {
            qApp->removeEventFilter(&timerStop);
            QFAIL(qPrintable(QString("after event %1: %2").arg(i).arg(problem)));
        }
    }
    qApp->removeEventFilter(&timerStop);
    qInfo("%d events in %.1f s, %d keys scored", Events, double(clock.elapsed()) / 1000, scored);
    QVERIFY(scored > Events / 100);
}

QTEST_MAIN(TestMidiWindow)
#include "tst_midiwindow.moc"
