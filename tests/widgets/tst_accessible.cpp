// The drawn controls as assistive technology sees them: buttons with their
// spoken names and a press action that clicks, gauges with their value, and
// the focus mark that only a keyboard-given focus shows.

#include "tests/support/AccessibleTree.h"
#include "widgets/Accessible.h"
#include "widgets/vxGag.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"
#include "widgets/vxImgBtn.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

QAccessibleInterface* of(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// A shown, active dialog with an edit holding the focus and both kinds of
// button; the gradient one is reached by Tab.
struct Stage {
    QDialog dialog;
    QLineEdit* edit = new QLineEdit(&dialog);
    TvxGradiColors* colors = new TvxGradiColors(&dialog);
    TvxGradiButton* gradi = new TvxGradiButton(&dialog);
    TvxImageButton* image = new TvxImageButton(&dialog);
    TvxButtonImages* images = new TvxButtonImages(&dialog);
    Stage() {
        dialog.resize(200, 100);
        edit->setGeometry(5, 5, 100, 20);
        gradi->setGeometry(20, 40, 75, 25);
        gradi->SetColors(colors);
        gradi->SetCaption(QStringLiteral("확 인"));
        gradi->SetKeyboardReach(true);
        image->setGeometry(120, 40, 18, 18);
        image->SetButtonImages(images);
    }
    bool show() {
        dialog.show();
        dialog.activateWindow();
        edit->setFocus();
        return QTest::qWaitForWindowActive(&dialog, 30000);
    }
};

} // namespace

class TestAccessible : public QObject {
    Q_OBJECT

private slots:
    void gradientButton_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("setName");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("name");
        QTest::newRow("accelerator") << "(&M) 서약서"
                                     << "" << true << "(M) 서약서";
        QTest::newRow("two-line caption") << "다시|시작"
                                          << "" << true << "다시 시작";
        QTest::newRow("set name wins") << "?"
                                       << "시민 등급 보기" << true << "시민 등급 보기";
        QTest::newRow("disabled") << "취 소"
                                  << "" << false << "취 소";
    }
    // A push button named as it reads; pressing it is a click, modal result
    // and all; a disabled one offers no press.
    void gradientButton() {
        QFETCH(QString, caption);
        QFETCH(QString, setName);
        QFETCH(bool, enabled);
        QFETCH(QString, name);
        Stage s;
        s.gradi->SetCaption(caption);
        s.gradi->setAccessibleName(setName);
        s.gradi->setEnabled(enabled);
        s.gradi->SetModalResult(1);
        QVERIFY(s.show());
        QSignalSpy clicks(s.gradi, &TvxGradiButton::clicked);
        QAccessibleInterface* a = of(s.gradi);
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), name);
        QCOMPARE(
            a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()),
            enabled);
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The press shows at once; the click follows from the event loop.
        QCOMPARE(s.gradi->VisualState() == TvxGradiState::Pressed, enabled);
        if (!enabled)
            return;
        QTRY_COMPARE_WITH_TIMEOUT(clicks.count(), 1, 30000);
        QVERIFY(!s.dialog.isVisible());
        QCOMPARE(s.dialog.result(), 1);
    }

    void gauge_data() {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("share");
        QTest::addColumn<int>("nudge");        // added to the value while a listener hears
        QTest::addColumn<QStringList>("told"); // only a new share is worth saying
        QTest::newRow("a quarter") << 200 << 50 << 50 << "25%" << 2 << QStringList{"value 52"};
        QTest::newRow("less than a share more") << 200 << 50 << 50 << "25%" << 1 << QStringList{};
        QTest::newRow("above the top") << 100 << 150 << 100 << "100%" << 1 << QStringList{};
        QTest::newRow("empty range") << 0 << 5 << 0 << "0%" << 1 << QStringList{};
    }
    void gauge() {
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(int, current);
        QFETCH(QString, share);
        QFETCH(int, nudge);
        QFETCH(QStringList, told);
        TvxGauge g;
        g.setAccessibleName(QStringLiteral("금연 효과 진행"));
        g.SetMin(0);
        g.SetMax(max);
        g.SetValue(value);
        QAccessibleInterface* a = of(&g);
        QCOMPARE(a->role(), QAccessible::ProgressBar);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("금연 효과 진행"));
        QCOMPARE(a->text(QAccessible::Value), share);
        QAccessibleValueInterface* v = a->valueInterface();
        QCOMPARE(QList<int>({v->minimumValue().toInt(), v->currentValue().toInt(),
                             v->maximumValue().toInt()}),
                 QList<int>({0, current, max}));
        AccessibleTree::Listener listener;
        g.SetValue(value + nudge);
        QCOMPARE(listener.Heard, told);
    }

    // The look does not change under the mouse: only a focus the keyboard
    // gave shows a mark.
    void focusMark_data() {
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("marked");
        for (bool gradient : {true, false}) {
            const char* kind = gradient ? "gradient, " : "image, ";
            QTest::addRow("%sTab", kind) << gradient << int(Qt::TabFocusReason) << true;
            QTest::addRow("%smouse", kind) << gradient << int(Qt::MouseFocusReason) << false;
        }
    }
    void focusMark() {
        QFETCH(bool, gradient);
        QFETCH(int, reason);
        QFETCH(bool, marked);
        Stage s;
        QVERIFY(s.show());
        QWidget* button = gradient ? static_cast<QWidget*>(s.gradi) : s.image;
        auto face = [&] { return gradient ? s.gradi->Render() : s.image->Render(); };
        const QImage bare = face();
        button->setFocus(Qt::FocusReason(reason));
        QVERIFY(button->hasFocus());
        QCOMPARE(face() != bare, marked);

        // Enter presses the focused button, as Space does.
        QSignalSpy clicks(button, gradient ? SIGNAL(clicked()) : SIGNAL(clicked(bool)));
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
