// Every dialog as a screen reader and a keyboard user meet it: a dialog
// named by its caption, every control named, every button a push button with
// a press action, every button reached by Tab; and the daily check answered
// through the press action and from the keyboard alone.

#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/CheckSmoke.h"
#include "dialogs/DontBear.h"
#include "dialogs/NonEffect.h"
#include "dialogs/ShowGrade.h"
#include "dialogs/ShowLog.h"
#include "dialogs/Sorry.h"
#include "dialogs/ToMe.h"
#include "dialogs/WaitShowWeb.h"
#include "dialogs/WaitToMe.h"
#include "dialogs/WaitWater.h"
#include "runtime/Desktop.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <memory>

namespace {

const QByteArray kIni = "[Personal]\r\nCount Retry=2\r\n[Date]\r\nStart=2026-01-02 03:04:05\r\n";

// Every dialog of the folder, the calculator in both of its modes.
std::unique_ptr<TvxModalDialog> make(int which, TvxPrjInfo& prj) {
    switch (which) {
    case 0:
        return std::make_unique<TfrmCheckSmoke>(prj);
    case 1:
        return std::make_unique<TfrmCalcDebt>(prj);
    case 2: {
        auto d = std::make_unique<TfrmCalcDebt>(prj);
        d->SetFirstRunMode();
        return d;
    }
    case 3:
        return std::make_unique<TfrmToMe>(prj);
    case 4:
        return std::make_unique<TfrmWaitToMe>(prj);
    case 5:
        return std::make_unique<TfrmWaitWater>();
    case 6:
        return std::make_unique<TfrmWaitShowWeb>(prj);
    case 7:
        return std::make_unique<TfrmDontBear>();
    case 8:
        return std::make_unique<TfrmSorry>();
    case 9:
        return std::make_unique<TfrmShowGrade>(QList<QPixmap>());
    case 10:
        return std::make_unique<TfrmShowLog>(prj);
    default:
        return std::make_unique<TfrmNonEffect>();
    }
}

// Comma-separated steps on whatever has the focus: keys, or "press:NAME"
// for the press action of the button a screen reader calls NAME.
void act(QWidget* window, const QString& steps) {
    for (const QString& step : steps.split(QLatin1Char(','))) {
        QWidget* at = QApplication::focusWidget();
        if (step.startsWith(QLatin1String("press:"))) {
            for (QWidget* b : AccessibleTree::Buttons(window)) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
                if (a->text(QAccessible::Name) == step.mid(6))
                    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            }
        } else if (step == QLatin1String("Shift+Tab")) {
            QTest::keyClick(at, Qt::Key_Backtab, Qt::ShiftModifier);
        } else {
            QTest::keyClick(at, step == QLatin1String("Tab")     ? Qt::Key_Tab
                                : step == QLatin1String("Space") ? Qt::Key_Space
                                                                 : Qt::Key_Return);
        }
    }
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::TempProgramFolder> m_folder;
    std::unique_ptr<TvxPrjInfo> m_prj;

private slots:
    void init() {
        m_folder = std::make_unique<TestSupport::TempProgramFolder>();
        m_folder->write(QStringLiteral("plzNoSmoking.ini"), kIni);
        m_prj = std::make_unique<TvxPrjInfo>(m_folder->path());
        Desktop::SetOpenUrlHandler([](const QString&) { return true; });
    }
    void cleanup() {
        Desktop::SetOpenUrlHandler({});
        m_prj.reset();
        m_folder.reset();
    }

