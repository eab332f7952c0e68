#include "ScreenRatio.h"

#include "Artwork.h"
#include "artwork/PixelGrid.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace quavix {

double PrimaryScreenRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

double ScreenRatioOf(const QWidget* widget) {
    return widget ? widget->devicePixelRatioF() : PrimaryScreenRatio();
}

QPixmap PixmapOf(const QImage& picture) {
    // The pixmap keeps the picture's ratio, so it is drawn at its logical size, pixel for pixel.
    return QPixmap::fromImage(picture);
}

QIcon CommandIcon(const QImage& enabled, const QImage& disabled) {
    QIcon icon;
    icon.addPixmap(PixmapOf(enabled), QIcon::Normal);
    icon.addPixmap(PixmapOf(disabled), QIcon::Disabled);
    return icon;
}

QIcon WindowIcon(double ratio) {
    QIcon icon;
    const PixelGrid grid(ratio);
    for (int size : {16, 32, 64}) {
        QPixmap pixmap = PixmapOf(Artwork::ProgramIcon(grid.Device(size)));
        pixmap.setDevicePixelRatio(ratio);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void CentreOnPrimaryScreen(QWidget& window) {
    if (window.layout())
        window.layout()->activate();
    window.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
}

QCursor LinkCursor(double ratio) {
    // The hot spot is given in logical pixels; Qt finds its device pixel from the pixmap's ratio.
    return QCursor(PixmapOf(Artwork::PointingHand(ratio)), Artwork::PointingHandHotSpot.x(),
                   Artwork::PointingHandHotSpot.y());
}

TScreenRatio::TScreenRatio(QWidget* window)
    : QObject(window), window_(window), ratio_(ScreenRatioOf(window)) {
    window_->installEventFilter(this);
}

void TScreenRatio::Check() {
    if (!windowWatched_) {
        if (QWindow* handle = window_->windowHandle()) {
            windowWatched_ = true;
            connect(handle, &QWindow::screenChanged, this, [this](QScreen* screen) {
                WatchScreen(screen);
                Check();
            });
            WatchScreen(handle->screen());
        }
    }
    const double ratio = window_->devicePixelRatioF();
    if (std::abs(ratio - ratio_) < 1e-6)
        return;
    ratio_ = ratio;
    emit ratioChanged(ratio);
}

void TScreenRatio::WatchScreen(QScreen* screen) {
    if (screen == screen_)
        return;
    if (screen_)
        disconnect(screen_, nullptr, this, nullptr);
    screen_ = screen;
    if (!screen_)
        return;
    // A screen's scale changes with its resolution (logical dots per inch); its geometry follows.
    connect(screen_, &QScreen::logicalDotsPerInchChanged, this, &TScreenRatio::Check);
    connect(screen_, &QScreen::physicalDotsPerInchChanged, this, &TScreenRatio::Check);
    connect(screen_, &QScreen::geometryChanged, this, &TScreenRatio::Check);
}

bool TScreenRatio::eventFilter(QObject* watched, QEvent* event) {
    // Qt tells a widget of a new screen (or a new ratio on it) with this internal event; showing the
    // window gives it the native window to watch.
    if (watched == window_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal))
        Check();
    return QObject::eventFilter(watched, event);
}

} // namespace quavix
