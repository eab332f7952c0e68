#include "QtAudioInput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>

namespace quavix {

namespace {

// Audio is handed over every 10 ms: shorter costs wake-ups, longer delays every answer.
constexpr qint64 DeliveryMicroseconds = 10000;

QAudioFormat::SampleFormat QtSampleFormat(SampleType type) {
    switch (type) {
    case SampleType::UInt8:
        return QAudioFormat::UInt8;
    case SampleType::Int16:
        return QAudioFormat::Int16;
    case SampleType::Int32:
        return QAudioFormat::Int32;
    case SampleType::Float:
        return QAudioFormat::Float;
    case SampleType::Unknown:
        break;
    }
    return QAudioFormat::Unknown;
}

SampleType OurSampleType(QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8:
        return SampleType::UInt8;
    case QAudioFormat::Int16:
        return SampleType::Int16;
    case QAudioFormat::Int32:
        return SampleType::Int32;
    case QAudioFormat::Float:
        return SampleType::Float;
    default:
        return SampleType::Unknown;
    }
}

} // namespace

QtAudioInput::QtAudioInput() {
    connect(&devices_, &QMediaDevices::audioInputsChanged, this, [this] {
        if (sink_ != nullptr)
            sink_->InputsChanged();
    });
}

QtAudioInput::~QtAudioInput() {
    sink_ = nullptr;
    Close();
}

QList<AudioInputDevice> QtAudioInput::Devices() {
    QList<AudioInputDevice> list;
    // Qt 6.4's PulseAudio backend marks no input as the default; ask for the default instead.
    const QByteArray defaultId = QMediaDevices::defaultAudioInput().id();
    for (const QAudioDevice& device : QMediaDevices::audioInputs())
        list.append({device.id(), device.description(), device.isDefault() || device.id() == defaultId});
    return list;
}

bool QtAudioInput::Open(const QByteArray& id, const SampleFormat& wanted, SampleFormat& delivered,
                        QString& error) {
    Close();
    QAudioDevice device = id.isEmpty() ? QMediaDevices::defaultAudioInput() : QAudioDevice();
    for (const QAudioDevice& candidate : QMediaDevices::audioInputs())
        if (!id.isEmpty() && candidate.id() == id)
            device = candidate;
    if (device.isNull()) {
        error = QStringLiteral("there is no such audio input");
        return false;
    }
    QAudioFormat format;
    format.setSampleFormat(QtSampleFormat(wanted.Type));
    format.setChannelCount(wanted.Channels);
    format.setSampleRate(wanted.SampleRate);
    if (!device.isFormatSupported(format))
        format = device.preferredFormat();

    source_ = new QAudioSource(device, format, this);
    source_->setBufferSize(format.bytesForDuration(DeliveryMicroseconds));
    io_ = source_->start();
    if (io_ == nullptr || source_->error() != QAudio::NoError) {
        error = QStringLiteral("the audio input did not start (error %1)").arg(int(source_->error()));
        Close();
        return false;
    }
    connect(io_, &QIODevice::readyRead, this, &QtAudioInput::Read);
    connect(source_, &QAudioSource::stateChanged, this, &QtAudioInput::StateChanged);
    const QAudioFormat opened = source_->format();
    delivered =
        SampleFormat{OurSampleType(opened.sampleFormat()), opened.channelCount(), opened.sampleRate()};
    return true;
}

void QtAudioInput::Close() {
    if (source_ == nullptr)
        return;
    source_->disconnect(this);
    if (io_ != nullptr)
        io_->disconnect(this);
    source_->stop();
    // Closing may be asked from within the source's own signal.
    source_->deleteLater();
    source_ = nullptr;
    io_ = nullptr;
}

void QtAudioInput::Read() {
    if (io_ == nullptr)
        return;
    const QByteArray bytes = io_->readAll();
    if (!bytes.isEmpty() && sink_ != nullptr)
        sink_->InputData(bytes.constData(), bytes.size());
}

void QtAudioInput::StateChanged() {
    if (source_ == nullptr || source_->state() != QAudio::StoppedState || source_->error() == QAudio::NoError)
        return;
    const InputFailure failure =
        source_->error() == QAudio::FatalError ? InputFailure::Lost : InputFailure::Error;
    if (sink_ != nullptr)
        sink_->InputFailed(failure);
}

} // namespace quavix
