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

std::unique_ptr<TvxModalDialog> make(const QString& which, TvxPrjInfo& prj) {
    if (which == QLatin1String("check"))
        return std::make_unique<TfrmCheckSmoke>(prj);
    if (which.startsWith(QLatin1String("calc"))) {
        auto d = std::make_unique<TfrmCalcDebt>(prj);
        if (which == QLatin1String("calc, first run"))
            d->SetFirstRunMode();
        return d;
    }
    if (which == QLatin1String("pledge"))
        return std::make_unique<TfrmToMe>(prj);
    if (which == QLatin1String("pledge view"))
        return std::make_unique<TfrmWaitToMe>(prj);
    if (which == QLatin1String("water"))
        return std::make_unique<TfrmWaitWater>();
    if (which == QLatin1String("board"))
        return std::make_unique<TfrmWaitShowWeb>(prj);
    if (which == QLatin1String("appeal"))
        return std::make_unique<TfrmDontBear>();
    if (which == QLatin1String("relapse"))
        return std::make_unique<TfrmSorry>();
    if (which == QLatin1String("ranks"))
        return std::make_unique<TfrmShowGrade>(QList<QPixmap>());
    if (which == QLatin1String("log"))
        return std::make_unique<TfrmShowLog>(prj);
    return std::make_unique<TfrmNonEffect>();
}

void press(QWidget* control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// Space-separated keys typed into whatever has the focus.
void type(const QString& keys) {
    for (const QString& key : keys.split(QLatin1Char(' '))) {
        QWidget* at = QApplication::focusWidget();
        if (key == QLatin1String("Tab"))
            QTest::keyClick(at, Qt::Key_Tab);
        else if (key == QLatin1String("Shift+Tab"))
            QTest::keyClick(at, Qt::Key_Backtab, Qt::ShiftModifier);
        else if (key == QLatin1String("Space"))
            QTest::keyClick(at, Qt::Key_Space);
        else
            QTest::keyClick(at, Qt::Key_Return);
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
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::newRow("daily check") << "check"
                                     << "안녕하세요.............^^";
        QTest::newRow("calculator") << "calc"
                                    << "지금까지 피운 담배값은....?";
        QTest::newRow("calculator, first run") << "calc, first run"
                                               << "지금까지 피운 담배값은....?";
        QTest::newRow("pledge") << "pledge"
                                << "금연 서약서";
        QTest::newRow("pledge view") << "pledge view"
                                     << "금연을 결심하실 때 말씀하신 서약서 입니다.";
        QTest::newRow("water") << "water"
                               << "꼭 해보세요";
        QTest::newRow("board") << "board"
                               << "이웃과 함께하면 수월합니다.";
        QTest::newRow("appeal") << "appeal"
                                << "금연 결심";
        QTest::newRow("relapse") << "relapse"
                                 << "에고, 이런 이런";
        QTest::newRow("ranks") << "ranks"
                               << "Tarvell의 신분 등급 소개";
        QTest::newRow("log") << "log"
                             << "이력 관리";
        QTest::newRow("effects") << "effects"
                                 << "금연 효과";
    }
    void everyDialog() {
        QFETCH(QString, which);
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
            QVERIFY2(forward.contains(b) && backward.contains(b),
                     qPrintable(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name)));
        d->hide();
    }

    // The press action does what a click does: "미안" asks first, and only
    // its OK restarts the record; "안 피웠어" just closes.
    void dailyCheckByPressAction_data() {
        QTest::addColumn<bool>("sorry");
        QTest::addColumn<int>("answer"); // the confirmation's button, 0 when none comes
        QTest::addColumn<int>("retries");
        QTest::newRow("안 피웠어") << false << 0 << 2;
        QTest::newRow("미안, Cancel") << true << int(QMessageBox::Cancel) << 2;
        QTest::newRow("미안, OK") << true << int(QMessageBox::Ok) << 3;
    }
    void dailyCheckByPressAction() {
        QFETCH(bool, sorry);
        QFETCH(int, answer);
        QFETCH(int, retries);
        TfrmCheckSmoke d(*m_prj);
        bool stayed = true;
        DialogDriver::Script script(30000);
        script.on<TfrmCheckSmoke>(
            [&](TfrmCheckSmoke* dlg) { press(sorry ? dlg->btnSorry : dlg->btnNoSmoked); });
        if (answer != 0)
            script.answer(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Cancel)
            script.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
                stayed = dlg->isVisible();
                press(dlg->btnNoSmoked);
            });
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrCancel);
        QVERIFY(!script.timedOut());
        QVERIFY(stayed);
        QCOMPARE(script.messages.size(), answer != 0 ? 1 : 0);
        QCOMPARE(m_prj->ReadRetryCount(), retries);
    }

    // Tab reaches the answers from the dialog that opened with nothing
    // focused; Space or Enter presses the one reached. After the
    // confirmation is cancelled the focus is back on "미안", marked.
    void dailyCheckByKeyboard_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("then"); // keys after a cancelled confirmation
        QTest::addColumn<int>("retries");
        QTest::newRow("Tab, Space: 미안, OK") << "Tab Space" << int(QMessageBox::Ok) << "" << 3;
        QTest::newRow("Tab, Enter: 미안, Cancel, then 안 피웠어")
            << "Tab Return" << int(QMessageBox::Cancel) << "Tab Space" << 2;
        QTest::newRow("Tab, Tab, Space: 안 피웠어") << "Tab Tab Space" << 0 << "" << 2;
        QTest::newRow("Shift+Tab, Enter: 안 피웠어") << "Shift+Tab Return" << 0 << "" << 2;
    }
    void dailyCheckByKeyboard() {
        QFETCH(QString, keys);
        QFETCH(int, answer);
        QFETCH(QString, then);
        QFETCH(int, retries);
        TfrmCheckSmoke d(*m_prj);
        bool markedOnReturn = true;
        DialogDriver::Script script(30000);
        script.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() == dlg, 30000);
            type(keys);
        });
        if (answer != 0)
            script.answer(QMessageBox::StandardButton(answer));
        if (!then.isEmpty())
            script.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
                // The window manager gives the window back its activation;
                // the test platform has none that would.
                dlg->activateWindow();
                QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() == dlg->btnSorry, 30000);
                markedOnReturn = dlg->btnSorry->KeyboardFocused();
                type(then);
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
