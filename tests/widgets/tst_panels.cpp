// Drawn panels and palettes: colour resolution, the pixel layout of bevels,
// frames and border lines, palette binding, and robustness at tiny sizes.

#include "tests/widgets/PixelMap.h"
#include "widgets/VxBox.h"
#include "widgets/VxCBox.h"
#include "widgets/VxPal.h"
#include "widgets/VxPnl.h"
#include "widgets/vxGag.h"

#include <QHash>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace PixelMap;

namespace {

void FillTestPalette(TvxPalette& pal) {
    const QString letters = QStringLiteral("abcde");
    for (int i = 0; i < 5; ++i)
        pal.SetPaletteColor(i, QColor(Legend().value(letters[i])));
}

// Shows the widget and waits until the first paints are over.
template <class W> bool ShowSettled(W& w) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w, 60000) || !QTest::qWaitFor([&] { return w.paints > 0; }))
        return false;
    QTest::qWait(50);
    w.paints = 0;
    return true;
}

} // namespace

class TestPanels : public QObject {
    Q_OBJECT

private slots:
    void spreadMiddleColors_data();
    void spreadMiddleColors();
    void paletteSlots();
    void borderThick_data();
    void borderThick();
    void panelPixels_data();
    void panelPixels();
    void tinySizesStayInside_data();
    void tinySizesStayInside();
    void mainWindowLook();
    void captionPlacement_data();
    void captionPlacement();
    void paletteChangeRepaintsBoundBoxes();
    void paletteDestroyedFirst();
    void boxDestroyedFirst();
    void clicks();
};

void TestPanels::spreadMiddleColors_data() {
    QTest::addColumn<QColor>("brightest");
    QTest::addColumn<QColor>("darkest");
    QTest::addColumn<QColor>("slot1");
    QTest::addColumn<QColor>("slot2");
    QTest::addColumn<QColor>("slot3");
    QTest::newRow("red ramp") << QColor("#FF0000") << QColor("#800000") << QColor("#E60000")
                              << QColor("#CD0000") << QColor("#B40000");
    QTest::newRow("uneven channels") << QColor("#63898D") << QColor("#000000") << QColor("#506E71")
                                     << QColor("#3D5355") << QColor("#2A3839");
    // (0 - 7) / 5 truncates to -1, where flooring would give -2.
    QTest::newRow("darkest is brighter")
        << QColor("#000000") << QColor("#07070A") << QColor("#010102") << QColor("#020204")
        << QColor("#030306");
}

void TestPanels::spreadMiddleColors() {
    QFETCH(QColor, brightest);
    QFETCH(QColor, darkest);
    QFETCH(QColor, slot1);
    QFETCH(QColor, slot2);
    QFETCH(QColor, slot3);
    TvxPalette pal;
    pal.SetABrightestColor(brightest);
    pal.SetEDarkestColor(darkest);
    // Setting the ends alone keeps the stored middle slots.
    QCOMPARE(pal.BBrightColor(), QColor(0, 0, 0));
    pal.SpreadMiddleColors();
    QCOMPARE(pal.PaletteColor(1), slot1);
    QCOMPARE(pal.PaletteColor(2), slot2);
    QCOMPARE(pal.PaletteColor(3), slot3);
    QCOMPARE(pal.PaletteColor(0), brightest);
    QCOMPARE(pal.PaletteColor(4), darkest);
}

