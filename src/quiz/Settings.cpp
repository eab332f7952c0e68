#include "Settings.h"

#include <algorithm>

namespace quavix {

std::uint8_t KeyboardLayoutFor(const Settings& settings) {
    if (!settings.FullRange)
        return 0;
    return static_cast<std::uint8_t>(std::min<int>(settings.StaffChoice, AllStaves) + 1);
}

} // namespace quavix
