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
#include "CommandStates.h"
#include "Controls.h"
#include "HTMLHelp.h"
#include "InstrumentView.h"
#include "MainQX25.h"
#include "PopUpMessage.h"
#include "UrlCatcher.h"
#include "WindowInvariants.h"
#include "WindowTestSupport.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

#include <deque>
#include <map>
#include <random>

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

// The quiz's chance, taken from the run's seed; the About dialog's fresh seed comes from the same stream.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : generator_(seed) {}
    int RandomBelow(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(generator_); }
    void Reseed() override { generator_.seed(generator_()); }

private:
    std::mt19937_64 generator_;
};

} // namespace

class WindowFuzz : public QObject {
    Q_OBJECT

public:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomInput();

private:
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int weight;
    };

    bool RunSequence(std::uint64_t seed, int events);
    void Step();
    void Check(const char* after);
    void Fail(const QString& what);
    void Note(const QString& event);

    // Events.
    void PressKey();
    void TypeCharacter();
    void TypeRightAnswer();
    void MousePress();
    void MouseRelease();
    void MouseMove();
    void Click();
    void ClickToolButton();
    void TriggerMenuCommand();
    void Tick(bool evenWhenStopped);
    void ExpirePopUp(bool evenWhenNone);
    // The run's clock: moves on by ms, firing the timers that fall due on the way; true when one fired.
    bool FireDueTimer(long ms);
    void FollowTimers();
    long Pause();
    void MoveLevelSlider();
    void CloseWindow();
    void CloseOtherWindows();
    void DismissModal(QPointer<QWidget> dialog);

    QPoint RandomPoint();
    Qt::MouseButton RandomButton();
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool Chance(int percent) { return Below(100) < percent; }

    // Web addresses the window asks to open land here instead of in a browser.
    UrlCatcher urls_{{"http", "https", "mailto", "file", "ftp"}};
    std::unique_ptr<SeededRandom> quizRandom_;
    std::unique_ptr<TFormQX25> form_;
    QWindow* window_ = nullptr;
    std::mt19937_64 rng_;
    std::uint64_t seed_ = 0;
    long eventIndex_ = 0;
    bool fuzzing_ = false;
    QString failure_;
    std::deque<QString> recent_; // the last events, printed with a failure
    Qt::MouseButtons held_ = Qt::NoButton;
    bool wasRunning_ = false;
    long now_ = 0;       // ms since the run began
    long nextTick_ = -1; // when the countdown ticks next; -1 while it is stopped
    long popUpDue_ = -1; // when the pop-up on screen runs out; -1 for none
    const QObject* popUpSeen_ = nullptr;
    QPoint lastPoint_;
    std::vector<Key> keys_;
    int keyWeights_ = 0;
    WindowInvariants invariants_;
    QString helpFile_;
    std::map<QString, long> counts_;
};

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

// ---- Events ----

void WindowFuzz::PressKey() {
    int roll = Below(keyWeights_);
    const Key* key = &keys_.front();
    for (const Key& candidate : keys_) {
        roll -= candidate.weight;
        if (roll < 0) {
            key = &candidate;
            break;
        }
    }
    Note(QString("key %1").arg(
        QKeySequence(QKeyCombination(key->modifiers & ~Qt::KeypadModifier, key->key)).toString()));
    QTest::keyClick(window_, key->key, key->modifiers);
}

void WindowFuzz::TypeCharacter() {
    static const QString others = QStringLiteral("+-+-0123456789 .,;'#*/=\u00e9\u00df\u00e4\u20ac\u00a3");
    QChar typed;
    const int kind = Below(10);
    if (kind < 4)
        typed = QChar('a' + Below(26));
    else if (kind < 6)
        typed = QChar('A' + Below(26));
    else
        typed = others.at(Below(int(others.size())));
    Note(QString("type '%1'").arg(typed));
    if (typed.unicode() < 0x80)
        QTest::keyClick(window_, char(typed.unicode()));
    else
        QTest::sendKeyEvent(QTest::Click, window_, Qt::Key(typed.toUpper().unicode()), QString(typed),
                            Qt::NoModifier);
}

