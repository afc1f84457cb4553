#include "conversion/CivilCalendar.h"

namespace quorvane {

namespace {
// Floor division, so that dates before the era start work too.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return (a >= 0) ? a / b : -((-a + b - 1) / b);
}
}  // namespace

bool IsLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInYear(std::int64_t year) { return IsLeapYear(year) ? 366 : 365; }

int DaysInMonth(std::int64_t year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return (month == 2 && IsLeapYear(year)) ? 29 : kDays[month - 1];
}

// Howard Hinnant's days_from_civil / civil_from_days, on 400-year eras.
std::int64_t DaysFromCivil(const CivilDate& date) {
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;                                   // [0, 399]
    const int mp = (date.month + 9) % 12;                                     // March = 0
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;               // [0, 365]
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = FloorDiv(days, 146097);
    const std::int64_t doe = days - era * 146097;                             // [0, 146096]
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);         // [0, 365]
    const std::int64_t mp = (5 * doy + 2) / 153;                              // [0, 11]
    CivilDate result;
    result.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    result.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    result.year = yoe + era * 400 + (result.month <= 2 ? 1 : 0);
    return result;
}

int DayOfYear(const CivilDate& date) {
    return static_cast<int>(DaysFromCivil(date) - DaysFromCivil({date.year, 1, 1}) + 1);
}

CivilDate DateFromYearDay(std::int64_t year, std::int64_t dayOfYear) {
    return CivilFromDays(DaysFromCivil({year, 1, 1}) + dayOfYear - 1);
}

bool IsValidDate(std::int64_t year, int month, int day) {
    return day >= 1 && day <= DaysInMonth(year, month);
}

bool SplitDateParts(std::string_view text, char separator, std::span<std::string_view> parts) {
    if (parts.empty()) return false;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::size_t end = text.find(separator);
        if (end == std::string_view::npos) return false;
        parts[i] = text.substr(0, end);
        text.remove_prefix(end + 1);
    }
    if (text.find(separator) != std::string_view::npos) return false;
    parts.back() = text;
    return true;
}

}  // namespace quorvane
