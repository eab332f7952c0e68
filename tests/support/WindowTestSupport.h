#pragma once

// Helpers for tests that drive the real main window: a predictable random source, a watcher that answers
// modal boxes, and the points to click on the instruments for a given note.

#include "Controls.h"
#include "Guitar.h"
#include "InstrumentView.h"
#include "MainQX25.h"
#include "NoteTable.h"
#include "Piano.h"
#include "PopUpMessage.h"
#include "ProgressRoom.h"
#include "QuizScreen.h"
#include "ScreenRatio.h"
#include "SoundCues.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

// Walks through the pool in steps of 7, so consecutive picks differ and every row comes up.
class SteppingRandom final : public quavix::RandomSource {
public:
    int RandomBelow(int n) override { return (count_++ * 7) % n; }
    void Reseed() override {}

private:
    int count_ = 0;
};

// A box that a watcher saw and answered.
struct SeenBox {
    QString title;
    QString text;
};

// Answers every modal box that comes up while it lives: records its title and text, then presses the
// chosen button (or, for a box without it, closes the box).
class ModalWatcher : public QObject {
public:
    explicit ModalWatcher(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, &ModalWatcher::Check);
        timer_.start();
    }

    QList<SeenBox> boxes;
    // Called instead of pressing a button, for answers such as Esc or the close box.
    std::function<void(QWidget* box)> respond;

private:
    void Check() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == handled_)
            return;
        handled_ = modal;
        SeenBox seen{modal->windowTitle(), {}};
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            seen.text = box->text();
        else if (auto* label = modal->findChild<QLabel*>())
            seen.text = label->text();
        boxes.append(seen);
        if (respond) {
            respond(modal);
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box && box->button(answer_))
            box->button(answer_)->click();
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(0);
        else
            modal->close();
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QPointer<QWidget> handled_;
};

// Shortcuts need the window active; a closed modal box may leave no window active offscreen.
inline void MakeActive(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
    (void)QTest::qWaitForWindowActive(window);
}

// Paints the window as a screen would and lets the work waiting for its first paint run (the MIDI layer
// opens, kept progress comes back).
inline void SettleAfterFirstPaint(QWidget& window) {
    window.findChild<QWidget*>("pbxStaff")->grab();
    QCoreApplication::processEvents();
}

// A whole window, shown and active, with the stepping random source and the given colour depth.
struct ShownWindow {
    explicit ShownWindow(int colourDepth = 32, quavix::SoundEngineFactory sound = {},
                         int noteMessageMs = 3000) {
        quavix::TFormQX25::Options options;
        options.colourDepth = colourDepth;
        options.random = &random;
        options.sound = std::move(sound);
        options.noteMessageMs = noteMessageMs;
        window = std::make_unique<quavix::TFormQX25>(options);
        window->show();
        Activate();
    }
    void Activate() const { MakeActive(window.get()); }
    quavix::TFormQX25* operator->() const { return window.get(); }
    quavix::TFormQX25& operator*() const { return *window; }

    SteppingRandom random;
    std::unique_ptr<quavix::TFormQX25> window;
};

// Mouse input the way the platform delivers it: to the window, which passes it on to the control under the
// point or to the one holding the mouse. (QTest's widget overloads skip the window.)
enum class Mouse { Press, Release, Click, Move };
inline void MouseAt(Mouse action, QWidget* widget, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* top = widget->window();
    QWindow* window = top->windowHandle();
    const QPoint at = widget->mapTo(top, point);
    switch (action) {
    case Mouse::Press:
        QTest::mousePress(window, button, {}, at);
        break;
    case Mouse::Release:
        QTest::mouseRelease(window, button, {}, at);
        break;
    case Mouse::Click:
        QTest::mouseClick(window, button, {}, at);
        break;
    case Mouse::Move:
        QTest::mouseMove(window, at);
        break;
    }
}

template <typename T = QWidget> T* Control(const quavix::TFormQX25& window, const char* name) {
    return window.findChild<T*>(name);
}

