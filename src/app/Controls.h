#pragma once

// The small widget kinds the main window is built from: bevelled panels, paint boxes over a Canvas, the
// gradient tool bars with their flat buttons, the Close panel, the countdown button and the level slider.
// Each paints itself so the window looks the same on every platform style.

#include "Canvas.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QWidget>

#include <optional>

namespace quavix::ui {

enum class Bevel { None, Lowered, Raised };

// Fixed 3D edge colours, those of the classic button face.
constexpr QRgb EdgeHighlight = 0xFFFFFF;
constexpr QRgb EdgeShadow = 0xA0A0A0;
constexpr QRgb EdgeDarkShadow = 0x696969;
constexpr QRgb ButtonFace = 0xF0F0F0;
constexpr QRgb SystemWindow = 0xFFFFFF; // the system's "window" colour: the background of text areas

// Draws a one-pixel 3D edge just inside rect and returns the rect inside it.
QRect DrawBevel(class QPainter& painter, const QRect& rect, Bevel bevel);

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

// A paint box: the surface a view draws on (a Canvas of its own, at the screen's resolution), shown on
// screen part by part as it changes.
class TPaintBox final : public QWidget {
    Q_OBJECT
public:
    // A surface of the given logical size, drawn for the device pixel ratio.
    TPaintBox(QSize size, double ratio, QWidget* parent = nullptr);

    Canvas& Surface() { return canvas_; }
    const Canvas& Surface() const { return canvas_; }
    // Asks for a repaint of what was drawn on the canvas since the last call.
    void Flush();

signals:
    void mousePressed(QPoint point);
    void mouseMoved(QPoint point);
    void mouseReleased(QPoint point);
    // The box is shown at another device pixel ratio than its canvas was drawn for.
    void ratioDiffers();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Canvas canvas_;
};

// A tool bar: a plain, gradient or transparent background with optional 3D edges. Its buttons read the
// hot-track settings from it.
class TToolBar final : public QWidget {
    Q_OBJECT
public:
    explicit TToolBar(QWidget* parent = nullptr);

    void SetTransparent(bool transparent);
    void SetEdges(Bevel outer);
    int EdgeWidth() const { return edgeOuter_ == Bevel::None ? 0 : 1; }
    // Start and end of the gradient; without an end colour the bar is flat in the button face colour.
    void SetGradient(std::optional<QRgb> endColour, QRgb startColour);
    void SetHotTrack(bool on, QRgb colour);
    bool HotTrack() const { return hotTrack_; }
    QRgb HotTrackColour() const { return hotTrackColour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool transparent_ = false;
    Bevel edgeOuter_ = Bevel::None;
    QRgb gradientStart_ = SystemWindow;
    std::optional<QRgb> gradientEnd_;
    bool hotTrack_ = false;
    QRgb hotTrackColour_ = 0xC0C0C0;
};

// A flat button of a TToolBar: its icon (enabled or disabled picture), highlighted under the mouse, sunken
// while pressed or checked.
class TToolButton final : public QToolButton {
    Q_OBJECT
public:
    explicit TToolButton(TToolBar* bar);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TToolBar* bar_;
};

// The divider between groups of tool buttons.
class TToolSeparator final : public QWidget {
    Q_OBJECT
public:
    explicit TToolSeparator(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The Close panel: a soft-framed panel acting as a button. Its inner bevel rises under the pointer, it
// takes its hover colour while the pointer is over it, sinks while pressed, and clicks when the left button
// is released over it after a press on it.
class TClosePanel final : public TPanel {
    Q_OBJECT
public:
    explicit TClosePanel(QWidget* parent = nullptr);

    // The colour it returns to and the one it shows under the pointer.
    void SetColours(QRgb resting, QRgb hover);

    void pnlCloseMouseEnter();
    void pnlCloseMouseLeave();
    void pnlCloseMouseMove(QPoint point);
    void pnlCloseMouseDown();
    void pnlCloseMouseUp();

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool leftPressed_ = false;
    QRgb restingColour_ = ButtonFace;
    QRgb hoverColour_ = ButtonFace;
};

// The countdown number: a flat, frameless, transparent button that shows only its caption.
class TCountButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit TCountButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The level slider: a plain track and a square thumb that shows the value. Dragging the thumb follows the
// pointer; a click on the track moves one page towards the click.
class TLevelSlider final : public QAbstractSlider {
    Q_OBJECT
public:
    static constexpr int ThumbSize = 24;

    explicit TLevelSlider(QWidget* parent = nullptr);

    void SetColour(QRgb colour);
    QRgb Colour() const { return colour_; }
    void SetThumbColour(QRgb colour);
    QRgb ThumbColour() const { return thumbColour_; }
    // The thumb's rectangle for the current value.
    QRect ThumbRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ThumbLeftFor(int value) const;
    int ValueForThumbLeft(int left) const;
    int TrackSpan() const;

    QRgb colour_ = ButtonFace;
    QRgb thumbColour_ = 0x88C0FF;
    int grabOffset_ = -1; // where the thumb was taken, -1 while not dragging
};

// The status bar: one simple panel, sunken, showing the current message on the bar's own colour.
class TStatusBar final : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int HintPixelSize = 12;
    static constexpr int TextMargin = 2;

    explicit TStatusBar(QWidget* parent = nullptr);
    // Where the message is drawn: inside the sunken edge, less a small margin on either side.
    QRect TextRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quavix::ui
