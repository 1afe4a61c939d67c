// The window manager's frame as the layout counts it, at every scale factor.

#include "platform/DesktopShell.h"

#include <QTest>

class TestDesktopShell : public QObject {
    Q_OBJECT
private slots:
    void frameCountedAsAtScaleOne_data();
    void frameCountedAsAtScaleOne();
};

// A frame 2 pixels wide with a 25-pixel caption on every side but the top
// (as openbox draws it) shrinks to fewer logical pixels at 1.5 and 2; counted
// as at scale 1, the window keeps its 1x geometry instead of growing by 6 to
// 10 pixels with a blank strip below the calendar.
void TestDesktopShell::frameCountedAsAtScaleOne_data() {
    QTest::addColumn<QMargins>("logical");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("frame");
    QTest::newRow("1x") << QMargins(2, 25, 2, 2) << 1.0 << QSize(4, 27);
    QTest::newRow("2x") << QMargins(1, 13, 1, 1) << 2.0 << QSize(4, 28);
    QTest::newRow("1.5x") << QMargins(1, 17, 1, 1) << 1.5 << QSize(3, 27);
    QTest::newRow("no frame") << QMargins() << 2.0 << QSize(0, 0);
}

void TestDesktopShell::frameCountedAsAtScaleOne() {
    QFETCH(QMargins, logical);
    QFETCH(qreal, scale);
    QFETCH(QSize, frame);
    QCOMPARE(Shell::FrameForLayout(logical, scale), frame);
}

QTEST_MAIN(TestDesktopShell)
#include "tst_desktopshell.moc"
