// The relapse and craving flows of the main window, end to end, with every
// dialog answered by the test: what each path writes and what the window
// shows afterwards.

#include "core/ProjectInfo.h"
#include "dialogs/DontBear.h"
#include "dialogs/Sorry.h"
#include "dialogs/WaitShowWeb.h"
#include "dialogs/WaitToMe.h"
#include "dialogs/WaitWater.h"
#include "mainwindow/Application.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "runtime/Desktop.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"
#include "widgets/ErrorBox.h"

#include <QLabel>
#include <QTest>
#include <memory>

using DialogDriver::click;
using TestSupport::FrozenClock;
using TestSupport::TempProgramFolder;

namespace {

const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);
const QString kLog = QStringLiteral("plzNoSmoking.log");

// The last question of the craving flow, piece by piece, an empty line
// (two CR LF) between pieces.
const QString kConfirmation =
    QStringLiteral(" \r\n\r\n금단 증상은 병이 아닙니다. 또한 금연은\r\n\r\n"
                   "누구에게나 힘든 일입니다.\r\n\r\n"
                   "그러나 당신은 졌어도 분명 이기는 분이 계십니다.!!\r\n\r\n"
                   "모든 시간 정보는 '0' 으로 설정되며, 천민 등급에서\r\n\r\n"
                   "다시 시작합니다.");

// How a dialog is answered: "ok" (the button that helped or confirms),
// "cancel" (the other button) or "close" (the close box).
template <class T>
void answer(T* dlg, const QString& how, TvxGradiButton* ok, TvxGradiButton* cancel) {
    if (how == QLatin1String("ok"))
        click(ok);
    else if (how == QLatin1String("cancel"))
        click(cancel);
    else
        dlg->close();
}

} // namespace

class TestFlows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void cravingPaths_data();
    void cravingPaths();
    void relapseAnswers_data();
    void relapseAnswers();
    void relapseTwice();
    void restartShowsTheNewRecord();
    void failedRestartChangesNothing_data();
    void failedRestartChangesNothing();
    void buttonsOpenTheFlows();

private:
    TfrmMain& load();
    // Answers the relapse dialog and returns its caption.
    void scriptSorry(DialogDriver::Script& script, const QString& how);
    int retryKey() const { return m_prj->Ini().ReadInteger(Keys::Personal, Keys::CountRetry, -1); }
    QStringList logLines() const {
        return Cp949::decode(m_dir->read(kLog)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    std::unique_ptr<TempProgramFolder> m_dir;
    std::unique_ptr<FrozenClock> m_clock;
    std::unique_ptr<TvxPrjInfo> m_prj;
    std::unique_ptr<TvxAnniversary> m_cursor;
    std::unique_ptr<TfrmImagesRes> m_images;
    std::unique_ptr<TfrmMain> m_main;
    int m_homePages = 0;
    QStringList m_errors;
};

void TestFlows::init() {
    m_dir = std::make_unique<TempProgramFolder>();
    m_clock = std::make_unique<FrozenClock>(kNow);
    m_prj = std::make_unique<TvxPrjInfo>(m_dir->path());
    m_cursor = std::make_unique<TvxAnniversary>(m_dir->path());
    m_images = std::make_unique<TfrmImagesRes>();
    m_homePages = 0;
    m_errors.clear();
    Desktop::SetOpenUrlHandler([this](const QString&) {
        ++m_homePages;
        return true;
    });
    SetErrorBoxHandler([this](const QString& message) { m_errors << message; });
    // Quit two days ago and promoted to 평민 since: the rank blinks.
    m_prj->Ini().WriteDateTime(Keys::Date, Keys::Start, EncodeDateTime(2026, 12, 6, 8, 0, 0));
    m_prj->Ini().WriteInteger(Keys::Personal, Keys::CountRetry, 999);
    m_prj->WritePledge(QStringLiteral("담배는 이제 끝"));
}

void TestFlows::cleanup() {
    m_main.reset();
    m_images.reset();
    m_cursor.reset();
    m_prj.reset();
    m_clock.reset();
    m_dir.reset();
    Desktop::SetOpenUrlHandler({});
    SetErrorBoxHandler({});
}

TfrmMain& TestFlows::load() {
    m_main = std::make_unique<TfrmMain>(*m_prj, *m_cursor, m_images.get());
    m_main->SetTrayAvailableForTesting(1);
    m_main->LoadState();
    return *m_main;
}

void TestFlows::scriptSorry(DialogDriver::Script& script, const QString& how) {
    script.on<TfrmSorry>([how](TfrmSorry* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("에고, 이런 이런"));
        answer(d, how, d->vxGradiButton1, d->vxGradiButton2);
    });
}

