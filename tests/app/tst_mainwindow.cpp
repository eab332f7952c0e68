// The main window as a user meets it: its controls and their places, the input-mode switches with the
// window's height, the commands' marks and locks, the keyboard, the status-bar hints with F1, the Close
// panel, closing during a quiz, the colour schemes and a failing start-up.

#include "ColourScheme.h"
#include "Controls.h"
#include "HintsAndKeys.h"
#include "UrlCatcher.h"
#include "WindowTestSupport.h"

#include <QAccessible>
#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolTip>
#include <QUrl>
#include <QtTest>

#include <stdexcept>

using namespace quavix;

namespace {

// Counts events of one type reaching a widget (after the application's filters have had their say).
class EventCounter : public QObject {
public:
    EventCounter(QObject* target, QEvent::Type type) : type_(type) { target->installEventFilter(this); }
    int count = 0;
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) {
            ++count;
            if (type_ == QEvent::KeyPress)
                keys.append(static_cast<QKeyEvent*>(event)->key());
        }
        return false;
    }

private:
    QEvent::Type type_;
};

QStringList EnabledCommands(const TFormQX25& window) {
    QStringList names;
    for (const char* name : {"actNoteButtons", "actPianoKeys", "actGuitar", "actTrebleNotes", "actBassNotes",
                             "actAllNotes", "actSingleOctave", "actFullRange", "actBeginQuiz", "actEndQuiz"})
        if (window.findChild<QAction*>(name)->isEnabled())
            names << name;
    return names;
}

QStringList CheckedCommands(const TFormQX25& window) {
    QStringList names;
    for (const char* name : {"actNoteButtons", "actPianoKeys", "actGuitar", "actTrebleNotes", "actBassNotes",
                             "actAllNotes", "actSingleOctave", "actFullRange", "actBeginQuiz", "actEndQuiz"})
        if (window.findChild<QAction*>(name)->isChecked())
            names << name;
    return names;
}

QString StatusText(const TFormQX25& window) {
    return Control<QStatusBar>(window, "sbHints")->currentMessage();
}

