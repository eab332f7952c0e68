#include "SampleConverter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quavix {

namespace {

// A sample this near to full scale has been clipped, or soon will be.
constexpr float FullScale = 0.99f;

} // namespace

int SampleFormat::BytesPerSample() const {
    switch (Type) {
    case SampleType::UInt8:
        return 1;
    case SampleType::Int16:
        return 2;
    case SampleType::Int32:
    case SampleType::Float:
        return 4;
    case SampleType::Unknown:
        break;
    }
    return 0;
}

bool SampleFormat::IsReadable() const {
    return BytesPerSample() > 0 && Channels >= 1 && SampleRate >= 8000;
}

SampleConverter::SampleConverter(const SampleFormat& format) : format_(format) {}

float SampleConverter::Sample(const unsigned char* bytes) const {
    // Samples arrive in the machine's own byte order, as every audio layer here delivers them.
    switch (format_.Type) {
    case SampleType::UInt8:
        return (float(bytes[0]) - 128.0f) / 128.0f;
    case SampleType::Int16: {
        std::int16_t v;
        std::memcpy(&v, bytes, sizeof v);
        return float(v) / 32768.0f;
    }
    case SampleType::Int32: {
        std::int32_t v;
        std::memcpy(&v, bytes, sizeof v);
        return float(double(v) / 2147483648.0);
    }
    case SampleType::Float: {
        float v;
        std::memcpy(&v, bytes, sizeof v);
        // A broken driver's NaN or infinity would poison every frame after it.
        return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
    }
    case SampleType::Unknown:
        break;
    }
    return 0;
}

void SampleConverter::ConvertFrames(const unsigned char* bytes, std::size_t frames,
                                    std::vector<float>& mono) {
    const int channels = format_.Channels;
    const int width = format_.BytesPerSample();
    const float share = 1.0f / float(channels);
    for (std::size_t f = 0; f < frames; ++f) {
        float sum = 0;
        for (int c = 0; c < channels; ++c) {
            const float s = Sample(bytes);
            bytes += width;
            const float magnitude = std::abs(s);
            extremes_.Peak = std::max(extremes_.Peak, magnitude);
            if (magnitude >= FullScale)
                ++extremes_.AtFullScale;
            sum += s;
        }
        mono.push_back(sum * share);
    }
}

void SampleConverter::Convert(const char* data, std::size_t size, std::vector<float>& mono) {
    const auto frameBytes = static_cast<std::size_t>(format_.BytesPerFrame());
    if (frameBytes == 0 || data == nullptr)
        return;
    auto bytes = reinterpret_cast<const unsigned char*>(data);
    if (!partial_.empty()) {
        const std::size_t missing = std::min(frameBytes - partial_.size(), size);
        partial_.insert(partial_.end(), bytes, bytes + missing);
        bytes += missing;
        size -= missing;
        if (partial_.size() < frameBytes)
            return;
        ConvertFrames(partial_.data(), 1, mono);
        partial_.clear();
    }
    const std::size_t frames = size / frameBytes;
    ConvertFrames(bytes, frames, mono);
    partial_.assign(bytes + frames * frameBytes, bytes + size);
}

SampleConverter::Extremes SampleConverter::TakeExtremes() {
    const Extremes taken = extremes_;
    extremes_ = {};
    return taken;
}

} // namespace quavix
