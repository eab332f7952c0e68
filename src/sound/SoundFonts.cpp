#include "SoundFonts.h"

#include <QStandardPaths>

namespace quavix {

QString FindSoundFont() {
    const QString chosen = qEnvironmentVariable("QUAVIX_SOUNDFONT");
    if (!chosen.isEmpty())
        return chosen;
    // Better sounding first. Debian and Ubuntu put their fonts under sounds/sf2, Fedora and Arch under
    // soundfonts.
    static const char* const candidates[] = {
        "sounds/sf2/FluidR3_GM.sf2", "soundfonts/FluidR3_GM.sf2", "sounds/sf2/TimGM6mb.sf2",
        "sounds/sf2/default-GM.sf2", "soundfonts/default.sf2",
    };
    for (const char* candidate : candidates) {
        const QString path =
            QStandardPaths::locate(QStandardPaths::GenericDataLocation, QString::fromLatin1(candidate));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace quavix
