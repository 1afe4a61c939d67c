#pragma once
// The flat look of the program's popup menus: a white sheet with a thin
// frame, a 24-pixel column on the left for the icons and check marks, and
// the system's highlight colours on the item under the pointer.

#include <QColor>
#include <QProxyStyle>

class TvxFlatMenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Fixed measures of the look.
    static constexpr int IconColumn = 24;
    static constexpr int ItemHeight = 22;
    static constexpr int SeparatorHeight = 7;
    static constexpr int TextGap = 8; // between the icon column and the text
    static constexpr int FrameWidth = 1;

    TvxFlatMenuStyle();

    static QColor SheetColor() { return QColor(0xFF, 0xFF, 0xFF); }
    static QColor ColumnColor() { return QColor(0xF4, 0xF2, 0xEA); }
    static QColor FrameColor() { return QColor(0x8A, 0x86, 0x78); }
    static QColor SeparatorColor() { return QColor(0xC8, 0xC4, 0xB4); }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
