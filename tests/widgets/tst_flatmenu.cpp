// The flat popup menu: a 24-pixel icon column, the system's highlight
// colours on the active item, and the menu face.

#include "widgets/Look.h"
#include "widgets/vxFlatMenu.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

namespace {

const QRgb kIcon = qRgb(0xC0, 0x10, 0x10);

QIcon solidIcon() {
    QPixmap p(16, 16);
    p.fill(QColor(kIcon));
    return QIcon(p);
}

QRgb px(const QImage& img, int x, int y) {
    return img.pixel(x, y) | 0xFF000000u;
}

// Antialiased text reaches its colour only near the middle of its strokes.
int distance(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
}

struct Menu {
    TvxFlatMenuStyle style;
    QMenu menu;
    QAction* withIcon;
    QAction* checked;
    QAction* plain;
    Menu() {
        menu.setStyle(&style);
        menu.setFont(Look::GulimFont(12));
        withIcon = menu.addAction(solidIcon(), QStringLiteral("(&G) 시민 등급 보기"));
        menu.addSeparator();
        checked = menu.addAction(QStringLiteral("(&A) 달력 보기"));
        checked->setCheckable(true);
        checked->setChecked(true);
        plain = menu.addAction(QStringLiteral("(&X) 프로그램 종료"));
        menu.ensurePolished();
        menu.adjustSize();
    }
    QImage shot() { return menu.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    int nonColumnPixels(const QImage& img, const QRect& r, QRgb column) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += px(img, x, y) != column;
        return n;
    }
};

} // namespace

class TestFlatMenu : public QObject {
    Q_OBJECT

private slots:
    void itemAndSeparatorHeights() {
        Menu m;
        QCOMPARE(m.menu.actionGeometry(m.withIcon).height(), 22);
        QCOMPARE(m.menu.actionGeometry(m.menu.actions().at(1)).height(), 7);
        QCOMPARE(m.menu.font().pixelSize(), 12);
    }

    // Icons sit centred in the 24-pixel column, the column has its own
    // colour from the frame to x = 24, and the text area is white beyond it.
    void iconColumn() {
        Menu m;
        const QImage img = m.shot();
        const QRect item = m.menu.actionGeometry(m.withIcon);
        const int x0 = item.left(); // inside the frame
        const int y = item.center().y();
        QCOMPARE(px(img, x0 + 4 + 8, y), kIcon); // 16 × 16 icon at x0 + 4
        QCOMPARE(px(img, x0 + 3, y), TvxFlatMenuStyle::ColumnColor().rgb());
        QCOMPARE(px(img, x0 + 20, y), TvxFlatMenuStyle::ColumnColor().rgb());
        QCOMPARE(px(img, x0 + 23, y), TvxFlatMenuStyle::ColumnColor().rgb());
        QCOMPARE(px(img, x0 + 24, y), TvxFlatMenuStyle::SheetColor().rgb());
        QCOMPARE(px(img, 0, 0), TvxFlatMenuStyle::FrameColor().rgb());
        // The check mark of a checked item without an icon is drawn in the column.
        const QRect checked = m.menu.actionGeometry(m.checked);
        QVERIFY(m.nonColumnPixels(img, QRect(x0, checked.top(), 24, checked.height()),
                                  TvxFlatMenuStyle::ColumnColor().rgb()) > 6);
        const QRect plain = m.menu.actionGeometry(m.plain);
        QCOMPARE(m.nonColumnPixels(img, QRect(x0, plain.top(), 24, plain.height()),
                                   TvxFlatMenuStyle::ColumnColor().rgb()),
                 0);
    }

    // The item under the pointer takes the system's highlight colours.
    void activeItemInSystemHighlight() {
        Menu m;
        m.menu.setActiveAction(m.plain);
        const QImage img = m.shot();
        const QRect item = m.menu.actionGeometry(m.plain);
        const QRgb highlight = m.menu.palette().color(QPalette::Active, QPalette::Highlight).rgb();
        const QRgb highlightedText =
            m.menu.palette().color(QPalette::Active, QPalette::HighlightedText).rgb();
        QCOMPARE(px(img, item.left() + 2, item.top() + 1), highlight);
        QCOMPARE(px(img, item.right() - 2, item.bottom() - 1), highlight);
        int textPixels = 0;
        for (int y = item.top(); y <= item.bottom(); ++y)
            for (int x = item.left() + 24; x < item.right(); ++x)
                textPixels += distance(px(img, x, y), highlightedText) < 60;
        QVERIFY(textPixels > 10);
        // The other items keep the plain sheet.
        const QRect other = m.menu.actionGeometry(m.withIcon);
        QCOMPARE(px(img, other.right() - 2, other.top() + 1), TvxFlatMenuStyle::SheetColor().rgb());
    }
};

QTEST_MAIN(TestFlatMenu)
#include "tst_flatmenu.moc"