void WindowFuzz::TypeRightAnswer() {
    const QuizState& state = form_->Engine().State;
    const char letter = state.CurrentNote >= 0 && state.CurrentNote < NoteTableRows
                            ? form_->Engine().Table[state.CurrentNote].Letter
                            : 'A';
    const char typed = Chance(50) ? letter : char(letter - 'A' + 'a');
    Note(QString("answer '%1'").arg(typed));
    QTest::keyClick(window_, typed);
}

QPoint WindowFuzz::RandomPoint() {
    const QRect frame = form_->rect();
    const auto inside = [this](const QWidget* widget) {
        const QRect box(widget->mapTo(form_.get(), QPoint(0, 0)), widget->size());
        return QPoint(box.left() + Below(box.width()), box.top() + Below(box.height()));
    };
    const int kind = Below(100);
    auto* instrument = form_->findChild<QWidget*>("pbxInstrument");
    if (kind < 40 && instrument && instrument->isVisibleTo(form_.get()))
        return inside(instrument);
    if (kind < 43)
        return inside(form_->findChild<QWidget*>("pnlClose"));
    if (kind < 56)
        return inside(form_->findChild<QWidget*>("tbarOptions"));
    if (kind < 62)
        return inside(form_->findChild<QWidget*>("trkLevel"));
    if (kind < 70) // outside the window, where a drag may end
        return QPoint(-60 + Below(frame.width() + 120),
                      Chance(50) ? -40 + Below(35) : frame.height() + Below(60));
    return QPoint(Below(frame.width()), Below(frame.height()));
}

Qt::MouseButton WindowFuzz::RandomButton() {
    const int roll = Below(10);
    return roll < 8 ? Qt::LeftButton : roll < 9 ? Qt::RightButton : Qt::MiddleButton;
}

void WindowFuzz::MousePress() {
    const Qt::MouseButton button = RandomButton();
    lastPoint_ = RandomPoint();
    Note(QString("press %1 at %2,%3").arg(int(button)).arg(lastPoint_.x()).arg(lastPoint_.y()));
    held_ |= button;
    QTest::mousePress(window_, button, Qt::NoModifier, lastPoint_);
}

void WindowFuzz::MouseRelease() {
    const Qt::MouseButton button = (held_ & Qt::LeftButton)    ? Qt::LeftButton
                                   : (held_ & Qt::RightButton) ? Qt::RightButton
                                                               : Qt::MiddleButton;
    if (Chance(60))
        lastPoint_ = RandomPoint();
    Note(QString("release %1 at %2,%3").arg(int(button)).arg(lastPoint_.x()).arg(lastPoint_.y()));
    held_ &= ~button;
    QTest::mouseRelease(window_, button, Qt::NoModifier, lastPoint_);
}

void WindowFuzz::MouseMove() {
    // Mostly small steps, as a hand drags; sometimes a jump.
    if (Chance(70))
        lastPoint_ += QPoint(Below(31) - 15, Below(21) - 10);
    else
        lastPoint_ = RandomPoint();
    Note(QString("move to %1,%2%3").arg(lastPoint_.x()).arg(lastPoint_.y()).arg(held_ ? " held" : ""));
    QTest::mouseMove(window_, lastPoint_);
}

void WindowFuzz::Click() {
    if (held_ != Qt::NoButton) {
        MouseRelease();
        return;
    }
    const Qt::MouseButton button = RandomButton();
    lastPoint_ = RandomPoint();
    Note(QString("click %1 at %2,%3").arg(int(button)).arg(lastPoint_.x()).arg(lastPoint_.y()));
    QTest::mouseClick(window_, button, Qt::NoModifier, lastPoint_);
}

void WindowFuzz::ClickToolButton() {
    const QList<QToolButton*> buttons = form_->findChildren<QToolButton*>();
    QList<QToolButton*> shown;
    for (QToolButton* button : buttons)
        if (button->isVisibleTo(form_.get()) && !qobject_cast<QMenuBar*>(button->parentWidget()))
            shown.append(button);
    if (shown.isEmpty() || held_ != Qt::NoButton) {
        MouseMove();
        return;
    }
    QToolButton* button = shown.at(Below(int(shown.size())));
    lastPoint_ = button->mapTo(form_.get(), button->rect().center());
    Note(QString("tool button %1").arg(button->objectName()));
    QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, lastPoint_);
}

