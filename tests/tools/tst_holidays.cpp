// The shipped holiday files: Korea's public holidays of each year under the
// regulation of that year, checked against published calendars.

#include "core/ProjectInfo.h"
#include "core/SolarAndLunar.h"
#include "runtime/TextFile.h"
#include "tests/support/TestSupport.h"
#include "tools/holidays/HolidayRules.h"

#include <QTest>

namespace {

QList<QDate> substitutesOf(int year) {
    QList<QDate> days;
    const auto holidays = Holidays::OfYear(year);
    for (auto it = holidays.cbegin(); it != holidays.cend(); ++it)
        if (it.value().contains(QStringLiteral("대체공휴일")))
            days << it.key();
    return days;
}

QList<QDate> dates(int year, std::initializer_list<std::pair<int, int>> monthDays) {
    QList<QDate> out;
    for (const auto& [m, d] : monthDays)
        out << QDate(year, m, d);
    return out;
}

} // namespace

class TestHolidays : public QObject {
    Q_OBJECT
private slots:
    void substituteDays_data();
    void substituteDays();
    void dayValues_data();
    void dayValues();
    void everyYearHoldsTogether();
    void fileReadByTheCalendar();
};

void TestHolidays::substituteDays_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QList<QDate>>("expected");
    QTest::newRow("1990: none yet") << 1990 << QList<QDate>();
    QTest::newRow("2013: none yet") << 2013 << QList<QDate>();
    QTest::newRow("2014: 추석 begins on a Sunday") << 2014 << dates(2014, {{9, 10}});
    QTest::newRow("2015: 추석 on a Sunday") << 2015 << dates(2015, {{9, 29}});
    QTest::newRow("2016: 설날 begins on a Sunday") << 2016 << dates(2016, {{2, 10}});
    QTest::newRow("2017: 설날 Sunday, 추석 with 개천절") << 2017 << dates(2017, {{1, 30}, {10, 6}});
    QTest::newRow("2018: 어린이날 Saturday, 추석 Sunday") << 2018 << dates(2018, {{5, 7}, {9, 26}});
    QTest::newRow("2019: 어린이날 Sunday; 부처님오신날 Sunday gives none")
        << 2019 << dates(2019, {{5, 6}});
    QTest::newRow("2020: 설날 ends on a Sunday") << 2020 << dates(2020, {{1, 27}});
    QTest::newRow("2021: 광복절, 개천절, 한글날")
        << 2021 << dates(2021, {{8, 16}, {10, 4}, {10, 11}});
    QTest::newRow("2022: 추석 Sunday, 한글날 Sunday") << 2022 << dates(2022, {{9, 12}, {10, 10}});
    QTest::newRow("2023: 설날 Sunday, 부처님오신날 Saturday")
        << 2023 << dates(2023, {{1, 24}, {5, 29}});
    QTest::newRow("2024: 설날 ends on a Sunday, 어린이날 Sunday")
        << 2024 << dates(2024, {{2, 12}, {5, 6}});
    QTest::newRow("2025: 삼일절 Saturday, two holidays on 5 May, 추석 Sunday")
        << 2025 << dates(2025, {{3, 3}, {5, 6}, {10, 8}});
    QTest::newRow("2026: 추석 ending Saturday and 현충일 Saturday give none")
        << 2026 << dates(2026, {{3, 2}, {5, 25}, {8, 17}, {10, 5}});
    QTest::newRow("2027: 노동절 and 제헌절 Saturday, 성탄절 Saturday")
        << 2027 << dates(2027, {{2, 9}, {5, 3}, {7, 19}, {8, 16}, {10, 4}, {10, 11}, {12, 27}});
    QTest::newRow("2028: 추석 with 개천절 on one day gives one") << 2028 << dates(2028, {{10, 5}});
    QTest::newRow("2036: 추석 on 개천절 and on a Sunday gives two")
        << 2036 << dates(2036, {{1, 30}, {3, 3}, {5, 6}, {10, 6}, {10, 7}});
    QTest::newRow("2039: 추석 on a Sunday and on 개천절 gives two")
        << 2039
        << dates(2039, {{1, 26}, {5, 2}, {5, 3}, {7, 18}, {10, 4}, {10, 5}, {10, 10}, {12, 26}});
}