void TestFlows::cravingPaths_data() {
    QTest::addColumn<QStringList>("answers"); // water, board, pledge, appeal, message box
    QTest::addColumn<int>("dialogs");         // support dialogs shown
    QTest::addColumn<bool>("restarted");

    QTest::newRow("water helps") << QStringList{"ok"} << 1 << false;
    QTest::newRow("the board helps") << QStringList{"cancel", "ok"} << 2 << false;
    QTest::newRow("the pledge helps") << QStringList{"cancel", "cancel", "ok"} << 3 << false;
    QTest::newRow("the last appeal helps")
        << QStringList{"cancel", "cancel", "cancel", "ok"} << 4 << false;
    QTest::newRow("all fail, confirmed")
        << QStringList{"cancel", "cancel", "cancel", "cancel", "ok"} << 4 << true;
    QTest::newRow("all fail, not confirmed")
        << QStringList{"cancel", "cancel", "cancel", "cancel", "cancel"} << 4 << false;
    QTest::newRow("all fail, box closed")
        << QStringList{"cancel", "cancel", "cancel", "cancel", "close"} << 4 << false;
    QTest::newRow("close boxes count as giving up, confirmed")
        << QStringList{"close", "close", "close", "close", "ok"} << 4 << true;
}

void TestFlows::cravingPaths() {
    QFETCH(QStringList, answers);
    QFETCH(int, dialogs);
    QFETCH(bool, restarted);
    TfrmMain& w = load();
    const QByteArray iniBefore = m_dir->read(QStringLiteral("plzNoSmoking.ini"));
    const QByteArray logBefore = m_dir->read(kLog);
    const QByteArray pledgeBefore = m_dir->read(QStringLiteral("ToMe.txt"));

    QStringList captions;
    DialogDriver::Script script;
    const QStringList how = answers;
    if (how.size() > 0)
        script.on<TfrmWaitWater>([&, how](TfrmWaitWater* d) {
            captions << d->windowTitle();
            answer(d, how[0], d->vxGradiButton1, d->vxGradiButton2);
        });
    if (how.size() > 1)
        script.on<TfrmWaitShowWeb>([&, how](TfrmWaitShowWeb* d) {
            captions << d->windowTitle();
            answer(d, how[1], d->vxGradiButton1, d->vxGradiButton2);
        });
    if (how.size() > 2)
        script.on<TfrmWaitToMe>([&, how](TfrmWaitToMe* d) {
            captions << d->windowTitle();
            answer(d, how[2], d->vxGradiButton1, d->vxGradiButton2);
        });
    if (how.size() > 3)
        script.on<TfrmDontBear>([&, how](TfrmDontBear* d) {
            captions << d->windowTitle();
            answer(d, how[3], d->vxGradiButton2, d->vxGradiButton1);
        });
    QString boxTitle, boxText;
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons boxButtons;
    if (how.size() > 4)
        script.on<QMessageBox>([&, how](QMessageBox* box) {
            boxTitle = box->windowTitle();
            boxText = box->text();
            boxIcon = box->icon();
            boxButtons = box->standardButtons();
            if (how[4] == QLatin1String("close"))
                box->close();
            else
                box->button(how[4] == QLatin1String("ok") ? QMessageBox::Ok : QMessageBox::Cancel)
                    ->click();
        });
    script.start();
    w.btnHelpClick();
    QVERIFY(!script.timedOut());
    QVERIFY(script.finished());

    const QStringList allCaptions{
        QStringLiteral("꼭 해보세요"), QStringLiteral("이웃과 함께하면 수월합니다."),
        QStringLiteral("금연을 결심하실 때 말씀하신 서약서 입니다."), QStringLiteral("금연 결심")};
    QCOMPARE(captions, allCaptions.mid(0, dialogs));
    // Every dialog of the chain is gone once the flow ends.
    QCOMPARE(w.findChildren<TvxModalDialog*>().size(), 0);
    QCOMPARE(m_homePages, dialogs >= 2 ? 1 : 0);
    if (how.size() > 4) {
        QCOMPARE(boxTitle, QStringLiteral("Information"));
        QCOMPARE(boxIcon, QMessageBox::Information);
        QCOMPARE(boxButtons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(boxText, kConfirmation);
    }
    QCOMPARE(m_dir->read(QStringLiteral("ToMe.txt")), pledgeBefore);
    if (!restarted) {
        QCOMPARE(m_dir->read(QStringLiteral("plzNoSmoking.ini")), iniBefore);
        QCOMPARE(m_dir->read(kLog), logBefore);
        return;
    }
    QCOMPARE(retryKey(), 1000);
    QCOMPARE(logLines().size(), 2);
    QCOMPARE(logLines().last(), QStringLiteral("다시 시작 :2026-12-08 12:43:15"));
    QCOMPARE(w.FElapsed, 0u);
    QCOMPARE(w.labGrade->text(), QStringLiteral("천민"));
}

void TestFlows::relapseAnswers_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("restarted");
    QTest::newRow("다시 시작할께") << "ok" << true;
    QTest::newRow("미안, 실은 장난이야") << "cancel" << false;
    QTest::newRow("close box") << "close" << false;
}

