#pragma once
// A drawn box with a caption that is either placed automatically (one line,
// centred vertically, aligned left, right or centre) or pinned at a point.

#include "widgets/VxBox.h"

#include <QString>

class TvxCBox : public TvxBox {
    Q_OBJECT

public:
    explicit TvxCBox(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    // Horizontal placement of an automatically placed caption: Qt::AlignLeft,
    // Qt::AlignRight or Qt::AlignHCenter (the initial value).
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);

    // Caption position: with CapX at 0 or more the caption's top-left corner
    // is drawn at (CapX + 1, CapY + 1); a negative CapX places it
    // automatically. Both start at -1.
    int CapX() const { return m_capX; }
    int CapY() const { return m_capY; }
    void SetCapX(int x);
    void SetCapY(int y);

protected:
    void Paint(QPainter& p) const override;
    // Draws the caption over the whole control, background left as it is,
    // in the control's font and text colour.
    void DrawCaption(QPainter& p) const;

private:
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    int m_capX = -1;
    int m_capY = -1;
};
