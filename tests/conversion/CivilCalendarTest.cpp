#include "conversion/CivilCalendar.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct LeapCase {
    const char* name;
    std::int64_t year;
    bool leap;
};

class LeapYearTest : public ::testing::TestWithParam<LeapCase> {};

TEST_P(LeapYearTest, FollowsTheGregorianRule) {
    EXPECT_EQ(IsLeapYear(GetParam().year), GetParam().leap);
    EXPECT_EQ(DaysInYear(GetParam().year), GetParam().leap ? 366 : 365);
}

INSTANTIATE_TEST_SUITE_P(
    Years, LeapYearTest,
    ::testing::Values(LeapCase{"divisible_by_four", 2364, true},
                      LeapCase{"plain_year", 2365, false},
                      LeapCase{"century_is_not_leap", 2100, false},
                      LeapCase{"fourth_century_is_leap", 2400, true},
                      LeapCase{"year_zero_is_leap", 0, true},
                      LeapCase{"before_1582_uses_the_same_rule", 1500, false},
                      LeapCase{"negative_years_follow_the_rule", -4, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct DayCase {
    const char* name;
    CivilDate date;
    std::int64_t days;
};

class DayNumberTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(DayNumberTest, RoundTripsThroughTheDayNumber) {
    const auto& c = GetParam();
    EXPECT_EQ(DaysFromCivil(c.date), c.days);
    const CivilDate back = CivilFromDays(c.days);
    EXPECT_EQ(back.year, c.date.year);
    EXPECT_EQ(back.month, c.date.month);
    EXPECT_EQ(back.day, c.date.day);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DayNumberTest,
    ::testing::Values(DayCase{"unix_epoch", {1970, 1, 1}, 0},
                      DayCase{"day_before_the_epoch", {1969, 12, 31}, -1},
                      DayCase{"leap_day_2000", {2000, 2, 29}, 11016},
                      DayCase{"first_day_of_year_100", {100, 1, 1}, -683003},
                      DayCase{"last_day_of_year_9999", {9999, 12, 31}, 2932896}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DayOfYearTest, CountsFromOneAndKnowsLeapYears) {
    EXPECT_EQ(DayOfYear({2364, 1, 1}), 1);
    EXPECT_EQ(DayOfYear({2364, 2, 26}), 57);
    EXPECT_EQ(DayOfYear({2364, 12, 31}), 366);
    EXPECT_EQ(DayOfYear({2365, 12, 31}), 365);
}

TEST(DateFromYearDayTest, RollsPastTheYearsLastDayIntoJanuary) {
    const CivilDate lastOfLeap = DateFromYearDay(2364, 367);
    EXPECT_EQ(lastOfLeap.year, 2365);
    EXPECT_EQ(lastOfLeap.month, 1);
    EXPECT_EQ(lastOfLeap.day, 1);
    const CivilDate plain = DateFromYearDay(2365, 366);
    EXPECT_EQ(plain.year, 2366);
    EXPECT_EQ(plain.day, 1);
}

TEST(IsValidDateTest, KnowsMonthLengths) {
    EXPECT_TRUE(IsValidDate(2364, 2, 29));
    EXPECT_FALSE(IsValidDate(2365, 2, 29));
    EXPECT_FALSE(IsValidDate(2365, 13, 1));
    EXPECT_FALSE(IsValidDate(2365, 4, 31));
    EXPECT_FALSE(IsValidDate(2365, 1, 0));
}

}  // namespace
}  // namespace quorvane
