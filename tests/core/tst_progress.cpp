// The progress model without any window: the clock, the rank, the
// milestones and the savings, counted from a quit record in a temporary
// program folder with the clock frozen.

#include "core/Constants.h"
#include "core/Progress.h"
#include "core/ProjectInfo.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {
const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);
} // namespace

class TestProgress : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void spanTexts_data();
    void spanTexts();
    void tickResyncsEveryFifthCount();
    void promotionAfterOneDay();
    void jumpOverSeveralGradesWritesOneLine();
    void demotionIsSilent();
    void milestones_data();
    void milestones();
    void savings_data();
    void savings();
    void noSavingsWhenEveryIsZero();
    void cigarettesNeverDrop();
    void futureClockBaseCountsZero();
    void clockBaseFarAway_data();
    void clockBaseFarAway();
    void clockTurnedBackKeepsRank();
    void secondsToNextChange_data();
    void secondsToNextChange();
    void clockBase_data();
    void clockBase();
    void reloadRewritesSavingsOfTheSameCount();
    void savingsWithoutCostRecord_data();
    void savingsWithoutCostRecord();
    void onlyAStepForwardIsNews_data();
    void onlyAStepForwardIsNews();
    void promotionText();
    void promotionLogFailureLeavesModelConsistent();

private:
    TvxProgress& load();
    void write(const QString& section, const QString& key, int value) {
        m_prj->Ini().WriteInteger(section, key, value);
    }
    void writeStart(TDateTime value) { m_prj->WriteStart(value); }
    QByteArray log() const { return m_dir->read("plzNoSmoking.log"); }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            m_clock->advance(1);
            m_progress->Tick();
        }
    }

    std::unique_ptr<TestSupport::TempProgramFolder> m_dir;
    std::unique_ptr<TestSupport::FrozenClock> m_clock;
    std::unique_ptr<TvxPrjInfo> m_prj;
    std::unique_ptr<TvxProgress> m_progress;
};

void TestProgress::init() {
    m_dir = std::make_unique<TestSupport::TempProgramFolder>();
    m_clock = std::make_unique<TestSupport::FrozenClock>(kNow);
    m_prj = std::make_unique<TvxPrjInfo>(m_dir->path());
    writeStart(kNow);
}

void TestProgress::cleanup() {
    m_progress.reset();
    m_prj.reset();
    m_clock.reset();
    m_dir.reset();
}

TvxProgress& TestProgress::load() {
    m_progress = std::make_unique<TvxProgress>(*m_prj);
    m_progress->Load();
    return *m_progress;
}

void TestProgress::spanTexts_data() {
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0u << "0시간 0분 0초";
    QTest::newRow("364 days") << 364u * 86400u << "12개월 4일 0시간 0분 0초";
    QTest::newRow("365 days") << 365u * 86400u << "1년 0시간 0분 0초";
    QTest::newRow("mixed") << 31536000u + 2u * 2592000u + 3u * 86400u + 309u
                           << "1년 2개월 3일 0시간 5분 9초";
    QTest::newRow("largest count") << 4294967295u << "136년 2개월 10일 6시간 28분 15초";
}

void TestProgress::spanTexts() {
    QFETCH(uint, seconds);
    QFETCH(QString, text);
    QCOMPARE(TvxProgress::SpanText(seconds), text);
}

void TestProgress::tickResyncsEveryFifthCount() {
    writeStart(kNow - 101.0 / 86400);
    TvxProgress& p = load();
    QCOMPARE(p.Elapsed(), 101u);
    QList<uint> seen;
    for (int i = 0; i < 12; ++i) {
        if (i == 2)
            m_clock->advance(1000); // the computer slept
        tick();
        seen << p.Elapsed();
    }
    // Free counting to the next multiple of five, then the true span.
    QCOMPARE(seen,
             (QList<uint>{102, 103, 104, 105, 1106, 1107, 1108, 1109, 1110, 1111, 1112, 1113}));
}

