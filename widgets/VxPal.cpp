#include "widgets/VxPal.h"

TvxPalette::TvxPalette(QObject* owner) : QObject(owner) {
    m_colors.fill(QColor(0, 0, 0));
}

QColor TvxPalette::PaletteColor(int slot) const {
    if (slot < 0 || slot >= SlotCount)
        return QColor();
    return m_colors[static_cast<size_t>(slot)];
}

void TvxPalette::SetPaletteColor(int slot, const QColor& color) {
    if (slot < 0 || slot >= SlotCount)
        return;
    QColor& stored = m_colors[static_cast<size_t>(slot)];
    if (stored == color)
        return;
    stored = color;
    emit Changed();
}

void TvxPalette::SpreadMiddleColors() {
    const QColor bright = m_colors[0];
    const QColor dark = m_colors[4];
    // C++ integer division truncates toward zero, which is the rounding the
    // ramp wants when the "darkest" channel is actually the brighter one.
    const int stepR = (bright.red() - dark.red()) / 5;
    const int stepG = (bright.green() - dark.green()) / 5;
    const int stepB = (bright.blue() - dark.blue()) / 5;
    bool changed = false;
    for (int n = 1; n <= 3; ++n) {
        const QColor c(bright.red() - n * stepR, bright.green() - n * stepG,
                       bright.blue() - n * stepB);
        if (m_colors[static_cast<size_t>(n)] != c) {
            m_colors[static_cast<size_t>(n)] = c;
            changed = true;
        }
    }
    if (changed)
        emit Changed();
}
