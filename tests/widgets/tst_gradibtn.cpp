// Faces and input rules of the gradient button and its colour sets.

#include "tests/widgets/PixelMap.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

namespace {

QRgb px(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFFu;
}

QString hex(QRgb rgb) {
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

// Columns (left, right inclusive) holding any pixel that differs between a
// face with a caption and the same face without one; -1 when none does.
QPair<int, int> inkColumns(const QImage& withText, const QImage& bare) {
    const QRect ink = PixelMap::InkBox(withText, bare);
    return ink.isNull() ? qMakePair(-1, -1) : qMakePair(ink.left(), ink.right());
}

// Rows (top, bottom inclusive), in the same way.
QPair<int, int> inkRows(const QImage& withText, const QImage& bare) {
    const QRect ink = PixelMap::InkBox(withText, bare);
    return ink.isNull() ? qMakePair(-1, -1) : qMakePair(ink.top(), ink.bottom());
}

} // namespace

class TestGradiButton : public QObject {
    Q_OBJECT

private:
    // A shown, active window with a line edit holding the focus and one button.
    struct Stage {
        QDialog dialog;
        QLineEdit* edit;
        TvxGradiColors* colors;
        TvxGradiButton* button;
        Stage() {
            dialog.resize(200, 100);
            edit = new QLineEdit(&dialog);
            edit->setGeometry(5, 5, 100, 20);
            colors = new TvxGradiColors(&dialog);
            button = new TvxGradiButton(&dialog);
            button->setGeometry(20, 40, 75, 25);
            button->SetColors(colors);
            button->SetCaption(QStringLiteral("확 인"));
        }
        bool show() {
            // The offscreen platform reports no leave when the pointer is
            // moved away, so park it outside before the window appears.
            QCursor::setPos(0, 0);
            dialog.show();
            dialog.activateWindow();
            if (!QTest::qWaitForWindowActive(&dialog, 60000))
                return false;
            edit->setFocus();
            return true;
        }
    };

    std::unique_ptr<TvxGradiButton> makeButton(TvxGradiColors* colors, int w = 75, int h = 25) {
        auto b = std::make_unique<TvxGradiButton>();
        b->resize(w, h);
        b->SetColors(colors);
        b->SetColor(QColor(0x12, 0x34, 0x56));
        return b;
    }

private slots:
    void defaults() {
        TvxGradiColors set;
        const QRgb expected[] = {0xFFFCEE, 0xF4EFD5, 0xFFFFFF, 0xCBBF9A, 0x585858, 0xFFAF60,
                                 0xEA7500, 0x000000, 0x000000, 0xF9F9F9, 0x000000};
        for (int i = 0; i < TvxGradiColors::ColorCount; ++i)
            QCOMPARE(hex(set.GetColor(i).rgb()), hex(expected[i]));
        QVERIFY(!set.GetColor(11).isValid());
        QVERIFY(!set.ColorsMouseIn() && !set.ColorsFocus());

        TvxGradiButton b;
        QCOMPARE(b.size(), QSize(75, 25));
        QCOMPARE(b.CapX(), -1);
        QCOMPARE(b.CapY(), -1);
        QCOMPARE(b.IconX(), 5);
        QCOMPARE(b.IconY(), 5);
        QCOMPARE(b.ImageIndex(), -1);
        QCOMPARE(b.ModalResult(), 0);
        QVERIFY(!b.TabStop());
        QCOMPARE(b.focusPolicy(), Qt::NoFocus);
        QVERIFY(!b.Colors() && !b.Grayed() && !b.Marked() && !b.Default() && !b.Cancel());
    }

    void gradientRows() {
        TvxGradiColors set;
        auto b = makeButton(&set);
        const QImage img = b->Render(TvxGradiState::Normal);
        QCOMPARE(img.size(), QSize(75, 25));
        // Rows 2 to 22 show (256 - y, 253 - y, 239 - y): red and green steps
        // below 1 still drop a whole unit per row.
        for (int y = 2; y <= 22; ++y)
            QCOMPARE(hex(px(img, 37, y)), hex(qRgb(256 - y, 253 - y, 239 - y)));
        QCOMPARE(hex(px(img, 37, 12)), QStringLiteral("#f4f1e3"));
        QCOMPARE(hex(px(img, 37, 1)), QStringLiteral("#ffffff"));  // light edge
        QCOMPARE(hex(px(img, 37, 23)), QStringLiteral("#cbbf9a")); // dark edge
        QCOMPARE(hex(px(img, 1, 12)), QStringLiteral("#ffffff"));
        QCOMPARE(hex(px(img, 73, 12)), QStringLiteral("#cbbf9a"));
        QCOMPARE(hex(px(img, 1, 23)), QStringLiteral("#cbbf9a")); // dark over light
        QCOMPARE(hex(px(img, 37, 0)), QStringLiteral("#585858"));
        QCOMPARE(hex(px(img, 0, 12)), QStringLiteral("#585858"));
        QCOMPARE(hex(px(img, 74, 24)), QStringLiteral("#123456")); // rounded corner
        QCOMPARE(hex(px(img, 0, 0)), QStringLiteral("#123456"));
    }

