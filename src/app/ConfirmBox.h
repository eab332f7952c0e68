#pragma once

#include <QCloseEvent>
#include <QMessageBox>

namespace quavix {

// The question before closing during a quiz. Esc answers No; dismissing the box through its close box
// lets the window close.
class TConfirmBox final : public QMessageBox {
    Q_OBJECT // its own words, not those of Qt's message box
public:
    explicit TConfirmBox(QWidget* parent)
        : QMessageBox(QMessageBox::Question, tr("Confirm"), tr("Quiz in progress. Really quit?"),
                      QMessageBox::Yes | QMessageBox::No, parent) {
        setObjectName(QStringLiteral("ConfirmBox"));
        setDefaultButton(QMessageBox::Yes);
        setEscapeButton(QMessageBox::No);
    }
    bool ClosedByCloseBox() const { return closedByCloseBox_; }
    // Whether the answer lets the window close.
    bool MayClose() const { return closedByCloseBox_ || clickedButton() != button(QMessageBox::No); }

protected:
    void closeEvent(QCloseEvent* event) override {
        closedByCloseBox_ = true;
        QMessageBox::closeEvent(event);
    }

private:
    bool closedByCloseBox_ = false;
};

} // namespace quavix
