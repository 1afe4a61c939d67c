#include "core/Placement.h"

#include <QTest>
#include <climits>

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void storedOrCentred_data();
    void storedOrCentred();
};

namespace {
// A laptop panel with a task bar along its bottom, a monitor to its right
// and one to its left.
const QRect kLaptop(0, 0, 1280, 770);
const QRect kRight(1280, 0, 1920, 1080);
const QRect kLeft(-1920, 200, 1920, 1080);
const QPoint kCentred(244, 140);
} // namespace

void TestPlacement::storedOrCentred_data() {
    QTest::addColumn<qint64>("left");
    QTest::addColumn<qint64>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QPoint>("expected");
    const QList<QRect> one{kLaptop};
    const QList<QRect> three{kLaptop, kRight, kLeft};
    const auto stored = [](qint64 l, qint64 t) { return QPoint(int(l), int(t)); };
    QTest::newRow("on the screen") << qint64(37) << qint64(21) << 791 << one << stored(37, 21);
    QTest::newRow("largest left") << qint64(INT_MAX) << qint64(0) << 791 << one << kCentred;
    QTest::newRow("smallest left and top")
        << qint64(INT_MIN) << qint64(INT_MIN) << 791 << one << kCentred;
    QTest::newRow("largest top") << qint64(10) << qint64(INT_MAX) << 791 << one << kCentred;
    QTest::newRow("5000") << qint64(5000) << qint64(100) << 791 << one << kCentred;
    QTest::newRow("-3000") << qint64(-3000) << qint64(100) << 791 << one << kCentred;
    // A grabbable caption keeps the position, the rest of the window is
    // moved in onto the screen.
    QTest::newRow("100 pixels of caption on the right")
        << qint64(1180) << qint64(100) << 791 << one << stored(489, 100);
    QTest::newRow("whole at the right edge")
        << qint64(489) << qint64(250) << 791 << one << stored(489, 250);
    QTest::newRow("stored on 1280x1024, opened on 1024x768")
        << qint64(245) << qint64(252) << 791 << QList<QRect>{QRect(0, 0, 1024, 768)}
        << stored(233, 248);
    QTest::newRow("screen smaller than the window")
        << qint64(10) << qint64(10) << 791 << QList<QRect>{QRect(0, 0, 640, 480)} << stored(0, 0);
    QTest::newRow("99 pixels on the right")
        << qint64(1181) << qint64(100) << 791 << one << kCentred;
    QTest::newRow("100 pixels on the left")
        << qint64(-691) << qint64(100) << 791 << one << stored(0, 100);
    QTest::newRow("99 pixels on the left") << qint64(-692) << qint64(100) << 791 << one << kCentred;
    QTest::newRow("caption above the screen") << qint64(10) << qint64(-1) << 791 << one << kCentred;
    QTest::newRow("caption just above the task bar")
        << qint64(10) << qint64(740) << 791 << one << stored(10, 250);
    QTest::newRow("caption reaching into the task bar")
        << qint64(10) << qint64(741) << 791 << one << kCentred;
    QTest::newRow("narrow window: 100 pixels of its caption")
        << qint64(1180) << qint64(0) << 219 << one << stored(1061, 0);
    QTest::newRow("monitor on the right")
        << qint64(2500) << qint64(500) << 791 << three << stored(2409, 500);
    QTest::newRow("that monitor unplugged")
        << qint64(2500) << qint64(900) << 791 << one << kCentred;
    QTest::newRow("across two screens")
        << qint64(1000) << qint64(100) << 791 << three << stored(1000, 100);
    QTest::newRow("monitor on the left, negative position")
        << qint64(-1500) << qint64(250) << 791 << three << stored(-1500, 250);
    QTest::newRow("across the left monitor and the laptop")
        << qint64(-400) << qint64(250) << 791 << three << stored(-400, 250);
    QTest::newRow("above the left monitor's top")
        << qint64(-1500) << qint64(150) << 791 << three << kCentred;
    QTest::newRow("no screen at all")
        << qint64(37) << qint64(21) << 791 << QList<QRect>() << kCentred;
}

void TestPlacement::storedOrCentred() {
    QFETCH(qint64, left);
    QFETCH(qint64, top);
    QFETCH(int, width);
    QFETCH(QList<QRect>, screens);
    QFETCH(QPoint, expected);
    QCOMPARE(PlaceWindow(left, top, QSize(width, 520), 30, screens, kCentred), expected);
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
