// The store's reading and writing once it is open. Every call is a no-op while the store is closed; a
// statement that fails hands its error to Recover, which sets a damaged file aside and goes on with a fresh
// one, or closes the store with a problem to tell.
#include "AnswerCsv.h"
#include "ProgressStore.h"
#include "WeakNotes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>

#include <algorithm>

namespace quavix {

namespace {

AnswerRecord RecordFrom(const QSqlQuery& query) {
    AnswerRecord record;
    record.QuizStartedMs = query.value(0).toLongLong();
    record.AnsweredMs = query.value(1).toLongLong();
    record.InputMode = static_cast<std::uint8_t>(query.value(2).toInt());
    record.Row = query.value(3).toInt();
    record.Step = query.value(4).toInt();
    record.Staff = static_cast<std::uint8_t>(query.value(5).toInt());
    record.Result = static_cast<Outcome>(query.value(6).toInt());
    record.Answered = query.value(7).toInt();
    record.Milliseconds = query.value(8).toInt();
    record.Alteration = static_cast<std::int8_t>(std::clamp(query.value(9).toInt(), -1, 1));
    return record;
}

const QString AllAnswers = QStringLiteral(
    "SELECT quiz_started, answered_at, input_mode, note_row, step, staff, outcome, answered, ms, alteration "
    "FROM answers ORDER BY id");

// Every answer, oldest first, or as many as read before an error, which is returned.
QSqlError ReadAnswers(const QSqlDatabase& db, std::vector<AnswerRecord>& answers) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(AllAnswers))
        while (query.next())
            answers.push_back(RecordFrom(query));
    return query.lastError();
}

// Every option, or as many as read before an error, which is returned.
QSqlError ReadOptions(const QSqlDatabase& db, std::map<QString, QString>& options) {
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT key, value FROM options")))
        while (query.next())
            options[query.value(0).toString()] = query.value(1).toString();
    return query.lastError();
}

constexpr std::int64_t MsPerHour = 60 * 60 * 1000;

// The hour an instant falls in, rounding down also before 1970.
std::int64_t HourOf(std::int64_t ms) {
    return ms >= 0 ? ms / MsPerHour : -((-ms + MsPerHour - 1) / MsPerHour);
}

} // namespace

bool ProgressStore::Record(const AnswerRecord& record) {
    return RecordAll({&record, 1});
}

bool ProgressStore::RecordAll(std::span<const AnswerRecord> records) {
    // Each answer with its hour's sums, all in one transaction: everything is stored, or nothing. The
    // transaction is begun and ended by statements rather than by the driver's calls, whose errors do not
    // carry SQLite's code, and a full disk must be told apart from other trouble.
    for (int attempt = 0; attempt < 2 && open_; ++attempt) {
        QSqlError error;
        {
            QSqlQuery control(QSqlDatabase::database(connection_, false));
            if (!control.exec(QStringLiteral("BEGIN IMMEDIATE")))
                error = control.lastError();
            for (std::size_t i = 0; i < records.size() && !error.isValid(); ++i)
                Write(records[i], error);
            if (!error.isValid() && !control.exec(QStringLiteral("COMMIT")))
                error = control.lastError();
            if (!error.isValid())
                return true;
            control.exec(QStringLiteral("ROLLBACK"));
        }
        if (!Recover(error))
            return false;
    }
    return false;
}

void ProgressStore::Write(const AnswerRecord& record, QSqlError& error) {
    insert_->bindValue(0, static_cast<qlonglong>(record.QuizStartedMs));
    insert_->bindValue(1, static_cast<qlonglong>(record.AnsweredMs));
    insert_->bindValue(2, record.InputMode);
    insert_->bindValue(3, record.Row);
    insert_->bindValue(4, record.Step);
    insert_->bindValue(5, record.Staff);
    insert_->bindValue(6, static_cast<int>(record.Result));
    insert_->bindValue(7, record.Answered);
    insert_->bindValue(8, record.Milliseconds);
    insert_->bindValue(9, static_cast<int>(record.Alteration));
    count_->bindValue(0, static_cast<qlonglong>(HourOf(record.AnsweredMs)));
    count_->bindValue(1, record.Staff);
    count_->bindValue(2, record.Step);
    count_->bindValue(3, record.Result == Outcome::Right ? 1 : 0);
    count_->bindValue(4, record.Result == Outcome::Wrong ? 1 : 0);
    count_->bindValue(5, record.Result == Outcome::Right ? Slowness(record.Milliseconds) : 0.0);
    if (!insert_->exec())
        error = insert_->lastError();
    else if (!count_->exec())
        error = count_->lastError();
}

