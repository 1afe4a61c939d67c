#include "core/Placement.h"

#include <algorithm>

namespace {

qint64 overlap(qint64 from, qint64 length, qint64 start, qint64 size) {
    return std::max<qint64>(0, std::min(from + length, start + size) - std::max(from, start));
}

// Where the window goes along one axis of the screen it opens on: in by the
// least amount, the start first when it is longer than the screen.
qint64 moveIn(qint64 from, qint64 length, qint64 start, qint64 size) {
    return std::max(start, std::min(from, start + size - length));
}

} // namespace

QPoint PlaceWindow(qint64 left, qint64 top, const QSize& outer, int captionHeight,
                   const QList<QRect>& screens, const QPoint& centred) {
    // In 64 bits: a stored position near the ends of the integer range must
    // not overflow on the way to the answer.
    const qint64 width = std::max(outer.width(), 1);
    const qint64 height = std::max(outer.height(), 1);
    const qint64 grip = std::min<qint64>(width, CaptionGrip);
    const qint64 captionBottom = top + std::max(captionHeight, 1);
    bool grabbable = false;
    for (const QRect& s : screens) {
        if (top < s.top() || captionBottom > qint64(s.bottom()) + 1)
            continue;
        const qint64 from = std::max<qint64>(left, s.left());
        const qint64 to = std::min<qint64>(left + width, qint64(s.right()) + 1);
        if (to - from >= grip) {
            grabbable = true;
            break;
        }
    }
    if (!grabbable)
        return centred;

    // Screens do not overlap: the window is whole when the parts of it that
    // they show add up to all of it, across several screens too. Otherwise
    // (stored on a larger screen, say) it moves onto the screen that shows
    // the most of it, frame and close box included.
    qint64 shown = 0;
    const QRect* best = nullptr;
    qint64 bestArea = -1;
    for (const QRect& s : screens) {
        const qint64 area =
            overlap(left, width, s.left(), s.width()) * overlap(top, height, s.top(), s.height());
        shown += area;
        if (area > bestArea) {
            bestArea = area;
            best = &s;
        }
    }
    if (shown >= width * height)
        return QPoint(int(left), int(top));
    return QPoint(int(moveIn(left, width, best->left(), best->width())),
                  int(moveIn(top, height, best->top(), best->height())));
}
