#pragma once

#include <QWidget>

namespace quavix::ui {

// The divider between groups of tool buttons.
class TToolSeparator final : public QWidget {
    Q_OBJECT
public:
    explicit TToolSeparator(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quavix::ui