void TestPanels::paletteSlots() {
    TvxPalette pal;
    for (int i = 0; i < 5; ++i)
        QCOMPARE(pal.PaletteColor(i), QColor(0, 0, 0));
    QVERIFY(!pal.PaletteColor(-1).isValid());
    QVERIFY(!pal.PaletteColor(5).isValid());

    QSignalSpy changed(&pal, &TvxPalette::Changed);
    pal.SetDDarkColor(QColor("#123456"));
    pal.SetDDarkColor(QColor("#123456"));
    pal.SetPaletteColor(5, QColor("#FFFFFF"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(pal.PaletteColor(3), QColor("#123456"));
}

void TestPanels::borderThick_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");
    QTest::newRow("0 ignored") << 0 << 3;
    QTest::newRow("7 ignored") << 7 << 3;
    QTest::newRow("negative ignored") << -1 << 3;
    QTest::newRow("1 taken") << 1 << 1;
    QTest::newRow("6 taken") << 6 << 6;
}

void TestPanels::borderThick() {
    QFETCH(int, set);
    QFETCH(int, expected);
    TvxBox box;
    QCOMPARE(box.size(), QSize(100, 30));
    QCOMPARE(box.BorderThick(), 1);
    box.SetBorderThick(3);
    box.SetBorderThick(set);
    QCOMPARE(box.BorderThick(), expected);
}

void TestPanels::panelPixels_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("thick");
    QTest::addColumn<bool>("withPalette");
    QTest::addColumn<QStringList>("expected");

    const int none = 0;
    const int all = brLeft | brTop | brRight | brBottom;
    QTest::newRow("raised") << QSize(6, 5) << int(ssUp) << none << 1 << true
                            << QStringList{"aaaaae", "abbbde", "abccde", "adddde", "eeeeee"};
    QTest::newRow("sunken") << QSize(6, 5) << int(ssDown) << none << 1 << true
                            << QStringList{"eeeeea", "edddba", "edccba", "edbbba", "eaaaaa"};
    QTest::newRow("raised, no palette")
        << QSize(6, 5) << int(ssUp) << none << 1 << false
        << QStringList{"gggggk", "gwwwmk", "gwggmk", "gmmmmk", "kkkkkk"};
    QTest::newRow("flat") << QSize(5, 4) << int(ssFlat) << none << 1 << true
                          << QStringList{"eeeee", "eccce", "eccce", "eeeee"};
    QTest::newRow("flat, no palette") << QSize(5, 4) << int(ssFlat) << none << 1 << false
                                      << QStringList{"mmmmm", "mgggm", "mgggm", "mmmmm"};
    // The face stops short of the last column and row.
    QTest::newRow("no shape") << QSize(5, 4) << int(ssDisabled) << none << 1 << true
                              << QStringList{"cccc.", "cccc.", "cccc.", "....."};
    QTest::newRow("all borders, raised inside")
        << QSize(8, 7) << int(ssUp) << all << 1 << true
        << QStringList{"kkkkkkkk", "kaaaaaek", "kabbbdek", "kabccdek",
                       "kaddddek", "keeeeeek", "kkkkkkkk"};
    QTest::newRow("left and top 2 wide, flat")
        << QSize(7, 6) << int(ssFlat) << int(brLeft | brTop) << 2 << true
        << QStringList{"kkkkkkk", "kkkkkkk", "kkeeeee", "kkeccce", "kkeccce", "kkeeeee"};
    QTest::newRow("right and bottom 3 wide, no shape")
        << QSize(8, 6) << int(ssDisabled) << int(brRight | brBottom) << 3 << true
        << QStringList{"ccccckkk", "ccccckkk", "ccccckkk", "kkkkkkkk", "kkkkkkkk", "kkkkkkkk"};
    QTest::newRow("left and bottom 5 wide, flat")
        << QSize(9, 7) << int(ssFlat) << int(brLeft | brBottom) << 5 << true
        << QStringList{"kkkkkeeee", "kkkkkeeee", "kkkkkkkkk", "kkkkkkkkk",
                       "kkkkkkkkk", "kkkkkkkkk", "kkkkkkkkk"};
    QTest::newRow("all borders 4 wide")
        << QSize(13, 12) << int(ssUp) << all << 4 << true
        << QStringList{"kkkkkkkkkkkkk", "kkkkkkkkkkkkk", "kkkkkkkkkkkkk", "kkkkkkkkkkkkk",
                       "kkkkaaaaekkkk", "kkkkabbdekkkk", "kkkkadddekkkk", "kkkkeeeeekkkk",
                       "kkkkkkkkkkkkk", "kkkkkkkkkkkkk", "kkkkkkkkkkkkk", "kkkkkkkkkkkkk"};
    QTest::newRow("raised 3x3") << QSize(3, 3) << int(ssUp) << none << 1 << true
                                << QStringList{"aae", "ade", "eee"};
    QTest::newRow("raised 2x2") << QSize(2, 2) << int(ssUp) << none << 1 << true
                                << QStringList{"ae", "ee"};
    QTest::newRow("sunken 2x2") << QSize(2, 2) << int(ssDown) << none << 1 << true
                                << QStringList{"ea", "ea"};
    QTest::newRow("raised 1x1") << QSize(1, 1) << int(ssUp) << none << 1 << true
                                << QStringList{"e"};
    QTest::newRow("borders swallow everything")
        << QSize(3, 3) << int(ssFlat) << all << 6 << true << QStringList{"kkk", "kkk", "kkk"};
}

