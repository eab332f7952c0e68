#pragma once

#include <QRect>
#include <QSize>

namespace quavix {

// Where the help window first opens: beside the main window where the screen has room for a readable text
// column next to the contents tree; otherwise wherever it covers the least of the main window while its
// text column stays readable, giving up the tree first.
struct HelpPlacement {
    QRect frame;                // the window's frame, on the screen
    bool treeCollapsed = false; // the contents tree is folded away, the topic takes the whole width
};

struct HelpWindowSizes {
    QSize usual{820, 560};  // the inside of the window where the screen allows
    QSize least{360, 300};  // no smaller than this, whatever the room
    int tree = 260;         // the contents tree's usual width
    int readableText = 480; // the narrowest topic column that still reads well
};

// main: the main window's frame; area: the screen's available area; frame: how much larger a window's frame
// is than its inside. All in the screen's logical pixels.
HelpPlacement PlaceHelpWindow(const QRect& main, const QRect& area, const QSize& frame,
                              const HelpWindowSizes& sizes = {});

} // namespace quavix
