#pragma once

// The listening module: audio inputs through Qt Multimedia, which lists the system's inputs, follows them
// being plugged in and out, and speaks to PipeWire and PulseAudio. Only the module links Qt Multimedia.

#include "AudioInput.h"

#include <QMediaDevices>
#include <QObject>
#include <QPointer>

class QAudioSource;
class QIODevice;

namespace quavix {

class QtAudioInput final : public QObject, public AudioInput {
    Q_OBJECT
public:
    QtAudioInput();
    ~QtAudioInput() override;

    void SetSink(AudioInputSink* sink) override { sink_ = sink; }
    QList<AudioInputDevice> Devices() override;
    bool Open(const QByteArray& id, const SampleFormat& wanted, SampleFormat& delivered,
              QString& error) override;
    void Close() override;

private:
    void Read();
    void StateChanged();

    QMediaDevices devices_;
    QPointer<QAudioSource> source_;
    QPointer<QIODevice> io_;
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
