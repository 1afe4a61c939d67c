#include "runtime/DateTime.h"

#include <QDateTime>
#include <QTest>
#include <ctime>

class TestDateTime : public QObject {
    Q_OBJECT
private slots:
    void splitAndCompose_data();
    void splitAndCompose();
    void splitRoundsToNearestMillisecond();
    void dayNumbers_data();
    void dayNumbers();
    void regionalText_data();
    void regionalText();
    void regionalTextRoundTrip();
    void thousands_data();
    void thousands();
    void clockCanBeSet();
    void clockReadsLocalTime_data();
    void clockReadsLocalTime();
    void systemClockIsLocal();
};

void TestDateTime::splitAndCompose_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("date");
    QTest::addColumn<qint64>("time");
    QTest::newRow("zero") << 0.0 << qint64(693594) << qint64(0);
    QTest::newRow("noon") << 0.5 << qint64(693594) << qint64(43200000);
    QTest::newRow("negative keeps a positive time") << -1.25 << qint64(693593) << qint64(21600000);
    QTest::newRow("2026-12-08") << 46364.0 << qint64(739958) << qint64(0);
}

void TestDateTime::splitAndCompose() {
    QFETCH(double, value);
    QFETCH(qint64, date);
    QFETCH(qint64, time);
    const TTimeStamp ts = DateTimeToTimeStamp(value);
    QCOMPARE(ts.Date, date);
    QCOMPARE(ts.Time, time);
    QCOMPARE(TimeStampToDateTime(ts), value);
}

void TestDateTime::splitRoundsToNearestMillisecond() {
    // 7 seconds past midnight is not exactly representable; truncation
    // would report 6.999 seconds.
    const TDateTime t = EncodeDateTime(2026, 12, 8, 0, 0, 7);
    QCOMPARE(DateTimeToTimeStamp(t).Time, qint64(7000));
    int y, mo, d, h, mi, s, ms;
    for (int sec = 0; sec < 86400; sec += 7) {
        DecodeDateTime(EncodeDateTime(2026, 3, 1, sec / 3600, sec / 60 % 60, sec % 60), y, mo, d, h,
                       mi, s, ms);
        QCOMPARE(h * 3600 + mi * 60 + s, sec);
        QCOMPARE(ms, 0);
    }
    // A value a hair below midnight rounds up into the next day.
    const TTimeStamp ts = DateTimeToTimeStamp(46364.0 - 1e-12);
    QCOMPARE(ts.Date, qint64(739958));
    QCOMPARE(ts.Time, qint64(0));
}

void TestDateTime::dayNumbers_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<qint64>("number");
    QTest::newRow("0001-01-01") << 1 << 1 << 1 << qint64(1);
    QTest::newRow("1881-01-29") << 1881 << 1 << 29 << qint64(686685);
    QTest::newRow("1899-12-30") << 1899 << 12 << 30 << qint64(693594);
    QTest::newRow("2024-02-10") << 2024 << 2 << 10 << qint64(738926);
    QTest::newRow("year 0 is before day 1") << 0 << 12 << 31 << qint64(0);
    QTest::newRow("year 0 starts a leap year") << 0 << 1 << 1 << qint64(-365);
    QTest::newRow("9999-12-31") << 9999 << 12 << 31 << qint64(3652059);
}

void TestDateTime::dayNumbers() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(qint64, number);
    QCOMPARE(DayNumberOf(year, month, day), number);
    int y, m, d;
    DecodeDayNumber(number, y, m, d);
    QCOMPARE(y, year);
    QCOMPARE(m, month);
    QCOMPARE(d, day);
}

void TestDateTime::regionalText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("full") << "2026-12-07 12:43:14" << true << "2026-12-07 12:43:14";
    QTest::newRow("date only is midnight") << "2026-12-07" << true << "2026-12-07 00:00:00";
    QTest::newRow("morning") << "2026-12-07 오전 9:05:03" << true << "2026-12-07 09:05:03";
    QTest::newRow("afternoon") << "2026-12-07 오후 1:02:03" << true << "2026-12-07 13:02:03";
    QTest::newRow("midnight hour") << "2026-12-07 오전 12:00:00" << true << "2026-12-07 00:00:00";
    QTest::newRow("noon hour") << "2026-12-07 오후 12:30:00" << true << "2026-12-07 12:30:00";
    QTest::newRow("blanks around") << "  2026-12-07 01:02:03 " << true << "2026-12-07 01:02:03";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("garbage") << "yesterday" << false << "";
    QTest::newRow("no such day") << "2026-02-29" << false << "";
    QTest::newRow("hour 24") << "2026-12-07 24:00:00" << false << "";
    QTest::newRow("13 pm") << "2026-12-07 오후 13:00:00" << false << "";
    QTest::newRow("slashes") << "2026/12/07" << false << "";
}

