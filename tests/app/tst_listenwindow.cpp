// Listening in the real window, with a double for the system's inputs: nothing is loaded or opened until
// Listen is switched on; a note heard answers in a quiz like a key, and at no other time; the input's
// problems are told in the status bar and answer nothing; and Quavix's own note is never taken for the
// user's.
#include "FakeAudioInput.h"
#include "FakeSoundEngine.h"
#include "ListenMeter.h"
#include "ListenRoom.h"
#include "MidiNotes.h"
#include "WindowTestSupport.h"

#include <QFile>
#include <QMenu>
#include <QStatusBar>
#include <QtTest>

using namespace quavix;

namespace {

// A window listening through the double, with sound through a fake synthesizer when asked.
struct ListeningWindow {
    explicit ListeningWindow(bool moduleMissing = false, SoundEngineFactory sound = {}) {
        TFormQX25::Options options;
        options.colourDepth = 32;
        options.random = &random;
        options.sound = std::move(sound);
        options.listenInputs = inputs.Factory(moduleMissing);
        window = std::make_unique<TFormQX25>(options);
        window->show();
        MakeActive(window.get());
    }
    void ToggleListen() const { window->findChild<QAction*>("actListen")->trigger(); }
    // The pitch of the note on the staff (note buttons take it in any octave).
    double AskedPitch() const { return MidiNoteOfStep(CurrentRow(*window).Step); }
    QString Status() const { return window->findChild<QStatusBar*>()->currentMessage(); }
    TListenMeter& Meter() const { return *window->Listening().Meter(); }

    FakeInputs inputs;
    SteppingRandom random;
    std::unique_ptr<TFormQX25> window;
};

// Whether a library whose name contains part is mapped into this process.
bool Loaded(const char* part) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(part);
}

} // namespace

class TestListenWindow : public QObject {
    Q_OBJECT

private slots:
    void nothingIsLoadedOrOpenedWhileListenIsOff();
    void listenSwitchesTheInputOnAndOff();
    void aNoteHeardAnswersOnlyWhenAKeyWould_data();
    void aNoteHeardAnswersOnlyWhenAKeyWould();
    void problemsAreToldAndAnswerNothing();
    void aMissingModuleTurnsListenOff();
    void theProgramsOwnNoteIsNotHeard();
};

void TestListenWindow::nothingIsLoadedOrOpenedWhileListenIsOff() {
#ifndef QUAVIX_LISTEN_MODULE
    QSKIP("Quavix is built without listening (no Qt Multimedia)");
#else
    // The real window with the real module: after its first paint and its start-up work, neither the
    // listening module nor Qt Multimedia is in the process; switched on, both are.
    SteppingRandom random;
    TFormQX25::Options options;
    options.random = &random;
    options.listenInputs = Listener::ModuleFactory(QStringLiteral(QUAVIX_LISTEN_MODULE));
    TFormQX25 window(options);
    window.show();
    SettleAfterFirstPaint(window);
    QTest::qWait(0);
    QVERIFY(window.Listening().CurrentListener() == nullptr);
    QVERIFY(!Loaded("quavix_listen"));
    QVERIFY(!Loaded("libQt6Multimedia"));
    QVERIFY(!window.Listening().Meter()->isVisible());
    QVERIFY(!window.findChild<QMenu*>("mnuListenInput")->menuAction()->isVisible());
    window.findChild<QAction*>("actListen")->trigger();
    QVERIFY(Loaded("quavix_listen"));
    QVERIFY(Loaded("libQt6Multimedia"));
    QVERIFY(window.Listening().Meter()->isVisible());
#endif
}

void TestListenWindow::listenSwitchesTheInputOnAndOff() {
    ListeningWindow w;
    QCOMPARE(w.inputs.Made, 0);
    w.ToggleListen();
    QVERIFY(SettingsOf(*w.window).Listen);
    QVERIFY(w.window->findChild<QAction*>("actListen")->isChecked());
    QVERIFY(w.inputs.Open);
    QVERIFY(w.Meter().isVisible());
    // The meter fills with the level and empties again.
    std::vector<float> loud(FakeInputs::Rate / 5);
    for (std::size_t i = 0; i < loud.size(); ++i)
        loud[i] = (i / 20) % 2 ? 0.3f : -0.3f;
    w.inputs.Deliver(loud);
    QVERIFY(w.Meter().LitBars() >= TListenMeter::Bars - 1);
    w.inputs.Deliver(std::vector<float>(FakeInputs::Rate / 5, 0.0f));
    QCOMPARE(w.Meter().LitBars(), 0);
    // With two inputs there is one to choose; the choice opens it.
    w.inputs.Replug(
        {{"mic", QStringLiteral("Microphone"), true}, {"usb", QStringLiteral("USB & Co"), false}});
    QTRY_VERIFY(w.window->findChild<QMenu*>("mnuListenInput")->menuAction()->isVisible());
    const QList<QAction*> items = w.window->findChild<QMenu*>("mnuListenInput")->actions();
    QCOMPARE(items.size(), 2);
    QVERIFY(items[0]->isChecked());
    items[1]->trigger();
    QVERIFY(w.inputs.Open);
    QTRY_VERIFY(w.window->findChild<QMenu*>("mnuListenInput")->actions().value(1)->isChecked());
    // The input chosen is unplugged while another remains: listening goes on with the default one.
    w.inputs.Replug({{"mic", QStringLiteral("Microphone"), true}});
    QTRY_VERIFY(w.window->findChild<QMenu*>("mnuListenInput")->actions().value(0)->isChecked());
    QVERIFY(w.inputs.Open);
    QCOMPARE(w.Meter().CurrentState(), TListenMeter::State::Listening);
    w.ToggleListen();
    QVERIFY(!w.inputs.Open);
    QVERIFY(!w.Meter().isVisible());
    QCOMPARE(w.inputs.Made, 1);
}

