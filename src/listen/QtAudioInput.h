#pragma once

// The listening module: Qt Multimedia lists the system's inputs and follows them being plugged in and out;
// the chosen one is recorded by a PulseAudio connection of the module's own (see PulseCapture.h for why).
// Only the module links Qt Multimedia and libpulse.

#include "AudioInput.h"
#include "PulseCapture.h"

#include <QMediaDevices>
#include <QObject>

#include <memory>

namespace quavix {

class QtAudioInput final : public QObject, public AudioInput, private AudioInputSink {
    Q_OBJECT
public:
    QtAudioInput();
    ~QtAudioInput() override;

    void SetSink(AudioInputSink* sink) override { sink_ = sink; }
    QList<AudioInputDevice> Devices() override;
    bool KnowsDevices() const override { return devices_ != nullptr; }
    bool Open(const QByteArray& id, const SampleFormat& wanted, SampleFormat& delivered,
              QString& error) override;
    void Close() override;

private:
    // What the capture delivers goes on to the sink of the moment.
    void InputOpened() override;
    void InputData(const char* data, qint64 size) override;
    void InputFailed(InputFailure failure) override;
    void InputsChanged() override;

    void KnowDevices();

    // Made once the server has answered: Qt's audio layer waits for the server without a limit the first
    // time it is asked anything, which would freeze the window while a server does not answer.
    std::unique_ptr<QMediaDevices> devices_;
    PulseCapture capture_{*this};
    AudioInputSink* sink_ = nullptr;
};

class QtAudioInputFactory final : public QObject, public AudioInputFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QuavixAudioInputFactory_iid)
    Q_INTERFACES(quavix::AudioInputFactory)
public:
    std::unique_ptr<AudioInput> CreateAudioInput() override { return std::make_unique<QtAudioInput>(); }
};

} // namespace quavix
