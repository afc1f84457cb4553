#include "conversion/StardateArithmetic.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

struct StardateCase {
    const char* name;
    EntryMode mode;
    std::string year;
    std::string month;
    std::string day;
    std::string dayOfYear;
    bool resetWrap;
    std::string reset;
    StardateFailure failure;
    std::string stardate;  // expected text when no failure
};

void PrintTo(const StardateCase& c, std::ostream* os) {
    *os << (c.mode == EntryMode::MonthDay ? "month-day " : "day-of-year ") << '"' << c.year
        << "\" \"" << c.month << "\" \"" << c.day << "\" \"" << c.dayOfYear
        << "\" wrap=" << c.resetWrap << " reset=\"" << c.reset << '"';
}

StardateCase MonthDay(const char* name, std::string year, std::string month, std::string day,
                      std::string stardate) {
    return {name, EntryMode::MonthDay, std::move(year), std::move(month), std::move(day), "",
            false, "", StardateFailure::None, std::move(stardate)};
}

StardateCase YearDay(const char* name, std::string year, std::string dayOfYear,
                     std::string stardate) {
    return {name, EntryMode::DayOfYear, std::move(year), "", "", std::move(dayOfYear),
            false, "", StardateFailure::None, std::move(stardate)};
}

StardateCase Wrapped(StardateCase c, std::string reset) {
    c.resetWrap = true;
    c.reset = std::move(reset);
    return c;
}

StardateCase Refused(StardateCase c, StardateFailure failure) {
    c.failure = failure;
    c.stardate.clear();
    return c;
}

class StardateFromEarthDateTest : public ::testing::TestWithParam<StardateCase> {};

TEST_P(StardateFromEarthDateTest, GivesTheStardateOrTheFailure) {
    const auto& c = GetParam();
    EarthDateInput input;
    input.year = c.year;
    input.mode = c.mode;
    input.month = c.month;
    input.day = c.day;
    input.dayOfYear = c.dayOfYear;
    input.resetWrap = c.resetWrap;
    input.resetText = c.reset;
    const StardateResult got = StardateFromEarthDate(input);
    EXPECT_EQ(got.failure, c.failure);
    EXPECT_EQ(got.ok(), c.failure == StardateFailure::None);
    EXPECT_EQ(got.stardate, c.stardate);
}

constexpr auto kYear = StardateFailure::InvalidYear;
constexpr auto kDayOfYear = StardateFailure::InvalidDayOfYear;
constexpr auto kDate = StardateFailure::InvalidDate;

INSTANTIATE_TEST_SUITE_P(
    MonthDayEntry, StardateFromEarthDateTest,
    ::testing::Values(
        MonthDay("start_of_2364", "2364", "1", "1", "41000.0"),
        MonthDay("day_in_a_leap_year", "2364", "2", "26", "41153.0"),
        MonthDay("end_of_january_comes_back", "2365", "1", "31", "42082.2"),
        MonthDay("before_the_epoch", "1998", "5", "7", "-324654.8"),
        MonthDay("leap_day_in_a_leap_year", "2364", "2", "29", "41161.2"),
        MonthDay("year_zero_is_a_year", "0", "1", "1", "-2323000.0"),
        MonthDay("last_day_of_9999", "9999", "12", "31", "7676997.3"),
        MonthDay("month_half_rounds_down_to_even", "2364", "2.5", "26", "41153.0"),
        MonthDay("month_half_rounds_up_to_even", "2364", "3.5", "1", "41248.6"),
        MonthDay("year_half_rounds_to_even", "2364.5", "2", "26", "41153.0"),
        Refused(MonthDay("leap_day_in_a_plain_year", "2365", "2", "29", ""), kDate),
        Refused(MonthDay("year_10000", "10000", "1", "1", ""), kDate),
        Refused(MonthDay("year_beyond_32_bits", "2147483647", "1", "1", ""), kDate),
        Refused(MonthDay("month_13", "2364", "13", "1", ""), kDate),
        Refused(MonthDay("month_zero", "2364", "0", "1", ""), kDate),
        Refused(MonthDay("day_zero", "2364", "1", "0", ""), kDate),
        Refused(MonthDay("day_31_of_april", "2364", "4", "31", ""), kDate),
        Refused(MonthDay("day_beyond_16_bits", "2364", "1", "99999", ""), kDate),
        Refused(MonthDay("negative_year_is_refused_before_the_date", "-1", "13", "40", ""),
                kYear)),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DayOfYearEntry, StardateFromEarthDateTest,
    ::testing::Values(
        YearDay("first_day", "2364", "1", "41000.0"),
        YearDay("day_366_of_a_plain_year", "2365", "366", "43000.0"),
        YearDay("day_366_of_a_leap_year", "2364", "366", "41997.3"),
        YearDay("day_half_rounds_to_even", "2365", "366.5", "43000.0"),
        YearDay("year_beyond_9999", "2147483647", "1", "2147481288704.0"),
        YearDay("last_day_of_a_32_bit_year", "2147483647", "366", "2147481289704.0"),
        Refused(YearDay("day_zero", "2364", "0", ""), kDayOfYear),
        Refused(YearDay("day_367", "2364", "367", ""), kDayOfYear),
        Refused(YearDay("negative_day", "2364", "-1", ""), kDayOfYear),
        Refused(YearDay("day_rounding_to_zero", "2364", "0.5", ""), kDayOfYear),
        Refused(YearDay("empty_day", "2364", "", ""), kDayOfYear),
        Refused(YearDay("day_beyond_16_bits", "2364", "70000", ""), kDayOfYear),
        Refused(YearDay("negative_year_is_refused_first", "-1", "0", ""), kYear),
        Refused(YearDay("most_negative_year", "-99999999999", "1", ""), kYear)),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ResetWrap, StardateFromEarthDateTest,
    ::testing::Values(
        Wrapped(MonthDay("negative_wraps_above_zero", "1998", "5", "7", "75345.2"), "100000"),
        Wrapped(MonthDay("stardate_equal_to_reset_stays", "2423", "1", "1", "100000.0"),
                "100000"),
        Wrapped(MonthDay("twice_the_reset_wraps_to_zero", "2523", "1", "1", "0.0"), "100000"),
        Wrapped(MonthDay("zero_stays", "2323", "1", "1", "0.0"), "100000"),
        Wrapped(MonthDay("inside_the_range_stays", "2364", "2", "26", "41153.0"), "100000"),
        Wrapped(MonthDay("above_the_reset_wraps_below_it", "2500", "2", "26", "77153.4"),
                "100000"),
        Wrapped(MonthDay("exact_negative_multiple_wraps_to_the_reset", "2223", "1", "1",
                         "100000.0"),
                "100000"),
        Wrapped(MonthDay("reset_zero_leaves_the_stardate", "1998", "5", "7", "-324654.8"), "0"),
        Wrapped(MonthDay("negative_reset_leaves_the_stardate", "1998", "5", "7", "-324654.8"),
                "-1"),
        Wrapped(MonthDay("reset_one_keeps_only_the_fraction", "1998", "5", "7", "0.2"), "1"),
        Wrapped(MonthDay("largest_reset", "1998", "5", "7", "2147158992.2"), "2147483647"),
        Wrapped(YearDay("largest_year_wraps_at_once", "2147483647", "1", "88704.0"), "100000"),
        // The reset text is read only when the wrap is on.
        MonthDay("reset_text_ignored_without_the_wrap", "1998", "5", "7", "-324654.8")),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FailureMessageTest, EachFailureHasItsMessage) {
    EXPECT_EQ(FailureMessage(StardateFailure::InvalidYear), "年の指定が無効です。");
    EXPECT_EQ(FailureMessage(StardateFailure::InvalidDayOfYear), "年間通算日の指定が無効です。");
    EXPECT_EQ(FailureMessage(StardateFailure::InvalidDate), "日付の指定が無効です。");
    EXPECT_TRUE(FailureMessage(StardateFailure::None).empty());
}

