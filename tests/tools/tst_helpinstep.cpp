// The check that keeps the translated help in step with the English, on a small help planted in a
// temporary folder: in step it finds nothing; each kind of mismatch planted in it is found and named.

#include "HelpInStep.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quavix::HelpInStep;

namespace {

QString Project(const QString& keywords,
                const QString& inner = QStringLiteral("<section title=\"Quiz\" ref=\"topics/quiz.html\"/>")) {
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<QtHelpProject version="1.0">
  <namespace>example.test</namespace>
  <filterSection>
    <toc>
      <section title="Welcome" ref="topics/welcome.html">%1</section>
    </toc>
    <keywords>%2</keywords>
  </filterSection>
</QtHelpProject>
)")
        .arg(inner, keywords);
}

const QString EnglishKeywords = QStringLiteral(R"(<keyword name="Welcome" id="110" ref="topics/welcome.html"/>
      <keyword name="Quiz" id="14" ref="topics/quiz.html"/>
      <keyword name="Points" ref="topics/quiz.html"/>)");
const QString GermanKeywords =
    QStringLiteral(R"(<keyword name="Willkommen" id="110" ref="topics/welcome.html"/>
      <keyword name="Quiz" id="14" ref="topics/quiz.html"/>)");

QString Page(const QString& heading, const QString& checksum = {}) {
    const QString record =
        checksum.isEmpty() ? QString()
                           : QStringLiteral("<meta name=\"translated-from\" content=\"%1\">\n").arg(checksum);
    return QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n%1<title>%2</title>\n"
                          "</head>\n<body>\n<h1>%2</h1>\n</body>\n</html>\n")
        .arg(record, heading);
}

QByteArray Read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& file, const QByteArray& content) {
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file));
    f.write(content);
}

QString ChecksumOf(const QString& file) {
    return SourceChecksum(Read(file));
}

// An English help of two topics and its German translation, in step.
void PlantHelp(const QString& root) {
    Write(root + "/quavix.qhp", Project(EnglishKeywords).toUtf8());
    Write(root + "/topics/welcome.html", Page("Welcome").toUtf8());
    Write(root + "/topics/quiz.html", Page("Beginning and ending a quiz").toUtf8());
    Write(root + "/topics/help.css", "body { }\n");
    const QString record =
        QStringLiteral("?>\n<!-- translated-from: %1 -->").arg(ChecksumOf(root + "/quavix.qhp"));
    Write(root + "/de/quavix.qhp", Project(GermanKeywords).replace("?>", record).toUtf8());
    Write(root + "/de/topics/welcome.html",
          Page("Willkommen", ChecksumOf(root + "/topics/welcome.html")).toUtf8());
    Write(root + "/de/topics/quiz.html",
          Page("Ein Quiz beginnen und beenden", ChecksumOf(root + "/topics/quiz.html")).toUtf8());
}

void Replace(const QString& file, const QString& before, const QString& after) {
    QString text = QString::fromUtf8(Read(file));
    QVERIFY2(text.contains(before), qPrintable(file + ": " + before));
    Write(file, text.replace(before, after).toUtf8());
}

enum class Plant {
    Nothing,
    TopicMissing,
    TopicExtra,
    ContextMissing,
    ContextExtra,
    ContextElsewhere,
    ContentsEntryMissing,
    ContentsReordered,
    EnglishTopicChanged,
    EnglishProjectChanged,
    NoRecord,
    BrokenProject,
    WindowsLineEnds,
    LanguageMissing,
};

void PlantMismatch(const QString& root, Plant plant) {
    const QString de = root + "/de";
    switch (plant) {
    case Plant::Nothing:
        break;
    case Plant::TopicMissing:
        QVERIFY(QFile::remove(de + "/topics/quiz.html"));
        break;
    case Plant::TopicExtra:
        Write(de + "/topics/extra.html", Page("Extra").toUtf8());
        break;
    case Plant::ContextMissing:
        Replace(de + "/quavix.qhp", R"(name="Quiz" id="14")", R"(name="Quiz")");
        break;
    case Plant::ContextExtra:
        Replace(
            de + "/quavix.qhp", R"(<keyword name="Quiz" id="14" ref="topics/quiz.html"/>)",
            R"(<keyword name="Quiz" id="14" ref="topics/quiz.html"/><keyword name="Klang" id="20" ref="topics/quiz.html"/>)");
        break;
    case Plant::ContextElsewhere:
        Replace(de + "/quavix.qhp", R"(id="14" ref="topics/quiz.html")",
                R"(id="14" ref="topics/welcome.html")");
        break;
    case Plant::ContentsEntryMissing:
        Replace(de + "/quavix.qhp", R"(<section title="Quiz" ref="topics/quiz.html"/>)", "");
        break;
    case Plant::ContentsReordered:
        Replace(
            de + "/quavix.qhp",
            R"(<section title="Welcome" ref="topics/welcome.html"><section title="Quiz" ref="topics/quiz.html"/></section>)",
            R"(<section title="Quiz" ref="topics/quiz.html"/><section title="Welcome" ref="topics/welcome.html"></section>)");
        break;
    case Plant::EnglishTopicChanged:
        Replace(root + "/topics/quiz.html", "</h1>", "</h1>\n<p>A new paragraph.</p>");
        break;
    case Plant::EnglishProjectChanged:
        Replace(root + "/quavix.qhp", R"(name="Points")", R"(name="Score")");
        break;
    case Plant::NoRecord:
        Write(de + "/topics/welcome.html", Page("Willkommen").toUtf8());
        break;
    case Plant::BrokenProject:
        Replace(de + "/quavix.qhp", "</toc>", "</tok>");
        break;
    case Plant::LanguageMissing:
        QVERIFY(QDir(de).removeRecursively());
        break;
    case Plant::WindowsLineEnds:
        // A checkout that turned the English files' line ends into CR LF is still the same text.
        for (const QString file : {"/quavix.qhp", "/topics/welcome.html", "/topics/quiz.html"})
            Write(root + file, Read(root + file).replace("\n", "\r\n"));
        break;
    }
}

} // namespace

