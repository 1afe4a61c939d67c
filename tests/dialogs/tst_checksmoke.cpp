// The daily check: its three answers and what each leaves in the files.

#include "core/ProjectInfo.h"
#include "dialogs/CheckSmoke.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/vxGradiBtn.h"

#include <QTest>
#include <optional>

using DialogDriver::click;

namespace {

const QByteArray kIni = "[Personal]\r\nDebt=9125000\r\nCount Retry=2\r\n[Date]\r\nStart=2026-01-02 "
                        "03:04:05\r\n";

} // namespace

class TestCheckSmoke : public QObject {
    Q_OBJECT

private slots:
    void confirmationText() {
        const QStringList lines = TfrmCheckSmoke::ConfirmationText().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 11);
        for (int i = 1; i < lines.size(); i += 2)
            QVERIFY(lines[i].isEmpty());
        QCOMPARE(lines[0],
                 QStringLiteral("아쉽게도 담배를 피우셨군요. 그러나 끊으실 수 있습니다...!!"));
        QCOMPARE(lines[4], QStringLiteral("숨가쁨일 뿐입니다."));
        QCOMPARE(lines[8], QStringLiteral("모든 시간 정보는 '0' 으로 설정되며, 천민 등급에서"));
        QCOMPARE(lines[10], QStringLiteral("다시 시작합니다."));
    }

    // sorry: 0 never, 1 then Cancel, 2 then OK.
    void answers_data() {
        QTest::addColumn<int>("sorry");
        QTest::addColumn<bool>("restarted");
        QTest::newRow("안 피웠어") << 0 << false;
        QTest::newRow("미안, then Cancel, then 안 피웠어") << 1 << false;
        QTest::newRow("미안, then OK") << 2 << true;
    }
    void answers() {
        QFETCH(int, sorry);
        QFETCH(bool, restarted);
        TestSupport::TempProgramFolder folder;
        folder.write(QStringLiteral("plzNoSmoking.ini"), kIni);
        TestSupport::FrozenClock clock(EncodeDateTime(2026, 12, 7, 12, 43, 14));
        TvxPrjInfo prj(folder.path());
        TfrmCheckSmoke d(prj);
        bool stillOpen = true;
        DialogDriver::Script script;
        script.on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
            // Keys alone answer nothing.
            QTest::keyClick(dlg, Qt::Key_Escape);
            QTest::keyClick(dlg, Qt::Key_Return);
            stillOpen = dlg->isVisible();
            click(sorry == 0 ? dlg->btnNoSmoked : dlg->btnSorry);
        });
        if (sorry == 1)
            script.answer(QMessageBox::Cancel).on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
                stillOpen = stillOpen && dlg->isVisible();
                click(dlg->btnNoSmoked);
            });
        if (sorry == 2)
            script.answer(QMessageBox::Ok);
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrCancel);
        QVERIFY(!script.timedOut());
        QVERIFY(stillOpen);

        if (sorry > 0) {
            QCOMPARE(script.messages.size(), 1);
            const auto& box = script.messages[0];
            QCOMPARE(box.title, QStringLiteral("Information"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.text, TfrmCheckSmoke::ConfirmationText());
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(box.defaultButton, QMessageBox::Ok);
            QCOMPARE(box.escapeButton, QMessageBox::Cancel);
        }

        if (!restarted) {
            QCOMPARE(folder.files(), QStringList{QStringLiteral("plzNoSmoking.ini")});
            QCOMPARE(folder.read(QStringLiteral("plzNoSmoking.ini")), kIni);
            return;
        }
        QCOMPARE(prj.ReadRetryCount(), 3);
        QCOMPARE(prj.Ini().ReadDateTime(Keys::Date, Keys::Restart, 0),
                 EncodeDateTime(2026, 12, 7, 12, 43, 14));
        QCOMPARE(folder.read(QStringLiteral("plzNoSmoking.log")),
                 Cp949::encode(QStringLiteral("다시 시작 :2026-12-07 12:43:14\r\n")));
        // The start of the record stays as it was.
        QCOMPARE(prj.Ini().ReadString(Keys::Date, Keys::Start, QString()),
                 QStringLiteral("2026-01-02 03:04:05"));
    }

    // A relapse that cannot be recorded leaves the question open and the
    // record as it was: no restart without its log line and count.
    void failedRestartKeepsTheQuestionOpen_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("refusedFile"); // the file the error names
        QTest::newRow("nothing can be written") << kIni << 8 << "plzNoSmoking.log";
        // The log line alone would fit; the settings file cannot take Restart.
        QTest::newRow("only the settings file refuses")
            << kIni + "; " + QByteArray(400, 'x') + "\r\n"
            << 300 << "plzNoSmoking.ini";
    }
    void failedRestartKeepsTheQuestionOpen() {
        QFETCH(QByteArray, ini);
        QFETCH(int, limit);
        QFETCH(QString, refusedFile);
        TestSupport::TempProgramFolder folder;
        folder.write(QStringLiteral("plzNoSmoking.ini"), ini);
        TestSupport::FrozenClock clock(EncodeDateTime(2026, 12, 7, 12, 43, 14));
        TvxPrjInfo prj(folder.path());
        TfrmCheckSmoke d(prj);
        std::optional<TestSupport::FileSizeLimit> full;
        bool reopened = false;
        DialogDriver::Script script;
        script
            .on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
                full.emplace(limit);
                click(dlg->btnSorry);
            })
            .answer(QMessageBox::Ok) // yes, I smoked
            .answer(QMessageBox::Ok) // the error
            .on<TfrmCheckSmoke>([&](TfrmCheckSmoke* dlg) {
                full.reset();
                reopened = dlg->isVisible();
                click(dlg->btnNoSmoked);
            });
        script.start();
        d.ShowModal();
        full.reset();
        QVERIFY2(script.finished() && !script.timedOut(), "the dialog closed after the error");
        QVERIFY(reopened);
        QCOMPARE(script.messages.size(), 2);
        QCOMPARE(script.messages[1].icon, QMessageBox::Critical);
        QVERIFY(script.messages[1].text.contains(folder.file(refusedFile)));
        QCOMPARE(folder.files(), QStringList{QStringLiteral("plzNoSmoking.ini")});
        QCOMPARE(folder.read(QStringLiteral("plzNoSmoking.ini")), ini);
    }

    // Only the two buttons answer: no caption button, nothing focused.
    void noOtherWayOut() {
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmCheckSmoke d(prj);
        QVERIFY(!(d.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)));
        QCOMPARE(d.focusWidget(), nullptr);
    }
};

QTEST_MAIN(TestCheckSmoke)
#include "tst_checksmoke.moc"
