#include "core/Constants.h"
#include "core/Funcs.h"
#include "runtime/TextFile.h"

#include <QTest>

class TestFuncs : public QObject {
    Q_OBJECT
private slots:
    void grades_data();
    void grades();
    void effects_data();
    void effects();
    void tablesAreOrderedAndComplete();
    void rankTable_data();
    void rankTable();
    void effectTable_data();
    void effectTable();
    void effectTextsKeepTheirBreaks();
    void elapsed_data();
    void elapsed();
    void shift_data();
    void shift();
    void shiftAndElapsedAgree();
    void abstinenceCount_data();
    void abstinenceCount();
};

void TestFuncs::grades_data() {
    QTest::addColumn<uint>("elapsed");
    QTest::addColumn<int>("grade");
    QTest::newRow("0") << 0u << 0;
    QTest::newRow("exactly one day") << 86400u << 0;
    QTest::newRow("one day and a second") << 86401u << 1;
    QTest::newRow("3 days") << 259200u << 1;
    QTest::newRow("3 days + 1") << 259201u << 2;
    QTest::newRow("45 days") << 45u * 86400u << 9;
    QTest::newRow("exactly 10 years") << 315360000u << 17;
    QTest::newRow("10 years + 1") << 315360001u << 18;
    QTest::newRow("beyond 50 years") << 1576800001u << 18;
    QTest::newRow("uint32 max") << 4294967295u << 18;
}

void TestFuncs::grades() {
    QFETCH(uint, elapsed);
    QFETCH(int, grade);
    QCOMPARE(GradeOf(elapsed), grade);
}

void TestFuncs::effects_data() {
    QTest::addColumn<uint>("elapsed");
    QTest::addColumn<int>("effect");
    QTest::newRow("0") << 0u << 0;
    QTest::newRow("1199") << 1199u << 0;
    QTest::newRow("1200") << 1200u << 1;
    QTest::newRow("100 days") << 100u * 86400u << 6;
    QTest::newRow("315359999") << 315359999u << 8;
    QTest::newRow("315360000") << 315360000u << 8;
    QTest::newRow("uint32 max") << 4294967295u << 8;
}

void TestFuncs::effects() {
    QFETCH(uint, elapsed);
    QFETCH(int, effect);
    QCOMPARE(EffectIndexOf(elapsed), effect);
}

void TestFuncs::tablesAreOrderedAndComplete() {
    for (int r = 0; r < GradeCount; ++r) {
        QVERIFY(GradeSeconds[r] < GradeSeconds[r + 1]);
        QVERIFY(!GradeNames[r].isEmpty());
        QCOMPARE(GradeOf(GradeSeconds[r] + 1), r);
    }
    for (int e = 1; e < EffectCount; ++e)
        QVERIFY(EffectSeconds[e - 1] < EffectSeconds[e]);
    QCOMPARE(GradeNames[0], QStringLiteral("천민"));
    QCOMPARE(GradeNames[18], QStringLiteral("신"));
    QCOMPARE(GradeLabels[19], QStringLiteral("100년"));
    QCOMPARE(EffectTitles[8], QStringLiteral("1000세 건강"));
    // Every text is representable in the files' code page.
    for (const auto* table : {&EffectTitles, &EffectTexts})
        for (const QString& s : *table)
            QCOMPARE(Cp949::unencodable(s), QString());
}

// The tables written out as the program must show them, row by row.
void TestFuncs::rankTable_data() {
    QTest::addColumn<int>("rank");
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<QString>("label");
    const struct {
        const char* name;
        uint seconds;
        const char* label;
    } rows[] = {
        {"천민", 0u, "시작"},         {"평민", 86400u, "하루"},     {"병사", 259200u, "3일"},
        {"기사", 604800u, "7일"},     {"기사장", 864000u, "10일"},  {"장군", 1209600u, "14일"},
        {"상장군", 1555200u, "18일"}, {"대장군", 1987200u, "23일"}, {"귀족", 2592000u, "한달"},
        {"남작", 3628800u, "42일"},   {"자작", 4838400u, "56일"},   {"백작", 6048000u, "70일"},
        {"후작", 7257600u, "84일"},   {"공작", 8640000u, "100일"},  {"왕족", 10368000u, "넉달"},
        {"왕", 15552000u, "6개월"},   {"대왕", 31536000u, "1년"},   {"황제", 157680000u, "5년"},
        {"신", 315360000u, "10년"},   {"", 1576800000u, "100년"}};
    for (int r = 0; r < 20; ++r)
        QTest::addRow("%d", r) << r << QString::fromUtf8(rows[r].name) << rows[r].seconds
                               << QString::fromUtf8(rows[r].label);
}

