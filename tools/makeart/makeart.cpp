// Paints every picture of Tarvell in code, so that the artwork can be
// regenerated and tweaked instead of living only as opaque bitmaps.
//
//   tarvell_makeart <folder>             writes all PNG files into <folder>
//   tarvell_makeart --sheet <file.png>   writes a contact sheet for review
//   (both may be given in one call)
//
// All drawing happens in a small logical grid (32 units for the large icons,
// 16 for the small ones) that is scaled to the target size; shapes sit on
// half units where a crisp edge matters at 1:1.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QtMath>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A metal is four tones: the lit side, the body, the shaded side, and the
// outline that keeps the shape readable on any background.
struct Metal {
    QColor hi, mid, lo, edge;
};

const Metal kClay{QColor(0xC9, 0xC2, 0xB6), QColor(0x9C, 0x93, 0x86), QColor(0x72, 0x6A, 0x5E),
                  QColor(0x4A, 0x44, 0x3C)};
const Metal kBrown{QColor(0xD8, 0xAE, 0x7E), QColor(0xA6, 0x77, 0x4B), QColor(0x76, 0x51, 0x2E),
                   QColor(0x47, 0x30, 0x1A)};
const Metal kBronze{QColor(0xF6, 0xBF, 0x82), QColor(0xC5, 0x7D, 0x3A), QColor(0x8A, 0x50, 0x1E),
                    QColor(0x52, 0x2E, 0x0E)};
const Metal kSilver{QColor(0xFF, 0xFF, 0xFF), QColor(0xC8, 0xD0, 0xD9), QColor(0x86, 0x90, 0x9C),
                    QColor(0x46, 0x4E, 0x5A)};
const Metal kGold{QColor(0xFF, 0xF4, 0xB4), QColor(0xEE, 0xBC, 0x2C), QColor(0xB0, 0x7E, 0x0C),
                  QColor(0x6A, 0x48, 0x04)};
const Metal kSteel{QColor(0xF4, 0xF7, 0xFA), QColor(0xB0, 0xBA, 0xC5), QColor(0x6C, 0x77, 0x84),
                   QColor(0x36, 0x3D, 0x46)};
const Metal kBlueSteel{QColor(0xE2, 0xEC, 0xF8), QColor(0x8E, 0xA9, 0xC8), QColor(0x52, 0x6E, 0x90),
                       QColor(0x2A, 0x3F, 0x5A)};
const Metal kJade{QColor(0xD6, 0xF0, 0xDC), QColor(0x7F, 0xB8, 0x8E), QColor(0x46, 0x82, 0x58),
                  QColor(0x22, 0x4E, 0x32)};

const QColor kNavy(0x23, 0x34, 0x5A);
const QColor kHeraldBlue(0x2A, 0x4E, 0xA6);
const QColor kCrimson(0xB0, 0x1E, 0x2E);
const QColor kPurple(0x5E, 0x2A, 0x8C);
const QColor kRuby(0xE0, 0x20, 0x3A);
const QColor kSapphire(0x2F, 0x6C, 0xE8);
const QColor kEmerald(0x1E, 0xA8, 0x5A);
const QColor kPearl(0xFF, 0xFB, 0xF0);

QBrush metalBrush(const Metal& m, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0.0, m.hi);
    g.setColorAt(0.45, m.mid);
    g.setColorAt(1.0, m.lo);
    return g;
}

// Light falls from the upper left onto every field, so it gets brighter there.
QBrush fieldBrush(const QColor& c, const QRectF& r) {
    QRadialGradient g(r.center() - QPointF(r.width() * 0.22, r.height() * 0.25), r.width() * 0.8);
    g.setColorAt(0.0, c.lighter(150));
    g.setColorAt(0.6, c);
    g.setColorAt(1.0, c.darker(130));
    return g;
}

// Pixels per unit of the pictures: 1, and 2 for the screens that scale by two.
int g_scale = 1;

QImage canvas(int size) {
    QImage img(size * g_scale, size * g_scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// Opens a painter on img whose coordinates run from 0 to units on each side.
void open(QPainter& p, QImage& img, qreal units) {
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(img.width() / units, img.height() / units);
}

QRectF around(QPointF c, qreal r) {
    return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
}

void gem(QPainter& p, QPointF c, qreal r, const QColor& colour) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.4);
    g.setColorAt(0.0, colour.lighter(190));
    g.setColorAt(0.5, colour);
    g.setColorAt(1.0, colour.darker(170));
    p.setPen(QPen(colour.darker(250), 0.5));
    p.setBrush(g);
    p.drawEllipse(around(c, r));
}

// ---------------------------------------------------------------- plates

// A round medal: metal rim, then a field that may be its own colour.
void medal(QPainter& p, const Metal& rim, const QColor& field, qreal r, qreal rimWidth,
           QPointF c = {16, 16}) {
    const QRectF outer = around(c, r);
    p.setPen(QPen(rim.edge, 1.0));
    p.setBrush(metalBrush(rim, outer));
    p.drawEllipse(outer);
    const QRectF inner = around(c, r - rimWidth);
    // The inner edge is lit from the opposite side, which reads as a bevel.
    QLinearGradient bevel(inner.bottomRight(), inner.topLeft());
    bevel.setColorAt(0.0, rim.hi);
    bevel.setColorAt(1.0, rim.edge);
    p.setPen(QPen(QBrush(bevel), 0.9));
    p.setBrush(fieldBrush(field, inner));
    p.drawEllipse(inner);
}

QPainterPath shieldPath(const QRectF& r) {
    const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
    QPainterPath s;
    s.moveTo(l, t + h * 0.04);
    s.quadTo(l + w / 2, t - h * 0.04, l + w, t + h * 0.04);
    s.lineTo(l + w, t + h * 0.42);
    s.cubicTo(l + w, t + h * 0.72, l + w * 0.78, t + h * 0.88, l + w / 2, t + h);
    s.cubicTo(l + w * 0.22, t + h * 0.88, l, t + h * 0.72, l, t + h * 0.42);
    s.closeSubpath();
    return s;
}

void shield(QPainter& p, const Metal& rim, const QColor& field, qreal rimWidth,
            const QRectF& outer = QRectF(5.5, 3.5, 21, 26)) {
    p.setPen(QPen(rim.edge, 1.0));
    p.setBrush(metalBrush(rim, outer));
    p.drawPath(shieldPath(outer));
    const QRectF inner = outer.adjusted(rimWidth, rimWidth, -rimWidth, -rimWidth * 1.3);
    p.setPen(QPen(rim.lo, 0.7));
    p.setBrush(fieldBrush(field, inner));
    p.drawPath(shieldPath(inner));
}

