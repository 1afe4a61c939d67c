// The pledge writer and the craving-time pledge view: the file written
// exactly, read back whole, and never touched by the view.

#include "core/ProjectInfo.h"
#include "dialogs/ToMe.h"
#include "dialogs/WaitToMe.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/vxGradiBtn.h"

#include <QPlainTextEdit>
#include <QTest>
#include <memory>

using DialogDriver::click;

namespace {
const QString kPledge = QStringLiteral("ToMe.txt");
}

class TestPledge : public QObject {
    Q_OBJECT

private slots:
    // What the edit holds becomes the file, lines joined by CR LF with
    // nothing after the last; the next opening shows the same text.
    void roundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // CP949 of the file, as hex
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("one line") << QStringLiteral("금연") << QByteArray("b1ddbfac");
        QTest::newRow("two lines") << QStringLiteral("a\nb") << QByteArray("610d0a62");
        QTest::newRow("ends with a line break") << QStringLiteral("a\n") << QByteArray("610d0a");
        QTest::newRow("empty lines kept")
            << QStringLiteral("\n\na\n\n") << QByteArray("0d0a0d0a610d0a0d0a");
    }
    void roundTrip() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        {
            TfrmToMe d(prj);
            QVERIFY(d.memToMe->toPlainText().isEmpty());
            d.memToMe->setPlainText(text);
            DialogDriver::Script script;
            script.on<TfrmToMe>([](TfrmToMe* dlg) { click(dlg->btnOK); });
            script.start();
            QCOMPARE(d.ShowModal(), TvxModalDialog::mrOk);
        }
        QVERIFY(folder.exists(kPledge));
        QCOMPARE(folder.read(kPledge).toHex(), bytes);
        TfrmToMe again(prj);
        QCOMPARE(again.memToMe->toPlainText(), text);
        TfrmWaitToMe view(prj);
        QCOMPARE(view.memToMe->toPlainText(), text);
    }

    void unchangedPledgeRewritesSameBytes() {
        TestSupport::TempProgramFolder folder;
        const QByteArray bytes = Cp949::encode(QStringLiteral("첫째 줄\r\n\r\n셋째 줄"));
        folder.write(kPledge, bytes);
        TvxPrjInfo prj(folder.path());
        TfrmToMe d(prj);
        QCOMPARE(d.memToMe->toPlainText(), QStringLiteral("첫째 줄\n\n셋째 줄"));
        click(d.btnOK);
        QCOMPARE(d.ModalResult(), TvxModalDialog::mrOk);
        QCOMPARE(folder.read(kPledge), bytes);
    }

    // A character the file cannot hold must not cost the user the pledge.
    void unstorableTextStaysInTheEditor() {
        TestSupport::TempProgramFolder folder;
        const QByteArray before = Cp949::encode(QStringLiteral("예전 서약"));
        folder.write(kPledge, before);
        TvxPrjInfo prj(folder.path());
        TfrmToMe d(prj);
        const QString typed = QStringLiteral("새 서약 \U0001F6AD 끝");
        d.memToMe->setPlainText(typed);
        QString heldText;
        bool stayedOpen = false;
        DialogDriver::Script script;
        script.on<TfrmToMe>([](TfrmToMe* dlg) { click(dlg->btnOK); })
            .answer(QMessageBox::Ok)
            .on<TfrmToMe>([&](TfrmToMe* dlg) {
                stayedOpen = dlg->isVisible();
                heldText = dlg->memToMe->toPlainText();
                dlg->memToMe->setPlainText(QStringLiteral("새 서약 끝"));
                click(dlg->btnOK);
            });
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrOk);
        QVERIFY(!script.timedOut());
        QVERIFY(stayedOpen);
        QCOMPARE(heldText, typed);
        QCOMPARE(script.messages.size(), 1);
        QCOMPARE(script.messages[0].icon, QMessageBox::Critical);
        QVERIFY(!script.messages[0].text.isEmpty());
        QCOMPARE(folder.read(kPledge), Cp949::encode(QStringLiteral("새 서약 끝")));
    }

    void writerHasNoWayOutButItsButton() {
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmToMe d(prj);
        QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(d.focusWidget(), d.memToMe);
    }

    // However the view ends, typing in it never reaches the file.
    void viewNeverStores_data() {
        QTest::addColumn<int>("how"); // 1 thanks, 2 give up, 3 close box
        QTest::addColumn<int>("expected");
        QTest::newRow("고마워") << 1 << 1;
        QTest::newRow("짜증난다") << 2 << 2;
        QTest::newRow("close box") << 3 << 2;
    }
    void viewNeverStores() {
        QFETCH(int, how);
        QFETCH(int, expected);
        TestSupport::TempProgramFolder folder;
        const QByteArray bytes = Cp949::encode(QStringLiteral("담배는 끝\r\n다짐"));
        folder.write(kPledge, bytes);
        TvxPrjInfo prj(folder.path());
        TfrmWaitToMe d(prj);
        DialogDriver::Script script;
        script.on<TfrmWaitToMe>([how](TfrmWaitToMe* dlg) {
            QTest::keyClicks(dlg->memToMe, QStringLiteral("extra"));
            if (how == 1)
                click(dlg->vxGradiButton1);
            else if (how == 2)
                click(dlg->vxGradiButton2);
            else
                dlg->close();
        });
        script.start();
        QCOMPARE(d.ShowModal(), expected);
        QCOMPARE(folder.read(kPledge), bytes);
    }

    void viewOfMissingPledgeIsEmpty() {
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmWaitToMe d(prj);
        QVERIFY(d.memToMe->toPlainText().isEmpty());
        click(d.vxGradiButton1);
        QVERIFY(!folder.exists(kPledge));
    }

    // Tab never enters the pledge, whichever dialog shows it; it moves on to
    // the dialog's buttons, which the keyboard must reach.
    void tabNeverEntersThePledge_data() {
        QTest::addColumn<bool>("writer");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("writer, Tab") << true << int(Qt::NoModifier);
        QTest::newRow("writer, Shift+Tab") << true << int(Qt::ShiftModifier);
        QTest::newRow("writer, Ctrl+Tab") << true << int(Qt::ControlModifier);
        QTest::newRow("craving view, Tab") << false << int(Qt::NoModifier);
    }
    void tabNeverEntersThePledge() {
        QFETCH(bool, writer);
        QFETCH(int, modifiers);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        std::unique_ptr<TvxPledgeView> d;
        if (writer)
            d = std::make_unique<TfrmToMe>(prj);
        else
            d = std::make_unique<TfrmWaitToMe>(prj);
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get(), 60000));
        QCOMPARE(QApplication::focusWidget(), d->memToMe);
        QTest::keyClicks(d->memToMe, QStringLiteral("a"));
        const Qt::Key key = modifiers == Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab;
        QTest::keyClick(d->memToMe, key, Qt::KeyboardModifiers(modifiers));
        QVERIFY(qobject_cast<TvxGradiButton*>(QApplication::focusWidget()));
        QTest::keyClicks(d->memToMe, QStringLiteral("b"));
        QCOMPARE(d->memToMe->toPlainText(), QStringLiteral("ab"));
        if (auto* toMe = dynamic_cast<TfrmToMe*>(d.get())) {
            click(toMe->btnOK);
            QCOMPARE(folder.read(kPledge), QByteArray("ab"));
        }
        d->hide();
    }
};

QTEST_MAIN(TestPledge)
#include "tst_pledge.moc"
