// The three read-only windows: the rank ladder, the history log and the
// health effects. Their content, their frame, and that they only close.

#include "core/ProjectInfo.h"
#include "dialogs/NonEffect.h"
#include "dialogs/ShowGrade.h"
#include "dialogs/ShowLog.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/vxGradiBtn.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

using DialogDriver::click;

namespace {

// A distinct picture per rank, so that each item's icon can be told apart.
QList<QPixmap> numberedIcons() {
    QList<QPixmap> icons;
    for (int i = 0; i < 19; ++i) {
        QPixmap p(32, 32);
        p.fill(QColor(10 * i, 255 - 10 * i, 100));
        icons.append(p);
    }
    return icons;
}

enum Which { Grades, Log, Effects };

std::unique_ptr<TvxModalDialog> make(Which which, TvxPrjInfo& prj) {
    switch (which) {
    case Grades:
        return std::make_unique<TfrmShowGrade>(numberedIcons());
    case Log:
        return std::make_unique<TfrmShowLog>(prj);
    default:
        return std::make_unique<TfrmNonEffect>();
    }
}

TvxGradiButton* okButton(TvxModalDialog* d) {
    if (auto* g = qobject_cast<TfrmShowGrade*>(d))
        return g->btnOK;
    if (auto* l = qobject_cast<TfrmShowLog*>(d))
        return l->btnOK;
    return qobject_cast<TfrmNonEffect*>(d)->vxGradiButton1;
}

} // namespace

