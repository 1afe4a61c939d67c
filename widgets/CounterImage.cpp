#include "widgets/CounterImage.h"

#include "runtime/DateTime.h"
#include "widgets/Look.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

TvxCounterImage::TvxCounterImage(QWidget* parent) : QWidget(parent), m_font(Look::CounterFont()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TvxCounterImage::SetCount(uint32_t count) {
    if (count == m_count && m_painted)
        return;
    m_count = count;
    update();
}

void TvxCounterImage::SetCounterFont(const QFont& font) {
    m_font = font;
    update();
}

QImage TvxCounterImage::Render() const {
    const qreal dpr = devicePixelRatioF();
    QImage img(size() * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(QColor(0x3D, 0x55, 0x53));
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(m_font);
    p.setPen(Qt::white);
    const QString text = FormatThousands(m_count);
    const int x = 150 - 10 * int(text.size());
    // The estimate of ten pixels a character holds for the usual faces; a
    // wider one is drawn narrower so that its last digit stays in the bitmap.
    // Likewise a face that sets its digits lower than the bitmap allows
    // (a tall ascent) is lifted, and narrowed in height only if that is not
    // enough, so that the commas keep their tails.
    const QFontMetricsF metrics(m_font);
    const qreal room = width() - x - 1;
    const qreal advance = metrics.horizontalAdvance(text);
    // The glyphs' outlines, not the font's tables, tell where the ink is.
    QPainterPath outline;
    outline.addText(0, metrics.ascent(), m_font, text);
    const QRectF ink = outline.boundingRect();
    const qreal floor = height() - 1;
    const bool clipped = ink.bottom() > height();
    const qreal lift =
        clipped ? std::clamp(ink.bottom() - floor, 0.0, std::max(ink.top(), 0.0)) : 0.0;
    const qreal sx = advance > room && room > 0 ? room / advance : 1.0;
    const qreal sy = clipped && ink.bottom() - lift > floor ? floor / (ink.bottom() - lift) : 1.0;
    p.scale(sx, sy);
    // The top edge of the text sits at y = 0, unless lifted.
    p.drawText(QPointF(x / sx, metrics.ascent() - lift), text);
    return img;
}

void TvxCounterImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, Render());
    m_painted = true;
}
