#pragma once

// The small widget kinds the main window is built from: bevelled panels, paint boxes over a Canvas, the
// gradient tool bars with their flat buttons, the Close panel, the countdown button and the level slider.
// Each paints itself so the window looks the same on every platform style; each has a file of its own.

#include "Bevel.h"
#include "ClosePanel.h"
#include "CountButton.h"
#include "Label.h"
#include "LevelSlider.h"
#include "PaintBox.h"
#include "Panel.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "ToolButton.h"
#include "ToolSeparator.h"