void TestProgress::promotionAfterOneDay() {
    writeStart(kNow - 1.0);
    TvxProgress& p = load();
    QSignalSpy grades(&p, &TvxProgress::GradeChanged);
    QCOMPARE(p.Elapsed(), 86400u);
    QCOMPARE(p.Grade(), 0);
    QCOMPARE(FormatDateTime(p.NextPromotion()), QStringLiteral("2026-12-08 12:43:15"));
    QVERIFY(!m_dir->exists("plzNoSmoking.log"));

    tick();
    QCOMPARE(p.Elapsed(), 86401u);
    QCOMPARE(p.Grade(), 1);
    QCOMPARE(grades, (QList<QVariantList>{{1, true}}));
    QCOMPARE(log(),
             Cp949::encode(QStringLiteral("    승 급 :2026-12-08 12:43:16   평민...!!\r\n")));
    QCOMPARE(m_prj->ReadGrade(), 1);
    QCOMPARE(FormatDateTime(p.NextPromotion()), QStringLiteral("2026-12-10 12:43:15"));
    QCOMPARE(p.NextGradeSeconds(), 259200u);
    QVERIFY(p.GradeBlink());
    tick(10);
    QCOMPARE(log().count('\n'), 1); // once per rise
}

void TestProgress::jumpOverSeveralGradesWritesOneLine() {
    writeStart(kNow - 45.0);
    TvxProgress& p = load();
    QCOMPARE(p.Grade(), 9);
    QCOMPARE(log(),
             Cp949::encode(QStringLiteral("    승 급 :2026-12-08 12:43:15   남작...!!\r\n")));
    QCOMPARE(m_prj->ReadGrade(), 9);
    QCOMPARE(p.NextGradeSeconds(), 4838400u);
}

void TestProgress::demotionIsSilent() {
    write(Keys::Personal, Keys::Grade, 5);
    TvxProgress& p = load();
    QCOMPARE(p.Grade(), 0);
    QVERIFY(!p.GradeBlink());
    QCOMPARE(m_prj->ReadGrade(), 0);
    QVERIFY(!m_dir->exists("plzNoSmoking.log"));
}

void TestProgress::milestones_data() {
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<int>("milestone");
    QTest::addColumn<int>("slot");
    QTest::newRow("0") << 0u << 0 << 0;
    QTest::newRow("1199") << 1199u << 0 << 0;
    QTest::newRow("1200") << 1200u << 1 << 1;
    QTest::newRow("100 days") << 8640000u << 6 << 0;
    QTest::newRow("beyond the last") << 400000000u << 8 << 2;
}

void TestProgress::milestones() {
    QFETCH(uint, seconds);
    QFETCH(int, milestone);
    QFETCH(int, slot);
    TvxProgress& p = load();
    QSignalSpy changed(&p, &TvxProgress::MilestoneChanged);
    p.SetElapsed(seconds);
    QCOMPARE(p.Milestone(), milestone);
    QCOMPARE(p.MilestoneSlot(), slot);
    // Announced only when it changes.
    QCOMPARE(changed.size(), milestone == 0 ? 0 : 1);
    p.SetElapsed(seconds);
    QCOMPARE(changed.size(), milestone == 0 ? 0 : 1);
}

void TestProgress::savings_data() {
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("money");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<int>("spent");
    // 20 a day (every 3240 s), 100 won each.
    QTest::newRow("25") << 86400u + 5 * 3240u << "1갑 5"
                        << "2,500"
                        << "97,500" << 100000;
    QTest::newRow("200") << 10 * 86400u << "1보루 0"
                         << "20,000"
                         << "80,000" << 100000;
    QTest::newRow("4,513") << 225 * 86400u + 13 * 3240u << "22보루 5갑 13"
                           << "451,300"
                           << "-351,300" << 100000;
    QTest::newRow("negative balance") << 75 * 86400u << "7보루 5갑 0"
                                      << "150,000"
                                      << "-50,000" << 100000;
    QTest::newRow("200,000 cigarettes") << 10000u * 86400u << "1,000보루 0"
                                        << "20,000,000"
                                        << "-7,654,322" << 12345678;
}

void TestProgress::savings() {
    QFETCH(uint, seconds);
    QFETCH(QString, count);
    QFETCH(QString, money);
    QFETCH(QString, margin);
    QFETCH(int, spent);
    write(Keys::Personal, Keys::Every, 3240);
    write(Keys::Personal, Keys::Debt, spent);
    TvxProgress& p = load();
    QCOMPARE(p.Savings().CountText, QStringLiteral("0"));
    QSignalSpy changed(&p, &TvxProgress::SavingsChanged);
    p.SetElapsed(seconds);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(p.Savings().CountText, count);
    QCOMPARE(p.Savings().MoneyText, money);
    QCOMPARE(p.Savings().MarginText, margin);
}

