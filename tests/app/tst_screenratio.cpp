// The window at the screen's device pixel ratio. CTest runs this at QT_SCALE_FACTOR 2 and 1.5: the canvases,
// paint boxes and pictures at that ratio, a change of ratio during a quiz, and texts that fit their controls.

#include "About.h"
#include "Artwork.h"
#include "Canvas.h"
#include "ConfirmBox.h"
#include "Controls.h"
#include "StaffView.h"
#include "WindowTestSupport.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

#include <cmath>

using namespace quavix;

namespace {

double ScaleFactor() {
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? factor : 1.0;
}

QImage ImageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage Plain(QImage image) {
    image.setDevicePixelRatio(1.0);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The colour a text control's letters stand on.
QRgb BackgroundOf(QWidget* widget) {
    if (auto* label = qobject_cast<ui::TLabel*>(widget))
        return label->Colour();
    if (auto* panel = qobject_cast<ui::TPanel*>(widget))
        return panel->Colour();
    return widget->palette().color(QPalette::Window).rgb();
}

// The logical x of the first and last column of a control's letters when it is drawn at a ratio, leaving
// out `margin` logical pixels at each side (a bevel); -1 where there are none.
std::pair<double, double> InkColumns(QWidget* widget, double ratio, int margin) {
    const QRgb background = BackgroundOf(widget);
    QImage image((QSizeF(widget->size()) * ratio).toSize(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(background | 0xFF000000);
    widget->render(&image);
    // The body of the letters, not the faint smoothing at their edges.
    auto ink = [&](QRgb pixel) {
        return std::abs(qRed(pixel) - qRed(background)) + std::abs(qGreen(pixel) - qGreen(background)) +
                   std::abs(qBlue(pixel) - qBlue(background)) >
               330;
    };
    double first = -1;
    double last = -1;
    const int edge = int(std::ceil(margin * ratio));
    for (int x = edge; x < image.width() - edge; ++x)
        for (int y = edge; y < image.height() - edge; ++y)
            if (ink(image.pixel(x, y))) {
                if (first < 0)
                    first = x / ratio;
                last = (x + 1) / ratio;
                break;
            }
    return {first, last};
}

} // namespace

class TestScreenRatio : public QObject {
    Q_OBJECT

private slots:
    void windowDrawsAtTheScreenRatio();
    void picturesAtTheScreenRatio();
    void newRatioLeavesTheQuizGoing();
    void newRatioKeepsAHeldKey();
    void textsFitTheirControls_data();
    void textsFitTheirControls();
};

void TestScreenRatio::windowDrawsAtTheScreenRatio() {
    ShownWindow window;
    const double ratio = ScaleFactor();
    QCOMPARE(RatioOf(*window), ratio);
    QCOMPARE(window->devicePixelRatioF(), ratio);
    QCOMPARE(SurfaceOf(*window, "pbxStaff").Image().devicePixelRatio(), ratio);
    // The paint boxes show their canvases' device pixels one for one.
    QTest::keyClick(window.window.get(), Qt::Key_F3);
    for (const char* name : {"pbxStaff", "pbxInstrument"}) {
        const QImage shown = Plain(ImageOf(Control<ui::TPaintBox>(*window, name)->grab()));
        const QImage drawn = Plain(SurfaceOf(*window, name).Image());
        QCOMPARE(shown.size(), drawn.size());
        QCOMPARE(shown, drawn);
    }
}

void TestScreenRatio::picturesAtTheScreenRatio() {
    ShownWindow window;
    const double ratio = ScaleFactor();
    for (int i = 0; i < 7; ++i) {
        auto* button = Control<QToolButton>(*window, qPrintable(QString("tbNote%1").arg(i)));
        const QPixmap shown = button->icon().pixmap(QSize(24, 24), ratio);
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(ImageOf(shown), Artwork::Letter(i, true, ratio));
    }
    QAction* begin = window->findChild<QAction*>("actBeginQuiz");
    QCOMPARE(ImageOf(begin->icon().pixmap(QSize(24, 24), ratio)), Artwork::ToolbarIcon(8, true, ratio));
    QCOMPARE(ImageOf(Control<QLabel>(*window, "imgTimer")->pixmap()), Artwork::Timer(ratio));
    const QPixmap icon = window->windowIcon().pixmap(QSize(32, 32), ratio);
    QCOMPARE(Plain(ImageOf(icon)), Plain(Artwork::ProgramIcon(PixelGrid(ratio).Device(32))));
    // The question before closing during a quiz shows the program's question picture, drawn for the ratio
    // rather than enlarged.
    const TConfirmBox question(window.window.get());
    QCOMPARE(question.iconPixmap().devicePixelRatio(), ratio);
    QCOMPARE(ImageOf(question.iconPixmap()), Artwork::Question(ratio));
    // The link pointer's hot spot stays on the fingertip, given in logical pixels.
    const QCursor hand = TDlgAbout::LinkCursor(ratio);
    QCOMPARE(hand.hotSpot(), Artwork::PointingHandHotSpot);
    QCOMPARE(hand.pixmap().devicePixelRatio(), ratio);
}

// Moving to a screen with another ratio redraws everything and asks the engine nothing: the note, the
// countdown and the score go on, and the next answer counts as it would have.
void TestScreenRatio::newRatioLeavesTheQuizGoing() {
    ShownWindow window;
    QuizEngine& engine = window->Engine();
    QTest::keyClick(window.window.get(), Qt::Key_Space);
    QTest::keyClick(window.window.get(), char(CurrentRow(*window).Letter - 'A' + 'a'));
    window->Engine().tmrCountTimer();
    const QuizState before = engine.State;
    const double other = ScaleFactor() == 2.0 ? 1.5 : 2.0;
    MoveToRatio(*window, other);
    QCOMPARE(RatioOf(*window), other);
    QCOMPARE(engine.State.CurrentNote, before.CurrentNote);
    QCOMPARE(engine.State.NotesLeft, before.NotesLeft);
    QCOMPARE(engine.State.Score, before.Score);
    QVERIFY(engine.State.Running);
    // The staff shows what a staff drawn afresh at the new ratio shows, the current note included.
    Canvas fresh(QSize(StaffView::Width, StaffView::Height), other);
    StaffView view(fresh, engine.CurrentSettings());
    fresh.Fill(0, 0, StaffView::Width, StaffView::Height, 0xF0F0F0);
    view.pbxStaffPaint();
    view.DrawNote(CurrentRow(*window), engine.NoteX());
    QCOMPARE(SurfaceOf(*window, "pbxStaff").Image(), fresh.Image());
    const int score = engine.State.Score;
    QTest::keyClick(window.window.get(), char(CurrentRow(*window).Letter - 'A' + 'a'));
    QVERIFY(engine.State.Score > score);
    QCOMPARE(engine.State.NotesLeft, before.NotesLeft - 1);
    QCOMPARE(ImageOf(window->findChild<QAction*>("actEndQuiz")->icon().pixmap(QSize(24, 24), other)),
             Artwork::ToolbarIcon(9, true, other));
}

void TestScreenRatio::newRatioKeepsAHeldKey() {
    ShownWindow window;
    QTest::keyClick(window.window.get(), Qt::Key_F3);
    auto* box = Control<ui::TPaintBox>(*window, "pbxInstrument");
    const QPoint point = PianoPointForLetter('C');
    MouseAt(Mouse::Press, box, point);
    const double other = ScaleFactor() == 2.0 ? 1.5 : 2.0;
    MoveToRatio(*window, other);
    // The held key's marker is drawn again at the new ratio.
    const PianoGeometry& layout = PianoLayouts[0];
    Canvas fresh(QSize(InstrumentView::Width, InstrumentView::Height), other);
    PaintPiano(fresh, layout, false);
    ShowPianoMarker(fresh, layout, PianoKeyAt(layout, InstrumentView::Width, point.x(), point.y()), true);
    QCOMPARE(SurfaceOf(*window, "pbxInstrument").Image(), fresh.Image());
    MouseAt(Mouse::Release, box, point);
    PaintPiano(fresh, layout, false);
    QCOMPARE(SurfaceOf(*window, "pbxInstrument").Image(), fresh.Image());
}

void TestScreenRatio::textsFitTheirControls_data() {
    QTest::addColumn<double>("ratio");
    for (double ratio : {1.25, 1.5, 2.0})
        QTest::newRow(qPrintable(QString("at %1").arg(ratio))) << ratio;
}

// A text that lies within its control's visible part at 1:1 stays within it at every ratio: no letter is
// cut where drawing to device pixels made the text a little wider.
void TestScreenRatio::textsFitTheirControls() {
    QFETCH(double, ratio);
    ShownWindow window;
    SteppingRandom random;
    TDlgAbout about(window.window.get(), random, true, [](int) { return true; });
    QList<QWidget*> texts;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (qobject_cast<ui::TLabel*>(widget) || qobject_cast<ui::TPanel*>(widget) ||
            qobject_cast<ui::TCountButton*>(widget))
            texts << widget;
    for (QLabel* label : about.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label;
    texts << about.findChild<QPushButton*>("cmdOK");
    int checked = 0;
    for (QWidget* widget : texts) {
        // A panel holding other controls is looked at through them.
        if (widget->isHidden() || widget->width() < 4 ||
            !widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty())
            continue;
        // Bevelled controls are looked at inside their edges.
        const int margin = qobject_cast<ui::TPanel*>(widget) || qobject_cast<QPushButton*>(widget) ? 3 : 0;
        const auto [unitFirst, unitLast] = InkColumns(widget, 1.0, margin);
        if (unitFirst < 0)
            continue;
        ++checked;
        const auto [first, last] = InkColumns(widget, ratio, margin);
        QRect visible = QRect(QPoint(0, 0), widget->size()).adjusted(margin, 0, -margin, 0);
        if (QWidget* parent = widget->parentWidget())
            visible &= QRect(widget->mapFromParent(QPoint(0, 0)), parent->size());
        const QString name = widget->objectName();
        // The control is drawn alone here, so letters that would be cut show up past the visible edge.
        if (unitFirst >= visible.left())
            QVERIFY2(first >= visible.left(), qPrintable(name + " cut on the left"));
        if (unitLast <= visible.right() + 1)
            QVERIFY2(last <= visible.right() + 1, qPrintable(name + " cut on the right"));
    }
    QVERIFY(checked > 10);
}

QTEST_MAIN(TestScreenRatio)
#include "tst_screenratio.moc"
