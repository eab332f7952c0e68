#pragma once

// The web pages of the Help menu, by the tag of their menu item (0 to 4). The About dialog and the menu
// both take their addresses from here.

#include <QCoreApplication>
#include <QString>

#include <array>

namespace quavix {

struct WebLink {
    const char* HostAndPath; // "http://" goes in front
    const char* Caption;     // the menu item's text, naming the destination (translated by the menu)
    const char* Shortcut;
};

inline constexpr std::array<WebLink, 5> WebLinks = {{
    {"www.quavix-music.example/", QT_TRANSLATE_NOOP("quavix::TCommands", "Quavix Music &Home Page"),
     "Ctrl+G"},
    {"www.quavix-music.example/freeware.html",
     QT_TRANSLATE_NOOP("quavix::TCommands", "&Free Software at Quavix Music"), "Ctrl+F"},
    {"www.tonewright.example/", QT_TRANSLATE_NOOP("quavix::TCommands", "Tonewright Home &Page"), "Ctrl+A"},
    {"www.tonewright.example/quavix/", QT_TRANSLATE_NOOP("quavix::TCommands", "Quavix at &Tonewright"),
     "Ctrl+N"},
    {"www.tonewright.example/support.php", QT_TRANSLATE_NOOP("quavix::TCommands", "Tonewright &Support"),
     "Ctrl+S"},
}};

// The full address of a link, empty for a tag outside 0 to 4.
QString WebAddress(int tag);

// Opens the link of a tag in the default browser; a tag outside 0 to 4, or a failure, does nothing.
void OpenWebLink(int tag);

} // namespace quavix
