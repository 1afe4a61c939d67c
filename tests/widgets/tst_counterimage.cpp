// The seconds counter: metric-compatible faces first, and no digit lost
// whatever face the desktop gives it.

#include "widgets/CounterImage.h"
#include "widgets/Look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

class TestCounterImage : public QObject {
    Q_OBJECT
private slots:
    void metricCompatibleFaceFirst();
    void lastDigitStaysInside_data();
    void lastDigitStaysInside();
};

// With Liberation Sans installed (the package depends on it) the counter's
// face is Liberation Sans, whatever else the font configuration offers.
void TestCounterImage::metricCompatibleFaceFirst() {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        QSKIP("fonts-liberation2 is not installed");
    const QStringList families = Look::CounterFont().families();
#ifdef Q_OS_WIN
    // Windows has Arial itself; where it lacks it, the face drawn to its metrics.
    QCOMPARE(families.mid(0, 2), QStringList({"Arial", "Liberation Sans"}));
    if (!QFontDatabase::families().contains(QStringLiteral("Arial")))
        QCOMPARE(QFontInfo(Look::CounterFont()).family(), QStringLiteral("Liberation Sans"));
#else
    QCOMPARE(families.mid(0, 3), QStringList({"Liberation Sans", "Arimo", "Nimbus Sans"}));
    QCOMPARE(QFontInfo(Look::CounterFont()).family(), QStringLiteral("Liberation Sans"));
#endif
    QVERIFY(QFontInfo(Look::CounterFont()).bold());
}

// The text starts at 150 - 10 x its length; a face wider than that estimate
// (DejaVu Sans Bold, where no metric-compatible face is installed) is drawn
// narrower, so the last digit's ink ends inside the 174-pixel bitmap; a face
// with a taller ascent (DejaVu, Nimbus Sans) keeps its commas' tails inside
// the bitmap's 26 rows.
void TestCounterImage::lastDigitStaysInside_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<uint>("count");
    for (const char* family : {"Liberation Sans", "DejaVu Sans", "Nimbus Sans"}) {
        QTest::addRow("%s, 3,861,148", family) << family << 3861148u;
        QTest::addRow("%s, 4,294,967,295", family) << family << 4294967295u;
        QTest::addRow("%s, 7", family) << family << 7u;
    }
}

void TestCounterImage::lastDigitStaysInside() {
    QFETCH(QString, family);
    QFETCH(uint, count);
    if (!QFontDatabase::families().contains(family))
        QSKIP("face not installed");
    TvxCounterImage counter;
    counter.resize(174, 26);
    QFont font(family);
    font.setPointSize(18);
    font.setBold(true);
    counter.SetCounterFont(font);
    counter.SetCount(count);
    const QImage img = counter.Render().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(img.pixel(0, 0), qRgb(0x3D, 0x55, 0x53));
    int left = img.width(), right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) > 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = y;
            }
    // A face that sets its commas lower than the bitmap allows keeps their tails.
    if (family != QLatin1String("Liberation Sans") && count >= 1000)
        QVERIFY2(bottom < img.height() - 1, qPrintable(QString::number(bottom)));
    const int length = QString::number(count).size() + (QString::number(count).size() - 1) / 3;
    QVERIFY2(left >= 150 - 10 * length - 1, qPrintable(QString::number(left)));
    // Ink up to the last column but one: the last digit is whole.
    QVERIFY2(right >= 0 && right < 173, qPrintable(QString::number(right)));
    // And the text is not shrunk beyond need: it reaches the right part.
    QVERIFY2(right > 120, qPrintable(QString::number(right)));
}

QTEST_MAIN(TestCounterImage)
#include "tst_counterimage.moc"
