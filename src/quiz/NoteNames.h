#pragma once

#include <cstdint>
#include <string_view>

namespace quavix {

// How the user learned to call the seven notes. The quiz always works with the letters 'A' to 'G'; the
// naming only changes what is shown and which keys answer.
enum NoteNamings : std::uint8_t {
    LetterNames = 0, // C D E F G A B
    GermanNames = 1, // C D E F G A H: H is the note B
    FixedDo = 2,     // Do Re Mi Fa Sol La Si
};
constexpr int NoteNamingCount = 3;

// The name of the note with letter 'A' to 'G' in a naming ("B", "H", "Si"); empty for anything else.
std::string_view NoteName(char letter, NoteNamings naming);

// The key that answers a note in a naming, as an upper-case letter; lower case answers too. With fixed do
// each syllable's own first letter, except Si, which shares its S with Sol and takes its I: D R M F S L I.
char AnswerKey(char letter, NoteNamings naming);

// The note letter 'A' to 'G' that a typed character answers in a naming, or 0 when it answers none.
char LetterForKey(char typed, NoteNamings naming);

// The naming a language is taught with, from its ISO 639 code ("de", "fr", "pt"; a region may follow, as
// in "de_AT"): H in German-speaking lands, fixed do in French, Italian, Spanish and Portuguese, letters
// everywhere else.
NoteNamings NoteNamingForLanguage(std::string_view language);

} // namespace quavix