// Wedge-shaped rays around c, alternately long and short when uneven is set.
void rays(QPainter& p, QPointF c, int count, qreal from, qreal to, qreal halfWidthDeg,
          const QBrush& brush, const QColor& edge, bool uneven = false, qreal turnDeg = 0) {
    p.setPen(QPen(edge, 0.5));
    p.setBrush(brush);
    for (int i = 0; i < count; ++i) {
        const qreal a = qDegreesToRadians(turnDeg + 360.0 * i / count - 90);
        const qreal hw = qDegreesToRadians(halfWidthDeg);
        const qreal len = (uneven && i % 2) ? from + (to - from) * 0.55 : to;
        QPolygonF ray;
        ray << c + QPointF(qCos(a - hw) * from, qSin(a - hw) * from)
            << c + QPointF(qCos(a) * len, qSin(a) * len)
            << c + QPointF(qCos(a + hw) * from, qSin(a + hw) * from);
        p.drawPolygon(ray);
    }
}

// ---------------------------------------------------------------- emblems

QPainterPath starPath(QPointF c, qreal outer, qreal inner, int points = 5) {
    QPainterPath s;
    for (int i = 0; i < points * 2; ++i) {
        const qreal r = (i % 2) ? inner : outer;
        const qreal a = qDegreesToRadians(-90.0 + 180.0 * i / points);
        const QPointF pt = c + QPointF(qCos(a) * r, qSin(a) * r);
        if (i == 0)
            s.moveTo(pt);
        else
            s.lineTo(pt);
    }
    s.closeSubpath();
    return s;
}

void star(QPainter& p, QPointF c, qreal r, const Metal& m) {
    p.setPen(QPen(m.edge, 0.7));
    p.setBrush(metalBrush(m, around(c, r)));
    p.drawPath(starPath(c, r, r * 0.42));
}

void strawHat(QPainter& p) {
    QPainterPath cone;
    cone.moveTo(16, 7);
    cone.lineTo(27, 20.5);
    cone.quadTo(16, 24.5, 5, 20.5);
    cone.closeSubpath();
    QLinearGradient straw(10, 8, 22, 23);
    straw.setColorAt(0, QColor(0xF7, 0xE6, 0xA8));
    straw.setColorAt(1, QColor(0xC4, 0x9C, 0x4E));
    // The chin cord hangs below the brim, drawn first so the hat covers it.
    p.setPen(QPen(QColor(0x5A, 0x45, 0x25), 0.9));
    p.setBrush(Qt::NoBrush);
    QPainterPath cord;
    cord.moveTo(10, 21.5);
    cord.quadTo(16, 29, 22, 21.5);
    p.drawPath(cord);
    p.setPen(QPen(QColor(0x6E, 0x55, 0x28), 0.9));
    p.setBrush(straw);
    p.drawPath(cone);
    p.setPen(QPen(QColor(0xA3, 0x80, 0x40), 0.6));
    for (qreal x : {9.5, 13.0, 16.0, 19.0, 22.5})
        p.drawLine(QPointF(16, 7.8), QPointF(x, 22.2));
    p.setPen(QPen(QColor(0xA3, 0x80, 0x40), 0.5));
    p.drawLine(QPointF(12.2, 12.5), QPointF(19.8, 12.5));
}

// Seen from the side, facing right: the long visor is what tells a cap from
// a bowl or a bell at this size.
void clothCap(QPainter& p) {
    const QColor cloth(0x4E, 0x6C, 0x8E);
    QPainterPath visor;
    visor.moveTo(18.5, 17.6);
    visor.cubicTo(23, 16.4, 27.5, 17.2, 29, 19.6);
    visor.cubicTo(25.5, 21.6, 21.5, 21.6, 18.5, 21.2);
    visor.closeSubpath();
    p.setPen(QPen(cloth.darker(230), 0.8));
    p.setBrush(cloth.darker(150));
    p.drawPath(visor);
    QPainterPath crown;
    crown.moveTo(5.5, 21);
    crown.cubicTo(4.5, 13.5, 9, 9.5, 14, 9.5);
    crown.cubicTo(19.5, 9.5, 22.5, 13.5, 22, 19.5);
    crown.quadTo(14, 22.2, 5.5, 21);
    crown.closeSubpath();
    QLinearGradient g(8, 9, 19, 21);
    g.setColorAt(0, cloth.lighter(170));
    g.setColorAt(1, cloth.darker(115));
    p.setPen(QPen(cloth.darker(230), 0.8));
    p.setBrush(g);
    p.drawPath(crown);
    // Seams running from the button down to the band.
    p.setPen(QPen(cloth.darker(170), 0.55));
    p.setBrush(Qt::NoBrush);
    QPainterPath seams;
    seams.moveTo(14, 9.8);
    seams.quadTo(10, 13, 9.5, 20.6);
    seams.moveTo(14, 9.8);
    seams.quadTo(17.5, 13.5, 17, 20.8);
    p.drawPath(seams);
    p.setPen(Qt::NoPen);
    p.setBrush(cloth.darker(170));
    p.drawEllipse(around({14, 9.8}, 1.3));
    p.setPen(QPen(cloth.darker(200), 1.2));
    QPainterPath band;
    band.moveTo(5.8, 20.4);
    band.quadTo(14, 21.8, 22, 19.2);
    p.drawPath(band);
}

void helmet(QPainter& p) {
    QPainterPath dome;
    dome.moveTo(8.5, 20);
    dome.cubicTo(8.5, 8.5, 23.5, 8.5, 23.5, 20);
    dome.closeSubpath();
    p.setPen(QPen(kSteel.edge, 0.8));
    // Brim behind the dome, as wide as a kettle hat.
    p.setBrush(metalBrush(kSteel, QRectF(5, 18.5, 22, 5)));
    p.drawEllipse(QRectF(5, 18.5, 22, 5));
    p.setBrush(metalBrush(kSteel, QRectF(8.5, 9, 15, 11)));
    p.drawPath(dome);
    // Ridge and rivets: without them the dome is just a grey bump.
    p.setPen(QPen(kSteel.hi, 1.0));
    p.drawLine(QPointF(16, 11.3), QPointF(16, 19.6));
    p.setPen(QPen(kSteel.lo, 0.5));
    p.drawLine(QPointF(16.9, 11.6), QPointF(16.9, 19.6));
    p.setPen(Qt::NoPen);
    p.setBrush(kSteel.edge);
    for (qreal x : {11.0, 21.0})
        p.drawEllipse(around({x, 17.8}, 0.7));
}