void TestFlows::relapseAnswers() {
    QFETCH(QString, how);
    QFETCH(bool, restarted);
    TfrmMain& w = load();
    const QByteArray iniBefore = m_dir->read(QStringLiteral("plzNoSmoking.ini"));
    const QByteArray logBefore = m_dir->read(kLog);
    DialogDriver::Script script;
    scriptSorry(script, how);
    script.start();
    w.btnSorryClick();
    QVERIFY(script.finished());
    QCOMPARE(w.findChildren<TvxModalDialog*>().size(), 0);
    if (restarted) {
        QCOMPARE(retryKey(), 1000);
        QCOMPARE(logLines().last(), QStringLiteral("다시 시작 :2026-12-08 12:43:15"));
    } else {
        QCOMPARE(m_dir->read(QStringLiteral("plzNoSmoking.ini")), iniBefore);
        QCOMPARE(m_dir->read(kLog), logBefore);
        QCOMPARE(w.labCountRetry->text(), QStringLiteral("999"));
    }
}

void TestFlows::relapseTwice() {
    TfrmMain& w = load();
    for (int i = 0; i < 2; ++i) {
        DialogDriver::Script script;
        scriptSorry(script, QStringLiteral("ok"));
        script.start();
        w.btnSorryClick();
        QVERIFY(script.finished());
        m_clock->advance(90);
    }
    QCOMPARE(retryKey(), 1001);
    QCOMPARE(w.labCountRetry->text(), QStringLiteral("1,001"));
    const QStringList lines = logLines();
    QCOMPARE(lines.size(), 3); // the promotion at load, then the two restarts
    QCOMPARE(lines[1], QStringLiteral("다시 시작 :2026-12-08 12:43:15"));
    QCOMPARE(lines[2], QStringLiteral("다시 시작 :2026-12-08 12:44:45"));
    QCOMPARE(w.labReStart->text(), QStringLiteral("2026-12-08 12:44:45"));
}

