// The smoking-cost calculator: live figures, input checks, what a save
// stores, and the first-run mode.

#include "core/ProjectInfo.h"
#include "dialogs/CalcDebt.h"
#include "dialogs/StateReloader.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/vxGradiBtn.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using DialogDriver::click;
using DialogDriver::type;

namespace {

struct CountingReloader : IStateReloader {
    int calls = 0;
    void LoadState() override { ++calls; }
};

// Types each non-empty figure into its edit.
void fill(TfrmCalcDebt& d, const QString& n, const QString& p, const QString& e, const QString& y,
          const QString& g = QString()) {
    const QList<QPair<QLineEdit*, QString>> rows{
        {d.edtCount, n}, {d.edtPrice, p}, {d.edtEtc, e}, {d.edtYear, y}, {d.edtYearGuess, g}};
    for (const auto& [edit, text] : rows)
        if (!text.isEmpty())
            type(edit, text);
}

const QString kNoCount = QStringLiteral("담배 개비 수를 입력하여 주십시오.");
const QString kNoPrice = QStringLiteral("담배 값이 빠졌네요....^^");
const QString kNoYears = QStringLiteral("에궁~ 흡연하신 년 수를 넣어 주십시오.");

} // namespace

class TestCalcDebt : public QObject {
    Q_OBJECT

private slots:
    void opensEmptyWhateverTheFileHolds() {
        TestSupport::TempProgramFolder folder;
        folder.write(QStringLiteral("plzNoSmoking.ini"),
                     "[Personal]\r\nDebt=5000\r\nEvery=3240\r\nCigar Price=125\r\n");
        TvxPrjInfo prj(folder.path());
        TfrmCalcDebt d(prj);
        for (QLineEdit* e : {d.edtCount, d.edtPrice, d.edtEtc, d.edtYear, d.edtYearGuess})
            QCOMPARE(TfrmCalcDebt::Figure(e), 0);
        QCOMPARE(d.labSum->text(), QStringLiteral("0 원"));
        QCOMPARE(d.labTotal->text(), QStringLiteral("0 원"));
        QVERIFY(d.labMessage->text().isEmpty());
        QCOMPARE(d.focusWidget(), d.edtCount);
        QVERIFY(!d.btnOK->TabStop() && !d.btnOK->Default() && !d.btnCancel->Cancel());
    }

    // The edits take digits only, at most as many as their mask holds.
    void editsTakeDigitsOnly_data() {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("figure");
        QTest::newRow("count, letters dropped") << 0 << QStringLiteral("a1b2") << 12;
        QTest::newRow("count, two digits at most") << 0 << QStringLiteral("123") << 12;
        QTest::newRow("price, four digits") << 1 << QStringLiteral("25001") << 2500;
        QTest::newRow("extras, five digits") << 2 << QStringLiteral("123456") << 12345;
        QTest::newRow("years, minus sign dropped") << 3 << QStringLiteral("-5") << 5;
        QTest::newRow("leading zero") << 4 << QStringLiteral("07") << 7;
    }
    void editsTakeDigitsOnly() {
        QFETCH(int, edit);
        QFETCH(QString, keys);
        QFETCH(int, figure);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmCalcDebt d(prj);
        QLineEdit* edits[] = {d.edtCount, d.edtPrice, d.edtEtc, d.edtYear, d.edtYearGuess};
        type(edits[edit], keys);
        QCOMPARE(TfrmCalcDebt::Figure(edits[edit]), figure);
    }

