#pragma once

#include "Artwork.h"
#include "ScreenRatio.h"

#include <QCloseEvent>
#include <QMessageBox>

namespace quavix {

// The question before closing during a quiz, with the program's own question picture, drawn for the
// screen's ratio (Qt's would be enlarged from a small bitmap where no icon theme is installed). Esc answers
// No; dismissing the box through its close box lets the window close. Q_OBJECT gives the box its own words to
// translate; without it they were looked up as Qt's message box's, which has none of them.
class TConfirmBox final : public QMessageBox {
    Q_OBJECT
public:
    explicit TConfirmBox(QWidget* parent)
        : QMessageBox(QMessageBox::Question, tr("Confirm"), tr("Quiz in progress. Really quit?"),
                      QMessageBox::Yes | QMessageBox::No, parent) {
        setObjectName(QStringLiteral("ConfirmBox"));
        setIconPixmap(PixmapOf(Artwork::Question(ScreenRatioOf(parent))));
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
