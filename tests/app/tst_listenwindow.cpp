// Listening in the real window, with a double for the system's inputs: nothing is loaded or opened until
// Listen is switched on; a note heard answers the quiz (when it may, and how it is judged, is the answer
// adapter's own test); the input's problems are told in the status bar and answer nothing; and Quavix's own
// note is never taken for the user's.
#include "FakeAudioInput.h"
#include "FakeSoundEngine.h"
#include "ListenMeter.h"
#include "ListenRoom.h"
#include "MidiNotes.h"
#include "SettingsRoom.h"
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

// Counts the paint events of the widget it watches.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(int& paints) : paints_(paints) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints_;
        return false;
    }

private:
    int& paints_;
};

} // namespace

class TestListenWindow : public QObject {
    Q_OBJECT

private slots:
    void nothingIsLoadedOrOpenedWhileListenIsOff();
    void listenSwitchesTheInputOnAndOff();
    void problemsAreToldAndAnswerNothing();
    void theInputChosenIsKeptAndComesBack();
    void theDetectorFollowsTheAnswerRules();
    void aMissingModuleTurnsListenOff();
    void theProgramsOwnNoteIsNotHeard();
    void theMeterPaintsItsWholeRectangleInEachLook();
    void theMeterPaintsOnlyWhenItsLookChanges();
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
    // Until the input has started the microphone is hollow: nothing can be heard yet.
    w.inputs.Answers = false;
    w.ToggleListen();
    QVERIFY(SettingsOf(*w.window).Listen);
    QVERIFY(w.window->findChild<QAction*>("actListen")->isChecked());
    QVERIFY(w.inputs.Open);
    QVERIFY(w.Meter().isVisible());
    QCOMPARE(w.Meter().CurrentState(), TListenMeter::State::Waiting);
    w.inputs.Answers = true;
    w.inputs.Start();
    QCOMPARE(w.Meter().CurrentState(), TListenMeter::State::Listening);
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
    QTRY_COMPARE(w.Meter().CurrentState(), TListenMeter::State::Listening);
    w.ToggleListen();
    QVERIFY(!w.inputs.Open);
    QVERIFY(!w.Meter().isVisible());
    QCOMPARE(w.inputs.Made, 1);
}

void TestListenWindow::problemsAreToldAndAnswerNothing() {
    ListeningWindow w;
    w.inputs.Devices.clear();
    w.ToggleListen();
    QVERIFY(StatusText(*w.window).contains("No microphone"));
    QCOMPARE(w.Meter().CurrentState(), TListenMeter::State::Problem);
    // Plugged in, it listens; unplugged while listening, it says so and waits; back, it listens again.
    w.inputs.Replug({{"mic", QStringLiteral("Microphone"), true}});
    QVERIFY(w.inputs.Open);
    QTRY_COMPARE(w.Meter().CurrentState(), TListenMeter::State::Listening);
    w.window->Engine().BeginQuiz();
    w.inputs.Replug({});
    QVERIFY(!w.inputs.Open);
    QVERIFY(StatusText(*w.window).contains("unplugged"));
    w.inputs.Replug({{"mic", QStringLiteral("Microphone"), true}});
    QVERIFY(w.inputs.Open);
    // Silence for longer than a muted microphone gives, then an input that stops delivering: both told,
    // neither answers.
    w.inputs.Deliver(std::vector<float>(FakeInputs::Rate * 5 / 2, 0.0f));
    QVERIFY(StatusText(*w.window).contains("silence"));
    w.window->Listening().CurrentListener()->SetStallMs(40);
    QTRY_VERIFY(StatusText(*w.window).contains("stopped sending"));
    QCOMPARE(w.window->Engine().State.Score, 0);
    QVERIFY(!PopUpShown(*w.window));
    // Sound again after the stall: no problem is named any more, and the note answers.
    w.inputs.Play(w.AskedPitch());
    QVERIFY(!StatusText(*w.window).contains("microphone"));
    QCOMPARE(w.window->Engine().State.Score, 10);
}

void TestListenWindow::theDetectorFollowsTheAnswerRules() {
    // The detector may tell a note whose octave alone is in doubt where the answer takes any octave (the
    // note buttons, singing), and not where it asks the exact one (the full-range piano); and it knows the
    // tolerance answers are judged with.
    ListeningWindow w;
    w.ToggleListen();
    const Listener& listener = *w.window->Listening().CurrentListener();
    QVERIFY(!listener.DetectorSettings().OctaveMatters);
    auto& settings = *w.window->findChild<TSettingsRoom*>();
    Settings piano = settings.Current();
    piano.InputMode = PianoKeys;
    piano.FullRange = true;
    settings.Apply(piano);
    QVERIFY(listener.DetectorSettings().OctaveMatters);
    piano.ListenSinging = true;
    piano.ListenToleranceCents = 25;
    settings.Apply(piano);
    QVERIFY(!listener.DetectorSettings().OctaveMatters);
    QCOMPARE(listener.DetectorSettings().ToleranceCents, 25.0);
}