void WindowFuzz::TriggerMenuCommand() {
    QList<QAction*> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->menu())
                collect(action->menu());
            else if (!action->isSeparator())
                items.append(action);
        }
    };
    for (QAction* action : form_->menuBar()->actions())
        if (action->menu())
            collect(action->menu());
    if (items.isEmpty())
        return;
    QAction* item = items.at(Below(int(items.size())));
    Note(QString("menu %1").arg(item->text()));
    // A menu item runs only when enabled, as a click on it would.
    if (item->isEnabled())
        item->trigger();
}

void WindowFuzz::Tick(bool evenWhenStopped) {
    QuizEngine& engine = form_->Engine();
    if (!engine.CountdownRunning() && !evenWhenStopped)
        return;
    Note(engine.CountdownRunning() ? "tick" : "tick-stray");
    engine.tmrCountTimer();
}

void WindowFuzz::ExpirePopUp(bool evenWhenNone) {
    if (!PopUpShown(*form_) && !evenWhenNone)
        return;
    Note(PopUpShown(*form_) ? "expire" : "expire-stray");
    ::ExpirePopUp(*form_);
}

void WindowFuzz::MoveLevelSlider() {
    auto* slider = form_->findChild<QAbstractSlider*>("trkLevel");
    if (!slider || !slider->isEnabled())
        return;
    const int value = MinLevel + Below(MaxLevel - MinLevel + 1);
    Note(QString("slider %1").arg(value));
    // What a drag of the thumb does.
    slider->setSliderDown(true);
    slider->setSliderPosition(value);
    slider->setSliderDown(false);
}

void WindowFuzz::CloseWindow() {
    Note("close");
    form_->close();
}

void WindowFuzz::CloseOtherWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != form_.get() && widget->isVisible() && !widget->isModal() && widget->isWindow() &&
            !qobject_cast<QMenu*>(widget) && widget->windowType() != Qt::ToolTip) {
            if (fuzzing_)
                Note(QString("close-other %1").arg(widget->metaObject()->className()));
            widget->close();
        }
    }
}

// A modal box or dialog has come up. While it is open, the countdown and pop-ups carry on behind it; then
// it is answered: the close confirmation mostly with No, so the run keeps its quiz.
void WindowFuzz::DismissModal(QPointer<QWidget> dialog) {
    if (!dialog || !dialog->isVisible() || !failure_.isEmpty())
        return;
    Note(QString("modal %1")
             .arg(dialog->objectName().isEmpty() ? dialog->metaObject()->className() : dialog->objectName()));
    Check("a modal box came up");
    // The user takes a few seconds over the box.
    const long until = now_ + Below(6000);
    while (failure_.isEmpty() && FireDueTimer(until - now_)) {
        QCoreApplication::processEvents();
        FollowTimers();
        Check("a timer behind a modal box");
    }
    // A few clicks and keys inside it: its buttons, the About dialog's web address, F1 for help.
    for (int i = Below(4); i > 0 && dialog && dialog->isVisible() && dialog->windowHandle(); --i) {
        QWindow* box = dialog->windowHandle();
        if (Chance(60)) {
            const QPoint point(Below(dialog->width()), Below(dialog->height()));
            Note(QString("click in the box at %1,%2").arg(point.x()).arg(point.y()));
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, point);
        } else {
            const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return};
            const Qt::Key key = keys[Below(5)];
            Note(QString("key in the box %1").arg(QKeySequence(key).toString()));
            QTest::keyClick(box, key);
        }
        Check("input to a modal box");
    }
    if (!dialog || !dialog->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(dialog.data())) {
        QAbstractButton* no = box->button(QMessageBox::No);
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        if (no && yes && Chance(15))
            yes->click();
        else if (no && Chance(90))
            no->click();
        else if (!box->buttons().isEmpty() && Chance(80))
            box->buttons().constFirst()->click();
        else
            box->close();
    } else if (auto* modal = qobject_cast<QDialog*>(dialog.data())) {
        Chance(50) ? modal->reject() : void(modal->close());
    } else {
        dialog->close();
    }
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
#include "tst_windowfuzz.moc"