class TestHelpInStep : public QObject {
    Q_OBJECT

private slots:
    // The recorded checksum is the file's Git blob id, so git can show what changed since.
    void checksumIsTheGitBlobId_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("blob");
        QTest::newRow("empty") << QByteArray() << "e69de29bb2d1d6434b8b29ae775ad8c2e48c5391";
        QTest::newRow("one line") << QByteArray("hello\n") << "ce013625030ba8dba906f756967f9e9ca394464a";
        QTest::newRow("windows line end")
            << QByteArray("hello\r\n") << "ce013625030ba8dba906f756967f9e9ca394464a";
    }
    void checksumIsTheGitBlobId() {
        QFETCH(QByteArray, content);
        QFETCH(QString, blob);
        QCOMPARE(SourceChecksum(content), blob);
    }

    void findsWhatIsPlanted_data() {
        QTest::addColumn<int>("plant");
        QTest::addColumn<QString>("problem"); // empty: in step
        QTest::newRow("in step") << int(Plant::Nothing) << "";
        QTest::newRow("Windows line ends") << int(Plant::WindowsLineEnds) << "";
        QTest::newRow("topic missing") << int(Plant::TopicMissing) << "de/topics/quiz.html is missing";
        QTest::newRow("topic without English")
            << int(Plant::TopicExtra) << "de/topics/extra.html has no English topic";
        QTest::newRow("context number missing")
            << int(Plant::ContextMissing) << "de: context number 14 (topics/quiz.html) is missing";
        QTest::newRow("context number extra")
            << int(Plant::ContextExtra)
            << "de: context number 20 (topics/quiz.html) is not in the English help";
        QTest::newRow("context number elsewhere")
            << int(Plant::ContextElsewhere) << "de: context number 14 leads to topics/welcome.html";
        QTest::newRow("contents entry missing")
            << int(Plant::ContentsEntryMissing) << "the contents part from the English at entry 2";
        QTest::newRow("contents reordered")
            << int(Plant::ContentsReordered) << "the contents part from the English at entry 1";
        QTest::newRow("English topic changed")
            << int(Plant::EnglishTopicChanged) << "de/topics/quiz.html was made from an older English";
        QTest::newRow("English contents changed")
            << int(Plant::EnglishProjectChanged) << "de/quavix.qhp was made from an older English";
        QTest::newRow("no record") << int(Plant::NoRecord) << "de/topics/welcome.html does not record";
        QTest::newRow("broken project") << int(Plant::BrokenProject) << "de/quavix.qhp line";
        QTest::newRow("no help in the language")
            << int(Plant::LanguageMissing) << "de: no help in this language (de/quavix.qhp is missing)";
    }
    void findsWhatIsPlanted() {
        QFETCH(int, plant);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        PlantHelp(dir.path());
        PlantMismatch(dir.path(), Plant(plant));
        const QStringList problems = Problems(dir.path(), {"de"});
        if (problem.isEmpty()) {
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            return;
        }
        QVERIFY2(problems.join('\n').contains(problem), qPrintable(problems.join('\n')));
    }

    // The stale page's line gives the two checksums to compare, the one recorded and the one now.
    void aStalePageNamesBothTexts() {
        QTemporaryDir dir;
        PlantHelp(dir.path());
        const QString before = ChecksumOf(dir.path() + "/topics/quiz.html");
        PlantMismatch(dir.path(), Plant::EnglishTopicChanged);
        const QString after = ChecksumOf(dir.path() + "/topics/quiz.html");
        QVERIFY(before != after);
        QCOMPARE(
            Problems(dir.path(), {"de"}),
            QStringList("de/topics/quiz.html was made from an older English topics/quiz.html; what changed: "
                        "git diff " +
                        before + ' ' + after));
        // The report tells the translator the same, file by file.
        const QStringList report = Report(dir.path(), {"de", "fr"});
        QCOMPARE(report.size(), 3);
        QVERIFY2(report[1].startsWith(after) && report[1].contains("topics/quiz.html") &&
                     report[1].contains("de stale") && report[1].contains("fr missing"),
                 qPrintable(report[1]));
        QVERIFY2(report[2].contains("de in step"), qPrintable(report[2]));
    }
};

QTEST_APPLESS_MAIN(TestHelpInStep)
#include "tst_helpinstep.moc"
