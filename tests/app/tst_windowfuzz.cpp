// Long seeded runs of random user input against the real main window: every key of the keyboard map,
// typed characters, clicks and drags anywhere (also ending outside the window), menu and tool-bar
// commands, countdown ticks and pop-up expiries, the level slider, help and the About dialog. After every
// event the window must still be consistent: the quiz state within its bounds, at most one pop-up, each
// command's enabled state and check mark those of the situation, the window's height that of the input
// mode, and no piano or guitar marker unless a mouse button is held.
//
// Real time plays no part: every timer event is swallowed while a run is going. The run keeps its own
// clock instead, which moves on by a random pause before each event; the countdown ticks once a second from
// the moment it starts (keeping its period across right answers) and a pop-up runs out 3 s after it
// appears, and the test fires both itself when their time comes. Now and then a tick or an expiry also
// comes out of turn. So a run is fully determined by its seed.
//   QUAVIX_FUZZ_SEED=<n>       replay only run n (a failure names it)
//   QUAVIX_FUZZ_EVENTS=<n>     events per run
//   QUAVIX_FUZZ_RUNS=<n>       number of runs (seeds 1 .. n)
//   QUAVIX_FUZZ_TRACE=1        print every event with the quiz state before it
//   QUAVIX_FUZZ_DUMP=<folder>  where a failing marker check leaves the shown and the expected instrument
#include "HTMLHelp.h"
#include "PopUpMessage.h"
#include "QuizScreen.h"
#include "WindowFuzz.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QFileInfo>
#include <QtTest>

using namespace quavix;

namespace {

// 100,000 events: about 10 s in the normal build and a minute under the sanitizers on two cores.
// The quick run of every test pass; the long one (ctest -L long) makes it 20 runs, 100,000 events.
constexpr int DefaultRuns = 4;
constexpr int DefaultEventsPerRun = 2500;

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

void WindowFuzz::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    // The help collection lies beside the program, not beside the tests; when it has been built, half the
    // runs use it so the help window opens, the other half see help fail.
    const QString built = QCoreApplication::applicationDirPath() + "/../src/app/Quavix 2.qhc";
    if (QFileInfo::exists(built))
        helpFile_ = QFileInfo(built).canonicalFilePath();

    const auto add = [this](Qt::Key key, Qt::KeyboardModifiers modifiers, int weight) {
        keys_.push_back({key, modifiers, weight});
        keyWeights_ += weight;
    };
    // The keyboard map; help and the About dialog are slow, so they come less often.
    add(Qt::Key_F1, Qt::NoModifier, 1);
    add(Qt::Key_F1, Qt::ShiftModifier, 1);
    add(Qt::Key_F12, Qt::NoModifier, 1);
    for (Qt::Key key :
         {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
        add(key, Qt::NoModifier, 20);
    for (Qt::Key key : {Qt::Key_F10, Qt::Key_F11})
        add(key, Qt::NoModifier, 3);
    add(Qt::Key_Space, Qt::NoModifier, 40);
    add(Qt::Key_Return, Qt::NoModifier, 4);
    add(Qt::Key_Enter, Qt::KeypadModifier, 1);
    for (Qt::Key key : {Qt::Key_G, Qt::Key_F, Qt::Key_A, Qt::Key_N, Qt::Key_S})
        add(key, Qt::ControlModifier, 2);
    // Keys that move the slider when it has the focus, leave menus and walk through them.
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                        Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Escape, Qt::Key_Tab})
        add(key, Qt::NoModifier, 4);
    // Menu mnemonics open the menus, which then take the keys.
    for (Qt::Key key : {Qt::Key_G, Qt::Key_O, Qt::Key_H})
        add(key, Qt::AltModifier, 1);
    add(Qt::Key_Alt, Qt::NoModifier, 1);
}

void WindowFuzz::cleanupTestCase() {
    QString summary;
    for (const auto& [name, count] : counts_)
        summary += QString("%1 %2, ").arg(name).arg(count);
    // Printed plainly: the window's warnings on the offscreen platform can use up Qt Test's message quota.
    std::printf("events by kind: %sweb addresses opened %d\n", qPrintable(summary), int(urls_.urls.size()));
}

