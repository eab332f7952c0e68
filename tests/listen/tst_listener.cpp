// The listening switch with a double in place of the system's inputs: every sample format read, and every
// problem an ordinary state.
#include "FakeAudioInput.h"
#include "Listener.h"
#include "SyntheticTones.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <cstring>

using namespace quavix;

namespace {

// Samples as the input's bytes: every channel the same sound.
QByteArray Encode(const std::vector<float>& sound, const SampleFormat& format) {
    QByteArray bytes;
    for (float s : sound)
        for (int c = 0; c < format.Channels; ++c) {
            char raw[4];
            const float x = std::clamp(s, -1.0f, 1.0f);
            switch (format.Type) {
            case SampleType::UInt8:
                raw[0] = static_cast<char>(static_cast<std::uint8_t>(std::lround(x * 127 + 128)));
                break;
            case SampleType::Int16: {
                const auto v = static_cast<std::int16_t>(std::lround(x * 32767));
                std::memcpy(raw, &v, 2);
                break;
            }
            case SampleType::Int32: {
                const auto v = static_cast<std::int32_t>(std::llround(double(x) * 2147483647.0));
                std::memcpy(raw, &v, 4);
                break;
            }
            default:
                std::memcpy(raw, &x, 4);
            }
            bytes.append(raw, format.BytesPerSample());
        }
    return bytes;
}

// A quarter second of silence, then a note, then silence; delivered in pieces that end inside frames.
void Deliver(FakeInputs& inputs, const std::vector<float>& sound) {
    const QByteArray bytes = Encode(sound, inputs.Delivers);
    const qint64 piece = qint64(inputs.Delivers.BytesPerFrame()) * inputs.Delivers.SampleRate / 100 + 1;
    for (qint64 at = 0; at < bytes.size() && inputs.Sink != nullptr; at += piece)
        inputs.Sink->InputData(bytes.constData() + at, std::min(piece, bytes.size() - at));
}

std::vector<float> Note(double pitch, int rate, double amplitude = 0.3) {
    std::vector<float> sound(static_cast<std::size_t>(rate / 4), 0.0f);
    tones::Tone tone;
    tone.Pitch = pitch;
    tone.Amplitude = amplitude;
    tones::Add(sound, sound.size(), tone, rate);
    sound.resize(sound.size() + static_cast<std::size_t>(rate / 4), 0.0f);
    return sound;
}

std::vector<double> BeganPitches(const QSignalSpy& spy) {
    std::vector<double> pitches;
    for (const QList<QVariant>& call : spy) {
        const auto note = call[0].value<HeardNote>();
        if (note.What == HeardNote::Kind::Began)
            pitches.push_back(note.Pitch);
    }
    return pitches;
}

} // namespace

Q_DECLARE_METATYPE(quavix::SampleType)

class TestListener : public QObject {
    Q_OBJECT

    FakeInputs inputs_;
    std::unique_ptr<Listener> listener_;

    void Make() {
        inputs_ = FakeInputs{};
        listener_ = std::make_unique<Listener>(inputs_.Factory());
    }
    // Switches on and waits until the input has started (or opening it has come to an end).
    void SwitchOn(const QByteArray& device = {}) {
        listener_->SwitchOn(device);
        QVERIFY(QTest::qWaitFor([this] { return !listener_->IsOpening(); }, 5000));
    }

private slots:
    void init() { Make(); }
    void cleanup() { listener_.reset(); }

    void HearsEveryFormat_data() {
        QTest::addColumn<SampleType>("type");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::newRow("float mono 16 kHz") << SampleType::Float << 1 << 16000;
        QTest::newRow("16-bit stereo 44.1 kHz") << SampleType::Int16 << 2 << 44100;
        QTest::newRow("32-bit mono 48 kHz") << SampleType::Int32 << 1 << 48000;
        QTest::newRow("8-bit mono 8 kHz") << SampleType::UInt8 << 1 << 8000;
        QTest::newRow("float 6 channels 96 kHz") << SampleType::Float << 6 << 96000;
    }
    void HearsEveryFormat() {
        QFETCH(SampleType, type);
        QFETCH(int, channels);
        QFETCH(int, rate);
        inputs_.Delivers = SampleFormat{type, channels, rate};
        QSignalSpy heard(listener_.get(), &Listener::NoteHeard);
        SwitchOn();
        QVERIFY(listener_->IsListening());
        QCOMPARE(listener_->DeliveredFormat(), inputs_.Delivers);
        Deliver(inputs_, Note(57, rate));
        const std::vector<double> began = BeganPitches(heard);
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY2(std::abs(began[0] - 57) < 0.15, qPrintable(QString::number(began[0])));
    }

