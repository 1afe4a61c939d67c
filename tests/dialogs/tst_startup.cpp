// The dialogs of start-up: the first-run sequence on an empty folder, and
// the daily check once the settings file exists.

#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/CheckSmoke.h"
#include "dialogs/Startup.h"
#include "dialogs/ToMe.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/vxGradiBtn.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <optional>

using DialogDriver::click;
using DialogDriver::type;

namespace {
const TDateTime kNow = EncodeDateTime(2026, 12, 7, 12, 43, 14);
}

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    // However the calculator is left, the pledge follows and the start of
    // the record is written.
    void firstRun_data() {
        QTest::addColumn<bool>("saveFigures");
        QTest::newRow("figures saved") << true;
        QTest::newRow("calculator closed") << false;
    }
    void firstRun() {
        QFETCH(bool, saveFigures);
        TestSupport::TempProgramFolder folder;
        TestSupport::FrozenClock clock(kNow);
        TvxPrjInfo prj(folder.path());
        bool firstRunMode = false;
        DialogDriver::Script script;
        script
            .on<TfrmCalcDebt>([&](TfrmCalcDebt* calc) {
                firstRunMode = !calc->btnCancel->isVisible() &&
                               calc->btnOK->Caption() == QStringLiteral("확 인") &&
                               calc->btnOK->x() == 295;
                if (!saveFigures) {
                    calc->close();
                    return;
                }
                type(calc->edtCount, QStringLiteral("20"));
                type(calc->edtPrice, QStringLiteral("2500"));
                type(calc->edtYear, QStringLiteral("10"));
                click(calc->btnOK);
            })
            .on<TfrmToMe>([](TfrmToMe* toMe) {
                QVERIFY(toMe->memToMe->toPlainText().isEmpty());
                toMe->memToMe->setPlainText(QStringLiteral("오늘부터 금연\n꼭 지킨다"));
                click(toMe->btnOK);
            });
        script.start();
        RunStartupDialogs(prj);
        QVERIFY(script.finished() && !script.timedOut());
        QVERIFY(firstRunMode);

        IniProfile ini = prj.Ini();
        QCOMPARE(ini.ReadDateTime(Keys::Date, Keys::Start, 0), kNow);
        QCOMPARE(folder.read(QStringLiteral("ToMe.txt")),
                 Cp949::encode(QStringLiteral("오늘부터 금연\r\n꼭 지킨다")));
        if (saveFigures) {
            QCOMPARE(prj.ReadDebt(), 9125000);
            QCOMPARE(ini.ReadInteger(Keys::Personal, Keys::Every, 0), 3240);
            QCOMPARE(prj.ReadCigarPrice(), 125);
        } else {
            QVERIFY(!ini.SectionExists(Keys::Personal));
            QCOMPARE(prj.ReadDebt(), 0);
            QCOMPARE(prj.ReadCigarPrice(), Keys::DefaultCigarPrice);
            QCOMPARE(ini.ReadInteger(Keys::Personal, Keys::Every, Keys::DefaultEvery),
                     Keys::DefaultEvery);
        }
        QVERIFY(!ini.ValueExists(Keys::Date, Keys::Restart));
    }

    // A folder that refuses the start moment is reported, not passed over.
    void unwritableStartIsShown() {
        TestSupport::TempProgramFolder folder;
        TestSupport::FrozenClock clock(kNow);
        TvxPrjInfo prj(folder.path());
        std::optional<TestSupport::FileSizeLimit> limit;
        DialogDriver::Script script;
        script.on<TfrmCalcDebt>([](TfrmCalcDebt* calc) { calc->close(); })
            .on<TfrmToMe>([&](TfrmToMe* toMe) {
                click(toMe->btnOK);
                limit.emplace(8);
            })
            .answer(QMessageBox::Ok);
        script.start();
        RunStartupDialogs(prj);
        limit.reset();
        QVERIFY(script.finished() && !script.timedOut());
        QCOMPARE(script.messages.size(), 1);
        QCOMPARE(script.messages[0].icon, QMessageBox::Critical);
        QVERIFY(script.messages[0].text.contains(QStringLiteral("plzNoSmoking.ini")));
        QVERIFY(!prj.Ini().ValueExists(Keys::Date, Keys::Start));
    }

    // A logout or shutdown while the first questions wait: the sequence ends
    // there, no further dialog opens, and nothing is recorded, so the next
    // start asks the first questions again.
    void sessionEndDuringFirstRun() {
        TestSupport::TempProgramFolder folder;
        TestSupport::FrozenClock clock(kNow);
        TvxPrjInfo prj(folder.path());
        bool pledgeShown = false;
        DialogDriver::Script script;
        script.on<TfrmCalcDebt>([](TfrmCalcDebt*) { TvxModalDialog::EndSession(); });
        script.start();
        QTimer::singleShot(0, [&] {
            if (qobject_cast<TfrmToMe*>(QApplication::activeModalWidget()))
                pledgeShown = true;
        });
        RunStartupDialogs(prj);
        // A session ends once per process: bring the next cases a live one,
        // through the application loop, whose start and end reset it.
        TvxModalDialog::SetSessionEnded(false);
        QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        QCoreApplication::exec();
        QVERIFY(script.finished());
        QVERIFY(!pledgeShown);
        QCOMPARE(folder.files(), QStringList());
    }

    // A start with a settings file asks the daily check only, once the file
    // holds a quit moment; one without it (the first run killed while the
    // pledge was up) finishes the first run and writes the start once.
    void laterStart_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("pledgeThere");
        QTest::addColumn<QString>("dialogs");
        const QByteArray figures = "[Personal]\r\nDebt=9125000\r\nEvery=3240\r\n";
        QTest::newRow("start") << QByteArray("[Date]\r\nStart=2026-01-02 03:04:05\r\n") << false
                               << "check";
        QTest::newRow("restart only")
            << QByteArray("[Date]\r\nRestart=2026-01-02 03:04:05\r\n") << false << "check";
        QTest::newRow("cut in the pledge") << figures << false << "pledge";
        QTest::newRow("cut after the pledge") << figures << true << "";
    }
    void laterStart() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, pledgeThere);
        QFETCH(QString, dialogs);
        TestSupport::TempProgramFolder folder;
        TestSupport::FrozenClock clock(kNow);
        folder.write(QStringLiteral("plzNoSmoking.ini"), ini);
        if (pledgeThere)
            folder.write(QStringLiteral("ToMe.txt"), "금연");
        TvxPrjInfo prj(folder.path());
        QStringList shown;
        DialogDriver::Script script;
        if (dialogs == QLatin1String("check"))
            script.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* check) {
                shown << QStringLiteral("check");
                click(check->btnNoSmoked);
            });
        if (dialogs == QLatin1String("pledge"))
            script.on<TfrmToMe>([&](TfrmToMe* toMe) {
                shown << QStringLiteral("pledge");
                click(toMe->btnOK);
            });
        if (!dialogs.isEmpty())
            script.start();
        RunStartupDialogs(prj);
        QCOMPARE(shown.join(u' '), dialogs);
        if (dialogs == QLatin1String("check")) {
            QCOMPARE(folder.read(QStringLiteral("plzNoSmoking.ini")), ini);
            QVERIFY(!folder.exists(QStringLiteral("ToMe.txt")));
            return;
        }
        QCOMPARE(prj.ReadStart(0), kNow);
        QCOMPARE(prj.ReadDebt(), 9125000);
        // Written once: the next start is an ordinary one.
        clock.set(kNow + 1);
        shown.clear();
        DialogDriver::Script next;
        next.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* check) {
            shown << QStringLiteral("check");
            click(check->btnNoSmoked);
        });
        next.start();
        RunStartupDialogs(prj);
        QCOMPARE(shown, QStringList{QStringLiteral("check")});
        QCOMPARE(prj.ReadStart(0), kNow);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
