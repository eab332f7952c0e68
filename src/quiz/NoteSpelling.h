#pragma once

#include "KeySignatures.h"
#include "NoteTable.h"
#include "Random.h"
#include "Settings.h"

#include <array>
#include <span>

namespace quavix {

// How a note the quiz asks is written: its alteration and the sign before it.
struct Spelling {
    int Alteration = 0;
    NoteSign Sign = NoteSign::None;

    friend bool operator==(const Spelling&, const Spelling&) = default;
};

// The key a quiz is written in: the chosen one, or a fresh one from the fifteen when the user asked for a
// different key each quiz. Naturals and free sharps and flats are written without a key (C major), and
// draw nothing from the random source.
int KeyForQuiz(const Settings& settings, RandomSource& random);

// How to write the note on this staff step with this letter in the quiz's key. Naturals only draws
// nothing from the random source, so a quiz of naturals asks exactly the notes it always did. Free sharps
// and flats leave out E sharp, B sharp, C flat and F flat, which only keys call for; a spelling the
// instrument cannot sound (below its lowest key) is written natural.
Spelling SpellNote(const NoteEntry& note, const Settings& settings, int key, RandomSource& random);

// The spellings a quiz may write a note in, the likeliest first: the natural alone for naturals, the key's
// spelling in a key (and, with signs against the key, the spelling against it), and for free signs each of
// natural, sharp and flat that SpellNote can write on its letter.
struct SpellingsAsked {
    std::array<int, 3> Alterations{};
    int Count = 0;

    std::span<const int> All() const& { return {Alterations.data(), static_cast<std::size_t>(Count)}; }
    // A view into a temporary would dangle once the statement ends (as in a range-for over
    // SpellingsOf(...).All()), so it does not compile.
    std::span<const int> All() const&& = delete;
};
SpellingsAsked SpellingsOf(const NoteEntry& note, const Settings& settings, int key);

} // namespace quavix
