#include "ProgressStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStandardPaths>

#include <atomic>
#include <vector>

namespace quavix {

namespace {

const QString FileName = QStringLiteral("progress.sqlite");
const QString PausedName = QStringLiteral("progress-paused.sqlite");
// SQLite keeps the write-ahead log and its index beside the file; they belong with it wherever it goes.
const QStringList Companions = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")};

// How long a statement may wait for a lock before giving up. Only this program uses the file (and only
// one copy of it runs), so a lock that lasts longer means something is wrong, and the trainer must not
// wait for it.
constexpr int BusyTimeoutMs = 100;

// Each step brings a file from version i to i + 1.
const std::vector<std::vector<const char*>> Migrations = {
    {
        "CREATE TABLE answers ("
        " id INTEGER PRIMARY KEY,"
        " quiz_started INTEGER NOT NULL," // ms since 1970, UTC
        " answered_at INTEGER NOT NULL,"  // ms since 1970, UTC
        " input_mode INTEGER NOT NULL,"
        " note_row INTEGER NOT NULL,"
        " step INTEGER NOT NULL,"
        " staff INTEGER NOT NULL,"
        " outcome INTEGER NOT NULL," // 0 right, 1 wrong, 2 timed out
        " answered INTEGER NOT NULL,"
        " ms INTEGER NOT NULL)",
        // Each note's answers in the order of their times, so a median is found by counting along it.
        "CREATE INDEX answers_by_note ON answers (staff, step, ms, answered_at)",
        // Running sums per hour and note, written with each answer, so the figures of a span of days add
        // up a few rows per hour instead of every answer.
        "CREATE TABLE note_hours ("
        " hour INTEGER NOT NULL," // answered_at / 3600000
        " staff INTEGER NOT NULL,"
        " step INTEGER NOT NULL,"
        " asked INTEGER NOT NULL,"
        " right INTEGER NOT NULL,"
        " wrong INTEGER NOT NULL,"
        " slow_sum REAL NOT NULL," // the weak-note slowness of the right answers, summed
        " PRIMARY KEY (hour, staff, step)) WITHOUT ROWID",
        "CREATE TABLE options (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID",
    },
    {
        // How each note was spelled once sharps and flats could be asked; every earlier answer was a natural.
        "ALTER TABLE answers ADD COLUMN alteration INTEGER NOT NULL DEFAULT 0",
    },
};

QString NewConnectionName() {
    static std::atomic<int> serial{0};
    return QStringLiteral("quavix-progress-%1").arg(++serial);
}

bool MoveFileSet(const QString& from, const QString& to) {
    for (const QString& suffix : Companions)
        if (QFileInfo::exists(from + suffix) && !QFile::rename(from + suffix, to + suffix))
            return false;
    return true;
}

// A name in the folder that no file of any set has yet: base-what-stamp.sqlite, with a counter if needed.
QString UnusedName(const QString& folder, const QString& what) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("progress-%1-%2%3.sqlite")
                                 .arg(what, stamp, n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        bool free = true;
        for (const QString& suffix : Companions)
            free = free && !QFileInfo::exists(folder + QLatin1Char('/') + name + suffix);
        if (free)
            return name;
    }
}

} // namespace

ProgressStore::ProgressStore(QString folder) : folder_(std::move(folder)), connection_(NewConnectionName()) {}

ProgressStore::~ProgressStore() {
    Close();
}

QString ProgressStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool ProgressStore::IsKept(const QString& folder) {
    return QFileInfo::exists(QDir(folder).filePath(FileName));
}

QString ProgressStore::FilePath() const {
    return QDir(folder_).filePath(FileName);
}

QString ProgressStore::PausedPath() const {
    return QDir(folder_).filePath(PausedName);
}

