#include "widgets/VxCBox.h"

#include <QPainter>

TvxCBox::TvxCBox(QWidget* parent) : TvxBox(parent) {}

void TvxCBox::SetCaption(const QString& caption) {
    if (m_caption == caption)
        return;
    m_caption = caption;
    update();
}

void TvxCBox::SetAlignment(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment != Qt::AlignLeft && alignment != Qt::AlignRight)
        alignment = Qt::AlignHCenter;
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    update();
}

void TvxCBox::SetCapX(int x) {
    if (m_capX == x)
        return;
    m_capX = x;
    update();
}

void TvxCBox::SetCapY(int y) {
    if (m_capY == y)
        return;
    m_capY = y;
    update();
}

void TvxCBox::Paint(QPainter& p) const {
    TvxBox::Paint(p);
    DrawCaption(p);
}

void TvxCBox::DrawCaption(QPainter& p) const {
    if (m_caption.isEmpty())
        return;
    p.save();
    p.setFont(font());
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    if (m_capX < 0) {
        p.drawText(QRect(0, 0, width(), height()),
                   m_alignment.toInt() | int(Qt::AlignVCenter) | int(Qt::TextSingleLine),
                   m_caption);
    } else {
        // Generous extent: the painter's clip, not the rectangle, bounds the text.
        p.drawText(QRect(m_capX + 1, m_capY + 1, 0x7FFF, 0x7FFF),
                   int(Qt::AlignLeft) | int(Qt::AlignTop) | int(Qt::TextSingleLine), m_caption);
    }
    p.restore();
}
