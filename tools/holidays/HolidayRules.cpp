#include "tools/holidays/HolidayRules.h"

#include "core/SolarAndLunar.h"
#include "runtime/DateTime.h"

#include <QSet>
#include <algorithm>
#include <array>

namespace Holidays {

namespace {

enum class Reckoning { Solar, Lunar };

// When a holiday earns a substitute day.
enum class Substitute {
    Never,
    // One substitute for each day of the run that is a Sunday or also
    // another holiday (a Saturday does not count).
    OnSundayOrHoliday,
    // When it falls on a Saturday, a Sunday or another holiday.
    OnWeekendOrHoliday,
};

struct Rule {
    const char* name; // UTF-8
    Reckoning reckoning;
    int month;
    int day;
    int offset; // first day of the run, relative to month/day
    int length; // days in the run
    int from;   // first and last year the holiday is in force
    int to;
    Substitute substitute;
    int substituteFrom; // first year it earns substitutes
};

constexpr int kAlways = 9999;

// In calendar order, which is also the order of names on a shared day.
constexpr std::array<Rule, 18> kRules{{
    {"신정", Reckoning::Solar, 1, 1, 0, 1, 1990, kAlways, Substitute::Never, 0},
    {"신정", Reckoning::Solar, 1, 2, 0, 1, 1990, 1998, Substitute::Never, 0},
    // The last day of the twelfth month, the first and the second day of the first.
    {"설날", Reckoning::Lunar, 1, 1, -1, 3, 1990, kAlways, Substitute::OnSundayOrHoliday, 2014},
    {"삼일절", Reckoning::Solar, 3, 1, 0, 1, 1990, kAlways, Substitute::OnWeekendOrHoliday, 2021},
    {"식목일", Reckoning::Solar, 4, 5, 0, 1, 1990, 2005, Substitute::Never, 0},
    {"노동절", Reckoning::Solar, 5, 1, 0, 1, 2026, kAlways, Substitute::OnWeekendOrHoliday, 2026},
    {"어린이날", Reckoning::Solar, 5, 5, 0, 1, 1990, kAlways, Substitute::OnWeekendOrHoliday, 2014},
    {"부처님오신날", Reckoning::Lunar, 4, 8, 0, 1, 1990, kAlways, Substitute::OnWeekendOrHoliday,
     2023},
    {"현충일", Reckoning::Solar, 6, 6, 0, 1, 1990, kAlways, Substitute::Never, 0},
    {"제헌절", Reckoning::Solar, 7, 17, 0, 1, 1990, 2007, Substitute::Never, 0},
    {"제헌절", Reckoning::Solar, 7, 17, 0, 1, 2026, kAlways, Substitute::OnWeekendOrHoliday, 2026},
    {"광복절", Reckoning::Solar, 8, 15, 0, 1, 1990, kAlways, Substitute::OnWeekendOrHoliday, 2021},
    {"추석", Reckoning::Lunar, 8, 15, -1, 3, 1990, kAlways, Substitute::OnSundayOrHoliday, 2014},
    {"국군의 날", Reckoning::Solar, 10, 1, 0, 1, 1990, 1990, Substitute::Never, 0},
    {"개천절", Reckoning::Solar, 10, 3, 0, 1, 1990, kAlways, Substitute::OnWeekendOrHoliday, 2021},
    {"한글날", Reckoning::Solar, 10, 9, 0, 1, 1990, 1990, Substitute::Never, 0},
    {"한글날", Reckoning::Solar, 10, 9, 0, 1, 2013, kAlways, Substitute::OnWeekendOrHoliday, 2021},
    {"성탄절", Reckoning::Solar, 12, 25, 0, 1, 1990, kAlways, Substitute::OnWeekendOrHoliday, 2023},
}};

QDate dateOfDayNumber(qint64 n) {
    int y, m, d;
    DecodeDayNumber(n, y, m, d);
    return QDate(y, m, d);
}

bool isSunday(const QDate& d) {
    return d.dayOfWeek() == Qt::Sunday;
}

// The days that ask for one substitute together, and the day after which
// it is sought.
struct Claim {
    QSet<QDate> causes;
    QDate after;
};

} // namespace

QDate LunarToSolar(int lunarYear, int lunarMonth, int lunarDay) {
    const int row = lunarYear - LunarFirstYear;
    if (row < 0 || row >= LunarYearCount || lunarMonth < 1 || lunarMonth > 12 || lunarDay < 1)
        return QDate();
    qint64 n = LunarBaseDay;
    for (int i = 0; i < row; ++i)
        n += LunarYearLength(i);
    // Walk the month slots; an intercalary slot repeats the month before it
    // and is passed over like any month before the one sought.
    int ordinary = 0;
    for (const char* slot = LunarMonthTable[row]; *slot; ++slot) {
        const int digit = *slot - '0';
        const int length = (digit == 1 || digit == 3) ? 29 : (digit == 2 || digit == 4) ? 30 : 0;
        if (length == 0)
            break;
        if (digit == 1 || digit == 2) {
            if (++ordinary == lunarMonth) {
                if (lunarDay > length)
                    return QDate();
                return dateOfDayNumber(n + lunarDay);
            }
        }
        n += length;
    }
    return QDate();
}

QMap<QDate, QStringList> OfYear(int year) {
    QMap<QDate, QStringList> holidays;
    struct Run {
        const Rule* rule;
        QList<QDate> days;
    };
    QList<Run> runs;
    for (const Rule& rule : kRules) {
        if (year < rule.from || year > rule.to)
            continue;
        QDate start = rule.reckoning == Reckoning::Solar ? QDate(year, rule.month, rule.day)
                                                         : LunarToSolar(year, rule.month, rule.day);
        if (!start.isValid())
            continue;
        start = start.addDays(rule.offset);
        Run run{&rule, {}};
        for (int k = 0; k < rule.length; ++k) {
            const QDate d = start.addDays(k);
            run.days << d;
            holidays[d] << QString::fromUtf8(rule.name);
        }
        runs << run;
    }

    // Which days of which holidays ask for a substitute. Every such day of
    // a three-day run asks on its own: a 추석 that meets both 개천절 and a
    // Sunday is owed two days, sought after the run's last day.
    QList<Claim> claims;
    for (const Run& run : runs) {
        const Rule& rule = *run.rule;
        if (rule.substitute == Substitute::Never || year < rule.substituteFrom)
            continue;
        for (const QDate& d : run.days) {
            const bool shared = holidays.value(d).size() > 1;
            const bool weekend = d.dayOfWeek() == Qt::Saturday || isSunday(d);
            const bool asks = rule.substitute == Substitute::OnWeekendOrHoliday
                                  ? (weekend || shared)
                                  : (isSunday(d) || shared);
            if (asks)
                claims << Claim{{d}, run.days.last()};
        }
    }
    // Holidays that ask because of the same day share one substitute: 추석
    // on a weekday 개천절 is owed one day, not one for each name.
    for (bool merged = true; merged;) {
        merged = false;
        for (qsizetype i = 0; i < claims.size() && !merged; ++i) {
            for (qsizetype j = i + 1; j < claims.size() && !merged; ++j) {
                if (!claims[i].causes.intersects(claims[j].causes))
                    continue;
                claims[i].causes.unite(claims[j].causes);
                claims[i].after = std::max(claims[i].after, claims[j].after);
                claims.removeAt(j);
                merged = true;
            }
        }
    }
    std::sort(claims.begin(), claims.end(),
              [](const Claim& a, const Claim& b) { return a.after < b.after; });
    // The first following day that is neither a Sunday nor a holiday; an
    // earlier substitute counts as a holiday.
    for (const Claim& claim : claims) {
        QDate d = claim.after.addDays(1);
        while (isSunday(d) || holidays.contains(d))
            d = d.addDays(1);
        holidays[d] << SubstituteName;
    }
    return holidays;
}

QString FileName(int year) {
    return QStringLiteral("Holiday - %1.dat").arg(year);
}

QStringList FileLines(int year) {
    QStringList lines;
    lines << QStringLiteral("; %1년 공휴일. 선거일과 그때그때 정하는 임시공휴일은 들어 있지 "
                            "않습니다.")
                 .arg(year);
    int section = 0;
    const QMap<QDate, QStringList> holidays = OfYear(year);
    for (auto it = holidays.cbegin(); it != holidays.cend(); ++it) {
        if (it.key().year() != year)
            continue;
        if (it.key().month() != section) {
            section = it.key().month();
            lines << QStringLiteral("[%1]").arg(section);
        }
        lines << QStringLiteral("%1=%2")
                     .arg(it.key().day())
                     .arg(it.value().join(QStringLiteral(", ")));
    }
    return lines;
}

} // namespace Holidays
