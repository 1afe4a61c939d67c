#include "widgets/CounterImage.h"

#include "runtime/DateTime.h"
#include "widgets/Look.h"

#include <QFontMetricsF>
#include <QPainter>

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
    const qreal room = width() - x - 1;
    const qreal advance = QFontMetricsF(m_font).horizontalAdvance(text);
    p.translate(x, 0);
    if (advance > room && room > 0)
        p.scale(room / advance, 1.0);
    // The top edge of the text sits at y = 0.
    p.drawText(QRectF(0, 0, std::max(advance, room) + 40, height()), Qt::AlignLeft | Qt::AlignTop,
               text);
    return img;
}

void TvxCounterImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, Render());
    m_painted = true;
}
