#pragma once
// The pictures an image button draws from: one per state (normal, pressed,
// disabled, mouse over), a click mask, and where the picture and the caption
// sit in the button. Several buttons may share one set.

#include <QImage>
#include <QObject>
#include <QPixmap>

class TvxButtonImages : public QObject {
    Q_OBJECT
    Q_PROPERTY(int CapX READ CapX WRITE SetCapX)
    Q_PROPERTY(int CapY READ CapY WRITE SetCapY)
    Q_PROPERTY(int PicX READ PicX WRITE SetPicX)
    Q_PROPERTY(int PicY READ PicY WRITE SetPicY)
    Q_PROPERTY(QPixmap PicUp READ PicUp WRITE SetPicUp)
    Q_PROPERTY(QPixmap PicDown READ PicDown WRITE SetPicDown)
    Q_PROPERTY(QPixmap PicDisabled READ PicDisabled WRITE SetPicDisabled)
    Q_PROPERTY(QPixmap PicEntered READ PicEntered WRITE SetPicEntered)
    Q_PROPERTY(QImage MaskBmp READ MaskBmp WRITE SetMaskBmp)

public:
    enum State { stUp = 0, stDown = 1, stDisabled = 2, stEntered = 3 };

    explicit TvxButtonImages(QObject* owner = nullptr) : QObject(owner) {}

    // A negative CapX centres the caption; CapY counts only when CapX is 0 or more.
    int CapX() const { return m_capX; }
    void SetCapX(int v) { m_capX = v; }
    int CapY() const { return m_capY; }
    void SetCapY(int v) { m_capY = v; }
    int PicX() const { return m_picX; }
    void SetPicX(int v) { m_picX = v; }
    int PicY() const { return m_picY; }
    void SetPicY(int v) { m_picY = v; }

    // The set keeps its own copies; changing one shows on the buttons at
    // their next repaint.
    QPixmap PicUp() const { return m_pics[stUp]; }
    void SetPicUp(const QPixmap& p) { m_pics[stUp] = p; }
    QPixmap PicDown() const { return m_pics[stDown]; }
    void SetPicDown(const QPixmap& p) { m_pics[stDown] = p; }
    QPixmap PicDisabled() const { return m_pics[stDisabled]; }
    void SetPicDisabled(const QPixmap& p) { m_pics[stDisabled] = p; }
    QPixmap PicEntered() const { return m_pics[stEntered]; }
    void SetPicEntered(const QPixmap& p) { m_pics[stEntered] = p; }

    // White pixels lie outside the button: a press there is not the button's.
    QImage MaskBmp() const { return m_mask; }
    void SetMaskBmp(const QImage& mask) { m_mask = mask; }

    // The picture shown in a state. A disabled button without a picture of
    // its own shows the pressed one, so it still looks sunk rather than empty.
    QPixmap Picture(int state) const;

    // Whether a press at (x, y) belongs to the button. Without a mask every
    // point does; outside the mask's area nothing is white, so it does too.
    bool Hits(int x, int y) const;

private:
    int m_capX = -1;
    int m_capY = -1;
    int m_picX = 0;
    int m_picY = 0;
    QPixmap m_pics[4];
    QImage m_mask;
};