void TestFuncs::rankTable() {
    QFETCH(int, rank);
    QFETCH(QString, name);
    QFETCH(uint, seconds);
    QFETCH(QString, label);
    QCOMPARE(GradeSeconds[size_t(rank)], seconds);
    QCOMPARE(GradeLabels[size_t(rank)], label);
    if (rank < GradeCount)
        QCOMPARE(GradeNames[size_t(rank)], name);
}

void TestFuncs::effectTable_data() {
    QTest::addColumn<int>("effect");
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const struct {
        uint seconds;
        const char* title;
        const char* text;
    } rows[] = {
        {1200u, "혈압,맥박,체온 정상",
         "혈압과 맥박이 정상으로\r돌아오고 손발부터 정상\r체온으로 올라갑니다(20분)"},
        {28800u, "혈중 산소량 정상",
         "혈중 카본모노싸이드의\r수치가 떨어지고\r혈중 산소량이 정상치로\r올라갑니다(8시간)"},
        {43200u, "심장마비 위험 감소", "심장마비 위험의 공포에서\r\r벗어납니다(12시간)"},
        {172800u, "말초신경,후/미각 회복",
         "말초신경이 되살아 나기\r시작하며, 맛과 냄새를\r더 잘 알아 봅니다(48시간)"},
        {259200u, "호흡 양호", "기관지가 편안해져서\r\r호흡이 편해집니다(72시간)"},
        {1296000u, "순환기능, 폐기능 양호",
         "순환기능이 좋아져 산책\r하기가 좋아집니다.\r폐기능이 30% 증가합니다.\r(2주)"},
        {23328000u, "폐가 깨끗,체력 상승",
         "기침,피로,숨가쁜 증상이\r사라지기 시작하고,그을렸던\r폐와 얼굴색이 깨끗해지기\r"
         "시작합니다(9개월)"},
        {157680000u, "폐암 사망 확률 감소", "폐암으로 죽는 확률이\r\r반으로 뚝 떨어집니다\r(5년)"},
        {315360000u, "1000세 건강",
         "폐암사망확률이 10% 이하로\r10%이하로 뚝 떨어집니다.,\r이제 100세 건강을 지켜\r"
         "나가십시오.     (10년)"}};
    for (int e = 0; e < 9; ++e)
        QTest::addRow("%d", e) << e << rows[e].seconds << QString::fromUtf8(rows[e].title)
                               << QString::fromUtf8(rows[e].text);
}

void TestFuncs::effectTable() {
    QFETCH(int, effect);
    QFETCH(uint, seconds);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QCOMPARE(EffectSeconds[size_t(effect)], seconds);
    QCOMPARE(EffectTitles[size_t(effect)], title);
    QCOMPARE(EffectTexts[size_t(effect)], text);
}

void TestFuncs::effectTextsKeepTheirBreaks() {
    for (const QString& t : EffectTexts)
        QVERIFY(!t.contains(u'\n'));
    QCOMPARE(EffectTexts[2].count(u'\r'), 2);
    QVERIFY(EffectTexts[2].contains(QStringLiteral("\r\r")));
    QVERIFY(EffectTexts[8].endsWith(QStringLiteral("나가십시오.     (10년)")));
    QVERIFY(EffectTexts[5].endsWith(QStringLiteral("\r(2주)")));
    QCOMPARE(EffectTexts[8].split(u'\r').size(), 4);
}

