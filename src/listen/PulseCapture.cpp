#include "PulseCapture.h"

#include <pulse/pulseaudio.h>

namespace quavix {

namespace {

pa_sample_format_t PulseSampleFormat(SampleType type) {
    switch (type) {
    case SampleType::UInt8:
        return PA_SAMPLE_U8;
    case SampleType::Int16:
        return PA_SAMPLE_S16NE;
    case SampleType::Int32:
        return PA_SAMPLE_S32NE;
    case SampleType::Float:
        return PA_SAMPLE_FLOAT32NE;
    case SampleType::Unknown:
        break;
    }
    return PA_SAMPLE_INVALID;
}

pa_sample_spec SampleSpec(const SampleFormat& format) {
    pa_sample_spec samples{};
    samples.format = PulseSampleFormat(format.Type);
    samples.rate = static_cast<std::uint32_t>(format.SampleRate);
    samples.channels = static_cast<std::uint8_t>(format.Channels);
    return samples;
}

bool Gone(pa_context* context) {
    const pa_context_state_t state = pa_context_get_state(context);
    return state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED;
}

bool Gone(pa_stream* stream) {
    const pa_stream_state_t state = pa_stream_get_state(stream);
    return state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED;
}

// Turns of the connection one pump runs at most: enough to take in a backlog after a busy moment, without
// spinning should the server never stop sending.
constexpr int MostTurnsPerPump = 64;

} // namespace

PulseCapture::PulseCapture(AudioInputSink& sink) : sink_(sink) {
    pump_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pump_, &QTimer::timeout, &pump_, [this] { Pump(); });
}

PulseCapture::~PulseCapture() {
    Close();
}

bool PulseCapture::Open(const QByteArray& source, const SampleFormat& format, QString& error) {
    Close();
    const pa_sample_spec samples = SampleSpec(format);
    if (format.Channels < 1 || format.Channels > int(PA_CHANNELS_MAX) || !pa_sample_spec_valid(&samples)) {
        error = QStringLiteral("the sound server cannot record in this format");
        return false;
    }
    loop_ = pa_mainloop_new();
    context_ = loop_ != nullptr ? pa_context_new(pa_mainloop_get_api(loop_), "Quavix") : nullptr;
    // The server named by the environment or the user's configuration; never one started for us. Only the
    // connection is started here: whether the server answers is seen by the pump.
    if (context_ == nullptr || pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        error = QStringLiteral("the sound server could not be reached: %1")
                    .arg(context_ != nullptr ? QString::fromUtf8(pa_strerror(pa_context_errno(context_)))
                                             : QStringLiteral("no connection"));
        Close();
        return false;
    }
    source_ = source;
    format_ = format;
    stage_ = Stage::Connecting;
    pump_.setInterval(OpeningPumpMs);
    pump_.start();
    return true;
}

void PulseCapture::Close() {
    pump_.stop();
    stage_ = Stage::Closed;
    if (stream_ != nullptr) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    if (loop_ != nullptr) {
        pa_mainloop_free(loop_);
        loop_ = nullptr;
    }
}

bool PulseCapture::StartRecording() {
    const pa_sample_spec samples = SampleSpec(format_);
    // Unsigned 8-bit samples are silent at their middle value, the others at zero.
    silence_ = format_.Type == SampleType::UInt8 ? char(0x80) : char(0);
    pa_channel_map map;
    pa_channel_map_init_extend(&map, samples.channels, PA_CHANNEL_MAP_DEFAULT);
    stream_ = pa_stream_new(context_, "Listening", &samples, &map);
    if (stream_ == nullptr)
        return false;
    // The source is asked to run at the delivery pace, so a sound card hands over a piece about every
    // 10 ms rather than when its larger default buffer fills.
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = static_cast<std::uint32_t>(-1);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize =
        static_cast<std::uint32_t>(pa_usec_to_bytes(DeliveryMs * PA_USEC_PER_MSEC, &samples));
    const char* device = source_.isEmpty() ? nullptr : source_.constData();
    return pa_stream_connect_record(stream_, device, &attributes, PA_STREAM_ADJUST_LATENCY) >= 0;
}

void PulseCapture::Pump() {
    // Everything the server has sent since the last turn, without waiting for more.
    int turns = 0;
    int dispatched = 0;
    while (turns++ < MostTurnsPerPump && (dispatched = pa_mainloop_iterate(loop_, 0, nullptr)) > 0) {
    }
    if (IsOpening()) {
        if (dispatched < 0 || Gone(context_) || (stream_ != nullptr && Gone(stream_)))
            FailOpening();
        else
            Advance();
        return;
    }
    // The input or the server went away; closed first, since the sink may open another at once.
    if (Gone(context_) || Gone(stream_)) {
        Close();
        sink_.InputFailed(InputFailure::Lost);
        return;
    }
    if (dispatched < 0 || !TakeRecorded()) {
        Close();
        sink_.InputFailed(InputFailure::Error);
        return;
    }
    // The sink may close this capture from here; nothing is touched after it.
    if (!recorded_.empty())
        sink_.InputData(recorded_.data(), static_cast<qint64>(recorded_.size()));
}

void PulseCapture::Advance() {
    if (stage_ == Stage::Connecting && pa_context_get_state(context_) == PA_CONTEXT_READY) {
        if (!StartRecording()) {
            FailOpening();
            return;
        }
        stage_ = Stage::Starting;
    }
    if (stage_ == Stage::Starting && pa_stream_get_state(stream_) == PA_STREAM_READY) {
        stage_ = Stage::Recording;
        pump_.setInterval(DeliveryMs);
        // The sink may close this capture from here; nothing is touched after it.
        sink_.InputOpened();
    }
}

void PulseCapture::FailOpening() {
    Close();
    sink_.InputFailed(InputFailure::NotOpened);
}

bool PulseCapture::TakeRecorded() {
    recorded_.clear();
    for (;;) {
        const void* data = nullptr;
        std::size_t length = 0;
        if (pa_stream_peek(stream_, &data, &length) < 0)
            return false;
        if (length == 0)
            return true;
        if (data != nullptr) {
            const auto* bytes = static_cast<const char*>(data);
            recorded_.insert(recorded_.end(), bytes, bytes + length);
        } else {
            // A gap the server left in the stream: silence keeps what follows in its right place in time.
            recorded_.insert(recorded_.end(), length, silence_);
        }
        pa_stream_drop(stream_);
    }
}

} // namespace quavix
