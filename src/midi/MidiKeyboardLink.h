#pragma once

#include "MidiInput.h"
#include "MidiKeyboard.h"

#include <functional>

namespace quavix {

// Feeds the keyboard from the input: keys go down and up, and a source that stops, or events that were
// lost, let go of their keys. tell hears why a key gave no answer, when the user should know. The links end
// when the input or the context object goes.
void LinkMidiKeyboard(MidiInput& input, MidiKeyboard& keyboard, QObject* context,
                      std::function<void(int note, IgnoredBecause why)> tell = {});

} // namespace quavix