void TestProgress::noSavingsWhenEveryIsZero() {
    write(Keys::Personal, Keys::Every, 0);
    write(Keys::Personal, Keys::Debt, 5000);
    TvxProgress& p = load();
    QSignalSpy changed(&p, &TvxProgress::SavingsChanged);
    p.SetElapsed(30 * 86400);
    tick(3);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(p.Savings().CountText, QStringLiteral("0"));
}

void TestProgress::cigarettesNeverDrop() {
    // The default: 10 a day, one every 6480 s. Counting the running day over
    // all 24 hours would reach 13 before midnight and drop back to 10.
    TvxProgress& p = load();
    uint previous = 0;
    auto check = [&](uint s) {
        p.SetElapsed(s);
        QVERIFY2(p.Savings().Cigarettes >= previous, qPrintable(QString::number(s)));
        QVERIFY(p.Savings().Cigarettes <= (s / 86400 + 1) * 10);
        previous = p.Savings().Cigarettes;
    };
    for (uint s = 0; s < 3 * 86400; s += 37) {
        check(s);
        if (s % 86400 > 86400 - 40) // every second across each whole-day boundary
            for (uint t = s; t < s + 80; ++t)
                check(t);
    }
    for (const auto& [s, n] : {std::pair{86399u, 10u}, {86400u, 10u}, {86400u + 6480u, 11u}}) {
        p.SetElapsed(s);
        QCOMPARE(p.Savings().Cigarettes, n);
    }
}

void TestProgress::futureClockBaseCountsZero() {
    writeStart(kNow + 1.0 / 24);
    TvxProgress& p = load();
    tick(10);
    QCOMPARE(p.Elapsed(), 0u);
    QCOMPARE(p.Grade(), 0);
    QCOMPARE(p.Milestone(), 0);
    QVERIFY(!m_dir->exists("plzNoSmoking.log"));
    m_clock->advance(3600 - 10);
    tick(6);
    QCOMPARE(p.Elapsed(), 6u);
}

void TestProgress::clockBaseFarAway_data() {
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<uint>("count");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QByteArray>("logged");
    QTest::newRow("last moment of year 9999")
        << QByteArray("9999-12-31 23:59:59") << 0u << "천민" << QByteArray();
    QTest::newRow("1900-01-01") << QByteArray("1900-01-01") << 4005722595u << "신"
                                << QByteArray("    \xbd\xc2 \xb1\xde :2026-12-08 12:43:15   "
                                              "\xbd\xc5...!!\r\n");
    QTest::newRow("more than 136 years back")
        << QByteArray("1800-06-01 10:00:00") << 4294967295u << "신"
        << QByteArray("    \xbd\xc2 \xb1\xde :2026-12-08 12:43:15   \xbd\xc5...!!\r\n");
}

void TestProgress::clockBaseFarAway() {
    QFETCH(QByteArray, start);
    QFETCH(uint, count);
    QFETCH(QString, grade);
    QFETCH(QByteArray, logged);
    m_dir->write("plzNoSmoking.ini", "[Date]\r\nStart=" + start + "\r\n");
    TvxProgress& p = load();
    QCOMPARE(p.Elapsed(), count);
    QCOMPARE(GradeNames[size_t(p.Grade())], grade);
    QCOMPARE(log(), logged);
    tick(12);
    QVERIFY(p.Elapsed() >= count);
    QVERIFY(p.Elapsed() - count <= 12);
    QCOMPARE(GradeNames[size_t(p.Grade())], grade);
    QCOMPARE(log(), logged); // no second promotion, no demotion
}

