#pragma once

#include <QAbstractButton>

namespace quavix::ui {

// The countdown number: a flat, frameless, transparent button that shows only its caption.
class TCountButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit TCountButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quavix::ui
