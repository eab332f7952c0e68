#include "QuizEngine.h"
#include "RecordingFrontEnd.h"

#include <QTest>

#include <random>

using namespace quavix;

// Long random sequences of everything that can reach the engine, checking its invariants after each event.
// QUAVIX_FUZZ_SEED replays one sequence.
class QuizFuzzTest : public QObject {
    Q_OBJECT

private slots:
    void randomEventSequences();
};

namespace {

class StrictFrontEnd : public RecordingFrontEnd {
public:
    int overlappingMessages = 0;
    void ShowNoteMessage(const NoteMessage& message) override {
        overlappingMessages += messageShowing ? 1 : 0;
        RecordingFrontEnd::ShowNoteMessage(message);
    }
};

QString CheckInvariants(const QuizEngine& quiz, const StrictFrontEnd& front) {
    const QuizState& s = quiz.State;
    if (s.Score < 0 || s.Score > MaxScore)
        return QString("score %1").arg(s.Score);
    if (s.NotesLeft < 0 || s.NotesLeft > NotesPerQuiz)
        return QString("notes left %1").arg(s.NotesLeft);
    if (s.SecondsLeft < -1 || s.SecondsLeft > CountdownStart)
        return QString("seconds left %1").arg(s.SecondsLeft);
    if (s.Running && (s.CurrentNote < 0 || s.CurrentNote >= s.PoolSize))
        return QString("current note %1 of pool %2").arg(s.CurrentNote).arg(s.PoolSize);
    if (front.overlappingMessages != 0)
        return "two messages at once";
    if (front.states != CommandStatesFor(s.Running, quiz.CurrentSettings().InputMode))
        return "command states out of step";
    return {};
}

} // namespace

void QuizFuzzTest::randomEventSequences() {
    const QByteArray fixed = qgetenv("QUAVIX_FUZZ_SEED");
    const int sequences = fixed.isEmpty() ? 200 : 1;
    const int eventsPerSequence = 2000;
    int quizzes = 0;
    int messages = 0;
    for (int sequence = 0; sequence < sequences; ++sequence) {
        const std::uint64_t seed = fixed.isEmpty() ? 1000 + sequence : fixed.toULongLong();
        std::mt19937_64 events(seed);
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(events); };

        StrictFrontEnd front;
        ClockSeededRandom random(seed * 7 + 1);
        Settings settings;
        QuizEngine quiz(front, random, settings);
        front.engine = &quiz;
        quiz.BuildNoteTable();
        quiz.SetLevel(1);
        quiz.EndQuiz();

        for (int event = 0; event < eventsPerSequence; ++event) {
            const int kind = below(14);
            switch (kind) {
            case 0:
                if (!quiz.State.Running) {
                    quiz.BeginQuiz();
                    ++quizzes;
                }
                break;
            case 1:
                if (quiz.State.Running && below(4) == 0)
                    quiz.EndQuiz();
                break;
            case 2:
                quiz.tmrCountTimer();
                break;
            case 3:
                front.ExpireMessage(quiz);
                break;
            case 4: // a right answer, when there is a note
                if (quiz.State.Running)
                    quiz.JudgeAnswer(quiz.Table[quiz.State.CurrentNote].Step);
                break;
            case 5:
                if (quiz.State.Running)
                    quiz.JudgeAnswer(below(30));
                break;
            case 6:
                if (quiz.State.Running)
                    quiz.JudgeAnswer(100 + below(7));
                break;
            case 7:
                if (quiz.State.Running)
                    quiz.JudgeAnswer(below(400) - 150);
                break;
            case 8:
                quiz.FormKeyPress(static_cast<char>(below(256)));
                break;
            case 9:
                if (!quiz.State.Running)
                    quiz.SetLevel(below(16) - 2);
                break;
            case 10: { // input mode, as the window allows it
                const std::uint8_t mode = static_cast<std::uint8_t>(below(3));
                const bool crossesGuitar = (mode == GuitarFrets) != (settings.InputMode == GuitarFrets);
                if (crossesGuitar && quiz.State.Running)
                    break;
                settings.InputMode = mode;
                if (crossesGuitar) {
                    quiz.BuildNoteTable();
                    if (mode == GuitarFrets)
                        settings.StaffChoice = TrebleStaff;
                }
                front.ApplyCommandStates(CommandStatesFor(quiz.State.Running, settings.InputMode));
                break;
            }
            case 11:
                if (!quiz.State.Running && settings.InputMode != GuitarFrets)
                    settings.StaffChoice = static_cast<std::uint8_t>(below(3));
                break;
            case 12:
                for (int i = below(14); i > 0; --i)
                    quiz.tmrCountTimer();
                break;
            case 13:
                settings.RichColour = below(2) == 0;
                break;
            }
            const QString broken = CheckInvariants(quiz, front);
            if (!broken.isEmpty())
                QFAIL(qPrintable(QString("seed %1, event %2 (kind %3): %4; replay with QUAVIX_FUZZ_SEED=%1")
                                     .arg(seed)
                                     .arg(event)
                                     .arg(kind)
                                     .arg(broken)));
        }
        messages += static_cast<int>(front.messages.size());
    }
    // The sequences must really exercise quizzes and their messages, not idle around.
    QVERIFY(quizzes > sequences * 20);
    QVERIFY(messages > sequences * 20);
}

QTEST_APPLESS_MAIN(QuizFuzzTest)
#include "tst_quizfuzz.moc"