void Hover(QWidget* widget) {
    MouseAt(Mouse::Move, widget, widget->rect().center());
}

} // namespace

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

    // Every label and caption shows whole: its text, in its own font, fits inside its bounds (and inside
    // its parent, which would cut off what reaches beyond it).
    void everyTextFitsItsBounds() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        const auto fits = [](const QWidget* control, const QString& text, int room) {
            const int needed = QFontMetrics(control->font()).horizontalAdvance(text);
            const bool inside = control->parentWidget()->rect().contains(control->geometry());
            return needed <= room && inside;
        };
        for (const ui::TLabel* label : window->findChildren<ui::TLabel*>())
            QVERIFY2(fits(label, label->Text(), label->width()), qPrintable(label->objectName()));
        // Panels draw their caption inside their frame and bevels; the score shows up to three digits.
        for (const ui::TPanel* panel : window->findChildren<ui::TPanel*>()) {
            const QString caption = panel->objectName() == "pnlScore" ? QString("200") : panel->Caption();
            QVERIFY2(fits(panel, caption, panel->width() - 4), qPrintable(panel->objectName()));
        }
        auto* counter = Control<QAbstractButton>(*window, "cmdCount");
        QVERIFY(fits(counter, "12", counter->width()));
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

    // Once the menu bar has been used from the keyboard it keeps the focus; typed letters must still be
    // answers (or nothing), never its menus' accelerators, while Alt+letter and the mouse open menus.
    void typedLettersNeverOpenMenus_data() {
        QTest::addColumn<int>("use");
        QTest::newRow("menu opened by the mouse, closed with Esc") << 0;
        QTest::newRow("Alt pressed and released alone") << 1;
        QTest::newRow("Alt+G, then E") << 2;
    }

    void typedLettersNeverOpenMenus() {
        QFETCH(int, use);
        ShownWindow window;
        QMenuBar* bar = window->menuBar();
        QWindow* handle = window->windowHandle();
        if (use == 0) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        } else if (use == 1) {
            QTest::keyPress(handle, Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(handle, Qt::Key_Alt);
        } else {
            // End the quiz from the keyboard.
            window->Engine().BeginQuiz();
            QTest::keyClick(handle, Qt::Key_G, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_E);
            QTRY_VERIFY(!window->Engine().State.Running);
        }
        QTRY_VERIFY(!QApplication::activePopupWidget());
        window.Activate();

        // Idle: "o", "h" and "g" do nothing, and no menu opens.
        for (char typed : {'o', 'h', 'g'}) {
            QTest::keyClick(handle, typed);
            QVERIFY2(!QApplication::activePopupWidget(), &typed);
        }
        // During a quiz a typed letter is an answer.
        window->Engine().BeginQuiz();
        const char asked = CurrentRow(*window).Letter;
        const char wrong = asked == 'G' ? 'A' : 'G';
        QTest::keyClick(handle, char(wrong - 'A' + 'a'));
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(PopUpShown(*window));
        // Alt+letter still opens its menu.
        QTest::keyClick(handle, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QString("mnuOptions"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
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

    void guitarForcesTrebleAndFullRange() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F6);
        QCOMPARE(SettingsOf(*window).StaffChoice, std::uint8_t(BassStaff));
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        QCOMPARE(SettingsOf(*window).StaffChoice, std::uint8_t(TrebleStaff));
        QVERIFY(SettingsOf(*window).FullRange);
        QCOMPARE(CheckedCommands(*window), QStringList({"actGuitar", "actTrebleNotes", "actFullRange"}));
        QCOMPARE(window->Engine().Table[0].Letter, GuitarLetters[0]);
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QCOMPARE(KeyboardLayoutFor(SettingsOf(*window)), std::uint8_t(1));
        QCOMPARE(window->Engine().Table[0].Letter, StaffLetters[0]);
    }

    void commandStatesInEverySituation_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("modeKey");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<bool>("slider");
        const QStringList inputTypes{"actNoteButtons", "actPianoKeys", "actGuitar"};
        const QStringList staves{"actTrebleNotes", "actBassNotes", "actAllNotes"};
        const QStringList ranges{"actSingleOctave", "actFullRange"};
        QTest::newRow("idle, note buttons")
            << false << int(Qt::Key_F2) << inputTypes + staves + QStringList{"actBeginQuiz"}
            << QStringList{"actNoteButtons", "actTrebleNotes"} << true;
        QTest::newRow("idle, piano") << false << int(Qt::Key_F3)
                                     << inputTypes + staves + ranges + QStringList{"actBeginQuiz"}
                                     << QStringList{"actPianoKeys", "actTrebleNotes", "actSingleOctave"}
                                     << true;
        QTest::newRow("idle, guitar") << false << int(Qt::Key_F4) << inputTypes + QStringList{"actBeginQuiz"}
                                      << QStringList{"actGuitar", "actTrebleNotes", "actFullRange"} << true;
        QTest::newRow("quiz, note buttons")
            << true << int(Qt::Key_F2) << QStringList{"actNoteButtons", "actPianoKeys", "actEndQuiz"}
            << QStringList{"actNoteButtons", "actTrebleNotes"} << false;
        QTest::newRow("quiz, piano") << true << int(Qt::Key_F3)
                                     << QStringList{"actNoteButtons", "actPianoKeys"} + ranges +
                                            QStringList{"actEndQuiz"}
                                     << QStringList{"actPianoKeys", "actTrebleNotes", "actSingleOctave"}
                                     << false;
        QTest::newRow("quiz, guitar") << true << int(Qt::Key_F4) << QStringList{"actGuitar", "actEndQuiz"}
                                      << QStringList{"actGuitar", "actTrebleNotes", "actFullRange"} << false;
    }

    void commandStatesInEverySituation() {
        QFETCH(bool, running);
        QFETCH(int, modeKey);
        QFETCH(QStringList, enabled);
        QFETCH(QStringList, checked);
        QFETCH(bool, slider);
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key(modeKey));
        if (running)
            QTest::keyClick(window.window.get(), Qt::Key_Space);
        QCOMPARE(EnabledCommands(*window), enabled);
        QCOMPARE(CheckedCommands(*window), checked);
        QCOMPARE(Control(*window, "trkLevel")->isEnabled(), slider);
        // The tool buttons show their commands' states.
        QCOMPARE(Control(*window, "tbBeginQuiz")->isEnabled(), !running);
        QCOMPARE(Control<QToolButton>(*window, "tbGuitar")->isChecked(), checked.contains("actGuitar"));
    }

    void guitarLocksTheStavesAfterItsQuiz() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        QTest::keyClick(window.window.get(), Qt::Key_Return);
        QVERIFY(!window->Engine().State.Running);
        QTest::keyClick(window.window.get(), Qt::Key_F6);
        QCOMPARE(SettingsOf(*window).StaffChoice, std::uint8_t(TrebleStaff));
        QCOMPARE(EnabledCommands(*window),
                 QStringList({"actNoteButtons", "actPianoKeys", "actGuitar", "actBeginQuiz"}));
    }

    void disabledShortcutsAreSwallowed() {
        ShownWindow window;
        QWidget* focus = window->focusWidget() ? window->focusWidget() : window.window.get();
        EventCounter windowKeys(window.window.get(), QEvent::KeyPress);
        EventCounter focusKeys(focus, QEvent::KeyPress);

        // Enter outside a quiz: nothing happens and nothing receives the key.
        QTest::keyClick(window.window.get(), Qt::Key_Return);
        QVERIFY(!window->Engine().State.Running);
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        QVERIFY(window->Engine().State.Running);
        const QuizState before = window->Engine().State;
        // Space during a quiz: the same.
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        QCOMPARE(window->Engine().State.NotesLeft, before.NotesLeft);
        QCOMPARE(window->Engine().State.CurrentNote, before.CurrentNote);
        QVERIFY(!PopUpShown(*window));
        QCOMPARE(windowKeys.count, 0);
        QCOMPARE(focusKeys.count, 0);
    }

    void typedCharacters_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("judged");
        QTest::newRow("plus idle") << false << "+" << 2 << false;
        QTest::newRow("minus at 1") << false << "-" << 1 << false;
        QTest::newRow("plus during a quiz") << true << "+" << 1 << false;
        QTest::newRow("h during a quiz") << true << "h" << 1 << false;
        QTest::newRow("digit during a quiz") << true << "7" << 1 << false;
        QTest::newRow("letter during a quiz") << true << "b" << 1 << true;
        QTest::newRow("capital during a quiz") << true << "G" << 1 << true;
        QTest::newRow("beyond 8 bits") << true << QString(QChar(0x263A)) << 1 << false;
    }

    void typedCharacters() {
        QFETCH(bool, running);
        QFETCH(QString, typed);
        QFETCH(int, level);
        QFETCH(bool, judged);
        ShownWindow window;
        if (running)
            QTest::keyClick(window.window.get(), Qt::Key_Space);
        EventCounter windowKeys(window.window.get(), QEvent::KeyPress);
        const int notesLeft = window->Engine().State.NotesLeft;
        if (typed.at(0).unicode() > 0xFF) {
            QTest::sendKeyEvent(QTest::Press, window.window.get(), Qt::Key_unknown, typed, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, window.window.get(), Qt::Key_unknown, typed, Qt::NoModifier);
        } else {
            QTest::keyClicks(window.window.get(), typed);
        }
        QCOMPARE(window->Engine().CurrentSettings().Level, level);
        QCOMPARE(Control<QAbstractSlider>(*window, "trkLevel")->value(), level);
        const bool moved = PopUpShown(*window) || window->Engine().State.NotesLeft != notesLeft;
        QCOMPARE(moved, judged);
        QCOMPARE(windowKeys.count, 0); // every character is the window's
    }

    void choosingTheModeInForceChangesNothing() {
        ShownWindow window;
        EventCounter staffPaints(Control(*window, "pbxStaff"), QEvent::Paint);
        QCoreApplication::processEvents();
        staffPaints.count = 0;
        const int height = window->height();
        QTest::keyClick(window.window.get(), Qt::Key_F2);
        QCoreApplication::processEvents();
        QCOMPARE(window->height(), height);
        QCOMPARE(staffPaints.count, 0);
        QCOMPARE(CheckedCommands(*window), QStringList({"actNoteButtons", "actTrebleNotes"}));
    }

    void fullRangeAgainRepaintsThePiano() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QTest::keyClick(window.window.get(), Qt::Key_F9);
        QCoreApplication::processEvents();
        EventCounter paints(Control(*window, "pbxInstrument"), QEvent::Paint);
        QTest::keyClick(window.window.get(), Qt::Key_F9);
        QTRY_VERIFY(paints.count > 0);
        QVERIFY(SettingsOf(*window).FullRange);
        QCOMPARE(CheckedCommands(*window), QStringList({"actPianoKeys", "actTrebleNotes", "actFullRange"}));
    }

    void staffChoiceRepaintsTheStaffAtOnce() {
        ShownWindow window;
        QWidget* staff = Control(*window, "pbxStaff");
        // The upper clef turns grey for the bass staff: its picture's pixels change at once.
        const QImage before = staff->grab().toImage();
        QTest::keyClick(window.window.get(), Qt::Key_F6);
        const QImage after = staff->grab().toImage();
        QVERIFY(before != after);
        QCOMPARE(SettingsOf(*window).StaffChoice, std::uint8_t(BassStaff));
    }

    void guitarStaffLeavesNoOldBarLine() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        const QImage staff = Control(*window, "pbxStaff")->grab().toImage();
        // Below the single staff the closing bar line is gone; the window's background shows.
        QCOMPARE(staff.pixel(280, 100) & 0xFFFFFF, QRgb(0xF0F0F0));
        QCOMPARE(staff.pixel(280, 40) & 0xFFFFFF, QRgb(0x000000));
    }

    void hintsAndHelpFollowThePointer() {
        ShownWindow window;
        ModalWatcher watcher;
        const auto pressF1 = [&] {
            QTest::keyClick(window.window.get(), Qt::Key_F1);
            QCoreApplication::processEvents();
            window.Activate();
        };

        Hover(Control(*window, "pbxStaff"));
        QCOMPARE(StatusText(*window), QString("The notes in the quiz are displayed in this area"));
        QCOMPARE(window->findChild<THintsAndKeys*>()->HelpContextUnderMouse(), 101);
        pressF1(); // no help collection beside the test: the context request says so
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QString("Quavix 2 Error"));
        QCOMPARE(watcher.boxes[0].text, QString("Context topic 101 is unavailable"));

        // A letter button has no hint of its own: empty text, and F1 asks for the contents (silently).
        Hover(Control(*window, "tbNote1"));
        QCOMPARE(StatusText(*window), QString());
        QCOMPARE(window->findChild<THintsAndKeys*>()->HelpContextUnderMouse(), 0);
        pressF1();
        QCOMPARE(watcher.boxes.size(), 1);

        // A tool button shows its command's hint and help, disabled or not.
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        Hover(Control(*window, "tbBeginQuiz"));
        QVERIFY(!Control(*window, "tbBeginQuiz")->isEnabled());
        QCOMPARE(StatusText(*window), QString("Begin a quiz [Space bar]"));
        QCOMPARE(window->findChild<THintsAndKeys*>()->HelpContextUnderMouse(), 14);
        Hover(Control(*window, "tbPianoKeys"));
        QCOMPARE(StatusText(*window), QString("Use the Piano control [F3]"));
        pressF1();
        QCOMPARE(watcher.boxes.size(), 2);
        QCOMPARE(watcher.boxes[1].text, QString("Context topic 19 is unavailable"));

        // The instrument: its own hint, and no help context although its panel has one.
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        Hover(Control(*window, "pbxInstrument"));
        QCOMPARE(StatusText(*window), QString("Use these controls or the keyboard to select notes"));
        QCOMPARE(window->findChild<THintsAndKeys*>()->HelpContextUnderMouse(), 0);

        // Shift+F1 is not the help key.
        QCOMPARE(window->findChild<QAction*>("miAbout")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    }

    void noPopUpTips() {
        ShownWindow window;
        QWidget* button = Control(*window, "tbPianoKeys");
        QHelpEvent tip(QEvent::ToolTip, QPoint(10, 10), button->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(button, &tip);
        QVERIFY(!QToolTip::isVisible());
    }

    void keyboardShortcutsTopic() {
        ShownWindow window;
        ModalWatcher watcher;
        QTest::keyClick(window.window.get(), Qt::Key_F12);
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].text, QString("Context topic 109 is unavailable"));
    }

    void webLinks_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("url");
        QTest::newRow("Ctrl+G") << (Qt::CTRL | Qt::Key_G).toCombined() << "http://www.quavix-music.example/";
        QTest::newRow("Ctrl+F") << (Qt::CTRL | Qt::Key_F).toCombined()
                                << "http://www.quavix-music.example/freeware.html";
        QTest::newRow("Ctrl+A") << (Qt::CTRL | Qt::Key_A).toCombined() << "http://www.tonewright.example/";
        QTest::newRow("Ctrl+N") << (Qt::CTRL | Qt::Key_N).toCombined()
                                << "http://www.tonewright.example/quavix/";
        QTest::newRow("Ctrl+S") << (Qt::CTRL | Qt::Key_S).toCombined()
                                << "http://www.tonewright.example/support.php";
    }

    void webLinks() {
        QFETCH(int, key);
        QFETCH(QString, url);
        ShownWindow window;
        UrlCatcher catcher;
        const QKeyCombination combination = QKeyCombination::fromCombined(key);
        QTest::keyClick(window.window.get(), combination.key(), combination.keyboardModifiers());
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl(url)});
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

    void instrumentPressLostToAModalBox() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QWidget* piano = Control(*window, "pbxInstrument");
        const QImage plain = piano->grab().toImage();
        MouseAt(Mouse::Press, piano, PianoPointForLetter('E'));
        QVERIFY(piano->grab().toImage() != plain); // the pressed marker
        // F1 over the staff brings up a box while the button is held; the release goes to the box.
        ModalWatcher watcher;
        MouseAt(Mouse::Move, Control(*window, "pbxStaff"), QPoint(50, 50));
        QTest::keyClick(window.window.get(), Qt::Key_F1);
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(piano->grab().toImage(), plain);
        window.Activate();
        // The next press on the piano starts afresh.
        MouseAt(Mouse::Click, piano, PianoPointForLetter('C'));
        QCOMPARE(piano->grab().toImage(), plain);
    }

    void switchingInstrumentsDropsTheHeldKey() {
        ShownWindow window;
        QWidget* instrument = Control(*window, "pbxInstrument");
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        const QImage guitar = instrument->grab().toImage();
        MouseAt(Mouse::Click, instrument, GuitarPointForStep(19)); // leaves its string and fret behind
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        MouseAt(Mouse::Press, instrument, PianoPointForLetter('E'));
        // The guitar comes up while the piano key is still held: no marker may come with it.
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        QCOMPARE(instrument->grab().toImage(), guitar);
        MouseAt(Mouse::Release, instrument, PianoPointForLetter('E'));
        QCOMPARE(instrument->grab().toImage(), guitar);
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
            QCOMPARE(box->icon(), QMessageBox::Question);
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
