// Sound in the real window: the Options menu's Sound item and F11; what a quiz, the letters, the piano and
// the guitar make heard; and how a missing module or a stalled output turns the option off with one
// message. A recording synthesizer stands in for the module.
#include "FakeSoundEngine.h"
#include "Pitch.h"
#include "PopUpMessage.h"
#include "WaitFor.h"
#include "WindowTestSupport.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>

using namespace quavix;

namespace {

QAction* SoundItem(TFormQX25& window) {
    return window.findChild<QAction*>(QStringLiteral("actSound"));
}

int StepAsked(TFormQX25& window) {
    return CurrentRow(window).Step;
}

bool Contains(const std::vector<FakeNote>& notes, const FakeNote& note) {
    return std::find(notes.begin(), notes.end(), note) != notes.end();
}

FakeNote On(Voice voice, int key) {
    return {true, voice, key, OnScreenVelocity};
}
FakeNote Off(Voice voice, int key) {
    return {false, voice, key, 0};
}

} // namespace

class TestWindowSound : public QObject {
    Q_OBJECT

    std::shared_ptr<FakeLog> log_;

    // A window with sound switched on through F11, and the record cleared.
    std::unique_ptr<ShownWindow> SoundingWindow() {
        log_ = std::make_shared<FakeLog>();
        auto window = std::make_unique<ShownWindow>(32, FakeFactory(log_));
        (*window)->findChild<SoundCues*>()->SetPeriods(100, 40);
        QTest::keyClick(window->window.get(), Qt::Key_F11);
        if (!QTest::qWaitFor([&] { return (*window)->Sound().IsOn(); }, 5000))
            return nullptr;
        log_->Clear();
        return window;
    }

private slots:
    // F11 switches sound on and off again; the mark follows, and other commands keep it.
    void switchedOnAndOff() {
        auto window = SoundingWindow();
        QVERIFY(window);
        QVERIFY(SoundItem(**window)->isChecked());
        QTest::keyClick(window->window.get(), Qt::Key_F3);
        QVERIFY(SoundItem(**window)->isChecked());
        QTest::keyClick(window->window.get(), Qt::Key_F11);
        QVERIFY(!SoundItem(**window)->isChecked());
        QCOMPARE((*window)->Sound().CurrentState(), SoundPlayer::State::Off);
        WAIT_FOR(log_->destroyed.load() == log_->created.load());
    }

    // Sound, an Options item, is off as the program starts. Without the module (none lies beside this
    // test), choosing it unchecks it again with one message in the status bar; the quiz goes on as ever.
    void unavailable() {
        ShownWindow window;
        QVERIFY(window->findChild<QMenu*>("mnuOptions")->actions().contains(SoundItem(*window)));
        QVERIFY(!SoundItem(*window)->isChecked());
        QCOMPARE(window->Sound().CurrentState(), SoundPlayer::State::Off);
        QTest::keyClick(window.window.get(), Qt::Key_Space);
        SoundItem(*window)->trigger();
        QVERIFY(SoundItem(*window)->isChecked()); // asked for, until the answer comes
        WAIT_FOR(!SoundItem(*window)->isChecked());
        QVERIFY2(StatusText(*window).startsWith("Sound is not available"), qPrintable(StatusText(*window)));
        QVERIFY(window->Engine().State.Running);
        const char letter = CurrentRow(*window).Letter;
        QTest::keyClick(window.window.get(), char(letter - 'A' + 'a'));
        QCOMPARE(window->Engine().State.NotesLeft, NotesPerQuiz - 2);
    }

    // An output that stops while sound is on turns the option off, with one message.
    void outputStops() {
        log_ = std::make_shared<FakeLog>();
        log_->outputAdvances = false;
        ShownWindow window(32, FakeFactory(log_));
        window->findChild<SoundPlayer*>()->SetOutputWatch(90, 150);
        QTest::keyClick(window.window.get(), Qt::Key_F11);
        WAIT_FOR(window->Sound().IsOn());
        WAIT_FOR(!SoundItem(*window)->isChecked());
        QVERIFY2(StatusText(*window).contains("stopped"), qPrintable(StatusText(*window)));
    }

