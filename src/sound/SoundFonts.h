#pragma once

#include <QString>

namespace quavix {

// The General MIDI SoundFont to play with: the file named by the environment variable QUAVIX_SOUNDFONT
// when it is set; otherwise the first installed of the large FluidR3 font, the small TimGM6mb font and
// the system's default General MIDI font, looked for in the data folders (/usr/share, /usr/local/share,
// ~/.local/share). Empty when there is none.
QString FindSoundFont();

} // namespace quavix
