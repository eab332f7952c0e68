#include "PulseCapture.h"

#include <QElapsedTimer>

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
    pump_.setInterval(DeliveryMs);
    pump_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pump_, &QTimer::timeout, &pump_, [this] { Pump(); });
}

PulseCapture::~PulseCapture() {
    Close();
}

bool PulseCapture::Open(const QByteArray& source, const SampleFormat& format, QString& error) {
    Close();
    loop_ = pa_mainloop_new();
    if (loop_ == nullptr || !Connect(error) || !StartRecording(source, format, error)) {
        Close();
        return false;
    }
    pump_.start();
    return true;
}

void PulseCapture::Close() {
    pump_.stop();
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

template <typename Ready> bool PulseCapture::RunUntil(Ready ready) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (ready())
            return true;
        if (Gone(context_) || (stream_ != nullptr && Gone(stream_)))
            return false;
        const qint64 left = OpenTimeoutMs - waited.elapsed();
        if (left <= 0)
            return false;
        if (pa_mainloop_prepare(loop_, static_cast<int>(left * 1000)) < 0 || pa_mainloop_poll(loop_) < 0 ||
            pa_mainloop_dispatch(loop_) < 0)
            return false;
    }
}

bool PulseCapture::Connect(QString& error) {
    context_ = pa_context_new(pa_mainloop_get_api(loop_), "Quavix");
    if (context_ == nullptr) {
        error = QStringLiteral("could not make a sound server connection");
        return false;
    }
    // The server named by the environment or the user's configuration; never one started for us.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        !RunUntil([this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; })) {
        error = QStringLiteral("the sound server could not be reached: %1").arg(ServerError());
        return false;
    }
    return true;
}

bool PulseCapture::StartRecording(const QByteArray& source, const SampleFormat& format, QString& error) {
    pa_sample_spec samples{};
    samples.format = PulseSampleFormat(format.Type);
    samples.rate = static_cast<std::uint32_t>(format.SampleRate);
    samples.channels = static_cast<std::uint8_t>(format.Channels);
    if (format.Channels < 1 || format.Channels > int(PA_CHANNELS_MAX) || !pa_sample_spec_valid(&samples)) {
        error = QStringLiteral("the sound server cannot record in this format");
        return false;
    }
    // Unsigned 8-bit samples are silent at their middle value, the others at zero.
    silence_ = format.Type == SampleType::UInt8 ? char(0x80) : char(0);
    pa_channel_map map;
    pa_channel_map_init_extend(&map, samples.channels, PA_CHANNEL_MAP_DEFAULT);
    stream_ = pa_stream_new(context_, "Listening", &samples, &map);
    if (stream_ == nullptr) {
        error = ServerError();
        return false;
    }
    // The source is asked to run at the delivery pace, so a sound card hands over a piece about every
    // 10 ms rather than when its larger default buffer fills.
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.tlength = static_cast<std::uint32_t>(-1);
    attributes.prebuf = static_cast<std::uint32_t>(-1);
    attributes.minreq = static_cast<std::uint32_t>(-1);
    attributes.fragsize =
        static_cast<std::uint32_t>(pa_usec_to_bytes(DeliveryMs * PA_USEC_PER_MSEC, &samples));
    const char* device = source.isEmpty() ? nullptr : source.constData();
    if (pa_stream_connect_record(stream_, device, &attributes, PA_STREAM_ADJUST_LATENCY) < 0 ||
        !RunUntil([this] { return pa_stream_get_state(stream_) == PA_STREAM_READY; })) {
        error = QStringLiteral("the audio input did not start: %1").arg(ServerError());
        return false;
    }
    return true;
}

void PulseCapture::Pump() {
    // Everything the server has sent since the last turn, without waiting for more.
    int turns = 0;
    int dispatched = 0;
    while (turns++ < MostTurnsPerPump && (dispatched = pa_mainloop_iterate(loop_, 0, nullptr)) > 0) {
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

QString PulseCapture::ServerError() const {
    if (context_ == nullptr)
        return QStringLiteral("no connection");
    return QString::fromUtf8(pa_strerror(pa_context_errno(context_)));
}

} // namespace quavix
