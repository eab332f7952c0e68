// The naming of the notes in the real window: the Options submenu, its default by locale, the note buttons,
// the messages and the keys following a change at once, also in the middle of a quiz. Which key answers
// which note in each naming is the quiz's own test.

#include "Artwork.h"
#include "FeedbackText.h"
#include "NoteNameText.h"
#include "NoteNames.h"
#include "PopUpMessage.h"
#include "ProgressRoom.h"
#include "ResultsWindow.h"
#include "WindowTestSupport.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

using namespace quavix;

namespace {

QImage ImageOf(const QIcon& icon, QIcon::Mode mode, double ratio) {
    return icon.pixmap(QSize(24, 24), ratio, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

QToolButton* NoteButton(ShownWindow& window, int index) {
    return Control<QToolButton>(*window, qPrintable(QString("tbNote%1").arg(index)));
}

// The buttons show the naming's pictures, enabled and disabled, and are named by it.
void CheckButtons(ShownWindow& window, NoteNamings naming, double ratio) {
    for (int i = 0; i < Artwork::LetterCount; ++i) {
        QToolButton* button = NoteButton(window, i);
        QCOMPARE(ImageOf(button->icon(), QIcon::Normal, ratio), Artwork::NoteName(i, naming, true, ratio));
        QCOMPARE(ImageOf(button->icon(), QIcon::Disabled, ratio), Artwork::NoteName(i, naming, false, ratio));
        QCOMPARE(button->accessibleName(), "Note " + NoteNameText(char('A' + i), naming));
    }
}

QString MessageOnScreen(ShownWindow& window) {
    return PopUpText(*window).replace('\n', ' ');
}

void Type(ShownWindow& window, char key) {
    QTest::keyClick(window.window.get(), key >= 'A' && key <= 'Z' ? char(key - 'A' + 'a') : key);
}

} // namespace

class TestNoteNamesWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void messagesNameTheNotes_data() {
        QTest::addColumn<int>("naming");
        QTest::addColumn<int>("kind");
        QTest::addColumn<char>("picked");
        QTest::addColumn<char>("asked");
        QTest::addColumn<QString>("text");
        const int wrong = int(NoteMessage::Kind::WrongNote);
        const int late = int(NoteMessage::Kind::OutOfTime);
        QTest::newRow("letters") << int(LetterNames) << wrong << 'B' << 'C'
                                 << "You picked B, but the note was really C";
        QTest::newRow("German H picked")
            << int(GermanNames) << wrong << 'B' << 'A' << "You picked H, but the note was really A";
        QTest::newRow("German H asked")
            << int(GermanNames) << late << '\0' << 'B' << "Sorry, out of time. This note is H.";
        QTest::newRow("fixed do, three letters")
            << int(FixedDo) << wrong << 'B' << 'G' << "You picked Si, but the note was really Sol";
        QTest::newRow("wrong octave names none")
            << int(FixedDo) << int(NoteMessage::Kind::WrongOctave) << '\0' << 'E'
            << "You picked the right note but in the wrong octave";
    }

    void messagesNameTheNotes() {
        QFETCH(int, naming);
        QFETCH(int, kind);
        QFETCH(char, picked);
        QFETCH(char, asked);
        QFETCH(QString, text);
        const NoteMessage message{NoteMessage::Kind(kind), picked, asked};
        QCOMPARE(FeedbackText(message, NoteNamings(naming)), text);
    }

    void submenuMarksTheNamingInForce() {
        ShownWindow window;
        auto* menu = window->findChild<QMenu*>("mnuNoteNames");
        QVERIFY(menu);
        auto* options = window->findChild<QMenu*>("mnuOptions");
        QVERIFY(options->actions().contains(menu->menuAction()));
        const QStringList captions = {"C D E F G A B", "C D E F G A H", "Do Re Mi Fa Sol La Si"};
        QCOMPARE(menu->actions().size(), NoteNamingCount);
        for (int chosen = NoteNamingCount - 1; chosen >= 0; --chosen) {
            menu->actions()[chosen]->trigger();
            QCOMPARE(int(SettingsOf(*window).NoteNaming), chosen);
            for (int i = 0; i < NoteNamingCount; ++i) {
                QCOMPARE(menu->actions()[i]->text(), captions[i]);
                QCOMPARE(menu->actions()[i]->isChecked(), i == chosen);
            }
        }
        // Choosing the naming in force again keeps its mark.
        menu->actions()[0]->trigger();
        QVERIFY(menu->actions()[0]->isChecked());
        // The submenu's accelerator is its own among the Options menu's items.
        QStringList keys;
        for (QAction* action : options->actions()) {
            const int at = action->text().indexOf('&');
            if (at >= 0)
                keys << action->text().mid(at + 1, 1).toLower();
        }
        QCOMPARE(keys.removeDuplicates(), 0);
        QVERIFY(keys.contains("e"));
    }

    // Which language gives which naming is the quiz's to say; here, that the window starts with it.
    void startsWithTheLocalesNaming_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("naming");
        QTest::newRow("Austria") << "de_AT" << int(GermanNames);
        QTest::newRow("France") << "fr_FR" << int(FixedDo);
    }

