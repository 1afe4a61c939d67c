// The relapse and craving flows of the main window, end to end, with every
// dialog answered by the test: what each path writes and shows.

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
#include "tests/mainwindow/MainWindowBench.h"
#include "tests/support/TestSupport.h"
#include "widgets/ErrorBox.h"

#include <QLabel>
#include <QTest>
#include <memory>

using DialogDriver::click;

using TestSupport::Part;

namespace {
const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);
const QString kIni = QStringLiteral("plzNoSmoking.ini");
const QString kLog = QStringLiteral("plzNoSmoking.log");
const QString kRestartLine = QStringLiteral("다시 시작 :2026-12-08 12:43:15");

// Answers a dialog: "ok" (the button that helped or confirms), "cancel"
// (the other one) or "close" (the close box).
template <class T>
void answer(DialogDriver::Script& s, const QString& how, QStringList& captions,
            TvxGradiButton* T::*ok, TvxGradiButton* T::*cancel) {
    s.on<T>([how, &captions, ok, cancel](T* d) {
        captions << d->windowTitle();
        if (how == QLatin1String("close"))
            d->close();
        else
            click(how == QLatin1String("ok") ? d->*ok : d->*cancel);
    });
}
} // namespace

class TestFlows : public QObject, private MainWindowBench {
    Q_OBJECT
private slots:
    void init() {
        SetUpBench(kNow);
        m_homePages = 0;
        m_errors.clear();
        Desktop::SetOpenUrlHandler([this](const QString&) {
            ++m_homePages;
            return true;
        });
        SetErrorBoxHandler([this](const QString& message) { m_errors << message; });
        // Quit two days ago, so promoted to 평민 at load: the rank blinks.
        m_prj->Ini().WriteDateTime(Keys::Date, Keys::Start, EncodeDateTime(2026, 12, 6, 8, 0, 0));
        m_prj->Ini().WriteInteger(Keys::Personal, Keys::CountRetry, 999);
        MakeWindow().LoadState();
    }
    void cleanup() {
        TearDownBench();
        Desktop::SetOpenUrlHandler({});
        SetErrorBoxHandler({});
    }

