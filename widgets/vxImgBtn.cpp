#include "widgets/vxImgBtn.h"

#include <QPainter>

TvxImageButton::TvxImageButton(QWidget* parent) : TvxPictureCButton(parent) {
    // Until it has an image set the platform paints it, corners and all.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TvxImageButton::SetButtonImages(TvxButtonImages* images) {
    if (m_images == images)
        return;
    if (m_images)
        disconnect(m_images, &QObject::destroyed, this, nullptr);
    m_images = images;
    if (images)
        connect(images, &QObject::destroyed, this, [this] { update(); });
    // Owner drawn or the platform's own face: the painting changes either way.
    setAttribute(Qt::WA_OpaquePaintEvent, images != nullptr);
    update();
}

QColor TvxImageButton::Color() const {
    return m_color.Of(this);
}

void TvxImageButton::SetColor(const QColor& color) {
    m_color.Set(color);
    update();
}

void TvxImageButton::SetParentColor(bool on) {
    if (m_color.SetFollows(on, this))
        update();
}

int TvxImageButton::State(bool pressed) const {
    if (!isEnabled())
        return TvxButtonImages::stDisabled;
    if (pressed)
        return TvxButtonImages::stDown;
    if (MouseInside())
        return TvxButtonImages::stEntered;
    return TvxButtonImages::stUp;
}

QImage TvxImageButton::Render(int state) const {
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return img;
    img.fill(Color().rgb() | 0xFF000000u);
    QPainter p(&img);
    if (m_images) {
        const QPixmap picture = m_images->Picture(state);
        if (!picture.isNull())
            p.drawPixmap(m_images->PicX(), m_images->PicY(), picture);
    }
    const QString caption = text();
    if (!caption.isEmpty()) {
        p.setFont(font());
        p.setPen(palette().color(QPalette::ButtonText));
        p.setBackgroundMode(Qt::TransparentMode);
        const bool down = state == TvxButtonImages::stDown;
        const int capX = m_images ? m_images->CapX() : -1;
        const int capY = m_images ? m_images->CapY() : -1;
        if (capX < 0) {
            // One pixel lower than the button's rectangle; a pressed caption
            // follows the press by one more to the right and down.
            QRect r(0, 1, width(), height());
            if (down)
                r.translate(1, 1);
            p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
        } else {
            const QRect r(capX, capY + (down ? 1 : 0), width(), height());
            p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
                       caption);
        }
    }
    p.end();
    if (hasFocus() && KeyboardFocused())
        Accessible::DrawFocusMark(img, 0, 0, img.width(), img.height());
    return img;
}

void TvxImageButton::PaintButton(QPainter& painter, bool pressed) {
    painter.drawImage(0, 0, Render(State(pressed)));
}

bool TvxImageButton::HitTest(int x, int y) const {
    return !m_images || m_images->Hits(x, y);
}
