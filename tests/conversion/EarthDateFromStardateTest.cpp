#include "conversion/StardateArithmetic.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

struct EarthCase {
    const char* name;
    std::string stardate;
    bool yearWindow;
    std::string reset;
    EarthDateTexts expected;  // year, day of the year, month, day; all empty for "no date"
};

void PrintTo(const EarthCase& c, std::ostream* os) {
    *os << '"' << c.stardate << "\" window=" << c.yearWindow << " reset=\"" << c.reset << '"';
}

class EarthDateFromStardateTest : public ::testing::TestWithParam<EarthCase> {};

TEST_P(EarthDateFromStardateTest, GivesTheEarthDateTexts) {
    const auto& c = GetParam();
    const EarthDateTexts got = EarthDateFromStardate(c.stardate, c.yearWindow, c.reset);
    EXPECT_EQ(got.year, c.expected.year);
    EXPECT_EQ(got.dayOfYear, c.expected.dayOfYear);
    EXPECT_EQ(got.month, c.expected.month);
    EXPECT_EQ(got.day, c.expected.day);
}

const EarthDateTexts kNoDate{};

INSTANTIATE_TEST_SUITE_P(
    PlainScale, EarthDateFromStardateTest,
    ::testing::Values(
        EarthCase{"start_of_2364", "41000", false, "", {"2364", "1", "1", "1"}},
        EarthCase{"zero_is_the_epoch", "0", false, "", {"2323", "1", "1", "1"}},
        EarthCase{"empty_text_is_the_epoch", "", false, "", {"2323", "1", "1", "1"}},
        EarthCase{"minus_zero_is_the_epoch", "-0", false, "", {"2323", "1", "1", "1"}},
        EarthCase{"negative_falls_in_the_year_before", "-5", false, "",
                  {"2322", "364", "12", "30"}},
        EarthCase{"single_precision_day_in_a_leap_year", "41153.7", false, "",
                  {"2364", "57", "2", "26"}},
        EarthCase{"end_of_january", "42082.2", false, "", {"2365", "31", "1", "31"}},
        EarthCase{"last_day_of_a_plain_year", "42998.6", false, "",
                  {"2365", "365", "12", "31"}},
        EarthCase{"last_stardates_of_a_plain_year_roll_into_january", "42998.7", false, "",
                  {"2366", "1", "1", "1"}},
        EarthCase{"last_stardates_of_a_leap_year_roll_into_january", "41998.7", false, "",
                  {"2365", "1", "1", "1"}},
        EarthCase{"last_day_of_9999", "7676998.5", false, "", {"9999", "365", "12", "31"}},
        EarthCase{"day_count_past_9999_gives_no_date", "7676999", false, "", kNoDate},
        EarthCase{"first_day_of_year_100", "-2223000", false, "", {"100", "1", "1", "1"}},
        EarthCase{"end_of_year_99_rolls_into_year_100", "-2223000.5", false, "",
                  {"100", "1", "1", "1"}},
        EarthCase{"year_99_gives_no_date", "-2223002", false, "", kNoDate}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    HostileTexts, EarthDateFromStardateTest,
    ::testing::Values(
        EarthCase{"exponent_is_not_read", "1e400", false, "", {"2323", "1", "1", "1"}},
        EarthCase{"nan_reads_zero", "nan", false, "", {"2323", "1", "1", "1"}},
        EarthCase{"inf_reads_zero", "inf", false, "", {"2323", "1", "1", "1"}},
        EarthCase{"five_hundred_digits_give_no_date", std::string(500, '9'), false, "",
                  kNoDate},
        EarthCase{"beyond_single_precision_gives_no_date", "1" + std::string(40, '0'), false,
                  "", kNoDate},
        EarthCase{"negative_beyond_single_precision_gives_no_date",
                  "-1" + std::string(40, '0'), false, "", kNoDate},
        EarthCase{"year_beyond_32_bits_gives_no_date", "1" + std::string(38, '0'), false, "",
                  kNoDate},
        EarthCase{"year_beyond_32_bits_even_with_the_window", "1" + std::string(38, '0'), true,
                  "100000", kNoDate},
        EarthCase{"year_near_the_32_bit_limit_without_window_gives_no_date", "2147481324000",
                  false, "", kNoDate}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    YearWindow, EarthDateFromStardateTest,
    ::testing::Values(
        EarthCase{"moves_down_past_the_window_then_back_up", "51234.5", true, "100000",
                  {"2074", "87", "3", "28"}},
        EarthCase{"without_the_window_the_year_stays", "51234.5", false, "100000",
                  {"2374", "87", "3", "28"}},
        EarthCase{"lands_inside_the_window", "75345.2", true, "100000",
                  {"1998", "127", "5", "7"}},
        EarthCase{"upper_bound_year_is_not_moved", "-313000", true, "100000",
                  {"2010", "1", "1", "1"}},
        EarthCase{"lower_bound_year_is_not_moved", "-333000", true, "100000",
                  {"1990", "1", "1", "1"}},
        EarthCase{"year_one_past_the_window_comes_back", "-312000", true, "100000",
                  {"2011", "1", "1", "1"}},
        EarthCase{"lifts_a_year_before_100_into_range", "-2223002", true, "100000",
                  {"1999", "365", "12", "31"}},
        EarthCase{"brings_a_32_bit_year_down_at_once", "2147481324000", true, "100000",
                  {"2011", "258", "9", "15"}},
        EarthCase{"reset_zero_leaves_the_year", "51234.5", true, "0", {"2374", "87", "3", "28"}},
        EarthCase{"negative_reset_leaves_the_year", "51234.5", true, "-1",
                  {"2374", "87", "3", "28"}},
        EarthCase{"reset_500_leaves_the_year", "51234.5", true, "500",
                  {"2374", "87", "3", "28"}},
        EarthCase{"reset_501_steps_one_year_at_a_time", "51234.5", true, "501",
                  {"2009", "87", "3", "28"}},
        EarthCase{"largest_reset_overshoots_and_returns", "51234.5", true, "2147483647",
                  {"2374", "87", "3", "28"}},
        EarthCase{"reset_with_an_exponent_reads_its_mantissa", "51234.5", true, "1e400",
                  {"2374", "87", "3", "28"}},
        EarthCase{"day_count_past_the_moved_year_rolls_into_january", "42998.7", true,
                  "100000", {"2066", "1", "1", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
