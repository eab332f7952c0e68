#pragma once

// Shared by the history tests: sample answers, a look inside the store's file, and the store run in a
// child process (as another user, or to be killed in the middle of its work).

#include "NoteTable.h"
#include "ProgressStore.h"
#include "QuizEngine.h"
#include "RememberedOptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <sys/mount.h>
#include <unistd.h>

constexpr std::int64_t SampleNow = 1'796'000'000'000; // an afternoon in December 2026

// Answers as a trainer gives them: every input mode, rows from each mode's table, all three outcomes with
// the answers that go with them, over the 60 days before SampleNow, oldest first.
inline std::vector<quavix::AnswerRecord> SampleAnswers(int count, unsigned seed) {
    using namespace quavix;
    std::mt19937 random(seed);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    NoteTable tables[3];
    for (std::uint8_t mode = 0; mode < 3; ++mode)
        BuildNoteTable(tables[mode], mode);
    std::vector<AnswerRecord> answers;
    std::int64_t quizStarted = SampleNow - 60LL * 24 * 3600 * 1000;
    for (int i = 0; i < count; ++i) {
        if (i % NotesPerQuiz == 0)
            quizStarted += (60LL * 24 * 3600 * 1000) / (count / NotesPerQuiz + 1);
        AnswerRecord record;
        record.QuizStartedMs = quizStarted;
        record.AnsweredMs = quizStarted + 5000 * (i % NotesPerQuiz) + below(4000);
        record.InputMode = static_cast<std::uint8_t>(below(3));
        record.Row = below(record.InputMode == GuitarFrets ? GuitarSetRows : StaffSetRows);
        const NoteEntry& note = tables[record.InputMode][record.Row];
        record.Step = note.Step;
        record.Staff = StaffOfRow(record.Row, record.InputMode);
        const int roll = below(10);
        record.Result = roll < 6 ? Outcome::Right : roll < 9 ? Outcome::Wrong : Outcome::TimedOut;
        const bool byLetter = record.InputMode == NoteButtons;
        switch (record.Result) {
        case Outcome::Right:
            record.Answered = byLetter ? FirstLetterCode + (note.Letter - 'A') : note.Step;
            break;
        case Outcome::Wrong:
            record.Answered = byLetter ? FirstLetterCode + (note.Letter - 'A' + 1 + below(6)) % 7
                                       : (note.Step + 1 + below(20)) % 30;
            break;
        case Outcome::TimedOut:
            record.Answered = AnswerRecord::NoAnswer;
            break;
        }
        record.Milliseconds = record.Result == Outcome::TimedOut ? 13000 + below(40) : 250 + below(11000);
        answers.push_back(record);
    }
    return answers;
}

// A history kept in folder by an earlier session: the answers, and the options of the piano on the bass
// staff at level 3. False when it could not be written.
inline bool KeepEarlierSession(const QString& folder, const std::vector<quavix::AnswerRecord>& answers) {
    using namespace quavix;
    Settings settings;
    settings.InputMode = PianoKeys;
    settings.StaffChoice = BassStaff;
    settings.KeepProgress = true;
    settings.Level = 3;
    ProgressStore store(folder);
    return store.Open() && store.RecordAll(answers) && store.SetOptions(OptionsToRemember(settings));
}

// The first value a pragma gives on the store's own connection.
inline QString Pragma(const quavix::ProgressStore& store, const char* name) {
    QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
    if (!query.exec(QString("PRAGMA %1").arg(name)) || !query.next())
        return "(failed)";
    return query.value(0).toString();
}

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