void TestFlows::restartShowsTheNewRecord() {
    TfrmMain& w = load();
    // Before: two days and more, 평민, blinking, the second milestone group.
    QCOMPARE(int(w.FGrade), 1);
    QVERIFY(w.FGradeBlink);
    QCOMPARE(w.labCheckStr1->text(), QStringLiteral("말초신경,후/미각 회복"));
    QCOMPARE(w.labReStart->text(), QString());

    m_clock->advance(1);
    QVERIFY(w.RestartRecord());

    QCOMPARE(w.labStart->text(), QStringLiteral("2026-12-06 08:00:00"));
    QCOMPARE(w.labReStart->text(), QStringLiteral("2026-12-08 12:43:16"));
    QCOMPARE(w.labCountRetry->text(), QStringLiteral("1,000"));
    QCOMPARE(w.labUpgrade->text(), QStringLiteral("2026-12-09 12:43:16"));
    QCOMPARE(w.FClockBase, EncodeDateTime(2026, 12, 8, 12, 43, 16));
    QCOMPARE(w.FElapsed, 0u);
    QCOMPARE(w.labDateTime->text(), QStringLiteral("0시간 0분 0초"));
    QCOMPARE(int(w.FGrade), 0);
    QCOMPARE(w.labGrade->text(), QStringLiteral("천민"));
    QVERIFY(!w.FGradeBlink);
    QCOMPARE(m_prj->Ini().ReadInteger(Keys::Personal, Keys::Grade, -1), 0);
    QCOMPARE(w.FMilestone, 0);
    QCOMPARE(w.FMilestoneSlot, 0);
    QCOMPARE(w.labCheckStr1->text(), QStringLiteral("혈압,맥박,체온 정상"));
    QCOMPARE(w.labCheckStr2->text(), QStringLiteral("혈중 산소량 정상"));
    QCOMPARE(w.labCheckStr3->text(), QStringLiteral("심장마비 위험 감소"));
    QCOMPARE(w.labCount->text(), QStringLiteral("0"));
    QCOMPARE(w.labToMoney->text(), QStringLiteral("0"));
    // The demotion writes no line; "Start" is never touched.
    QCOMPARE(logLines().size(), 2);
    QCOMPARE(m_prj->Ini().ReadString(Keys::Date, Keys::Start, {}),
             QStringLiteral("2026-12-06 08:00:00"));
    // The clock counts from the restart.
    for (int i = 0; i < 3; ++i) {
        m_clock->advance(1);
        w.tmrCountTimer();
    }
    QCOMPARE(w.FElapsed, 3u);
}

void TestFlows::failedRestartChangesNothing_data() {
    QTest::addColumn<int>("logLines"); // lines already in the log
    QTest::addColumn<int>("limit");    // bytes a file may hold
    // No file can grow: the first write of the restart fails.
    QTest::newRow("disk full") << 0 << 8;
    // The settings fit, the long log does not: the restart fails half-way.
    QTest::newRow("log cannot grow") << 200 << 2048;
}

void TestFlows::failedRestartChangesNothing() {
    QFETCH(int, logLines);
    QFETCH(int, limit);
    QStringList old;
    for (int i = 0; i < logLines; ++i)
        old << QStringLiteral("다시 시작 :2020-01-01 00:00:%1")
                   .arg(i % 60, 2, 10, QLatin1Char('0'));
    if (logLines > 0)
        m_dir->write(kLog,
                     Cp949::encode(old.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    TfrmMain& w = load();
    const TDateTime base = w.FClockBase;
    const QString reStart = w.labReStart->text();
    const QString upgrade = w.labUpgrade->text();
    const uint elapsed = w.FElapsed;
    bool restarted = true;
    {
        TestSupport::FileSizeLimit full(limit);
        m_clock->advance(1);
        restarted = w.RestartRecord();
    }
    QVERIFY(!restarted);
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().contains(m_dir->path()), qPrintable(m_errors.first()));
    QCOMPARE(w.FClockBase, base);
    QCOMPARE(w.labCountRetry->text(), QStringLiteral("999"));
    QCOMPARE(w.labReStart->text(), reStart);
    QCOMPARE(w.labUpgrade->text(), upgrade);
    QCOMPARE(int(w.FGrade), 1);
    QCOMPARE(w.FElapsed, elapsed);
    QCOMPARE(retryKey(), 999);
    // The clock goes on from the old base.
    m_clock->advance(4);
    for (int i = 0; i < 5; ++i)
        w.tmrCountTimer();
    QCOMPARE(w.FElapsed, elapsed + 5);
}

void TestFlows::buttonsOpenTheFlows() {
    TfrmMain& w = load();
    QStringList opened;
    DialogDriver::Script script;
    script
        .on<TfrmWaitWater>([&](TfrmWaitWater* d) {
            opened << d->windowTitle();
            click(d->vxGradiButton1);
        })
        .on<TfrmSorry>([&](TfrmSorry* d) {
            opened << d->windowTitle();
            click(d->vxGradiButton2);
        });
    script.start();
    click(w.btnHelp);
    click(w.btnSorry);
    QVERIFY(script.finished());
    QCOMPARE(opened,
             (QStringList{QStringLiteral("꼭 해보세요"), QStringLiteral("에고, 이런 이런")}));
}

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TestFlows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_flows.moc"
