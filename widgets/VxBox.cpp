#include "widgets/VxBox.h"

#include "widgets/Accessible.h"

#include <QPainter>

#include <algorithm>

TvxBox::TvxBox(QWidget* parent) : QWidget(parent) {
    // No background fill of our own: the paint covers the face, and whatever
    // a style leaves undrawn shows the parent through.
    setAutoFillBackground(false);
    resize(100, 30);
    Accessible::Install();
}

void TvxBox::SetBorder(TBorders border) {
    if (m_border == border)
        return;
    m_border = border;
    update();
}

void TvxBox::SetBorderThick(int thick) {
    if (thick < 1 || thick > 6 || thick == m_borderThick)
        return;
    m_borderThick = thick;
    update();
}

void TvxBox::SetColorPalette(TvxPalette* palette) {
    if (m_palette == palette)
        return;
    if (m_palette)
        disconnect(m_palette, nullptr, this, nullptr);
    m_palette = palette;
    if (palette) {
        connect(palette, &TvxPalette::Changed, this, qOverload<>(&QWidget::update));
        connect(palette, &QObject::destroyed, this, &TvxBox::PaletteDestroyed);
    }
    update();
}

void TvxBox::PaletteDestroyed(QObject*) {
    // QPointer has already let go; only the look has to follow.
    m_palette.clear();
    update();
}

TvxDrawColors TvxBox::DrawColors() const {
    TvxDrawColors c;
    c.BorderLine = QColor(0, 0, 0);
    if (const TvxPalette* pal = m_palette.data()) {
        c.Face = pal->CFaceColor();
        c.OuterLight = pal->ABrightestColor();
        c.InnerLight = pal->BBrightColor();
        c.InnerDark = pal->DDarkColor();
        c.OuterDark = pal->EDarkestColor();
        c.FlatFrame = pal->EDarkestColor();
    } else {
        c.Face = QColor(0xC0, 0xC0, 0xC0);
        c.OuterLight = QColor(0xC0, 0xC0, 0xC0);
        c.InnerLight = QColor(0xFF, 0xFF, 0xFF);
        c.InnerDark = QColor(0x80, 0x80, 0x80);
        c.OuterDark = QColor(0, 0, 0);
        c.FlatFrame = QColor(0x80, 0x80, 0x80);
    }
    return c;
}

void TvxBox::FillRun(QPainter& p, int x1, int y1, int x2, int y2, const QColor& color) {
    if (x1 > x2 || y1 > y2)
        return;
    p.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), color);
}

void TvxBox::FillRunIn(QPainter& p, const QRect& bounds, int x1, int y1, int x2, int y2,
                       const QColor& color) {
    FillRun(p, std::max(x1, bounds.left()), std::max(y1, bounds.top()),
            std::min(x2, bounds.right()), std::min(y2, bounds.bottom()), color);
}

void TvxBox::DrawBorder(QPainter& p, QRect& r) const {
    const int t = m_borderThick;
    const int a = (t - 1) / 2;
    const int k = t / 2;
    const int w = width() - (a + 1);
    const int h = height() - (a + 1);
    const QColor line = DrawColors().BorderLine;
    // A line t pixels wide centred on column (or row) c covers c-k .. c-k+t-1:
    // centred on k and on w, the lines lie exactly on the t outermost pixels
    // of their side, and each runs the full length of the side.
    if (m_border & brLeft) {
        FillRun(p, 0, 0, t - 1, height() - 1, line);
        r.setLeft(a + k + 1);
    }
    if (m_border & brTop) {
        FillRun(p, 0, 0, width() - 1, t - 1, line);
        r.setTop(a + k + 1);
    }
    if (m_border & brRight) {
        FillRun(p, w - k, 0, w - k + t - 1, height() - 1, line);
        r.setRight(w - k - 1);
    }
    if (m_border & brBottom) {
        FillRun(p, 0, h - k, width() - 1, h - k + t - 1, line);
        r.setBottom(h - k - 1);
    }
}

void TvxBox::DrawFrame(QPainter& p, int left, int top, int right, int bottom) const {
    // A rectangle squeezed to nothing by thick borders gets no frame rather
    // than one drawn over the border lines.
    if (left > right || top > bottom)
        return;
    const QColor c = DrawColors().FlatFrame;
    FillRun(p, left, top, right, top, c);
    FillRun(p, left, bottom, right, bottom, c);
    FillRun(p, left, top, left, bottom, c);
    FillRun(p, right, top, right, bottom, c);
}

void TvxBox::Paint(QPainter& p) const {
    QRect r;
    r.setCoords(0, 0, width() - 1, height() - 1);
    // The face stops one pixel short on the right and bottom, where the
    // frame of the derived shapes goes.
    FillRun(p, r.left(), r.top(), r.right() - 1, r.bottom() - 1, DrawColors().Face);
    DrawBorder(p, r);
}

void TvxBox::DrawTo(QImage& image) const {
    if (image.isNull() || width() <= 0 || height() <= 0)
        return;
    QPainter p(&image);
    if (!p.isActive())
        return;
    p.setClipRect(QRect(0, 0, width(), height()));
    Paint(p);
}

QImage TvxBox::Render() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    DrawTo(image);
    return image;
}

void TvxBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Paint(p);
}

void TvxBox::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    emit OnMouseEnter();
}

void TvxBox::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit OnMouseLeave();
}