    void startsWithTheLocalesNaming() {
        QFETCH(QString, locale);
        QFETCH(int, naming);
        QLocale::setDefault(QLocale(locale));
        ShownWindow window;
        QCOMPARE(int(SettingsOf(*window).NoteNaming), naming);
        QVERIFY(window->findChild<QAction*>(qPrintable(QString("actNoteNames%1").arg(naming)))->isChecked());
        CheckButtons(window, NoteNamings(naming), RatioOf(*window));
    }

    // A change of naming in the middle of a quiz renames the buttons and the next message at once, takes
    // the new keys, and leaves the quiz as it was.
    void switchingDuringAQuiz() {
        ShownWindow window;
        const double ratio = RatioOf(*window);
        CheckButtons(window, LetterNames, ratio);
        Type(window, ' ');
        QVERIFY(window->Engine().State.Running);
        Type(window, CurrentRow(*window).Letter);
        const QuizState before = window->Engine().State;
        QCOMPARE(before.Score, PointsCap);

        window->findChild<QAction*>("actNoteNames2")->trigger();
        const QuizState after = window->Engine().State;
        QVERIFY(after.Running && window->Engine().CountdownRunning());
        QCOMPARE(after.Score, before.Score);
        QCOMPARE(after.NotesLeft, before.NotesLeft);
        QCOMPARE(after.CurrentNote, before.CurrentNote);
        QCOMPARE(after.SecondsLeft, before.SecondsLeft);
        CheckButtons(window, FixedDo, ratio);

        // The letter key no longer answers; the syllable key of another note is a wrong answer, named so.
        const char asked = CurrentRow(*window).Letter;
        const char wrong = asked == 'G' ? 'A' : char(asked + 1);
        Type(window, asked == 'C' ? 'E' : 'C'); // a letter that is no syllable key
        QVERIFY(!PopUpShown(*window));
        Type(window, AnswerKey(wrong, FixedDo));
        QVERIFY(PopUpShown(*window));
        QCOMPARE(MessageOnScreen(window), QString("You picked %1, but the note was really %2")
                                              .arg(QString::fromLatin1(NoteName(wrong, FixedDo).data()),
                                                   QString::fromLatin1(NoteName(asked, FixedDo).data())));
        // Switching back while the message shows changes the buttons, not the message or the quiz.
        window->findChild<QAction*>("actNoteNames0")->trigger();
        CheckButtons(window, LetterNames, ratio);
        QVERIFY(PopUpShown(*window));
        ExpirePopUp(*window);
        QCOMPARE(window->Engine().State.NotesLeft, before.NotesLeft - 1);
        QCOMPARE(window->Engine().State.Score, before.Score);
    }

    // The results chart names its notes too, and follows a change while it is open.
    void openResultsFollowTheNaming() {
        ShownWindow window;
        Type(window, ' ');
        while (window->Engine().State.Running)
            Type(window, CurrentRow(*window).Letter);
        window->findChild<QAction*>("actResults")->trigger();
        TResultsWindow* results = ProgressOf(*window).ResultsWindow();
        QVERIFY(results);
        auto* picture = results->findChild<QLabel*>("imgResults");
        const QImage letters = picture->pixmap().toImage();
        window->findChild<QAction*>("actNoteNames2")->trigger();
        const QImage syllables = picture->pixmap().toImage();
        QVERIFY(syllables != letters);
        window->findChild<QAction*>("actNoteNames0")->trigger();
        QCOMPARE(picture->pixmap().toImage(), letters);
    }

    // Drawn again for another screen, the buttons keep the naming.
    void anotherScreenRatioKeepsTheNaming() {
        ShownWindow window;
        window->findChild<QAction*>("actNoteNames1")->trigger();
        MoveToRatio(*window, 2.0);
        CheckButtons(window, GermanNames, 2.0);
        MoveToRatio(*window, 1.5);
        CheckButtons(window, GermanNames, 1.5);
    }
};

QTEST_MAIN(TestNoteNamesWindow)
#include "tst_notenameswindow.moc"