inline void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A file as the release before this one wrote it (version 2): spellings kept with the answers, but the
// hourly sums and the index of times by staff and step alone, and no key signatures. The sums are left
// empty, since they are worked out again from the answers when the file is brought up to date.
inline bool WriteReleaseBeforeFile(const QString& path, const std::vector<quavix::AnswerRecord>& answers,
                                   const std::map<QString, QString>& options) {
    bool written = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "release-before");
        db.setDatabaseName(path);
        written = db.open();
        QSqlQuery query(db);
        for (
            const char* statement :
            {"CREATE TABLE answers (id INTEGER PRIMARY KEY, quiz_started INTEGER NOT NULL, answered_at "
             "INTEGER "
             "NOT NULL, input_mode INTEGER NOT NULL, note_row INTEGER NOT NULL, step INTEGER NOT NULL, staff "
             "INTEGER NOT NULL, outcome INTEGER NOT NULL, answered INTEGER NOT NULL, ms INTEGER NOT NULL, "
             "alteration INTEGER NOT NULL DEFAULT 0)",
             "CREATE INDEX answers_by_note ON answers (staff, step, ms, answered_at)",
             "CREATE TABLE note_hours (hour INTEGER NOT NULL, staff INTEGER NOT NULL, step INTEGER NOT NULL, "
             "asked INTEGER NOT NULL, right INTEGER NOT NULL, wrong INTEGER NOT NULL, slow_sum REAL NOT "
             "NULL, "
             "PRIMARY KEY (hour, staff, step)) WITHOUT ROWID",
             "CREATE TABLE options (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID",
             "PRAGMA user_version=2"})
            written = written && query.exec(statement);
        // One transaction: a file of thousands of answers is written in a moment rather than a sync each.
        written = written && db.transaction();
        query.prepare("INSERT INTO answers (quiz_started, answered_at, input_mode, note_row, step, staff, "
                      "outcome, answered, ms, alteration) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const quavix::AnswerRecord& answer : answers) {
            for (const QVariant& value :
                 {QVariant::fromValue(answer.QuizStartedMs), QVariant::fromValue(answer.AnsweredMs),
                  QVariant(answer.InputMode), QVariant(answer.Row), QVariant(answer.Step),
                  QVariant(answer.Staff), QVariant(int(answer.Result)), QVariant(answer.Answered),
                  QVariant(answer.Milliseconds), QVariant(int(answer.Alteration))})
                query.addBindValue(value);
            written = written && query.exec();
        }
        query.prepare("INSERT INTO options (key, value) VALUES (?, ?)");
        for (const auto& [key, value] : options) {
            query.addBindValue(key);
            query.addBindValue(value);
            written = written && query.exec();
        }
        written = db.commit() && written;
    }
    QSqlDatabase::removeDatabase("release-before");
    return written;
}

// The page of the closed file at path that holds table (all of it for a small table, the root of its tree
// for a large one), as the file's own schema says, and the file's page size. 0 when there is none.
inline int RootPageOf(const QString& path, const QString& table, int& pageSize) {
    int page = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "look-inside");
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec("PRAGMA page_size") && query.next())
                pageSize = query.value(0).toInt();
            query.prepare("SELECT rootpage FROM sqlite_schema WHERE name = ?");
            query.addBindValue(table);
            if (query.exec() && query.next())
                page = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase("look-inside");
    return page;
}

// The page in the middle of the leaves under the root of table's tree, read from the root page's cells (an
// interior table page: type 5, its cell count at offset 3, its cell offsets from 12, each cell beginning
// with its child's page number). 0 when the table fits in one page.
inline int MiddleLeafOf(const QString& path, const QString& table) {
    int pageSize = 0;
    const int root = RootPageOf(path, table, pageSize);
    QFile file(path);
    if (root < 2 || !file.open(QIODevice::ReadOnly) || !file.seek(qint64(root - 1) * pageSize))
        return 0;
    const QByteArray page = file.read(pageSize);
    const auto byte = [&](int at) { return int(static_cast<unsigned char>(page.at(at))); };
    if (page.size() != pageSize || byte(0) != 5)
        return 0;
    const int cells = byte(3) << 8 | byte(4);
    const int pointer = 12 + 2 * (cells / 2); // where the middle cell's offset is kept
    const int cell = byte(pointer) << 8 | byte(pointer + 1);
    return byte(cell) << 24 | byte(cell + 1) << 16 | byte(cell + 2) << 8 | byte(cell + 3);
}