inline const quavix::NoteEntry& CurrentRow(quavix::TFormQX25& window) {
    return window.Engine().Table[window.Engine().State.CurrentNote];
}

inline const quavix::Settings& SettingsOf(quavix::TFormQX25& window) {
    return window.Engine().CurrentSettings();
}

// The window's feedback pop-ups: the one on screen, and its expiry, which tests bring about themselves.
inline quavix::TPopUpList& PopUps(const QWidget& window) {
    return *window.findChild<quavix::TPopUpList*>();
}
inline bool PopUpShown(const QWidget& window) {
    return PopUps(window).Showing();
}
inline QString PopUpText(const QWidget& window) {
    const quavix::TPopUpMessage* popUp = PopUps(window).Current();
    return popUp ? popUp->Panel()->MessageLabel()->text() : QString();
}
// What the status bar says now.
inline QString StatusText(const QWidget& window) {
    return window.findChild<QStatusBar*>()->currentMessage();
}
inline void ExpirePopUp(const QWidget& window) {
    PopUps(window).OnPopUpTimer(quavix::TPopUpList::PopUpTimerID);
}

// A message shown beside the note on the staff as the quiz shows it, and taken away.
inline void ShowNoteMessage(quavix::TFormQX25& window, const quavix::NoteMessage& message) {
    window.findChild<quavix::TQuizScreen*>()->ShowNoteMessage(message, CurrentRow(window),
                                                              window.Engine().NoteX());
}
inline void RemoveNoteMessage(quavix::TFormQX25& window) {
    window.findChild<quavix::TQuizScreen*>()->RemoveNoteMessage();
}

inline quavix::TProgressRoom& ProgressOf(const QWidget& window) {
    return *window.findChild<quavix::TProgressRoom*>();
}

// The surfaces of the staff and the instrument, drawn at the screen's device pixel ratio.
inline const quavix::Canvas& SurfaceOf(const QWidget& window, const char* box) {
    return window.findChild<quavix::ui::TPaintBox*>(box)->Surface();
}
inline double RatioOf(const QWidget& window) {
    return SurfaceOf(window, "pbxStaff").Ratio();
}
// What the window hears when it is moved to a screen of another ratio.
inline void MoveToRatio(const QWidget& window, double ratio) {
    emit window.findChild<quavix::TScreenRatio*>()->ratioChanged(ratio);
}

// The middle of the lower part of the white key of a staff step in a full-range layout.
inline QPoint PianoPointForStep(int layoutIndex, int step) {
    const quavix::PianoGeometry& layout = quavix::PianoLayouts[layoutIndex];
    const int column = step - layout.FirstKey;
    return {quavix::KeyLeft(layout, quavix::InstrumentView::Width, column) + layout.WhiteKeyWidth / 2,
            layout.WhiteKeyHeight - 8};
}

// A key of the single octave whose letter is the given one.
inline QPoint PianoPointForLetter(char letter) {
    const quavix::PianoGeometry& layout = quavix::PianoLayouts[0];
    for (int column = 1; column <= 7; ++column)
        if (quavix::StepLetter(layout.FirstKey + column) == letter)
            return {quavix::KeyLeft(layout, quavix::InstrumentView::Width, column) + layout.WhiteKeyWidth / 2,
                    layout.WhiteKeyHeight - 8};
    return {-1, -1};
}

// The first string and fret that play a staff step; the open string lies left of the nut.
inline QPoint GuitarPointForStep(int step) {
    for (int string = 1; string <= 6; ++string)
        for (int fret = 0; fret <= quavix::FretboardGeometry::FretCount; ++fret)
            if (quavix::FretNoteTable[string - 1][fret] == step) {
                const int x = fret == 0 ? 10 : (quavix::FretX(fret - 1) + quavix::FretX(fret)) / 2 + 1;
                return {x, quavix::StringY(string)};
            }
    return {-1, -1};
}
