#pragma once
// The drawn pictures of the relapse and give-up dialogs: a few lines of
// Korean text, each at a fixed place and in its own colour, smoothed by
// drawing them larger and averaging down, on a flat 32-bit background. The
// pictures are drawn once, when their dialog is made.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>
#include <array>

// The six consoling texts: the first three speak after a relapse, the last
// three before the user gives up.
inline const std::array<QString, 6> ConsolingTexts = {
    QStringLiteral("에고 피고 마셨군요....^^;"),
    QStringLiteral("다음에는 저를 먼저찾아 주세요"),
    QStringLiteral("힘을 내시고 새로운 각오로 다시 시작하십시오!!"),
    QStringLiteral("어쩔 수 없내요...^^;;"),
    QStringLiteral("그렇게 피우고 싶으시다면..."),
    QStringLiteral("자신에게 진다는 것이 더욱 슬프지 않나요?!!"),
};

// The ground of the large consoling picture and of the two small message
// pictures beside the buttons.
inline const QColor PictureBackground{0x3D, 0x55, 0x53};
inline const QColor MessageBackground{0x8D, 0xB5, 0xB3};

// One piece of text of a picture. (x, y) is the left top of the text's
// cell; level L smooths it by drawing at 2^L times the size.
struct TvxPictureText {
    int x = 0;
    int y = 0;
    QColor color;
    int level = 0;
    QString text;
};

// A fully opaque 32-bit picture of the given size and background with the
// texts drawn in order. Each piece is drawn at 2^level times the size
// without smoothing, every 2^level × 2^level block is averaged into a
// coverage, and the text colour is blended over what is already there by
// that coverage. Pieces stand at their own x; none is measured from another.
// A piece too long to end 6 pixels short of the right edge is drawn at the
// largest size that does, on the baseline it would have had.
QImage DrawMessagePicture(const QSize& size, const QColor& background, const QFont& font,
                          const QList<TvxPictureText>& texts);

// The face of the pictures at a size given in points, as the designed
// screen of 96 dots per inch turns it into pixels (13 points: 17 pixels).
QFont MessagePictureFont(int points, bool bold);

// Shows a bitmap at its natural size from the top left corner; a larger
// control shows only its own background beyond it.
class TvxImage : public QWidget {
    Q_OBJECT
public:
    explicit TvxImage(QWidget* parent = nullptr);
    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

// A filled rectangle with a one-pixel outline, drawn over the whole control.
class TvxShape : public QWidget {
    Q_OBJECT
public:
    explicit TvxShape(QWidget* parent = nullptr, const QColor& fill = Qt::white,
                      const QColor& outline = Qt::black);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    QColor m_outline;
};

// The outlined picture at the top of the relapse and give-up dialogs: a
// white box with a black outline at 17, 12 (437 × 130) around the picture
// at 20, 15 (431 × 124).
void AddFramedPicture(QWidget* parent, TvxShape*& outline, TvxImage*& picture);

// What tells the two dialogs' pictures apart; places, colours, faces and
// smoothing are the same for both.
struct TvxMessagePictureTexts {
    qsizetype firstConsoling = 0; // the first of three consoling texts in a row
    QString closing;              // the cyan line below them
    QString afterZero;            // what follows "0초로" in the restart message
    QString goOn;                 // the first line of the message that goes on
};

// Draws the dialog's three pictures, once, in this order: the large
// picture, the message that the count starts again, the message that the
// abstinence goes on.
void DrawMessagePictures(TvxImage* picture, TvxImage* restart, TvxImage* goOn,
                         const TvxMessagePictureTexts& texts);
