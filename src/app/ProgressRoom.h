#pragma once

// Results and progress, as the main window sees them: the record of this run's answers, the weak-note
// weights, the kept history when the user asks for it, and the results window. The window tells it what
// the user chose and shows what it reports; everything else happens here.

#include "AnswerLog.h"
#include "Settings.h"
#include "WeakNotes.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

namespace quavix {

class ProgressStore;
class QuizEngine;
class TResultsWindow;

class TProgressRoom final : public QObject, public AnswerObserver, public AnswerSink {
    Q_OBJECT
public:
    // folder is where progress is kept when the user asks for it; empty: nowhere, and the option cannot
    // be switched on. window is the trainer's, which the results window and questions belong to.
    TProgressRoom(QuizEngine& engine, QString folder, QWidget* window);
    ~TProgressRoom() override;

    bool CanKeepProgress() const { return !folder_.isEmpty(); }
    bool HasResults() const { return log_.HasEndedQuiz(); }
    const AnswerLog& Log() const { return log_; }
    ProgressStore* Store() const { return store_.get(); }
    TResultsWindow* ResultsWindow() const;

    // At start: when progress is kept, opens it and chooses the remembered settings and level. Touches
    // nothing on disk when it is not kept.
    void Restore();
    // The two check items of the Options menu: each chooses the settings with the option switched over.
    // Keeping stays off where it cannot be done (the user is told why); switching it off asks whether to
    // delete what was kept or put it away until keeping is switched on again, and Cancel leaves it on.
    void TogglePractiseWeakNotes();
    void ToggleKeepProgress();
    // The settings or the level changed: remembered when progress is kept.
    void Remember(const Settings& settings, int level);
    void SetPractiseWeakNotes(bool on);
    // Draws the results again, if they are open, from the answers and the settings as they are now.
    void RefreshResults();

    // Opens the results window, or brings it to the front, with the latest quiz's results.
    void ShowResults();
    void CloseResults();
    // The export of the results window: the kept history, or this run's answers when none is kept.
    QString ExportTo(const QString& path);

    // AnswerObserver: the engine's reports go to the log, and the room follows the quizzes.
    void QuizBegun(const QuizEngine& quiz) override;
    void NoteAsked(const QuizEngine& quiz) override { log_.NoteAsked(quiz); }
    void NoteAnswered(const QuizEngine& quiz, int answerCode, bool right) override {
        log_.NoteAnswered(quiz, answerCode, right);
    }
    void NoteTimedOut(const QuizEngine& quiz) override { log_.NoteTimedOut(quiz); }
    void QuizEnded(const QuizEngine& quiz) override;
    // AnswerSink: each answer the log records, on its way to the kept history.
    void Store(const AnswerRecord& record) override;

signals:
    // A quiz ended, so there are results to show.
    void resultsReady();
    // The settings the user's choice here leads to (also when keeping stops by itself, the disk full).
    void settingsChosen(const Settings& settings);

private:
    bool OpenStore();
    bool StartKeeping(Settings settings, int level);
    bool AskToStopKeeping();
    enum class StopHow { Delete, PutAway };
    void StopKeeping(StopHow how);
    void StopKeepingByItself();
    void TellProblem();
    void LoadHistoryForWeights();
    void PlaceBesideTrainer();

    QuizEngine& engine_;
    QString folder_;
    QWidget* window_;
    SystemAnswerClock clock_;
    AnswerLog log_;
    WeakNotes weights_;
    std::unique_ptr<ProgressStore> store_;
    std::map<QString, QString> remembered_;      // what the kept file holds, so only changes are written
    std::map<NoteKey, NoteTally> storedThisRun_; // this run's answers that went into the kept history
    bool historyLoaded_ = false;
    QPointer<TResultsWindow> results_;
};

} // namespace quavix