void TestProgress::clockTurnedBackKeepsRank() {
    writeStart(kNow - 1.0 - 10.0 / 86400);
    TvxProgress& p = load();
    QCOMPARE(p.Grade(), 1);
    const QByteArray once = log();
    QCOMPARE(once.count('\n'), 1);
    // An hour back: the count falls below the first threshold, the rank stays.
    m_clock->advance(-3600);
    tick(10);
    QVERIFY(p.Elapsed() < 86400u);
    QCOMPARE(p.Grade(), 1);
    QCOMPARE(m_prj->ReadGrade(), 1);
    QVERIFY(p.GradeBlink());
    // Forward again past the threshold: nothing is announced twice.
    m_clock->advance(3600);
    tick(10);
    QCOMPARE(log(), once);
    // A reload on the same base (the calculator's save) keeps it too.
    m_clock->advance(-3600);
    p.Load();
    QCOMPARE(p.Grade(), 1);
    m_clock->advance(3600);
    tick(6);
    QCOMPARE(log(), once);
    // A relapse moves the base: the rank falls, silently.
    m_prj->Restart();
    p.Load();
    QCOMPARE(p.Grade(), 0);
    QCOMPARE(m_prj->ReadGrade(), 0);
    QVERIFY(!p.GradeBlink());
    QCOMPARE(log().count("\xbd\xc2 \xb1\xde"), 1);
}

void TestProgress::secondsToNextChange_data() {
    QTest::addColumn<double>("daysAgo");
    QTest::addColumn<int>("every");
    QTest::addColumn<uint>("seconds");
    QTest::newRow("nothing soon: a minute") << 3.5 << 6480 << 60u;
    QTest::newRow("next cigarette") << 2.0 + 6470.0 / 86400 << 6480 << 10u;
    QTest::newRow("first milestone") << 1190.0 / 86400 << 0 << 10u;
    QTest::newRow("promotion") << 7.0 - 3.0 / 86400 << 0 << 4u;
    QTest::newRow("milestone a second before the rank") << 3.0 - 3.0 / 86400 << 0 << 3u;
    QTest::newRow("start in the future") << -5.0 / 86400 << 0 << 5u;
    QTest::newRow("after the waking day: next day's first") << 0.9 << 6480 << 60u;
}

void TestProgress::secondsToNextChange() {
    QFETCH(double, daysAgo);
    QFETCH(int, every);
    QFETCH(uint, seconds);
    writeStart(kNow - daysAgo);
    write(Keys::Personal, Keys::Every, every);
    QCOMPARE(load().SecondsToNextChange(), seconds);
}

void TestProgress::clockBase_data() {
    QTest::addColumn<QByteArray>("restart"); // "-" for no key
    QTest::addColumn<uint>("elapsed");
    QTest::addColumn<QString>("shownRestart");
    QTest::addColumn<QString>("nextRank");
    // Start is ten days before kNow (2026-12-08 12:43:15): rank 3 until
    // exactly ten days have passed.
    QTest::newRow("no Restart: from Start") << QByteArray("-") << 864000u << ""
                                            << "2026-12-08 12:43:15";
    QTest::newRow("Restart an hour ago")
        << QByteArray("2026-12-08 11:43:15") << 3600u << "2026-12-08 11:43:15"
        << "2026-12-09 11:43:15";
    QTest::newRow("Restart without a value: now") << QByteArray("") << 0u << "2026-12-08 12:43:15"
                                                  << "2026-12-09 12:43:15";
    QTest::newRow("Restart unreadable: now") << QByteArray("soon") << 0u << "2026-12-08 12:43:15"
                                             << "2026-12-09 12:43:15";
}

void TestProgress::clockBase() {
    QFETCH(QByteArray, restart);
    QFETCH(uint, elapsed);
    QFETCH(QString, shownRestart);
    QFETCH(QString, nextRank);
    writeStart(kNow - 10.0);
    if (restart != "-")
        m_prj->Ini().WriteString(Keys::Date, Keys::Restart, QString::fromLatin1(restart));
    TvxProgress& p = load();
    QCOMPARE(p.Elapsed(), elapsed);
    QCOMPARE(FormatDateTime(p.Start()), QStringLiteral("2026-11-28 12:43:15"));
    QCOMPARE(p.Restarted() ? FormatDateTime(p.ClockBase()) : QString(), shownRestart);
    QCOMPARE(FormatDateTime(p.NextPromotion()), nextRank);
    tick(5); // the re-read from the clock agrees
    QCOMPARE(p.Elapsed(), elapsed + 5);
}

