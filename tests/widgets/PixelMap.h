#pragma once
// Pixel maps for the drawn controls' tests: a control renders into an image
// filled with a sentinel colour, and each pixel becomes one letter, so an
// expected picture can be written out row by row. Also where two faces of
// a control differ.

#include <QHash>
#include <QImage>
#include <QPaintEvent>
#include <QStringList>

namespace PixelMap {

inline const QRgb Sentinel = qRgb(0xFF, 0x00, 0xFF);

// a..e: the test palette's slots 0..4; g, w, m, k: the default greys, white
// and black; '.': a pixel the control left alone; '?': any other colour.
inline const QHash<QChar, QRgb>& Legend() {
    static const QHash<QChar, QRgb> legend = {
        {'a', qRgb(0xFF, 0xE0, 0xE0)}, {'b', qRgb(0xE0, 0xFF, 0xE0)},
        {'c', qRgb(0xE0, 0xE0, 0xFF)}, {'d', qRgb(0x60, 0x60, 0x00)},
        {'e', qRgb(0x30, 0x30, 0x60)}, {'g', qRgb(0xC0, 0xC0, 0xC0)},
        {'w', qRgb(0xFF, 0xFF, 0xFF)}, {'m', qRgb(0x80, 0x80, 0x80)},
        {'k', qRgb(0x00, 0x00, 0x00)}, {'.', Sentinel}};
    return legend;
}

inline QImage SentinelImage(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Sentinel);
    return img;
}

inline QStringList MapOf(const QImage& img) {
    QStringList rows;
    for (int y = 0; y < img.height(); ++y) {
        QString row;
        for (int x = 0; x < img.width(); ++x)
            row += Legend().key(img.pixel(x, y), QChar('?'));
        rows << row;
    }
    return rows;
}

// The smallest rectangle holding every pixel in which two images of one size
// differ: the ink a caption adds to a bare face. Null when none differs.
inline QRect InkBox(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The map of what a control draws through its DrawTo(QImage&).
template <class W> QStringList Drawn(const W& w) {
    QImage img = SentinelImage(w.width(), w.height());
    w.DrawTo(img);
    return MapOf(img);
}

// A control that counts its paint events.
template <class Base> class Counted : public Base {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        Base::paintEvent(e);
    }
};

} // namespace PixelMap
