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
    bool held = false;
    void ShowNoteMessage(const NoteMessage& message, const NoteEntry& note, int x) override {
        overlappingMessages += messageShowing ? 1 : 0;
        RecordingFrontEnd::ShowNoteMessage(message, note, x);
    }
    bool AnswersHeld() const override { return held; }
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
        quiz.BuildNoteTable();
        quiz.EndQuiz();
        // The window lets the settings change as its commands allow: no pool change during a quiz.
        const auto choose = [&](OptionChoice::Option option, int value) {
            const Settings next = Choose(settings, {option, value});
            const bool crossesGuitar = (next.InputMode == GuitarFrets) != (settings.InputMode == GuitarFrets);
            if (quiz.State.Running &&
                (crossesGuitar || next.StaffChoice != settings.StaffChoice || next.Level != settings.Level))
                return;
            settings = next;
            if (crossesGuitar)
                quiz.BuildNoteTable();
            front.ApplyCommandStates(CommandStatesFor(quiz.State.Running, settings.InputMode));
        };

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
                    quiz.TakeAnswer(
                        Answer::Named(quiz.Table[quiz.State.CurrentNote].Letter, AnswerSource::TypedKey));
                break;
            case 5: // any key, also far beyond the notes asked and beyond MIDI's range
                quiz.TakeAnswer(Answer::Sounded(below(180) - 20, AnswerSource::MidiKey));
                break;
            case 6:
                quiz.TakeAnswer(NoteButtonAnswer(below(9) - 1));
                break;
            case 7:
                quiz.TakeAnswer(
                    TypedAnswer(static_cast<char>(below(256)), NoteNamings(below(NoteNamingCount))));
                break;
            case 8:
                front.held = below(8) == 0;
                break;
            case 9:
                choose(OptionChoice::Option::Level, below(16) - 2);
                break;
            case 10:
                choose(OptionChoice::Option::InputMode, below(3));
                break;
            case 11:
                choose(OptionChoice::Option::Staff, below(3));
                break;
            case 12:
                for (int i = below(14); i > 0; --i)
                    quiz.tmrCountTimer();
                break;
            case 13:
                choose(OptionChoice::Option::Range, below(2));
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