    void cravingPaths_data() {
        QTest::addColumn<QStringList>("answers"); // water, board, pledge, appeal, last box
        QTest::addColumn<bool>("restarted");
        QTest::newRow("water helps") << QStringList{"ok"} << false;
        QTest::newRow("the board helps") << QStringList{"cancel", "ok"} << false;
        QTest::newRow("the pledge helps") << QStringList{"cancel", "cancel", "ok"} << false;
        QTest::newRow("the appeal helps")
            << QStringList{"cancel", "cancel", "cancel", "ok"} << false;
        QTest::newRow("all fail, OK")
            << QStringList{"cancel", "cancel", "cancel", "cancel", "ok"} << true;
        QTest::newRow("all fail, Cancel")
            << QStringList{"cancel", "cancel", "cancel", "cancel", "cancel"} << false;
        QTest::newRow("all fail, box closed")
            << QStringList{"cancel", "cancel", "cancel", "cancel", "close"} << false;
        QTest::newRow("close boxes, OK")
            << QStringList{"close", "close", "close", "close", "ok"} << true;
    }
    void cravingPaths() {
        QFETCH(QStringList, answers);
        QFETCH(bool, restarted);
        const QByteArray ini = m_dir->read(kIni), log = m_dir->read(kLog);
        QStringList captions;
        DialogDriver::Script s;
        const qsizetype n = answers.size();
        answer(s, answers[0], captions, &TfrmWaitWater::vxGradiButton1,
               &TfrmWaitWater::vxGradiButton2);
        if (n > 1)
            answer(s, answers[1], captions, &TfrmWaitShowWeb::vxGradiButton1,
                   &TfrmWaitShowWeb::vxGradiButton2);
        if (n > 2)
            answer(s, answers[2], captions, &TfrmWaitToMe::vxGradiButton1,
                   &TfrmWaitToMe::vxGradiButton2);
        if (n > 3)
            answer(s, answers[3], captions, &TfrmDontBear::vxGradiButton2,
                   &TfrmDontBear::vxGradiButton1);
        if (n > 4 && answers[4] == QLatin1String("close"))
            s.on<QMessageBox>([](QMessageBox* b) { b->close(); });
        else if (n > 4)
            s.answer(answers[4] == QLatin1String("ok") ? QMessageBox::Ok : QMessageBox::Cancel);
        s.start();
        click(Part<TvxGradiButton>(*m_main, "btnHelp"));
        QVERIFY(!s.timedOut());

        QCOMPARE(captions, (QStringList{"꼭 해보세요", "이웃과 함께하면 수월합니다.",
                                        "금연을 결심하실 때 말씀하신 서약서 입니다.", "금연 결심"})
                               .mid(0, std::min<qsizetype>(n, 4)));
        QCOMPARE(m_main->findChildren<QDialog*>().size(), 0); // every dialog released
        QCOMPARE(m_homePages, n >= 2 ? 1 : 0);
        if (n > 4 && answers[4] != QLatin1String("close")) {
            const auto& box = s.messages.first();
            QCOMPARE(box.title, QStringLiteral("Information"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(box.text,
                     QStringLiteral(" \r\n\r\n금단 증상은 병이 아닙니다. 또한 금연은\r\n\r\n"
                                    "누구에게나 힘든 일입니다.\r\n\r\n"
                                    "그러나 당신은 졌어도 분명 이기는 분이 "
                                    "계십니다.!!\r\n\r\n"
                                    "모든 시간 정보는 '0' 으로 설정되며, 천민 "
                                    "등급에서\r\n\r\n다시 시작합니다."));
        }
        if (restarted) {
            QCOMPARE(logLines(), 2); // the promotion at load and the restart
            QVERIFY(Cp949::decode(m_dir->read(kLog)).endsWith(kRestartLine + "\r\n"));
            QCOMPARE(retryKey(), 1000);
        } else {
            QCOMPARE(m_dir->read(kIni), ini);
            QCOMPARE(m_dir->read(kLog), log);
        }
    }

    void relapse_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("retries");
        QTest::addColumn<QString>("restart"); // "새로 시작" afterwards
        QTest::newRow("다시 시작할께") << QStringList{"ok"} << 1000 << "2026-12-08 12:43:15";
        QTest::newRow("twice") << QStringList{"ok", "ok"} << 1001 << "2026-12-08 12:44:45";
        QTest::newRow("미안, 실은 장난이야") << QStringList{"cancel"} << 999 << "";
        QTest::newRow("close box") << QStringList{"close"} << 999 << "";
    }
    void relapse() {
        QFETCH(QStringList, answers);
        QFETCH(int, retries);
        QFETCH(QString, restart);
        const QByteArray ini = m_dir->read(kIni);
        for (const QString& how : answers) {
            QStringList captions;
            DialogDriver::Script s;
            answer(s, how, captions, &TfrmSorry::vxGradiButton1, &TfrmSorry::vxGradiButton2);
            s.start();
            click(Part<TvxGradiButton>(*m_main, "btnSorry"));
            QCOMPARE(captions, QStringList{"에고, 이런 이런"});
            m_clock->advance(90);
        }
        QCOMPARE(retryKey(), retries);
        QCOMPARE(Part<QLabel>(*m_main, "labReStart")->text(), restart);
        QCOMPARE(logLines(), 1 + retries - 999);
        if (retries == 999)
            QCOMPARE(m_dir->read(kIni), ini);
    }

    void restartShowsTheNewRecord() {
        TfrmMain& w = *m_main;
        QVERIFY(w.Progress().GradeBlink());
        QVERIFY(w.RestartRecord());
        QCOMPARE(Part<QLabel>(w, "labStart")->text(),
                 QStringLiteral("2026-12-06 08:00:00")); // Start untouched
        QCOMPARE(Part<QLabel>(w, "labReStart")->text(), QStringLiteral("2026-12-08 12:43:15"));
        QCOMPARE(Part<QLabel>(w, "labCountRetry")->text(), QStringLiteral("1,000"));
        QCOMPARE(Part<QLabel>(w, "labUpgrade")->text(), QStringLiteral("2026-12-09 12:43:15"));
        QCOMPARE(Part<QLabel>(w, "labDateTime")->text(), QStringLiteral("0시간 0분 0초"));
        QCOMPARE(Part<QLabel>(w, "labGrade")->text(), QStringLiteral("천민"));
        QVERIFY(!w.Progress().GradeBlink());
        QCOMPARE(m_prj->Ini().ReadInteger(Keys::Personal, Keys::Grade, -1), 0);
        QCOMPARE(w.Progress().MilestoneSlot(), 0);
        QCOMPARE(Part<QLabel>(w, "labCheckStr1")->text(), QStringLiteral("혈압,맥박,체온 정상"));
        QCOMPARE(Part<QLabel>(w, "labCount")->text(), QStringLiteral("0"));
        QCOMPARE(logLines(), 2); // the demotion writes no line
        for (int i = 0; i < 3; ++i) {
            m_clock->advance(1);
            w.tmrCountTimer();
        }
        QCOMPARE(w.Progress().Elapsed(), 3u);
    }

    // The record cannot be written: the error box, and the window goes on
    // from the old base with the old count.
    void failedRestartChangesNothing_data() {
        QTest::addColumn<int>("logLines"); // already in the log
        QTest::addColumn<int>("limit");    // bytes a file may hold
        QTest::newRow("disk full") << 0 << 8;
        QTest::newRow("the settings fit, the log does not") << 200 << 2048;
    }
    void failedRestartChangesNothing() {
        QFETCH(int, logLines);
        QFETCH(int, limit);
        m_dir->write(kLog, QByteArray("다시 시작 :2020-01-01 00:00:00\r\n").repeated(logLines));
        TfrmMain& w = *m_main;
        const TDateTime base = w.Progress().ClockBase();
        const QString upgrade = Part<QLabel>(w, "labUpgrade")->text();
        const uint elapsed = w.Progress().Elapsed();
        {
            TestSupport::FileSizeLimit full(limit);
            m_clock->advance(1);
            QVERIFY(!w.RestartRecord());
        }
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors.first().contains(m_dir->path()));
        QCOMPARE(w.Progress().ClockBase(), base);
        QCOMPARE(Part<QLabel>(w, "labCountRetry")->text(), QStringLiteral("999"));
        QCOMPARE(Part<QLabel>(w, "labReStart")->text(), QString());
        QCOMPARE(Part<QLabel>(w, "labUpgrade")->text(), upgrade);
        QCOMPARE(w.Progress().Grade(), 1);
        QCOMPARE(retryKey(), 999);
        m_clock->advance(4);
        for (int i = 0; i < 5; ++i)
            w.tmrCountTimer();
        QCOMPARE(w.Progress().Elapsed(), elapsed + 5);
    }

private:
    int retryKey() const { return m_prj->Ini().ReadInteger(Keys::Personal, Keys::CountRetry, -1); }
    int logLines() const { return int(m_dir->read(kLog).count("\r\n")); }

    int m_homePages = 0;
    QStringList m_errors;
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TestFlows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_flows.moc"
