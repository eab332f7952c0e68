#pragma once

#include "Bevel.h"

#include <QWidget>

namespace quavix::ui {

// A panel: a solid colour, an optional soft frame, outer and inner bevels and a centred caption.
class TPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr);

    void SetColour(QRgb colour);
    QRgb Colour() const { return colour_; }
    void SetBevelOuter(Bevel bevel);
    Bevel BevelOuter() const { return bevelOuter_; }
    void SetBevelInner(Bevel bevel);
    Bevel BevelInner() const { return bevelInner_; }
    void SetSoftFrame(bool soft);
    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetCaptionColour(QRgb colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRgb colour_ = ButtonFace;
    Bevel bevelOuter_ = Bevel::None;
    Bevel bevelInner_ = Bevel::None;
    bool softFrame_ = false;
    QString caption_;
    QRgb captionColour_ = 0x000000;
};

} // namespace quavix::ui
