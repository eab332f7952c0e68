// A trainer killed at any moment while it stores answers: every answer it had stored is there afterwards,
// and the file is whole.
#include "ProgressStore.h"
#include "ProgressTestSupport.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <random>

using namespace quavix;

class ProgressCrashTest : public QObject {
    Q_OBJECT

private slots:
    void killedWriterLosesNothingStored();
};

void ProgressCrashTest::killedWriterLosesNothingStored() {
    QTemporaryDir temp;
    std::mt19937 random(20261208);
    int confirmed = 0; // answers the writer reported stored, over all its runs
    for (int run = 0; run < 6; ++run) {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {"--write-answers", temp.path()});
        QVERIFY(writer.waitForStarted());
        // Kill it after a random number of answers, at whatever point of its work it has reached then.
        const int killAfter = confirmed + 20 + static_cast<int>(random() % 400);
        QByteArray output;
        while (confirmed < killAfter) {
            QVERIFY2(writer.state() == QProcess::Running || writer.bytesAvailable() > 0,
                     "the writer stopped");
            writer.waitForReadyRead(10000);
            output += writer.readAllStandardOutput();
            const int end = output.lastIndexOf('\n');
            if (end >= 0) {
                const int start = output.lastIndexOf('\n', end - 1) + 1;
                confirmed = std::max(confirmed, output.mid(start, end - start).toInt());
            }
        }
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        output += writer.readAllStandardOutput();
        if (const int end = output.lastIndexOf('\n'); end >= 0)
            confirmed =
                std::max(confirmed, output.mid(output.lastIndexOf('\n', end - 1) + 1).trimmed().toInt());

        ProgressStore store(temp.path());
        QVERIFY(store.Open());
        QVERIFY(store.TakeProblem().isEmpty());
        QCOMPARE(Pragma(store, "integrity_check"), QString("ok"));
        const auto answers = store.Answers();
        // At most the answer being written when the kill came is missing from what the writer went on to do.
        QVERIFY2(int(answers.size()) >= confirmed,
                 qPrintable(QString("%1 stored, %2 confirmed").arg(answers.size()).arg(confirmed)));
        for (int i = 0; i < int(answers.size()); ++i)
            if (!(answers[i] == WriterAnswer(i)))
                QFAIL(qPrintable(QString("answer %1 differs").arg(i)));
        confirmed = int(answers.size());
    }
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (const int child = RunChildMode(argc, argv); child >= 0)
        return child;
    ProgressCrashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_progresscrash.moc"
