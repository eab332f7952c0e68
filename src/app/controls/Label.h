#pragma once

#include "Bevel.h"

#include <QWidget>

namespace quavix::ui {

// A label on a solid background of its own (an opaque label).
class TLabel final : public QWidget {
    Q_OBJECT
public:
    TLabel(const QString& text, Qt::Alignment alignment, QWidget* parent = nullptr);
    void SetColour(QRgb colour);
    QRgb Colour() const { return colour_; }
    QString Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    Qt::Alignment alignment_;
    QRgb colour_ = ButtonFace;
};

} // namespace quavix::ui
