#include "NoteNames.h"

#include <array>

namespace quavix {

namespace {

// Indexed by letter, A to G.
constexpr std::array<std::string_view, 7> Letters = {"A", "B", "C", "D", "E", "F", "G"};
constexpr std::array<std::string_view, 7> GermanLetters = {"A", "H", "C", "D", "E", "F", "G"};
constexpr std::array<std::string_view, 7> Syllables = {"La", "Si", "Do", "Re", "Mi", "Fa", "Sol"};
// Plain letters are free of every shortcut (those need a function key, Ctrl or Alt), so each syllable can
// have one; its first letter is what a learner reaches for.
constexpr std::array<char, 7> SyllableKeys = {'L', 'I', 'D', 'R', 'M', 'F', 'S'};

int IndexOf(char letter) {
    return letter >= 'A' && letter <= 'G' ? letter - 'A' : -1;
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::string_view NoteName(char letter, NoteNamings naming) {
    const int index = IndexOf(letter);
    if (index < 0)
        return {};
    if (naming == FixedDo)
        return Syllables[index];
    return naming == GermanNames ? GermanLetters[index] : Letters[index];
}

char AnswerKey(char letter, NoteNamings naming) {
    const int index = IndexOf(letter);
    if (index < 0)
        return 0;
    if (naming == FixedDo)
        return SyllableKeys[index];
    return naming == GermanNames && letter == 'B' ? 'H' : letter;
}

char LetterForKey(char typed, NoteNamings naming) {
    const char key = Upper(typed);
    for (char letter = 'A'; letter <= 'G'; ++letter)
        if (AnswerKey(letter, naming) == key)
            return letter;
    return 0;
}

NoteNamings NoteNamingForLanguage(std::string_view language) {
    const std::string_view code = language.substr(0, language.find_first_of("_-"));
    // Swiss German has a code of its own.
    if (code == "de" || code == "gsw")
        return GermanNames;
    if (code == "fr" || code == "it" || code == "es" || code == "pt")
        return FixedDo;
    return LetterNames;
}

} // namespace quavix
