// The flat popup menu: items of 22 and separators of 7 pixels, a 24-pixel
// icon column with the icons and check marks, the system's highlight
// colours on the active item.

#include "widgets/Look.h"
#include "widgets/vxFlatMenu.h"

#include <QMenu>
#include <QTest>

class TestFlatMenu : public QObject {
    Q_OBJECT

private slots:
    void look() {
        const QRgb red = qRgb(0xC0, 0x10, 0x10);
        QPixmap icon(16, 16);
        icon.fill(QColor(red));
        TvxFlatMenuStyle style;
        QMenu menu;
        menu.setStyle(&style);
        menu.setFont(Look::GulimFont(12));
        QAction* withIcon = menu.addAction(QIcon(icon), QStringLiteral("(&G) 시민 등급 보기"));
        QAction* separator = menu.addSeparator();
        QAction* checked = menu.addAction(QStringLiteral("(&A) 달력 보기"));
        checked->setCheckable(true);
        checked->setChecked(true);
        QAction* plain = menu.addAction(QStringLiteral("(&X) 프로그램 종료"));
        menu.adjustSize();
        menu.setActiveAction(plain);
        const QImage img = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
        auto px = [&img](int x, int y) { return img.pixel(x, y) | 0xFF000000u; };
        const QRgb column = TvxFlatMenuStyle::ColumnColor().rgb();

        QCOMPARE(menu.actionGeometry(withIcon).height(), 22);
        QCOMPARE(menu.actionGeometry(separator).height(), 7);
        // The icon centred in the 24-pixel column; white text area beyond it.
        const QRect item = menu.actionGeometry(withIcon);
        const int x0 = item.left(), y = item.center().y();
        QCOMPARE(px(x0 + 12, y), red);
        QCOMPARE(px(x0 + 3, y), column);
        QCOMPARE(px(x0 + 23, y), column);
        QCOMPARE(px(x0 + 24, y), TvxFlatMenuStyle::SheetColor().rgb());
        // A check mark in the column of the checked item, nothing in the plain one.
        auto inked = [&](QAction* a) {
            const QRect r = menu.actionGeometry(a);
            int n = 0;
            for (int yy = r.top(); yy <= r.bottom(); ++yy)
                for (int x = x0; x < x0 + 24; ++x)
                    n += px(x, yy) != column;
            return n;
        };
        QVERIFY(inked(checked) > 6);
        // The active item in the highlight colour, its text in the highlighted
        // text colour (antialiased strokes come close to it).
        const QRect active = menu.actionGeometry(plain);
        const QPalette pal = menu.palette();
        QCOMPARE(px(active.left() + 2, active.top() + 1), pal.color(QPalette::Highlight).rgb());
        QCOMPARE(inked(plain), 22 * 24);
        const QColor text = pal.color(QPalette::HighlightedText);
        int textPixels = 0;
        for (int yy = active.top(); yy <= active.bottom(); ++yy)
            for (int x = x0 + 24; x < active.right(); ++x) {
                const QColor c(px(x, yy));
                textPixels += qAbs(c.red() - text.red()) + qAbs(c.green() - text.green()) +
                                  qAbs(c.blue() - text.blue()) <
                              60;
            }
        QVERIFY(textPixels > 10);
        QCOMPARE(px(item.right() - 2, item.top() + 1), TvxFlatMenuStyle::SheetColor().rgb());
    }
};

QTEST_MAIN(TestFlatMenu)
#include "tst_flatmenu.moc"
