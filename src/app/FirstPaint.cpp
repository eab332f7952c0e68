#include "FirstPaint.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace quavix {

namespace {

class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget* painted, QObject* context, std::function<void()> work)
        : QObject(context), painted_(painted), work_(std::move(work)) {
        painted_->installEventFilter(this);
    }
    ~FirstPaintWatch() override {
        if (painted_)
            painted_->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == painted_ && event->type() == QEvent::Paint) {
            painted_->removeEventFilter(this);
            painted_ = nullptr;
            // After the paint has reached the screen, not in the middle of it.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const std::function<void()> work = std::move(work_);
                    deleteLater();
                    work();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> painted_;
    std::function<void()> work_;
};

} // namespace

void RunAfterFirstPaint(QWidget* painted, QObject* context, std::function<void()> work) {
    new FirstPaintWatch(painted, context, std::move(work));
}

} // namespace quavix