// A sword pointing up, centred on the origin, 25 units long at scale 1.
// The pivot is the point of the blade that lands on centre.
void sword(QPainter& p, QPointF centre, qreal angleDeg, qreal scale, const Metal& hilt,
           qreal pivot = 0) {
    p.save();
    p.translate(centre);
    p.rotate(angleDeg);
    p.scale(scale, scale);
    p.translate(0, -pivot);
    QPolygonF blade;
    blade << QPointF(-1.7, 4.5) << QPointF(-1.7, -8.5) << QPointF(0, -12.5) << QPointF(1.7, -8.5)
          << QPointF(1.7, 4.5);
    QLinearGradient g(-1.7, 0, 1.7, 0);
    g.setColorAt(0, kSteel.hi);
    g.setColorAt(0.5, kSteel.mid);
    g.setColorAt(1, kSteel.lo);
    p.setPen(QPen(kSteel.edge, 0.6));
    p.setBrush(g);
    p.drawPolygon(blade);
    p.setPen(QPen(kSteel.lo, 0.45));
    p.drawLine(QPointF(0, 3.5), QPointF(0, -9));
    p.setPen(QPen(hilt.edge, 0.55));
    p.setBrush(metalBrush(hilt, QRectF(-4.8, 4.3, 9.6, 2.4)));
    p.drawRoundedRect(QRectF(-4.8, 4.3, 9.6, 2.4), 1.1, 1.1);
    p.setBrush(QColor(0x5C, 0x38, 0x1C));
    p.drawRect(QRectF(-1.1, 6.7, 2.2, 3.6));
    p.setBrush(metalBrush(hilt, around({0, 11.6}, 1.6)));
    p.drawEllipse(around({0, 11.6}, 1.6));
    p.restore();
}

QPainterPath leafPath(QPointF base, qreal angleDeg, qreal length, qreal width) {
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.quadTo(length * 0.5, -width, length, 0);
    leaf.quadTo(length * 0.5, width, 0, 0);
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(angleDeg);
    return t.map(leaf);
}

// Two sprigs of leaves that rise along the lower rim from the bottom centre.
void laurel(QPainter& p, QPointF c, qreal r, int leavesPerSide, const Metal& m) {
    p.setPen(QPen(m.edge, 0.45));
    for (int side : {-1, 1}) {
        for (int i = 0; i < leavesPerSide; ++i) {
            // Angles measured from straight down, climbing up either side.
            const qreal a = qDegreesToRadians(22.0 + i * (118.0 / leavesPerSide));
            const QPointF base = c + QPointF(side * qSin(a) * r, qCos(a) * r);
            const qreal tangent = qRadiansToDegrees(qAtan2(-qSin(a), side * qCos(a)));
            const qreal outward = side * 18.0;
            p.setBrush(metalBrush(m, around(base, 2.5)));
            p.drawPath(leafPath(base, tangent - outward, 4.4, 1.8));
        }
    }
}

void fleur(QPainter& p, const Metal& m) {
    p.setPen(QPen(m.edge, 0.6));
    p.setBrush(metalBrush(m, QRectF(9, 7, 14, 17)));
    QPainterPath mid;
    mid.moveTo(16, 7.5);
    mid.cubicTo(19.5, 11, 18.8, 15, 16, 18);
    mid.cubicTo(13.2, 15, 12.5, 11, 16, 7.5);
    p.drawPath(mid);
    for (int side : {-1, 1}) {
        QPainterPath petal;
        petal.moveTo(16 + side * 1.2, 17.5);
        petal.cubicTo(16 + side * 4, 12, 16 + side * 9, 12.5, 16 + side * 7.5, 16.5);
        petal.cubicTo(16 + side * 7, 15, 16 + side * 4.5, 15.5, 16 + side * 3.8, 18.5);
        petal.closeSubpath();
        p.drawPath(petal);
        QPainterPath foot;
        foot.moveTo(16 + side * 1, 19.8);
        foot.quadTo(16 + side * 3.5, 21, 16 + side * 4.2, 23.5);
        foot.quadTo(16 + side * 2, 22.5, 16 + side * 0.5, 22);
        foot.closeSubpath();
        p.drawPath(foot);
    }
    p.drawRoundedRect(QRectF(11.5, 18, 9, 2.2), 0.8, 0.8);
}

// A coronet: a velvet cap inside a jewelled band with pearl-tipped points.
// The small pearls at the band's ends keep even a single point looking like
// a coronet rather than a spike.
void coronet(QPainter& p, QPointF bottomCentre, qreal width, int points, const Metal& m,
             const QColor& velvet, const QColor& gemColour, qreal rise = 6.6) {
    const qreal bandH = 4.0;
    const qreal cx = bottomCentre.x();
    const qreal left = cx - width / 2, right = cx + width / 2;
    const qreal bandTop = bottomCentre.y() - bandH;
    QPainterPath cap;
    cap.moveTo(left + 1.2, bandTop + 1);
    cap.cubicTo(left + 1.2, bandTop - rise * 1.05, right - 1.2, bandTop - rise * 1.05, right - 1.2,
                bandTop + 1);
    cap.closeSubpath();
    p.setPen(QPen(velvet.darker(200), 0.6));
    p.setBrush(fieldBrush(velvet, cap.boundingRect()));
    p.drawPath(cap);
    const qreal spacing = width / points;
    const qreal half = qMin(3.0, spacing * 0.46);
    for (int i = 0; i < points; ++i) {
        const qreal x = left + spacing * (i + 0.5);
        QPolygonF spike;
        spike << QPointF(x - half, bandTop + 0.5) << QPointF(x, bandTop - rise)
              << QPointF(x + half, bandTop + 0.5);
        p.setPen(QPen(m.edge, 0.6));
        p.setBrush(metalBrush(m, QRectF(x - half, bandTop - rise, 2 * half, rise)));
        p.drawPolygon(spike);
    }
    p.setPen(QPen(m.edge, 0.5));
    p.setBrush(kPearl);
    for (int i = 0; i < points; ++i)
        p.drawEllipse(around({left + spacing * (i + 0.5), bandTop - rise + 0.2}, 1.45));
    for (qreal x : {left + 0.9, right - 0.9})
        p.drawEllipse(around({x, bandTop - 0.4}, 1.05));
    QPainterPath bandPath;
    bandPath.moveTo(left, bandTop);
    bandPath.quadTo(cx, bandTop + 1.3, right, bandTop);
    bandPath.lineTo(right, bottomCentre.y());
    bandPath.quadTo(cx, bottomCentre.y() + 1.3, left, bottomCentre.y());
    bandPath.closeSubpath();
    p.setPen(QPen(m.edge, 0.7));
    p.setBrush(metalBrush(m, bandPath.boundingRect()));
    p.drawPath(bandPath);
    const qreal gemY = bandTop + bandH / 2 + 0.6;
    gem(p, {cx, gemY}, 1.3, gemColour);
    if (points >= 4) {
        gem(p, {left + width * 0.2, gemY - 0.3}, 0.95, kEmerald);
        gem(p, {right - width * 0.2, gemY - 0.3}, 0.95, kEmerald);
    }
}

