#pragma once

namespace quavix {

// Shows the help topic of a context number; 0 shows the contents with the introduction beside them. A
// topic that cannot be shown is said so in a box (the contents fail silently). Returns whether it shows.
bool ShowHelpTopic(int context);

} // namespace quavix
