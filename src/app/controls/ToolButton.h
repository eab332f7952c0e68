#pragma once

#include <QToolButton>

namespace quavix::ui {

class TToolBar;

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

} // namespace quavix::ui
