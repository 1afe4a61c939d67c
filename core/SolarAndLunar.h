#pragma once
// Solar (Gregorian) dates to the Korean lunar calendar, from a table of
// month lengths for the lunar years 1881 to 2043, and the name of each day
// in the sixty-day cycle of stems and branches.

#include <QString>
#include <cstdint>

constexpr int LunarFirstYear = 1881;
constexpr int LunarYearCount = 163;
// Day number (0001-01-01 = 1) of 1881-01-29, the day before lunar 1881-01-01.
constexpr int64_t LunarBaseDay = 686685;

// One string per lunar year: 13 month slots, '1'/'2' an ordinary month of
// 29/30 days, '3'/'4' the intercalary month of 29/30 days, '0' no month.
extern const char* const LunarMonthTable[LunarYearCount];

struct TLunarDate {
    uint16_t Year = 0;
    uint16_t Month = 0; // 1..12; an intercalary month repeats the number it follows
    uint16_t Day = 0;   // 1..30
    QString DayName;    // two characters: stem and branch
};

// Exact from 1881-01-30 to 2044-01-29. Outside that range it still runs to
// completion without reading outside the table; its lunar fields then are
// not a lunar date (see LunarInRange). The day name is right for any date.
TLunarDate SolarToLunar(uint16_t year, uint16_t month, uint16_t day);
void SolarToLunar(uint16_t year, uint16_t month, uint16_t day, uint16_t& lunarYear,
                  uint16_t& lunarMonth, uint16_t& lunarDay, QString& dayName);

// Whether the table covers the date, so that its lunar fields are meaningful.
bool LunarInRange(uint16_t year, uint16_t month, uint16_t day);
// Days of lunar year row i (0 = 1881), computed once.
int LunarYearLength(int row);
