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
// How far the sound taken may trail the clock and still keep pace: a source hands its sound on in pieces,
// so the newest few milliseconds are often still on their way.
constexpr qint64 PaceSlackMs = PulseCapture::DeliveryMs / 2;
// Pumps after which the connection is turned until empty even when keeping pace (a second).
constexpr int PumpsBetweenEmptyings = 100;

} // namespace

void PulseCapture::SoundArrived(pa_stream* /*stream*/, std::size_t waiting, void* capture) {
    // Told with each piece, so the pace needs no question to libpulse (each costs a system call).
    static_cast<PulseCapture*>(capture)->waiting_ = waiting;
}

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
        pa_stream_set_read_callback(stream_, nullptr, nullptr);
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
    bytesPerSecond_ = static_cast<qint64>(pa_bytes_per_second(&samples));
    // Unsigned 8-bit samples are silent at their middle value, the others at zero.
    silence_ = format_.Type == SampleType::UInt8 ? char(0x80) : char(0);
    pa_channel_map map;
    pa_channel_map_init_extend(&map, samples.channels, PA_CHANNEL_MAP_DEFAULT);
    stream_ = pa_stream_new(context_, "Listening", &samples, &map);
    if (stream_ == nullptr)
        return false;
    waiting_ = 0;
    pa_stream_set_read_callback(stream_, &PulseCapture::SoundArrived, this);
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

int PulseCapture::TakeIn() {
    // What the server has sent, without waiting for more. Through shared memory one turn takes all that has
    // arrived; where the sound comes in the connection itself (a server without shared memory, or one on
    // another machine), a turn reads a single frame header or body. So the connection is turned until it
    // has nothing more, except that while recording it stops once the sound taken keeps pace with the
    // clock: the last turn, which would only find nothing, costs as much as the one that read the sound.
    // Now and then it is turned until empty all the same, so a sound card's clock running a little fast
    // never leaves sound waiting.
    const bool paced = stage_ == Stage::Recording && ++pumpsSinceEmpty_ < PumpsBetweenEmptyings;
    int dispatched = 0;
    for (int turn = 0; turn < MostTurnsPerPump; ++turn) {
        dispatched = pa_mainloop_iterate(loop_, 0, nullptr);
        if (dispatched <= 0 || (paced && KeepsPace()))
            break;
    }
    if (dispatched == 0 && stage_ == Stage::Recording) {
        // Nothing more to read: the pace is measured from here. What waits in the stream arrived before.
        sinceEmpty_.start();
        takenSinceEmpty_ = -qint64(waiting_);
        pumpsSinceEmpty_ = 0;
    }
    return dispatched;
}

bool PulseCapture::KeepsPace() const {
    // Only sound this pump has brought ends it: a turn that merely sent the server word of the pieces
    // taken before reads nothing.
    if (waiting_ == 0 || !sinceEmpty_.isValid())
        return false;
    const qint64 takenMs = (takenSinceEmpty_ + qint64(waiting_)) * 1000 / bytesPerSecond_;
    return takenMs + PaceSlackMs >= sinceEmpty_.elapsed();
}

void PulseCapture::Pump() {
    const int dispatched = TakeIn();
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
    takenSinceEmpty_ += static_cast<qint64>(recorded_.size());
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
        sinceEmpty_.invalidate();
        pumpsSinceEmpty_ = 0;
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
    // The stream was last told it holds waiting_ bytes, and only a turn of the connection adds to them: once
    // that much is taken, asking again would only find nothing (and each question costs a system call).
    std::size_t told = waiting_;
    waiting_ = 0;
    while (told > 0) {
        const void* data = nullptr;
        std::size_t length = 0;
        if (pa_stream_peek(stream_, &data, &length) < 0)
            return false;
        if (length == 0)
            break;
        told = length < told ? told - length : 0;
        if (data != nullptr) {
            const auto* bytes = static_cast<const char*>(data);
            recorded_.insert(recorded_.end(), bytes, bytes + length);
        } else {
            // A gap the server left in the stream: silence keeps what follows in its right place in time.
            recorded_.insert(recorded_.end(), length, silence_);
        }
        pa_stream_drop(stream_);
    }
    return true;
}

} // namespace quavix
