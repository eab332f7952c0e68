// With sound off, which is how the program starts, it loads no sound module and maps no synthesizer
// library, however it is played. The same look at the process's memory map then sees both once sound has
// been started, so the check is known to notice them.
#include "SoundPlayer.h"
#include "WindowTestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace quavix;

namespace {

// The files mapped into this process whose names contain any of the words.
QStringList MappedFiles(const QStringList& words) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(cannot read /proc/self/maps)")};
    QStringList found;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QString path = QString::fromLocal8Bit(line).section(QLatin1Char(' '), 5).trimmed();
        for (const QString& word : words)
            if (path.contains(word, Qt::CaseInsensitive) && !found.contains(path))
                found << path;
    }
    return found;
}

// Names of this process's threads.
QStringList ThreadNames() {
    QStringList names;
    for (const QString& task :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly))
            names << QString::fromLocal8Bit(comm.readAll()).trimmed();
    }
    return names;
}

const QStringList SoundLibraries = {QStringLiteral("quavix_sound"), QStringLiteral("fluidsynth")};

} // namespace

class TestSoundOff : public QObject {
    Q_OBJECT

private slots:
    void nothingOfSoundLoaded() {
        {
            ShownWindow window;
            // Quizzes answered on the letter buttons, the piano and the guitar.
            for (int key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4}) {
                QTest::keyClick(window.window.get(), Qt::Key(key));
                QTest::keyClick(window.window.get(), Qt::Key_Space);
                for (int note = 0; note < 3; ++note) {
                    const char letter = CurrentRow(*window).Letter;
                    QTest::keyClick(window.window.get(), char(letter - 'A' + 'a'));
                }
                QTest::keyClick(window.window.get(), Qt::Key_Escape);
            }
            QCOMPARE(MappedFiles(SoundLibraries), QStringList());
            QVERIFY(!ThreadNames().contains(QStringLiteral("quavix sound")));
        }
        QCOMPARE(MappedFiles(SoundLibraries), QStringList());
    }

    // The check sees the module and FluidSynth once sound has started.
    void soundStartedIsSeen() {
#ifndef QUAVIX_SOUND_MODULE
        QSKIP("built without FluidSynth, so there is no sound module");
#else
        SoundPlayer player(SoundPlayer::ModuleFactory(QStringLiteral(QUAVIX_SOUND_MODULE)));
        player.SetDrivers({});
        player.SetSoundFont(QStringLiteral(QUAVIX_TEST_SOUNDFONT));
        QSignalSpy ready(&player, &SoundPlayer::Ready);
        player.SwitchOn();
        QVERIFY(ready.wait(10000));
        QCOMPARE(MappedFiles(SoundLibraries).filter(QStringLiteral("quavix_sound")).size(), 1);
        QVERIFY(!MappedFiles({QStringLiteral("libfluidsynth")}).isEmpty());
        QVERIFY(ThreadNames().contains(QStringLiteral("quavix sound")));
#endif
    }
};

QTEST_MAIN(TestSoundOff)
#include "tst_soundoff.moc"
