// The feedback pop-up: where a message breaks into two lines, where the panel goes for its anchor, and
// that one pop-up at a time ends exactly once.

#include "PopUpMessage.h"
#include "WindowTestSupport.h"

#include <QLabel>
#include <QtTest>

using namespace quavix;

class TestPopUps : public QObject {
    Q_OBJECT

private slots:
    void breakPosition_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        // Spaces at 21 and 26 around the middle 24: the nearer, later one.
        QTest::newRow("wrong octave") << "You picked the right note but in the wrong octave" << 26;
        // Spaces at 14 and 20, both 3 from 17: a tie goes to the later space.
        QTest::newRow("time-out") << "Sorry, out of time. This note is F." << 20;
        // Spaces at 18 and 22 around 19: the earlier one is nearer.
        QTest::newRow("wrong letter") << "You picked E, but the note was really D" << 18;
        QTest::newRow("no space") << "Unbreakable" << 0;
        QTest::newRow("space only before the middle") << "ab cdefghij" << 3;
        QTest::newRow("space only after the middle") << "abcdefgh ij" << 9;
        QTest::newRow("space on the middle") << "abcd efghi" << 5;
        // Two sentences part where the first ends, in any language, though another space is as near the
        // middle: not "Temps écoulé ! Cette / note est un Do."
        QTest::newRow("French time-out")
            << QString::fromUtf8("Temps écoulé\u00a0! Cette note est un Do.") << 15;
        QTest::newRow("Spanish time-out") << QString::fromUtf8("Se acabó el tiempo. Esta nota es Sol.") << 20;
        QTest::newRow("question") << "Ready? Then name the note" << 7;
        // A sentence's end far from the middle would leave one line almost empty.
        QTest::newRow("sentence end too early")
            << "No. You picked the right note but in the wrong octave" << 25;
        QTest::newRow("empty") << "" << 0;
    }

    void breakPosition() {
        QFETCH(QString, text);
        QFETCH(int, position);
        QCOMPARE(MessageBreakPosition(text), position);
    }

    void setMessageBreaksOnlyWideTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("wrong letter") << "You picked E, but the note was really D"
                                      << "You picked E, but\nthe note was really D";
        QTest::newRow("narrow") << "A b"
                                << "A b";
        QTest::newRow("wide without a space") << "Supercalifragilistic"
                                              << "Supercalifragilistic";
    }

    void setMessageBreaksOnlyWideTexts() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QWidget parent;
        QFont font("Arial");
        font.setPixelSize(16);
        parent.setFont(font);
        TMsgPanel panel(&parent);
        panel.SetMessage(text);
        QCOMPARE(panel.MessageLabel()->text(), shown);
        // The panel fits the label and its one-pixel bevel.
        QCOMPARE(panel.size(), panel.MessageLabel()->size() + QSize(2, 2));
    }

    void placement_data() {
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<int>("horz");
        QTest::addColumn<bool>("above");
        QTest::addColumn<double>("widths"); // how much of the label's width lies left of the anchor
        QTest::newRow("centre above") << QPoint(200, 100) << 1 << true << 0.5;
        QTest::newRow("left below") << QPoint(200, 100) << 0 << false << 0.0;
        QTest::newRow("right above") << QPoint(200, 100) << 2 << true << 1.0;
        QTest::newRow("clamped left and top") << QPoint(10, 5) << 1 << true << 0.5;
    }

    void placement() {
        QFETCH(QPoint, anchor);
        QFETCH(int, horz);
        QFETCH(bool, above);
        QFETCH(double, widths);
        QWidget parent;
        parent.resize(400, 400);
        TPopUpMessage popUp(&parent, "You picked the right note but in the wrong octave", 0, 3000, anchor,
                            HorzAnchor(horz), above, 0xF8E480);
        const QSize label = popUp.Panel()->MessageLabel()->size();
        // Never beyond the parent's left or top edge.
        const QPoint want(std::max(0, anchor.x() - int(label.width() * widths)),
                          std::max(0, anchor.y() - (above ? label.height() : 0)));
        QCOMPARE(popUp.Panel()->pos(), want);
        QVERIFY(popUp.Panel()->isVisibleTo(&parent));
        QCOMPARE(popUp.Panel()->parentWidget(), &parent);
        QCOMPARE(popUp.Panel()->Colour(), QRgb(0xF8E480));
    }

    void freedPopUpNeverExpires() {
        QWidget parent;
        int expiries = 0;
        {
            TPopUpMessage popUp(&parent, "Gone", 0, 20, {50, 50}, HorzAnchor::Centre, true, 0xFFFFFF);
            connect(&popUp, &TPopUpMessage::expired, [&](int) { ++expiries; });
            QVERIFY(parent.findChild<TMsgPanel*>());
        }
        QVERIFY(!parent.findChild<TMsgPanel*>());
        QTest::qWait(80);
        QCOMPARE(expiries, 0);
    }

    void expiresOnceWithItsId() {
        QWidget parent;
        QList<int> expiries;
        TPopUpMessage popUp(&parent, "Soon", 7, 20, {50, 50}, HorzAnchor::Centre, true, 0xFFFFFF);
        connect(&popUp, &TPopUpMessage::expired, [&](int id) { expiries.append(id); });
        QTRY_COMPARE(expiries, QList<int>{7});
        QTest::qWait(80);
        QCOMPARE(expiries, QList<int>{7});
    }

    void newPopUpReplacesTheOldOne() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        const int notesLeft = window->Engine().State.NotesLeft;
        // A wrong answer's message, replaced before it ends.
        QTest::keyClick(window.window.get(), CurrentRow(*window).Letter == 'A' ? 'b' : 'a');
        QVERIFY(PopUpShown(*window));
        ShowNoteMessage(*window, {NoteMessage::Kind::OutOfTime, 0, 'E'});
        QCOMPARE(window->findChildren<TMsgPanel*>().size(), 1);
        QCOMPARE(PopUpText(*window).replace('\n', ' '), QString("Sorry, out of time. This note is E."));
        // Only the one on screen ends, and it moves the quiz on by one note.
        ExpirePopUp(*window);
        QVERIFY(!PopUpShown(*window));
        QCOMPARE(window->Engine().State.NotesLeft, notesLeft - 1);
        ExpirePopUp(*window);
        QCOMPARE(window->Engine().State.NotesLeft, notesLeft - 1);
    }

    void unknownTimerChangesNothing() {
        ShownWindow window;
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        ShowNoteMessage(*window, {NoteMessage::Kind::WrongOctave, 0, 0});
        PopUps(*window).OnPopUpTimer(TPopUpList::PopUpTimerID + 1);
        QVERIFY(PopUpShown(*window));
        QVERIFY(PopUps(*window).Current()->Panel()->isVisible());
    }

    void windowFreesItsPopUp() {
        QPointer<TMsgPanel> panel;
        {
            ShownWindow window;
            QTest::keyClick(window.window.get(), Qt::Key_Space);
            ShowNoteMessage(*window, {NoteMessage::Kind::WrongOctave, 0, 0});
            panel = PopUps(*window).Current()->Panel();
            QVERIFY(panel);
        }
        QVERIFY(!panel);
    }
};

QTEST_MAIN(TestPopUps)
#include "tst_popups.moc"