void TestPanels::panelPixels() {
    QFETCH(QSize, size);
    QFETCH(int, style);
    QFETCH(int, border);
    QFETCH(int, thick);
    QFETCH(bool, withPalette);
    QFETCH(QStringList, expected);
    TvxPalette pal;
    FillTestPalette(pal);
    TvxPanel panel;
    panel.resize(size);
    panel.SetShapeStyle(TShapeStyle(style));
    panel.SetBorder(TBorders(border));
    panel.SetBorderThick(thick);
    if (withPalette)
        panel.SetColorPalette(&pal);
    QCOMPARE(Drawn(panel), expected);
}

void TestPanels::tinySizesStayInside_data() {
    QTest::addColumn<int>("kind"); // 0 box, 1 captioned box, 2.. panel styles, 6/7 gauges
    QTest::newRow("box") << 0;
    QTest::newRow("captioned box") << 1;
    QTest::newRow("raised") << 2;
    QTest::newRow("sunken") << 3;
    QTest::newRow("flat") << 4;
    QTest::newRow("no shape") << 5;
    QTest::newRow("gauge") << 6;
    QTest::newRow("vertical gauge") << 7;
}

void TestPanels::tinySizesStayInside() {
    QFETCH(int, kind);
    for (int thick : {1, 6}) {
        for (int w = 0; w <= 4; ++w) {
            for (int h = 0; h <= 4; ++h) {
                std::unique_ptr<TvxBox> box;
                if (kind == 0) {
                    box = std::make_unique<TvxBox>();
                } else if (kind == 1) {
                    auto c = std::make_unique<TvxCBox>();
                    c->SetCaption(QStringLiteral("가나다"));
                    box = std::move(c);
                } else if (kind <= 5) {
                    auto p = std::make_unique<TvxPanel>();
                    p->SetShapeStyle(TShapeStyle(kind - 2));
                    p->SetCaption(QStringLiteral("WWW"));
                    box = std::move(p);
                } else {
                    auto g = std::make_unique<TvxGauge>();
                    g->SetDirection(kind == 6 ? gagHorizontal : gagVertical);
                    g->SetValue(60);
                    box = std::move(g);
                }
                box->SetBorder(brLeft | brTop | brRight | brBottom);
                box->SetBorderThick(thick);
                box->resize(w, h);
                QImage img = SentinelImage(8, 8);
                box->DrawTo(img);
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        if (x >= w || y >= h)
                            QVERIFY2(img.pixel(x, y) == Sentinel,
                                     qPrintable(QString("%1x%2 thick %3 drew at %4,%5")
                                                    .arg(w)
                                                    .arg(h)
                                                    .arg(thick)
                                                    .arg(x)
                                                    .arg(y)));
                const QImage own = box->Render();
                QCOMPARE(own.isNull(), w == 0 || h == 0);
                if (!own.isNull())
                    QCOMPARE(own.size(), QSize(w, h));
            }
        }
    }
}

void TestPanels::mainWindowLook() {
    // The date-time strip: light palette, raised, a black line on every side.
    TvxPalette light;
    const char* lightColors[] = {"#EDEBDA", "#E9E7D8", "#E5E3D6", "#E1DFD4", "#D5D5CC"};
    for (int i = 0; i < 5; ++i)
        light.SetPaletteColor(i, QColor(lightColors[i]));
    TvxPanel strip;
    strip.resize(196, 16);
    strip.SetBorder(brLeft | brTop | brRight | brBottom);
    strip.SetColorPalette(&light);
    const QImage img = strip.Render();
    const auto at = [&](int x, int y) { return QColor(img.pixel(x, y)); };
    QCOMPARE(at(0, 0), QColor("#000000"));
    QCOMPARE(at(195, 15), QColor("#000000"));
    QCOMPARE(at(1, 1), QColor("#EDEBDA"));
    QCOMPARE(at(2, 2), QColor("#E9E7D8"));
    QCOMPARE(at(100, 8), QColor("#E5E3D6"));
    QCOMPARE(at(193, 13), QColor("#E1DFD4"));
    QCOMPARE(at(194, 14), QColor("#D5D5CC"));
}

