#include "widgets/vxGag.h"

#include "widgets/Accessible.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>
#include <utility>

TvxGauge::TvxGauge(QWidget* parent) : TvxPanel(parent) {}

void TvxGauge::SetIndexed(int index, int value) {
    int* field = index == 0 ? &m_value : index == 1 ? &m_max : index == 2 ? &m_min : nullptr;
    if (!field || *field == value)
        return;
    const int drawnBefore = FilledLength();
    const int percentBefore = Percent();
    *field = value;
    if (index == 0)
        m_value = std::clamp(m_value, m_min, m_max);
    else if (m_max < m_min)
        std::swap(m_max, m_min);
    // The main window feeds the gauges every second; most of those changes
    // move the bar by less than a pixel and need no paint at all.
    if (FilledLength() != drawnBefore)
        update();
    // A screen reader hears the share filled; the gauges move every second,
    // and telling it each second would drown out everything else.
    if (Percent() != percentBefore && Accessible::Listened()) {
        QAccessibleValueChangeEvent changed(this, m_value);
        Accessible::Tell(changed);
    }
}

int TvxGauge::Percent() const {
    const qint64 range = qint64(m_max) - qint64(m_min);
    if (range <= 0)
        return 0;
    const qint64 done = std::clamp(qint64(m_value) - qint64(m_min), qint64(0), range);
    return int(done * 100 / range);
}

void TvxGauge::SetDirection(TGaugeDirection direction) {
    if (m_direction == direction)
        return;
    m_direction = direction;
    update();
}

float TvxGauge::PixelsPerUnit() const {
    const qint64 range = qint64(m_max) - qint64(m_min);
    if (range <= 0)
        return 0.0f;
    const int extent = m_direction == gagHorizontal ? width() : height();
    return static_cast<float>(static_cast<long double>(extent) / static_cast<long double>(range));
}

int TvxGauge::FilledLength() const {
    const int extent = m_direction == gagHorizontal ? width() : height();
    // The product of a 33-bit difference and a 24-bit mantissa is exact in
    // long double, so truncation sees the true value of the stored scale.
    const long double exact =
        static_cast<long double>(qint64(m_value) - qint64(m_min)) * PixelsPerUnit();
    const long double capped = std::clamp(exact, 0.0L, static_cast<long double>(extent) + 2.0L);
    return static_cast<int>(capped);
}

void TvxGauge::Paint(QPainter& p) const {
    const int w = width();
    const int h = height();
    const int len = FilledLength();
    const QColor black(0, 0, 0);

    // Empty part, then the outline of the filled part O (inclusive coordinates).
    QRect o;
    if (m_direction == gagHorizontal) {
        FillRun(p, len - 1, 0, w - 1, h - 1, black);
        o.setCoords(0, 0, len, h - 1);
    } else {
        FillRun(p, 0, 0, w - 1, h - len - 1, black);
        o.setCoords(0, h - len, w - 1, h - 1);
    }
    FillRun(p, o.left(), o.top(), o.right(), o.top(), black);
    FillRun(p, o.left(), o.bottom(), o.right(), o.bottom(), black);
    FillRun(p, o.left(), o.top(), o.left(), o.bottom(), black);
    FillRun(p, o.right(), o.top(), o.right(), o.bottom(), black);
    if (len < 2)
        return;

    const QRect i = o.adjusted(1, 1, -1, -1);
    switch (ShapeStyle()) {
    case ssUp:
        DrawBevel(p, i.left(), i.bottom(), i.right(), i.top(), +1);
        break;
    case ssDown:
        DrawBevel(p, i.right(), i.top(), i.left(), i.bottom(), -1);
        break;
    case ssFlat:
    case ssDisabled:
        break;
    }
    FillRun(p, i.left() + 2, i.top() + 2, i.right() - 2, i.bottom() - 2, DrawColors().Face);
}
