#include "ProgressRoom.h"

#include "AnswerCsv.h"
#include "FirstPaint.h"
#include "KeySignatures.h"
#include "ProgressStore.h"
#include "QuizEngine.h"
#include "RememberedOptions.h"
#include "ResultsPicture.h"
#include "ResultsWindow.h"
#include "WeakKeys.h"

#include <QDateTime>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace quavix {

namespace {
constexpr std::int64_t MsPerDay = 24LL * 60 * 60 * 1000;
}

TProgressRoom::TProgressRoom(QuizEngine& engine, QString folder, QWidget* window)
    : QObject(window), engine_(engine), folder_(std::move(folder)), window_(window), log_(clock_),
      weights_(engine, log_.Tallies()) {
    engine_.SetAnswerObserver(this);
    log_.SetSink(this);
}

TProgressRoom::~TProgressRoom() {
    engine_.SetAnswerObserver(nullptr);
    engine_.SetNoteWeights(nullptr);
    engine_.SetNoteChooser(nullptr);
}

bool TProgressRoom::OpenStore() {
    if (store_ && store_->IsOpen())
        return true;
    store_ = std::make_unique<ProgressStore>(folder_);
    // Damage inside the file may show only when the options are read; either way it is told once.
    bool open = store_->Open();
    if (open)
        remembered_ = store_->Options();
    open = open && store_->IsOpen();
    TellProblem();
    if (!open) {
        store_.reset();
        return false;
    }
    historyLoaded_ = false;
    masteryLoaded_ = false;
    storedThisRun_.clear();
    storedKeysThisRun_.clear();
    return true;
}

