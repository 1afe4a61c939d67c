// The pictures must arrive in the executable without any set-up call, at
// their natural sizes, and be real pictures: distinct, not flat, and the
// rank icons in an order that climbs.

#include "mainwindow/ImagesRes.h"
#include "resources/Pictures.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QtTest>

#include <functional>

namespace {

using IconSource = std::function<QList<QIcon>()>;

// Asking for more than the natural size proves the natural size: an icon
// never scales a pixmap up.
QImage natural(const QIcon& icon) {
    return icon.pixmap(QSize(512, 512)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaqueShare(const QImage& img) { // percent of pixels with alpha above 128
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            opaque += qAlpha(img.pixel(x, y)) > 128;
    return opaque * 100 / (img.width() * img.height());
}

int distinctOpaqueColours(const QImage& img) {
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 128)
                colours.insert(img.pixel(x, y) | 0xFF000000u);
    return colours.size();
}

// Percent of pixels that differ clearly in colour or coverage.
int differingShare(const QImage& a, const QImage& b) {
    int differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) +
                          qAbs(qBlue(p) - qBlue(q)) + qAbs(qAlpha(p) - qAlpha(q));
            differ += d > 60;
        }
    return differ * 100 / (a.width() * a.height());
}

// Mean HSV saturation and value of the opaque pixels, 0..255.
void meanSaturationAndValue(const QImage& img, double& saturation, double& value) {
    double s = 0, v = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qAlpha(p) < 200)
                continue;
            const QColor c = QColor::fromRgb(p);
            s += c.hsvSaturation();
            v += c.value();
            ++n;
        }
    saturation = n ? s / n : 0;
    value = n ? v / n : 0;
}

} // namespace

class TestImagesRes : public QObject {
    Q_OBJECT

private slots:
    void resourcesNeedNoSetUp();
    void iconSets_data();
    void iconSets();
    void largeIconsAreNotClipped();
    void rankIconsAreAllDifferent();
    void rankIconsClimb();
    void markDiffersOnlyByGreenCentre();
    void menuIconsDifferExceptUnusedSlot();
    void appIconHasEverySize();
    void holderMatchesGradeIcons();
    void holderRefusesUnknownRanks();
    void holderRegistersItself();
    void drawnAgainAtTwice_data();
    void drawnAgainAtTwice();
};

void TestImagesRes::resourcesNeedNoSetUp() {
    // Nothing in this test calls Q_INIT_RESOURCE: linking is enough.
    QVERIFY(QFile::exists(QStringLiteral(":/art/grade00.png")));
    QVERIFY(QFile::exists(QStringLiteral(":/art/app256.png")));
}

void TestImagesRes::iconSets_data() {
    QTest::addColumn<IconSource>("source");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("minOpaque"); // percent of the square the picture covers

    QTest::newRow("ranks") << IconSource(GradeIcons) << 19 << 32 << 35;
    QTest::newRow("marks") << IconSource(MarkIcons) << 2 << 16 << 40;
    QTest::newRow("menu") << IconSource(MenuIcons) << 6 << 16 << 40;
    QTest::newRow("calculator") << IconSource([] { return QList<QIcon>{CalcIcon()}; }) << 1 << 32
                                << 60;
    QTest::newRow("pledge") << IconSource([] { return QList<QIcon>{PledgeIcon()}; }) << 1 << 32
                            << 60;
}

void TestImagesRes::iconSets() {
    QFETCH(IconSource, source);
    QFETCH(int, count);
    QFETCH(int, size);
    QFETCH(int, minOpaque);

    const QList<QIcon> icons = source();
    QCOMPARE(icons.size(), count);
    for (int i = 0; i < icons.size(); ++i) {
        const QImage img = natural(icons[i]);
        QVERIFY2(!img.isNull(), qPrintable(QString::number(i)));
        QCOMPARE(img.size(), QSize(size, size));
        QVERIFY(img.hasAlphaChannel());
        // A real picture: it covers a good part of the square and is not
        // one flat colour.
        QVERIFY2(opaqueShare(img) >= minOpaque, qPrintable(QString::number(i)));
        QVERIFY2(distinctOpaqueColours(img) >= 12, qPrintable(QString::number(i)));
    }
}

void TestImagesRes::largeIconsAreNotClipped() {
    // A shape cut off by the edge of the square looks broken in the grade
    // list, so the outermost ring of pixels stays (almost) clear.
    QList<QIcon> icons = GradeIcons();
    icons << CalcIcon() << PledgeIcon();
    for (int i = 0; i < icons.size(); ++i) {
        const QImage img = natural(icons[i]);
        int solid = 0, ring = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (x != 0 && y != 0 && x != 31 && y != 31)
                    continue;
                ++ring;
                solid += qAlpha(img.pixel(x, y)) > 160;
            }
        QVERIFY2(solid * 10 <= ring, qPrintable(QString::number(i)));
    }
}

void TestImagesRes::rankIconsAreAllDifferent() {
    const QList<QIcon> icons = GradeIcons();
    QList<QImage> images;
    for (const QIcon& icon : icons)
        images.append(natural(icon));
    for (int a = 0; a < images.size(); ++a)
        for (int b = a + 1; b < images.size(); ++b)
            QVERIFY2(differingShare(images[a], images[b]) >= 8,
                     qPrintable(QStringLiteral("ranks %1 and %2 look alike").arg(a).arg(b)));
}

