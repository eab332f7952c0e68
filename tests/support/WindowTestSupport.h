#pragma once

// Helpers for tests that drive the real main window: a predictable random source, a watcher that answers
// modal boxes, and the points to click on the instruments for a given note.

#include "Guitar.h"
#include "MainQX25.h"
#include "NoteTable.h"
#include "Piano.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
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

// A whole window, shown and active, with the stepping random source and the given colour depth.
struct ShownWindow {
    explicit ShownWindow(int colourDepth = 32, quavix::SoundEngineFactory sound = {}) {
        quavix::TFormQX25::Options options;
        options.colourDepth = colourDepth;
        options.random = &random;
        options.sound = std::move(sound);
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
