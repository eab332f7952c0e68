// The main window's commands and keys: the marks and locks of the commands in every situation, what a
// command does when chosen again, the keyboard (typed answers and level keys, disabled shortcuts swallowed,
// menus never opened by a plain letter), the status-bar hints with F1, the web links, and a press on the
// instrument that a modal box or another instrument takes away.

#include "Controls.h"
#include "HintsAndKeys.h"
#include "UrlCatcher.h"
#include "WindowInvariants.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolTip>
#include <QUrl>
#include <QtTest>

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

void Hover(QWidget* widget) {
    MouseAt(Mouse::Move, widget, widget->rect().center());
}

} // namespace

class TestWindowCommands : public QObject {
    Q_OBJECT

private slots:
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

    // Every input mode, idle, during a quiz and after it: the commands, their marks and the level slider as
    // the rules the window fuzz checks too say, and the tool buttons show their commands.
    void commandStatesInEverySituation_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("modeKey");
        for (bool running : {false, true})
            for (Qt::Key key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4})
                QTest::addRow("%s, F%d", running ? "quiz" : "idle", key - Qt::Key_F1 + 1)
                    << running << int(key);
    }

    void commandStatesInEverySituation() {
        QFETCH(bool, running);
        QFETCH(int, modeKey);
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key(modeKey));
        if (running)
            QTest::keyClick(window.window.get(), Qt::Key_Space);
        QCOMPARE(window->Engine().State.Running, running);
        QCOMPARE(WindowInvariants().Problem(*window, false), QString());
        QCOMPARE(Control(*window, "tbBeginQuiz")->isEnabled(), !running);
        QCOMPARE(Control<QToolButton>(*window, "tbGuitar")->isChecked(), modeKey == Qt::Key_F4);
        // Ended, the quiz gives back the commands it locked, and only those.
        QTest::keyClick(window.window.get(), Qt::Key_Return);
        QCOMPARE(WindowInvariants().Problem(*window, false), QString());
    }

    // The notes asked follow the answer control: the guitar's own, and the staves' again after it.
    void noteTableFollowsTheAnswerControl() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_F4);
        QCOMPARE(window->Engine().Table[0].Letter, GuitarLetters[0]);
        QTest::keyClick(window.window.get(), Qt::Key_F3);
        QCOMPARE(window->Engine().Table[0].Letter, StaffLetters[0]);
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
        const Settings before = SettingsOf(*window);
        EventCounter staffPaints(Control(*window, "pbxStaff"), QEvent::Paint);
        QCoreApplication::processEvents();
        staffPaints.count = 0;
        const int height = window->height();
        QTest::keyClick(window.window.get(), Qt::Key_F2);
        QCoreApplication::processEvents();
        QCOMPARE(window->height(), height);
        QCOMPARE(staffPaints.count, 0);
        QVERIFY(SettingsOf(*window) == before);
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

        // F12 asks for the keyboard's topic wherever the pointer is; Shift+F1 is not the help key.
        QTest::keyClick(window.window.get(), Qt::Key_F12);
        QTRY_COMPARE(watcher.boxes.size(), 3);
        QCOMPARE(watcher.boxes[2].text, QString("Context topic 109 is unavailable"));
        QCOMPARE(window->findChild<QAction*>("miAbout")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    }

    void noPopUpTips() {
        ShownWindow window;
        QWidget* button = Control(*window, "tbPianoKeys");
        QHelpEvent tip(QEvent::ToolTip, QPoint(10, 10), button->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(button, &tip);
        QVERIFY(!QToolTip::isVisible());
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
};

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
