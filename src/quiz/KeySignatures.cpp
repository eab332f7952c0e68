#include "KeySignatures.h"

#include "MidiNotes.h"

#include <array>
#include <utility>

namespace quavix {

namespace {

constexpr std::string_view SharpOrder = "FCGDAEB";
constexpr std::string_view FlatOrder = "BEADGCF";
// Semitones above C of the letters A to G.
constexpr std::array<int, 7> LetterSemitones = {9, 11, 0, 2, 4, 5, 7};

constexpr std::string_view SharpSign = "\u266F";
constexpr std::string_view FlatSign = "\u266D";

int LetterIndex(char letter) {
    return letter >= 'A' && letter <= 'G' ? letter - 'A' : -1;
}

// German names: the sign becomes a syllable, "is" for a sharp and "es" for a flat, which vowels shorten
// (Es, As) and B flat, called B, leaves out altogether; the natural B is H.
std::string GermanName(char letter, int alteration) {
    if (letter == 'B')
        return alteration == 0 ? "H" : alteration < 0 ? "B" : "His";
    std::string name(1, letter);
    if (alteration > 0)
        return name + "is";
    if (alteration < 0)
        return name + (letter == 'A' || letter == 'E' ? "s" : "es");
    return name;
}

} // namespace

bool IsKey(int fifths) {
    return fifths >= LowestKey && fifths <= HighestKey;
}

int KeyAlteration(int fifths, char letter) {
    if (!IsKey(fifths) || LetterIndex(letter) < 0)
        return 0;
    const std::string_view order = fifths > 0 ? SharpOrder : FlatOrder;
    const auto position = static_cast<int>(order.find(letter));
    const int count = fifths > 0 ? fifths : -fifths;
    if (position >= count)
        return 0;
    return fifths > 0 ? 1 : -1;
}

std::string SignatureLetters(int fifths) {
    if (!IsKey(fifths) || fifths == 0)
        return {};
    return std::string(fifths > 0 ? SharpOrder.substr(0, std::size_t(fifths))
                                  : FlatOrder.substr(0, std::size_t(-fifths)));
}

NoteSign SignFor(int alteration, int keyAlteration) {
    if (alteration == keyAlteration)
        return NoteSign::None;
    if (alteration > 0)
        return NoteSign::Sharp;
    return alteration < 0 ? NoteSign::Flat : NoteSign::Natural;
}

int PitchClass(char letter, int alteration) {
    const int index = LetterIndex(letter);
    if (index < 0)
        return -1;
    return ((LetterSemitones[std::size_t(index)] + alteration) % 12 + 12) % 12;
}

int SpelledKey(int step, int alteration) {
    return MidiNoteOfStep(step) + alteration;
}

std::string SpelledName(char letter, int alteration, NoteNamings naming, std::string_view syllable) {
    if (LetterIndex(letter) < 0)
        return {};
    if (naming == GermanNames)
        return GermanName(letter, alteration);
    std::string name(syllable.empty() ? NoteName(letter, naming) : syllable);
    if (alteration > 0)
        name += SharpSign;
    else if (alteration < 0)
        name += FlatSign;
    return name;
}

KeyTonics TonicsOf(int fifths) {
    if (!IsKey(fifths))
        return {};
    // Each sharp moves the tonic a fifth up (four letters on), each flat a fifth down.
    auto tonic = [fifths](char start) {
        const int index = ((start - 'A') + 4 * fifths) % 7;
        const char letter = char('A' + (index + 7) % 7);
        return std::pair{letter, KeyAlteration(fifths, letter)};
    };
    const auto [major, majorAlteration] = tonic('C');
    const auto [minor, minorAlteration] = tonic('A');
    return {major, majorAlteration, minor, minorAlteration};
}

} // namespace quavix
