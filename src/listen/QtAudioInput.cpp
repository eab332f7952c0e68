#include "QtAudioInput.h"

#include <QAudioDevice>
#include <QAudioFormat>

namespace quavix {

namespace {

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

QtAudioInput::QtAudioInput() = default;

QtAudioInput::~QtAudioInput() {
    sink_ = nullptr;
    Close();
}

void QtAudioInput::KnowDevices() {
    if (devices_ != nullptr)
        return;
    devices_ = std::make_unique<QMediaDevices>();
    connect(devices_.get(), &QMediaDevices::audioInputsChanged, this, [this] {
        if (sink_ != nullptr)
            sink_->InputsChanged();
    });
}

QList<AudioInputDevice> QtAudioInput::Devices() {
    QList<AudioInputDevice> list;
    if (devices_ == nullptr)
        return list;
    // Qt 6.4's PulseAudio backend marks no input as the default; ask for the default instead.
    const QByteArray defaultId = QMediaDevices::defaultAudioInput().id();
    for (const QAudioDevice& device : QMediaDevices::audioInputs())
        list.append({device.id(), device.description(), device.isDefault() || device.id() == defaultId});
    return list;
}

bool QtAudioInput::Open(const QByteArray& id, const SampleFormat& wanted, SampleFormat& delivered,
                        QString& error) {
    Close();
    if (devices_ == nullptr) {
        // The first time, the server is asked for the input by name and in the format wanted, which it
        // converts to; the list and the inputs' own formats are known once it has answered.
        if (!capture_.Open(id, wanted, error))
            return false;
        delivered = wanted;
        return true;
    }
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
    const SampleFormat opened{OurSampleType(format.sampleFormat()), format.channelCount(),
                              format.sampleRate()};
    if (!capture_.Open(device.id(), opened, error))
        return false;
    delivered = opened;
    return true;
}

void QtAudioInput::Close() {
    capture_.Close();
}

void QtAudioInput::InputOpened() {
    const bool firstAnswer = devices_ == nullptr;
    KnowDevices();
    // The sink may close this input from here; the list it is told of next is there either way.
    if (sink_ != nullptr)
        sink_->InputOpened();
    if (firstAnswer && sink_ != nullptr)
        sink_->InputsChanged();
}

void QtAudioInput::InputData(const char* data, qint64 size) {
    if (sink_ != nullptr)
        sink_->InputData(data, size);
}

void QtAudioInput::InputFailed(InputFailure failure) {
    if (sink_ != nullptr)
        sink_->InputFailed(failure);
}

void QtAudioInput::InputsChanged() {
    if (sink_ != nullptr)
        sink_->InputsChanged();
}

} // namespace quavix
