#include "HelpPlacement.h"

#include <algorithm>
#include <vector>

namespace quavix {

namespace {

constexpr int Gap = 8; // between the help window and the main window

struct Candidate {
    QRect frame;
    bool treeCollapsed;
};

QRect SlidInto(QRect rect, const QRect& area) {
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}

qint64 Covered(const QRect& candidate, const QRect& main) {
    const QRect overlap = candidate.intersected(main);
    return overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
}

} // namespace

HelpPlacement PlaceHelpWindow(const QRect& main, const QRect& area, const QSize& frame,
                              const HelpWindowSizes& sizes) {
    const QSize usual = (sizes.usual + frame).boundedTo(area.size());
    const int withTree = std::min(sizes.tree + sizes.readableText + frame.width(), area.width());
    const int withoutTree = std::min(sizes.readableText + frame.width(), area.width());
    const int leastHeight = sizes.least.height() + frame.height();
    const int right = area.right() - main.right() - Gap;
    const int left = main.left() - area.left() - Gap;
    const int below = area.bottom() - main.bottom() - Gap;
    const int above = main.top() - area.top() - Gap;

    // In order of preference where two cover equally little of the main window.
    std::vector<Candidate> candidates;
    const auto beside = [&](int need, bool collapsed) {
        if (right >= need) {
            const int width = std::min(usual.width(), right);
            candidates.push_back(
                {QRect(main.right() + 1 + Gap, main.top(), width, usual.height()), collapsed});
        }
        if (left >= need) {
            const int width = std::min(usual.width(), left);
            candidates.push_back(
                {QRect(main.left() - Gap - width, main.top(), width, usual.height()), collapsed});
        }
    };
    // Beside it with the tree; then above or below it, where a short window keeps its full width; then
    // beside it with only the topic.
    beside(withTree, false);
    const bool tooNarrowForTree = usual.width() < withTree;
    if (below >= leastHeight)
        candidates.push_back(
            {QRect(main.left(), main.bottom() + 1 + Gap, usual.width(), std::min(usual.height(), below)),
             tooNarrowForTree});
    if (above >= leastHeight) {
        const int height = std::min(usual.height(), above);
        candidates.push_back(
            {QRect(main.left(), main.top() - Gap - height, usual.width(), height), tooNarrowForTree});
    }
    beside(withoutTree, true);
    // Where nothing fits beside it, over it: at the usual width, just wide enough for tree and topic, or for
    // the topic alone, against each side of the main window and in each corner of the screen.
    for (const int width : {usual.width(), withTree, withoutTree}) {
        const QSize size(width, usual.height());
        const bool collapsed = width < withTree;
        const QRect places[] = {
            QRect(QPoint(main.right() + 1 + Gap, main.top()), size),
            QRect(QPoint(main.left() - Gap - width, main.top()), size),
            QRect(QPoint(main.left(), main.bottom() + 1 + Gap), size),
            QRect(QPoint(main.left(), main.top() - Gap - size.height()), size),
            QRect(QPoint(area.right() + 1 - width, area.top()), size),
            QRect(QPoint(area.right() + 1 - width, area.bottom() + 1 - size.height()), size),
            QRect(area.topLeft(), size),
            QRect(QPoint(area.left(), area.bottom() + 1 - size.height()), size),
        };
        for (const QRect& place : places)
            candidates.push_back({place, collapsed});
    }

    HelpPlacement best;
    qint64 bestCovered = -1;
    for (const Candidate& candidate : candidates) {
        const QRect place = SlidInto(candidate.frame, area);
        const qint64 covered = Covered(place, main);
        if (bestCovered < 0 || covered < bestCovered) {
            best = {place, candidate.treeCollapsed};
            bestCovered = covered;
        }
    }
    return best;
}

} // namespace quavix