void TProgressRoom::TellProblem() {
    if (!store_)
        return;
    const QString text = store_->TakeProblem();
    if (text.isEmpty())
        return;
    // Told once, in a box that waits beside the trainer rather than stopping it.
    auto* box = new QMessageBox(QMessageBox::Warning, tr("Quavix 2"), text, QMessageBox::Ok, window_);
    box->setObjectName(QStringLiteral("ProgressProblemBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QTimer::singleShot(0, box, [box] { box->show(); });
}

void TProgressRoom::Restore() {
    // Only a history that is kept is opened; without one the start reads and writes nothing.
    if (!CanKeepProgress() || !ProgressStore::IsKept(folder_) || !OpenStore())
        return;
    Settings settings = engine_.CurrentSettings();
    RestoreOptions(remembered_, settings);
    settings.KeepProgress = true;
    emit settingsChosen(settings);
    FindWeakKey();
}

void TProgressRoom::RestoreAfterFirstPaint(QWidget* painted) {
    RunAfterFirstPaint(painted, this, [this] { Restore(); });
}

bool TProgressRoom::SwitchKeeping(const Settings& next) {
    return next.KeepProgress ? StartKeeping(next) : !AskToStopKeeping();
}

void TProgressRoom::FollowSettings(const Settings& now, const Settings& before) {
    if (now.NoteNaming != before.NoteNaming)
        RefreshResults();
    if (now.PractiseWeakNotes != before.PractiseWeakNotes)
        engine_.SetNoteWeights(now.PractiseWeakNotes ? &weights_ : nullptr);
    if (now.AdaptivePractice != before.AdaptivePractice)
        engine_.SetNoteChooser(now.AdaptivePractice ? &adaptive_ : nullptr);
    if (now.AdaptivePractice)
        LoadHistoryForAdaptive();
    Remember(now);
}

TResultsWindow* TProgressRoom::ResultsWindow() const {
    return results_;
}

bool TProgressRoom::StartKeeping(Settings settings) {
    if (!CanKeepProgress() || !OpenStore())
        return false;
    settings.KeepProgress = true;
    Remember(settings);
    return true;
}

void TProgressRoom::StopKeeping(StopHow how) {
    if (!store_)
        store_ = std::make_unique<ProgressStore>(folder_);
    if (how == StopHow::Delete)
        store_->Forget();
    else
        store_->Pause();
    store_.reset();
    remembered_.clear();
    historyLoaded_ = false;
    weights_.SetHistory({});
    masteryLoaded_ = false;
    adaptive_.ForgetHistory();
    FindWeakKey();
}

void TProgressRoom::StopKeepingByItself() {
    TellProblem();
    store_.reset();
    // This may come in the middle of the engine's judging an answer: the option is switched off once that
    // is done.
    QTimer::singleShot(0, this, [this] {
        Settings next = engine_.CurrentSettings();
        next.KeepProgress = false;
        emit settingsChosen(next);
    });
}

bool TProgressRoom::AskToStopKeeping() {
    QMessageBox box(
        QMessageBox::Question, tr("Quavix 2"),
        tr("Quavix will no longer keep your progress. Delete the answers and options kept so far?\n\n"
           "Yes deletes them; No keeps them for when you switch this on again."),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, window_);
    box.setObjectName(QStringLiteral("StopKeepingBox"));
    box.setDefaultButton(QMessageBox::No);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        StopKeeping(StopHow::Delete);
    else if (box.clickedButton() == box.button(QMessageBox::No))
        StopKeeping(StopHow::PutAway);
    else
        return false; // Cancel or the close box: nothing changes
    return true;
}

void TProgressRoom::Remember(const Settings& settings) {
    if (!store_ || !settings.KeepProgress)
        return;
    const auto options = OptionsToRemember(settings);
    if (options == remembered_)
        return;
    if (store_->SetOptions(options)) {
        remembered_ = options;
        TellProblem(); // a damaged file met on the way was set aside, and the options went into a fresh one
    } else if (!store_->IsOpen())
        StopKeepingByItself();
}

void TProgressRoom::LoadHistoryForWeights() {
    // Read once, when the first quiz that uses the weights begins, so starting the trainer reads nothing it
    // may not need. This run's answers count through the log already, so those the history holds too are
    // taken out again.
    if (historyLoaded_ || !store_)
        return;
    historyLoaded_ = true;
    const std::int64_t now = clock_.WallMs();
    const auto figures = store_->FiguresSince({now - RecentDays * MsPerDay, now - HistoryDays * MsPerDay});
    auto history = BlendHistory(figures[0], figures[1]);
    for (const auto& [key, tally] : storedThisRun_)
        history[key].Add(tally, -1);
    weights_.SetHistory(std::move(history));
    TellProblem();
}

void TProgressRoom::LoadHistoryForAdaptive() {
    // Every kept answer, read once: at the start when adaptive practice was chosen before (after the window
    // is on screen), or when it is chosen or the first quiz with it begins. This run's answers that are
    // kept are among them; those that are not are added back.
    if (masteryLoaded_ || !store_)
        return;
    masteryLoaded_ = true;
    adaptive_.LoadHistory(store_->Answers());
    TellProblem();
}

void TProgressRoom::QuizBegun(const QuizEngine& quiz) {
    log_.QuizBegun(quiz);
    if (quiz.CurrentSettings().PractiseWeakNotes)
        LoadHistoryForWeights();
    if (quiz.CurrentSettings().AdaptivePractice)
        LoadHistoryForAdaptive();
}

void TProgressRoom::QuizEnded(const QuizEngine& quiz) {
    // The engine also ends a quiz when none runs; only a quiz that ran has results.
    const bool ran = log_.QuizOpen();
    log_.QuizEnded(quiz);
    if (!ran)
        return;
    emit resultsReady();
    RefreshResults();
    FindWeakKey();
}

void TProgressRoom::FindWeakKey() {
    KeyTallies history;
    if (store_) {
        const std::int64_t now = clock_.WallMs();
        const auto figures =
            store_->KeyFiguresSince({now - RecentDays * MsPerDay, now - HistoryDays * MsPerDay});
        TellProblem();
        history = BlendHistory(figures[0], figures[1]);
        // This run's kept answers are in the log too; counted once.
        for (const auto& [key, tally] : storedKeysThisRun_)
            history[key].Add(tally, -1);
    }
    const std::optional<int> weakest = WeakestKey(CombineKeys(TallyKeys(log_.Answers()), history));
    emit weakKeyFound(weakest.has_value(), weakest.value_or(0));
}

void TProgressRoom::Store(const AnswerRecord& record) {
    adaptive_.Record(record, Keep(record));
}

bool TProgressRoom::Keep(const AnswerRecord& record) {
    if (!store_)
        return false;
    if (store_->Record(record)) {
        storedThisRun_[record.Key()].Add(record);
        if (IsKey(record.KeySignature))
            storedKeysThisRun_[record.KeySignature].Add(record);
        TellProblem(); // a damaged file met on the way was set aside, and the answer went into a fresh one
        return true;
    }
    // The history could not take it: tell the user, and stop keeping until the option is chosen again.
    if (store_->IsOpen())
        TellProblem();
    else
        StopKeepingByItself();
    return false;
}

void TProgressRoom::ShowResults() {
    if (!results_) {
        results_ = new TResultsWindow([this](const QString& path) { return ExportTo(path); }, window_);
        // Moved to a screen with another ratio, the picture is drawn again for it.
        connect(results_, &TResultsWindow::ratioChanged, this, &TProgressRoom::RefreshResults);
        RefreshResults();
        PlaceBesideTrainer();
        results_->show();
    } else {
        RefreshResults();
        results_->showNormal();
    }
    results_->raise();
    results_->activateWindow();
}

void TProgressRoom::CloseResults() {
    if (results_)
        results_->close();
}

void TProgressRoom::PlaceBesideTrainer() {
    // Beside the trainer, right or else left, so the quiz stays in view; where neither fits, the window
    // system decides.
    const QScreen* screen = window_->screen();
    if (!screen)
        return;
    results_->adjustSize();
    const QRect area = screen->availableGeometry();
    const QRect trainer = window_->frameGeometry();
    const QSize size = results_->frameGeometry().size();
    constexpr int Gap = 8;
    const int top =
        std::clamp(trainer.top(), area.top(), std::max(area.top(), area.bottom() - size.height()));
    if (trainer.right() + Gap + size.width() <= area.right())
        results_->move(trainer.right() + Gap, top);
    else if (trainer.left() - Gap - size.width() >= area.left())
        results_->move(trainer.left() - Gap - size.width(), top);
}

void TProgressRoom::RefreshResults() {
    if (!results_)
        return;
    ResultsData data;
    data.NoteNaming = engine_.CurrentSettings().NoteNaming;
    const auto last = log_.LastQuiz();
    data.Quiz.assign(last.begin(), last.end());
    data.ThisRun = SummariseByNote(log_.Answers());
    if (store_) {
        const std::int64_t now = clock_.WallMs();
        auto figures = store_->FiguresSince({now - RecentDays * MsPerDay, now - HistoryDays * MsPerDay});
        TellProblem();
        data.HistoryKept = store_->IsOpen();
        data.LastWeek = std::move(figures[0]);
        data.LastMonth = std::move(figures[1]);
    }
    data.Mastery = MasteryNow();
    results_->SetPicture(ResultsPicture::Draw(data, results_->Ratio()));
}

MasteryData TProgressRoom::MasteryNow() {
    // The whole history counts, so it is read (once) when the results first show it.
    LoadHistoryForAdaptive();
    const Settings& settings = engine_.CurrentSettings();
    MasteryData mastery;
    mastery.InputMode = settings.InputMode;
    // Spelled in the key chosen, or with a new key each quiz in the last quiz's.
    const int key = settings.KeyEachQuiz || !IsKey(settings.Key) ? engine_.State.Key : settings.Key;
    mastery.Notes =
        MasteryMap(adaptive_.Model(), engine_.Table, settings, key, adaptive_.Now(), engine_.ClefSetRows());
    mastery.ClefSet = engine_.ClefSetRows() > 0;
    mastery.Plan = PlanFor(settings);
    mastery.Table = engine_.Table;
    const QDateTime now = QDateTime::currentDateTime();
    mastery.Days = adaptive_.Fluency(FluencyDays, now.offsetFromUtc());
    for (int day = FluencyDays - 1; day >= 0; --day)
        mastery.DayNames.push_back(QString::number(now.date().addDays(-day).day()));
    return mastery;
}

QString TProgressRoom::ExportTo(const QString& path) {
    QString error;
    if (store_ && store_->IsOpen()) {
        if (!store_->ExportCsv(path, &error))
            return error.isEmpty() ? tr("unknown error") : error;
        TellProblem();
        return {};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !AnswerCsv::Write(file, log_.Answers()) || !file.commit())
        return file.errorString();
    return {};
}

} // namespace quavix
