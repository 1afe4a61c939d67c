#pragma once
// The program's panel: a captioned box whose edge is a two-pixel bevel
// (raised or sunken), a one-pixel flat frame, or nothing.

#include "widgets/VxCBox.h"

enum TShapeStyle { ssUp, ssDown, ssFlat, ssDisabled };

class TvxPanel : public TvxCBox {
    Q_OBJECT

public:
    explicit TvxPanel(QWidget* parent = nullptr);

    TShapeStyle ShapeStyle() const { return m_shapeStyle; }
    void SetShapeStyle(TShapeStyle style);

signals:
    void OnClick();
    void OnDblClick();

protected:
    void Paint(QPainter& p) const override;

    // Fills from the left and top edges of the inclusive rectangle up to, not
    // including, its right and bottom edges, with the face colour.
    void FillFace(QPainter& p, const QRect& r) const;
    // A two-pixel bevel on the rectangle spanned by the corners (x1, y1) and
    // (x2, y2), ends included. depth +1 draws it raised (light on the left
    // and top), -1 sunken (light on the right and bottom). Nothing is drawn
    // outside that rectangle, however small it is.
    void DrawBevel(QPainter& p, int x1, int y1, int x2, int y2, int depth) const;
    // The bevel or frame the style asks for, on the inclusive rectangle r.
    void DrawShape(QPainter& p, const QRect& r) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TShapeStyle m_shapeStyle = ssUp;
    bool m_pressed = false;
};
