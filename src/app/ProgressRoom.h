#pragma once

// Results and progress, as the main window sees them: the record of this run's answers, the weak-note
// weights, the kept history when the user asks for it, and the results window. The window tells it what
// the user chose and shows what it reports; everything else happens here.

#include "AdaptivePractice.h"
#include "AnswerLog.h"
#include "MasteryPicture.h"
#include "Settings.h"
#include "SettingsRoom.h"
#include "WeakNotes.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

namespace quavix {

class ProgressStore;
class QuizEngine;
class TResultsWindow;

class TProgressRoom final : public QObject, public AnswerObserver, public AnswerSink, public KeepingGate {
    Q_OBJECT
public:
    // folder is where progress is kept when the user asks for it; empty: nowhere, and the option cannot
    // be switched on. window is the trainer's, which the results window and questions belong to.
    TProgressRoom(QuizEngine& engine, QString folder, QWidget* window);
    ~TProgressRoom() override;

    bool CanKeepProgress() const { return !folder_.isEmpty(); }
    bool HasResults() const { return log_.HasEndedQuiz(); }
    const AnswerLog& Log() const { return log_; }
    const AdaptivePractice& Adaptive() const { return adaptive_; }
    ProgressStore* Store() const { return store_.get(); }
    TResultsWindow* ResultsWindow() const;

    // When progress is kept, opens it and chooses the remembered settings. Touches nothing on disk when
    // it is not kept.
    void Restore();
    // Restores once painted has first been painted, so the window is on screen before the disk is read.
    void RestoreAfterFirstPaint(QWidget* painted);
    // KeepingGate: keeping stays off where it cannot be done (the user is told why); switching it off asks
    // whether to delete what was kept or put it away until keeping is switched on again, and Cancel leaves
    // it on.
    bool SwitchKeeping(const Settings& next) override;
    // The settings changed: the weak-note weights, the results' note names, and what is remembered.
    void FollowSettings(const Settings& now, const Settings& before);
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
    // Remembers the settings when progress is kept.
    void Remember(const Settings& settings);
    bool OpenStore();
    bool StartKeeping(Settings settings);
    bool AskToStopKeeping();
    enum class StopHow { Delete, PutAway };
    void StopKeeping(StopHow how);
    void StopKeepingByItself();
    void TellProblem();
    void LoadHistoryForWeights();
    void LoadHistoryForAdaptive();
    // The mastery map of the chosen staves and the fluency of the last FluencyDays.
    MasteryData MasteryNow();
    static constexpr int FluencyDays = 14;
    // Into the kept history, when there is one; false when the answer is not kept.
    bool Keep(const AnswerRecord& record);
    void PlaceBesideTrainer();

    QuizEngine& engine_;
    QString folder_;
    QWidget* window_;
    SystemAnswerClock clock_;
    AnswerLog log_;
    WeakNotes weights_;
    AdaptivePractice adaptive_{clock_};
    std::unique_ptr<ProgressStore> store_;
    std::map<QString, QString> remembered_;      // what the kept file holds, so only changes are written
    std::map<NoteKey, NoteTally> storedThisRun_; // this run's answers that went into the kept history
    bool historyLoaded_ = false;
    bool masteryLoaded_ = false; // the adaptive practice has read the kept history
    QPointer<TResultsWindow> results_;
};

} // namespace quavix
