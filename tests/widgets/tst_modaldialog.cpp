// Modal results, keys and frames of the dialog base.

#include "platform/Platform.h"
#include "tests/dialogs/DialogDriver.h"
#include "widgets/Look.h"
#include "widgets/ModalDialog.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// A dialog with an edit that holds the focus and one gradient button.
struct Stage {
    TvxModalDialog dialog;
    QLineEdit* edit;
    TvxGradiButton* button;
    explicit Stage(TvxModalDialog::TvxFrame frame = TvxModalDialog::TvxFrame::Dialog)
        : dialog(nullptr, frame) {
        dialog.SetClientSize(200, 100);
        edit = new QLineEdit(&dialog);
        edit->setGeometry(5, 5, 100, 20);
        edit->setFocus();
        auto* colors = new TvxGradiColors(&dialog);
        button = new TvxGradiButton(&dialog);
        button->setGeometry(100, 60, 75, 25);
        button->SetColors(colors);
        button->SetCaption(QStringLiteral("확 인"));
    }
};

} // namespace

class TestModalDialog : public QObject {
    Q_OBJECT

private slots:
    // How a dialog ends decides its result; the button's own result wins
    // over whatever its handler did.
    void resultOfEnding_data() {
        QTest::addColumn<int>("buttonResult");
        // -1: the handler closes as the caption does; -2: the session ends
        QTest::addColumn<int>("handlerResult");
        QTest::addColumn<int>("expected");
        QTest::newRow("button result only") << 1 << 0 << 1;
        QTest::newRow("handler sets OK") << 0 << 1 << 1;
        QTest::newRow("handler sets Cancel") << 0 << 2 << 2;
        QTest::newRow("handler closes, button says OK") << 1 << -1 << 1;
        QTest::newRow("handler sets Cancel, button says OK") << 1 << 2 << 1;
        QTest::newRow("handler closes") << 0 << -1 << 2;
        QTest::newRow("the session ends") << 0 << -2 << 2;
    }
    void resultOfEnding() {
        QFETCH(int, buttonResult);
        QFETCH(int, handlerResult);
        QFETCH(int, expected);
        Stage s;
        s.button->SetModalResult(buttonResult);
        QObject::connect(s.button, &TvxGradiButton::clicked, &s.dialog, [&] {
            if (handlerResult == -2)
                TvxModalDialog::EndSession();
            else if (handlerResult < 0)
                s.dialog.close();
            else if (handlerResult > 0)
                s.dialog.SetModalResult(handlerResult);
        });
        DialogDriver::Script script;
        script.on<TvxModalDialog>([&](TvxModalDialog*) { DialogDriver::click(s.button); });
        script.start();
        const int result = s.dialog.ShowModal();
        if (handlerResult == -2) {
            // A session ends once per process: the next cases get a live one
            // through the application loop, whose start and end reset it.
            TvxModalDialog::SetSessionEnded(false);
            QTimer::singleShot(0, [] { QCoreApplication::quit(); });
            QCoreApplication::exec();
        }
        QCOMPARE(result, expected);
        QVERIFY(!script.timedOut());
        QCOMPARE(s.dialog.ModalResult(), expected);
    }

    void buttonWithoutResultLeavesDialogOpen() {
        Stage s;
        bool stillOpen = false;
        DialogDriver::Script script;
        script.on<TvxModalDialog>([&](TvxModalDialog* d) {
            DialogDriver::click(s.button);
            stillOpen = d->isVisible();
            d->SetModalResult(TvxModalDialog::mrNone);
            stillOpen = stillOpen && d->isVisible();
            d->SetModalResult(TvxModalDialog::mrOk);
        });
        script.start();
        QCOMPARE(s.dialog.ShowModal(), 1);
        QVERIFY(stillOpen);
    }