// A crown with a zigzag rim; balls on the peaks and gems on the band.
void crown(QPainter& p, const QRectF& r, int peaks, const Metal& m, const QColor& velvet,
           const QColor& gemColour) {
    const qreal bandH = r.height() * 0.26;
    const qreal valley = r.top() + r.height() * 0.48;
    const qreal peakY = r.top() + 1.2;
    // Velvet cap shows between the peaks.
    p.setPen(Qt::NoPen);
    p.setBrush(velvet);
    p.drawRoundedRect(QRectF(r.left() + 1, valley - 2.5, r.width() - 2, r.bottom() - valley), 2, 2);
    QPainterPath body;
    body.moveTo(r.left(), r.bottom());
    body.lineTo(r.left(), peakY);
    for (int i = 1; i < peaks; ++i) {
        const qreal x0 = r.left() + r.width() * (i - 1) / (peaks - 1);
        const qreal x1 = r.left() + r.width() * i / (peaks - 1);
        body.lineTo((x0 + x1) / 2, valley);
        body.lineTo(x1, i == peaks - 1 ? peakY : peakY + (i % 2 ? 1.2 : -0.6));
    }
    body.lineTo(r.right(), r.bottom());
    body.closeSubpath();
    p.setPen(QPen(m.edge, 0.75));
    p.setBrush(metalBrush(m, r));
    p.drawPath(body);
    for (int i = 0; i < peaks; ++i) {
        const qreal x = r.left() + r.width() * i / (peaks - 1);
        const qreal y = (i == 0 || i == peaks - 1) ? peakY : peakY + (i % 2 ? 1.2 : -0.6);
        p.setPen(QPen(m.edge, 0.5));
        p.setBrush(kPearl);
        p.drawEllipse(around({x, y - 0.6}, 1.3));
    }
    const QRectF band(r.left(), r.bottom() - bandH, r.width(), bandH);
    p.setPen(QPen(m.edge, 0.75));
    p.setBrush(metalBrush(m, band));
    p.drawRoundedRect(band, 0.8, 0.8);
    const int gems = peaks >= 5 ? 3 : 1;
    for (int i = 0; i < gems; ++i) {
        const qreal x = r.center().x() + (i - (gems - 1) / 2.0) * r.width() * 0.3;
        gem(p, {x, band.center().y()}, qMin(1.5, bandH * 0.42),
            i == 1 || gems == 1 ? gemColour : kSapphire);
    }
}