void TestHolidays::substituteDays() {
    QFETCH(int, year);
    QFETCH(QList<QDate>, expected);
    QCOMPARE(substitutesOf(year), expected);
}

void TestHolidays::dayValues_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("value"); // empty: no holiday
    auto row = [](const char* name, QDate d, const char* value) {
        QTest::newRow(name) << d << QString::fromUtf8(value);
    };
    row("2024 설날 eve", QDate(2024, 2, 9), "설날");
    row("2024 설날", QDate(2024, 2, 10), "설날");
    row("2024 설날 second day", QDate(2024, 2, 11), "설날");
    row("2024 substitute", QDate(2024, 2, 12), "대체공휴일");
    row("2025 two holidays joined", QDate(2025, 5, 5), "어린이날, 부처님오신날");
    row("2017 추석 and 개천절", QDate(2017, 10, 3), "추석, 개천절");
    row("2026 추석 last day Saturday", QDate(2026, 9, 26), "추석");
    row("2026 no substitute after 추석", QDate(2026, 9, 28), "");
    row("2026 no substitute after 현충일", QDate(2026, 6, 8), "");
    // The intercalary eleventh month of 2033 moves neither 추석 nor 설날 2034.
    row("2033 추석 eve", QDate(2033, 9, 7), "추석");
    row("2033 추석", QDate(2033, 9, 8), "추석");
    row("2033 추석 after", QDate(2033, 9, 9), "추석");
    row("2034 설날", QDate(2034, 2, 19), "설날");
    // An intercalary month before the fourth or eighth does not count twice.
    row("2012 부처님오신날 after a leap third month", QDate(2012, 5, 28), "부처님오신날");
    row("2020 부처님오신날 before the leap fourth month", QDate(2020, 4, 30), "부처님오신날");
    row("2020 leap 4.8 is no holiday", QDate(2020, 5, 30), "");
    row("2023 추석 after the leap second month", QDate(2023, 9, 29), "추석");
    // Holidays that came and went.
    row("1990 신정 second day", QDate(1990, 1, 2), "신정");
    row("1998 신정 second day", QDate(1998, 1, 2), "신정");
    row("1999 신정 one day", QDate(1999, 1, 2), "");
    row("1990 국군의 날", QDate(1990, 10, 1), "국군의 날");
    row("1991 국군의 날 gone", QDate(1991, 10, 1), "");
    row("1990 한글날", QDate(1990, 10, 9), "한글날");
    row("1991 한글날 gone", QDate(1991, 10, 9), "");
    row("2012 한글날 gone", QDate(2012, 10, 9), "");
    row("2013 한글날 back", QDate(2013, 10, 9), "한글날");
    row("2005 식목일", QDate(2005, 4, 5), "식목일");
    row("2006 식목일 gone", QDate(2006, 4, 5), "");
    row("2007 제헌절", QDate(2007, 7, 17), "제헌절");
    row("2008 제헌절 gone", QDate(2008, 7, 17), "");
    row("2026 제헌절 back", QDate(2026, 7, 17), "제헌절");
    row("2025 노동절 not yet", QDate(2025, 5, 1), "");
    row("2026 노동절", QDate(2026, 5, 1), "노동절");
    row("1990 추석 with 개천절", QDate(1990, 10, 3), "추석, 개천절");
    row("2043 성탄절", QDate(2043, 12, 25), "성탄절");
    row("2009 추석 on 개천절, a Saturday", QDate(2009, 10, 3), "추석, 개천절");
    row("1995 추석 in the ordinary eighth month", QDate(1995, 9, 9), "추석");
    row("1995 leap 8.15 is no holiday", QDate(1995, 10, 8), "");
}

