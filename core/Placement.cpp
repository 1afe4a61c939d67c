#include "core/Placement.h"

#include <algorithm>

QPoint PlaceWindow(qint64 left, qint64 top, const QSize& outer, int captionHeight,
                   const QList<QRect>& screens, const QPoint& centred) {
    // In 64 bits: a stored position near the ends of the integer range must
    // not overflow on the way to the answer.
    const qint64 width = std::max(outer.width(), 1);
    const qint64 grip = std::min<qint64>(width, CaptionGrip);
    const qint64 captionBottom = top + std::max(captionHeight, 1);
    for (const QRect& s : screens) {
        if (top < s.top() || captionBottom > qint64(s.bottom()) + 1)
            continue;
        const qint64 from = std::max<qint64>(left, s.left());
        const qint64 to = std::min<qint64>(left + width, qint64(s.right()) + 1);
        if (to - from >= grip)
            return QPoint(int(left), int(top));
    }
    return centred;
}