bool WindowFuzz::eventFilter(QObject* watched, QEvent* event) {
    if (!fuzzing_)
        return false;
    // No timer of any kind may fire on its own: the run must not depend on how fast the machine is.
    if (event->type() == QEvent::Timer)
        return true;
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal())
            QMetaObject::invokeMethod(
                this, [this, dialog = QPointer<QWidget>(widget)] { DismissModal(dialog); },
                Qt::QueuedConnection);
    }
    return false;
}

void WindowFuzz::randomInput() {
    const int events = EnvInt("QUAVIX_FUZZ_EVENTS", DefaultEventsPerRun);
    const int replay = EnvInt("QUAVIX_FUZZ_SEED", 0);
    const int runs = replay > 0 ? 1 : EnvInt("QUAVIX_FUZZ_RUNS", DefaultRuns);
    QElapsedTimer clock;
    clock.start();
    long total = 0;
    for (int run = 0; run < runs; ++run) {
        const std::uint64_t seed = replay > 0 ? std::uint64_t(replay) : std::uint64_t(run + 1);
        if (!RunSequence(seed, events))
            QFAIL(qPrintable(failure_));
        total += events;
    }
    std::printf("%ld events in %d runs, %.1f s\n", total, runs, clock.elapsed() / 1000.0);
}

bool WindowFuzz::RunSequence(std::uint64_t seed, int events) {
    seed_ = seed;
    rng_.seed(seed);
    failure_.clear();
    recent_.clear();
    held_ = Qt::NoButton;
    wasRunning_ = false;
    now_ = 0;
    nextTick_ = popUpDue_ = -1;
    popUpSeen_ = nullptr;
    eventIndex_ = 0;

    quizRandom_ = std::make_unique<SeededRandom>(seed * 7919);
    TFormQX25::Options options;
    const int depths[] = {8, 16, 24, 32};
    options.colourDepth = depths[Below(4)];
    options.random = quizRandom_.get();
    form_ = std::make_unique<TFormQX25>(options);
    if (form_->StartupFailed()) {
        failure_ = "the window failed to start";
        return false;
    }
    if (!helpFile_.isEmpty() && Chance(50))
        AppHelp().SetHelpFile(helpFile_);
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get())) {
        failure_ = "the window never became active";
        return false;
    }
    window_ = form_->windowHandle();
    // The pointer starts at the same place in every run, whatever the run before left behind.
    lastPoint_ = QPoint(10, 10);
    QTest::mouseMove(window_, lastPoint_);

    qApp->installEventFilter(this);
    fuzzing_ = true;
    Check("start-up");
    for (eventIndex_ = 1; eventIndex_ <= events && failure_.isEmpty(); ++eventIndex_)
        Step();
    // Let go of anything still held and close what is open, then take the window down.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (held_ & button)
            QTest::mouseRelease(window_, button, Qt::NoModifier, lastPoint_);
    held_ = Qt::NoButton;
    fuzzing_ = false;
    qApp->removeEventFilter(this);
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    CloseOtherWindows();
    form_.reset();
    window_ = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    AppHelp().SetHelpFile({});
    return failure_.isEmpty();
}

// A pause between two events, as a person takes them: mostly short, sometimes long enough to run out of
// time.
long WindowFuzz::Pause() {
    const int kind = Below(100);
    return kind < 75 ? Below(400) : kind < 95 ? Below(2000) : Below(8000);
}

void WindowFuzz::FollowTimers() {
    if (!form_->Engine().CountdownRunning())
        nextTick_ = -1;
    else if (nextTick_ < 0)
        nextTick_ = now_ + CountdownPeriodMs;
    const TPopUpMessage* popUp = PopUps(*form_).Current();
    if (!popUp) {
        popUpDue_ = -1;
        popUpSeen_ = nullptr;
    } else if (popUp->Panel() != popUpSeen_) {
        popUpSeen_ = popUp->Panel();
        popUpDue_ = now_ + TQuizScreen::NoteMessageMs;
    }
}