    void everyDialog_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("caption");
        const char* captions[] = {"안녕하세요.............^^",
                                  "지금까지 피운 담배값은....?",
                                  "지금까지 피운 담배값은....?",
                                  "금연 서약서",
                                  "금연을 결심하실 때 말씀하신 서약서 입니다.",
                                  "꼭 해보세요",
                                  "이웃과 함께하면 수월합니다.",
                                  "금연 결심",
                                  "에고, 이런 이런",
                                  "Tarvell의 신분 등급 소개",
                                  "이력 관리",
                                  "금연 효과"};
        for (int i = 0; i < 12; ++i)
            QTest::addRow("%d %s", i, captions[i]) << i << QString::fromUtf8(captions[i]);
    }
    void everyDialog() {
        QFETCH(int, which);
        QFETCH(QString, caption);
        std::unique_ptr<TvxModalDialog> d = make(which, *m_prj);
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get(), 30000));

        QAccessibleInterface* top = QAccessible::queryAccessibleInterface(d.get());
        QCOMPARE(top->role(), QAccessible::Dialog);
        QCOMPARE(top->text(QAccessible::Name), caption);
        const QStringList problems = AccessibleTree::Problems(d.get(), {"TvxShape"});
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

        // Opening focuses no button: a stray Space must not answer.
        QVERIFY(!qobject_cast<TvxGradiButton*>(QApplication::focusWidget()));
        const QList<QWidget*> buttons = AccessibleTree::Buttons(d.get());
        QVERIFY(!buttons.isEmpty());
        const QList<QWidget*> forward = AccessibleTree::TabCycle();
        const QList<QWidget*> backward = AccessibleTree::TabCycle(true);
        for (QWidget* b : buttons)
            QVERIFY(forward.contains(b) && backward.contains(b));
        d->hide();
    }

    // The daily check answered without a mouse: by the press action, which
    // does what a click does, or from the keyboard, where Tab reaches the
    // answers and Space or Enter presses the one reached. A cancelled
    // confirmation gives the focus back to "미안", still marked.
    void dailyCheck_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("answer");   // the confirmation's button, 0 when none comes
        QTest::addColumn<QString>("then"); // steps after a cancelled confirmation
        QTest::addColumn<int>("retries");
        QTest::newRow("press 안 피웠어") << "press:안 피웠어" << 0 << "" << 2;
        QTest::newRow("press 미안, OK") << "press:미안" << int(QMessageBox::Ok) << "" << 3;
        QTest::newRow("press 미안, Cancel, press 안 피웠어")
            << "press:미안" << int(QMessageBox::Cancel) << "press:안 피웠어" << 2;
        QTest::newRow("Tab Space: 미안, OK") << "Tab,Space" << int(QMessageBox::Ok) << "" << 3;
        QTest::newRow("Tab Enter: 미안, Cancel, Tab Space: 안 피웠어")
            << "Tab,Return" << int(QMessageBox::Cancel) << "Tab,Space" << 2;
        QTest::newRow("Tab Tab Space: 안 피웠어") << "Tab,Tab,Space" << 0 << "" << 2;
        QTest::newRow("Shift+Tab Enter: 안 피웠어") << "Shift+Tab,Return" << 0 << "" << 2;
    }
    void dailyCheck() {
        QFETCH(QString, steps);
        QFETCH(int, answer);
        QFETCH(QString, then);
        QFETCH(int, retries);
        TfrmCheckSmoke d(*m_prj);
        bool markedOnReturn = true;
        DialogDriver::Script script(30000);
        script.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() == dlg, 30000);
            act(dlg, steps);
        });
        if (answer != 0)
            script.answer(QMessageBox::StandardButton(answer));
        if (!then.isEmpty())
            script.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
                // A window manager activates it again; the test platform does not.
                dlg->activateWindow();
                // A press action moves no focus; a key press left it on "미안".
                const bool pressed = steps.startsWith(QLatin1String("press"));
                QWidget* back = pressed ? static_cast<QWidget*>(dlg) : dlg->btnSorry;
                QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() == back, 30000);
                markedOnReturn = pressed || dlg->btnSorry->KeyboardFocused();
                act(dlg, then);
            });
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrCancel);
        QVERIFY(!script.timedOut());
        QVERIFY(markedOnReturn);
        QCOMPARE(script.messages.size(), answer != 0 ? 1 : 0);
        QCOMPARE(m_prj->ReadRetryCount(), retries);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
