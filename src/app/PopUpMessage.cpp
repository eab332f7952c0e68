#include "PopUpMessage.h"

#include "ColourScheme.h"
#include "SmallRoutines.h"

#include <QLabel>

int MessageBreakPosition(const QString& text) {
    const int m = int(text.length()) / 2;
    if (m < 1)
        return 0;
    const int a = LastPos(" ", text, m);
    const int c = PosFrom(" ", text, m);
    if (c > 0 && (a == 0 || m - a >= c - m))
        return c;
    return a;
}

TMsgPanel::TMsgPanel(QWidget* parent) : TPanel(parent), messageLabel_(new QLabel(this)) {
    setObjectName("MsgPanel");
    SetBevelOuter(quavix::ui::Bevel::Raised);
    SetColour(quavix::DesignColours::MessagePanel);
    setAccessibleName("Feedback message");
    messageLabel_->setObjectName("MessageLabel");
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
                             HorzAnchor horz, bool above, QRgb colour,
                             std::function<void(int timerId)> onExpiry)
    : panel_(std::make_unique<TMsgPanel>(parent)), timerId_(timerId) {
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

    timer_.setSingleShot(true);
    timer_.setInterval(displayMs);
    QObject::connect(&timer_, &QTimer::timeout, [onExpiry = std::move(onExpiry), timerId] {
        if (onExpiry)
            onExpiry(timerId);
    });
    timer_.start();
}

TPopUpMessage::~TPopUpMessage() {
    timer_.stop();
}
