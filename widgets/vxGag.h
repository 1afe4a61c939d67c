#pragma once
// A thin bar gauge: the part from Min to Value is drawn as a bevelled bar in
// the palette's colours inside a black outline, the rest is black. A
// horizontal gauge grows from the left, a vertical one from the bottom.

#include "widgets/VxPnl.h"

enum TGaugeDirection { gagHorizontal, gagVertical };

class TvxGauge : public TvxPanel {
    Q_OBJECT

public:
    explicit TvxGauge(QWidget* parent = nullptr);

    // Value starts at 1 and is kept within Min..Max when set; changing Min or
    // Max afterwards does not move it, so a Value left above a lowered Max
    // draws a bar that runs past the far edge. Setting Max below Min (or Min
    // above Max) swaps the two. Initially Min 1, Max 100.
    int Value() const { return m_value; }
    int Max() const { return m_max; }
    int Min() const { return m_min; }
    void SetValue(int value) { SetIndexed(0, value); }
    void SetMax(int value) { SetIndexed(1, value); }
    void SetMin(int value) { SetIndexed(2, value); }

    TGaugeDirection Direction() const { return m_direction; }
    void SetDirection(TGaugeDirection direction);

    // Length of the filled part in pixels as the paint draws it, from the
    // current values and size. Lengths that would reach past the far edge
    // are capped at extent + 2, beyond which nothing more shows; negative
    // ones at 0.
    int FilledLength() const;

    // The share of Min..Max that Value has reached, 0 to 100, rounded down;
    // 0 when the range is empty. This is what assistive technology reads.
    int Percent() const;

protected:
    void Paint(QPainter& p) const override;

private:
    // The three integer properties share one setter: 0 Value, 1 Max, 2 Min.
    void SetIndexed(int index, int value);
    // Pixels along the direction per unit of Max - Min, or 0 when that range
    // is not positive. Single precision, like the stored scale it stands for:
    // the truncated bar length depends on that rounding.
    float PixelsPerUnit() const;

    int m_value = 1;
    int m_max = 100;
    int m_min = 1;
    TGaugeDirection m_direction = gagHorizontal;
};
