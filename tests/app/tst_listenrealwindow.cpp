// The trainer listening end to end: a private PulseAudio server's null sink comes back as its default
// input, the window's Listen option opens it through the listening module, and the note asked, played
// into the sink, answers the quiz. Skipped, saying why, where PulseAudio or the module is missing.
#include "ListenRoom.h"
#include "MidiNotes.h"
#include "PrivateSoundServer.h"
#include "WindowTestSupport.h"

#include <QProcess>
#include <QtTest>

using namespace quavix;

class TestListenRealWindow : public QObject {
    Q_OBJECT

    PrivateSoundServer server_;

private slots:
    void initTestCase() {
        if (const QString why = server_.StartForListening(); !why.isEmpty())
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
        QVERIFY(QTest::qWaitFor([&] { return window.Listening().CurrentListener()->IsListening(); }, 5000));
        QProcess pacat;
        QVERIFY(server_.PlayNote(pacat, MidiNoteOfStep(CurrentRow(window).Step), 0.4, 0.1));
        QVERIFY(QTest::qWaitFor([&] { return window.Engine().State.Score > 0; }, 5000));
        QVERIFY(!PopUpShown(window));
        QVERIFY(pacat.waitForFinished(2000));
#endif
    }
};

QTEST_MAIN(TestListenRealWindow)
#include "tst_listenrealwindow.moc"
