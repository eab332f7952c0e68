#include "HintsAndKeys.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>

namespace quavix {

namespace {

Qt::KeyboardModifiers Modifiers(const QKeyEvent* event) {
    return event->modifiers() & ~Qt::KeypadModifier;
}

bool IsHelpKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_F1 && Modifiers(event) == Qt::NoModifier;
}

} // namespace

THintsAndKeys::THintsAndKeys(QWidget* window, QWidget* client, QStatusBar* hints, QWidget* instrument,
                             std::vector<QAction*> shortcutOwners)
    : QObject(window), window_(window), client_(client), hints_(hints), instrument_(instrument),
      shortcutOwners_(std::move(shortcutOwners)) {
    noticeTimer_.setSingleShot(true);
    connect(&noticeTimer_, &QTimer::timeout, this, &THintsAndKeys::sbHintsHint);
}

THintsAndKeys::~THintsAndKeys() {
    if (installed_)
        qApp->removeEventFilter(this);
}

void THintsAndKeys::Install() {
    qApp->installEventFilter(this);
    installed_ = true;
}

bool THintsAndKeys::InWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == window_;
}

QWidget* THintsAndKeys::ControlAt(QPoint globalPos) const {
    if (!pointerInside_)
        return nullptr;
    const QPoint point = client_->mapFromGlobal(globalPos);
    if (!client_->rect().contains(point))
        return nullptr;
    // childAt counts disabled controls too; null means the window's own background.
    return client_->childAt(point);
}

void THintsAndKeys::TrackPointer(QPoint globalPos) {
    lastPointer_ = globalPos;
    // The application's hint: the control's own, or else that of its nearest ancestor that has one.
    QString applicationHint;
    for (QWidget* control = ControlAt(globalPos); control && control != client_;
         control = control->parentWidget()) {
        applicationHint = control->property("hint").toString();
        if (!applicationHint.isEmpty())
            break;
    }
    if (applicationHint != lastApplicationHint_) {
        lastApplicationHint_ = applicationHint;
        sbHintsHint();
    }
}

void THintsAndKeys::sbHintsHint() {
    // Only the deepest control's own hint and help context count, never an ancestor's.
    const QWidget* control = ControlAt(lastPointer_);
    const QString hint = control ? control->property("hint").toString() : QString();
    if (hint.isEmpty())
        hints_->clearMessage();
    else
        hints_->showMessage(hint);
    helpContextUnderMouse_ = control ? control->property("helpContext").toInt() : 0;
}

void THintsAndKeys::ShowNotice(const QString& text, int ms) {
    hints_->showMessage(text);
    noticeTimer_.start(ms);
}

void THintsAndKeys::WithdrawNotice(const QString& text) {
    if (!noticeTimer_.isActive() || hints_->currentMessage() != text)
        return;
    noticeTimer_.stop();
    sbHintsHint();
}

bool THintsAndKeys::FormKeyDown(QKeyEvent* event) {
    if (!IsHelpKey(event))
        return false;
    emit helpKeyPressed(helpContextUnderMouse_);
    return true;
}

bool THintsAndKeys::KeyPreview(QKeyEvent* event, bool atMenuBar) {
    const Qt::KeyboardModifiers modifiers = Modifiers(event);
    // An enabled command's shortcut never gets here: the shortcut map took it. A disabled one's key is
    // swallowed, so Space during a quiz or Enter outside one reaches nothing.
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(event->key())));
    for (const QAction* action : shortcutOwners_) {
        if (action->isEnabled())
            continue;
        for (const QKeySequence& shortcut : action->shortcuts())
            if (shortcut == pressed)
                return true;
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    if (atMenuBar) {
        // A menu bar that was used from the keyboard keeps the focus and would read letters as its menus'
        // accelerators. Menus open by Alt+letter and by the mouse; typed characters stay answers, while the
        // bar keeps its own navigation keys (arrows, Enter, Esc).
        if (!text.at(0).isPrint())
            return false;
        window_->setFocus(Qt::OtherFocusReason);
    }
    // Every typed character is the window's; none reaches a control. Characters beyond 8 bits are no
    // answer and no level key, so they are only swallowed.
    const char16_t typed = text.at(0).unicode();
    if (typed < 0x100)
        emit characterTyped(static_cast<char>(typed));
    return true;
}

bool THintsAndKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // F1 is the window's own key before it is Help, Contents' shortcut.
        if (InWindow(watched) && IsHelpKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (InWindow(watched)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (FormKeyDown(key) || KeyPreview(key, qobject_cast<QMenuBar*>(watched) != nullptr))
                return true;
        }
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (InWindow(watched)) {
            pointerInside_ = true;
            const QPointF global = event->type() == QEvent::Enter
                                       ? static_cast<QEnterEvent*>(event)->globalPosition()
                                       : static_cast<QMouseEvent*>(event)->globalPosition();
            TrackPointer(global.toPoint());
        }
        break;
    case QEvent::MouseButtonRelease:
        // The instrument lost its press to a menu that opened meanwhile: the release went there.
        // (The platform's window sees every release before the widget it is meant for.)
        if (watched->isWidgetType() && watched != instrument_ &&
            static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            emit instrumentPressLost();
        break;
    case QEvent::ToolTip:
        // Hints go to the status bar only; this window shows no pop-up tips.
        if (InWindow(watched))
            return true;
        break;
    case QEvent::WindowBlocked:
        // A modal box took over; the release will never reach the instrument.
        if (watched == window_)
            emit instrumentPressLost();
        break;
    case QEvent::Leave:
        if (watched == window_) {
            pointerInside_ = false;
            TrackPointer(lastPointer_);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quavix