    void NoInputUntilOneIsPluggedIn() {
        inputs_.Devices.clear();
        QSignalSpy problems(listener_.get(), &Listener::ProblemChanged);
        SwitchOn();
        QVERIFY(!listener_->IsListening());
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::NoInput);
        QVERIFY(!inputs_.Open);
        inputs_.Devices = {{"usb", QStringLiteral("USB microphone"), true}};
        inputs_.Sink->InputsChanged();
        QTRY_VERIFY(listener_->IsListening());
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::None);
    }

    void UnpluggedWhileListeningLetsGoAndComesBack() {
        QSignalSpy heard(listener_.get(), &Listener::NoteHeard);
        SwitchOn();
        // A note held on when the microphone goes: it is let go of.
        std::vector<float> sound = Note(64, 16000);
        sound.resize(sound.size() - 16000 / 4); // still sounding
        Deliver(inputs_, sound);
        QCOMPARE(BeganPitches(heard).size(), std::size_t(1));
        inputs_.Devices.clear();
        inputs_.Sink->InputsChanged();
        QVERIFY(!listener_->IsListening());
        QVERIFY(!inputs_.Open);
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::InputLost);
        QCOMPARE(heard.last()[0].value<HeardNote>().What, HeardNote::Kind::Ended);
        // Plugged back in: listening again, as it was still wanted.
        inputs_.Devices = {{"mic", QStringLiteral("Microphone"), true}};
        inputs_.Sink->InputsChanged();
        QTRY_VERIFY(listener_->IsListening());
        // The audio layer itself reports the loss.
        inputs_.Sink->InputFailed(InputFailure::Lost);
        QVERIFY(!listener_->IsListening());
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::InputLost);
        // Switched off, nothing comes back.
        listener_->SwitchOff();
        inputs_.Sink->InputsChanged();
        QVERIFY(!listener_->IsListening());
    }

    void FailuresToOpen_data() {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<QByteArray>("device");
        QTest::addColumn<ListenProblem>("problem");
        QTest::newRow("refused") << true << false << QByteArray() << ListenProblem::OpenFailed;
        QTest::newRow("unreadable format") << false << true << QByteArray() << ListenProblem::Unreadable;
        QTest::newRow("chosen input gone") << false << false << QByteArray("gone") << ListenProblem::NoInput;
    }
    void FailuresToOpen() {
        QFETCH(bool, refuse);
        QFETCH(bool, unreadable);
        QFETCH(QByteArray, device);
        QFETCH(ListenProblem, problem);
        inputs_.Refuse = refuse;
        if (unreadable)
            inputs_.Delivers.Type = SampleType::Unknown;
        SwitchOn(device);
        QVERIFY(!listener_->IsListening());
        QVERIFY(!inputs_.Open);
        QCOMPARE(listener_->CurrentProblem(), problem);
    }

    // Switching on returns at once; an input that never starts, or that the server refuses once asked, is
    // told as failing to open and given up, and a start arriving after that changes nothing.
    void OpeningThatNeverStarts_data() {
        QTest::addColumn<bool>("refused");
        QTest::newRow("no answer in time") << false;
        QTest::newRow("refused once asked") << true;
    }
    void OpeningThatNeverStarts() {
        QFETCH(bool, refused);
        inputs_.Answers = false;
        listener_->SetOpenTimeoutMs(refused ? 60000 : 1);
        QSignalSpy listening(listener_.get(), &Listener::ListeningChanged);
        listener_->SwitchOn();
        QVERIFY(listener_->IsOpening());
        QVERIFY(!listener_->IsListening());
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::None);
        if (refused)
            inputs_.Sink->InputFailed(InputFailure::NotOpened);
        QTRY_COMPARE(listener_->CurrentProblem(), ListenProblem::OpenFailed);
        QVERIFY(!listener_->IsOpening());
        QVERIFY(!inputs_.Open);
        inputs_.Sink->InputOpened();
        QVERIFY(!listener_->IsListening());
        QCOMPARE(listening.size(), 0);
    }

    // Switched off before the input starts: the open is given up and nothing is told of it later. Switched
    // on and off over and over, with starts still on their way: listening comes on once, at the end.
    void SwitchedOffWhileOpening() {
        inputs_.Answers = false;
        listener_->SetOpenTimeoutMs(1);
        QSignalSpy listening(listener_.get(), &Listener::ListeningChanged);
        QSignalSpy problems(listener_.get(), &Listener::ProblemChanged);
        listener_->SwitchOn();
        listener_->SwitchOff();
        QVERIFY(!inputs_.Open);
        QTest::qWait(20); // past the deadline of the open given up
        QCOMPARE(problems.size(), 0);
        inputs_.Answers = true;
        for (int i = 0; i < 200; ++i) {
            listener_->SwitchOn();
            listener_->SwitchOff();
        }
        listener_->SetOpenTimeoutMs(Listener::DefaultOpenTimeoutMs);
        SwitchOn();
        QVERIFY(listener_->IsListening());
        QTest::qWait(0);
        QCOMPARE(listening.size(), 1);
        QCOMPARE(problems.size(), 0);
    }

    // The first open may come before the inputs are known (the audio layer lists them only once the
    // server has answered): it opens the default, and once the list comes that input's going is noticed.
    void OpensBeforeTheInputsAreKnown() {
        inputs_.Known = false;
        SwitchOn();
        QVERIFY(listener_->IsListening());
        inputs_.Known = true;
        inputs_.Sink->InputsChanged();
        inputs_.Devices = {{"usb", QStringLiteral("USB microphone"), true}};
        inputs_.Sink->InputsChanged();
        QVERIFY(!listener_->IsListening());
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::InputLost);
    }

    void NoModuleIsAProblemNotACrash() {
        Listener listener(Listener::ModuleFactory(QStringLiteral("/nonexistent/quavix_listen")));
        QVERIFY(listener.Devices().isEmpty());
        listener.SwitchOn();
        QVERIFY(!listener.IsListening());
        QCOMPARE(listener.CurrentProblem(), ListenProblem::ModuleMissing);
    }

    void SilenceThenSound() {
        SwitchOn();
        QSignalSpy levels(listener_.get(), &Listener::LevelChanged);
        Deliver(inputs_, std::vector<float>(16000 * 5 / 2, 0.0f));
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::Silent);
        QVERIFY(levels.size() >= 40); // every 50 ms
        QCOMPARE(levels.last()[0].value<InputLevel>().PeakDb, -100.0);
        Deliver(inputs_, Note(60, 16000));
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::None);
    }

    void ClippingIsToldAndTheNoteStillHeard() {
        QSignalSpy heard(listener_.get(), &Listener::NoteHeard);
        inputs_.Delivers = SampleFormat{SampleType::Int16, 2, 48000};
        SwitchOn();
        std::vector<float> sound = Note(50, 48000, 3.0); // clipped hard at full scale
        Deliver(inputs_, sound);
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::Clipping);
        const std::vector<double> began = BeganPitches(heard);
        QCOMPARE(began.size(), std::size_t(1));
        QVERIFY(std::abs(began[0] - 50) < 0.15);
    }

    void StalledInputIsToldAndRecovers() {
        listener_->SetStallMs(40);
        SwitchOn();
        Deliver(inputs_, std::vector<float>(1600, 0.01f));
        QVERIFY(
            QTest::qWaitFor([this] { return listener_->CurrentProblem() == ListenProblem::Stalled; }, 5000));
        QVERIFY(listener_->IsListening());
        Deliver(inputs_, std::vector<float>(1600, 0.01f));
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::None);
    }

    // An input can go without the audio layer saying so: the listener's own check notices it. Building the
    // list of inputs is the check's dearest part, so the list is looked at on every third check only.
    void UnpluggedWithoutAWordIsNoticed() {
        listener_->SetStallMs(40); // a check every 10 ms
        SwitchOn();
        const int before = inputs_.ListLooks;
        QVERIFY(QTest::qWaitFor([&] { return inputs_.ListLooks > before; }, 5000));
        QElapsedTimer clock;
        clock.start();
        const int first = inputs_.ListLooks;
        QVERIFY(QTest::qWaitFor([&] { return inputs_.ListLooks >= first + 2; }, 5000));
        QVERIFY2(clock.elapsed() >= 45, qPrintable(QString::number(clock.elapsed())));
        inputs_.Devices.clear();
        QVERIFY(QTest::qWaitFor([this] { return !listener_->IsListening(); }, 5000));
        QCOMPARE(listener_->CurrentProblem(), ListenProblem::InputLost);
    }

    void PausedHearsNothing() {
        QSignalSpy heard(listener_.get(), &Listener::NoteHeard);
        QSignalSpy levels(listener_.get(), &Listener::LevelChanged);
        SwitchOn();
        listener_->SetPaused(true);
        Deliver(inputs_, Note(60, 16000));
        QCOMPARE(heard.size(), 0);
        QVERIFY(!levels.isEmpty()); // the meter still shows the input
        listener_->SetPaused(false);
        Deliver(inputs_, Note(62, 16000));
        QCOMPARE(BeganPitches(heard).size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestListener)
#include "tst_listener.moc"
