#pragma once
// An image button: the face is the picture of its image set for the state
// it is in, on the button's colour, with an optional caption; the set's mask
// decides which points a press may hit. Without an image set it is a plain
// push button.

#include "widgets/ParentColor.h"
#include "widgets/vxBtnImgs.h"
#include "widgets/vxPicCBtn.h"

#include <QImage>
#include <QPointer>

class TvxImageButton : public TvxPictureCButton {
    Q_OBJECT
    Q_PROPERTY(TvxButtonImages* ButtonImages READ ButtonImages WRITE SetButtonImages)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)

public:
    explicit TvxImageButton(QWidget* parent = nullptr);

    // Not owned. When the set goes away the button becomes a plain push button.
    TvxButtonImages* ButtonImages() const { return m_images.data(); }
    void SetButtonImages(TvxButtonImages* images);

    // The background around the picture: the parent's, unless set.
    QColor Color() const;
    void SetColor(const QColor& color);
    bool ParentColor() const { return m_color.Follows(); }
    void SetParentColor(bool on);

    // 0 normal, 1 pressed, 2 disabled, 3 mouse over (TvxButtonImages::State).
    int State(bool pressed) const;
    int State() const { return State(isDown()); }

    // The whole face in a state, the size of the button.
    QImage Render(int state) const;
    QImage Render() const { return Render(State()); }

    void PaintButton(QPainter& painter, bool pressed) override;
    bool HitTest(int x, int y) const override;

protected:
    bool OwnerDrawn() const override { return m_images != nullptr; }

private:
    QPointer<TvxButtonImages> m_images;
    TvxParentColor m_color;
};
