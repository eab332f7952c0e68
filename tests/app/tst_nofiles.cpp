// The trainer keeps no files. With a fresh home and working folder, a session through quizzes in every
// input mode and staff choice, with wrong answers, time-outs, help, web links, the About dialog and closing
// during a quiz, must leave both folders exactly as they were, also after the application object is gone.
// The real program is started too (a first copy through a quiz, a second copy that finds it and ends): it
// may use its runtime folder for the single-instance lock and socket only, and must leave that empty.
#include "HTMLHelp.h"
#include "MainQX25.h"
#include "PopUpMessage.h"
#include "UrlCatcher.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quavix;

namespace {

struct Folders {
    fs::path home, work, temp, runtime;
};
Folders folders;

// Every entry below a folder with its kind, size and modification time.
std::map<std::string, std::string> Listing(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::ostringstream line;
        line << (entry.is_directory() ? "dir" : entry.is_symlink() ? "link" : "file");
        if (entry.is_regular_file())
            line << " " << entry.file_size();
        line << " " << entry.last_write_time().time_since_epoch().count();
        entries[fs::relative(entry.path(), root).string()] = line.str();
    }
    return entries;
}

// Prints what changed; true when nothing did.
bool Unchanged(const char* name, const std::map<std::string, std::string>& before,
               const std::map<std::string, std::string>& after) {
    bool same = true;
    for (const auto& [path, what] : after) {
        auto old = before.find(path);
        if (old == before.end() || old->second != what) {
            std::fprintf(stderr, "%s: %s %s\n", name, old == before.end() ? "new" : "changed", path.c_str());
            same = false;
        }
    }
    for (const auto& [path, what] : before)
        if (!after.count(path)) {
            std::fprintf(stderr, "%s: removed %s\n", name, path.c_str());
            same = false;
        }
    return same;
}

