#pragma once
// Proleptic Gregorian calendar arithmetic, in closed form (no loops over days
// or months). Valid for any year that fits in 32 bits.

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvane {

struct CivilDate {
    std::int64_t year = 0;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

bool IsLeapYear(std::int64_t year);
int DaysInYear(std::int64_t year);
int DaysInMonth(std::int64_t year, int month);  // 0 for a month outside 1..12

// Days since 1970-01-01 (negative before it).
std::int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(std::int64_t days);

// 1 for January 1. The date must be valid.
int DayOfYear(const CivilDate& date);

// January 1 of `year` plus (dayOfYear - 1) days; may fall into another year.
CivilDate DateFromYearDay(std::int64_t year, std::int64_t dayOfYear);

bool IsValidDate(std::int64_t year, int month, int day);

// Splits a date's text at `separator` into exactly parts.size() parts
// ("2063-04-05", "2063:95", "12:30:00"); false, and `parts` unspecified,
// when the text has more or fewer. The parts themselves are not looked at.
bool SplitDateParts(std::string_view text, char separator, std::span<std::string_view> parts);

}  // namespace quorvane
