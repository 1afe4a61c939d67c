// The bar gauge: its setters' clamping and swapping, the single-precision
// scale behind the bar length, the exact pixels of the bar, and that values
// which leave the bar where it is cause no repaint.

#include "tests/widgets/PixelMap.h"
#include "widgets/VxPal.h"
#include "widgets/vxGag.h"

#include <QHash>
#include <QImage>
#include <QTest>

#include <limits>

using namespace PixelMap;

namespace {

// "m5" sets Min, "M5" Max, "v5" Value, "dV"/"dH" the direction.
void Apply(TvxGauge& g, const QStringList& ops) {
    for (const QString& op : ops) {
        if (op == "dV" || op == "dH") {
            g.SetDirection(op == "dV" ? gagVertical : gagHorizontal);
            continue;
        }
        const int n = op.mid(1).toInt();
        if (op[0] == 'm')
            g.SetMin(n);
        else if (op[0] == 'M')
            g.SetMax(n);
        else
            g.SetValue(n);
    }
}

using CountedGauge = PixelMap::Counted<TvxGauge>;

const QString K12 = QStringLiteral("kkkkkkkkkkkk");

} // namespace

class TestGauge : public QObject {
    Q_OBJECT

private slots:
    void setters_data();
    void setters();
    void filledLength_data();
    void filledLength();
    void pixels_data();
    void pixels();
    void ignoresBorderAndCaption();
    void repaintOnlyWhenBarMoves_data();
    void repaintOnlyWhenBarMoves();
};

void TestGauge::setters_data() {
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("value");
    QTest::newRow("initial") << QStringList{} << 1 << 100 << 1;
    QTest::newRow("value above max stored as max") << QStringList{"v150"} << 1 << 100 << 100;
    QTest::newRow("value below min raised to min") << QStringList{"m10", "v5"} << 10 << 100 << 10;
    QTest::newRow("max below min swaps") << QStringList{"m10", "M5"} << 5 << 10 << 1;
    QTest::newRow("min above max swaps") << QStringList{"M50", "m80"} << 50 << 80 << 1;
    QTest::newRow("lowering max keeps value") << QStringList{"v150", "M50"} << 1 << 50 << 100;
    QTest::newRow("min equal to max") << QStringList{"m0", "M0", "v5"} << 0 << 0 << 0;
    QTest::newRow("main window setup") << QStringList{"m0", "M1", "v1"} << 0 << 1 << 1;
}

void TestGauge::setters() {
    QFETCH(QStringList, ops);
    TvxGauge g;
    QCOMPARE(g.Direction(), gagHorizontal);
    QCOMPARE(g.ShapeStyle(), ssUp);
    Apply(g, ops);
    QTEST(g.Min(), "min");
    QTEST(g.Max(), "max");
    QTEST(g.Value(), "value");
}

void TestGauge::filledLength_data() {
    const int lo = std::numeric_limits<int>::min();
    const int hi = std::numeric_limits<int>::max();
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<int>("length");
    // 156 / 1200 is held in single precision as 0.12999999523..., so a full
    // bar is 155 pixels and a half one 77.
    QTest::newRow("single-precision scale, full")
        << QSize(156, 7) << QStringList{"m0", "M1200", "v1200"} << 155;
    QTest::newRow("single-precision scale, half")
        << QSize(156, 7) << QStringList{"m0", "M1200", "v600"} << 77;
    QTest::newRow("exact scale") << QSize(143, 7) << QStringList{"m0", "M1", "v1"} << 143;
    QTest::newRow("vertical uses the height")
        << QSize(7, 156) << QStringList{"dV", "m0", "M1200", "v600"} << 77;
    QTest::newRow("no range") << QSize(100, 7) << QStringList{"m0", "M0"} << 0;
    QTest::newRow("min raised past value") << QSize(100, 7) << QStringList{"m0", "v10", "m50"} << 0;
    QTest::newRow("full 32-bit range, top")
        << QSize(100, 7)
        << QStringList{QString("M%1").arg(hi), QString("m%1").arg(lo), QString("v%1").arg(hi)}
        << 99;
    QTest::newRow("full 32-bit range, middle")
        << QSize(100, 7) << QStringList{QString("M%1").arg(hi), QString("m%1").arg(lo), "v0"} << 50;
    QTest::newRow("far past the edge is capped")
        << QSize(100, 7) << QStringList{"m0", QString("M%1").arg(hi), QString("v%1").arg(hi), "M1"}
        << 102;
}

void TestGauge::filledLength() {
    QFETCH(QSize, size);
    QFETCH(QStringList, ops);
    TvxGauge g;
    g.resize(size);
    Apply(g, ops);
    QTEST(g.FilledLength(), "length");
}

