#include "PopUpMessage.h"

#include "ColourScheme.h"
#include "SmallRoutines.h"

#include <QLabel>
#include <QTimer>

#include <cstdlib>

namespace quavix {

namespace {

// The space after a sentence's end nearest the middle m (a tie going to the later one), if one lies within
// a quarter of the text's length of it; 0 otherwise.
int SentenceBreakNear(const QString& text, int m) {
    const int reach = int(text.length()) / 4;
    int best = 0;
    for (int p = 2; p <= int(text.length()); ++p) {
        const QChar before = text.at(p - 2);
        if (text.at(p - 1) != ' ' || (before != '.' && before != '!' && before != '?'))
            continue;
        if (std::abs(p - m) <= reach && (best == 0 || std::abs(p - m) <= std::abs(best - m)))
            best = p;
    }
    return best;
}

} // namespace

int MessageBreakPosition(const QString& text) {
    const int m = int(text.length()) / 2;
    if (m < 1)
        return 0;
    // Two sentences read best one a line.
    if (const int p = SentenceBreakNear(text, m))
        return p;
    const int a = LastPos(QStringLiteral(" "), text, m);
    const int c = PosFrom(QStringLiteral(" "), text, m);
    if (c > 0 && (a == 0 || m - a >= c - m))
        return c;
    return a;
}

TMsgPanel::TMsgPanel(QWidget* parent) : TPanel(parent), messageLabel_(new QLabel(this)) {
    setObjectName(QStringLiteral("MsgPanel"));
    SetBevelOuter(ui::Bevel::Raised);
    SetColour(DesignColours::MessagePanel);
    setAccessibleName(tr("Feedback message"));
    messageLabel_->setObjectName(QStringLiteral("MessageLabel"));
    messageLabel_->setAutoFillBackground(true);
    messageLabel_->setMargin(0);
    messageLabel_->setIndent(0);
    messageLabel_->move(1, 1);
    hide();
    FitToLabel();
}

void TMsgPanel::SetColour(QRgb colour) {
    TPanel::SetColour(colour);
    // The label paints its own background in the panel's colour.
    QPalette palette = messageLabel_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    palette.setColor(QPalette::WindowText, Qt::black);
    messageLabel_->setPalette(palette);
}

void TMsgPanel::SetMessage(const QString& text) {
    messageLabel_->setText(text);
    messageLabel_->adjustSize();
    if (messageLabel_->width() > MaxOneLineWidth) {
        const int p = MessageBreakPosition(text);
        if (p > 0) {
            messageLabel_->setText(text.left(p - 1) + '\n' + text.mid(p));
            messageLabel_->adjustSize();
        }
    }
    FitToLabel();
}

void TMsgPanel::FitToLabel() {
    resize(messageLabel_->width() + 2, messageLabel_->height() + 2);
}

TPopUpMessage::TPopUpMessage(QWidget* parent, const QString& text, int timerId, int displayMs, QPoint anchor,
                             HorzAnchor horz, bool above, QRgb colour)
    : panel_(new TMsgPanel(parent)), timerId_(timerId) {
    panel_->SetMessage(text);
    panel_->SetColour(colour);
    const int lw = panel_->MessageLabel()->width();
    const int lh = panel_->MessageLabel()->height();
    int left = anchor.x();
    if (horz == HorzAnchor::Centre)
        left = anchor.x() - lw / 2;
    else if (horz == HorzAnchor::Right)
        left = anchor.x() - lw;
    // Only the left and top edges are kept inside the window.
    const int top = Max(0, above ? anchor.y() - lh : anchor.y());
    panel_->move(Max(0, left), top);
    panel_->show();
    panel_->raise();

    QTimer::singleShot(displayMs, this, [this] {
        timerActive_ = false;
        emit expired(timerId_);
    });
}

TPopUpMessage::~TPopUpMessage() {
    delete panel_.data();
}

TPopUpList::TPopUpList(QWidget* parent) : QObject(parent), parent_(parent) {}

TPopUpList::~TPopUpList() {
    // Newest first, while the window they sit on still exists.
    while (!popUps_.empty()) {
        delete popUps_.back();
        popUps_.pop_back();
    }
}

void TPopUpList::ShowPopUp(const QString& text, QPoint anchor, int displayMs, HorzAnchor horz, bool above,
                           QRgb colour) {
    Clear();
    auto* popUp = new TPopUpMessage(parent_, text, PopUpTimerID, displayMs, anchor, horz, above, colour);
    popUp->setParent(this);
    connect(popUp, &TPopUpMessage::expired, this, &TPopUpList::OnPopUpTimer);
    popUps_.push_back(popUp);
}

void TPopUpList::Clear() {
    while (!popUps_.empty()) {
        delete popUps_.front();
        popUps_.erase(popUps_.begin());
    }
}

void TPopUpList::OnPopUpTimer(int id) {
    for (auto it = popUps_.begin(); it != popUps_.end(); ++it) {
        if ((*it)->TimerID() == id) {
            // This may run inside the pop-up's own expiry signal; Qt stops delivering a signal whose sender
            // has gone, and nothing touches the pop-up afterwards.
            delete *it;
            popUps_.erase(it);
            emit expired();
            return;
        }
    }
}

} // namespace quavix
