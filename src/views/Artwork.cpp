// The pictures are drawn while the program is built (artwork/), so here they only wrap the constant
// pixels compiled in from ArtworkData.cpp: no drawing and no copying at run time. An image made this way
// reads the constant data in place and would copy it first if anyone painted on it.

#include "Artwork.h"
#include "ArtworkData.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quavix::Artwork {

namespace {

QImage Wrap(const ArtworkData::Picture& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                  picture.width * int(sizeof(std::uint32_t)), QImage::Format_ARGB32);
}

template <std::size_t Count>
std::array<QImage, Count> WrapAll(const ArtworkData::Picture (&pictures)[Count]) {
    std::array<QImage, Count> wrapped;
    for (std::size_t i = 0; i < Count; ++i)
        wrapped[i] = Wrap(pictures[i]);
    return wrapped;
}

} // namespace

const QImage& Clef(int index) {
    static const auto clefs = WrapAll(ArtworkData::Clefs);
    return clefs.at(index);
}

const QImage& Note(int glyph) {
    static const auto notes = WrapAll(ArtworkData::Notes);
    return notes.at(glyph);
}

const QImage& Letter(int index, bool enabled) {
    static const auto letters = WrapAll(ArtworkData::Letters);
    static const auto disabled = WrapAll(ArtworkData::DisabledLetters);
    return (enabled ? letters : disabled).at(index);
}

const QImage& ToolbarIcon(int index, bool enabled) {
    static const auto icons = WrapAll(ArtworkData::ToolbarIcons);
    static const auto disabled = WrapAll(ArtworkData::DisabledToolbarIcons);
    return (enabled ? icons : disabled).at(index);
}

const QImage& Timer() {
    static const QImage timer = Wrap(ArtworkData::Timer);
    return timer;
}

const QImage& Logo() {
    static const QImage logo = Wrap(ArtworkData::Logo);
    return logo;
}

QImage ProgramIcon(int size) {
    static const auto icons = WrapAll(ArtworkData::ProgramIcons);
    for (int i = 0; i < ArtworkData::ProgramIconCount; ++i)
        if (ArtworkData::ProgramIconSizes[i] == size)
            return icons[i];
    if (size == Logo().width())
        return Logo();
    // No other size is baked: scale the nearest larger one, pixel for pixel so the picture keeps its
    // one-bit mask.
    size = std::clamp(size, 16, 256);
    QImage nearest = Logo();
    for (int i = ArtworkData::ProgramIconCount - 1; i >= 0; --i)
        if (ArtworkData::ProgramIconSizes[i] >= size)
            nearest = icons[i];
    return nearest.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

const QImage& PointingHand() {
    static const QImage hand = Wrap(ArtworkData::PointingHand);
    return hand;
}

} // namespace quavix::Artwork
