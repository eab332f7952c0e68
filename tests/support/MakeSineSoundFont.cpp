// Writes the SoundFont the sound tests play: one looped sine wave, sounding as long as its key is held and
// dying away in a fifth of a second once it is let go, as the piano (program 0) and the nylon guitar
// (program 24) of bank 0. A sine has nothing but its fundamental, so the pitch a test hears is the key's
// pitch exactly, whatever SoundFont the machine has installed. About 4 KB.
//   MakeSineSoundFont OUTPUT.sf2

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Word(Bytes& out, unsigned value) {
    out.push_back(std::uint8_t(value & 0xFF));
    out.push_back(std::uint8_t((value >> 8) & 0xFF));
}

void DoubleWord(Bytes& out, std::uint32_t value) {
    Word(out, value & 0xFFFF);
    Word(out, value >> 16);
}

// A fixed-width, zero-padded name field.
void Name(Bytes& out, const char* name, std::size_t width) {
    const std::size_t length = std::strlen(name);
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < length ? std::uint8_t(name[i]) : 0);
}

void Append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

Bytes Chunk(const char* id, const Bytes& body) {
    Bytes out;
    Name(out, id, 4);
    DoubleWord(out, std::uint32_t(body.size()));
    Append(out, body);
    if (body.size() % 2 == 1)
        out.push_back(0);
    return out;
}

Bytes List(const char* kind, const char* type, const Bytes& chunks) {
    Bytes body;
    Name(body, type, 4);
    Append(body, chunks);
    return Chunk(kind, body);
}

// The wave: 440 Hz at 44 kHz is exactly 100 samples a period, so a loop of whole periods joins without a
// seam. 46 silent samples follow, as the format asks.
constexpr int PeriodSamples = 100;
constexpr std::uint32_t SampleRate = 44000;
constexpr int RootKey = 69; // A4, 440 Hz
constexpr std::uint32_t WaveLength = 20 * PeriodSamples;
constexpr std::uint32_t LoopStart = 8 * PeriodSamples;
constexpr std::uint32_t LoopEnd = 18 * PeriodSamples;

Bytes Samples() {
    Bytes out;
    const double pi = std::acos(-1.0);
    for (std::uint32_t i = 0; i < WaveLength + 46; ++i) {
        const double value = i < WaveLength ? 0.5 * std::sin(2 * pi * i / PeriodSamples) : 0.0;
        Word(out, unsigned(std::int16_t(std::lround(value * 32767))) & 0xFFFF);
    }
    return out;
}

// Generator operators of the format.
enum Generator : unsigned {
    ReleaseVolEnv = 38,
    InstrumentId = 41,
    SampleId = 53,
    SampleModes = 54,
};

Bytes Presets() {
    Bytes headers, bags, modulators, generators;
    const struct {
        const char* name;
        unsigned program;
    } presets[] = {{"Sine Piano", 0}, {"Sine Guitar", 24}};
    unsigned bag = 0;
    for (const auto& preset : presets) {
        Name(headers, preset.name, 20);
        Word(headers, preset.program);
        Word(headers, 0); // bank
        Word(headers, bag);
        DoubleWord(headers, 0);
        DoubleWord(headers, 0);
        DoubleWord(headers, 0);
        Word(bags, bag); // each preset one zone with one generator: the instrument
        Word(bags, 0);
        Word(generators, InstrumentId);
        Word(generators, 0);
        ++bag;
    }
    Name(headers, "EOP", 20);
    for (int i = 0; i < 2; ++i)
        Word(headers, 0);
    Word(headers, bag);
    for (int i = 0; i < 3; ++i)
        DoubleWord(headers, 0);
    Word(bags, bag);
    Word(bags, 0);
    for (int i = 0; i < 5; ++i)
        Word(modulators, 0);
    Word(generators, 0);
    Word(generators, 0);

    Bytes instruments, instrumentBags, instrumentModulators, instrumentGenerators;
    Name(instruments, "Sine", 20);
    Word(instruments, 0);
    Name(instruments, "EOI", 20);
    Word(instruments, 1);
    Word(instrumentBags, 0);
    Word(instrumentBags, 0);
    Word(instrumentBags, 3);
    Word(instrumentBags, 0);
    for (int i = 0; i < 5; ++i)
        Word(instrumentModulators, 0);
    // Released over 0.2 s: 1200 * log2(0.2) timecents. The sample id comes last, as the format asks.
    const unsigned release = unsigned(std::lround(1200 * std::log2(0.2))) & 0xFFFF;
    for (const auto& [generator, amount] :
         {std::pair{SampleModes, 1u}, std::pair{ReleaseVolEnv, release}, std::pair{SampleId, 0u}}) {
        Word(instrumentGenerators, generator);
        Word(instrumentGenerators, amount);
    }
    Word(instrumentGenerators, 0);
    Word(instrumentGenerators, 0);

    Bytes samples;
    Name(samples, "Sine A4", 20);
    DoubleWord(samples, 0);
    DoubleWord(samples, WaveLength);
    DoubleWord(samples, LoopStart);
    DoubleWord(samples, LoopEnd);
    DoubleWord(samples, SampleRate);
    samples.push_back(RootKey);
    samples.push_back(0); // pitch correction
    Word(samples, 0);     // no linked sample
    Word(samples, 1);     // mono
    Name(samples, "EOS", 20);
    for (int i = 0; i < 5; ++i)
        DoubleWord(samples, 0);
    Word(samples, 0);
    Word(samples, 0);
    Word(samples, 0);

    Bytes chunks;
    Append(chunks, Chunk("phdr", headers));
    Append(chunks, Chunk("pbag", bags));
    Append(chunks, Chunk("pmod", modulators));
    Append(chunks, Chunk("pgen", generators));
    Append(chunks, Chunk("inst", instruments));
    Append(chunks, Chunk("ibag", instrumentBags));
    Append(chunks, Chunk("imod", instrumentModulators));
    Append(chunks, Chunk("igen", instrumentGenerators));
    Append(chunks, Chunk("shdr", samples));
    return chunks;
}

Bytes SoundFont() {
    Bytes version;
    Word(version, 2);
    Word(version, 1);
    Bytes engine;
    Name(engine, "EMU8000", 8);
    Bytes name;
    Name(name, "Quavix test sine", 18);
    Bytes info;
    Append(info, Chunk("ifil", version));
    Append(info, Chunk("isng", engine));
    Append(info, Chunk("INAM", name));

    Bytes body;
    Name(body, "sfbk", 4);
    Append(body, List("LIST", "INFO", info));
    Append(body, List("LIST", "sdta", Chunk("smpl", Samples())));
    Append(body, List("LIST", "pdta", Presets()));
    return Chunk("RIFF", body);
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