std::vector<std::map<NoteKey, NoteFigures>>
ProgressStore::FiguresSince(const std::vector<std::int64_t>& fromMs) {
    std::vector<std::map<NoteKey, NoteFigures>> figures(fromMs.size());
    ReadRecovering([&] {
        QSqlError error;
        if (!ReadFigures(fromMs, figures, error))
            for (auto& span : figures)
                span.clear();
        return error;
    });
    return figures;
}

bool ProgressStore::ReadFigures(const std::vector<std::int64_t>& fromMs,
                                std::vector<std::map<NoteKey, NoteFigures>>& figures, QSqlError& error) {
    // The counts and the slowness sums add up the hourly sums. Each median is then looked up in the index,
    // which holds every note's answers in the order of their times: the middle answer of those in the span,
    // found without sorting anything.
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery counts(db);
    counts.setForwardOnly(true);
    counts.prepare(QStringLiteral("SELECT staff, step, SUM(asked), SUM(right), SUM(wrong), TOTAL(slow_sum)"
                                  " FROM note_hours WHERE hour >= ? GROUP BY staff, step"));
    QSqlQuery middle(db);
    middle.setForwardOnly(true);
    middle.prepare(
        QStringLiteral("SELECT ms FROM answers INDEXED BY answers_by_note"
                       " WHERE staff = ? AND step = ? AND answered_at >= ? ORDER BY ms LIMIT ? OFFSET ?"));
    for (std::size_t span = 0; span < fromMs.size(); ++span) {
        const std::int64_t hour = HourOf(fromMs[span]);
        counts.addBindValue(static_cast<qlonglong>(hour));
        if (!counts.exec()) {
            error = counts.lastError();
            return false;
        }
        while (counts.next()) {
            NoteFigures note;
            note.Key = {static_cast<std::uint8_t>(counts.value(0).toInt()), counts.value(1).toInt()};
            note.Asked = counts.value(2).toInt();
            note.Right = counts.value(3).toInt();
            note.Wrong = counts.value(4).toInt();
            note.TimedOut = note.Asked - note.Right - note.Wrong;
            note.SlowSum = counts.value(5).toDouble();
            figures[span][note.Key] = note;
        }
        if (counts.lastError().isValid()) {
            error = counts.lastError();
            return false;
        }
        for (auto& [key, note] : figures[span]) {
            // The middle one of an odd count, the middle two of an even one.
            middle.addBindValue(key.Staff);
            middle.addBindValue(key.Step);
            middle.addBindValue(static_cast<qlonglong>(hour * MsPerHour));
            middle.addBindValue(note.Asked % 2 == 1 ? 1 : 2);
            middle.addBindValue((note.Asked - 1) / 2);
            if (!middle.exec()) {
                error = middle.lastError();
                return false;
            }
            std::int64_t sum = 0;
            int found = 0;
            while (middle.next()) {
                sum += middle.value(0).toInt();
                ++found;
            }
            note.MedianMs = found > 0 ? static_cast<int>(sum / found) : 0;
        }
    }
    return true;
}

bool ProgressStore::ReadRecovering(const std::function<QSqlError()>& read) {
    for (int attempt = 0; attempt < 2 && open_; ++attempt) {
        const QSqlError error = read();
        if (!error.isValid())
            return true;
        if (!Recover(error))
            return false;
    }
    return false;
}

std::vector<AnswerRecord> ProgressStore::Answers() {
    std::vector<AnswerRecord> answers;
    ReadRecovering([&] {
        answers.clear();
        const QSqlError error = ReadAnswers(QSqlDatabase::database(connection_, false), answers);
        if (error.isValid())
            answers.clear();
        return error;
    });
    return answers;
}