TEST(PerDayFactorTest, IsHeldInSinglePrecision) {
    EXPECT_EQ(static_cast<double>(PerDayFactor(2364)), 2.7322404384613037);
    EXPECT_EQ(static_cast<double>(PerDayFactor(2365)), 2.7397260665893555);
    EXPECT_EQ(PerDayFactor(2100), PerDayFactor(2365));
    EXPECT_EQ(PerDayFactor(2400), PerDayFactor(2364));
}

// --- Whether the Earth fields hold enough to convert ------------------------

struct CompleteCase {
    const char* name;
    EntryMode mode;
    const char* year;
    const char* month;
    const char* day;
    const char* dayOfYear;
    bool complete;
};

class IsEarthDateCompleteTest : public ::testing::TestWithParam<CompleteCase> {};

TEST_P(IsEarthDateCompleteTest, LooksOnlyForNonZeroFields) {
    const auto& c = GetParam();
    EXPECT_EQ(IsEarthDateComplete(c.year, c.mode, c.month, c.day, c.dayOfYear), c.complete);
}

constexpr auto kMD = EntryMode::MonthDay;
constexpr auto kYD = EntryMode::DayOfYear;

INSTANTIATE_TEST_SUITE_P(
    Fields, IsEarthDateCompleteTest,
    ::testing::Values(
        CompleteCase{"full_month_day_date", kMD, "2364", "2", "26", "", true},
        CompleteCase{"empty_year", kMD, "", "2", "26", "57", false},
        CompleteCase{"zero_year", kYD, "0", "2", "26", "57", false},
        CompleteCase{"lone_minus_year", kMD, "-", "2", "26", "57", false},
        CompleteCase{"year_starting_with_a_letter", kMD, "y2364", "2", "26", "57", false},
        CompleteCase{"negative_year_is_left_to_the_conversion", kMD, "-1", "2", "26", "", true},
        CompleteCase{"month_zero", kMD, "2364", "0", "26", "57", false},
        CompleteCase{"empty_day", kMD, "2364", "2", "", "57", false},
        CompleteCase{"out_of_range_month_is_left_to_the_conversion", kMD, "2364", "13", "1", "",
                     true},
        CompleteCase{"fraction_reads_non_zero", kMD, "2364", "0.4", "1", "", true},
        CompleteCase{"day_of_year_mode_ignores_month_and_day", kYD, "2364", "", "", "57", true},
        CompleteCase{"empty_day_of_year", kYD, "2364", "2", "26", "", false},
        CompleteCase{"minus_zero_day_of_year", kYD, "2364", "2", "26", "-0", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
