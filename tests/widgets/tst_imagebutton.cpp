// The image button: which picture each state shows, the button's colour
// around it, the caption's place, the click mask, and double clicks.

#include "tests/widgets/PixelMap.h"
#include "widgets/vxBtnImgs.h"
#include "widgets/vxImgBtn.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const QRgb kUp = qRgb(0xD0, 0x20, 0x20);
const QRgb kDown = qRgb(0x20, 0xA0, 0x20);
const QRgb kDisabled = qRgb(0x20, 0x20, 0xC0);
const QRgb kEntered = qRgb(0xE0, 0xC0, 0x10);
const QRgb kWindow = qRgb(0xF4, 0xF2, 0xEA);

QPixmap solid(QRgb rgb, int size = 16) {
    QPixmap p(size, size);
    p.fill(QColor(rgb));
    return p;
}

QRgb px(const QImage& img, int x, int y) {
    return img.pixel(x, y) | 0xFF000000u;
}

// A window in the main window's colour holding one 18 × 18 button.
struct Stage {
    QWidget window;
    TvxButtonImages* images;
    TvxImageButton* button;
    explicit Stage(bool withDisabled = true) {
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, QColor(kWindow));
        window.setPalette(pal);
        window.resize(120, 80);
        images = new TvxButtonImages(&window);
        images->SetPicUp(solid(kUp));
        images->SetPicDown(solid(kDown));
        if (withDisabled)
            images->SetPicDisabled(solid(kDisabled));
        images->SetPicEntered(solid(kEntered));
        button = new TvxImageButton(&window);
        button->setGeometry(30, 20, 18, 18);
        button->SetButtonImages(images);
    }
    bool show() {
        QCursor::setPos(0, 0);
        window.show();
        return QTest::qWaitForWindowExposed(&window, 60000);
    }
};

} // namespace