// Overwrites page number page (1 the first) of the closed file at path with noise, as a failing disk or a
// stray write would.
inline bool DamagePage(const QString& path, int page, int pageSize) {
    QFile file(path);
    if (page < 2 || pageSize <= 0 || !file.open(QIODevice::ReadWrite) ||
        !file.seek(qint64(page - 1) * pageSize))
        return false;
    std::mt19937 random(static_cast<unsigned>(page));
    QByteArray noise(pageSize, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    return file.write(noise) == pageSize;
}

// Overwrites with noise the page that holds table, or its tree's root.
inline bool DamageTable(const QString& path, const QString& table) {
    int pageSize = 0;
    const int page = RootPageOf(path, table, pageSize);
    return DamagePage(path, page, pageSize);
}

// The answer the writer child stores as its index-th: a function of the index, so what survived can be
// checked answer by answer.
inline quavix::AnswerRecord WriterAnswer(int index) {
    quavix::AnswerRecord record;
    record.QuizStartedMs = SampleNow + index / 20 * 120000;
    record.AnsweredMs = SampleNow + index * 1000LL;
    record.Row = index % 26;
    record.Step = index % 26;
    record.Result = static_cast<quavix::Outcome>(index % 3);
    record.Answered = record.Result == quavix::Outcome::TimedOut ? -1 : 100 + index % 7;
    record.Milliseconds = index % 13000;
    return record;
}

struct StoreChild {
    bool finished = false;
    bool couldNotDropRoot = false;
    QString output;
};

// Runs "open the store in folder, try to record, tell what happened" in a child process; as nobody when
// this process is root, whom no permission bits stop.
inline StoreChild RunStoreChild(const QString& folder) {
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments({"--open-store", folder});
    if (geteuid() == 0)
        process.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
        });
    process.start();
    StoreChild result;
    const bool started = process.waitForStarted(30000);
    result.finished =
        started && process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    // Root that cannot become nobody, or a test program that nobody may not run (a checkout in a private
    // home folder), cannot show what permissions do.
    result.couldNotDropRoot = geteuid() == 0 && (!started || (result.finished && process.exitCode() != 0));
    result.output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return result;
}

// A child mode of the test program, when asked for on the command line: the exit code, or -1 for none.
//   --open-store FOLDER     open, try one answer, print open=, record= and problem=
//   --write-answers FOLDER  store WriterAnswer(0), (1), ... printing each count once it is stored
inline int RunChildMode(int argc, char* argv[]) {
    if (argc != 3)
        return -1;
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "--open-store") == 0) {
        quavix::ProgressStore store(folder);
        const bool open = store.Open();
        const bool recorded = store.Record(WriterAnswer(0));
        std::printf("open=%d\nrecord=%d\nproblem=%s\n", open, recorded, qPrintable(store.TakeProblem()));
        return 0;
    }
    if (std::strcmp(argv[1], "--write-answers") == 0) {
        quavix::ProgressStore store(folder);
        if (!store.Open())
            return 2;
        for (int index = store.AnswerCount(); index < 1'000'000; ++index) {
            if (!store.Record(WriterAnswer(index)))
                return 4;
            if (index % 7 == 0 && !store.SetOption("level", QString::number(index)))
                return 5;
            std::printf("%d\n", index + 1);
            std::fflush(stdout);
        }
        return 0;
    }
    return -1;
}

// A tmpfs of a given size mounted on a folder, where this process may mount one (root, and a kernel that
// lets it), and taken away again at the end.
class SmallDisk {
public:
    ~SmallDisk() {
        if (!folder_.isEmpty())
            umount2(folder_.toLocal8Bit().constData(), MNT_DETACH);
    }
    bool Mount(const QString& folder, int bytes) {
        if (geteuid() != 0 || mount("quavix-test", folder.toLocal8Bit().constData(), "tmpfs", 0,
                                    QByteArray("size=" + QByteArray::number(bytes)).constData()) != 0)
            return false;
        folder_ = folder;
        return true;
    }
    bool Grow(const QString& folder, int bytes) {
        return mount("quavix-test", folder.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT,
                     QByteArray("size=" + QByteArray::number(bytes)).constData()) == 0;
    }

private:
    QString folder_;
};
