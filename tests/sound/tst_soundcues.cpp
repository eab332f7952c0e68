// What the trainer makes heard: which notes reach the synthesizer, in which voice and for how long, for
// notes that appear, keys held, answers right and missed, and MIDI keys; and nothing while sound is off.
#include "FakeSoundEngine.h"
#include "Pitch.h"
#include "SoundCues.h"
#include "SoundPlayer.h"
#include "WaitFor.h"

#include <QSignalSpy>
#include <QtTest>

using namespace quavix;

namespace {

FakeNote On(Voice voice, int key, int velocity = OnScreenVelocity) {
    return {true, voice, key, velocity};
}
FakeNote Off(Voice voice, int key) {
    return {false, voice, key, 0};
}

// Short enough not to wait for; the gap long enough for a timer to keep it.
constexpr int CueMs = 50;
constexpr int GapMs = 40;

} // namespace

class TestSoundCues : public QObject {
    Q_OBJECT

    std::shared_ptr<FakeLog> log_;
    std::unique_ptr<SoundPlayer> player_;
    std::unique_ptr<SoundCues> cues_;

    std::vector<FakeNote> Notes() const { return log_->Notes(); }

private slots:
    void init() {
        log_ = std::make_shared<FakeLog>();
        player_ = std::make_unique<SoundPlayer>(FakeFactory(log_));
        cues_ = std::make_unique<SoundCues>(*player_);
        cues_->SetPeriods(CueMs, GapMs);
        QSignalSpy ready(player_.get(), &SoundPlayer::Ready);
        player_->SwitchOn();
        QVERIFY(ready.wait(5000));
    }

    void cleanup() {
        cues_.reset();
        player_.reset();
    }

    // A new note sounds in the practised instrument's voice and dies away on its own.
    void noteShown_data() {
        QTest::addColumn<int>("voice");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("key");
        QTest::newRow("piano, middle C") << int(Voice::Piano) << 12 << 60;
        QTest::newRow("piano, lowest E") << int(Voice::Piano) << 0 << 40;
        QTest::newRow("guitar, written E3 sounds E2") << int(Voice::Guitar) << 7 << 40;
        QTest::newRow("guitar, written B5 sounds B4") << int(Voice::Guitar) << 25 << 71;
    }

    void noteShown() {
        QFETCH(int, voice);
        QFETCH(int, step);
        QFETCH(int, key);
        cues_->SetVoice(Voice(voice));
        cues_->NoteShown(step);
        WAIT_FOR(Notes().size() == std::size_t(2)); // struck afresh: let go, then on
        QCOMPARE(log_->Last(), On(Voice(voice), key));
        WAIT_FOR(log_->Last() == Off(Voice(voice), key));
    }

    // A key sounds from press to release, however long; sliding to another key lets the first go.
    void keyHeld() {
        cues_->KeyDown(17);
        cues_->KeyDown(17);
        QTest::qWait(2 * CueMs);
        QCOMPARE(Notes(), (std::vector<FakeNote>{On(Voice::Piano, 69)}));
        cues_->KeyDown(18);
        cues_->KeyUp();
        cues_->KeyUp();
        QCOMPARE(Notes(), (std::vector<FakeNote>{On(Voice::Piano, 69), Off(Voice::Piano, 69),
                                                 On(Voice::Piano, 71), Off(Voice::Piano, 71)}));
        log_->Clear();
        cues_->SetVoice(Voice::Guitar);
        cues_->KeyDown(14);
        QCOMPARE(Notes(), (std::vector<FakeNote>{On(Voice::Guitar, 52)}));
    }

    // A right answer sounds the note named at once; the next note, which appears in the same moment,
    // follows when the first has had its moment alone.
    void rightAnswerBeforeNextNote() {
        QElapsedTimer clock;
        clock.start();
        cues_->NoteShown(14); // what the quiz does first: the next note, E4
        cues_->AnswerRight(12);
        QCOMPARE(log_->Last(), On(Voice::Piano, 60));
        WAIT_FOR(log_->Last() == On(Voice::Piano, 64));
        QVERIFY(clock.elapsed() >= GapMs - 10);
        QVERIFY(std::find(Notes().begin(), Notes().end(), Off(Voice::Piano, 60)) != Notes().end());
    }

    // A wrong answer or a time-out sounds the asked note for as long as its message shows.
    void missedNoteWhileMessageShows() {
        cues_->KeyDown(15); // the wrong key, F4
        cues_->KeyUp();
        cues_->AnswerMissed(17);
        QTest::qWait(2 * CueMs);
        QCOMPARE(log_->Last(), On(Voice::Piano, 69));
        cues_->MessageGone();
        QCOMPARE(log_->Last(), Off(Voice::Piano, 69));
    }

    // A sharp or flat sounds its own key, as a note asked, a note missed and a key held.
    void signsSoundTheirKeys() {
        cues_->NoteShown(15, 1); // F sharp 4
        WAIT_FOR(Notes().size() == std::size_t(2));
        QCOMPARE(log_->Last(), On(Voice::Piano, 66));
        cues_->AnswerMissed(19, -1); // C flat 5, the B below C5
        QCOMPARE(log_->Last(), On(Voice::Piano, 71));
        cues_->MessageGone();
        cues_->KeyDown(15, 1);
        QCOMPARE(log_->Last(), On(Voice::Piano, 66));
    }

    // A MIDI key plays its own key number, black keys too, as hard as it was struck.
    void midiKey() {
        cues_->SetVoice(Voice::Guitar);
        cues_->MidiKeyDown(61, 23);
        cues_->MidiKeyDown(96, 127);
        cues_->MidiKeyUp(61);
        QCOMPARE(Notes(), (std::vector<FakeNote>{On(Voice::Piano, 61, 23), On(Voice::Piano, 96, 127),
                                                 Off(Voice::Piano, 61)}));
    }

    // Off, and switched off while a note waits for its turn: nothing reaches a synthesizer.
    void nothingWhileOff() {
        cues_->NoteShown(14);
        cues_->AnswerRight(12);
        player_->SwitchOff();
        log_->Clear();
        cues_->NoteShown(14);
        cues_->AnswerRight(12);
        cues_->AnswerMissed(12);
        cues_->KeyDown(12);
        cues_->MidiKeyDown(60, 100);
        QTest::qWait(2 * GapMs);
        QCOMPARE(Notes().size(), std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestSoundCues)
#include "tst_soundcues.moc"
