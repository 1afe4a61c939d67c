#include "dialogs/MessagePicture.h"

#include "widgets/Accessible.h"
#include "widgets/Look.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

// Blends one channel by a coverage of cover / full, rounded to nearest.
int blend(int under, int over, int cover, int full) {
    return (under * (full - cover) + over * cover + full / 2) / full;
}

// The room a piece leaves at the picture's right edge when it has to be
// drawn smaller: as much as the pictures leave at their left.
constexpr int kRightMargin = 6;

// The face drawn at `scale` times the given pixel size.
QFont largeFont(const QFont& font, int pixelSize, int scale) {
    QFont large = font;
    large.setPixelSize(std::max(1, pixelSize) * scale);
    // The large drawing is hard-edged: the smoothing comes only from the
    // averaging below, as much of it as the level asks for.
    large.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    large.setHintingPreference(QFont::PreferNoHinting);
    return large;
}

void drawPiece(QImage& picture, const QFont& font, const TvxPictureText& piece) {
    if (piece.text.isEmpty())
        return;
    const int level = std::clamp(piece.level, 0, 4);
    const int scale = 1 << level;

    const QFont designed = largeFont(font, font.pixelSize(), scale);
    const QFontMetrics fm(designed);
    // A text too long for the picture would lose its end at the edge: it
    // is drawn at the largest size that fits instead, on the baseline of
    // its line, so that it still reads as the rest of that line.
    QFont large = designed;
    const int room = (picture.width() - kRightMargin - piece.x) * scale;
    for (int size = font.pixelSize() - 1;
         room > 0 && size >= 1 && QFontMetrics(large).horizontalAdvance(piece.text) > room; --size)
        large = largeFont(font, size, scale);

    // Only the part of the picture the text can reach is drawn large: from
    // the text's left top to the picture's right edge, one cell high.
    const QRect target =
        QRect(piece.x, piece.y, picture.width() - piece.x, (fm.height() + scale - 1) / scale + 1)
            .intersected(picture.rect());
    if (target.isEmpty())
        return;
    QImage mask(target.size() * scale, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::black);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setFont(large);
        p.setPen(Qt::white);
        // The cell's top at the text's y, as the origin of a bitmap's text
        // output is the left top of the cell; the baseline is that of the
        // face at its own size.
        const QPoint origin((piece.x - target.x()) * scale, (piece.y - target.y()) * scale);
        p.drawText(origin + QPoint(0, fm.ascent()), piece.text);
    }

    const int full = scale * scale * 255;
    const QRgb colour = piece.color.rgb();
    for (int ty = 0; ty < target.height(); ++ty) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(target.y() + ty)) + target.x();
        for (int tx = 0; tx < target.width(); ++tx) {
            int cover = 0;
            for (int sy = 0; sy < scale; ++sy) {
                const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(ty * scale + sy));
                for (int sx = 0; sx < scale; ++sx)
                    cover += qRed(m[tx * scale + sx]);
            }
            if (cover == 0)
                continue;
            const QRgb under = row[tx];
            row[tx] = qRgba(blend(qRed(under), qRed(colour), cover, full),
                            blend(qGreen(under), qGreen(colour), cover, full),
                            blend(qBlue(under), qBlue(colour), cover, full), 255);
        }
    }
}

// The words of a picture as one text, piece by piece in drawing order,
// which is reading order here.
QString SpokenText(const QList<TvxPictureText>& texts) {
    QStringList pieces;
    for (const TvxPictureText& piece : texts)
        if (!piece.text.isEmpty())
            pieces.append(piece.text);
    return pieces.join(QLatin1Char(' '));
}

// Draws the texts on the picture and gives it their words, so that a screen
// reader says what the picture says.
void Write(TvxImage* image, const QColor& background, const QFont& font,
           const QList<TvxPictureText>& texts) {
    image->SetPicture(DrawMessagePicture(image->size(), background, font, texts));
    image->setAccessibleName(SpokenText(texts));
}

} // namespace

QImage DrawMessagePicture(const QSize& size, const QColor& background, const QFont& font,
                          const QList<TvxPictureText>& texts) {
    QImage picture(size, QImage::Format_ARGB32);
    QColor ground = background;
    ground.setAlpha(255);
    picture.fill(ground);
    for (const TvxPictureText& piece : texts)
        drawPiece(picture, font, piece);
    return picture;
}

QFont MessagePictureFont(int points, bool bold) {
    // Points on the designed 96-dot screen, rounded as the text height of
    // a bitmap's font is: 13 points are 17 pixels, 10 points 13.
    return Look::DotumFont((points * 96 + 36) / 72, bold);
}

void AddFramedPicture(QWidget* parent, TvxShape*& outline, TvxImage*& picture) {
    outline = new TvxShape(parent);
    outline->setGeometry(17, 12, 437, 130);
    picture = new TvxImage(parent);
    picture->setGeometry(20, 15, 431, 124);
}

void DrawMessagePictures(TvxImage* picture, TvxImage* restart, TvxImage* goOn,
                         const TvxMessagePictureTexts& texts) {
    const QColor cyan(0x00, 0xFF, 0xFF);
    const QColor red(0xFF, 0x00, 0x00);
    const qsizetype first = texts.firstConsoling;
    // Drawn once: later resizing neither redraws nor rescales them.
    Write(picture, PictureBackground, MessagePictureFont(13, true),
          {
              {6, 10 + 23 * 0, Qt::white, 2, ConsolingTexts.at(first)},
              {6, 10 + 23 * 1, Qt::white, 2, ConsolingTexts.at(first + 1)},
              {6, 10 + 23 * 2, Qt::white, 2, ConsolingTexts.at(first + 2)},
              {6, 85, cyan, 2, texts.closing},
          });
    const QFont message = MessagePictureFont(10, false);
    Write(restart, MessageBackground, message,
          {
              {6, 6, Qt::black, 1, QStringLiteral("지금 이 시간부터 다시 시작합니다.")},
              {6, 25, Qt::black, 1, QStringLiteral("모든 자료는")},
              {85, 25, red, 1, QStringLiteral("0초로")},
              {120, 25, Qt::black, 1, texts.afterZero},
          });
    Write(goOn, MessageBackground, message,
          {
              {6, 6, Qt::black, 1, texts.goOn},
              {6, 25, Qt::black, 1, QStringLiteral("즐금을 계속합니다.")},
          });
}

// ------------------------------------------------------------------- image

TvxImage::TvxImage(QWidget* parent) : QWidget(parent) {
    Accessible::SetRole(this, QAccessible::Graphic);
}

void TvxImage::SetPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void TvxImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

// ------------------------------------------------------------------- shape

TvxShape::TvxShape(QWidget* parent, const QColor& fill, const QColor& outline)
    : QWidget(parent), m_fill(fill), m_outline(outline) {}

void TvxShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_fill);
    p.setPen(m_outline);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