void TestImagesRes::rankIconsClimb() {
    // The lowest rank is the plainest picture and the highest the brightest;
    // a list loaded in the wrong order or shifted by one fails here.
    const QList<QIcon> icons = GradeIcons();
    QList<double> saturation, value;
    for (const QIcon& icon : icons) {
        double s = 0, v = 0;
        meanSaturationAndValue(natural(icon), s, v);
        saturation.append(s);
        value.append(v);
    }
    for (int r = 1; r < icons.size(); ++r)
        QVERIFY2(saturation[0] < saturation[r], qPrintable(QString::number(r)));
    for (int r = 0; r + 1 < icons.size(); ++r)
        QVERIFY2(value[r] < value[icons.size() - 1], qPrintable(QString::number(r)));
}

void TestImagesRes::markDiffersOnlyByGreenCentre() {
    const QList<QIcon> marks = MarkIcons();
    const QImage empty = natural(marks[0]);
    const QImage lit = natural(marks[1]);
    int changed = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb e = empty.pixel(x, y), l = lit.pixel(x, y);
            if (e == l)
                continue;
            ++changed;
            const QString where = QStringLiteral("%1,%2").arg(x).arg(y);
            const double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
            QVERIFY2(dx * dx + dy * dy <= 4.5 * 4.5, qPrintable(where));
            QVERIFY2(qGreen(l) > qRed(l) && qGreen(l) > qBlue(l), qPrintable(where));
        }
    QVERIFY(changed >= 25);
    // The empty mark has no green in its middle.
    const QRgb centre = empty.pixel(8, 8);
    QVERIFY(qAbs(qGreen(centre) - qRed(centre)) < 20);
}

void TestImagesRes::menuIconsDifferExceptUnusedSlot() {
    const QList<QIcon> icons = MenuIcons();
    for (int a = 0; a < icons.size(); ++a)
        for (int b = a + 1; b < icons.size(); ++b) {
            if (a == 3 && b == 4)
                continue;
            QVERIFY2(differingShare(natural(icons[a]), natural(icons[b])) >= 10,
                     qPrintable(QStringLiteral("menu %1 and %2").arg(a).arg(b)));
        }
}

void TestImagesRes::appIconHasEverySize() {
    const QIcon icon = AppIcon();
    for (int size : {16, 32, 48, 256}) {
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                 qPrintable(QString::number(size)));
        const QImage img = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(size, size));
        QVERIFY(distinctOpaqueColours(img) >= 12);
        // Round: the corner is clear, the middle is drawn.
        QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(img.pixel(size / 2, size / 2)), 255);
    }
}

void TestImagesRes::holderMatchesGradeIcons() {
    TfrmImagesRes holder;
    QCOMPARE(holder.imgGrade.size(), 19);
    const QList<QIcon> icons = GradeIcons();
    for (int r = 0; r < 19; ++r) {
        QCOMPARE(holder.imgGrade[r].size(), QSize(32, 32));
        QCOMPARE(holder.imgGrade[r].toImage().convertToFormat(QImage::Format_ARGB32),
                 natural(icons[r]));
    }
    QVERIFY(!holder.isVisible());
}

void TestImagesRes::holderRefusesUnknownRanks() {
    TfrmImagesRes holder;
    for (int rank : {-1, 19, 255, INT_MIN, INT_MAX})
        QVERIFY2(holder.gradePixmap(rank).isNull(), qPrintable(QString::number(rank)));
    QCOMPARE(holder.gradePixmap(0).toImage(), holder.imgGrade[0].toImage());
    QCOMPARE(holder.gradePixmap(18).toImage(), holder.imgGrade[18].toImage());
}

void TestImagesRes::holderRegistersItself() {
    QVERIFY(frmImagesRes == nullptr);
    {
        TfrmImagesRes first;
        QCOMPARE(frmImagesRes, &first);
        {
            // A second holder must not steal or clear the first one's place.
            TfrmImagesRes second;
            QCOMPARE(frmImagesRes, &first);
        }
        QCOMPARE(frmImagesRes, &first);
    }
    QVERIFY(frmImagesRes == nullptr);
}

// On a screen that scales by two each picture has a drawing of its own at
// twice the pixels, not the small one with every pixel doubled.
void TestImagesRes::drawnAgainAtTwice_data() {
    QTest::addColumn<QString>("file");
    for (const char* file : {"grade00.png", "grade18.png", "mark1.png", "menu0.png", "menu5.png",
                             "query0.png", "drop0.png", "calc32.png", "pledge32.png"})
        QTest::newRow(file) << QString::fromLatin1(file);
}

void TestImagesRes::drawnAgainAtTwice() {
    QFETCH(QString, file);
    const QImage one(QStringLiteral(":/art/") + file);
    QString twiceName = file;
    twiceName.replace(QLatin1String(".png"), QLatin1String("@2x.png"));
    const QImage twice(QStringLiteral(":/art/") + twiceName);
    QCOMPARE(twice.size(), one.size() * 2);
    const QImage doubled = one.scaled(one.size() * 2).convertToFormat(QImage::Format_ARGB32);
    const QImage drawn = twice.convertToFormat(QImage::Format_ARGB32);
    // The pixel-set triangle is the same shape either way; the painted
    // pictures differ from a doubled copy along every edge.
    QVERIFY(file.startsWith(QLatin1String("drop")) ? differingShare(drawn, doubled) == 0
                                                   : differingShare(drawn, doubled) >= 3);
    QVERIFY(opaqueShare(drawn) >= opaqueShare(one.convertToFormat(QImage::Format_ARGB32)) - 5);
}

QTEST_MAIN(TestImagesRes)
#include "tst_imagesres.moc"
