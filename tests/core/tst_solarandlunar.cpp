#include "core/SolarAndLunar.h"
#include "runtime/DateTime.h"

#include <QDate>
#include <QFile>
#include <QTest>

class TestSolarAndLunar : public QObject {
    Q_OBJECT
private slots:
    void tableShape();
    void conversions_data();
    void conversions();
    void everyCoveredDayFollowsTheDayBefore();
    void monthStartsMatchTheReference();
    void outsideTheTableNeverFails();
};

void TestSolarAndLunar::tableShape() {
    int total = 0;
    int intercalary = 0;
    for (int i = 0; i < LunarYearCount; ++i) {
        const QByteArray row(LunarMonthTable[i]);
        QCOMPARE(row.size(), 13);
        const int leaps = row.count('3') + row.count('4');
        QVERIFY(leaps <= 1);
        QVERIFY(row[0] != '3' && row[0] != '4');
        QCOMPARE(row[12] == '0', leaps == 0);
        intercalary += leaps;
        const int len = LunarYearLength(i);
        QVERIFY2(len >= 353 && len <= 385, qPrintable(QString::number(1881 + i)));
        total += len;
    }
    QCOMPARE(total, 59534);
    QCOMPARE(intercalary, 60);
}

void TestSolarAndLunar::conversions_data() {
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("ly");
    QTest::addColumn<int>("lm");
    QTest::addColumn<int>("ld");
    QTest::addColumn<QString>("name");
    QTest::newRow("first day of the table") << 1881 << 1 << 30 << 1881 << 1 << 1 << "甲子";
    QTest::newRow("last day of the table") << 2044 << 1 << 29 << 2043 << 12 << 30 << "丁丑";
    QTest::newRow("Seollal 2024") << 2024 << 2 << 10 << 2024 << 1 << 1 << "甲辰";
    QTest::newRow("Seollal 2026") << 2026 << 2 << 17 << 2026 << 1 << 1 << "壬戌";
    QTest::newRow("eve of Seollal 2026") << 2026 << 2 << 16 << 2025 << 12 << 29 << "";
    QTest::newRow("2023 before the leap month") << 2023 << 3 << 21 << 2023 << 2 << 30 << "";
    QTest::newRow("2023 leap month starts") << 2023 << 3 << 22 << 2023 << 2 << 1 << "";
    QTest::newRow("2023 leap month ends") << 2023 << 4 << 19 << 2023 << 2 << 29 << "";
    QTest::newRow("2023 third month") << 2023 << 4 << 20 << 2023 << 3 << 1 << "";
    QTest::newRow("2000-01-01") << 2000 << 1 << 1 << 1999 << 11 << 25 << "戊午";
    QTest::newRow("2026-12-07") << 2026 << 12 << 7 << 2026 << 10 << 29 << "乙卯";
    QTest::newRow("29 February counts in 2024") << 2024 << 3 << 1 << 2024 << 1 << 21 << "";
    QTest::newRow("1900 has no 29 February") << 1900 << 3 << 1 << 1900 << 2 << 1 << "";
    QTest::newRow("2000 has a 29 February") << 2000 << 3 << 1 << 2000 << 1 << 26 << "";
    // Dates where the older table was a day or months off.
    QTest::newRow("Seollal 2016") << 2016 << 2 << 8 << 2016 << 1 << 1 << "";
    QTest::newRow("Seollal 2006") << 2006 << 1 << 29 << 2006 << 1 << 1 << "";
    QTest::newRow("Seollal 1966") << 1966 << 1 << 22 << 1966 << 1 << 1 << "";
    QTest::newRow("Chuseok 2017") << 2017 << 10 << 4 << 2017 << 8 << 15 << "";
    QTest::newRow("Chuseok 2004") << 2004 << 9 << 28 << 2004 << 8 << 15 << "";
    QTest::newRow("Chuseok 1990") << 1990 << 10 << 3 << 1990 << 8 << 15 << "";
    QTest::newRow("2033 eleventh month ends") << 2033 << 12 << 21 << 2033 << 11 << 30 << "";
    QTest::newRow("2033 leap eleventh month") << 2033 << 12 << 22 << 2033 << 11 << 1 << "";
    QTest::newRow("2033 Chuseok") << 2033 << 9 << 8 << 2033 << 8 << 15 << "";
}

