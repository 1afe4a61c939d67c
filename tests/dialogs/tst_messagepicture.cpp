// The drawn pictures of the relapse and give-up dialogs: exact backgrounds,
// text only inside its own boxes, smoothing by averaged coverage at the
// given level, fixed x positions and the 23-pixel line step.

#include "dialogs/DontBear.h"
#include "dialogs/MessagePicture.h"
#include "dialogs/Sorry.h"
#include "widgets/Look.h"

#include <QSet>
#include <QTest>
#include <cmath>

namespace {

const QRgb kDarkGround = 0xFF3D5553;
const QRgb kLightGround = 0xFF8DB5B3;
const QRgb kWhite = 0xFFFFFFFF;
const QRgb kCyan = 0xFF00FFFF;
const QRgb kBlack = 0xFF000000;
const QRgb kRed = 0xFFFF0000;

// One piece as placed: its box runs from x to xEnd, from y one cell down.
struct Piece {
    int x, y, xEnd;
    QRgb colour;
    int level;
    QString text;
};
using Pieces = QList<Piece>;

struct Picture {
    QImage image;
    QRgb ground;
    int pixelSize;
    bool bold;
    Pieces pieces;
};

// 13 points bold and 10 points regular, on the designed 96-dot screen.
const int kLargePx = 17;
const int kSmallPx = 13;

Pieces largeLines(const QStringList& lines, const QString& last) {
    return {{6, 10, 431, kWhite, 2, lines[0]},
            {6, 33, 431, kWhite, 2, lines[1]},
            {6, 56, 431, kWhite, 2, lines[2]},
            {6, 85, 431, kCyan, 2, last}};
}

Pieces retryLines(const QString& third) {
    return {{6, 6, 281, kBlack, 1, QStringLiteral("지금 이 시간부터 다시 시작합니다.")},
            {6, 25, 85, kBlack, 1, QStringLiteral("모든 자료는")},
            {85, 25, 120, kRed, 1, QStringLiteral("0초로")},
            {120, 25, 281, kBlack, 1, third}};
}

Pieces cancelLines(const QString& first) {
    return {{6, 6, 281, kBlack, 1, first},
            {6, 25, 281, kBlack, 1, QStringLiteral("즐금을 계속합니다.")}};
}

const QStringList kAfterRelapse{QStringLiteral("에고 피고 마셨군요....^^;"),
                                QStringLiteral("다음에는 저를 먼저찾아 주세요"),
                                QStringLiteral("힘을 내시고 새로운 각오로 다시 시작하십시오!!")};
const QStringList kBeforeGivingUp{QStringLiteral("어쩔 수 없내요...^^;;"),
                                  QStringLiteral("그렇게 피우고 싶으시다면..."),
                                  QStringLiteral("자신에게 진다는 것이 더욱 슬프지 않나요?!!")};

Picture picture(const QString& which) {
    if (which.startsWith(QLatin1String("sorry"))) {
        TfrmSorry d;
        if (which.endsWith(QLatin1String("img")))
            return {d.img->Picture(), kDarkGround, kLargePx, true,
                    largeLines(kAfterRelapse, QStringLiteral("승리는 당신의 것입니다......!!"))};
        if (which.endsWith(QLatin1String("retry")))
            return {d.imgMsgRetry->Picture(), kLightGround, kSmallPx, false,
                    retryLines(QStringLiteral("셑팅됩니다...!!"))};
        return {d.imgMsgCancel->Picture(), kLightGround, kSmallPx, false,
                cancelLines(QStringLiteral("다행입니다..^^...장난하지 마세요."))};
    }
    TfrmDontBear d;
    if (which.endsWith(QLatin1String("img")))
        return {d.img->Picture(), kDarkGround, kLargePx, true,
                largeLines(kBeforeGivingUp,
                           QStringLiteral("힘 내십시오, 승리는 당신의 것입니다....!!"))};
    if (which.endsWith(QLatin1String("retry")))
        return {d.imgMsgRetry->Picture(), kLightGround, kSmallPx, false,
                retryLines(QStringLiteral("셑팅되며, 천민으로 돌아갑니다...!!"))};
    return {d.imgMsgCancel->Picture(), kLightGround, kSmallPx, false,
            cancelLines(QStringLiteral("생각 잘하셨습니다...화이팅!!."))};
}

// The box of a piece: its x range, from its y to just before the next line.
QRect box(const Picture& pic, const Piece& p) {
    const int height = pic.pixelSize == kLargePx ? 23 : 19;
    return QRect(p.x, p.y - 1, p.xEnd - p.x, height);
}

// Whether c is the ground blended with the colour by k / n for some k in
// 1..n, to within rounding in every channel.
bool isBlendStep(QRgb c, QRgb ground, QRgb colour, int n) {
    for (int k = 1; k <= n; ++k) {
        auto near = [&](int g, int t, int v) {
            return std::abs(v * n - (g * (n - k) + t * k)) <= n;
        };
        if (near(qRed(ground), qRed(colour), qRed(c)) &&
            near(qGreen(ground), qGreen(colour), qGreen(c)) &&
            near(qBlue(ground), qBlue(colour), qBlue(c)))
            return true;
    }
    return false;
}

int firstInkRow(const QImage& img, const QRect& r, QRgb ground) {
    for (int y = std::max(0, r.top()); y <= std::min(img.height() - 1, r.bottom()); ++y)
        for (int x = r.left(); x <= std::min(img.width() - 1, r.right()); ++x)
            if (img.pixel(x, y) != ground)
                return y;
    return -1;
}

int leftmostRed(const QImage& img) {
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y) {
            const QRgb c = img.pixel(x, y);
            if (qRed(c) > qGreen(c) + 60 && qRed(c) > qBlue(c) + 60)
                return x;
        }
    return -1;
}

} // namespace

