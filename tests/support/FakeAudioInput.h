#pragma once

// A double for the system's audio inputs: the test decides which inputs there are and delivers the samples
// itself, through the sink the listener gave it, as mono floats at the detector's own rate.

#include "AudioInput.h"
#include "Listener.h"
#include "SyntheticTones.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

struct FakeInputs {
    QList<quavix::AudioInputDevice> Devices{{"mic", QStringLiteral("Microphone"), true}};
    bool Open = false;    // asked to open and not closed since
    bool Pending = false; // opened, but not started yet
    bool Answers = true;  // whether an open starts by itself, as with a server that answers
    bool Refuse = false;  // whether an open is refused at once, as with an input in use
    bool Known = true;    // whether the audio layer has listed its inputs yet
    quavix::SampleFormat Delivers{quavix::SampleType::Float, 1, Rate}; // what an open input delivers
    QByteArray OpenedId; // what the last Open asked for; empty for the system's default
    int Made = 0;        // inputs made: the module would have been loaded at the first
    int ListLooks = 0;   // times the list of inputs was asked for
    quavix::AudioInputSink* Sink = nullptr;

    static constexpr int Rate = 16000;

    // The listener's factory, making inputs that share this record; none (as without the module) when
    // moduleMissing.
    quavix::AudioInputFactoryFunction Factory(bool moduleMissing = false);

    // The pending open starts now, as the server's answer would start it.
    void Start() {
        if (!Pending || Sink == nullptr)
            return;
        Pending = false;
        Sink->InputOpened();
    }
    // Delivers samples in pieces of 10 ms, as a device would: once it has started.
    void Deliver(const std::vector<float>& sound) {
        if (Answers)
            Start();
        if (Pending)
            return;
        const auto* bytes = reinterpret_cast<const char*>(sound.data());
        const qint64 size = qint64(sound.size() * sizeof(float));
        const qint64 piece = qint64(sizeof(float)) * Rate / 100;
        for (qint64 at = 0; at < size && Sink != nullptr && Open; at += piece)
            Sink->InputData(bytes + at, std::min(piece, size - at));
    }
    // A note of a quarter second or more between silences, as a player sounds it.
    void Play(double pitch, double seconds = 0.4) {
        std::vector<float> sound(Rate / 4, 0.0f);
        tones::Tone tone;
        tone.Pitch = pitch;
        tone.Seconds = seconds;
        tones::Add(sound, sound.size(), tone, Rate);
        sound.resize(sound.size() + Rate / 4, 0.0f);
        Deliver(sound);
    }
    // The inputs changed, as the system tells.
    void Replug(QList<quavix::AudioInputDevice> devices) {
        Devices = std::move(devices);
        if (Sink != nullptr)
            Sink->InputsChanged();
    }
};

class FakeAudioInput final : public quavix::AudioInput {
public:
    explicit FakeAudioInput(FakeInputs& inputs) : inputs_(inputs) {}
    ~FakeAudioInput() override { inputs_.Sink = nullptr; }
    void SetSink(quavix::AudioInputSink* sink) override { inputs_.Sink = sink; }
    QList<quavix::AudioInputDevice> Devices() override {
        ++inputs_.ListLooks;
        return inputs_.Known ? inputs_.Devices : QList<quavix::AudioInputDevice>{};
    }
    bool KnowsDevices() const override { return inputs_.Known; }
    bool Open(const QByteArray& id, const quavix::SampleFormat&, quavix::SampleFormat& delivered,
              QString& error) override {
        if (inputs_.Refuse) {
            error = QStringLiteral("busy");
            return false;
        }
        inputs_.OpenedId = id;
        delivered = inputs_.Delivers;
        inputs_.Open = true;
        inputs_.Pending = true;
        // Started from the event loop, never from within Open, as a real input is.
        if (inputs_.Answers)
            QTimer::singleShot(0, &alive_, [this] { inputs_.Start(); });
        return true;
    }
    void Close() override {
        inputs_.Open = false;
        inputs_.Pending = false;
    }

private:
    FakeInputs& inputs_;
    QObject alive_; // a start still queued goes with the input
};

inline quavix::AudioInputFactoryFunction FakeInputs::Factory(bool moduleMissing) {
    return [this, moduleMissing](QString& error) -> std::unique_ptr<quavix::AudioInput> {
        if (moduleMissing) {
            error = QStringLiteral("no module");
            return nullptr;
        }
        ++Made;
        return std::make_unique<FakeAudioInput>(*this);
    };
}
