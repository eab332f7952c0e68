#pragma once

#include "AnswerLog.h"
#include "NoteFigures.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

class QSqlError;

namespace quavix {

// The kept history: every answer and the few remembered options, in one SQLite file in the user's data
// folder. Each answer is written in a transaction of its own in write-ahead-log mode, so a program killed at
// any moment loses at most the answer being written and never damages what was stored.
//
// Nothing here ever stops the trainer. When the file cannot be used (damaged, made by a newer version, in a
// folder or a file that cannot be written, on a full disk) the store closes, keeps a damaged or newer file
// under a new name rather than deleting it, starts a fresh file where it can (carrying into it whatever of
// a damaged file still reads), and leaves one sentence in plain words for the user (TakeProblem). While
// closed, every call is a harmless no-op.
class ProgressStore final : public AnswerSink {
    Q_DECLARE_TR_FUNCTIONS(ProgressStore)

public:
    // The layout of the file this program writes; older files are brought up to it when opened.
    static constexpr int SchemaVersion = 2;

    explicit ProgressStore(QString folder);
    ~ProgressStore() override;
    ProgressStore(const ProgressStore&) = delete;
    ProgressStore& operator=(const ProgressStore&) = delete;

    // The folder the program keeps its progress in: the application data location.
    static QString DefaultFolder();
    // Whether a history is being kept in the folder: its file is there and has not been paused. Looks only,
    // writes nothing.
    static bool IsKept(const QString& folder);

    QString Folder() const { return folder_; }
    QString FilePath() const;
    QString PausedPath() const;
    // The name of the Qt SQL connection while open, for tests that look inside.
    QString ConnectionName() const { return connection_; }

    // Opens (making the folder and the file as needed, and bringing back a paused history). False when the
    // history cannot be kept this time; TakeProblem then says why.
    bool Open();
    bool IsOpen() const { return open_; }
    void Close();
    // Stops keeping but holds on to what was kept: the file is closed and renamed, so the next start finds
    // no history to keep and writes nothing; Open brings it back.
    bool Pause();
    // Closes and deletes every file of the history, paused or not.
    bool Forget();

    void Store(const AnswerRecord& record) override { Record(record); }
    bool Record(const AnswerRecord& record);
    // Many answers in one transaction, as when bringing in a long list.
    bool RecordAll(std::span<const AnswerRecord> records);

    // Figures per note of the answers given since each of the times (ms since 1970, UTC), one map per time.
    // A span starts at the full hour at or before its time.
    std::vector<std::map<NoteKey, NoteFigures>> FiguresSince(const std::vector<std::int64_t>& fromMs);
    // Every answer, oldest first.
    std::vector<AnswerRecord> Answers();
    int AnswerCount();

    bool SetOption(const QString& key, const QString& value);
    // Several at once, in one transaction.
    bool SetOptions(const std::map<QString, QString>& options);
    std::map<QString, QString> Options();

    // The whole history as CSV (see AnswerCsv), replacing the file only once all of it is written.
    bool ExportCsv(const QString& path, QString* error);

    // The sentence for the user about the latest problem, once; empty when there is none to tell.
    QString TakeProblem();

private:
    enum class Trouble { None, Damaged, Newer, Unwritable, Full, Busy, Other };

    Trouble TryOpen();
    Trouble Migrate(int fromVersion);
    static Trouble Classify(const QSqlError& error);
    // Deals with a failed statement: a damaged file is set aside and a fresh one opened (true: try again);
    // anything else closes the store with a problem to tell.
    bool Recover(const QSqlError& error);
    // Sets a damaged or newer file aside and opens a fresh one in its place; false if that cannot be done.
    bool StartAfresh(Trouble why);
    // Copies what still reads in the damaged file set aside at damagedPath into the fresh one.
    void CarryOver(const QString& damagedPath);
    // The kept file, or one of its companions, that this user may not write in a folder they may write in;
    // empty when there is none.
    QString ReadOnlyFile() const;
    bool SetAside(Trouble why, QString* asideName);
    void Tell(Trouble why, const QString& detail = {});
    void TellSetAside(Trouble why, const QString& aside, bool fresh);
    bool Exec(QSqlQuery& query, const QString& sql);
    // Runs read, which returns the error it met, and once more on the fresh file when the error was damage
    // that was set aside; false when it did not succeed.
    bool ReadRecovering(const std::function<QSqlError()>& read);
    void Write(const AnswerRecord& record, QSqlError& error);
    bool ReadFigures(const std::vector<std::int64_t>& fromMs,
                     std::vector<std::map<NoteKey, NoteFigures>>& figures, QSqlError& error);

    QString folder_;
    QString connection_;
    bool open_ = false;
    QString problem_;
    std::unique_ptr<QSqlQuery> insert_; // an answer
    std::unique_ptr<QSqlQuery> count_;  // its hour's running sums
};

} // namespace quavix