// The arched crown of an emperor: band, two arches over a cap, orb and cross.
void imperialCrown(QPainter& p, const Metal& m) {
    const QRectF band(8.5, 19.5, 15, 3.8);
    p.setPen(Qt::NoPen);
    p.setBrush(fieldBrush(kCrimson, QRectF(9, 11, 14, 10)));
    QPainterPath cap;
    cap.moveTo(9.5, 20);
    cap.cubicTo(9.5, 10, 22.5, 10, 22.5, 20);
    cap.closeSubpath();
    p.drawPath(cap);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(m.edge, 2.6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath arch;
    arch.moveTo(9, 20);
    arch.cubicTo(9, 9.5, 23, 9.5, 23, 20);
    p.drawPath(arch);
    p.drawLine(QPointF(16, 11.8), QPointF(16, 20));
    p.setPen(QPen(QBrush(metalBrush(m, QRectF(9, 10, 14, 10))), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arch);
    p.drawLine(QPointF(16, 11.8), QPointF(16, 20));
    // Orb and cross on top.
    p.setPen(QPen(m.edge, 0.6));
    p.setBrush(metalBrush(m, around({16, 9.4}, 2.1)));
    p.drawEllipse(around({16, 9.4}, 2.1));
    p.setPen(QPen(m.edge, 1.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 7.2), QPointF(16, 3.9));
    p.drawLine(QPointF(14.6, 5.2), QPointF(17.4, 5.2));
    p.setPen(QPen(m.hi, 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 7.0), QPointF(16, 4.1));
    p.drawLine(QPointF(14.8, 5.2), QPointF(17.2, 5.2));
    p.setPen(QPen(m.edge, 0.75));
    p.setBrush(metalBrush(m, band));
    p.drawRoundedRect(band, 1, 1);
    gem(p, {12.2, band.center().y()}, 1.15, kSapphire);
    gem(p, {16, band.center().y()}, 1.35, kRuby);
    gem(p, {19.8, band.center().y()}, 1.15, kEmerald);
}

void sun(QPainter& p) {
    const QPointF c(16, 16);
    QRadialGradient glow(c, 16);
    glow.setColorAt(0.0, QColor(255, 255, 240, 255));
    glow.setColorAt(0.55, QColor(255, 236, 140, 200));
    glow.setColorAt(1.0, QColor(255, 214, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(around(c, 16));
    QRadialGradient rayFill(c, 16);
    rayFill.setColorAt(0.3, QColor(0xFF, 0xFF, 0xE8));
    rayFill.setColorAt(1.0, QColor(0xF5, 0xB8, 0x1A));
    rays(p, c, 16, 7.5, 15.8, 9, rayFill, QColor(0xC8, 0x86, 0x08), true, 0);
    // The halo ring sits between the rays and the white core.
    p.setPen(QPen(QColor(0xD8, 0x96, 0x0A), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(around(c, 9.2));
    p.setPen(QPen(QColor(0xFF, 0xF4, 0xB0), 0.7));
    p.drawEllipse(around(c, 9.2));
    QRadialGradient core(c - QPointF(1.8, 2.0), 8.5);
    core.setColorAt(0.0, QColor(255, 255, 255));
    core.setColorAt(0.6, QColor(0xFF, 0xF3, 0xB8));
    core.setColorAt(1.0, QColor(0xF9, 0xCB, 0x3C));
    p.setPen(QPen(QColor(0xE0, 0x9A, 0x10), 0.6));
    p.setBrush(core);
    p.drawEllipse(around(c, 7.2));
    // A small sparkle keeps the core from reading as a plain yellow disc.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(starPath(c - QPointF(2, 2), 3.4, 0.8, 4));
}

// ---------------------------------------------------------------- ranks

QImage gradeIcon(int rank) {
    QImage img = canvas(32);
    QPainter p;
    open(p, img, 32);
    switch (rank) {
    case 0: // lowborn: plain clay, straw hat
        medal(p, kClay, kClay.mid, 14.5, 1.6);
        strawHat(p);
        break;
    case 1: // commoner: brown leather, cloth cap
        medal(p, kBrown, QColor(0xE4, 0xD2, 0xB4), 14.5, 2.0);
        clothCap(p);
        break;
    case 2: // soldier: bronze, helmet
        medal(p, kBronze, QColor(0x7A, 0x4A, 0x22), 14.5, 2.2);
        helmet(p);
        break;
    case 3: // knight: bronze, upright sword
        medal(p, kBronze, QColor(0x6A, 0x2A, 0x1C), 14.5, 2.4);
        sword(p, {16, 16.3}, 0, 1.0, kBronze);
        break;
    case 4: // knight commander: bronze, crossed swords
        medal(p, kBronze, QColor(0x6A, 0x2A, 0x1C), 14.5, 2.6);
        // Crossed at mid-blade; the hilts may reach over the rim.
        sword(p, {16, 15.5}, -40, 0.92, kGold, -3);
        sword(p, {16, 15.5}, 40, 0.92, kGold, -3);
        break;
    case 5: // general: silver, one star
        medal(p, kSilver, kNavy, 14.5, 2.6);
        star(p, {16, 16.8}, 9.2, kSilver);
        break;
    case 6: // senior general: silver, two stars
        medal(p, kSilver, kNavy, 14.5, 2.6);
        star(p, {10.6, 16.5}, 5.8, kSilver);
        star(p, {21.4, 16.5}, 5.8, kSilver);
        break;
    case 7: // grand general: silver, three stars under a laurel
        medal(p, kSilver, kNavy, 14.5, 2.6);
        star(p, {9.8, 15.4}, 4.6, kSilver);
        star(p, {16, 11.4}, 4.6, kSilver);
        star(p, {22.2, 15.4}, 4.6, kSilver);
        laurel(p, {16, 16}, 9.0, 3, kGold);
        break;
    case 8: // noble: gold shield, fleur
        shield(p, kGold, kHeraldBlue, 2.2);
        fleur(p, kGold);
        break;
    case 9:    // baron
    case 10:   // viscount
    case 11:   // count
    case 12: { // marquis: coronets with one to four points
        // The field changes too, from cool to warm towards the duke's
        // crimson: the point count alone is too fine a difference at 32px.
        static const QColor fields[4] = {QColor(0x1C, 0x76, 0x7A), QColor(0x2A, 0x7A, 0x40),
                                         QColor(0x3A, 0x3E, 0xA4), QColor(0x6C, 0x2A, 0x90)};
        shield(p, kGold, fields[rank - 9], 2.2);
        coronet(p, {16, 21.5}, 14.5, rank - 8, kGold, kCrimson, kRuby);
        break;
    }
    case 13: // duke: a coronet of five points crests a smaller crimson shield
        shield(p, kGold, kCrimson, 2.0, QRectF(6.5, 12.5, 19, 18.5));
        p.save();
        p.translate(16, 22.5);
        p.scale(0.62, 0.62);
        p.translate(-16, -15.5);
        fleur(p, kGold);
        p.restore();
        coronet(p, {16, 14.8}, 19, 5, kGold, kCrimson, kSapphire, 6.0);
        break;
    case 14: // royal: gold medal on purple, small crown
        medal(p, kGold, kPurple, 14.5, 2.4);
        crown(p, QRectF(9.5, 10, 13, 11), 3, kGold, kCrimson, kRuby);
        break;
    case 15: // king: gold medal on crimson, five-peak crown, laurel
        medal(p, kGold, kCrimson, 14.5, 2.6);
        crown(p, QRectF(7.5, 8.5, 17, 13), 5, kGold, kPurple, kRuby);
        laurel(p, {16, 16}, 9.6, 2, kGold);
        break;
    case 16: // great king: pearl-beaded rim, crown breaking out of the medal
        medal(p, kGold, kCrimson, 14.5, 2.8);
        p.setPen(QPen(kGold.edge, 0.35));
        p.setBrush(kPearl);
        for (int i = 0; i < 16; ++i) {
            const qreal a = qDegreesToRadians(360.0 * i / 16 + 11.25);
            p.drawEllipse(around({16 + qCos(a) * 13.1, 16 + qSin(a) * 13.1}, 0.85));
        }
        crown(p, QRectF(6.2, 5.5, 19.6, 15.5), 5, kGold, kPurple, kRuby);
        laurel(p, {16, 16}, 9.0, 2, kGold);
        break;
    case 17: { // emperor: radiant rays, imperial crown on purple
        QRadialGradient ray(QPointF(16, 16), 16);
        ray.setColorAt(0.6, QColor(255, 255, 235));
        ray.setColorAt(1.0, kGold.mid);
        rays(p, {16, 16}, 16, 9, 16, 7.5, ray, kGold.edge, true, 0);
        medal(p, kGold, kPurple, 12.4, 2.0);
        imperialCrown(p, kGold);
        break;
    }
    default: // god: the sun with a halo
        sun(p);
        break;
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------- marks

QImage markIcon(bool lit) {
    QImage img = canvas(16);
    QPainter p;
    open(p, img, 16);
    const QPointF c(8, 8);
    QRadialGradient face(c - QPointF(1.5, 1.8), 7);
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, QColor(0xE2, 0xDF, 0xD2));
    p.setPen(QPen(QColor(0x8A, 0x84, 0x76), 1.1));
    p.setBrush(face);
    p.drawEllipse(around(c, 6.3));
    if (lit) {
        QRadialGradient dot(c - QPointF(1.0, 1.2), 4.2);
        dot.setColorAt(0, QColor(0xB8, 0xF4, 0x9E));
        dot.setColorAt(0.5, QColor(0x44, 0xB8, 0x44));
        dot.setColorAt(1, QColor(0x1E, 0x80, 0x2C));
        p.setPen(QPen(QColor(0x1D, 0x6E, 0x28), 0.6));
        p.setBrush(dot);
        p.drawEllipse(around(c, 3.4));
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------- program icon

// A calm green disc with a cigarette that is struck through. Below 24 pixels
// the strokes are thickened, or the cigarette would melt into the disc.
QImage appIcon(int size) {
    QImage img = canvas(size);
    QPainter p;
    open(p, img, 32);
    const bool tiny = size < 24;
    const QRectF disc(1, 1, 30, 30);
    QRadialGradient green(QPointF(11, 9), 24);
    green.setColorAt(0, QColor(0x9C, 0xDB, 0xA6));
    green.setColorAt(0.5, QColor(0x4F, 0xA8, 0x64));
    green.setColorAt(1, QColor(0x2A, 0x74, 0x40));
    p.setPen(QPen(QColor(0x1F, 0x5A, 0x32), tiny ? 1.6 : 1.0));
    p.setBrush(green);
    p.drawEllipse(disc);

    // The cigarette lies slightly tilted, filter to the lower left.
    p.save();
    p.translate(16, 16.5);
    p.rotate(-20);
    const qreal h = tiny ? 7.5 : 5.6;
    const QRectF paper(-7.5, -h / 2, 19, h);
    const QRectF filter(-13, -h / 2, 6, h);
    p.setPen(QPen(QColor(0x5A, 0x4A, 0x3A), tiny ? 1.0 : 0.7));
    QLinearGradient white(0, -h / 2, 0, h / 2);
    white.setColorAt(0, QColor(255, 255, 255));
    white.setColorAt(1, QColor(0xD8, 0xD6, 0xCE));
    p.setBrush(white);
    p.drawRect(paper);
    QLinearGradient tan(0, -h / 2, 0, h / 2);
    tan.setColorAt(0, QColor(0xF4, 0xB8, 0x6A));
    tan.setColorAt(1, QColor(0xC0, 0x78, 0x30));
    p.setBrush(tan);
    p.drawRect(filter);
    if (!tiny) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9A, 0x5A, 0x20, 150));
        for (QPointF d : {QPointF(-11.5, -1), QPointF(-9.5, 1.2), QPointF(-10.5, 0.2),
                          QPointF(-8.5, -1.5), QPointF(-12, 1.5)})
            p.drawEllipse(around(d, 0.45));
        // Unlit grey end: nothing burns here.
        p.setBrush(QColor(0xA8, 0xA4, 0x9C));
        p.drawRect(QRectF(10, -h / 2 + 0.35, 1.5, h - 0.7));
    }
    p.restore();

    // The strike: soft coral with a pale halo, not an alarm red.
    const QPointF a(7.5, 7.5), b(24.5, 24.5);
    p.setPen(QPen(QColor(255, 255, 255, 230), tiny ? 5.4 : 5.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.setPen(QPen(QColor(0xE2, 0x6A, 0x55), tiny ? 3.4 : 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.end();
    return img;
}

// ---------------------------------------------------------------- menu icons

void paperSheet(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(0x6A, 0x6A, 0x70), 0.9));
    p.setBrush(QColor(0xFD, 0xFD, 0xFA));
    p.drawRect(r);
}

QImage menuIcon(int index) {
    QImage img = canvas(16);
    QPainter p;
    open(p, img, 16);
    switch (index) {
    case 0: { // calculator
        const QRectF body(2.5, 1.5, 11, 13);
        p.setPen(QPen(QColor(0x2E, 0x38, 0x44), 0.9));
        p.setBrush(metalBrush(kBlueSteel, body));
        p.drawRoundedRect(body, 1.5, 1.5);
        p.setPen(QPen(QColor(0x3A, 0x4A, 0x3A), 0.6));
        p.setBrush(QColor(0xCF, 0xE6, 0xB8));
        p.drawRect(QRectF(4, 3, 8, 3));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                p.setBrush(row == 2 && col == 2 ? QColor(0xF0, 0x8A, 0x30)
                                                : QColor(0xF6, 0xF8, 0xFA));
                p.drawRect(QRectF(4 + col * 3, 7.5 + row * 2.3, 2, 1.6));
            }
        break;
    }
    case 1: { // grade list: a sheet with bronze, silver and gold entries
        paperSheet(p, QRectF(2.5, 1.5, 11, 13));
        const Metal tiers[] = {kGold, kSilver, kBronze};
        for (int i = 0; i < 3; ++i) {
            const qreal y = 4.5 + i * 3.6;
            p.setPen(QPen(tiers[i].edge, 0.5));
            p.setBrush(metalBrush(tiers[i], around({5.5, y}, 1.5)));
            p.drawEllipse(around({5.5, y}, 1.5));
            p.setPen(QPen(QColor(0x70, 0x78, 0x88), 1.0));
            p.drawLine(QPointF(8, y), QPointF(12, y));
        }
        break;
    }
    case 2: { // pledge: a written page with a red seal and a pen
        paperSheet(p, QRectF(1.5, 1.5, 10, 13));
        p.setPen(QPen(QColor(0x7A, 0x86, 0xA8), 0.8));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(3.5, 4.5 + i * 2.4), QPointF(9.5, 4.5 + i * 2.4));
        gem(p, {5, 11.8}, 1.8, QColor(0xC8, 0x24, 0x24));
        p.save();
        p.translate(11.5, 9);
        p.rotate(35);
        p.setPen(QPen(QColor(0x1E, 0x2E, 0x6A), 0.6));
        p.setBrush(QColor(0x3A, 0x5C, 0xC8));
        p.drawRect(QRectF(-1.2, -7, 2.4, 9));
        p.setBrush(QColor(0xE8, 0xC8, 0x60));
        QPolygonF nib;
        nib << QPointF(-1.2, 2) << QPointF(0, 4.8) << QPointF(1.2, 2);
        p.drawPolygon(nib);
        p.restore();
        break;
    }
    case 3: // show window (slot 4 is unused and shows the same picture)
    case 4: {
        const QRectF frame(1.5, 2.5, 13, 11);
        p.setPen(QPen(QColor(0x2C, 0x40, 0x66), 1.0));
        p.setBrush(QColor(0xFA, 0xFA, 0xF6));
        p.drawRect(frame);
        QLinearGradient title(0, 2.5, 0, 6);
        title.setColorAt(0, QColor(0x7C, 0xA6, 0xE6));
        title.setColorAt(1, QColor(0x2E, 0x5E, 0xB4));
        p.setBrush(title);
        p.drawRect(QRectF(1.5, 2.5, 13, 3.2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(11.2, 3.4, 1.8, 1.4));
        p.setBrush(QColor(0xB8, 0xC8, 0xE0));
        p.drawRect(QRectF(3, 7, 4, 5));
        p.setBrush(QColor(0xD8, 0xD4, 0xC4));
        p.drawRect(QRectF(8, 7, 5, 1.2));
        p.drawRect(QRectF(8, 9.2, 5, 1.2));
        break;
    }
    default: { // home page: a small house
        QPolygonF roof;
        roof << QPointF(1, 8) << QPointF(8, 1.5) << QPointF(15, 8);
        p.setPen(QPen(QColor(0x7A, 0x1E, 0x14), 0.9));
        QLinearGradient red(0, 1.5, 0, 8);
        red.setColorAt(0, QColor(0xF0, 0x6A, 0x4A));
        red.setColorAt(1, QColor(0xB8, 0x30, 0x20));
        p.setBrush(red);
        p.setPen(QPen(QColor(0x6A, 0x5A, 0x48), 0.9));
        p.setBrush(QColor(0xF6, 0xEC, 0xD2));
        p.drawRect(QRectF(3.5, 7, 9, 7.5));
        p.setPen(QPen(QColor(0x7A, 0x1E, 0x14), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(red);
        p.drawPolygon(roof);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8A, 0x5A, 0x2E));
        p.drawRect(QRectF(7, 10, 2.5, 4.5));
        p.setBrush(QColor(0x9C, 0xC8, 0xF0));
        p.drawRect(QRectF(4.6, 9, 1.8, 1.8));
        p.drawRect(QRectF(10.2, 9, 1.8, 1.8));
        break;
    }
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------- image buttons

// The small round help button beside the values of the main window: a blue
// disc with a white question mark. Pressed and under the pointer it lights up.
QImage queryButton(bool lit) {
    QImage img = canvas(16);
    QPainter p;
    open(p, img, 16);
    const QPointF c(8, 8);
    QRadialGradient blue(c - QPointF(2.2, 2.6), 9.5);
    if (lit) {
        blue.setColorAt(0, QColor(0xD4, 0xE8, 0xFF));
        blue.setColorAt(0.45, QColor(0x6C, 0xA8, 0xF4));
        blue.setColorAt(1, QColor(0x34, 0x6E, 0xD0));
    } else {
        blue.setColorAt(0, QColor(0x9C, 0xC4, 0xF6));
        blue.setColorAt(0.45, QColor(0x36, 0x78, 0xDA));
        blue.setColorAt(1, QColor(0x16, 0x40, 0x9A));
    }
    p.setPen(QPen(lit ? QColor(0x2A, 0x5C, 0xB8) : QColor(0x10, 0x32, 0x7C), 1.0));
    p.setBrush(blue);
    p.drawEllipse(around(c, 7.2));

    // The question mark: a hook and a dot, stroked rather than set in a
    // font, so it looks the same wherever the art is drawn.
    QPainterPath hook;
    hook.moveTo(5.6, 6.0);
    hook.cubicTo(5.6, 3.4, 10.4, 3.4, 10.4, 6.0);
    hook.cubicTo(10.4, 7.6, 8.0, 7.8, 8.0, 9.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255), 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(around({8.0, 12.3}, 1.15));
    p.end();
    return img;
}

// A small triangle pointing down, 7 pixels wide, set pixel by pixel so its
// edges stay sharp: rows 10 to 13 at rest, one row lower when pressed, one
// row higher under the pointer, grey when disabled.
QImage dropTriangle(int shift, QRgb colour) {
    QImage img(16 * g_scale, 16 * g_scale, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int row = 0; row < 4; ++row)
        for (int x = 4 + row; x <= 10 - row; ++x)
            for (int dy = 0; dy < g_scale; ++dy)
                for (int dx = 0; dx < g_scale; ++dx)
                    img.setPixel(x * g_scale + dx, (10 + shift + row) * g_scale + dy, colour);
    return img;
}

// ---------------------------------------------------------------- dialog icons

void wonCoin(QPainter& p, QPointF c, qreal r) {
    p.setPen(QPen(kGold.edge, 0.7));
    p.setBrush(metalBrush(kGold, around(c, r)));
    p.drawEllipse(around(c, r));
    p.setPen(QPen(kGold.lo, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(around(c, r - 1.2));
    // The won sign: a W with two bars across it.
    const qreal s = r * 0.5;
    QPainterPath w;
    w.moveTo(c + QPointF(-s, -s * 0.9));
    w.lineTo(c + QPointF(-s * 0.5, s * 0.9));
    w.lineTo(c + QPointF(0, -s * 0.3));
    w.lineTo(c + QPointF(s * 0.5, s * 0.9));
    w.lineTo(c + QPointF(s, -s * 0.9));
    p.setPen(QPen(kGold.edge, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(w);
    p.drawLine(c + QPointF(-s * 1.15, -s * 0.1), c + QPointF(s * 1.15, -s * 0.1));
    p.drawLine(c + QPointF(-s * 1.15, s * 0.35), c + QPointF(s * 1.15, s * 0.35));
}

QImage calcIcon() {
    QImage img = canvas(32);
    QPainter p;
    open(p, img, 32);
    medal(p, kBlueSteel, QColor(0xE8, 0xEF, 0xF6), 14.5, 2.2);
    const QRectF body(8, 6.5, 12.5, 18);
    p.setPen(QPen(QColor(0x22, 0x2C, 0x38), 0.8));
    QLinearGradient slate(body.topLeft(), body.bottomRight());
    slate.setColorAt(0, QColor(0x6A, 0x7C, 0x92));
    slate.setColorAt(1, QColor(0x2E, 0x3A, 0x4A));
    p.setBrush(slate);
    p.drawRoundedRect(body, 1.8, 1.8);
    p.setPen(QPen(QColor(0x2E, 0x3E, 0x2E), 0.5));
    p.setBrush(QColor(0xCE, 0xE8, 0xB4));
    p.drawRect(QRectF(9.5, 8.2, 9.5, 4));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(row == 2 && col == 2 ? QColor(0xF0, 0x8A, 0x30) : QColor(0xEE, 0xF2, 0xF6));
            p.drawRoundedRect(QRectF(9.6 + col * 3.3, 13.8 + row * 3.3, 2.6, 2.5), 0.5, 0.5);
        }
    wonCoin(p, {21.5, 21}, 6.2);
    p.end();
    return img;
}

QImage pledgeIcon() {
    QImage img = canvas(32);
    QPainter p;
    open(p, img, 32);
    medal(p, kJade, QColor(0xF4, 0xEF, 0xDC), 14.5, 2.2);
    p.save();
    p.translate(14.5, 16.5);
    p.rotate(-8);
    const QRectF page(-6.5, -9, 13, 18);
    p.setPen(QPen(QColor(0x6A, 0x5E, 0x48), 0.8));
    p.setBrush(QColor(0xFF, 0xFD, 0xF4));
    p.drawRect(page);
    p.setPen(QPen(QColor(0x7C, 0x88, 0xAC), 0.8));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(-4.5, -6 + i * 2.6), QPointF(i == 3 ? 1 : 4.5, -6 + i * 2.6));
    gem(p, {-2.5, 5}, 2.5, QColor(0xC4, 0x22, 0x22));
    p.restore();
    // A quill lying across the page's lower right corner.
    p.save();
    p.translate(20.5, 15);
    p.rotate(32);
    QPainterPath vane;
    vane.moveTo(0, -10);
    vane.cubicTo(3.8, -6, 3.2, 2, 0.4, 5);
    vane.cubicTo(-2.6, 2, -3.2, -6, 0, -10);
    p.setPen(QPen(QColor(0x3A, 0x52, 0x7A), 0.6));
    QLinearGradient feather(-3, 0, 3, 0);
    feather.setColorAt(0, QColor(0xE8, 0xF0, 0xFC));
    feather.setColorAt(1, QColor(0x8C, 0xA6, 0xD0));
    p.setBrush(feather);
    p.drawPath(vane);
    p.setPen(QPen(QColor(0x3A, 0x52, 0x7A), 0.7));
    p.drawLine(QPointF(0, -8.5), QPointF(0.3, 8.5));
    p.setPen(QPen(QColor(0x22, 0x22, 0x2A), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.3, 6.8), QPointF(0.4, 9.2));
    p.restore();
    p.end();
    return img;
}

// ---------------------------------------------------------------- output

struct Picture {
    QString file;
    QImage image;
    QString label;
};

std::vector<Picture> allPictures() {
    static const char* const names[19] = {
        "천민", "평민", "병사", "기사", "기사장", "장군", "상장군", "대장군", "귀족", "남작",
        "자작", "백작", "후작", "공작", "왕족",   "왕",   "대왕",   "황제",   "신"};
    std::vector<Picture> out;
    for (int r = 0; r < 19; ++r)
        out.push_back({QStringLiteral("grade%1.png").arg(r, 2, 10, QLatin1Char('0')), gradeIcon(r),
                       QStringLiteral("%1 %2").arg(r).arg(QString::fromUtf8(names[r]))});
    out.push_back({"mark0.png", markIcon(false), "mark 0"});
    out.push_back({"mark1.png", markIcon(true), "mark 1"});
    for (int size : {16, 32, 48, 256})
        out.push_back({QStringLiteral("app%1.png").arg(size), appIcon(size),
                       QStringLiteral("app %1").arg(size)});
    static const char* const menus[6] = {"calc", "grades", "pledge", "window", "unused", "home"};
    for (int i = 0; i < 6; ++i)
        out.push_back({QStringLiteral("menu%1.png").arg(i), menuIcon(i),
                       QStringLiteral("menu %1 %2").arg(i).arg(menus[i])});
    out.push_back({"query0.png", queryButton(false), "query up"});
    out.push_back({"query1.png", queryButton(true), "query lit"});
    out.push_back({"drop0.png", dropTriangle(0, 0xFF000000u), "drop up"});
    out.push_back({"drop1.png", dropTriangle(1, 0xFF000000u), "drop down"});
    out.push_back({"drop2.png", dropTriangle(0, 0xFF606060u), "drop disabled"});
    out.push_back({"drop3.png", dropTriangle(-1, 0xFF000000u), "drop entered"});
    out.push_back({"calc32.png", calcIcon(), "calc"});
    out.push_back({"pledge32.png", pledgeIcon(), "pledge"});
    return out;
}

QImage magnified(const QImage& img, int factor) {
    // Nearest-neighbour, so the sheet shows the real pixels, not a smoothed guess.
    return img.scaled(img.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QFont labelFont() {
    QFont f;
    f.setFamilies({"NanumGothic", "Noto Sans CJK KR", "DejaVu Sans"});
    f.setPixelSize(12);
    return f;
}

QImage contactSheet(const std::vector<Picture>& pictures) {
    const int width = 1100;
    const QColor paper(0xF4, 0xF2, 0xEA);
    // Collected first so the sheet can be sized before painting.
    std::vector<std::function<void(QPainter&, int&)>> rows;

    // Row strips at 1:1, on the window colour, white and a dark tray colour.
    for (QColor bg : {paper, QColor(Qt::white), QColor(0x2B, 0x2F, 0x36)}) {
        rows.push_back([&pictures, bg, width](QPainter& p, int& y) {
            const int h = 60;
            p.fillRect(0, y, width, h, bg);
            int x = 10;
            for (const Picture& pic : pictures) {
                if (pic.image.width() > 48)
                    continue;
                p.drawImage(x, y + 6 + (48 - pic.image.height()) / 2, pic.image);
                x += pic.image.width() + 6;
            }
            y += h;
        });
    }
    // Everything at 4x, rank icons first, labelled.
    rows.push_back([&pictures, paper, width](QPainter& p, int& y) {
        int x = 10;
        int rowHeight = 0;
        for (const Picture& pic : pictures) {
            if (pic.image.width() > 48)
                continue;
            const QImage big = magnified(pic.image, 4);
            if (x + big.width() > width - 10) {
                x = 10;
                y += rowHeight + 24;
                rowHeight = 0;
            }
            p.drawImage(x, y, big);
            p.setPen(QColor(0x33, 0x33, 0x33));
            p.drawText(QRect(x, y + big.height() + 2, big.width() + 20, 18), Qt::AlignLeft,
                       pic.label);
            x += qMax(big.width(), 90) + 14;
            rowHeight = qMax(rowHeight, big.height());
        }
        y += rowHeight + 30;
    });
    rows.push_back([&pictures](QPainter& p, int& y) {
        for (const Picture& pic : pictures)
            if (pic.image.width() > 48) {
                p.drawImage(10, y, pic.image);
                y += pic.image.height() + 10;
            }
    });

    // Paint once into a tall scratch image, then crop to what was used.
    QImage sheet(width, 2600, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(paper);
    QPainter p(&sheet);
    p.setFont(labelFont());
    int y = 10;
    for (auto& row : rows)
        row(p, y);
    p.end();
    return sheet.copy(0, 0, width, y + 10);
}

int usage() {
    std::fputs("usage: tarvell_makeart [<output folder>] [--sheet <file.png>]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Runs on build machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString folder, sheetFile;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheet") {
            if (i + 1 >= args.size())
                return usage();
            sheetFile = args[++i];
        } else if (folder.isEmpty() && !args[i].startsWith('-')) {
            folder = args[i];
        } else {
            return usage();
        }
    }
    if (folder.isEmpty() && sheetFile.isEmpty())
        return usage();

    const std::vector<Picture> pictures = allPictures();
    if (!folder.isEmpty()) {
        QDir dir;
        if (!dir.mkpath(folder)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
            return 1;
        }
        // Each picture also drawn at twice the pixels, as "name@2x.png", which
        // Qt takes on screens that scale by two. The program icon has sizes
        // enough of its own.
        g_scale = 2;
        std::vector<Picture> doubled;
        for (Picture& pic : allPictures())
            if (!pic.file.startsWith(QLatin1String("app"))) {
                pic.file.replace(QLatin1String(".png"), QLatin1String("@2x.png"));
                doubled.push_back(pic);
            }
        g_scale = 1;
        for (const std::vector<Picture>* set :
             {&pictures, static_cast<const std::vector<Picture>*>(&doubled)})
            for (const Picture& pic : *set) {
                const QString path = QDir(folder).filePath(pic.file);
                if (!pic.image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                    return 1;
                }
            }
    }
    if (!sheetFile.isEmpty() && !contactSheet(pictures).save(sheetFile, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(sheetFile));
        return 1;
    }
    return 0;
}
