#include "runtime/DateTime.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {

qint64 floorDiv(qint64 a, qint64 b) {
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

std::optional<TDateTime> g_frozenNow;
std::optional<qint64> g_instant; // the system clock stood still, in ms since 1970 UTC

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kMonthDays[month - 1];
}

qint64 DayNumberOf(int year, int month, int day) {
    const qint64 y = qint64(year) - 1;
    qint64 n = 365 * y + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400);
    for (int m = 1; m < month; ++m)
        n += DaysInMonth(year, m);
    return n + day;
}

void DecodeDayNumber(qint64 dayNumber, int& year, int& month, int& day) {
    // Work on days since 0000-03-01 in 400-year eras (civil-from-days).
    qint64 z = dayNumber - 1 + 306; // 0001-01-01 is 306 days after 0000-03-01
    const qint64 era = floorDiv(z, 146097);
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

TTimeStamp DateTimeToTimeStamp(TDateTime value) {
    // Negative values keep the time of day as a positive fraction
    // (-1.25 is 1899-12-29 06:00), as the value has always been defined.
    const double whole = std::trunc(value);
    const double frac = std::fabs(value - whole);
    TTimeStamp ts;
    ts.Date = qint64(whole) + DateDelta;
    ts.Time = std::llround(frac * double(MSecsPerDay));
    if (ts.Time >= MSecsPerDay) {
        ts.Time -= MSecsPerDay;
        ts.Date += 1;
    }
    return ts;
}

TDateTime TimeStampToDateTime(const TTimeStamp& stamp) {
    const double days = double(stamp.Date - DateDelta);
    const double frac = double(stamp.Time) / double(MSecsPerDay);
    return days < 0 ? days - frac : days + frac;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
    TTimeStamp ts;
    ts.Date = DayNumberOf(year, month, day);
    ts.Time = ((qint64(hour) * 60 + minute) * 60 + second) * 1000 + msec;
    return TimeStampToDateTime(ts);
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec) {
    const TTimeStamp ts = DateTimeToTimeStamp(value);
    DecodeDayNumber(ts.Date, year, month, day);
    qint64 t = ts.Time;
    msec = int(t % 1000);
    t /= 1000;
    second = int(t % 60);
    t /= 60;
    minute = int(t % 60);
    hour = int(t / 60);
}

QString FormatDateTime(TDateTime value) {
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(value, y, mo, d, h, mi, s, ms);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
}

QString DateTimeToStr(TDateTime value) {
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(value, y, mo, d, h, mi, s, ms);
    if (h == 0 && mi == 0 && s == 0 && ms == 0)
        return QString::asprintf("%04d-%02d-%02d", y, mo, d);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
}

bool TryStrToDateTime(const QString& text, TDateTime& value) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,4})-(\d{1,2})-(\d{1,2})(?:\s+(?:(오전|오후)\s*)?(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    const int y = m.captured(1).toInt();
    const int mo = m.captured(2).toInt();
    const int d = m.captured(3).toInt();
    if (y < 1 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo))
        return false;
    int h = 0, mi = 0, s = 0;
    if (m.capturedLength(5) > 0) {
        h = m.captured(5).toInt();
        mi = m.captured(6).toInt();
        s = m.capturedLength(7) > 0 ? m.captured(7).toInt() : 0;
        const QString half = m.captured(4);
        if (!half.isEmpty()) {
            // 12-hour clock: 오전 12 is midnight, 오후 12 is noon.
            if (h < 1 || h > 12)
                return false;
            if (half == QStringLiteral("오전"))
                h = h == 12 ? 0 : h;
            else
                h = h == 12 ? 12 : h + 12;
        }
        if (h > 23 || mi > 59 || s > 59)
            return false;
    }
    value = EncodeDateTime(y, mo, d, h, mi, s);
    return true;
}

QString FormatThousands(qint64 value) {
    const bool negative = value < 0;
    // Work in unsigned to survive the most negative value.
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

namespace Clock {

TDateTime Now() {
    if (g_frozenNow)
        return *g_frozenNow;
    // The wall-clock time of the user's zone, daylight saving included: the
    // system's own local time, as the desktop's clock shows it. A conversion
    // from UTC through the C library would follow TZ on Windows as well,
    // where a zone name that the runtime cannot read counts as UTC.
    const QDateTime now = g_instant ? QDateTime::fromMSecsSinceEpoch(*g_instant, Qt::LocalTime)
                                    : QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return EncodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

void SetNow(TDateTime value) {
    g_frozenNow = value;
}

void SetInstant(qint64 msecsSinceEpoch) {
    g_frozenNow.reset();
    g_instant = msecsSinceEpoch;
}

void Advance(double seconds) {
    if (g_instant && !g_frozenNow) {
        *g_instant += std::llround(seconds * 1000.0);
        return;
    }
    if (!g_frozenNow)
        g_frozenNow = Now();
    TTimeStamp ts = DateTimeToTimeStamp(*g_frozenNow);
    const qint64 total = ts.Time + std::llround(seconds * 1000.0);
    ts.Date += floorDiv(total, MSecsPerDay);
    ts.Time = total - floorDiv(total, MSecsPerDay) * MSecsPerDay;
    g_frozenNow = TimeStampToDateTime(ts);
}

void Reset() {
    g_frozenNow.reset();
    g_instant.reset();
}

bool IsFrozen() {
    return g_frozenNow.has_value() || g_instant.has_value();
}

} // namespace Clock