    void liveFigures_data() {
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("e");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("g");
        QTest::addColumn<int>("yearCost");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("total");
        QTest::newRow("a pack a day for ten years")
            << "20"
            << "2500"
            << ""
            << "10"
            << "30" << 912500 << QStringLiteral("9,125,000원") << QStringLiteral("36,500,000원");
        QTest::newRow("everything at its largest")
            << "99"
            << "9999"
            << "99999"
            << "99"
            << "99" << 19265681 << QStringLiteral("1,907,302,419원")
            << QStringLiteral("3,814,604,838원");
        // p × n × 365 / 20 ends in .25, .5 or .75; halves go to the even neighbour.
        QTest::newRow("36.5 to 36") << "2"
                                    << "1"
                                    << ""
                                    << "1"
                                    << "" << 36 << QStringLiteral("36원") << QStringLiteral("36원");
        QTest::newRow("109.5 to 110")
            << "3"
            << "2"
            << ""
            << "1"
            << "" << 110 << QStringLiteral("110원") << QStringLiteral("110원");
        QTest::newRow("18.25 to 18")
            << "1"
            << "1"
            << ""
            << "1"
            << "" << 18 << QStringLiteral("18원") << QStringLiteral("18원");
        QTest::newRow("54.75 to 55")
            << "3"
            << "1"
            << ""
            << "2"
            << "1" << 55 << QStringLiteral("110원") << QStringLiteral("165원");
        QTest::newRow("extras count twelve months")
            << ""
            << ""
            << "1000"
            << "3"
            << "" << 12000 << QStringLiteral("36,000원") << QStringLiteral("36,000원");
        QTest::newRow("no years smoked, future only")
            << "20"
            << "2500"
            << ""
            << ""
            << "2" << 912500 << QStringLiteral("0원") << QStringLiteral("1,825,000원");
    }
    void liveFigures() {
        QFETCH(QString, n);
        QFETCH(QString, p);
        QFETCH(QString, e);
        QFETCH(QString, y);
        QFETCH(QString, g);
        QFETCH(int, yearCost);
        QFETCH(QString, sum);
        QFETCH(QString, total);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmCalcDebt d(prj);
        fill(d, n, p, e, y, g);
        QCOMPARE(d.GetYearCost(), yearCost);
        QCOMPARE(d.labSum->text(), sum);
        QCOMPARE(d.labTotal->text(), total);
        QVERIFY(!folder.exists(QStringLiteral("plzNoSmoking.ini")));
    }

    void saveStoresThreeKeys_data() {
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("e");
        QTest::addColumn<QString>("y");
        QTest::addColumn<int>("debt");
        QTest::addColumn<int>("every");
        QTest::addColumn<int>("price");
        QTest::newRow("a pack a day") << "20"
                                      << "2500"
                                      << "0"
                                      << "10" << 9125000 << 3240 << 125;
        QTest::newRow("seven a day") << "7"
                                     << "2500"
                                     << ""
                                     << "1" << 319375 << 9257 << 125;
        QTest::newRow("price cut to whole won") << "20"
                                                << "2990"
                                                << ""
                                                << "1" << 1091350 << 3240 << 149;
        QTest::newRow("largest debt") << "99"
                                      << "9999"
                                      << "99999"
                                      << "99" << 1907302419 << 654 << 499;
    }
    void saveStoresThreeKeys() {
        QFETCH(QString, n);
        QFETCH(QString, p);
        QFETCH(QString, e);
        QFETCH(QString, y);
        QFETCH(int, debt);
        QFETCH(int, every);
        QFETCH(int, price);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        CountingReloader main;
        TfrmCalcDebt d(prj, &main);
        fill(d, n, p, e, y, QStringLiteral("30"));
        click(d.btnOK);
        QCOMPARE(d.ModalResult(), TvxModalDialog::mrOk);
        QCOMPARE(main.calls, 1);
        IniProfile ini = prj.Ini();
        QCOMPARE(ini.ReadInteger(Keys::Personal, Keys::Debt, -1), debt);
        QCOMPARE(ini.ReadInteger(Keys::Personal, Keys::Every, -1), every);
        QCOMPARE(ini.ReadInteger(Keys::Personal, Keys::CigarPrice, -1), price);
        // Written in this order, and nothing else.
        QCOMPARE(ini.ReadSection(Keys::Personal),
                 QStringList({Keys::Debt, Keys::Every, Keys::CigarPrice}));
        QVERIFY(!ini.SectionExists(Keys::Date));
    }

