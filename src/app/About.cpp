#include "About.h"

#include "Artwork.h"
#include "ColourScheme.h"
#include "ScreenRatio.h"
#include "Version.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace quavix {

namespace about {

// A rounded rectangle with a one-pixel black outline, as the address and the two badges sit on.
class TShape : public QWidget {
public:
    TShape(QWidget* parent, QRgb fill) : QWidget(parent), fill_(fill) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor::fromRgb(fill_));
        // Corners of a quarter of the width and the height, the usual look of a rounded shape.
        painter.drawRoundedRect(QRectF(0.5, 0.5, width() - 1, height() - 1), width() / 8.0, height() / 8.0);
    }

private:
    QRgb fill_;
};

} // namespace about

using about::TShape;

namespace {

QPointer<TDlgAbout> aboutDialog;

const QString ApplicationTitle = QStringLiteral("Quavix 2");
// The maker's site, without "www." so that it fits its frame in the bold face.
const QString AboutAddress = QStringLiteral("http://tonewright.example/");

// Arial and Times New Roman where they exist, their metric twins elsewhere.
QFont SansFont(int pixels, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont SerifFont(int pixels, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void SetTextColour(QWidget* widget, QRgb colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(colour));
    widget->setPalette(palette);
}

void SetBackColour(QWidget* widget, QRgb colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect bounds, const QFont& font,
                  Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(bounds);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignTop);
    // Every text here is our own; none is ever read as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Puts the override cursor back however the block is left.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

const std::array<const char*, 5> TDlgAbout::HomeOfLines = {
    QT_TR_NOOP("Home of Rhythm Rally and Scale Ladder"), QT_TR_NOOP("Home of Quavix 3"),
    QT_TR_NOOP("Home of Interval Owl and Chord Lantern"), QT_TR_NOOP("Home of Tempo Tortoise"),
    QT_TR_NOOP("Home of Clef Climber and Key Quest")};

const std::array<QRgb, 6> TDlgAbout::FlashColours = {0x000000, 0x800000, 0x000080,
                                                     0xFF0000, 0x0000FF, 0x008000};

TDlgAbout::TDlgAbout(QWidget* parent, quavix::RandomSource& random, bool richColour,
                     std::function<bool(int)> showHelpTopic)
    : QDialog(parent), random_(random), richColour_(richColour), showHelpTopic_(std::move(showHelpTopic)) {
    setObjectName("DlgAbout");
    // A fixed single border with the system menu (and its close box) only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(SansFont(12));
    SetTextColour(this, 0x000000);
    setMouseTracking(true);

    tmrFlash_ = new QTimer(this);
    tmrFlash_->setObjectName("tmrFlash");
    tmrFlash_->setInterval(FlashIntervalMs);
    connect(tmrFlash_, &QTimer::timeout, this, &TDlgAbout::tmrFlashTimer);
    tmrFlash_->start();

    CreateControls();
    FormCreate();
}

TDlgAbout::~TDlgAbout() = default;

void TDlgAbout::CreateControls() {
    // Created bottom to top: the frame lies under everything, the labels over their shapes.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setGeometry(6, 7, 413, 237);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    imgLogo = new QLabel(this);
    imgLogo->setObjectName("imgLogo");
    imgLogo->setGeometry(16, 17, 96, 96);
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setScaledContents(true);

    lblTitle = MakeLabel(this, "lblTitle", ApplicationTitle, {142, 34, 239, 55}, SerifFont(48, true));
    // Right of the title's last letter, which it would otherwise overlap.
    lblVersion = MakeLabel(this, "lblVersion", {}, {331, 40, 39, 14}, SansFont(11), Qt::AlignRight);
    lblSubtitle = MakeLabel(this, "lblSubtitle", "Tonewright Software", {174, 85, 182, 19},
                            SansFont(16, true), Qt::AlignHCenter);
    SetTextColour(lblSubtitle, 0xFF0000);

    Shape1 = new TShape(this, 0xFFFF00);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(19, 123, 76, 37);
    Label3 =
        MakeLabel(this, "Label3", tr("Come by for a visit!"), {31, 126, 52, 30}, font(), Qt::AlignHCenter);
    Label3->setWordWrap(true);

    Shape3 = new TShape(this, 0xFFFFFF);
    Shape3->setObjectName("Shape3");
    Shape3->setGeometry(97, 129, 233, 25);
    lblURL =
        MakeLabel(this, "lblURL", AboutAddress, {101, 132, 224, 19}, SansFont(16, true), Qt::AlignHCenter);
    lblURL->setToolTip(tr("Come and visit Tonewright Software on the Web"));

    Shape2 = new TShape(this, 0xFFFF00);
    Shape2->setObjectName("Shape2");
    Shape2->setGeometry(332, 123, 76, 37);
    Label8 = MakeLabel(this, "Label8", tr("Free Downloads"), {341, 126, 61, 30}, font(), Qt::AlignHCenter);
    Label8->setWordWrap(true);

    lblHomeOf = MakeLabel(this, "lblHomeOf", {}, {16, 172, 397, 19}, SansFont(16, true), Qt::AlignHCenter);
    lblCopyright =
        MakeLabel(this, "lblCopyright", tr("Copyright © 2004–2007 Tonewright Software. All rights reserved."),
                  {41, 204, 346, 14}, SansFont(11));
    lblCredits = MakeLabel(this, "lblCredits", tr("With thanks to all our beta testers"), {123, 220, 181, 14},
                           SansFont(11), Qt::AlignHCenter);

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setGeometry(340, 250, 75, 25);
    cmdOK->setDefault(true);
    cmdOK->setToolTip(tr("Return to Quavix [Enter]"));
    connect(cmdOK, &QPushButton::clicked, this, &TDlgAbout::cmdOKClick);

    // The look of the address follows the pointer wherever it moves in the dialog.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
    installEventFilter(this);
    cmdOK->setFocus();
}

void TDlgAbout::FormCreate() {
    // Disabled, so the frame is only a picture: moving over it is moving over the dialog.
    Bevel1->setEnabled(false);
    // Moved to a screen with another ratio, the logo and the pointer are drawn again for it.
    ShowPicturesAt(quavix::ScreenRatioOf(this));
    auto* screenRatio = new quavix::TScreenRatio(this);
    connect(screenRatio, &quavix::TScreenRatio::ratioChanged, this, &TDlgAbout::ShowPicturesAt);
    lblVersion->setText(quavix::FullVersion);
    setWindowTitle(tr("%1: About").arg(ApplicationTitle));
    random_.Reseed();
    ShowNextHomeOfLine();
    const QRgb back = quavix::AboutBackColour(richColour_);
    SetBackColour(this, back);
    for (QLabel* label : {lblVersion, lblTitle, lblSubtitle, lblCopyright, lblCredits})
        SetBackColour(label, back);
}

void TDlgAbout::FormShow() {
    if (!tmrFlash_->isActive())
        tmrFlash_->start();
}

void TDlgAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        // Centred on the screen, not over the main window.
        if (QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        FormShow();
    }
}

void TDlgAbout::ShowNextHomeOfLine() {
    const int line = (flashCounter_ + 1) % int(HomeOfLines.size());
    lblHomeOf->setText(tr(HomeOfLines[line]));
    SetTextColour(lblHomeOf, FlashColours[random_.RandomBelow(int(FlashColours.size()))]);
    flashCounter_ = line;
}

void TDlgAbout::tmrFlashTimer() {
    ShowNextHomeOfLine();
}

void TDlgAbout::SetLinkHot(bool hot) {
    if (hot == linkHot_)
        return;
    linkHot_ = hot;
    QFont look = lblURL->font();
    look.setBold(true);
    look.setUnderline(hot);
    lblURL->setFont(look);
    SetTextColour(lblURL, hot ? LinkHotColour : LinkColour);
}

void TDlgAbout::PointerMovedTo(QPoint globalPos) {
    // Decided by what lies under the pointer, so it does not matter which widget reported the move.
    QWidget* under = childAt(mapFromGlobal(globalPos));
    if (under == lblURL || under == Shape3)
        SetLinkHot(true);
    else if (under == lblHomeOf || under == cmdOK || (under && cmdOK->isAncestorOf(under)))
        return;
    else
        SetLinkHot(false);
}

bool TDlgAbout::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        PointerMovedTo(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonPress:
        if (watched == lblURL && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            urlPressed_ = true;
        break;
    case QEvent::MouseButtonRelease:
        if (watched == lblURL && urlPressed_ &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            urlPressed_ = false;
            // A click is a release over the address after a press on it.
            if (lblURL->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                lblURLClick();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (showHelpTopic_)
            showHelpTopic_(0);
        event->accept();
        return;
    }
    // There is no cancel button, so Esc leaves the dialog open.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TDlgAbout::lblURLClick() {
    WaitCursor wait;
    QDesktopServices::openUrl(QUrl(lblURL->text().left(MaxUrlLength)));
}

void TDlgAbout::cmdOKClick() {
    accept();
}

void TDlgAbout::ShowPicturesAt(double ratio) {
    imgLogo->setPixmap(quavix::PixmapOf(quavix::Artwork::Logo(ratio)));
    lblURL->setCursor(LinkCursor(ratio));
}

QCursor TDlgAbout::LinkCursor(double ratio) {
    return quavix::LinkCursor(ratio);
}

void ShowAbout(QWidget* mainWindow, RandomSource& random, bool richColour,
               const std::function<bool(int)>& showHelpTopic) {
    if (aboutDialog) {
        aboutDialog->activateWindow();
        return;
    }
    // Built anew at every opening and freed by its parent's rules when it closes, however the modal run
    // ends; the reference clears itself then.
    auto* dialog = new TDlgAbout(mainWindow, random, richColour, showHelpTopic);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    aboutDialog = dialog;
    // Modal over the main window only, so a help window opened from here stays usable.
    dialog->setWindowModality(mainWindow ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->exec();
}

TDlgAbout* OpenAboutDialog() {
    return aboutDialog.data();
}

} // namespace quavix