void TestSolarAndLunar::conversions() {
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(int, ly);
    QFETCH(int, lm);
    QFETCH(int, ld);
    QFETCH(QString, name);
    const TLunarDate l = SolarToLunar(uint16_t(y), uint16_t(m), uint16_t(d));
    QCOMPARE(int(l.Year), ly);
    QCOMPARE(int(l.Month), lm);
    QCOMPARE(int(l.Day), ld);
    QCOMPARE(l.DayName.size(), 2);
    if (!name.isEmpty())
        QCOMPARE(l.DayName, name);
    QVERIFY(LunarInRange(uint16_t(y), uint16_t(m), uint16_t(d)));
}

void TestSolarAndLunar::everyCoveredDayFollowsTheDayBefore() {
    // Walk all 59534 days: each lunar day is the previous one plus one, or
    // day 1 of the next (or the same, intercalary) month, with 29 or 30 day months.
    TLunarDate prev = SolarToLunar(1881, 1, 30);
    int y, m, d;
    int months = 1;
    for (qint64 n = DayNumberOf(1881, 1, 31); n <= DayNumberOf(2044, 1, 29); ++n) {
        DecodeDayNumber(n, y, m, d);
        const TLunarDate cur = SolarToLunar(uint16_t(y), uint16_t(m), uint16_t(d));
        if (cur.Day == prev.Day + 1) {
            QCOMPARE(cur.Month, prev.Month);
        } else {
            QCOMPARE(int(cur.Day), 1);
            QVERIFY(prev.Day == 29 || prev.Day == 30);
            QVERIFY(cur.Month == prev.Month || cur.Month == prev.Month % 12 + 1);
            ++months;
        }
        prev = cur;
    }
    QCOMPARE(months, 163 * 12 + 60);
}

void TestSolarAndLunar::monthStartsMatchTheReference() {
    // Every month start of the reference calendar must be day 1 of the same
    // lunar month here, and intercalary exactly where it is intercalary there:
    // a wrong digit in any row moves a start or renumbers a month.
    QFile f(QStringLiteral(LUNAR_REFERENCE));
    QVERIFY(f.open(QIODevice::ReadOnly));
    int starts = 0, slot = 0, year = 0;
    QStringList wrong;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> p = line.split(' ');
        const QDate solar = QDate::fromString(QString::fromLatin1(p.value(0)), Qt::ISODate);
        const int ly = p.value(1).toInt();
        slot = ly == year ? slot + 1 : 0;
        year = ly;
        const TLunarDate l =
            SolarToLunar(uint16_t(solar.year()), uint16_t(solar.month()), uint16_t(solar.day()));
        const bool inTable = ly >= 1881 && ly <= 2043 && slot < 13;
        const char c = inTable ? LunarMonthTable[ly - 1881][slot] : '0';
        const bool leap = c == '3' || c == '4';
        if (!inTable || l.Year != ly || l.Month != p.value(2).toInt() || l.Day != 1 ||
            leap != (p.value(3) == "L"))
            wrong << QString::fromLatin1(line);
        ++starts;
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 5).join(QStringLiteral("; "))));
    QCOMPARE(starts, 163 * 12 + 60);
}

void TestSolarAndLunar::outsideTheTableNeverFails() {
    QVERIFY(!LunarInRange(1881, 1, 29));
    QVERIFY(!LunarInRange(2044, 1, 30));
    const TLunarDate after = SolarToLunar(2044, 1, 30);
    QCOMPARE(int(after.Year), 2043);
    QCOMPARE(int(after.Month), 12);
    QCOMPARE(int(after.Day), 1);
    // Every year the calendar can reach, including year 0, converts without
    // failing and names the day correctly (the cycle continues unbroken).
    for (int year : {0, 1, 100, 1880, 2045, 9999, 65535}) {
        for (int month = 1; month <= 12; ++month) {
            const TLunarDate a = SolarToLunar(uint16_t(year), uint16_t(month), 1);
            QCOMPARE(a.DayName.size(), 2);
        }
    }
    // Day 0 (the working day before any cell is chosen) is the last of the month before.
    QCOMPARE(SolarToLunar(2024, 2, 0).DayName, SolarToLunar(2024, 1, 31).DayName);
    // Sixty days apart carry the same name anywhere.
    QCOMPARE(SolarToLunar(0, 1, 1).DayName, SolarToLunar(0, 3, 1).DayName);
}

QTEST_GUILESS_MAIN(TestSolarAndLunar)
#include "tst_solarandlunar.moc"