class TestMessagePicture : public QObject {
    Q_OBJECT

private slots:
    void pictures_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QSize>("size");
        for (const char* dialog : {"sorry", "dontbear"}) {
            QTest::addRow("%s img", dialog)
                << QStringLiteral("%1 img").arg(dialog) << QSize(431, 124);
            QTest::addRow("%s retry", dialog)
                << QStringLiteral("%1 retry").arg(dialog) << QSize(281, 51);
            QTest::addRow("%s cancel", dialog)
                << QStringLiteral("%1 cancel").arg(dialog) << QSize(281, 51);
        }
    }

    // Opaque 32-bit, the ground exact wherever no text stands, and every
    // text pixel the ground blended with its piece's colour in the steps
    // that averaging 2^L × 2^L hard-edged samples can give.
    void pictures() {
        QFETCH(QString, which);
        QFETCH(QSize, size);
        const Picture pic = picture(which);
        const QImage& img = pic.image;
        QCOMPARE(img.size(), size);
        QCOMPARE(img.depth(), 32);
        QVERIFY(img.hasAlphaChannel());

        QList<int> inkPerPiece(pic.pieces.size(), 0);
        QList<bool> fullPerPiece(pic.pieces.size(), false);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                QCOMPARE(qAlpha(c), 255);
                if (c == pic.ground)
                    continue;
                int owner = -1;
                for (int i = 0; i < pic.pieces.size() && owner < 0; ++i)
                    if (box(pic, pic.pieces[i]).contains(x, y))
                        owner = i;
                QVERIFY2(
                    owner >= 0,
                    qPrintable(QStringLiteral("ink outside the boxes at %1,%2").arg(x).arg(y)));
                const Piece& p = pic.pieces[owner];
                const int steps = 1 << (2 * p.level);
                QVERIFY2(isBlendStep(c, pic.ground, p.colour, steps),
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(c, 8, 16).arg(x).arg(y)));
                ++inkPerPiece[owner];
                fullPerPiece[owner] = fullPerPiece[owner] || c == p.colour;
            }
        for (int i = 0; i < pic.pieces.size(); ++i) {
            QVERIFY2(inkPerPiece[i] > 20, qPrintable(pic.pieces[i].text));
            QVERIFY2(fullPerPiece[i], qPrintable(pic.pieces[i].text)); // the colour itself shows
            // The text hangs from its y: its top is in the upper part of the cell.
            const int top = firstInkRow(img, box(pic, pic.pieces[i]), pic.ground);
            QVERIFY2(top >= pic.pieces[i].y && top <= pic.pieces[i].y + pic.pixelSize / 2,
                     qPrintable(QString::number(top)));
        }
    }

    // The dialogs draw exactly the texts, places, colours and font they
    // were designed with: drawing the table afresh gives the same pixels.
    void picturesHoldTheirTexts_data() { pictures_data(); }
    void picturesHoldTheirTexts() {
        QFETCH(QString, which);
        const Picture pic = picture(which);
        QList<TvxPictureText> texts;
        for (const Piece& p : pic.pieces)
            texts.append({p.x, p.y, QColor::fromRgb(p.colour), p.level, p.text});
        const QImage expected = DrawMessagePicture(pic.image.size(), QColor::fromRgb(pic.ground),
                                                   Look::DotumFont(pic.pixelSize, pic.bold), texts);
        QVERIFY(pic.image == expected);
    }

    // The three lines of the large picture stand 23 pixels apart.
    void lineStep_data() {
        QTest::addColumn<QString>("which");
        QTest::newRow("sorry") << "sorry img";
        QTest::newRow("dontbear") << "dontbear img";
    }
    void lineStep() {
        QFETCH(QString, which);
        const Picture pic = picture(which);
        QList<int> tops;
        for (int i = 0; i < 3; ++i)
            tops << firstInkRow(pic.image, box(pic, pic.pieces[i]), pic.ground);
        QVERIFY2(std::abs(tops[1] - tops[0] - 23) <= 2 && std::abs(tops[2] - tops[1] - 23) <= 2,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(tops[0]).arg(tops[1]).arg(tops[2])));
    }

    // "0초로" begins at x = 85 however wide the text before it is.
    void redAtFixedX_data() {
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("designed size") << kSmallPx;
        QTest::newRow("wider face") << 20;
        QTest::newRow("much wider face") << 26;
    }
    void redAtFixedX() {
        QFETCH(int, pixelSize);
        const QImage img = DrawMessagePicture(QSize(281, 51), QColor::fromRgb(kLightGround),
                                              Look::DotumFont(pixelSize),
                                              {{6, 25, Qt::black, 1, QStringLiteral("모든 자료는")},
                                               {85, 25, Qt::red, 1, QStringLiteral("0초로")}});
        const int x = leftmostRed(img);
        QVERIFY2(x >= 85 && x <= 88, qPrintable(QString::number(x)));
        for (const char* dialog : {"sorry retry", "dontbear retry"}) {
            const int inDialog = leftmostRed(picture(QString::fromLatin1(dialog)).image);
            QVERIFY2(inDialog >= 85 && inDialog <= 88, qPrintable(QString::number(inDialog)));
        }
    }

    // Level 0 draws hard edges; each level adds finer steps of coverage.
    void levels_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("maxShades"); // text colour, ground and the steps between
        QTest::newRow("0") << 0 << 2;
        QTest::newRow("1") << 1 << 5;
        QTest::newRow("2") << 2 << 17;
    }
    void levels() {
        QFETCH(int, level);
        QFETCH(int, maxShades);
        const QImage img = DrawMessagePicture(QSize(300, 40), QColor::fromRgb(kDarkGround),
                                              Look::DotumFont(17, true),
                                              {{4, 6, Qt::white, level, kAfterRelapse[2]}});
        QSet<QRgb> shades;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                shades.insert(img.pixel(x, y));
        QVERIFY2(shades.size() <= maxShades, qPrintable(QString::number(shades.size())));
        QVERIFY(shades.contains(kDarkGround));
        QVERIFY(shades.contains(kWhite));
        if (level > 0)
            QVERIFY(shades.size() > 3); // smoothed edges
    }

    // Drawn once at creation: making the window larger shows more ground
    // and leaves the pictures as they were.
    void resizingKeepsPictures() {
        TfrmSorry d;
        const qint64 key = d.img->Picture().cacheKey();
        const QImage before = d.grab(QRect(0, 0, 460, 265)).toImage();
        d.resize(d.width() + 120, d.height() + 90);
        QCOMPARE(d.img->Picture().cacheKey(), key);
        QCOMPARE(d.img->geometry(), QRect(20, 15, 431, 124));
        const QImage after = d.grab().toImage();
        QCOMPARE(after.copy(0, 0, 460, 265), before);
        QCOMPARE(after.pixelColor(after.width() - 5, after.height() - 5), Look::ButtonFace());
    }
};

QTEST_MAIN(TestMessagePicture)
#include "tst_messagepicture.moc"