void TestHolidays::dayValues() {
    QFETCH(QDate, date);
    QFETCH(QString, value);
    QCOMPARE(Holidays::OfYear(date.year()).value(date).join(QStringLiteral(", ")), value);
}

// For every year shipped: the lunar holidays fall on their lunar days, and
// a substitute is a weekday or Saturday that is no other holiday.
void TestHolidays::everyYearHoldsTogether() {
    for (int year = 1990; year <= 2043; ++year) {
        const auto holidays = Holidays::OfYear(year);
        QList<QDate> seollal, chuseok;
        for (auto it = holidays.cbegin(); it != holidays.cend(); ++it) {
            QCOMPARE(it.key().year(), year);
            if (it.value().contains(QStringLiteral("설날")))
                seollal << it.key();
            if (it.value().contains(QStringLiteral("추석")))
                chuseok << it.key();
            if (it.value().contains(QStringLiteral("대체공휴일"))) {
                QVERIFY2(year >= 2014, qPrintable(it.key().toString(Qt::ISODate)));
                QCOMPARE(it.value().size(), 1);
                QVERIFY(it.key().dayOfWeek() != Qt::Sunday);
            }
        }
        QCOMPARE(seollal.size(), 3);
        QCOMPARE(chuseok.size(), 3);
        QCOMPARE(seollal[0].daysTo(seollal[2]), 2);
        QCOMPARE(chuseok[0].daysTo(chuseok[2]), 2);
        const TLunarDate newYear =
            SolarToLunar(uint16_t(year), uint16_t(seollal[1].month()), uint16_t(seollal[1].day()));
        QCOMPARE(int(newYear.Month), 1);
        QCOMPARE(int(newYear.Day), 1);
        const TLunarDate eve =
            SolarToLunar(uint16_t(year), uint16_t(seollal[0].month()), uint16_t(seollal[0].day()));
        QCOMPARE(int(eve.Month), 12);
        QVERIFY(eve.Day == 29 || eve.Day == 30);
        const TLunarDate moon =
            SolarToLunar(uint16_t(year), uint16_t(chuseok[1].month()), uint16_t(chuseok[1].day()));
        QCOMPARE(int(moon.Month), 8);
        QCOMPARE(int(moon.Day), 15);
        if (year < 2014)
            QVERIFY(substitutesOf(year).isEmpty());
    }
    QVERIFY(!Holidays::LunarToSolar(1880, 1, 1).isValid());
    QVERIFY(!Holidays::LunarToSolar(2044, 1, 1).isValid());
}

// The file as written reads back through the calendar's own look-up.
void TestHolidays::fileReadByTheCalendar() {
    TestSupport::TempProgramFolder folder;
    QCOMPARE(Holidays::FileName(2025), QStringLiteral("Holiday - 2025.dat"));
    TextFile::writeLines(folder.file(Holidays::FileName(2025)), Holidays::FileLines(2025),
                         TextFile::ErrorKind::CannotCreate);
    const QByteArray bytes = folder.read(QStringLiteral("Holiday - 2025.dat"));
    QVERIFY(bytes.contains(Cp949::encode(QStringLiteral("[5]\r\n5=어린이날, 부처님오신날\r\n"
                                                        "6=대체공휴일\r\n[6]\r\n"))));
    QVERIFY(bytes.endsWith("\r\n"));
    TvxAnniversary cursor(folder.path());
    cursor.Year = 2025;
    cursor.Month = 5;
    QCOMPARE(cursor.ReadHoliday(5), QStringLiteral("어린이날, 부처님오신날"));
    QCOMPARE(cursor.ReadHoliday(6), QStringLiteral("대체공휴일"));
    QCOMPARE(cursor.ReadHoliday(7), QString());
    cursor.Month = 1;
    QCOMPARE(cursor.ReadHoliday(1), QStringLiteral("신정"));
    QCOMPARE(cursor.ReadHoliday(28), QStringLiteral("설날"));
}

QTEST_GUILESS_MAIN(TestHolidays)
#include "tst_holidays.moc"