void TestPanels::captionPlacement_data() {
    QTest::addColumn<int>("capX");
    QTest::addColumn<int>("capY");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QRect>("inkWithin"); // where every changed pixel must lie
    QTest::addColumn<int>("inkCentreX");  // -1: not checked
    QTest::newRow("pinned") << 30 << 10 << int(Qt::AlignHCenter) << QRect(31, 11, 169, 49) << -1;
    QTest::newRow("auto left") << -1 << 5 << int(Qt::AlignLeft) << QRect(0, 0, 100, 60) << -1;
    QTest::newRow("auto right") << -1 << 5 << int(Qt::AlignRight) << QRect(100, 0, 100, 60) << -1;
    QTest::newRow("auto centre") << -1 << 5 << int(Qt::AlignHCenter) << QRect(0, 0, 200, 60) << 100;
}

void TestPanels::captionPlacement() {
    QFETCH(int, capX);
    QFETCH(int, capY);
    QFETCH(int, alignment);
    QFETCH(QRect, inkWithin);
    QFETCH(int, inkCentreX);
    TvxPanel panel;
    panel.resize(200, 60);
    panel.SetShapeStyle(ssDisabled);
    QPalette textColour = panel.palette();
    textColour.setColor(QPalette::WindowText, Qt::black);
    panel.setPalette(textColour);
    const QImage blank = panel.Render();
    panel.SetCaption(QStringLiteral("AB"));
    panel.SetCapX(capX);
    panel.SetCapY(capY);
    panel.SetAlignment(Qt::Alignment(alignment));
    const QImage img = panel.Render();
    const QRect ink = PixelMap::InkBox(img, blank);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(inkWithin.contains(ink), qPrintable(QString("ink at %1,%2 %3x%4")
                                                     .arg(ink.x())
                                                     .arg(ink.y())
                                                     .arg(ink.width())
                                                     .arg(ink.height())));
    if (capX < 0)
        QVERIFY(qAbs(ink.center().y() - 30) <= 2); // centred vertically
    if (inkCentreX >= 0)
        QVERIFY(qAbs(ink.center().x() - inkCentreX) <= 2);
}

void TestPanels::paletteChangeRepaintsBoundBoxes() {
    TvxPalette pal, other;
    FillTestPalette(pal);
    Counted<TvxPanel> bound, rebound;
    bound.SetColorPalette(&pal);
    rebound.SetColorPalette(&pal);
    rebound.SetColorPalette(&other);
    QVERIFY(ShowSettled(bound));
    QVERIFY(ShowSettled(rebound));

    pal.SetCFaceColor(QColor("#102030"));
    QTRY_VERIFY_WITH_TIMEOUT(bound.paints > 0, 60000);
    QTest::qWait(50);
    QCOMPARE(rebound.paints, 0); // no longer listens to its first palette
    QCOMPARE(QColor(bound.Render().pixel(10, 10)), QColor("#102030"));

    // Re-setting the same colour changes nothing and repaints nothing.
    bound.paints = 0;
    pal.SetCFaceColor(QColor("#102030"));
    QTest::qWait(50);
    QCOMPARE(bound.paints, 0);
}

void TestPanels::paletteDestroyedFirst() {
    auto pal = std::make_unique<TvxPalette>();
    FillTestPalette(*pal);
    Counted<TvxPanel> panel;
    panel.resize(6, 5);
    panel.SetColorPalette(pal.get());
    QVERIFY(ShowSettled(panel));
    pal.reset();
    QCOMPARE(panel.ColorPalette(), nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(panel.paints > 0, 60000);
    QCOMPARE(Drawn(panel), (QStringList{"gggggk", "gwwwmk", "gwggmk", "gmmmmk", "kkkkkk"}));
}

void TestPanels::boxDestroyedFirst() {
    TvxPalette pal;
    auto panel = std::make_unique<TvxPanel>();
    panel->SetColorPalette(&pal);
    panel.reset();
    pal.SetCFaceColor(QColor("#FFFFFF")); // must reach no one
    TvxPanel later;
    later.SetColorPalette(&pal);
    QCOMPARE(later.ColorPalette(), &pal);
}

void TestPanels::clicks() {
    TvxPanel panel;
    panel.resize(40, 20);
    QSignalSpy clicked(&panel, &TvxPanel::OnClick);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 1);
    // A press dragged off the panel before release is no click.
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(60, 5));
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