class TestImageButton : public QObject {
    Q_OBJECT

private slots:
    // Every state's picture at (0, 0); the two right columns and the two
    // bottom rows of the 18 × 18 button show the button's colour.
    void faces_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("ownDisabledPicture");
        QTest::addColumn<QRgb>("picture");
        QTest::newRow("normal") << 0 << true << kUp;
        QTest::newRow("pressed") << 1 << true << kDown;
        QTest::newRow("disabled") << 2 << true << kDisabled;
        QTest::newRow("disabled without its picture: pressed") << 2 << false << kDown;
        QTest::newRow("mouse over") << 3 << true << kEntered;
    }
    void faces() {
        QFETCH(int, state);
        QFETCH(bool, ownDisabledPicture);
        QFETCH(QRgb, picture);
        Stage s(ownDisabledPicture);
        QCOMPARE(s.button->Color().rgb(), kWindow);
        const QImage face = s.button->Render(state);
        QCOMPARE(face.size(), QSize(18, 18));
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x) {
                const QRgb expected = (x < 16 && y < 16) ? picture : kWindow;
                QVERIFY2(px(face, x, y) == expected,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
    }

    // A press dragged off the button: normal face, pointer outside, no click.
    void pressMovedOffGivesNoClick() {
        Stage s;
        QVERIFY(s.show());
        QSignalSpy clicks(s.button, &QAbstractButton::clicked);
        QTest::mousePress(s.button, Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(s.button->State(), 1);
        QMouseEvent away(QEvent::MouseMove, QPointF(40, 40), s.button->mapToGlobal(QPointF(40, 40)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.button, &away);
        QVERIFY(!s.button->MouseInside());
        QCOMPARE(s.button->State(), 0);
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(clicks.count(), 0);
    }

    // With a mask whose corners are white, a press in a corner does nothing
    // at all: no pressed face, no focus, no click. Inside the shape it clicks,
    // and so does a point beyond the mask's own area.
    void maskDecidesTheHit_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("allWhite16"); // else black with white 3 × 3 corners, 18 × 18
        QTest::addColumn<bool>("hits");
        // (0, 0) would be a null point, which QTest reads as the centre.
        QTest::newRow("top-left corner") << QPoint(1, 0) << false << false;
        QTest::newRow("bottom-right corner") << QPoint(17, 17) << false << false;
        QTest::newRow("centre") << QPoint(8, 8) << false << true;
        QTest::newRow("beyond a white 16 × 16 mask") << QPoint(17, 8) << true << true;
    }
    void maskDecidesTheHit() {
        QFETCH(QPoint, at);
        QFETCH(bool, allWhite16);
        QFETCH(bool, hits);
        Stage s;
        QImage mask(allWhite16 ? 16 : 18, allWhite16 ? 16 : 18, QImage::Format_RGB32);
        mask.fill(allWhite16 ? Qt::white : Qt::black);
        for (int d = 0; d < 9 && !allWhite16; ++d) {
            mask.setPixel(d % 3, d / 3, 0xFFFFFFFF);
            mask.setPixel(15 + d % 3, 15 + d / 3, 0xFFFFFFFF);
        }
        s.images->SetMaskBmp(mask);
        auto* other = new QPushButton(&s.window);
        other->setGeometry(60, 20, 40, 20);
        QVERIFY(s.show());
        other->setFocus();
        QSignalSpy clicks(s.button, &QAbstractButton::clicked);
        QTest::mousePress(s.button, Qt::LeftButton, {}, at);
        QCOMPARE(s.button->isDown(), hits);
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, at);
        QCOMPARE(clicks.count(), hits ? 1 : 0);
        QCOMPARE(s.button->hasFocus(), hits);
    }

    // The platform reports the second press of a quick double click as a
    // double click: it counts as a further press unless someone listens.
    void doubleClick_data() {
        QTest::addColumn<bool>("listened");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("doubles");
        QTest::newRow("no listener: two clicks") << false << 2 << 0;
        QTest::newRow("listener: one click and the double click") << true << 1 << 1;
    }
    void doubleClick() {
        QFETCH(bool, listened);
        QFETCH(int, clicks);
        QFETCH(int, doubles);
        Stage s;
        QVERIFY(s.show());
        int doubleCount = 0;
        if (listened)
            connect(s.button, &TvxPictureCButton::doubleClicked, [&] { ++doubleCount; });
        QSignalSpy clickSpy(s.button, &QAbstractButton::clicked);
        const QPoint at(8, 8);
        QTest::mouseClick(s.button, Qt::LeftButton, {}, at);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at),
                        s.button->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(s.button, &dbl);
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, at);
        QCOMPARE(clickSpy.count(), clicks);
        QCOMPARE(doubleCount, doubles);
    }

    // Centred captions sit one pixel lower than the button's middle and
    // follow a press by one pixel right and down; a placed caption only
    // moves down.
    void captionPlace_data() {
        QTest::addColumn<int>("capX");
        QTest::addColumn<int>("capY");
        QTest::addColumn<QPoint>("pressShift");
        QTest::newRow("centred") << -1 << -1 << QPoint(1, 1);
        QTest::newRow("placed") << 3 << 2 << QPoint(0, 1);
    }
    void captionPlace() {
        QFETCH(int, capX);
        QFETCH(int, capY);
        QFETCH(QPoint, pressShift);
        QWidget window;
        auto* images = new TvxButtonImages(&window);
        images->SetCapX(capX);
        images->SetCapY(capY);
        auto* button = new TvxImageButton(&window);
        button->setGeometry(0, 0, 60, 30);
        button->SetColor(Qt::white);
        button->SetButtonImages(images);
        const QImage bare = button->Render(0);
        button->setText(QStringLiteral("확"));
        const QRect normal = PixelMap::InkBox(button->Render(0), bare);
        const QRect pressed = PixelMap::InkBox(button->Render(1), bare);
        QVERIFY(!normal.isEmpty());
        QCOMPARE(pressed, normal.translated(pressShift));
        if (capX >= 0) {
            QVERIFY(normal.left() >= capX && normal.left() <= capX + 3);
            QVERIFY(normal.top() >= capY && normal.top() <= capY + 6);
        } else {
            // Centred in the rectangle (0, 1, 60, 30): the ink's middle lies
            // on the button's middle or just below it.
            const int middle = normal.top() + normal.height() / 2;
            QVERIFY2(middle >= 14 && middle <= 17, qPrintable(QString::number(middle)));
            QVERIFY(qAbs(normal.center().x() - 30) <= 2);
        }
    }

    // Without an image set (none given, or the set destroyed) the button is
    // the platform's plain push button, clickable everywhere.
    void withoutImagesAPlainPushButton_data() {
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("none given") << false;
        QTest::newRow("set destroyed") << true;
    }
    void withoutImagesAPlainPushButton() {
        QFETCH(bool, destroyed);
        QWidget window;
        window.resize(200, 60);
        auto* plain = new QPushButton(QStringLiteral("확 인"), &window);
        plain->setGeometry(10, 10, 75, 25);
        auto* button = new TvxImageButton(&window);
        button->setGeometry(100, 10, 75, 25);
        button->setText(QStringLiteral("확 인"));
        if (destroyed) {
            auto* images = new TvxButtonImages;
            images->SetPicUp(solid(kUp));
            images->SetMaskBmp(QImage(75, 25, QImage::Format_RGB32));
            button->SetButtonImages(images);
            delete images;
        }
        QCOMPARE(button->ButtonImages(), nullptr);
        QVERIFY(button->HitTest(0, 0));
        QCOMPARE(button->grab().toImage(), plain->grab().toImage());
    }
};

QTEST_MAIN(TestImageButton)
#include "tst_imagebutton.moc"
