#pragma once

#include "MainQX25.h"

#include <functional>

namespace quavix {

class SingleInstance;

// The whole program from its command line: a second copy only passes the focus to the copy that runs and
// ends; otherwise the application is made, speaks the user's language and runs the main window.
// beforeWindow runs once the application object exists, before the window is built: the benchmark build
// measures from there. Returns the exit code.
int RunProgram(int argc, char* argv[], const std::function<void()>& beforeWindow = {});

// The entry sequence once this copy holds the single-instance lock and the application object exists:
// builds the main window, and runs the event loop until it closes, unless building it failed (the one
// message has then been shown) and the program ends quietly. Returns the exit code: 0, or 1 after a
// failed start.
int RunMainWindow(SingleInstance& instance, TFormQX25::Options options = {});

} // namespace quavix