    // Enter and Esc end the dialog only through a button that claims them.
    void enterAndEsc_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("isCancel");
        QTest::addColumn<int>("expected"); // 0: still open
        QTest::newRow("Enter, plain button") << int(Qt::Key_Return) << false << false << 0;
        QTest::newRow("keypad Enter, plain button") << int(Qt::Key_Enter) << false << false << 0;
        QTest::newRow("Esc, plain button") << int(Qt::Key_Escape) << false << false << 0;
        QTest::newRow("Enter, default button") << int(Qt::Key_Return) << true << false << 1;
        QTest::newRow("Esc, cancel button") << int(Qt::Key_Escape) << false << true << 2;
        QTest::newRow("Esc, default button") << int(Qt::Key_Escape) << true << false << 0;
    }
    void enterAndEsc() {
        QFETCH(int, key);
        QFETCH(bool, isDefault);
        QFETCH(bool, isCancel);
        QFETCH(int, expected);
        Stage s;
        s.button->SetDefault(isDefault);
        s.button->SetCancel(isCancel);
        s.button->SetModalResult(isCancel ? 2 : 1);
        bool open = false;
        DialogDriver::Script script;
        script.on<TvxModalDialog>([&](TvxModalDialog* d) {
            QTest::keyClick(s.edit, Qt::Key(key));
            open = d->isVisible();
            if (open)
                d->SetModalResult(3);
        });
        script.start();
        const int result = s.dialog.ShowModal();
        QCOMPARE(open, expected == 0);
        QCOMPARE(result, expected == 0 ? 3 : expected);
    }

    // A key held down answers no dialog or box: its repeats would close
    // each one as it opens. A fresh press still does.
    void heldKeyAnswersNothing_data() {
        QTest::addColumn<bool>("box"); // a standard box, else the dialog base
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("how");      // 0 pressed, 1 a marked repeat, 2 repeats from before
        QTest::addColumn<int>("expected"); // 0: still open
        QTest::newRow("box, Esc repeats") << true << int(Qt::Key_Escape) << 1 << 0;
        QTest::newRow("box, Enter repeats") << true << int(Qt::Key_Return) << 1 << 0;
        QTest::newRow("box, unmarked repeats from before it opened")
            << true << int(Qt::Key_Escape) << 2 << 0;
        QTest::newRow("box, Esc pressed")
            << true << int(Qt::Key_Escape) << 0 << int(QMessageBox::Cancel);
        QTest::newRow("dialog, Esc repeats, cancel button")
            << false << int(Qt::Key_Escape) << 1 << 0;
        QTest::newRow("dialog, Esc pressed, cancel button")
            << false << int(Qt::Key_Escape) << 0 << 2;
    }
    void heldKeyAnswersNothing() {
        QFETCH(bool, box);
        QFETCH(int, key);
        QFETCH(int, how);
        QFETCH(int, expected);
        TvxModalDialog::GuardModals();
        Stage s;
        s.button->SetCancel(true);
        s.button->SetModalResult(2);
        QMessageBox question(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("?"),
                             QMessageBox::Ok | QMessageBox::Cancel);
        question.setDefaultButton(QMessageBox::Ok);
        question.setEscapeButton(QMessageBox::Cancel);
        QDialog& shown = box ? static_cast<QDialog&>(question) : s.dialog;
        QWidget elsewhere;
        QKeyEvent before(QEvent::KeyPress, key, Qt::NoModifier);
        if (how == 2)
            QApplication::sendEvent(&elsewhere, &before);
        QTest::qWait(5); // the box opens later
        shown.setModal(true);
        shown.show();
        QWidget* target = shown.focusWidget() ? shown.focusWidget() : &shown;
        if (how != 2)
            QTest::qWait(5); // pressed after the box opened
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), how == 1);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(&elsewhere, &release);
        QCOMPARE(shown.isVisible(), expected == 0);
        if (expected != 0)
            QCOMPARE(shown.result(), expected);
        shown.hide();
    }

    void captionCloseGivesCancel() {
        Stage s;
        DialogDriver::Script script;
        script.on<TvxModalDialog>([](TvxModalDialog* d) { d->close(); });
        script.start();
        QCOMPARE(s.dialog.ShowModal(), TvxModalDialog::mrCancel);
    }

    // A window without caption buttons is left through its own buttons only.
    void toolWindowRefusesOutsideClose() {
        Stage s(TvxModalDialog::TvxFrame::ToolWindow);
        bool refused = false;
        DialogDriver::Script script;
        script.on<TvxModalDialog>([&](TvxModalDialog* d) {
            refused = !d->close() && d->isVisible();
            d->Close();
        });
        script.start();
        QCOMPARE(s.dialog.ShowModal(), TvxModalDialog::mrCancel);
        QVERIFY(refused);
    }

    void frames_data() {
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("tool");
        QTest::newRow("tool window")
            << int(TvxModalDialog::TvxFrame::ToolWindow) << false << true << true;
        QTest::newRow("dialog") << int(TvxModalDialog::TvxFrame::Dialog) << true << true << false;
        QTest::newRow("sizeable") << int(TvxModalDialog::TvxFrame::Sizeable) << true << false
                                  << false;
    }
    void frames() {
        QFETCH(int, frame);
        QFETCH(bool, closeBox);
        QFETCH(bool, fixed);
        QFETCH(bool, tool);
        TvxModalDialog d(nullptr, TvxModalDialog::TvxFrame(frame));
        d.SetClientSize(349, 161);
        const Qt::WindowFlags f = d.windowFlags();
        QCOMPARE(bool(f & Qt::WindowCloseButtonHint), closeBox);
        QCOMPARE(bool(f & Qt::WindowMaximizeButtonHint), !fixed);
        QCOMPARE(bool(f & Qt::WindowContextHelpButtonHint), false);
        QCOMPARE((f & Qt::WindowType_Mask) == Qt::Tool, tool);
        QCOMPARE(d.size(), QSize(349, 161));
        QCOMPARE(d.minimumSize() == d.maximumSize(), fixed);
    }

    void sharedLookAndCentring() {
        TvxModalDialog d;
        d.SetClientSize(300, 200);
        QCOMPARE(d.palette().color(QPalette::Window), QColor(0xED, 0xEB, 0xDA));
        QCOMPARE(d.font().pixelSize(), 12);
        QCOMPARE(d.font().family(), Look::BaseFont(12).family());
        d.show();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect outer = d.frameGeometry();
        QVERIFY(qAbs(outer.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(outer.center().y() - screen.center().y()) <= 1);
        // Each image of the window is the same flat background.
        const QImage img = d.grab().toImage();
        QCOMPARE(img.pixelColor(150, 100), QColor(0xED, 0xEB, 0xDA));
        d.hide();
    }

    void placedDialogStaysPut() {
        TvxModalDialog d;
        d.SetClientSize(100, 80);
        d.SetScreenCentred(false);
        d.move(13, 17);
        d.show();
        QCOMPARE(d.pos(), QPoint(13, 17));
        d.hide();
    }

    // The whole window, frame included, stands in the middle of the screen:
    // a title bar of 30 and borders of 4 around 349 × 161 make 357 × 195.
    void centredWithItsFrame_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("expected"); // the area inside the frame
        QTest::newRow("title bar and borders")
            << QRect(0, 0, 1280, 800) << QSize(349, 161) << QMargins(4, 30, 4, 4)
            << QRect(465, 332, 349, 161);
        QTest::newRow("no frame") << QRect(0, 0, 1280, 800) << QSize(349, 161) << QMargins()
                                  << QRect(465, 319, 349, 161);
        QTest::newRow("odd sizes round down") << QRect(0, 0, 1024, 768) << QSize(374, 139)
                                              << QMargins(1, 20, 1, 1) << QRect(325, 324, 374, 139);
        QTest::newRow("second screen to the right")
            << QRect(1280, 0, 1920, 1080) << QSize(360, 174) << QMargins(1, 20, 1, 1)
            << QRect(1280 + 779 + 1, 462, 360, 174);
    }
    void centredWithItsFrame() {
        QFETCH(QRect, screen);
        QFETCH(QSize, client);
        QFETCH(QMargins, frame);
        QFETCH(QRect, expected);
        QCOMPARE(TvxModalDialog::CentredGeometry(screen, client, frame), expected);
    }

    // The outer size and place given for a sizeable window hold with the
    // frame included; where the compositor places windows, only the size.
    void outerGeometryIncludesFrame_data() {
        QTest::addColumn<QString>("windowSystem");
        QTest::newRow("positions known") << QString();
        QTest::newRow("wayland") << QStringLiteral("wayland");
    }
    void outerGeometryIncludesFrame() {
        QFETCH(QString, windowSystem);
        TvxPlatformStandIn standIn;
        standIn.WindowSystem = windowSystem;
        PlatformStandIn::Set(&standIn);
        auto restore = qScopeGuard([] { PlatformStandIn::Set(nullptr); });
        TvxModalDialog d(nullptr, TvxModalDialog::TvxFrame::Sizeable);
        d.SetOuterGeometry(QRect(379, 243, 474, 303));
        QVERIFY(!d.ScreenCentred());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d, 60000));
        if (!windowSystem.isEmpty()) {
            QCOMPARE(d.frameGeometry().size(), QSize(474, 303));
            QVERIFY(d.frameGeometry().topLeft() != QPoint(379, 243));
            d.hide();
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(d.frameGeometry(), QRect(379, 243, 474, 303), 60000);
        // The frame seen is kept for the next window of its kind.
        const QRect inner = d.geometry();
        QTRY_COMPARE_WITH_TIMEOUT(TvxModalDialog::KnownFrame(TvxModalDialog::TvxFrame::Sizeable),
                                  QMargins(inner.left() - 379, inner.top() - 243,
                                           379 + 474 - 1 - inner.right(),
                                           243 + 303 - 1 - inner.bottom()),
                                  60000);
        d.hide();
    }

    // However the dialog got minimised (its own button or a window manager
    // that offers one anyway), it comes back: nothing else could bring it.
    void minimisedDialogComesBack_data() {
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("owned");
        for (int frame = 0; frame < 3; ++frame) {
            const char* names[] = {"tool window", "dialog", "sizeable"};
            QTest::addRow("%s, no owner", names[frame]) << frame << false;
            QTest::addRow("%s, owned", names[frame]) << frame << true;
        }
    }
    void minimisedDialogComesBack() {
        QFETCH(int, frame);
        QFETCH(bool, owned);
        QWidget owner;
        owner.resize(300, 200);
        if (owned)
            owner.show();
        TvxModalDialog d(owned ? &owner : nullptr, TvxModalDialog::TvxFrame(frame));
        d.SetClientSize(200, 100);
        bool minimised = false, back = false;
        DialogDriver::Script script;
        script.on<TvxModalDialog>([&](TvxModalDialog* dlg) {
            dlg->setWindowState(dlg->windowState() | Qt::WindowMinimized);
            minimised = dlg->isMinimized();
            QTRY_VERIFY_WITH_TIMEOUT(!dlg->isMinimized(), 60000);
            back = dlg->isVisible();
            dlg->SetModalResult(TvxModalDialog::mrOk);
        });
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrOk);
        QVERIFY(!script.timedOut());
        QVERIFY(minimised);
        QVERIFY(back);
    }
};

QTEST_MAIN(TestModalDialog)
#include "tst_modaldialog.moc"
