#pragma once
// Korea's public holidays year by year, from the rules of the public-holiday
// regulation as they stood in each year: the fixed solar days, the lunar
// days from the program's own lunar table, and the substitute holidays.
// Elections and holidays proclaimed for one occasion cannot be foreseen and
// are not included.

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

namespace Holidays {

constexpr int FirstYear = 1990;
constexpr int LastYear = 2043;

inline const QString SubstituteName = QStringLiteral("대체공휴일");

// The solar date of an ordinary (not intercalary) lunar month's day; an
// invalid date outside the lunar table.
QDate LunarToSolar(int lunarYear, int lunarMonth, int lunarDay);

// The holidays of a solar year: for each date, the names in a fixed order
// (a substitute day carries SubstituteName).
QMap<QDate, QStringList> OfYear(int year);

// The file of one year: "Holiday - <year>.dat".
QString FileName(int year);
// Its lines, in the settings-file form the calendar reads: section = month,
// key = day, value = the names joined with ", ".
QStringList FileLines(int year);

} // namespace Holidays
