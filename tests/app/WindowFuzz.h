#pragma once

// The window fuzz's player: a seeded run of random user input against the real main window, keeping the
// run's own clock for the countdown and the pop-ups, and checking the window after every event. The run
// and its checks are in tst_windowfuzz.cpp, the user's events in WindowFuzzEvents.cpp.

#include "MainQX25.h"
#include "UrlCatcher.h"
#include "WindowInvariants.h"

#include <QPointer>
#include <QWindow>

#include <deque>
#include <map>
#include <random>

// The quiz's chance, taken from the run's seed; the About dialog's fresh seed comes from the same stream.
class SeededRandom final : public quavix::RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : generator_(seed) {}
    int RandomBelow(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(generator_); }
    void Reseed() override { generator_.seed(generator_()); }

private:
    std::mt19937_64 generator_;
};

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
    std::unique_ptr<quavix::TFormQX25> form_;
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