    // Each note of a quiz sounds as it appears; a letter named rightly sounds the asked note at once; a
    // wrong one sounds it again while the message shows, and the message's end lets it go.
    void quizWithLetters() {
        auto window = SoundingWindow();
        QVERIFY(window);
        TFormQX25& form = **window;
        QTest::keyClick(window->window.get(), Qt::Key_Space);
        const int first = StepAsked(form);
        WAIT_FOR(Contains(log_->Notes(), On(Voice::Piano, MidiKeyOfStep(first))));

        log_->Clear();
        QTest::keyClick(window->window.get(), char(CurrentRow(form).Letter - 'A' + 'a'));
        QCOMPARE(log_->Last(), On(Voice::Piano, MidiKeyOfStep(first)));
        const int second = StepAsked(form);
        WAIT_FOR(log_->Last() == On(Voice::Piano, MidiKeyOfStep(second)));

        log_->Clear();
        const char wrong = CurrentRow(form).Letter == 'A' ? 'b' : 'a';
        QTest::keyClick(window->window.get(), wrong);
        QVERIFY(PopUpShown(form));
        QCOMPARE(log_->Last(), On(Voice::Piano, MidiKeyOfStep(second)));
        ExpirePopUp(form);
        QVERIFY(Contains(log_->Notes(), Off(Voice::Piano, MidiKeyOfStep(second))));

        // A note button answers as a typed letter does.
        log_->Clear();
        const int third = StepAsked(form);
        const int index = CurrentRow(form).Letter - 'A';
        MouseAt(Mouse::Click, Control(form, qPrintable(QString("tbNote%1").arg(index))), QPoint(18, 18));
        QCOMPARE(log_->Last(), On(Voice::Piano, MidiKeyOfStep(third)));
    }

    // A time-out sounds the asked note while its message shows.
    void timeOut() {
        auto window = SoundingWindow();
        QVERIFY(window);
        TFormQX25& form = **window;
        QTest::keyClick(window->window.get(), Qt::Key_Space);
        const int asked = StepAsked(form);
        WAIT_FOR(Contains(log_->Notes(), On(Voice::Piano, MidiKeyOfStep(asked)))); // the note's own cue
        log_->Clear();
        while (!PopUpShown(form))
            form.Engine().tmrCountTimer();
        QCOMPARE(log_->Last(), On(Voice::Piano, MidiKeyOfStep(asked)));
    }

    // A piano key sounds from press to release and follows a drag; a fret sounds as a guitar, an octave
    // below the note it is written as.
    void instrumentKeys() {
        auto window = SoundingWindow();
        QVERIFY(window);
        TFormQX25& form = **window;
        QWidget* instrument = Control(form, "pbxInstrument");

        QTest::keyClick(window->window.get(), Qt::Key_F3);
        QTest::keyClick(window->window.get(), Qt::Key_F9);
        const std::uint8_t layout = KeyboardLayoutFor(SettingsOf(form));
        MouseAt(Mouse::Press, instrument, PianoPointForStep(layout, 12));
        QCOMPARE(log_->Last(), On(Voice::Piano, 60));
        MouseAt(Mouse::Move, instrument, PianoPointForStep(layout, 14));
        QCOMPARE(log_->Last(), On(Voice::Piano, 64));
        QVERIFY(Contains(log_->Notes(), Off(Voice::Piano, 60)));
        MouseAt(Mouse::Release, instrument, PianoPointForStep(layout, 14));
        QCOMPARE(log_->Last(), Off(Voice::Piano, 64));

        log_->Clear();
        QTest::keyClick(window->window.get(), Qt::Key_F4);
        MouseAt(Mouse::Press, instrument, GuitarPointForStep(7));
        QCOMPARE(log_->Last(), On(Voice::Guitar, 40));
        MouseAt(Mouse::Release, instrument, GuitarPointForStep(7));
        QCOMPARE(log_->Last(), Off(Voice::Guitar, 40));
    }
};

QTEST_MAIN(TestWindowSound)
#include "tst_windowsound.moc"
