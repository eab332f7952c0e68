// Writes the SoundFont the sound tests play: one looped sine wave, sounding as long as its key is held and
// dying away in a fifth of a second once it is let go, as the piano (program 0) and the nylon guitar
// (program 24) of bank 0. A sine has nothing but its fundamental, so the pitch a test hears is the key's
// pitch exactly, whatever SoundFont the machine has installed. About 4 KB.
//   MakeSineSoundFont OUTPUT.sf2

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian words and double words, one after another.
Bytes Words(const std::vector<unsigned>& words, int size = 2) {
    Bytes out;
    for (unsigned word : words)
        for (int i = 0; i < size; ++i)
            out.push_back(std::uint8_t(word >> (8 * i)));
    return out;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A name field of a fixed width, padded with zeros.
Bytes Name(const char* name, std::size_t width) {
    Bytes out(width, 0);
    std::memcpy(out.data(), name, std::min(width, std::strlen(name)));
    return out;
}

Bytes Chunk(const char* id, const Bytes& body) {
    Bytes out = Name(id, 4) + Words({unsigned(body.size())}, 4) + body;
    if (body.size() % 2 == 1)
        out.push_back(0);
    return out;
}

Bytes List(const char* kind, const char* type, const Bytes& chunks) {
    return Chunk(kind, Name(type, 4) + chunks);
}

// 440 Hz at 44 kHz is exactly 100 samples a period, so a loop of whole periods joins without a seam. 46
// silent samples follow the wave, as the format asks.
constexpr unsigned PeriodSamples = 100;
constexpr unsigned SampleRate = 44000;
constexpr unsigned RootKey = 69; // A4
constexpr unsigned WaveLength = 20 * PeriodSamples;
constexpr unsigned LoopStart = 8 * PeriodSamples;
constexpr unsigned LoopEnd = 18 * PeriodSamples;

Bytes Samples() {
    std::vector<unsigned> samples(WaveLength + 46, 0);
    for (unsigned i = 0; i < WaveLength; ++i)
        samples[i] =
            unsigned(std::lround(16383 * std::sin(2 * std::numbers::pi * i / PeriodSamples))) & 0xFFFF;
    return Words(samples);
}

// Generator operators of the format.
constexpr unsigned ReleaseVolEnv = 38, InstrumentId = 41, SampleId = 53, SampleModes = 54;

// Presets, instrument and sample, each list closed by its terminal record.
Bytes Hydra() {
    const Bytes headers = Name("Sine Piano", 20) + Words({0, 0, 0}) + Words({0, 0, 0}, 4) +
                          Name("Sine Guitar", 20) + Words({24, 0, 1}) + Words({0, 0, 0}, 4) +
                          Name("EOP", 20) + Words({0, 0, 2}) + Words({0, 0, 0}, 4);
    // Each preset has one zone with one generator: the instrument.
    const Bytes bags = Words({0, 0, 1, 0, 2, 0});
    const Bytes generators = Words({InstrumentId, 0, InstrumentId, 0, 0, 0});
    const Bytes instruments = Name("Sine", 20) + Words({0}) + Name("EOI", 20) + Words({1});
    const Bytes instrumentBags = Words({0, 0, 3, 0});
    // Looped, released over 0.2 s (1200 log2(0.2) timecents); the sample id comes last, as the format asks.
    const unsigned release = unsigned(std::lround(1200 * std::log2(0.2))) & 0xFFFF;
    const Bytes instrumentGenerators = Words({SampleModes, 1, ReleaseVolEnv, release, SampleId, 0, 0, 0});
    const Bytes noModulators = Words({0, 0, 0, 0, 0});
    // Mono, with no linked sample and no pitch correction.
    const Bytes samples = Name("Sine A4", 20) + Words({0, WaveLength, LoopStart, LoopEnd, SampleRate}, 4) +
                          Bytes{std::uint8_t(RootKey), 0} + Words({0, 1}) + Name("EOS", 20) + Bytes(26, 0);
    return Chunk("phdr", headers) + Chunk("pbag", bags) + Chunk("pmod", noModulators) +
           Chunk("pgen", generators) + Chunk("inst", instruments) + Chunk("ibag", instrumentBags) +
           Chunk("imod", noModulators) + Chunk("igen", instrumentGenerators) + Chunk("shdr", samples);
}

Bytes SoundFont() {
    const Bytes info = Chunk("ifil", Words({2, 1})) + Chunk("isng", Name("EMU8000", 8)) +
                       Chunk("INAM", Name("Test sine", 10));
    return Chunk("RIFF", Name("sfbk", 4) + List("LIST", "INFO", info) +
                             List("LIST", "sdta", Chunk("smpl", Samples())) + List("LIST", "pdta", Hydra()));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.sf2\n", argv[0]);
        return 2;
    }
    const Bytes font = SoundFont();
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr || std::fwrite(font.data(), 1, font.size(), file) != font.size() ||
        std::fclose(file) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
