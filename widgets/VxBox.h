#pragma once
// The base of the program's drawn panels: a container that fills itself with
// the face colour of its palette and can draw plain black lines along chosen
// sides. Colours come from a shared TvxPalette; without one the classic grey
// scheme is used.

#include "widgets/VxPal.h"

#include <QColor>
#include <QFlags>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QPainter;

enum TBorder : unsigned { brLeft = 0x1, brTop = 0x2, brRight = 0x4, brBottom = 0x8 };
Q_DECLARE_FLAGS(TBorders, TBorder)
Q_DECLARE_OPERATORS_FOR_FLAGS(TBorders)

// The colours a paint actually uses, resolved from the palette (or the
// defaults when there is none).
struct TvxDrawColors {
    QColor Face;
    QColor OuterLight;
    QColor InnerLight;
    QColor InnerDark;
    QColor OuterDark;
    QColor FlatFrame;
    QColor BorderLine;
};

class TvxBox : public QWidget {
    Q_OBJECT

public:
    explicit TvxBox(QWidget* parent = nullptr);

    TBorders Border() const { return m_border; }
    void SetBorder(TBorders border);

    // Line width of the border in pixels, 1 to 6; other values are ignored.
    int BorderThick() const { return m_borderThick; }
    void SetBorderThick(int thick);

    // The box only refers to the palette, never owns it; when the palette is
    // destroyed the box falls back to the default colours.
    TvxPalette* ColorPalette() const { return m_palette.data(); }
    void SetColorPalette(TvxPalette* palette);

    TvxDrawColors DrawColors() const;

    // Paints the control into `image` with its top-left corner at the
    // image's origin, through the same code as the on-screen paint. Pixels
    // the control leaves alone keep what the image held; nothing outside the
    // control's own rectangle is touched.
    void DrawTo(QImage& image) const;
    // The control on a fully transparent image of its own size (a null image
    // when the control has no area).
    QImage Render() const;

signals:
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    // Draws the whole control; `p` is clipped to the control's rectangle.
    virtual void Paint(QPainter& p) const;

    // Draws the chosen border lines and moves the edges of `r` (inclusive
    // pixel coordinates) inward past them.
    void DrawBorder(QPainter& p, QRect& r) const;
    // One-pixel outline on the pixels of the edges of the inclusive rectangle
    // (left, top)-(right, bottom) in the flat-frame colour.
    void DrawFrame(QPainter& p, int left, int top, int right, int bottom) const;

    // Fills the pixels x1..x2, y1..y2 (ends included); nothing when the
    // range is empty.
    static void FillRun(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color);
    // As FillRun, limited to the inclusive rectangle `bounds`.
    static void FillRunIn(QPainter& p, const QRect& bounds, int x1, int y1, int x2, int y2,
                          const QColor& color);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PaletteDestroyed(QObject* palette);

    TBorders m_border;
    int m_borderThick = 1;
    QPointer<TvxPalette> m_palette;
};
