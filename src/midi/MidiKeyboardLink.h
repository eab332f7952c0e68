#pragma once

#include "MidiInput.h"
#include "MidiKeyboard.h"

namespace quavix {

// Feeds the keyboard from the input: keys become presses and releases, and a source that stops, or events
// that were lost, let go of the held key. The links end when the input or the context object goes.
void LinkMidiKeyboard(MidiInput& input, MidiKeyboard& keyboard, QObject* context);

} // namespace quavix