bool ProgressStore::Open() {
    if (open_)
        return true;
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
        Tell(Trouble::Unwritable);
        return false;
    }
    if (!QFileInfo::exists(FilePath()) && QFileInfo::exists(PausedPath()) &&
        !MoveFileSet(PausedPath(), FilePath())) {
        Tell(Trouble::Unwritable);
        return false;
    }
    const Trouble trouble = TryOpen();
    if (trouble == Trouble::Damaged || trouble == Trouble::Newer)
        return StartAfresh(trouble);
    if (trouble != Trouble::None) {
        Close();
        Tell(trouble);
        return false;
    }
    open_ = true;
    return true;
}

ProgressStore::Trouble ProgressStore::TryOpen() {
    // SQLite would open a file it may not write for reading only, and leave its log files beside it.
    if (!ReadOnlyFile().isEmpty())
        return Trouble::Unwritable;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(FilePath());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open())
        return Classify(db.lastError());
    QSqlQuery query(db);
    // The first read of the file: a file that is no database at all fails here.
    if (!Exec(query, QStringLiteral("PRAGMA user_version")) || !query.next())
        return Classify(query.lastError());
    const int version = query.value(0).toInt();
    if (version > SchemaVersion)
        return Trouble::Newer;
    if (!Exec(query, QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next())
        return Classify(query.lastError());
    // A file that cannot take a log beside it (a read-only folder) stays in its old mode.
    if (query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return Trouble::Unwritable;
    // In WAL mode NORMAL loses nothing when the program dies, only possibly the last answers if the whole
    // machine loses power, and it saves a disk flush on every answer.
    if (!Exec(query, QStringLiteral("PRAGMA synchronous=NORMAL")))
        return Classify(query.lastError());
    if (const Trouble migrated = Migrate(version); migrated != Trouble::None)
        return migrated;
    query.finish();

    insert_ = std::make_unique<QSqlQuery>(db);
    count_ = std::make_unique<QSqlQuery>(db);
    if (!insert_->prepare(QStringLiteral("INSERT INTO answers (quiz_started, answered_at, input_mode, "
                                         "note_row, step, staff, outcome, answered, "
                                         "ms, alteration) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        return Classify(insert_->lastError());
    if (!count_->prepare(QStringLiteral(
            "INSERT INTO note_hours VALUES (?, ?, ?, 1, ?, ?, ?) ON CONFLICT (hour, staff, step) DO UPDATE "
            "SET"
            " asked = asked + 1, right = right + excluded.right, wrong = wrong + excluded.wrong,"
            " slow_sum = slow_sum + excluded.slow_sum")))
        return Classify(count_->lastError());
    return Trouble::None;
}

ProgressStore::Trouble ProgressStore::Migrate(int fromVersion) {
    if (fromVersion >= SchemaVersion)
        return Trouble::None;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    // One transaction for all steps: a file is at one version or the next, never between.
    if (!Exec(query, QStringLiteral("BEGIN IMMEDIATE")))
        return Classify(query.lastError());
    for (int version = fromVersion; version < SchemaVersion; ++version) {
        for (const char* statement : Migrations[static_cast<std::size_t>(version)]) {
            if (!Exec(query, QString::fromLatin1(statement))) {
                const Trouble trouble = Classify(query.lastError());
                Exec(query, QStringLiteral("ROLLBACK"));
                return trouble;
            }
        }
    }
    if (!Exec(query, QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion)) ||
        !Exec(query, QStringLiteral("COMMIT"))) {
        const Trouble trouble = Classify(query.lastError());
        Exec(query, QStringLiteral("ROLLBACK"));
        return trouble;
    }
    return Trouble::None;
}

void ProgressStore::Close() {
    insert_.reset();
    count_.reset();
    if (QSqlDatabase::contains(connection_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection_);
    }
    open_ = false;
}

bool ProgressStore::Pause() {
    Close();
    if (!QFileInfo::exists(FilePath()))
        return true;
    const QString target = QFileInfo::exists(PausedPath())
                               ? QDir(folder_).filePath(UnusedName(folder_, QStringLiteral("paused")))
                               : PausedPath();
    return MoveFileSet(FilePath(), target);
}

bool ProgressStore::Forget() {
    Close();
    bool removed = true;
    for (const QString& path : {FilePath(), PausedPath()})
        for (const QString& suffix : Companions)
            if (QFileInfo::exists(path + suffix))
                removed = QFile::remove(path + suffix) && removed;
    return removed;
}

ProgressStore::Trouble ProgressStore::Classify(const QSqlError& error) {
    // The driver reports SQLite's result code; the low byte is the primary code.
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xFF;
    if (!ok)
        return Trouble::Other;
    switch (code) {
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return Trouble::Damaged;
    case 13: // SQLITE_FULL
        return Trouble::Full;
    case 3:  // SQLITE_PERM
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
        return Trouble::Unwritable;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return Trouble::Busy;
    default:
        return Trouble::Other;
    }
}

bool ProgressStore::StartAfresh(Trouble why) {
    Close();
    QString aside;
    if (!SetAside(why, &aside)) {
        Tell(Trouble::Unwritable);
        return false;
    }
    open_ = TryOpen() == Trouble::None;
    if (open_ && why == Trouble::Damaged)
        CarryOver(QDir(folder_).filePath(aside));
    TellSetAside(why, aside, open_);
    if (!open_)
        Close();
    return open_;
}

bool ProgressStore::Recover(const QSqlError& error) {
    const Trouble trouble = Classify(error);
    // Damage found in the middle of a session is met as when it is found on opening.
    if (trouble == Trouble::Damaged)
        return StartAfresh(trouble);
    Close();
    Tell(trouble, error.text());
    return false;
}

bool ProgressStore::SetAside(Trouble why, QString* asideName) {
    const QString name =
        UnusedName(folder_, why == Trouble::Newer ? QStringLiteral("newer") : QStringLiteral("damaged"));
    if (!MoveFileSet(FilePath(), QDir(folder_).filePath(name)))
        return false;
    *asideName = name;
    return true;
}

void ProgressStore::TellSetAside(Trouble why, const QString& aside, bool fresh) {
    const QString then = fresh ? tr("Quavix has started keeping your progress anew.")
                               : tr("Your progress is not kept this time.");
    if (why == Trouble::Newer)
        problem_ = tr("Your kept progress was saved by a newer version of Quavix. Quavix has put it aside as "
                      "\u201c%1\u201d. %2")
                       .arg(aside, then);
    else
        problem_ = tr("Your kept progress could not be read. Quavix has put it aside as \u201c%1\u201d. %2")
                       .arg(aside, then);
}

void ProgressStore::Tell(Trouble why, const QString& detail) {
    switch (why) {
    case Trouble::None:
        return;
    case Trouble::Unwritable:
        if (const QString file = ReadOnlyFile(); !file.isEmpty())
            problem_ =
                tr("Quavix cannot write to the file \u201c%1\u201d, so your progress is not kept this time.")
                    .arg(QDir::toNativeSeparators(file));
        else
            problem_ = tr("Quavix cannot write in the folder \u201c%1\u201d, so your progress is not kept "
                          "this time.")
                           .arg(QDir::toNativeSeparators(folder_));
        break;
    case Trouble::Full:
        problem_ =
            tr("The disk is full, so Quavix has stopped keeping your progress. What was kept before is "
               "safe.");
        break;
    case Trouble::Busy:
        problem_ =
            tr("Your kept progress is in use by another program, so your progress is not kept this time.");
        break;
    case Trouble::Damaged:
    case Trouble::Newer:
    case Trouble::Other:
        problem_ = tr("Quavix could not use your kept progress (%1), so your progress is not kept this time.")
                       .arg(detail.isEmpty() ? tr("unknown error") : detail);
        break;
    }
}

QString ProgressStore::ReadOnlyFile() const {
    if (!QFileInfo(folder_).isWritable())
        return {};
    for (const QString& suffix : Companions) {
        const QFileInfo file(FilePath() + suffix);
        if (file.exists() && !file.isWritable())
            return file.filePath();
    }
    return {};
}

QString ProgressStore::TakeProblem() {
    QString taken;
    taken.swap(problem_);
    return taken;
}

bool ProgressStore::Exec(QSqlQuery& query, const QString& sql) {
    return query.exec(sql);
}

} // namespace quavix