void TestDateTime::regionalText() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, formatted);
    TDateTime v = -1;
    QCOMPARE(TryStrToDateTime(text, v), ok);
    if (ok)
        QCOMPARE(FormatDateTime(v), formatted);
}

void TestDateTime::regionalTextRoundTrip() {
    // Every second of a day reads back exactly what was written.
    const TDateTime base = EncodeDateTime(2026, 12, 8);
    QCOMPARE(DateTimeToStr(base), QStringLiteral("2026-12-08"));
    for (int sec = 0; sec < 86400; sec += 1) {
        const TDateTime v = EncodeDateTime(2026, 12, 8, sec / 3600, sec / 60 % 60, sec % 60);
        TDateTime back = 0;
        QVERIFY(TryStrToDateTime(DateTimeToStr(v), back));
        QCOMPARE(FormatDateTime(back), FormatDateTime(v));
    }
}

void TestDateTime::thousands_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0";
    QTest::newRow("999") << qint64(999) << "999";
    QTest::newRow("1000") << qint64(1000) << "1,000";
    QTest::newRow("-50000") << qint64(-50000) << "-50,000";
    QTest::newRow("uint32 max") << qint64(4294967295LL) << "4,294,967,295";
    QTest::newRow("int32 min") << qint64(INT32_MIN) << "-2,147,483,648";
    QTest::newRow("int64 min") << qint64(INT64_MIN) << "-9,223,372,036,854,775,808";
}

void TestDateTime::thousands() {
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(FormatThousands(value), text);
}

void TestDateTime::clockCanBeSet() {
    const TDateTime t = EncodeDateTime(2026, 12, 31, 23, 59, 58);
    Clock::SetNow(t);
    QCOMPARE(Clock::Now(), t);
    Clock::Advance(3);
    QCOMPARE(FormatDateTime(Clock::Now()), QStringLiteral("2027-01-01 00:00:01"));
    Clock::Reset();
    QVERIFY(!Clock::IsFrozen());
    QVERIFY(Clock::Now() > EncodeDateTime(2020, 1, 1));
}

void TestDateTime::clockReadsLocalTime_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("utc");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("secondLater");
    QTest::newRow("Seoul") << QByteArray("Asia/Seoul") << "2026-12-08T03:43:15Z"
                           << "2026-12-08 12:43:15"
                           << "2026-12-08 12:43:16";
    QTest::newRow("New York springs forward")
        << QByteArray("America/New_York") << "2026-03-08T06:59:59Z"
        << "2026-03-08 01:59:59"
        << "2026-03-08 03:00:00";
    QTest::newRow("New York falls back") << QByteArray("America/New_York") << "2026-11-01T05:59:59Z"
                                         << "2026-11-01 01:59:59"
                                         << "2026-11-01 01:00:00";
    QTest::newRow("Berlin springs forward") << QByteArray("Europe/Berlin") << "2026-03-29T00:59:59Z"
                                            << "2026-03-29 01:59:59"
                                            << "2026-03-29 03:00:00";
    QTest::newRow("Berlin falls back") << QByteArray("Europe/Berlin") << "2026-10-25T00:59:59Z"
                                       << "2026-10-25 02:59:59"
                                       << "2026-10-25 02:00:00";
}

// The program's moments are the wall clock of the user's zone, on both
// sides of a daylight-saving change.
void TestDateTime::clockReadsLocalTime() {
    QFETCH(QByteArray, zone);
    QFETCH(QString, utc);
    QFETCH(QString, before);
    QFETCH(QString, secondLater);
#ifdef Q_OS_WIN
    QSKIP("Windows takes the zone from the system's settings, not from TZ");
#endif
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    Clock::SetInstant(QDateTime::fromString(utc, Qt::ISODate).toMSecsSinceEpoch());
    const QString first = FormatDateTime(Clock::Now());
    Clock::Advance(1);
    const QString second = FormatDateTime(Clock::Now());
    Clock::Reset();
    qputenv("TZ", oldZone);
    tzset();
    QCOMPARE(first, before);
    QCOMPARE(second, secondLater);
}

void TestDateTime::systemClockIsLocal() {
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString before = QDateTime::currentDateTime().toString(format);
        const QString now = FormatDateTime(Clock::Now());
        const QString after = QDateTime::currentDateTime().toString(format);
        if (before == after) {
            QCOMPARE(now, before);
            return;
        }
    }
    QFAIL("the second kept changing");
}

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_datetime.moc"