    void gradientSteps_data() {
        QTest::addColumn<QColor>("begin");
        QTest::addColumn<QColor>("end");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<int>("at"); // row, or column when vertical
        QTest::addColumn<QColor>("expected");
        // A step between 0 and 1 never moves; one between -1 and 0 drops a
        // whole unit per line and so overshoots the end colour.
        QTest::newRow("small steps")
            << QColor(10, 100, 50) << QColor(30, 90, 50) << false << 22 << QColor(10, 79, 50);
        QTest::newRow("kept at zero")
            << QColor(5, 5, 5) << QColor(0, 0, 0) << false << 20 << QColor(0, 0, 0);
        QTest::newRow("exact step")
            << QColor(0, 0, 0) << QColor(50, 100, 250) << false << 3 << QColor(4, 8, 20);
        QTest::newRow("vertical bands") << QColor(0xFF, 0xFC, 0xEE) << QColor(0xF4, 0xEF, 0xD5)
                                        << true << 10 << QColor(247, 244, 230);
    }
    void gradientSteps() {
        QFETCH(QColor, begin);
        QFETCH(QColor, end);
        QFETCH(bool, vertical);
        QFETCH(int, at);
        QFETCH(QColor, expected);
        TvxGradiColors set;
        set.setClrBegin(begin);
        set.setClrEnd(end);
        auto b = makeButton(&set);
        b->SetVerticalGradi(vertical);
        const QImage img = b->Render(TvxGradiState::Normal);
        const QRgb got = vertical ? px(img, at, 12) : px(img, 37, at);
        QCOMPARE(hex(got), hex(expected.rgb()));
    }

    void defaultAndPressedFaces() {
        TvxGradiColors set;
        set.setClrDefault(QColor(0x11, 0x22, 0x33));
        auto b = makeButton(&set);
        b->SetDefault(true);
        QImage img = b->Render(TvxGradiState::Normal);
        for (const QPoint p : {QPoint(37, 0), QPoint(37, 1), QPoint(1, 12), QPoint(73, 12)})
            QCOMPARE(hex(px(img, p.x(), p.y())), QStringLiteral("#112233"));

        // Pressed: outer frame ignores Default, then an outlined flat fill.
        img = b->Render(TvxGradiState::Pressed);
        QCOMPARE(hex(px(img, 37, 0)), QStringLiteral("#585858"));
        QCOMPARE(hex(px(img, 37, 1)), QStringLiteral("#112233"));
        QCOMPARE(hex(px(img, 73, 20)), QStringLiteral("#112233"));
        QCOMPARE(hex(px(img, 3, 3)), QStringLiteral("#f9f9f9"));
        QCOMPARE(hex(px(img, 3, 21)), QStringLiteral("#f9f9f9"));
    }

    void greyConversion_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("grayed");
        QTest::addColumn<int>("white");  // the light edge
        QTest::addColumn<int>("middle"); // row 12, #F4F1E3
        QTest::newRow("disabled") << false << false << 229 << 216;
        QTest::newRow("grayed") << true << true << 162 << 152;
        QTest::newRow("both") << false << true << 162 << 152;
    }
    void greyConversion() {
        QFETCH(bool, enabled);
        QFETCH(bool, grayed);
        QFETCH(int, white);
        QFETCH(int, middle);
        TvxGradiColors set;
        auto b = makeButton(&set);
        b->setEnabled(enabled);
        b->SetGrayed(grayed);
        const QImage img = b->Render();
        QCOMPARE(hex(px(img, 37, 1)), hex(qRgb(white, white, white)));
        QCOMPARE(hex(px(img, 37, 12)), hex(qRgb(middle, middle, middle)));
    }