void TestFuncs::elapsed_data() {
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("seconds");
    QTest::newRow("over midnight")
        << EncodeDateTime(2026, 1, 1, 23, 59, 59) << EncodeDateTime(2026, 1, 2, 0, 0, 1) << 2;
    QTest::newRow("ms truncated per moment") << EncodeDateTime(2026, 1, 1, 10, 0, 0, 900)
                                             << EncodeDateTime(2026, 1, 1, 10, 0, 1, 100) << 1;
    QTest::newRow("within one second") << EncodeDateTime(2026, 1, 1, 10, 0, 0, 100)
                                       << EncodeDateTime(2026, 1, 1, 10, 0, 0, 900) << 0;
    QTest::newRow("backwards") << EncodeDateTime(2026, 1, 2) << EncodeDateTime(2026, 1, 1, 23, 0, 0)
                               << -3600;
    QTest::newRow("a year") << EncodeDateTime(2025, 12, 8) << EncodeDateTime(2026, 12, 8)
                            << 31536000;
    QTest::newRow("wraps past 68 years") << EncodeDateTime(1950, 1, 1) << EncodeDateTime(2026, 1, 1)
                                         << int(uint32_t(27759u * 86400u));
}

void TestFuncs::elapsed() {
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, seconds);
    QCOMPARE(ElapsedSeconds(from, to), seconds);
}

void TestFuncs::shift_data() {
    QTest::addColumn<double>("moment");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("result");
    QTest::newRow("back over new year")
        << EncodeDateTime(2026, 1, 1) << -1 << "2025-12-31 23:59:59";
    QTest::newRow("to the next midnight")
        << EncodeDateTime(2026, 1, 1, 0, 0, 1) << 86399 << "2026-01-02 00:00:00";
    QTest::newRow("50 years of 365 days")
        << EncodeDateTime(2026, 12, 8, 12, 0, 0) << 1576800000 << "2076-11-25 12:00:00";
    QTest::newRow("minus several days")
        << EncodeDateTime(2026, 3, 1, 0, 0, 30) << -(2 * 86400 + 60) << "2026-02-26 23:59:30";
    QTest::newRow("int32 min") << EncodeDateTime(2026, 12, 8) << int(INT32_MIN)
                               << "1958-11-19 20:45:52";
}

void TestFuncs::shift() {
    QFETCH(double, moment);
    QFETCH(int, seconds);
    QFETCH(QString, result);
    QCOMPARE(FormatDateTime(ShiftBySeconds(seconds, moment)), result);
}

void TestFuncs::shiftAndElapsedAgree() {
    const TDateTime base = EncodeDateTime(2026, 12, 7, 12, 43, 14);
    for (int s : {0, 1, 59, 86399, 86400, 86401, -1, -86401, 3628800, 315360001}) {
        QCOMPARE(ElapsedSeconds(base, ShiftBySeconds(s, base)), s);
    }
}

void TestFuncs::abstinenceCount_data() {
    QTest::addColumn<double>("base");
    QTest::addColumn<uint>("count");
    QTest::addColumn<int>("grade");
    QTest::newRow("the last moment a base can hold")
        << EncodeDateTime(9999, 12, 31, 23, 59, 59) << 0u << 0;
    QTest::newRow("a second ahead") << EncodeDateTime(2026, 12, 8, 12, 43, 16) << 0u << 0;
    QTest::newRow("now") << EncodeDateTime(2026, 12, 8, 12, 43, 15) << 0u << 0;
    QTest::newRow("45 days") << EncodeDateTime(2026, 10, 24, 12, 43, 15) << 3888000u << 9;
    QTest::newRow("76 years: past the signed range")
        << EncodeDateTime(1950, 12, 8, 12, 43, 15) << 2398377600u << 18;
    QTest::newRow("1900-01-01: 126 years") << EncodeDateTime(1900, 1, 1) << 4005722595u << 18;
    QTest::newRow("the largest count exactly")
        << EncodeDateTime(1890, 11, 1, 6, 15, 0) << 4294967295u << 18;
    QTest::newRow("a second more than it holds")
        << EncodeDateTime(1890, 11, 1, 6, 14, 59) << 4294967295u << 18;
    QTest::newRow("year 1") << EncodeDateTime(1, 1, 1) << 4294967295u << 18;
}

void TestFuncs::abstinenceCount() {
    QFETCH(double, base);
    QFETCH(uint, count);
    QFETCH(int, grade);
    const TDateTime now = EncodeDateTime(2026, 12, 8, 12, 43, 15);
    QCOMPARE(AbstinenceCount(base, now), count);
    QCOMPARE(GradeOf(AbstinenceCount(base, now)), grade);
}

QTEST_GUILESS_MAIN(TestFuncs)
#include "tst_funcs.moc"
