// A module that offers the sound interface of another version. The program must refuse it without
// running any of its code, which would leave QUAVIX_OTHER_MODULE_RAN set.
#include <QObject>
#include <QtPlugin>

#include <cstdlib>

namespace {
[[maybe_unused]] const bool loaded = [] { return setenv("QUAVIX_OTHER_MODULE_RAN", "1", 1) == 0; }();
}

class OtherVersionMaker final : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "example.tonewright.quavix.SoundEngineMaker/1")
};

#include "OtherVersionModule.moc"
