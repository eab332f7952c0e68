#pragma once

#include <QRgb>

#include <optional>

namespace quavix {

// The window's colours for the screen's colour depth (bits per pixel times planes), chosen once at start.
struct ColourScheme {
    bool RichColour = false;
    QRgb BackgroundColour = 0;
    QRgb ClosePanelColour = 0;
    QRgb SliderThumbColour = 0;
    QRgb MaxScoreColour = 0;
    bool HotTrack = false;
    bool Gradient = false;
    QRgb NotesHotTrackColour = 0;
    QRgb OptionsHotTrackColour = 0;
    // The tool bars' gradient end colour; empty means the system's window colour.
    std::optional<QRgb> GradientEndColour;
    // Whether the window and its panels take BackgroundColour and the Close panel ClosePanelColour.
    bool RecolourControls = false;
};

// More than 8 bits: the rich scheme; exactly 8: the 256-colour scheme; fewer: the low scheme.
ColourScheme ColourSchemeForDepth(int colourDepth);

// The colour depth to draw for: the given one, or when that is 0 the primary screen's. Throws
// std::runtime_error when there is no screen, or the depth is no depth at all: a screen we cannot draw for.
int DrawingColourDepth(int given);

// The colours the controls are designed with, kept where the low scheme recolours nothing.
namespace DesignColours {
constexpr QRgb Window = 0xF0F0F0;
constexpr QRgb StatusBar = 0x008000;
constexpr QRgb Score = 0x646464;
constexpr QRgb MaxScore = 0xC80000;
constexpr QRgb Instrument = 0x400000;
constexpr QRgb SliderThumb = 0x88C0FF;
constexpr QRgb NotesHotTrack = 0xC0C0F0;
constexpr QRgb OptionsHotTrack = 0xF0C0C0;
constexpr QRgb MessagePanel = 0xD8EBF6;
} // namespace DesignColours

// Colours that come in a colourful and a plain version, picked by RichColour where they are used.
QRgb PopUpColour(bool richColour);
QRgb CloseHoverColour(bool richColour);
QRgb AboutBackColour(bool richColour);
QRgb OpenCellColour(bool richColour);
QRgb FretCellColour(bool richColour);
QRgb DotFillColour(bool richColour);
QRgb DotOutlineColour(bool richColour);
QRgb StringColour(bool richColour);
QRgb BandColour(bool richColour);
QRgb EdgeColour(bool richColour);

} // namespace quavix
