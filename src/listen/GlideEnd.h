#pragma once

// Where a gliding pitch comes to rest. A bow or a breath often starts a little off its note and slides into
// it ever more slowly, each step a like share of the one before; from its latest pitches such a glide can be
// followed to its end before it gets there.

#include <optional>
#include <span>

namespace quavix {

// The pitch the glide through `pitches` (one a frame, oldest first, at least five) comes to rest at, when
// every step goes the same way and the latest steps have shrunk to at most half the first ones. Nothing for
// a pitch that holds still, wavers both ways, or keeps its pace (a slide on its way to another note).
std::optional<double> WhereGlideSettles(std::span<const double> pitches);

} // namespace quavix