void TestListenWindow::aNoteHeardAnswersOnlyWhenAKeyWould_data() {
    QTest::addColumn<QString>("when");
    QTest::addColumn<int>("semitones"); // from the asked note
    QTest::addColumn<int>("points");    // the score after the note
    QTest::addColumn<bool>("message");  // a message about a wrong answer shows
    QTest::newRow("right") << "quiz" << 0 << 10 << false;
    QTest::newRow("right, an octave up") << "quiz" << 12 << 10 << false;
    QTest::newRow("wrong") << "quiz" << 2 << 0 << true;
    QTest::newRow("outside a quiz") << "outside" << 0 << 0 << false;
    QTest::newRow("during a message") << "message" << 0 << 0 << true;
}

void TestListenWindow::aNoteHeardAnswersOnlyWhenAKeyWould() {
    QFETCH(QString, when);
    QFETCH(int, semitones);
    QFETCH(int, points);
    QFETCH(bool, message);
    ListeningWindow w;
    w.ToggleListen();
    if (when != "outside")
        w.window->Engine().BeginQuiz();
    if (when == "message")
        ShowNoteMessage(*w.window, {NoteMessage::Kind::WrongNote, 'D', 'C'});
    const int notesLeft = w.window->Engine().State.NotesLeft;
    // Held on for a second: it answers once.
    w.inputs.Play(w.AskedPitch() + semitones, 1.0);
    QCOMPARE(w.window->Engine().State.Score, points);
    QCOMPARE(PopUpShown(*w.window), message);
    if (when == "quiz")
        QCOMPARE(w.window->Engine().State.NotesLeft, notesLeft - (points > 0 ? 1 : 0));
}

void TestListenWindow::problemsAreToldAndAnswerNothing() {
    ListeningWindow w;
    w.inputs.Devices.clear();
    w.ToggleListen();
    QVERIFY(w.Status().contains("No microphone"));
    QCOMPARE(w.Meter().CurrentState(), TListenMeter::State::Problem);
    // Plugged in, it listens; unplugged while listening, it says so and waits; back, it listens again.
    w.inputs.Replug({{"mic", QStringLiteral("Microphone"), true}});
    QVERIFY(w.inputs.Open);
    QCOMPARE(w.Meter().CurrentState(), TListenMeter::State::Listening);
    w.window->Engine().BeginQuiz();
    w.inputs.Replug({});
    QVERIFY(!w.inputs.Open);
    QVERIFY(w.Status().contains("unplugged"));
    w.inputs.Replug({{"mic", QStringLiteral("Microphone"), true}});
    QVERIFY(w.inputs.Open);
    // Silence for longer than a muted microphone gives, then an input that stops delivering: both told,
    // neither answers.
    w.inputs.Deliver(std::vector<float>(FakeInputs::Rate * 5 / 2, 0.0f));
    QVERIFY(w.Status().contains("silence"));
    w.window->Listening().CurrentListener()->SetStallMs(40);
    QTRY_VERIFY(w.Status().contains("stopped sending"));
    QCOMPARE(w.window->Engine().State.Score, 0);
    QVERIFY(!PopUpShown(*w.window));
    // Sound again after the stall: the note answers.
    w.inputs.Play(w.AskedPitch());
    QCOMPARE(w.window->Engine().State.Score, 10);
}

void TestListenWindow::aMissingModuleTurnsListenOff() {
    ListeningWindow w(true);
    w.ToggleListen();
    QVERIFY(w.Status().contains("not available"));
    QTRY_VERIFY(!SettingsOf(*w.window).Listen);
    QVERIFY(!w.window->findChild<QAction*>("actListen")->isChecked());
    QVERIFY(!w.Meter().isVisible());
}

void TestListenWindow::theProgramsOwnNoteIsNotHeard() {
    auto log = std::make_shared<FakeLog>();
    ListeningWindow w(false, FakeFactory(log));
    w.window->findChild<SoundCues*>()->SetPeriods(100000, 0);
    w.window->Listening().SetDyingSoundMs(1);
    QTest::keyClick(w.window.get(), Qt::Key_F11);
    QVERIFY(QTest::qWaitFor([&] { return w.window->Sound().IsOn(); }, 5000));
    w.ToggleListen();
    w.window->Engine().BeginQuiz();
    // The note shown sounds (until the cue ends): listening waits, and the same note played answers nothing.
    QTRY_VERIFY(w.window->Sound().IsSounding());
    QCOMPARE(w.Meter().CurrentState(), TListenMeter::State::Waiting);
    w.inputs.Play(w.AskedPitch());
    QCOMPARE(w.window->Engine().State.Score, 0);
    // Once its sound has died away, the user's note answers.
    w.window->findChild<SoundCues*>()->Silence();
    QTRY_COMPARE(w.Meter().CurrentState(), TListenMeter::State::Listening);
    w.inputs.Play(w.AskedPitch());
    QCOMPARE(w.window->Engine().State.Score, 10);
}

QTEST_MAIN(TestListenWindow)
#include "tst_listenwindow.moc"
