#include "conversion/StardateArithmetic.h"

#include "language/Words.h"

#include "conversion/CivilCalendar.h"
#include "conversion/FieldNumbers.h"

#include <cmath>
#include <limits>

namespace quorvane {

namespace {

constexpr double kUnitsPerYear = 1000.0;
constexpr int kFirstShownYear = 100;
constexpr int kLastShownYear = 9999;
constexpr int kLastDayOfYearAccepted = 366;

// Below this every double is a multiple of its last bit and that bit is at
// most 1, so adding or subtracting an integer reset stays exact all the way.
constexpr double kExactLimit = 0x1p53;

// Repeats `value -= reset` (value > 0) until the value drops below
// kExactLimit, jumping over runs of equal steps. Above the limit each step
// rounds, but within one binade every step after the first removes the same
// amount: a halfway rounding leaves the last bit even, and from an even last
// bit the tie always breaks the same way. False when a step would leave the
// value unchanged, so the repetition could never end.
bool DescendIntoExactRange(double& value, double reset) {
    while (value >= kExactLimit) {
        const double binadeFloor = std::ldexp(1.0, std::ilogb(value));
        const double next = value - reset;
        if (next == value) return false;
        value = next;
        if (value < binadeFloor) continue;
        const double stride = value - (value - reset);
        if (stride <= 0.0) return false;
        // Two steps of margin keep every skipped step's exact result inside
        // the binade, where it rounds to the same grid.
        const double skipped = std::floor((value - binadeFloor) / stride) - 2.0;
        if (skipped > 0.0) value -= skipped * stride;
    }
    return true;
}

}  // namespace

float PerDayFactor(long long year) { return ToSingle(kUnitsPerYear / DaysInYear(year)); }

std::int32_t ApplyYearWindow(std::int32_t startYear, std::int32_t reset) {
    // R / 1000 rounds to no move at all from 500 down, and a negative R moves
    // the wrong way: the repetition would never end.
    if (reset <= 500) return startYear;
    std::int64_t year = startYear;
    const double step = reset / kUnitsPerYear;
    const auto down = [step](std::int64_t y) {
        return static_cast<std::int64_t>(RoundHalfEven(static_cast<double>(y) - step));
    };
    const auto up = [step](std::int64_t y) {
        return static_cast<std::int64_t>(RoundHalfEven(static_cast<double>(y) + step));
    };
    // The first step of each run may differ by one from the rest (a halfway
    // step depends on the year's parity and leaves it even); after it the
    // step is fixed, so the remaining count is a division.
    if (year > kWindowUpperYear) {
        year = down(year);
        if (year >= kWindowUpperYear) {
            const std::int64_t stride = year - down(year);
            year -= ((year - kWindowUpperYear) / stride + 1) * stride;
        }
    }
    if (year < kWindowLowerYear) {
        year = up(year);
        if (year <= kWindowLowerYear) {
            const std::int64_t stride = up(year) - year;
            year += ((kWindowLowerYear - year) / stride + 1) * stride;
        }
    }
    // Each run ends within one step of the window, so a 32-bit year stays one.
    return static_cast<std::int32_t>(year);
}

double WrapStardate(double stardate, std::int32_t reset) {
    if (reset <= 0 || !std::isfinite(stardate)) return stardate;
    const double r = reset;
    if (stardate < 0.0) {
        // Adding to a negative value mirrors subtracting from its magnitude.
        double magnitude = -stardate;
        if (!DescendIntoExactRange(magnitude, r)) return stardate;
        return r - std::fmod(magnitude, r);
    }
    if (stardate > r) {
        double value = stardate;
        if (!DescendIntoExactRange(value, r)) return stardate;
        return std::fmod(value, r);
    }
    return stardate;
}

EarthDateTexts EarthDateFromStardate(std::string_view stardateText, bool yearWindow,
                                     std::string_view resetText) {
    const float stardate = ToSingle(LeadingNumber(stardateText));
    if (!std::isfinite(stardate)) return {};

    const double yearsFromEpoch = std::floor(static_cast<double>(stardate) / kUnitsPerYear);
    const double countedYear = yearsFromEpoch + kEpochYear;
    if (countedYear < std::numeric_limits<std::int32_t>::min() ||
        countedYear > std::numeric_limits<std::int32_t>::max())
        return {};
    std::int32_t year = static_cast<std::int32_t>(countedYear);

    const float perDay = PerDayFactor(year);
    const double position = static_cast<double>(stardate) - yearsFromEpoch * kUnitsPerYear;
    const float dayValue = ToSingle(position / static_cast<double>(perDay) + 1.0);
    const auto dayCount = static_cast<std::int64_t>(RoundHalfAwayFromZero(dayValue));

    // The window moves only the year the day count is placed in.
    if (yearWindow) year = ApplyYearWindow(year, ReadInt32Field(resetText));

    const CivilDate date = DateFromYearDay(year, dayCount);
    if (date.year < kFirstShownYear || date.year > kLastShownYear) return {};

    EarthDateTexts texts;
    texts.year = FormatInteger(date.year);
    // Counted in the year actually shown: the last stardates of a year round
    // to a day count past its end, which lands on January 1 of the next.
    texts.dayOfYear = FormatInteger(DayOfYear(date));
    texts.month = FormatInteger(date.month);
    texts.day = FormatInteger(date.day);
    return texts;
}

StardateResult StardateFromEarthDate(const EarthDateInput& input) {
    const std::int32_t year = ReadInt32Field(input.year);
    if (year < 0) return {StardateFailure::InvalidYear, {}};

    int dayOfYear = 0;
    if (input.mode == EntryMode::DayOfYear) {
        dayOfYear = ReadInt16Field(input.dayOfYear);
        // Day 366 is taken in every year; in a 365-day year it is January 1 of the next.
        if (dayOfYear <= 0 || dayOfYear > kLastDayOfYearAccepted)
            return {StardateFailure::InvalidDayOfYear, {}};
    } else {
        const int month = ReadInt16Field(input.month);
        const int day = ReadInt16Field(input.day);
        if (year > kLastShownYear || !IsValidDate(year, month, day))
            return {StardateFailure::InvalidDate, {}};
        dayOfYear = DayOfYear({year, month, day});
    }

    const float perDay = PerDayFactor(year);
    const float yearPart = ToSingle((static_cast<double>(year) - kEpochYear) * kUnitsPerYear);
    const float dayPart = ToSingle((dayOfYear - 1) * static_cast<double>(perDay));
    double stardate = static_cast<double>(dayPart) + static_cast<double>(yearPart);
    if (input.resetWrap) stardate = WrapStardate(stardate, ReadInt32Field(input.resetText));
    return {StardateFailure::None, FormatOneDecimal(stardate)};
}

namespace {

SourceText FailureText(StardateFailure failure) {
    switch (failure) {
        case StardateFailure::InvalidYear: return QV_TEXT("Conversion", "年の指定が無効です。");
        case StardateFailure::InvalidDayOfYear: return QV_TEXT("Conversion", "年間通算日の指定が無効です。");
        case StardateFailure::InvalidDate:
        case StardateFailure::None: break;
    }
    return QV_TEXT("Conversion", "日付の指定が無効です。");
}

}  // namespace

std::string FailureMessage(StardateFailure failure, UiLanguage language) {
    if (failure == StardateFailure::None) return {};
    return Words(FailureText(failure), {}, language);
}

std::string OutsideYearsMessage(UiLanguage language) {
    return Words(QV_TEXT("Conversion", "西暦が 100 年から 9999 年の範囲を外れます。"), {}, language);
}

bool IsEarthDateComplete(std::string_view year, EntryMode mode, std::string_view month,
                         std::string_view day, std::string_view dayOfYear) {
    if (LeadingNumber(year) == 0.0) return false;
    if (mode == EntryMode::MonthDay)
        return LeadingNumber(month) != 0.0 && LeadingNumber(day) != 0.0;
    return LeadingNumber(dayOfYear) != 0.0;
}

EarthDateTexts EarthDateFor(std::string_view stardateText, const ConversionSwitches& switches) {
    return EarthDateFromStardate(stardateText, switches.yearWindow(), switches.resetText);
}

EarthDateInput EarthDateInputOf(std::string_view year, EntryMode mode, std::string_view month,
                                std::string_view day, std::string_view dayOfYear,
                                const ConversionSwitches& switches) {
    EarthDateInput input;
    input.year = year;
    input.mode = mode;
    input.month = month;
    input.day = day;
    input.dayOfYear = dayOfYear;
    input.resetWrap = switches.resetWrap;
    input.resetText = switches.resetText;
    return input;
}

namespace {

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

void AppendPadded(std::string_view digits, std::size_t width, std::string& out) {
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

}  // namespace

void AppendIsoDate(const EarthDateTexts& texts, std::string& out) {
    // The conversion writes plain decimal integers; a year below 1000 gets
    // its leading zeros as a date's text has them.
    if (IsDigits(texts.year) && IsDigits(texts.month) && IsDigits(texts.day)) {
        AppendPadded(texts.year, 4, out);
        out += '-';
        AppendPadded(texts.month, 2, out);
        out += '-';
        AppendPadded(texts.day, 2, out);
        return;
    }
    // Not expected: EarthDateTexts is either all digits or empty.
    out += texts.year;
    out += '-';
    out += texts.month;
    out += '-';
    out += texts.day;
}

}  // namespace quorvane
