#pragma once

#include "AnswerRecord.h"
#include "WeakNotes.h"

#include <map>
#include <optional>
#include <span>

namespace quavix {

// How the reader reads in each key signature: every note asked under a signature counts for its key, with
// the weak-note weighting of all of them together (WeakWeight), so a key whose notes are often missed or
// slow weighs more. Keys are numbered by their signature (sharps +, flats -, C major 0).
using KeyTallies = std::map<int, NoteTally>;

// This run's answers that were asked under a key signature, tallied per key.
KeyTallies TallyKeys(std::span<const AnswerRecord> answers);

// A key's tally of this run and of the history together.
KeyTallies CombineKeys(const KeyTallies& run, const KeyTallies& history);

// The key the reader reads worst: the heaviest weight, among equal weights the key with more answers, then
// the one with fewer signs. Nothing when no note was ever asked under a key signature.
std::optional<int> WeakestKey(const KeyTallies& tallies);

} // namespace quavix
