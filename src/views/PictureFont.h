#pragma once

#include <QFont>

namespace quavix {

// The words of the results pictures: Arial where it is installed, its metric twin otherwise, at a size in
// pixels so that they take the same room at every screen ratio.
inline QFont TextFont(int pixels, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace quavix
