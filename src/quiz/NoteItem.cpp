#include "NoteItem.h"

#include <array>
#include <charconv>
#include <limits>

namespace quavix {

namespace {

constexpr std::array<std::string_view, 5> ClefWords = {"treble", "bass", "alto", "tenor", "treble8"};
constexpr std::string_view UnnamedClef = "clef";
constexpr std::string_view Letters = "CDEFGAB";
constexpr int LowestOctave = 2; // step 0 is E2
constexpr int StepsFromC = 2;   // E lies two letters above C, where octaves are counted from
constexpr int LettersPerOctave = 7;

int FloorDiv(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

std::optional<std::uint8_t> ClefFromWord(std::string_view word) {
    for (std::size_t clef = 0; clef < ClefWords.size(); ++clef)
        if (word == ClefWords[clef])
            return static_cast<std::uint8_t>(clef);
    // "clef" and a number, as written for clefs without a name; a named clef has only its name.
    if (!word.starts_with(UnnamedClef) || word.size() == UnnamedClef.size())
        return std::nullopt;
    unsigned value = 0;
    const char* first = word.data() + UnnamedClef.size();
    const char* last = word.data() + word.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || value < ClefWords.size() || value > 255 || *first == '0')
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::string ItemText(const NoteItem& item) {
    if (item.Alteration < LowestAlteration || item.Alteration > HighestAlteration)
        return {};
    std::string text = item.Clef < ClefWords.size() ? std::string(ClefWords[item.Clef])
                                                    : std::string(UnnamedClef) + std::to_string(item.Clef);
    const int fromC = item.Step + StepsFromC;
    const int octave = LowestOctave + FloorDiv(fromC, LettersPerOctave);
    text += ':';
    text += Letters[static_cast<std::size_t>(fromC - (octave - LowestOctave) * LettersPerOctave)];
    text.append(static_cast<std::size_t>(item.Alteration < 0 ? -item.Alteration : item.Alteration),
                item.Alteration < 0 ? 'b' : '#');
    text += std::to_string(octave);
    return text;
}

std::optional<NoteItem> ItemFromText(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::optional<std::uint8_t> clef = ClefFromWord(text.substr(0, colon));
    std::string_view pitch = text.substr(colon + 1);
    if (!clef || pitch.empty())
        return std::nullopt;
    const std::size_t letter = Letters.find(pitch.front());
    if (letter == std::string_view::npos)
        return std::nullopt;
    pitch.remove_prefix(1);

    // One kind of sign, repeated for a double: "#b" is no spelling, and its 'b' fails as an octave below.
    int alteration = 0;
    const char sign = pitch.empty() ? '\0' : pitch.front();
    while ((sign == '#' || sign == 'b') && !pitch.empty() && pitch.front() == sign) {
        alteration += sign == '#' ? 1 : -1;
        pitch.remove_prefix(1);
    }
    if (alteration < LowestAlteration || alteration > HighestAlteration || pitch.empty() ||
        pitch.front() == '+')
        return std::nullopt;

    int octave = 0;
    const auto [end, error] = std::from_chars(pitch.data(), pitch.data() + pitch.size(), octave);
    if (error != std::errc() || end != pitch.data() + pitch.size())
        return std::nullopt;
    // Worked out in 64 bits: an absurd octave must be refused, not wrapped round into a plausible step.
    const std::int64_t step = (static_cast<std::int64_t>(octave) - LowestOctave) * LettersPerOctave +
                              static_cast<std::int64_t>(letter) - StepsFromC;
    if (step < std::numeric_limits<std::int16_t>::min() || step > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return NoteItem{*clef, static_cast<std::int16_t>(step), static_cast<std::int8_t>(alteration)};
}

} // namespace quavix