    // The first failing check wins, points at its edit and stores nothing.
    void checks_data() {
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus"); // edit index
        QTest::newRow("all empty") << ""
                                   << ""
                                   << "" << kNoCount << 0;
        QTest::newRow("count zero") << "0"
                                    << "2500"
                                    << "10" << kNoCount << 0;
        QTest::newRow("count double zero") << "00"
                                           << "2500"
                                           << "10" << kNoCount << 0;
        QTest::newRow("price missing") << "20"
                                       << ""
                                       << "10" << kNoPrice << 1;
        QTest::newRow("price zero, years missing") << "20"
                                                   << "0000"
                                                   << "" << kNoPrice << 1;
        QTest::newRow("years missing") << "20"
                                       << "2500"
                                       << "" << kNoYears << 3;
        QTest::newRow("years zero") << "20"
                                    << "2500"
                                    << "0" << kNoYears << 3;
    }
    void checks() {
        QFETCH(QString, n);
        QFETCH(QString, p);
        QFETCH(QString, y);
        QFETCH(QString, message);
        QFETCH(int, focus);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        CountingReloader main;
        TfrmCalcDebt d(prj, &main);
        QLineEdit* edits[] = {d.edtCount, d.edtPrice, d.edtEtc, d.edtYear, d.edtYearGuess};
        fill(d, n, p, QString(), y);
        d.edtEtc->setFocus();
        bool stayedOpen = false;
        DialogDriver::Script script;
        script.on<TfrmCalcDebt>([&](TfrmCalcDebt* dlg) {
            click(dlg->btnOK);
            stayedOpen = dlg->isVisible();
            dlg->SetModalResult(3);
        });
        script.start();
        QCOMPARE(d.ShowModal(), 3);
        QVERIFY(stayedOpen);
        QCOMPARE(d.labMessage->text(), message);
        QCOMPARE(d.focusWidget(), edits[focus]);
        QCOMPARE(main.calls, 0);
        QVERIFY(!folder.exists(QStringLiteral("plzNoSmoking.ini")));
    }

    void keystrokeClearsMessage_data() {
        QTest::addColumn<int>("edit");
        for (int i = 0; i < 5; ++i)
            QTest::newRow(qPrintable(QStringLiteral("edit %1").arg(i))) << i;
    }
    void keystrokeClearsMessage() {
        QFETCH(int, edit);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmCalcDebt d(prj);
        QLineEdit* edits[] = {d.edtCount, d.edtPrice, d.edtEtc, d.edtYear, d.edtYearGuess};
        click(d.btnOK);
        QCOMPARE(d.labMessage->text(), kNoCount);
        QTest::keyClick(edits[edit], Qt::Key_4);
        QVERIFY(d.labMessage->text().isEmpty());
    }

