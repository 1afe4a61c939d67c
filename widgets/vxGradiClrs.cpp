#include "widgets/vxGradiClrs.h"

namespace {
constexpr std::array<QRgb, TvxGradiColors::ColorCount> kDefaults = {
    0xFFFCEE, // gradient start
    0xF4EFD5, // gradient end
    0xFFFFFF, // light edge
    0xCBBF9A, // dark edge
    0x585858, // frame
    0xFFAF60, // mark fill
    0xEA7500, // mark outline, disabled caption
    0x000000, // caption
    0x000000, // default-button frame, pressed outline
    0xF9F9F9, // pressed fill
    0x000000, // pressed caption
};
} // namespace

TvxGradiColors::TvxGradiColors(QObject* owner) : QObject(owner) {
    for (int i = 0; i < ColorCount; ++i)
        m_colors[i] = DefaultColor(i);
}

QColor TvxGradiColors::DefaultColor(int index) {
    if (index < 0 || index >= ColorCount)
        return QColor();
    return QColor::fromRgb(kDefaults[index]);
}

QColor TvxGradiColors::GetColor(int index) const {
    if (index < 0 || index >= ColorCount)
        return QColor();
    return m_colors[index];
}

void TvxGradiColors::SetColor(int index, const QColor& value) {
    if (index < 0 || index >= ColorCount || m_colors[index] == value)
        return;
    m_colors[index] = value;
}
