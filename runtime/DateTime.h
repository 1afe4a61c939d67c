#pragma once
// The date-time value shared by every file and window: days since
// 1899-12-30 00:00 as a double, the fraction being the time of day, local time.

#include <QString>
#include <cstdint>
#include <functional>

using TDateTime = double;

// A moment split into a day number (0001-01-01 is day 1) and the
// milliseconds since that day's midnight.
struct TTimeStamp {
    qint64 Date = 0;
    qint64 Time = 0;
};

constexpr qint64 MSecsPerDay = 86400000;
constexpr qint64 SecsPerDay = 86400;
// Day number of 1899-12-30, the zero of TDateTime.
constexpr qint64 DateDelta = 693594;

// Splits by rounding to the nearest millisecond: a double rarely holds a
// moment exactly, and truncating would turn 07.000 seconds into 06.999.
TTimeStamp DateTimeToTimeStamp(TDateTime value);
// The milliseconds may be a day or more; the excess carries into the days.
TDateTime TimeStampToDateTime(const TTimeStamp& stamp);

// Day number (0001-01-01 = 1) of a proleptic Gregorian date; floor division
// keeps it sound for year 0 and before.
qint64 DayNumberOf(int year, int month, int day);
void DecodeDayNumber(qint64 dayNumber, int& year, int& month, int& day);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                         int msec = 0);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec);

// "yyyy-mm-dd hh:nn:ss", the form of every shown and logged moment.
QString FormatDateTime(TDateTime value);
// The regional text form used in settings files: "yyyy-mm-dd hh:nn:ss", or
// only "yyyy-mm-dd" when the time is exactly midnight.
QString DateTimeToStr(TDateTime value);
// Reads what DateTimeToStr writes, and the Korean regional form
// "yyyy-mm-dd 오전 h:mm:ss" / "yyyy-mm-dd 오후 h:mm:ss".
bool TryStrToDateTime(const QString& text, TDateTime& value);

// "#,##0": thousands separated by commas.
QString FormatThousands(qint64 value);

// The current local moment. Tests set the clock instead of sleeping.
namespace Clock {
TDateTime Now();
void SetNow(TDateTime value); // freezes the clock at value
void Advance(double seconds); // moves a frozen clock forward
// Stands the system clock still at an instant (ms since 1970-01-01 UTC),
// which Now() reads in local time as it reads the real clock.
void SetInstant(qint64 msecsSinceEpoch);
void Reset(); // back to the system clock
bool IsFrozen();
} // namespace Clock
