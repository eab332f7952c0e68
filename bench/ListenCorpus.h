#pragma once

// The listening corpus shared by its generator and its benchmark: which notes each instrument plays, the
// manifest that lists the rendered clips, and reading and writing the clips as 16-bit mono WAV files.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace listencorpus {

constexpr int SampleRate = 48000;

struct Instrument {
    const char* Name;
    int Program; // General MIDI
    int Lowest;  // MIDI keys it plays within the trainer's notes (E2 40 to B5 83), both included
    int Highest;
    bool Rings; // a plucked or struck string that rings on under the next note unless damped
};

// Each instrument's part of the trainer's notes, chromatically. The guitar sounds an octave below its
// written notes (written E3 to C6); the alto saxophone sounds a major sixth below its.
inline const std::vector<Instrument>& Instruments() {
    static const std::vector<Instrument> list = {
        {"piano", 0, 40, 83, true},   {"nylon guitar", 24, 40, 72, true}, {"violin", 40, 55, 83, false},
        {"cello", 42, 40, 69, false}, {"flute", 73, 60, 83, false},       {"alto sax", 65, 49, 80, false},
        {"choir", 52, 40, 83, false},
    };
    return list;
}

// One rendered clip: silence, then (when Previous >= 0) the previous note, then the asked note for a second.
struct Clip {
    std::string File; // relative to the manifest's folder
    std::string SoundFont;
    std::string Instrument;
    int Key = 0;
    int Previous = -1;
    std::int64_t NoteStart = 0; // sample where the asked note's key goes down
};

inline void WriteManifest(const std::string& path, const std::vector<Clip>& clips) {
    std::ofstream out(path);
    for (const Clip& c : clips)
        out << c.File << '\t' << c.SoundFont << '\t' << c.Instrument << '\t' << c.Key << '\t' << c.Previous
            << '\t' << c.NoteStart << '\n';
}

inline std::vector<Clip> ReadManifest(const std::string& path) {
    std::vector<Clip> clips;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Clip c;
        std::string key, previous, start;
        if (std::getline(fields, c.File, '\t') && std::getline(fields, c.SoundFont, '\t') &&
            std::getline(fields, c.Instrument, '\t') && std::getline(fields, key, '\t') &&
            std::getline(fields, previous, '\t') && std::getline(fields, start, '\t')) {
            c.Key = std::stoi(key);
            c.Previous = std::stoi(previous);
            c.NoteStart = std::stoll(start);
            clips.push_back(c);
        }
    }
    return clips;
}

inline void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline bool WriteWav(const std::string& path, const std::vector<float>& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    PutLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2); // PCM
    PutLittleEndian(out, 1, 2); // mono
    PutLittleEndian(out, SampleRate, 4);
    PutLittleEndian(out, SampleRate * 2, 4);
    PutLittleEndian(out, 2, 2);
    PutLittleEndian(out, 16, 2);
    out.write("data", 4);
    PutLittleEndian(out, dataBytes, 4);
    for (float s : samples) {
        const float clipped = s > 1.0f ? 1.0f : s < -1.0f ? -1.0f : s;
        PutLittleEndian(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(clipped * 32767.0f)), 2);
    }
    return static_cast<bool>(out);
}

// Reads a clip written by WriteWav (a 44-byte header and 16-bit mono samples).
inline std::vector<float> ReadWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> samples;
    if (bytes.size() < 44)
        return samples;
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        const auto value = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                     (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        samples.push_back(value / 32768.0f);
    }
    return samples;
}

} // namespace listencorpus
