#pragma once

// Turns the bytes an audio input delivers, in whatever sample type and channel count it opened with, into
// mono samples from -1 to 1, and notes how close to full scale the raw samples came.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quavix {

enum class SampleType : std::uint8_t { Unknown = 0, UInt8 = 1, Int16 = 2, Int32 = 3, Float = 4 };

struct SampleFormat {
    SampleType Type = SampleType::Float;
    int Channels = 1;
    int SampleRate = 16000;

    int BytesPerSample() const;
    int BytesPerFrame() const { return BytesPerSample() * Channels; }
    // A format this program can read: a known type, one channel or more, a rate of at least 8 kHz.
    bool IsReadable() const;
    friend bool operator==(const SampleFormat&, const SampleFormat&) = default;
};

class SampleConverter final {
public:
    explicit SampleConverter(const SampleFormat& format);

    // Appends the mono samples of data to mono (the mean of the channels). A frame cut off at the end of
    // data is kept and completed by the next call.
    void Convert(const char* data, std::size_t size, std::vector<float>& mono);

    // The largest raw sample magnitude and the count of samples at full scale since the last call.
    struct Extremes {
        float Peak = 0;
        int AtFullScale = 0;
    };
    Extremes TakeExtremes();

private:
    float Sample(const unsigned char* bytes) const;
    void ConvertFrames(const unsigned char* bytes, std::size_t frames, std::vector<float>& mono);

    SampleFormat format_;
    std::vector<unsigned char> partial_;
    Extremes extremes_;
};

} // namespace quavix