bool WindowFuzz::FireDueTimer(long ms) {
    const long until = now_ + ms;
    const bool tick = nextTick_ >= 0 && nextTick_ <= until && (popUpDue_ < 0 || nextTick_ <= popUpDue_);
    const bool expiry = !tick && popUpDue_ >= 0 && popUpDue_ <= until;
    if (!tick && !expiry) {
        now_ = until;
        return false;
    }
    if (tick) {
        now_ = nextTick_;
        nextTick_ += CountdownPeriodMs;
        Tick(false);
    } else {
        now_ = popUpDue_;
        popUpDue_ = -1;
        ExpirePopUp(false);
    }
    return true;
}

void WindowFuzz::Step() {
    int roll = Below(1000);
    const auto take = [&roll](int weight) {
        roll -= weight;
        return roll < 0;
    };
    if (FireDueTimer(Pause()))
        ; // the event was a timer's
    else if (take(10))
        Chance(50) ? Tick(true) : ExpirePopUp(true); // out of turn
    else if (take(160))
        PressKey();
    else if (take(110))
        TypeCharacter();
    else if (take(80))
        TypeRightAnswer();
    else if (take(60))
        held_ == Qt::NoButton ? MousePress() : MouseRelease();
    else if (take(120))
        MouseMove();
    else if (take(120))
        Click();
    else if (take(80))
        ClickToolButton();
    else if (take(25))
        TriggerMenuCommand();
    else if (take(20))
        MoveLevelSlider();
    else if (take(5))
        CloseWindow();
    else
        CloseOtherWindows();

    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A window closed from its Close panel or by a confirmed close comes back, so the run can go on.
    if (!form_->isVisible()) {
        Note("reshow after the window closed");
        form_->show();
    }
    // The offscreen platform has no window manager to hand the activation back when a box or another
    // window closes; without it no shortcut key would work.
    if (QApplication::activeWindow() != form_.get() && !QApplication::activeModalWidget() &&
        !QApplication::activePopupWidget()) {
        form_->activateWindow();
        QCoreApplication::processEvents();
    }
    FollowTimers();
    Check(recent_.empty() ? "" : qPrintable(recent_.back()));
}

void WindowFuzz::Note(const QString& event) {
    static const bool trace = qEnvironmentVariableIsSet("QUAVIX_FUZZ_TRACE");
    if (trace) {
        const QuizState& s = form_->Engine().State;
        const bool marker = invariants_.InstrumentMarked(*form_);
        const auto name = [](const QObject* object) {
            return object ? QString(object->metaObject()->className()) + ":" + object->objectName()
                          : QString("-");
        };
        const QString line =
            QString("#%1 %2  [running %3 notes left %4 seconds %5 mode %6 pop-up %7 held %8%9] menu %10 "
                    "active %11")
                .arg(eventIndex_)
                .arg(event)
                .arg(s.Running)
                .arg(s.NotesLeft)
                .arg(s.SecondsLeft)
                .arg(SettingsOf(*form_).InputMode)
                .arg(PopUpShown(*form_))
                .arg(int(held_))
                .arg(marker ? " marker" : "")
                .arg(name(QApplication::activePopupWidget()), name(QApplication::activeWindow()));
        std::fprintf(stderr, "%s\n", qPrintable(line));
    }
    recent_.push_back(QString("#%1 %2").arg(eventIndex_).arg(event));
    if (recent_.size() > 25)
        recent_.pop_front();
    ++counts_[event.section(' ', 0, 0)];
}

void WindowFuzz::Fail(const QString& what) {
    if (!failure_.isEmpty())
        return;
    QString history;
    for (const QString& event : recent_)
        history += "\n    " + event;
    failure_ = QString("seed %1, event %2: %3\n  last events:%4\n  replay with QUAVIX_FUZZ_SEED=%1")
                   .arg(seed_)
                   .arg(eventIndex_)
                   .arg(what, history);
}

// ---- Checks ----

void WindowFuzz::Check(const char* after) {
    if (!failure_.isEmpty())
        return;
    const QuizState& s = form_->Engine().State;
    if (wasRunning_ && !s.Running)
        ++counts_[s.NotesLeft == 0 ? "(quiz completed)" : "(quiz ended early)"];
    wasRunning_ = s.Running;
    // A marker on the instrument is right only while a mouse button is down.
    const QString problem = invariants_.Problem(*form_, held_ != Qt::NoButton);
    if (!problem.isEmpty())
        Fail(QString("after %1: %2").arg(QString::fromUtf8(after), problem));
}

QTEST_MAIN(WindowFuzz)