    void cancelStoresNothing() {
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        CountingReloader main;
        TfrmCalcDebt d(prj, &main);
        fill(d, "20", "2500", "", "10");
        DialogDriver::Script script;
        script.on<TfrmCalcDebt>([](TfrmCalcDebt* dlg) { click(dlg->btnCancel); });
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrCancel);
        QCOMPARE(main.calls, 0);
        QVERIFY(!folder.exists(QStringLiteral("plzNoSmoking.ini")));
    }

    void firstRunMode() {
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        CountingReloader main;
        TfrmCalcDebt d(prj, &main);
        QVERIFY(!d.IsFirstRunMode());
        d.SetFirstRunMode();
        QVERIFY(d.IsFirstRunMode());
        bool oneButton = false;
        DialogDriver::Script script;
        script.on<TfrmCalcDebt>([&](TfrmCalcDebt* dlg) {
            oneButton = dlg->btnOK->isVisible() && !dlg->btnCancel->isVisible() &&
                        dlg->btnOK->geometry() == QRect(295, 250, 75, 25) &&
                        dlg->btnOK->Caption() == QStringLiteral("확 인");
            fill(*dlg, "20", "2500", "", "10");
            click(dlg->btnOK);
        });
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrOk);
        QVERIFY(oneButton);
        QCOMPARE(main.calls, 0);
        QCOMPARE(prj.ReadDebt(), 9125000);
    }

    // A settings file that cannot be written must not cost the user the
    // figures: the error is shown and the dialog stays for another try.
    void failedSaveKeepsDialogOpen() {
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        CountingReloader main;
        TfrmCalcDebt d(prj, &main);
        fill(d, "20", "2500", "", "10");
        bool stayedOpen = false;
        DialogDriver::Script script;
        script
            .on<TfrmCalcDebt>([&](TfrmCalcDebt* dlg) {
                TestSupport::FileSizeLimit limit(8);
                click(dlg->btnOK);
            })
            .answer(QMessageBox::Ok)
            .on<TfrmCalcDebt>([&](TfrmCalcDebt* dlg) {
                stayedOpen = dlg->isVisible() && main.calls == 0 &&
                             TfrmCalcDebt::Figure(dlg->edtCount) == 20;
                click(dlg->btnOK);
            });
        script.start();
        QCOMPARE(d.ShowModal(), TvxModalDialog::mrOk);
        QVERIFY(!script.timedOut());
        QVERIFY(stayedOpen);
        QCOMPARE(script.messages.size(), 1);
        QCOMPARE(script.messages[0].icon, QMessageBox::Critical);
        QVERIFY(script.messages[0].text.startsWith(QStringLiteral("Unable to write to ")));
        QCOMPARE(main.calls, 1);
        QCOMPARE(prj.ReadDebt(), 9125000);
    }

    // Entering a filled figure from the keyboard selects it whole, so what
    // is typed replaces it: "2500", entered again and typed "900", is 900.
    void reenteredFigureIsReplaced_data() {
        QTest::addColumn<int>("how"); // 0 Tab, 1 Shift+Tab, 2 the check's own focus
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("figure");
        QTest::newRow("Tab into it") << 0 << "900" << 900;
        QTest::newRow("Shift+Tab back into it") << 1 << "900" << 900;
        QTest::newRow("sent back by the check") << 2 << "15" << 15;
    }
    void reenteredFigureIsReplaced() {
        QFETCH(int, how);
        QFETCH(QString, typed);
        QFETCH(int, figure);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmCalcDebt d(prj);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d, 60000));
        fill(d, "20", "2500", "", "10");
        QLineEdit* target = d.edtPrice;
        if (how == 0) {
            d.edtCount->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(d.edtCount, Qt::Key_Tab);
        } else if (how == 1) {
            d.edtEtc->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(d.edtEtc, Qt::Key_Backtab, Qt::ShiftModifier);
        } else {
            target = d.edtYear;
            type(d.edtYear, "00");
            d.edtPrice->setFocus(Qt::MouseFocusReason);
            click(d.btnOK);
            QCOMPARE(d.labMessage->text(), kNoYears);
        }
        QCOMPARE(QApplication::focusWidget(), target);
        QVERIFY(target->hasSelectedText());
        QTest::keyClicks(target, typed);
        QCOMPARE(TfrmCalcDebt::Figure(target), figure);
        d.hide();
    }

    // A click on the text keeps the cursor where the user pointed; a click
    // past it puts the cursor on the first place that takes a digit.
    void clickedFigure_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("figure");
        QTest::newRow("on the text") << "2500" << 3 << 0 << "" << 2500;
        QTest::newRow("empty, right of the blanks") << "" << 40 << 0 << "20" << 20;
        QTest::newRow("half filled, past it") << "25" << 45 << 2 << "00" << 2500;
        QTest::newRow("full, past it") << "2500" << 45 << 4 << "9" << 2500;
    }
    void clickedFigure() {
        QFETCH(QString, before);
        QFETCH(int, x);
        QFETCH(int, cursor);
        QFETCH(QString, typed);
        QFETCH(int, figure);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        TfrmCalcDebt d(prj);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d, 60000));
        fill(d, "20", before, "", "10");
        d.edtCount->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(d.edtPrice, Qt::LeftButton, Qt::NoModifier, QPoint(x, 10));
        QCOMPARE(QApplication::focusWidget(), d.edtPrice);
        QVERIFY(!d.edtPrice->hasSelectedText());
        QCOMPARE(d.edtPrice->cursorPosition(), cursor);
        QTest::keyClicks(d.edtPrice, typed);
        QCOMPARE(TfrmCalcDebt::Figure(d.edtPrice), figure);
        d.hide();
    }
};

QTEST_MAIN(TestCalcDebt)
#include "tst_calcdebt.moc"
