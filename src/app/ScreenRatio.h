#pragma once

// Drawing at the screen's own resolution: which device pixel ratio a window is shown at, the pictures made
// for it, and a watch that tells when it changes (the window moved to another screen, or the screen's
// scale changed), so everything can be drawn again at the new ratio without a restart.

#include <QCursor>
#include <QIcon>
#include <QObject>
#include <QPixmap>

class QScreen;
class QWidget;

namespace quavix {

// The ratio of the primary screen: what a window about to be shown will have.
double PrimaryScreenRatio();
// The ratio the widget is shown at (before it is shown, that of the screen it will be shown on).
double ScreenRatioOf(const QWidget* widget);

// A picture drawn for a ratio, as a pixmap that draws at its logical size.
QPixmap PixmapOf(const QImage& picture);
// A command's picture in its enabled and disabled looks.
QIcon CommandIcon(const QImage& enabled, const QImage& disabled);
// The window icon's three sizes (16, 32 and 64 logical pixels) drawn for the ratio.
QIcon WindowIcon(double ratio);
// Lays the window out at its own size and centres it on the primary screen's free area.
void CentreOnPrimaryScreen(QWidget& window);
// The pointing hand of links, drawn for the ratio, its hot spot on the fingertip.
QCursor LinkCursor(double ratio);

class TScreenRatio final : public QObject {
    Q_OBJECT
public:
    // Watches the window from now on; the ratio starts as the one it will be shown at.
    explicit TScreenRatio(QWidget* window);

    double Ratio() const { return ratio_; }
    // Reads the window's ratio again and reports it when it has changed.
    void Check();

signals:
    void ratioChanged(double ratio);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchScreen(QScreen* screen);

    QWidget* window_;
    QScreen* screen_ = nullptr;
    bool windowWatched_ = false;
    double ratio_;
};

} // namespace quavix