void TestListenWindow::theInputChosenIsKeptAndComesBack() {
    const AudioInputDevice mic{"mic", QStringLiteral("Microphone"), true};
    const AudioInputDevice usb{"usb", QStringLiteral("USB microphone"), false};
    // Kept from the last start while it is unplugged now: the default input is listened to, without a word.
    ListeningWindow w;
    w.inputs.Devices = {mic};
    auto& settings = *w.window->findChild<TSettingsRoom*>();
    Settings kept = settings.Current();
    kept.Listen = true;
    kept.ListenInput = "usb";
    settings.Apply(kept);
    QVERIFY(w.inputs.Open);
    QCOMPARE(w.inputs.OpenedId, QByteArray());
    QVERIFY(StatusText(*w.window).isEmpty());
    // Plugged in, it is listened to; unplugged, the default again; and the choice stands throughout.
    w.inputs.Replug({mic, usb});
    QTRY_COMPARE(w.inputs.OpenedId, QByteArray("usb"));
    w.inputs.Replug({mic});
    QTRY_COMPARE(w.inputs.OpenedId, QByteArray());
    QCOMPARE(SettingsOf(*w.window).ListenInput, std::string("usb"));
    // Choosing in the menu is a setting like any other, so Keep My Progress keeps it.
    w.inputs.Replug({mic, usb});
    QTRY_VERIFY(w.window->findChild<QMenu*>("mnuListenInput")->menuAction()->isVisible());
    w.window->findChild<QMenu*>("mnuListenInput")->actions().value(0)->trigger();
    QCOMPARE(SettingsOf(*w.window).ListenInput, std::string("mic"));
    QCOMPARE(w.inputs.OpenedId, QByteArray("mic"));
}

void TestListenWindow::aMissingModuleTurnsListenOff() {
    ListeningWindow w(true);
    w.ToggleListen();
    QVERIFY(StatusText(*w.window).contains("not available"));
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

void TestListenWindow::theMeterPaintsItsWholeRectangleInEachLook() {
    // The meter paints over the status bar without it beneath, and keeps its microphone drawn between
    // paints: every corner is the bar's background, and each look is its own until the state changes back.
    TListenMeter meter;
    const QColor background = meter.palette().color(meter.backgroundRole());
    const auto picture = [&meter] { return meter.grab().toImage(); };
    const QImage listening = picture();
    for (const QPoint corner : {QPoint(0, 0), QPoint(meter.width() - 1, meter.height() - 1)})
        QCOMPARE(listening.pixelColor(corner), background);
    meter.SetState(TListenMeter::State::Problem);
    const QImage problem = picture();
    meter.SetState(TListenMeter::State::Waiting);
    const QImage waiting = picture();
    QVERIFY(problem != listening && waiting != listening && waiting != problem);
    meter.SetState(TListenMeter::State::Listening);
    QCOMPARE(picture(), listening);
    meter.ShowLevel(TListenMeter::LoudestDb);
    QCOMPARE(meter.LitBars(), TListenMeter::Bars);
    QVERIFY(picture() != listening);
}

void TestListenWindow::theMeterPaintsOnlyWhenItsLookChanges() {
    // A steady level, or one moving within a bar, draws nothing; a look shown before is drawn as a meter
    // showing it for the first time draws it, also after the colours change.
    TListenMeter meter;
    meter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&meter));
    int paints = 0;
    PaintCounter counter(paints);
    meter.installEventFilter(&counter);
    meter.ShowLevel(-30);
    QVERIFY(QTest::qWaitFor([&paints] { return paints == 1; }));
    meter.ShowLevel(-31);
    meter.SetState(TListenMeter::State::Listening);
    QCoreApplication::processEvents();
    QCOMPARE(paints, 1);
    meter.ShowLevel(TListenMeter::QuietestDb - 10);
    QVERIFY(QTest::qWaitFor([&paints] { return paints == 2; }));

    const auto firstDrawn = [](const QPalette& palette) {
        TListenMeter fresh;
        fresh.setPalette(palette);
        fresh.ShowLevel(-30);
        return fresh.grab().toImage();
    };
    meter.ShowLevel(-30);
    QCOMPARE(meter.grab().toImage(), firstDrawn(meter.palette()));
    QPalette red = meter.palette();
    red.setColor(QPalette::WindowText, Qt::red);
    meter.setPalette(red);
    QCOMPARE(meter.grab().toImage(), firstDrawn(red));
}

QTEST_MAIN(TestListenWindow)
#include "tst_listenwindow.moc"
