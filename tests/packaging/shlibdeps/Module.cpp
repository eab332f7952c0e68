// Links a library the program does not, as the optional module does (ALSA, whose C header builds in a
// moment), and one the program links too (Qt Core), which must stay required rather than recommended.
#include <QtCore/qglobal.h>
#include <alsa/asoundlib.h>

extern "C" const char* ModuleVersion() {
    return qVersion() != nullptr ? snd_asoundlib_version() : nullptr;
}
