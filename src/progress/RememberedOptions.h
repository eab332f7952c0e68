#pragma once

#include "Settings.h"

#include <QString>

#include <map>

namespace quavix {

// The settings worth finding again at the next start, as the text pairs the kept history stores: the input
// type, the staff, the piano's range, the level, sound, the two progress options, the note names,
// listening (on or off, its tolerance, singing), and whether sharps, flats or a key are asked.
std::map<QString, QString> OptionsToRemember(const Settings& settings);

// Takes back what OptionsToRemember gave. Keys it does not know and values out of range leave the setting
// as it was, so a file written by another version can never put the trainer into a state it cannot have.
void RestoreOptions(const std::map<QString, QString>& options, Settings& settings);

} // namespace quavix
