#include "SettingsRoom.h"

namespace quavix {

TSettingsRoom::TSettingsRoom(const Settings& initial, QObject* parent)
    : QObject(parent), settings_(initial) {}

void TSettingsRoom::Choose(const OptionChoice& choice) {
    Settings next = quavix::Choose(settings_, choice);
    if (next.KeepProgress != settings_.KeepProgress)
        next.KeepProgress = gate_ != nullptr && gate_->SwitchKeeping(next);
    Apply(next);
}

void TSettingsRoom::Apply(const Settings& next) {
    const Settings before = settings_;
    settings_ = next;
    emit changed(settings_, before);
}

} // namespace quavix