    void noColourSetPaintsNothing() {
        QWidget parent;
        parent.resize(100, 40);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, QColor(0xED, 0xEB, 0xDA));
        parent.setPalette(pal);
        parent.setAutoFillBackground(true);
        auto* set = new TvxGradiColors(&parent);
        auto* b = new TvxGradiButton(&parent);
        b->move(10, 10);
        b->SetColors(set);
        QCOMPARE(hex(px(parent.grab().toImage(), 40, 22)), QStringLiteral("#f4f1e3"));

        // Destroying the set leaves the button with none; it then draws nothing
        // and the parent shows through.
        delete set;
        QVERIFY(!b->Colors());
        QVERIFY(b->Render().isNull());
        QCOMPARE(hex(px(parent.grab().toImage(), 40, 22)), QStringLiteral("#edebda"));
    }

    void colourSetChoice_data() {
        QTest::addColumn<bool>("focus");
        QTest::addColumn<bool>("mouseIn");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << false << false << "base";
        QTest::newRow("mouse over") << false << true << "baseHover";
        QTest::newRow("focused") << true << false << "focus";
        QTest::newRow("focused, mouse over") << true << true << "focusHover";
    }
    void colourSetChoice() {
        QFETCH(bool, focus);
        QFETCH(bool, mouseIn);
        QFETCH(QString, expected);
        Stage s;
        auto named = [&](const char* name) {
            auto* c = new TvxGradiColors(&s.dialog);
            c->setObjectName(QLatin1String(name));
            return c;
        };
        s.colors->setObjectName(QStringLiteral("base"));
        s.colors->SetColorsMouseIn(named("baseHover"));
        TvxGradiColors* focusSet = named("focus");
        focusSet->SetColorsMouseIn(named("focusHover"));
        s.colors->SetColorsFocus(focusSet);
        s.button->SetTabStop(true);
        QVERIFY(s.show());
        if (focus)
            s.button->setFocus();
        QCOMPARE(s.button->hasFocus(), focus);
        if (mouseIn)
            QTest::mouseMove(&s.dialog, QPoint(30, 50));
        QCOMPARE(s.button->CurrentColors()->objectName(), expected);
    }

    void captionPlacement() {
        TvxGradiColors set;
        auto b = makeButton(&set, 90, 40);
        const QImage bare = b->Render(TvxGradiState::Normal);

        b->SetCaption(QStringLiteral("AB"));
        const QImage plain = b->Render(TvxGradiState::Normal);
        b->SetCaption(QStringLiteral("&AB"));
        QCOMPARE(b->Render(TvxGradiState::Normal), plain);

        // Centred on one line, "|" included.
        b->SetCaption(QStringLiteral("AB|AB"));
        const auto oneLine = inkRows(b->Render(TvxGradiState::Normal), bare);
        QVERIFY(oneLine.first >= 0);
        QVERIFY2(oneLine.second - oneLine.first < 13, "one line only");

        // Placed: the part after "|" goes 13 pixels lower.
        b->SetCapX(4);
        b->SetCapY(2);
        const auto twoLines = inkRows(b->Render(TvxGradiState::Normal), bare);
        b->SetCaption(QStringLiteral("AB"));
        const auto firstOnly = inkRows(b->Render(TvxGradiState::Normal), bare);
        b->SetCaption(QStringLiteral("|AB"));
        const auto secondOnly = inkRows(b->Render(TvxGradiState::Normal), bare);
        QCOMPARE(twoLines.first, firstOnly.first);
        QVERIFY(firstOnly.first >= 2);
        QCOMPARE(secondOnly.first - firstOnly.first, 13);
        QCOMPARE(twoLines.second, secondOnly.second);
    }

    void pressedCaptionShift_data() {
        QTest::addColumn<bool>("withImages");
        QTest::addColumn<int>("capX");
        QTest::addColumn<int>("shift");
        QTest::newRow("centred") << false << -1 << 1;
        QTest::newRow("placed") << false << 8 << 1;
        QTest::newRow("centred, image list set") << true << -1 << 0;
    }
    void pressedCaptionShift() {
        QFETCH(bool, withImages);
        QFETCH(int, capX);
        QFETCH(int, shift);
        TvxGradiColors set;
        TvxIconList icons;
        auto b = makeButton(&set);
        b->SetCapX(capX);
        b->SetCapY(5);
        if (withImages)
            b->SetImages(&icons);
        QImage bare[2] = {b->Render(TvxGradiState::Normal), b->Render(TvxGradiState::Pressed)};
        b->SetCaption(QStringLiteral("OK"));
        const auto normal = inkColumns(b->Render(TvxGradiState::Normal), bare[0]);
        const auto pressed = inkColumns(b->Render(TvxGradiState::Pressed), bare[1]);
        QVERIFY(normal.first > 1);
        QCOMPARE(pressed.first - normal.first, shift);
        QCOMPARE(pressed.second - normal.second, shift);
    }

    void iconFromList() {
        TvxGradiColors set;
        auto icons = std::make_unique<TvxIconList>();
        QPixmap red(16, 16);
        red.fill(Qt::red);
        icons->Add(red);
        auto b = makeButton(&set);
        b->SetImages(icons.get());
        QCOMPARE(hex(px(b->Render(), 8, 5)), hex(qRgb(256 - 5, 253 - 5, 239 - 5))); // index -1
        b->SetImageIndex(0);
        b->SetIconX(8);
        QImage img = b->Render();
        QCOMPARE(hex(px(img, 8, 5)), QStringLiteral("#ff0000"));
        QCOMPARE(hex(px(img, 23, 20)), QStringLiteral("#ff0000"));
        QCOMPARE(hex(px(img, 24, 20)), hex(qRgb(256 - 20, 253 - 20, 239 - 20)));
        b->SetImageIndex(3); // out of range draws nothing
        QCOMPARE(hex(px(b->Render(), 8, 5)), hex(qRgb(256 - 5, 253 - 5, 239 - 5)));
        b->SetImageIndex(0);
        icons.reset();
        QVERIFY(!b->Images());
        QCOMPARE(hex(px(b->Render(), 8, 5)), hex(qRgb(256 - 5, 253 - 5, 239 - 5)));
    }

    void focusRectangle() {
        Stage s;
        s.button->SetCaption(QString());
        s.button->SetTabStop(true);
        QVERIFY(s.show());
        s.button->setFocus();
        const QImage plain = s.button->Render(TvxGradiState::Normal);
        s.button->SetDrawFocus(true);
        const QImage focused = s.button->Render(TvxGradiState::Normal);
        // Every other pixel of the border of (4, 4)..(71, 21) is inverted.
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 75; ++x) {
                const bool onBorder = ((x == 4 || x == 71) && y >= 4 && y <= 21) ||
                                      ((y == 4 || y == 21) && x >= 4 && x <= 71);
                const QRgb want =
                    (onBorder && (x + y) % 2 == 0) ? px(plain, x, y) ^ 0xFFFFFFu : px(plain, x, y);
                QCOMPARE(hex(px(focused, x, y)), hex(want));
            }
        s.edit->setFocus();
        QCOMPARE(s.button->Render(TvxGradiState::Normal), plain);
    }

    void markTriangle() {
        TvxGradiColors set;
        auto b = makeButton(&set);
        b->SetMarked(true);
        const QImage img = b->Render(TvxGradiState::Normal);
        QCOMPARE(hex(px(img, 64, 3)), QStringLiteral("#ea7500"));
        QCOMPARE(hex(px(img, 71, 3)), QStringLiteral("#ea7500"));
        QCOMPARE(hex(px(img, 67, 6)), QStringLiteral("#ea7500"));
        QCOMPARE(hex(px(img, 71, 10)), QStringLiteral("#ea7500"));
        QCOMPARE(hex(px(img, 69, 5)), QStringLiteral("#ffaf60"));
        QCOMPARE(hex(px(img, 65, 9)), hex(qRgb(256 - 9, 253 - 9, 239 - 9))); // below the slant
    }

    void mouseClickAndDragOff() {
        Stage s;
        QVERIFY(s.show());
        const QImage normal = s.button->Render(TvxGradiState::Normal);
        QSignalSpy clicks(s.button, &TvxGradiButton::clicked);

        QTest::mouseClick(s.button, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(s.edit->hasFocus()); // the button never takes the focus

        QTest::mousePress(s.button, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(s.button->VisualState(), TvxGradiState::Pressed);
        QTest::mouseMove(s.button, QPoint(120, 12));
        QCOMPARE(s.button->VisualState(), TvxGradiState::Normal);
        QCOMPARE(s.button->Render(), normal);
        QTest::mouseMove(s.button, QPoint(30, 12));
        QCOMPARE(s.button->VisualState(), TvxGradiState::Pressed);
        QTest::mouseMove(s.button, QPoint(120, 12));
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(120, 12));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(s.button->VisualState(), TvxGradiState::Normal);

        QSignalSpy doubles(s.button, &TvxGradiButton::doubleClicked);
        // Through the window, as a real double click arrives: press, release,
        // then a press reported as a double click as well.
        QTest::mouseDClick(s.dialog.windowHandle(), Qt::LeftButton, {}, QPoint(50, 52));
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(clicks.count(), 3);

        s.button->setEnabled(false);
        QTest::mouseClick(s.button, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(clicks.count(), 3);
    }

    void spaceClicksAtKeyUp() {
        Stage s;
        s.button->SetTabStop(true);
        QVERIFY(s.show());
        s.button->setFocus();
        QSignalSpy clicks(s.button, &TvxGradiButton::clicked);

        QTest::keyPress(s.button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(s.button->VisualState(), TvxGradiState::Pressed);
        QTest::keyRelease(s.button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(s.button->VisualState(), TvxGradiState::Normal);

        // A mouse click released while Space is held adds nothing: the one
        // click comes at key-up.
        QTest::keyPress(s.button, Qt::Key_Space);
        QTest::mouseClick(s.button, Qt::LeftButton, {}, QPoint(30, 12));
        QCOMPARE(clicks.count(), 1);
        QTest::keyRelease(s.button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 2);

        // Shift+Space is not a press.
        QTest::keyClick(s.button, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(clicks.count(), 2);
    }

    void windowKeys_data() {
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("isCancel");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("clicks");
        QTest::newRow("enter, plain") << false << false << "OK" << int(Qt::Key_Return) << 0 << 0;
        QTest::newRow("enter, default") << true << false << "OK" << int(Qt::Key_Return) << 0 << 1;
        QTest::newRow("keypad enter, default")
            << true << false << "OK" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
        QTest::newRow("shift+enter, default")
            << true << false << "OK" << int(Qt::Key_Return) << int(Qt::ShiftModifier) << 0;
        QTest::newRow("esc, plain") << false << false << "OK" << int(Qt::Key_Escape) << 0 << 0;
        QTest::newRow("esc, cancel") << false << true << "OK" << int(Qt::Key_Escape) << 0 << 1;
        QTest::newRow("alt+accelerator")
            << false << false << "&Go" << int(Qt::Key_G) << int(Qt::AltModifier) << 1;
        QTest::newRow("alt+other letter")
            << false << false << "&Go" << int(Qt::Key_O) << int(Qt::AltModifier) << 0;
        QTest::newRow("letter typed into an edit")
            << false << false << "&Go" << int(Qt::Key_G) << 0 << 0;
    }
    void windowKeys() {
        QFETCH(bool, isDefault);
        QFETCH(bool, isCancel);
        QFETCH(QString, caption);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, clicks);
        Stage s;
        s.button->SetDefault(isDefault);
        s.button->SetCancel(isCancel);
        s.button->SetCaption(caption);
        QVERIFY(s.show());
        QSignalSpy spy(s.button, &TvxGradiButton::clicked);
        QTest::keyClick(s.edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(spy.count(), clicks);
    }

    void modalResultHandOver() {
        // A handler that closes the dialog is overruled by the button's result.
        {
            Stage s;
            s.button->SetModalResult(1);
            connect(s.button, &TvxGradiButton::clicked, &s.dialog, &QDialog::close);
            QVERIFY(s.show());
            QTest::mouseClick(s.button, Qt::LeftButton, {}, QPoint(30, 12));
            QVERIFY(!s.dialog.isVisible());
            QCOMPARE(s.dialog.result(), 1);
        }
        // A handler whose work failed keeps the dialog open.
        {
            Stage s;
            s.button->SetModalResult(1);
            connect(s.button, &TvxGradiButton::clicked, s.button,
                    &TvxGradiButton::WithholdModalResult);
            QVERIFY(s.show());
            QTest::mouseClick(s.button, Qt::LeftButton, {}, QPoint(30, 12));
            QVERIFY(s.dialog.isVisible());
            QCOMPARE(s.dialog.result(), 0);
        }
        // A window that listens for the result ends itself.
        {
            Stage s;
            s.button->SetModalResult(2);
            QSignalSpy chosen(s.button, &TvxGradiButton::modalResultChosen);
            QVERIFY(s.show());
            QTest::mouseClick(s.button, Qt::LeftButton, {}, QPoint(30, 12));
            QCOMPARE(chosen.count(), 1);
            QCOMPARE(chosen.at(0).at(0).toInt(), 2);
            QVERIFY(s.dialog.isVisible());
        }
    }
};

QTEST_MAIN(TestGradiButton)
#include "tst_gradibtn.moc"
