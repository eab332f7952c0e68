#include "ColourScheme.h"

#include <QGuiApplication>
#include <QScreen>

#include <stdexcept>
#include <string>

namespace quavix {

ColourScheme ColourSchemeForDepth(int colourDepth) {
    ColourScheme scheme;
    if (colourDepth > 8) {
        scheme.RichColour = true;
        scheme.BackgroundColour = 0xF0F0F0;
        scheme.ClosePanelColour = 0xF0F0F0;
        scheme.SliderThumbColour = 0x88C0FF;
        scheme.MaxScoreColour = 0xC80000;
        scheme.HotTrack = true;
        scheme.Gradient = true;
        scheme.NotesHotTrackColour = 0xC0C0F0;
        scheme.OptionsHotTrackColour = 0xF0C0C0;
        scheme.GradientEndColour = 0xD6D6D6;
        scheme.RecolourControls = true;
    } else if (colourDepth == 8) {
        scheme.BackgroundColour = 0xC0C0C0;
        scheme.ClosePanelColour = 0xC0C0C0;
        scheme.SliderThumbColour = 0x00FFFF;
        scheme.MaxScoreColour = 0xFF0000;
        scheme.HotTrack = true;
        scheme.NotesHotTrackColour = 0xC0DCC0;
        scheme.OptionsHotTrackColour = 0xC0DCC0;
        scheme.RecolourControls = true;
    } else {
        scheme.BackgroundColour = 0xC0C0C0;
        scheme.ClosePanelColour = 0xC0C0C0;
        scheme.SliderThumbColour = 0xC0C0C0;
        scheme.MaxScoreColour = 0x000000;
        scheme.NotesHotTrackColour = 0xC0C0C0;
        scheme.OptionsHotTrackColour = 0xC0C0C0;
    }
    return scheme;
}

QRgb PopUpColour(bool richColour) {
    return richColour ? 0xF8E480 : 0xFFFFFF;
}
QRgb CloseHoverColour(bool richColour) {
    return richColour ? 0xE8F0F8 : 0xC0DCC0;
}
QRgb AboutBackColour(bool richColour) {
    return richColour ? 0xF0F0F0 : 0xC0C0C0;
}
QRgb OpenCellColour(bool richColour) {
    return richColour ? 0x904040 : 0x800000;
}
QRgb FretCellColour(bool richColour) {
    return richColour ? 0x602020 : 0x800080;
}
QRgb DotFillColour(bool richColour) {
    return richColour ? 0xA0C0E0 : 0x008000;
}
QRgb DotOutlineColour(bool richColour) {
    return richColour ? 0x606060 : 0x808080;
}
QRgb StringColour(bool richColour) {
    return richColour ? 0xE0E0E0 : 0x00FFFF;
}
QRgb BandColour(bool richColour) {
    return richColour ? 0x80B5BF : 0x000000;
}
QRgb EdgeColour(bool richColour) {
    return richColour ? 0x68938B : 0x000080;
}

int DrawingColourDepth(int given) {
    int depth = given;
    if (depth == 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            throw std::runtime_error("there is no screen to show the window on");
        depth = screen->depth();
    }
    if (depth <= 0)
        throw std::runtime_error("the screen reports a colour depth of " + std::to_string(depth) + " bits");
    return depth;
}

} // namespace quavix
