#include "MidiInput.h"

namespace quavix {

MidiInput::~MidiInput() = default;

} // namespace quavix