class TestInfoDialogs : public QObject {
    Q_OBJECT

private slots:
    // Caption, client area, the one "확 인" button and its place; the button
    // and the close box both end the window with Cancel (2).
    void frameAndButton_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("button");
        QTest::addColumn<bool>("closeBox");
        for (bool closeBox : {false, true}) {
            const char* how = closeBox ? " close box" : " button";
            QTest::addRow("grades%s", how)
                << int(Grades) << "Tarvell의 신분 등급 소개" << QSize(469, 369)
                << QRect(390, 340, 75, 25) << closeBox;
            QTest::addRow("log%s", how) << int(Log) << "이력 관리" << QSize(565, 325)
                                        << QRect(480, 295, 75, 25) << closeBox;
            QTest::addRow("effects%s", how) << int(Effects) << "금연 효과" << QSize(563, 323)
                                            << QRect(465, 290, 85, 25) << closeBox;
        }
    }
    void frameAndButton() {
        QFETCH(int, which);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QRect, button);
        QFETCH(bool, closeBox);
        TestSupport::TempProgramFolder folder;
        TvxPrjInfo prj(folder.path());
        auto d = make(Which(which), prj);
        QCOMPARE(d->windowTitle(), caption);
        QCOMPARE(d->size(), client);
        QVERIFY(d->windowFlags() & Qt::WindowCloseButtonHint);
        TvxGradiButton* ok = okButton(d.get());
        QCOMPARE(ok->geometry(), button);
        QCOMPARE(ok->Caption(), QStringLiteral("확 인"));
        DialogDriver::Script script;
        script.on<TvxModalDialog>([closeBox, ok](TvxModalDialog* dlg) {
            if (closeBox)
                dlg->close();
            else
                click(ok);
        });
        script.start();
        QCOMPARE(d->ShowModal(), TvxModalDialog::mrCancel);
        QVERIFY(!script.timedOut());
        // Nothing is ever written by these windows.
        QVERIFY(QDir(folder.path()).isEmpty());
    }

    // All 19 ranks, in order, each with its icon and a two-line label:
    // the title, then the bracketed time it needs.
    void rankLadder_data() {
        QTest::addColumn<int>("rank");
        QTest::addColumn<QString>("label");
        const char* labels[19] = {
            "천민\n(시작)", "평민\n(하루)",   "병사\n(3일)",    "기사\n(7일)",   "기사장\n(10일)",
            "장군\n(14일)", "상장군\n(18일)", "대장군\n(23일)", "귀족\n(한달)",  "남작\n(42일)",
            "자작\n(56일)", "백작\n(70일)",   "후작\n(84일)",   "공작\n(100일)", "왕족\n(넉달)",
            "왕\n(6개월)",  "대왕\n(1년)",    "황제\n(5년)",    "신\n(10년)"};
        for (int i = 0; i < 19; ++i)
            QTest::addRow("%d", i) << i << QString::fromUtf8(labels[i]);
    }
    void rankLadder() {
        QFETCH(int, rank);
        QFETCH(QString, label);
        const QList<QPixmap> icons = numberedIcons();
        TfrmShowGrade d(icons);
        QCOMPARE(d.lstView->count(), 19);
        QCOMPARE(d.lstView->viewMode(), QListView::IconMode);
        // Whatever the user's rank, nothing is marked, and every rank is in
        // view without scrolling.
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d, 60000));
        QVERIFY(d.lstView->selectedItems().isEmpty() && !d.lstView->currentIndex().isValid());
        QVERIFY(d.lstView->viewport()->rect().contains(
            d.lstView->visualItemRect(d.lstView->item(rank))));
        QListWidgetItem* item = d.lstView->item(rank);
        QCOMPARE(item->text(), label);
        QCOMPARE(item->icon().pixmap(32, 32).toImage().pixel(16, 16),
                 icons[rank].toImage().pixel(16, 16));
        QVERIFY(!(item->flags() & Qt::ItemIsEditable));
    }

    // The log as stored, CP949 decoded and otherwise untouched; a missing
    // or empty log gives an empty viewer that still has its scroll bar.
    void logShownAsStored_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("missing") << false << QByteArray() << QString();
        QTest::newRow("empty") << true << QByteArray() << QString();
        QTest::newRow("relapse and promotion")
            << true
            << QByteArray("\xb4\xd9\xbd\xc3 \xbd\xc3\xc0\xdb :2026-12-07 12:43:14\r\n"
                          "    \xbd\xc2 \xb1\xde :2026-12-08 12:43:15   \xc6\xf2\xb9\xce...!!\r\n")
            << QStringLiteral("다시 시작 :2026-12-07 12:43:14\n"
                              "    승 급 :2026-12-08 12:43:15   평민...!!\n");
        QTest::newRow("hand-edited, lone line ends and no final one")
            << true << QByteArray("a\rb\nc") << QStringLiteral("a\nb\nc");
    }
    void logShownAsStored() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        TestSupport::TempProgramFolder folder;
        if (exists)
            folder.write("plzNoSmoking.log", bytes);
        TvxPrjInfo prj(folder.path());
        TfrmShowLog d(prj);
        QCOMPARE(d.mem->toPlainText(), shown);
        QVERIFY(d.mem->isReadOnly());
        QCOMPARE(d.mem->geometry(), QRect(10, 5, 541, 281));
        QCOMPARE(d.mem->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(d.mem->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        // Typing goes nowhere.
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d, 60000));
        QTest::keyClicks(d.mem, QStringLiteral("xyz"));
        QCOMPARE(d.mem->toPlainText(), shown);
        QCOMPARE(folder.exists("plzNoSmoking.log"), exists);
    }

    // The 32 fixed lines; detail lines begin with three blanks.
    void effectsText() {
        const char* expected[32] = {
            "금연 20 분 후",
            "   혈압과 맥박이 정상으로 돌아오고 손발부터 정상",
            "   체온으로 올라갑니다.",
            "",
            "금연 8시간 후",
            "   혈중 카본모노싸이드의 수치가 떨어지고",
            "   혈중 산소량이 정상치로 올라갑니다.",
            "",
            "금연 12시간 후",
            "   심장마비 위험의 공포에서 벗어납니다.",
            "",
            "금연 48시간 후",
            "   말초신경이 되살아 나기 시작하며, 맛과 냄새를",
            "   더 잘 알아 봅니다.",
            "",
            "금연 72시간 후",
            "   기관지가 편안해져서 호흡이 편해집니다.",
            "",
            "금연 2주 후",
            "   순환기능이 좋아져 산책하기가 좋아집니다.",
            "   폐기능이 30% 증가합니다.",
            "",
            "금연 9개월 후",
            "   기침,피로,숨가쁜 증상이 사라지기 시작하고,",
            "   그을렸던 폐와 얼굴색이 깨끗해지기 시작합니다.",
            "",
            "금연 5년 후",
            "   폐암으로 죽는 확률이 반으로 뚝 떨어집니다.",
            "",
            "금연 10년 후",
            "   폐암사망확률이 10% 이하로 10%이하로 뚝 떨어집니다.",
            "   이제 100세 건강을 지켜 나가십시요.",
        };
        TfrmNonEffect d;
        const QStringList lines = d.RichEdit1->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 32);
        for (int i = 0; i < 32; ++i)
            QCOMPARE(lines[i], QString::fromUtf8(expected[i]));
        QVERIFY(d.RichEdit1->isReadOnly());
        QCOMPARE(d.RichEdit1->geometry(), QRect(10, 5, 541, 281));
        QCOMPARE(d.vxGradiButton1->ModalResult(), 2);
    }
};

QTEST_MAIN(TestInfoDialogs)
#include "tst_infodialogs.moc"
