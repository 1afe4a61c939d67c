#pragma once
// A five-colour palette, brightest to darkest, that drawn boxes share so that
// a whole group of panels changes colour together. It draws nothing itself.

#include <QColor>
#include <QObject>

#include <array>

class TvxPalette : public QObject {
    Q_OBJECT

public:
    static constexpr int SlotCount = 5;

    // The owner is the usual parent object (normally the window holding the
    // boxes); the palette lives and dies with it. Every slot starts black.
    explicit TvxPalette(QObject* owner = nullptr);

    QObject* Owner() const { return parent(); }

    // Slot 0 is the brightest colour, slot 4 the darkest. A slot outside
    // 0..4 has no colour: the result is an invalid QColor.
    QColor PaletteColor(int slot) const;
    void SetPaletteColor(int slot, const QColor& color);

    QColor ABrightestColor() const { return m_colors[0]; } // outer light edge of a bevel
    QColor BBrightColor() const { return m_colors[1]; }    // inner light edge of a bevel
    QColor CFaceColor() const { return m_colors[2]; }      // face fill
    QColor DDarkColor() const { return m_colors[3]; }      // inner dark edge of a bevel
    QColor EDarkestColor() const { return m_colors[4]; }   // outer dark edge; flat frame

    void SetABrightestColor(const QColor& color) { SetPaletteColor(0, color); }
    void SetBBrightColor(const QColor& color) { SetPaletteColor(1, color); }
    void SetCFaceColor(const QColor& color) { SetPaletteColor(2, color); }
    void SetDDarkColor(const QColor& color) { SetPaletteColor(3, color); }
    void SetEDarkestColor(const QColor& color) { SetPaletteColor(4, color); }

    // Fills slots 1 to 3 with an even ramp between the brightest and the
    // darkest colour: per channel, step = (brightest - darkest) / 5 truncated
    // toward zero, slot n = brightest - n * step. A design aid only; setting
    // the end colours never calls it, so stored palettes keep their own
    // middle colours.
    void SpreadMiddleColors();

signals:
    // Any slot took a different colour; bound boxes repaint on it.
    void Changed();

private:
    std::array<QColor, SlotCount> m_colors;
};