void TestGauge::pixels_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QStringList>("expected");
    const QStringList allBlack(7, K12);
    QTest::newRow("raised") << QSize(12, 7) << int(ssUp) << QStringList{"m0", "M12", "v7"}
                            << QStringList{K12,
                                           "kaaaaaekkkkk",
                                           "kabbbdekkkkk",
                                           "kabccdekkkkk",
                                           "kaddddekkkkk",
                                           "keeeeeekkkkk",
                                           K12};
    QTest::newRow("sunken") << QSize(12, 7) << int(ssDown) << QStringList{"m0", "M12", "v7"}
                            << QStringList{K12,
                                           "keeeeeakkkkk",
                                           "kedddbakkkkk",
                                           "kedccbakkkkk",
                                           "kedbbbakkkkk",
                                           "keaaaaakkkkk",
                                           K12};
    // No bevel: the two pixels between outline and face stay as they were.
    QTest::newRow("flat") << QSize(12, 7) << int(ssFlat) << QStringList{"m0", "M12", "v7"}
                          << QStringList{K12,
                                         "k.....kkkkkk",
                                         "k.....kkkkkk",
                                         "k..cc.kkkkkk",
                                         "k.....kkkkkk",
                                         "k.....kkkkkk",
                                         K12};
    QTest::newRow("vertical grows from the bottom")
        << QSize(7, 12) << int(ssUp) << QStringList{"dV", "m0", "M12", "v7"}
        << QStringList{"kkkkkkk", "kkkkkkk", "kkkkkkk", "kkkkkkk", "kkkkkkk", "kkkkkkk",
                       "kaaaaek", "kabbdek", "kabcdek", "kadddek", "keeeeek", "kkkkkkk"};
    QTest::newRow("full: no outline on the far edge")
        << QSize(12, 7) << int(ssUp) << QStringList{"m0", "M12", "v12"}
        << QStringList{
               K12, "kaaaaaaaaaae", "kabbbbbbbbde", "kabcccccccde", "kaddddddddde", "keeeeeeeeeee",
               K12};
    QTest::newRow("value left above a lowered max runs off the edge")
        << QSize(12, 7) << int(ssUp) << QStringList{"m0", "v100", "M50"}
        << QStringList{
               K12, "kaaaaaaaaaaa", "kabbbbbbbbbb", "kabccccccccc", "kadddddddddd", "keeeeeeeeeee",
               K12};
    QTest::newRow("empty") << QSize(12, 7) << int(ssUp) << QStringList{"m0", "M12", "v0"}
                           << allBlack;
    QTest::newRow("no range") << QSize(12, 7) << int(ssUp) << QStringList{"m0", "M0"} << allBlack;
    QTest::newRow("one pixel: outline only")
        << QSize(12, 7) << int(ssUp) << QStringList{"m0", "M12", "v1"} << allBlack;
    QTest::newRow("two pixels: bevel kept inside the outline")
        << QSize(12, 7) << int(ssUp) << QStringList{"m0", "M12", "v2"}
        << QStringList{
               K12, "kekkkkkkkkkk", "kekkkkkkkkkk", "kekkkkkkkkkk", "kekkkkkkkkkk", "kekkkkkkkkkk",
               K12};
}

void TestGauge::pixels() {
    QFETCH(QSize, size);
    QFETCH(int, style);
    QFETCH(QStringList, ops);
    QFETCH(QStringList, expected);
    TvxPalette pal;
    const QString letters = QStringLiteral("abcde");
    for (int i = 0; i < 5; ++i)
        pal.SetPaletteColor(i, QColor(Legend().value(letters[i])));
    TvxGauge g;
    g.resize(size);
    g.SetColorPalette(&pal);
    g.SetShapeStyle(TShapeStyle(style));
    Apply(g, ops);
    QCOMPARE(Drawn(g), expected);
}

void TestGauge::ignoresBorderAndCaption() {
    TvxGauge plain, dressed;
    for (TvxGauge* g : {&plain, &dressed}) {
        g->resize(60, 9);
        g->SetMin(0);
        g->SetValue(40);
    }
    dressed.SetBorder(brLeft | brTop | brRight | brBottom);
    dressed.SetBorderThick(3);
    dressed.SetCaption(QStringLiteral("게이지"));
    dressed.SetCapX(2);
    dressed.SetCapY(0);
    QCOMPARE(dressed.Render(), plain.Render());
}

void TestGauge::repaintOnlyWhenBarMoves_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QStringList>("action");
    QTest::addColumn<bool>("repaints");
    const QStringList at601{"m0", "M1200", "v601"}; // 78.13 pixels
    const QStringList at600{"m0", "M1200", "v600"}; // 77.99 pixels
    QTest::newRow("value within the same pixel") << at601 << QStringList{"v607"} << false;
    QTest::newRow("value into the next pixel") << at601 << QStringList{"v608"} << true;
    QTest::newRow("same value") << at601 << QStringList{"v601"} << false;
    QTest::newRow("clamped to the value it had")
        << QStringList{"m0", "M1200", "v1200"} << QStringList{"v5000"} << false;
    QTest::newRow("max that keeps the length") << at600 << QStringList{"M1201"} << false;
    QTest::newRow("max that shortens the bar") << at600 << QStringList{"M1300"} << true;
    QTest::newRow("direction") << at600 << QStringList{"dV"} << true;
}

void TestGauge::repaintOnlyWhenBarMoves() {
    QFETCH(QStringList, setup);
    QFETCH(QStringList, action);
    QFETCH(bool, repaints);
    CountedGauge g;
    g.resize(156, 7);
    Apply(g, setup);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g, 60000));
    QTRY_VERIFY_WITH_TIMEOUT(g.paints > 0, 60000); // the first paint is over before counting starts
    QTest::qWait(50);
    g.paints = 0;
    Apply(g, action);
    if (repaints) {
        QTRY_VERIFY_WITH_TIMEOUT(g.paints > 0, 60000);
    } else {
        QTest::qWait(100);
        QCOMPARE(g.paints, 0);
    }
}

QTEST_MAIN(TestGauge)
#include "tst_gauge.moc"
