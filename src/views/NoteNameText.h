#pragma once

#include "NoteNames.h"

#include <QLocale>
#include <QString>

#include <cstdint>

namespace quavix {

// The name of the note with letter 'A' to 'G' in a naming (NoteNamings), as the user reads it. The
// syllables go through the translations, so a language may write them its own way (Ré, for instance).
QString NoteNameText(char letter, NoteNamings naming);
// A note name with its sign: "F♯", "Fis", "Fa♯", "Ré♭"; B flat is "B" in the German naming.
QString SpelledNameText(char letter, int alteration, NoteNamings naming);

// The name of a major key and its relative minor, by its sharps (+) or flats (-): "E♭ major / C minor".
QString KeyNameText(int fifths, NoteNamings naming);

// The same for the pitch of a staff step, with its octave: "B3", "H3", "Si3".
QString PitchNameText(int step, NoteNamings naming);

// The naming a user of this locale learned: the default of Options, Note Names.
NoteNamings NoteNamingFor(const QLocale& locale);

} // namespace quavix