int ProgressStore::AnswerCount() {
    int count = 0;
    ReadRecovering([&] {
        QSqlQuery query(QSqlDatabase::database(connection_, false));
        if (query.exec(QStringLiteral("SELECT COUNT(*) FROM answers")) && query.next())
            count = query.value(0).toInt();
        return query.lastError();
    });
    return count;
}

bool ProgressStore::SetOption(const QString& key, const QString& value) {
    return SetOptions({{key, value}});
}

bool ProgressStore::SetOptions(const std::map<QString, QString>& options) {
    for (int attempt = 0; attempt < 2 && open_; ++attempt) {
        QSqlError error;
        {
            QSqlQuery query(QSqlDatabase::database(connection_, false));
            if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
                error = query.lastError();
            else
                query.prepare(QStringLiteral("INSERT OR REPLACE INTO options (key, value) VALUES (?, ?)"));
            for (auto it = options.begin(); it != options.end() && !error.isValid(); ++it) {
                query.addBindValue(it->first);
                query.addBindValue(it->second);
                if (!query.exec())
                    error = query.lastError();
            }
            if (!error.isValid() && !query.exec(QStringLiteral("COMMIT")))
                error = query.lastError();
            if (!error.isValid())
                return true;
            query.exec(QStringLiteral("ROLLBACK"));
        }
        if (!Recover(error))
            return false;
    }
    return false;
}

std::map<QString, QString> ProgressStore::Options() {
    std::map<QString, QString> options;
    ReadRecovering([&] {
        options.clear();
        const QSqlError error = ReadOptions(QSqlDatabase::database(connection_, false), options);
        if (error.isValid())
            options.clear();
        return error;
    });
    return options;
}

void ProgressStore::CarryOver(const QString& damagedPath) {
    // Read rows in order up to the first damaged page of their table: the answers when only the options
    // are damaged, the options when only the answers are. The sums per hour are worked out again from the
    // answers as they are written, so damage there loses nothing. The damaged file is only read.
    std::vector<AnswerRecord> answers;
    std::map<QString, QString> options;
    // Reading a file in write-ahead-log mode makes its log and index beside it; those it did not have are
    // taken away again afterwards, so the damaged file is left as it was put aside.
    QStringList made;
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (!QFileInfo::exists(damagedPath + suffix))
            made << damagedPath + suffix;
    const QString reader = connection_ + QStringLiteral("-damaged");
    {
        QSqlDatabase damaged = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), reader);
        damaged.setDatabaseName(damagedPath);
        damaged.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (damaged.open()) {
            ReadAnswers(damaged, answers);
            ReadOptions(damaged, options);
        }
    }
    QSqlDatabase::removeDatabase(reader);
    for (const QString& path : made)
        QFile::remove(path);
    if (answers.empty() && options.empty())
        return;

    // Into the fresh file in one transaction, and without the recovery of the other writes: should the
    // fresh file fail as well, it is left as it is, and the damaged one still holds everything.
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery control(db);
    if (!control.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return;
    QSqlError error;
    for (std::size_t i = 0; i < answers.size() && !error.isValid(); ++i)
        Write(answers[i], error);
    QSqlQuery option(db);
    option.prepare(QStringLiteral("INSERT INTO options (key, value) VALUES (?, ?)"));
    for (auto it = options.begin(); it != options.end() && !error.isValid(); ++it) {
        option.addBindValue(it->first);
        option.addBindValue(it->second);
        if (!option.exec())
            error = option.lastError();
    }
    if (error.isValid() || !control.exec(QStringLiteral("COMMIT")))
        control.exec(QStringLiteral("ROLLBACK"));
}

bool ProgressStore::ExportCsv(const QString& path, QString* error) {
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!open_)
        return fail(tr("No progress is kept."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    if (!query.exec(AllAnswers)) {
        const QString why = query.lastError().text();
        Recover(query.lastError());
        return fail(why);
    }
    bool written = file.write(AnswerCsv::Header()) >= 0;
    while (written && query.next())
        written = file.write(AnswerCsv::Line(RecordFrom(query))) >= 0;
    if (!written)
        return fail(file.errorString());
    if (query.lastError().isValid()) {
        const QString why = query.lastError().text();
        Recover(query.lastError());
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace quavix
