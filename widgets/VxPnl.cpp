#include "widgets/VxPnl.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TvxPanel::TvxPanel(QWidget* parent) : TvxCBox(parent) {}

void TvxPanel::SetShapeStyle(TShapeStyle style) {
    if (m_shapeStyle == style)
        return;
    m_shapeStyle = style;
    update();
}

void TvxPanel::FillFace(QPainter& p, const QRect& r) const {
    FillRun(p, r.left(), r.top(), r.right() - 1, r.bottom() - 1, DrawColors().Face);
}

void TvxPanel::DrawBevel(QPainter& p, int x1, int y1, int x2, int y2, int depth) const {
    const int L = std::min(x1, x2);
    const int R = std::max(x1, x2);
    const int T = std::min(y1, y2);
    const int B = std::max(y1, y2);
    const QRect box(QPoint(L, T), QPoint(R, B));
    const TvxDrawColors c = DrawColors();
    // On rectangles one or two pixels across the inner ring would otherwise
    // land on the outer ring's opposite side or beyond the rectangle; keeping
    // every run inside it stops a bevel from eating the neighbouring outline.
    if (depth >= 0) {
        FillRunIn(p, box, L, T, L, B - 1, c.OuterLight);
        FillRunIn(p, box, L, T, R - 1, T, c.OuterLight);
        FillRunIn(p, box, R, T, R, B, c.OuterDark);
        FillRunIn(p, box, L, B, R, B, c.OuterDark);
        FillRunIn(p, box, L + 1, T + 1, L + 1, B - 2, c.InnerLight);
        FillRunIn(p, box, L + 1, T + 1, R - 2, T + 1, c.InnerLight);
        FillRunIn(p, box, R - 1, T + 1, R - 1, B - 1, c.InnerDark);
        FillRunIn(p, box, L + 1, B - 1, R - 1, B - 1, c.InnerDark);
    } else {
        FillRunIn(p, box, R, T, R, B - 1, c.OuterLight);
        FillRunIn(p, box, L + 1, B, R, B, c.OuterLight);
        FillRunIn(p, box, L, T + 1, L, B, c.OuterDark);
        FillRunIn(p, box, L, T, R - 1, T, c.OuterDark);
        FillRunIn(p, box, R - 1, T + 1, R - 1, B - 2, c.InnerLight);
        FillRunIn(p, box, L + 2, B - 1, R - 1, B - 1, c.InnerLight);
        FillRunIn(p, box, L + 1, T + 2, L + 1, B - 1, c.InnerDark);
        FillRunIn(p, box, L + 1, T + 1, R - 2, T + 1, c.InnerDark);
    }
}

void TvxPanel::DrawShape(QPainter& p, const QRect& r) const {
    switch (m_shapeStyle) {
    case ssUp:
        // Starts at the bottom-left corner; the light edges run up and across.
        DrawBevel(p, r.left(), r.bottom(), r.right(), r.top(), +1);
        break;
    case ssDown:
        DrawBevel(p, r.right(), r.top(), r.left(), r.bottom(), -1);
        break;
    case ssFlat:
        DrawFrame(p, r.left(), r.top(), r.right(), r.bottom());
        break;
    case ssDisabled:
        break;
    }
}

void TvxPanel::Paint(QPainter& p) const {
    QRect r;
    r.setCoords(0, 0, width() - 1, height() - 1);
    FillFace(p, r);
    DrawBorder(p, r);
    DrawShape(p, r);
    DrawCaption(p);
}

void TvxPanel::mousePressEvent(QMouseEvent* event) {
    // A panel is a window of its own: it takes the press rather than passing
    // it to the window beneath.
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void TvxPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    event->accept();
    if (click)
        emit OnClick();
}

void TvxPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The release that ends a double click is not a click of its own.
        m_pressed = false;
        emit OnDblClick();
    }
    event->accept();
}
