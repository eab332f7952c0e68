// The main window as a user meets it: its controls, their places and descriptions, hints that fit (that
// every text fits its control, in each language, is tst_translations'), the height of each answer control,
// the Close panel, the level slider, closing during a quiz, the colour schemes and the start-up.

#include "Artwork.h"
#include "ColourScheme.h"
#include "Controls.h"
#include "WindowTestSupport.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace quavix;

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    // Every area of the window tells what it is for, in the status bar and to a screen reader.
    void controlsDescribeThemselves_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("help");
        QTest::newRow("tbarOptions") << "tbarOptions" << 108;
        QTest::newRow("pbxStaff") << "pbxStaff" << 101;
        QTest::newRow("pnlCount") << "pnlCount" << 106;
        QTest::newRow("tbarNotes") << "tbarNotes" << 102;
        QTest::newRow("pnlScoreboard") << "pnlScoreboard" << 107;
        QTest::newRow("pnlLevel") << "pnlLevel" << 105;
        QTest::newRow("pnlClose") << "pnlClose" << 0;
        QTest::newRow("tbEndQuiz") << "tbEndQuiz" << 14;
    }

    void controlsDescribeThemselves() {
        QFETCH(QString, name);
        QFETCH(int, help);
        ShownWindow window;
        QWidget* control = Control(*window, qPrintable(name));
        QVERIFY(control);
        QCOMPARE(control->property("helpContext").toInt(), help);
        QVERIFY(!control->accessibleName().isEmpty());
        if (name != "tbarOptions")
            QCOMPARE(control->accessibleDescription(), control->property("hint").toString());
    }

    // The controls of the client area lie inside it and none covers another: a control placed over its
    // neighbour would hide it or take its clicks.
    void controlsDoNotOverlap() {
        ShownWindow window;
        for (Qt::Key modeKey : {Qt::Key_F2, Qt::Key_F3}) {
            QTest::keyClick(window.window.get(), modeKey);
            QWidget* client = window->centralWidget();
            QList<QWidget*> shown;
            for (QWidget* child : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisibleTo(client))
                    shown << child;
            for (int i = 0; i < shown.size(); ++i) {
                QVERIFY2(client->rect().contains(shown[i]->geometry()), qPrintable(shown[i]->objectName()));
                for (int j = i + 1; j < shown.size(); ++j)
                    QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                             qPrintable(shown[i]->objectName() + " and " + shown[j]->objectName()));
            }
        }
    }

    // Every hint shows whole on one line of the status bar, across the window.
    void everyHintFitsTheStatusBar() {
        ShownWindow window;
        auto* bar = Control<ui::TStatusBar>(*window, "sbHints");
        QStringList hints;
        for (const QWidget* control : window->findChildren<QWidget*>())
            hints << control->property("hint").toString();
        for (const QAction* action : window->findChildren<QAction*>())
            hints << action->property("hint").toString();
        hints.removeAll(QString());
        QVERIFY(hints.size() >= 15);
        const QFontMetrics metrics(bar->font());
        for (const QString& hint : hints)
            QVERIFY2(metrics.horizontalAdvance(hint) <= bar->TextRect().width(), qPrintable(hint));
        // And so it is drawn: the longest hint's last letter reaches the bar, not beyond its edge.
        const QString longest =
            *std::max_element(hints.begin(), hints.end(), [&](const QString& a, const QString& b) {
                return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
            });
        bar->showMessage(longest);
        const QImage picture = bar->grab().toImage();
        const QRgb background = bar->palette().color(QPalette::Window).rgb();
        const int end = bar->TextRect().left() + metrics.horizontalAdvance(longest);
        bool inkNearTheEnd = false;
        for (int x = end - 6; x < end; ++x)
            for (int y = 0; y < picture.height(); ++y)
                inkNearTheEnd |= picture.pixel(x, y) != background && qGray(picture.pixel(x, y)) < 100;
        QVERIFY(inkNearTheEnd);
    }

    // Screen readers hear the words of each menu item; its key is the accessible shortcut.
    void accessibleNamesHoldTheWordsOnly() {
        ShownWindow window;
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) {
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(menu);
            QVERIFY(list);
            for (int i = 0; i < list->childCount(); ++i) {
                const QString name = list->child(i)->text(QAccessible::Name);
                QVERIFY2(!name.contains('\t') && !name.contains('&') && !name.contains("F1"),
                         qPrintable(name));
            }
        }
        QAction* contents = window->findChild<QAction*>("miHelpContents");
        QMenu* help = window->findChild<QMenu*>("mnuHelp");
        QAccessibleInterface* item =
            QAccessible::queryAccessibleInterface(help)->child(int(help->actions().indexOf(contents)));
        QCOMPARE(item->text(QAccessible::Name), QString("Contents"));
        QCOMPARE(QKeySequence(item->text(QAccessible::Accelerator)), QKeySequence(Qt::Key_F1));
    }

    void windowIsFixedAndCaptioned() {
        ShownWindow window;
        QCOMPARE(window->windowTitle(), QString("Quavix 2"));
        QCOMPARE(window->objectName(), QString("FormQX25"));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->font().pixelSize(), 16);
        QVERIFY(!Control(*window, "pnlInstrument")->isVisible());
        QCOMPARE(Control(*window, "pnlInstrument")->y(), 212);
    }

    void inputModesChangeTheHeight() {
        ShownWindow window;
        QWidget* client = window->centralWidget();
        const int frameHeight = window->height() - client->height();
        const auto expectHeight = [&](int height) {
            QCOMPARE(client->height(), height);
            QCOMPARE(window->height(), height + frameHeight);
            const int change = height - 380;
            QCOMPARE(Control(*window, "pnlScoreboard")->y(), 270 + change);
            QCOMPARE(Control(*window, "pnlLevel")->y(), 312 + change);
            QCOMPARE(Control(*window, "pnlClose")->y(), 307 + change);
            QCOMPARE(Control(*window, "sbHints")->y(), 350 + change);
        };
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        expectHeight(447);
        QVERIFY(Control(*window, "pnlInstrument")->isVisible());
        QVERIFY(!Control(*window, "tbarNotes")->isVisible());
        QCOMPARE(Control(*window, "pnlInstrument")->property("helpContext").toInt(), 103);
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        expectHeight(447);
        QCOMPARE(Control(*window, "pnlInstrument")->property("helpContext").toInt(), 104);
        QTest::keyClick(window.window.get(), Qt::Key_F2);
        expectHeight(380);
        QVERIFY(!Control(*window, "pnlInstrument")->isVisible());
        QVERIFY(Control(*window, "tbarNotes")->isVisible());
    }

    void closePanelFollowsTheMouse() {
        ShownWindow window; // a rich screen: the Close panel rests in the window's colour
        auto* close = Control<ui::TClosePanel>(*window, "pnlClose");
        MouseAt(Mouse::Move, Control(*window, "pnlLevel"), QPoint(5, 5));
        MouseAt(Mouse::Move, close, QPoint(10, 10));
        QCOMPARE(close->BevelInner(), ui::Bevel::Raised);
        MouseAt(Mouse::Move, close, QPoint(20, 12));
        QCOMPARE(close->Colour(), CloseHoverColour(true));

        MouseAt(Mouse::Press, close, QPoint(20, 12));
        QCOMPARE(close->BevelInner(), ui::Bevel::Lowered);
        QCOMPARE(close->BevelOuter(), ui::Bevel::Lowered);
        // Dragged off while held: back to the resting colour, and releasing there closes nothing.
        MouseAt(Mouse::Move, close, QPoint(-30, 12));
        QCOMPARE(close->Colour(), QRgb(0xF0F0F0));
        MouseAt(Mouse::Release, close, QPoint(-30, 12));
        QCOMPARE(close->BevelOuter(), ui::Bevel::Raised);
        QVERIFY(window->isVisible());
        // Leaving it for good takes the inner bevel away.
        MouseAt(Mouse::Move, Control(*window, "pnlLevel"), QPoint(5, 5));
        QCOMPARE(close->BevelInner(), ui::Bevel::None);

        // A click on it closes the window.
        MouseAt(Mouse::Move, close, QPoint(20, 12));
        MouseAt(Mouse::Click, close, QPoint(20, 12));
        QVERIFY(!window->isVisible());
    }

    void closingAsksOnlyDuringAQuiz_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<bool>("closes");
        QTest::newRow("idle") << false << "" << 0 << true;
        QTest::newRow("quiz, Yes") << true << "yes" << 1 << true;
        QTest::newRow("quiz, No") << true << "no" << 1 << false;
        QTest::newRow("quiz, Esc") << true << "esc" << 1 << false;
        QTest::newRow("quiz, close box") << true << "closebox" << 1 << true;
    }

    void closingAsksOnlyDuringAQuiz() {
        QFETCH(bool, running);
        QFETCH(QString, answer);
        QFETCH(int, boxes);
        QFETCH(bool, closes);
        ShownWindow window;
        if (running)
            QTest::keyClick(window.window.get(), Qt::Key_Space);
        ModalWatcher watcher;
        watcher.respond = [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            // The program's own question picture, drawn for the screen.
            QCOMPARE(box->iconPixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                     Artwork::Question(box->devicePixelRatioF()));
            QCOMPARE(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
            if (answer == "yes")
                box->button(QMessageBox::Yes)->click();
            else if (answer == "no")
                box->button(QMessageBox::No)->click();
            else if (answer == "esc")
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        };
        const bool closed = window->close();
        QCOMPARE(watcher.boxes.size(), boxes);
        if (boxes) {
            QCOMPARE(watcher.boxes[0].title, QString("Confirm"));
            QCOMPARE(watcher.boxes[0].text, QString("Quiz in progress. Really quit?"));
        }
        QCOMPARE(closed, closes);
        QCOMPARE(window->isVisible(), !closes);
        if (!closes)
            QVERIFY(window->Engine().State.Running);
    }

    void colourSchemes_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QRgb>("window");
        QTest::addColumn<QRgb>("statusBar");
        QTest::addColumn<QRgb>("maxScore");
        QTest::addColumn<QRgb>("thumb");
        QTest::addColumn<QRgb>("closePanel");
        QTest::newRow("rich") << 32 << QRgb(0xF0F0F0) << QRgb(0xF0F0F0) << QRgb(0xFF2828) << QRgb(0x88C0FF)
                              << QRgb(0xF0F0F0);
        QTest::newRow("256 colours") << 8 << QRgb(0xC0C0C0) << QRgb(0xC0C0C0) << QRgb(0xFF0000)
                                     << QRgb(0x00FFFF) << QRgb(0xC0C0C0);
        // The low scheme recolours nothing: the design colours stay.
        QTest::newRow("16 colours") << 4 << QRgb(0xF0F0F0) << QRgb(0x008000) << QRgb(0x000000)
                                    << QRgb(0xC0C0C0) << QRgb(0xF0F0F0);
    }

    void colourSchemes() {
        QFETCH(int, depth);
        QFETCH(QRgb, window);
        QFETCH(QRgb, statusBar);
        QFETCH(QRgb, maxScore);
        QFETCH(QRgb, thumb);
        QFETCH(QRgb, closePanel);
        ShownWindow shown(depth);
        QCOMPARE(shown->centralWidget()->palette().color(QPalette::Window).rgb() & 0xFFFFFF, window);
        QCOMPARE(Control(*shown, "sbHints")->palette().color(QPalette::Window).rgb() & 0xFFFFFF, statusBar);
        QCOMPARE(Control<ui::TPanel>(*shown, "pnlMaxScore")->Colour(), maxScore);
        QCOMPARE(Control<ui::TLevelSlider>(*shown, "trkLevel")->ThumbColour(), thumb);
        QCOMPARE(Control<ui::TPanel>(*shown, "pnlClose")->Colour(), closePanel);
        // The staff clears with the scheme's background in every scheme.
        const QImage staff = Control(*shown, "pbxStaff")->grab().toImage();
        QCOMPARE(staff.pixel(150, 80) & 0xFFFFFF, depth > 8 ? QRgb(0xF0F0F0) : QRgb(0xC0C0C0));
        // Right of the closing bar line the window shows, in its own colour.
        QCOMPARE(staff.pixel(285, 80) & 0xFFFFFF, window);
        // The score is coloured only on a rich screen.
        QTest::keyClick(shown.window.get(), Qt::Key_Space);
        QCOMPARE(Control<ui::TPanel>(*shown, "pnlScore")->Colour(),
                 depth > 8 ? QRgb(0x282828) : QRgb(0x646464));
    }

    void levelSlider() {
        ShownWindow window;
        auto* slider = Control<ui::TLevelSlider>(*window, "trkLevel");
        // A click on the track right of the thumb moves one page.
        MouseAt(Mouse::Click, slider, QPoint(slider->width() - 10, slider->height() / 2));
        QCOMPARE(window->Engine().CurrentSettings().Level, 3);
        // Dragging the thumb to the far end.
        const QPoint thumb = slider->ThumbRect().center();
        MouseAt(Mouse::Press, slider, thumb);
        MouseAt(Mouse::Move, slider, QPoint(slider->width() + 50, thumb.y()));
        MouseAt(Mouse::Release, slider, QPoint(slider->width() + 50, thumb.y()));
        QCOMPARE(window->Engine().CurrentSettings().Level, MaxLevel);
        QCOMPARE(slider->value(), MaxLevel);
    }

    void startUpFailureShowsOneBox() {
        // A screen that reports no colour depth cannot be drawn for: the colour step fails for real.
        ModalWatcher watcher;
        SteppingRandom random;
        TFormQX25::Options options;
        options.colourDepth = -1;
        options.random = &random;
        TFormQX25 window(options);
        QVERIFY(window.StartupFailed());
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QString("Quavix 2"));
        QCOMPARE(watcher.boxes[0].text,
                 QString("Quavix 2 encountered a problem on start-up: the screen reports a "
                         "colour depth of -1 bits"));
        QVERIFY(!window.isVisible());
        // The steps after the failing one did not run: no level was set and no note table built.
        QCOMPARE(window.Engine().Table[0], NoteEntry{});
    }

    void startUpEndsIdle() {
        SteppingRandom random;
        TFormQX25::Options options;
        options.random = &random;
        TFormQX25 window(options);
        QVERIFY(!window.StartupFailed());
        QVERIFY(!window.Engine().State.Running);
        QCOMPARE(window.Engine().CurrentSettings().Level, 1);
        QVERIFY(!Control(window, "cmdCount")->isVisibleTo(&window));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
