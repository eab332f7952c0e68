#pragma once

#include "Random.h"

#include <functional>

class QWidget;

// Opens the About dialog modally over the main window and frees it when it closes. F1 in the dialog calls
// showHelpTopic with 0; opening it reseeds the program's random generator.
void ShowAbout(QWidget* mainWindow, quavix::RandomSource& random, bool richColour,
               const std::function<bool(int)>& showHelpTopic);
