// The user's events of the window fuzz: every key of the keyboard map, typed characters, clicks and drags
// anywhere (also ending outside the window), tool-bar buttons and menu commands, the level slider, closing
// windows, and the answers to modal boxes; and the countdown ticks and pop-up expiries, also out of turn.

#include "HTMLHelp.h"
#include "PopUpMessage.h"
#include "WindowFuzz.h"
#include "WindowTestSupport.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolButton>
#include <QtTest>

using namespace quavix;

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
    if (!dialog || !dialog->isVisible())
        return;
    // After a failure the run only lets go of what it holds; a box that comes up then must not wait for
    // an answer nobody will give.
    if (!failure_.isEmpty()) {
        dialog->close();
        return;
    }
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