fs::path MakeFolder(const char* name) {
    std::string pattern = (fs::temp_directory_path() / (std::string("quavix-") + name + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

} // namespace

class NoFiles : public QObject {
    Q_OBJECT

public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Modal boxes and dialogs are answered as soon as they are up; the close confirmation says Yes.
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isModal()) {
            QPointer<QWidget> dialog = static_cast<QWidget*>(watched);
            QMetaObject::invokeMethod(
                this,
                [dialog] {
                    if (!dialog)
                        return;
                    if (auto* box = qobject_cast<QMessageBox*>(dialog.data());
                        box && box->button(QMessageBox::Yes))
                        box->button(QMessageBox::Yes)->click();
                    else if (auto* modal = qobject_cast<QDialog*>(dialog.data()))
                        modal->reject();
                    else
                        dialog->close();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private slots:
    void initTestCase() {
        qApp->installEventFilter(this);
        const QString help = QCoreApplication::applicationDirPath() + "/../src/app/Quavix 2.qhc";
        if (QFileInfo::exists(help))
            helpFile_ = QFileInfo(help).canonicalFilePath();
    }
    void cleanupTestCase() { qApp->removeEventFilter(this); }

    void sessionInTheWindow();
    void realProgram();

private:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form_->windowHandle(), key, modifiers);
        // The offscreen platform has no window manager to give the window back its activation when a box
        // closes; shortcuts need it.
        if (QApplication::activeWindow() != form_) {
            form_->activateWindow();
            QCoreApplication::processEvents();
        }
    }
    void Command(const char* name) {
        auto* action = form_->findChild<QAction*>(name);
        QVERIFY2(action, name);
        action->trigger();
    }
    void PlayQuiz();

    UrlCatcher urls_{{"http", "https", "file"}};
    QString helpFile_;
    TFormQX25* form_ = nullptr;
};

void NoFiles::PlayQuiz() {
    QuizEngine& engine = form_->Engine();
    Key(Qt::Key_Space);
    QVERIFY(engine.State.Running);
    for (int note = 0; engine.State.Running && note < 40; ++note) {
        const char letter = engine.Table[engine.State.CurrentNote].Letter;
        switch (note % 4) {
        case 0: // right, typed
            QTest::keyClick(form_->windowHandle(), char(letter - 'A' + 'a'));
            break;
        case 1: // wrong, from the visible answer control, then the pop-up runs out
            if (engine.CurrentSettings().InputMode == NoteButtons) {
                const int wrong = (letter - 'A' + 1) % 7;
                auto* button = form_->findChild<QToolButton*>(QString("tbNote%1").arg(wrong));
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                auto* instrument = form_->findChild<QWidget*>("pbxInstrument");
                QTest::mouseClick(instrument, Qt::LeftButton, {}, QPoint(40 + 37 * (note % 8), 90));
            }
            ExpirePopUp(*form_);
            break;
        case 2: // time out
            for (int tick = 0; tick <= CountdownStart && engine.State.Running && !PopUpShown(*form_); ++tick)
                engine.tmrCountTimer();
            ExpirePopUp(*form_);
            break;
        default: // right, after a few seconds
            engine.tmrCountTimer();
            engine.tmrCountTimer();
            QTest::keyClick(form_->windowHandle(), letter);
            break;
        }
        QCoreApplication::processEvents();
    }
    // Twenty notes, each answered or timed out, end the quiz by themselves.
    QVERIFY(!engine.State.Running);
    QCOMPARE(engine.State.NotesLeft, 0);
}

void NoFiles::sessionInTheWindow() {
    TFormQX25 form;
    form_ = &form;
    QVERIFY(!form.StartupFailed());
    if (!helpFile_.isEmpty())
        AppHelp().SetHelpFile(helpFile_);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    const struct {
        const char* input;
        const char* staff;
        const char* range;
    } settings[] = {
        {"actNoteButtons", "actTrebleNotes", nullptr},
        {"actNoteButtons", "actBassNotes", nullptr},
        {"actNoteButtons", "actAllNotes", nullptr},
        {"actPianoKeys", "actTrebleNotes", "actSingleOctave"},
        {"actPianoKeys", "actBassNotes", "actFullRange"},
        {"actPianoKeys", "actAllNotes", "actFullRange"},
        {"actGuitar", nullptr, nullptr},
    };
    int level = 1;
    for (const auto& setting : settings) {
        Command(setting.input);
        if (setting.staff)
            Command(setting.staff);
        if (setting.range)
            Command(setting.range);
        for (int i = 0; i < level; ++i)
            QTest::keyClick(form.windowHandle(), '+');
        level = level % 5 + 1;
        PlayQuiz();
    }

    // Help, the web links and the About dialog, then a close in the middle of a quiz.
    Key(Qt::Key_F1);
    Key(Qt::Key_F12);
    for (Qt::Key key : {Qt::Key_G, Qt::Key_F, Qt::Key_A, Qt::Key_N, Qt::Key_S})
        Key(key, Qt::ControlModifier);
    QCOMPARE(urls_.urls.size(), 5);
    Key(Qt::Key_F1, Qt::ShiftModifier);
    Key(Qt::Key_Space);
    QVERIFY(form.Engine().State.Running);
    form.close();
    QVERIFY(!form.isVisible());
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->close();
    form_ = nullptr;
}

// The program itself (its benchmark build, whose probe can start a quiz and end the program): the first
// copy starts a quiz and stays for a moment; a second copy started meanwhile finds it and ends at once.
void NoFiles::realProgram() {
    const QString program = QCoreApplication::applicationDirPath() + "/../src/app/quavix_bench";
    if (!QFileInfo(program).isExecutable())
        QSKIP("the program has not been built");
    QProcess first;
    first.setProgram(program);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUAVIX_BENCH", "quiz");
    environment.insert("QUAVIX_BENCH_QUICK", "1");
    first.setProcessEnvironment(environment);
    first.setWorkingDirectory(QString::fromStdString(folders.work.string()));
    first.start();
    QVERIFY(first.waitForStarted());
    QByteArray output;
    const auto painted = [&] {
        output += first.readAllStandardOutput();
        return output.contains("first-paint-us");
    };
    QTRY_VERIFY_WITH_TIMEOUT(painted(), 10000);

    QProcess second;
    environment.remove("QUAVIX_BENCH");
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(first.workingDirectory());
    second.start(program);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);

    if (!first.waitForFinished(30000)) {
        first.kill();
        first.waitForFinished();
        QFAIL("the program did not end by itself after its quiz");
    }
    output += first.readAllStandardOutput();
    QVERIFY2(output.contains("quiz-started"), output.constData());
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    // The lock and the socket went away with the copy that made them.
    const auto left = Listing(folders.runtime);
    for (const auto& [path, what] : left)
        qWarning("left in the runtime folder: %s", path.c_str());
    QVERIFY(left.empty());
}

int main(int argc, char* argv[]) {
    // A fresh home, working, temporary and runtime folder before Qt reads any of them.
    folders = {MakeFolder("home"), MakeFolder("work"), MakeFolder("tmp"), MakeFolder("run")};
    fs::permissions(folders.runtime, fs::perms::owner_all, fs::perm_options::replace);
    setenv("HOME", folders.home.c_str(), 1);
    setenv("TMPDIR", folders.temp.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", folders.runtime.c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        unsetenv(name);
    fs::current_path(folders.work);
    // Something to leave alone in each folder.
    for (const fs::path& folder : {folders.home, folders.work})
        std::fclose(std::fopen((folder / "keep.txt").c_str(), "w"));
    const auto home = Listing(folders.home);
    const auto work = Listing(folders.work);
    const auto temp = Listing(folders.temp);

    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        NoFiles test;
        result = QTest::qExec(&test, argc, argv);
    }

    // After the application object is gone, so anything written at shutdown counts too.
    bool same = Unchanged("home", home, Listing(folders.home));
    same = Unchanged("working folder", work, Listing(folders.work)) && same;
    same = Unchanged("temporary folder", temp, Listing(folders.temp)) && same;
    if (!same) {
        std::fprintf(stderr, "FAIL: the trainer wrote files\n");
        result = result ? result : 1;
    }
    fs::current_path(fs::temp_directory_path());
    for (const fs::path& folder : {folders.home, folders.work, folders.temp, folders.runtime})
        fs::remove_all(folder);
    return result;
}

#include "tst_nofiles.moc"