void TestProgress::reloadRewritesSavingsOfTheSameCount() {
    // Two days at the default 10 a day: 20 cigarettes, before and after the
    // reload, but at a new price and against a new spent amount.
    writeStart(kNow - 2.0);
    write(Keys::Personal, Keys::Debt, 1000);
    TvxProgress& p = load();
    QCOMPARE(p.Savings().MoneyText, QStringLiteral("2,000"));
    write(Keys::Personal, Keys::CigarPrice, 250);
    write(Keys::Personal, Keys::Debt, 3000);
    p.Load();
    QCOMPARE(p.Savings().CountText, QStringLiteral("1갑 0"));
    QCOMPARE(p.Savings().MoneyText, QStringLiteral("5,000"));
    QCOMPARE(p.Debt(), 3000);
    QCOMPARE(p.Savings().MarginText, QStringLiteral("-2,000"));
}

void TestProgress::savingsWithoutCostRecord_data() {
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("loadedDebt"); // the spent amount at the load, 0 afterwards
    QTest::addColumn<QString>("margin");
    QTest::newRow("no cost record") << false << 0 << "0";
    QTest::newRow("spent amount 0") << true << 0 << "0";
    QTest::newRow("spent amount cleared after the load") << true << 5000 << "2,000";
}

void TestProgress::savingsWithoutCostRecord() {
    QFETCH(bool, written);
    QFETCH(int, loadedDebt);
    QFETCH(QString, margin);
    if (written)
        write(Keys::Personal, Keys::Debt, loadedDebt);
    writeStart(kNow - 3.0);
    TvxProgress& p = load();
    QCOMPARE(p.Savings().MarginText, margin);
    if (written)
        write(Keys::Personal, Keys::Debt, 0);
    tick(2);
    // The money counts; there is no balance to draw against, and the margin
    // keeps what the load showed.
    QCOMPARE(p.Savings().CountText, QStringLiteral("1갑 10"));
    QCOMPARE(p.Savings().MoneyText, QStringLiteral("3,000"));
    QCOMPARE(p.Savings().MarginText, margin);
}

void TestProgress::onlyAStepForwardIsNews_data() {
    QTest::addColumn<double>("daysIn");     // at the first load
    QTest::addColumn<double>("reloadDays"); // start moved to this many days back, then reloaded
    QTest::addColumn<QList<int>>("reached");
    // 1,200 s ends the first milestone; two days in is milestone 4, five days 5.
    QTest::newRow("the count passes one") << 1197.0 / 86400 << -1.0 << QList<int>{1};
    QTest::newRow("a reload of the same") << 2.0 << 2.0 << QList<int>{};
    QTest::newRow("counting again from now") << 2.0 << 0.0 << QList<int>{};
    QTest::newRow("an earlier start goes forward") << 2.0 << 5.0 << QList<int>{5};
}

void TestProgress::onlyAStepForwardIsNews() {
    QFETCH(double, daysIn);
    QFETCH(double, reloadDays);
    QFETCH(QList<int>, reached);
    writeStart(kNow - daysIn);
    m_progress = std::make_unique<TvxProgress>(*m_prj);
    TvxProgress& p = *m_progress;
    QSignalSpy news(&p, &TvxProgress::MilestoneReached);
    p.Load(); // the first load is no news either
    if (reloadDays >= 0) {
        writeStart(kNow - reloadDays);
        p.Load();
    }
    tick(6);
    QList<int> told;
    for (const QList<QVariant>& args : news)
        told << args.at(0).toInt();
    QCOMPARE(told, reached);
}

void TestProgress::promotionText() {
    QCOMPARE(TvxProgress::PromotionText(1), QStringLiteral("평민 (으)로 승급....!!"));
}

void TestProgress::promotionLogFailureLeavesModelConsistent() {
    // The log cannot take the promotion's line: the error reaches the caller,
    // the rank shown is the new one, and the stored rank stays behind, so the
    // next start announces the promotion again.
    writeStart(kNow - 1.0);
    TvxProgress& p = load();
    QSignalSpy grades(&p, &TvxProgress::GradeChanged);
    {
        TestSupport::FileSizeLimit limit(4);
        m_clock->advance(1);
        QVERIFY_THROWS_EXCEPTION(EFileError, p.Tick());
    }
    QCOMPARE(grades.size(), 1);
    QCOMPARE(p.Grade(), 1);
    QCOMPARE(m_prj->ReadGrade(), 0);
    tick(3);
    QCOMPARE(p.Elapsed(), 86404u);
}

QTEST_GUILESS_MAIN(TestProgress)

#include "tst_progress.moc"
