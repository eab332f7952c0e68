#pragma once

#include <QCloseEvent>
#include <QMessageBox>

namespace quavix {

// The question before closing during a quiz. Esc answers No; dismissing the box through its close box
// lets the window close. Q_OBJECT gives the box its own words to translate; without it they were looked
// up as Qt's message box's, which has none of them.
class TConfirmBox final : public QMessageBox {
    Q_OBJECT
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
