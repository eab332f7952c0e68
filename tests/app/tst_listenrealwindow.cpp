// The trainer listening end to end: a private PulseAudio server's null sink comes back as its default
// input, the window's Listen option opens it through the listening module, and the note asked, played
// into the sink, answers the quiz. Skipped, saying why, where PulseAudio or the module is missing.
#include "ListenRoom.h"
#include "MidiNotes.h"
#include "PrivateSoundServer.h"
#include "SyntheticTones.h"
#include "WindowTestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace quavix;

namespace {

// A note as 16-bit mono samples at 48 kHz, after a tenth of a second of silence.
[[maybe_unused]] QByteArray Note(double pitch) {
    constexpr int Rate = 48000;
    std::vector<float> sound(Rate / 10, 0.0f);
    tones::Tone tone;
    tone.Seconds = 0.4;
    tone.Pitch = pitch;
    tones::Add(sound, sound.size(), tone, Rate);
    QByteArray bytes;
    for (float s : sound) {
        const auto v = static_cast<qint16>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
        bytes.append(reinterpret_cast<const char*>(&v), 2);
    }
    return bytes;
}

} // namespace

class TestListenRealWindow : public QObject {
    Q_OBJECT

    PrivateSoundServer server_;

private slots:
    void initTestCase() {
#ifndef QUAVIX_LISTEN_MODULE
        QSKIP("built without Qt Multimedia, so there is no listening module");
#endif
        if (const QString why = server_.Start(); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void theNoteAskedPlayedIntoTheMicrophoneAnswers() {
#ifdef QUAVIX_LISTEN_MODULE
        SteppingRandom random;
        TFormQX25::Options options;
        options.random = &random;
        options.listenInputs = Listener::ModuleFactory(QStringLiteral(QUAVIX_LISTEN_MODULE));
        TFormQX25 window(options);
        window.show();
        window.findChild<QAction*>("actListen")->trigger();
        window.Engine().BeginQuiz();
        QVERIFY(QTest::qWaitFor([&] { return window.Listening().CurrentListener()->IsListening(); }, 2000));
        QProcess pacat;
        pacat.start(QStringLiteral("pacat"),
                    {"--server=" + server_.Address(), "--playback", "--raw", "--format=s16le", "--channels=1",
                     "--rate=48000", "--latency-msec=10"});
        QVERIFY(pacat.waitForStarted());
        pacat.write(Note(MidiNoteOfStep(CurrentRow(window).Step)));
        pacat.closeWriteChannel();
        QVERIFY(QTest::qWaitFor([&] { return window.Engine().State.Score > 0; }, 1500));
        QVERIFY(!PopUpShown(window));
        QVERIFY(pacat.waitForFinished(2000));
#endif
    }
};

QTEST_MAIN(TestListenRealWindow)
#include "tst_listenrealwindow.moc"
