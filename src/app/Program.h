#pragma once

#include "MainQX25.h"

namespace quavix {

class SingleInstance;

// The entry sequence once this copy holds the single-instance lock and the application object exists:
// builds the main window, and runs the event loop until it closes, unless building it failed (the one
// message has then been shown) and the program ends quietly. Returns the exit code: 0, or 1 after a
// failed start.
int RunMainWindow(SingleInstance& instance, TFormQX25::Options options = {});

} // namespace quavix
