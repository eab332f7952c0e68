// Cost of a key typed during a quiz, from the key event reaching the main window to the answer judged and
// the next note drawn on the staff: the real window, its key preview, the typed-key adapter and the
// engine's one answer call, as the user's keyboard drives them.
#include "MainQX25.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

using namespace quavix;

namespace {

void KeyPressToJudgedAnswer(benchmark::State& state) {
    ClockSeededRandom random(12345);
    TFormQX25::Options options;
    options.random = &random;
    options.colourDepth = 32;
    TFormQX25 window(options);
    window.show();
    QApplication::processEvents();
    QuizEngine& engine = window.Engine();
    engine.BeginQuiz();
    for (auto _ : state) {
        if (!engine.State.Running) {
            state.PauseTiming();
            QApplication::processEvents(); // the repaints the finished quiz asked for
            engine.BeginQuiz();
            state.ResumeTiming();
        }
        const char letter = engine.Table[engine.State.CurrentNote].Letter;
        const int notesLeft = engine.State.NotesLeft;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (letter - 'A'), Qt::NoModifier,
                        QString(QChar(letter - 'A' + 'a')));
        QApplication::sendEvent(&window, &press);
        if (engine.State.Running && engine.State.NotesLeft != notesLeft - 1)
            state.SkipWithError("the key was not taken as the right answer");
    }
}
BENCHMARK(KeyPressToJudgedAnswer);

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed: the window is drawn offscreen unless a platform is chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
