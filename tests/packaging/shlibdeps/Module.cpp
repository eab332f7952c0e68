// Links a library the program does not, as the optional module does: ALSA, whose C header builds in a
// moment.
#include <alsa/asoundlib.h>

extern "C" const char* ModuleVersion() {
    return snd_asoundlib_version();
}
