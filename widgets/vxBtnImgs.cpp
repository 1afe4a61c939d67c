#include "widgets/vxBtnImgs.h"

QPixmap TvxButtonImages::Picture(int state) const {
    switch (state) {
    case stUp:
    case stDown:
    case stEntered:
        return m_pics[state];
    case stDisabled:
        return m_pics[stDisabled].isNull() ? m_pics[stDown] : m_pics[stDisabled];
    default:
        return QPixmap();
    }
}

bool TvxButtonImages::Hits(int x, int y) const {
    if (m_mask.isNull() || !m_mask.valid(x, y))
        return true;
    return (m_mask.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
}
