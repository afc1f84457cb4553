#include "conversion/FieldNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace quorvane {
namespace {

std::string RowName(const char* name) { return name; }

// --- Reading the leading number -------------------------------------------

struct LeadingCase {
    const char* name;
    std::string text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
    const double got = LeadingNumber(GetParam().text);
    if (std::isinf(GetParam().value))
        EXPECT_EQ(got, GetParam().value);
    else
        EXPECT_DOUBLE_EQ(got, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(
        LeadingCase{"empty_text_reads_zero", "", 0.0},
        LeadingCase{"plain_integer", "41000", 41000.0},
        LeadingCase{"fraction", "41153.7", 41153.7},
        LeadingCase{"negative", "-5", -5.0},
        LeadingCase{"explicit_plus", "+12.5", 12.5},
        LeadingCase{"lone_minus_reads_zero", "-", 0.0},
        LeadingCase{"lone_point_reads_zero", ".", 0.0},
        LeadingCase{"minus_point_reads_zero", "-.", 0.0},
        LeadingCase{"point_without_integer_digits", ".5", 0.5},
        LeadingCase{"point_without_fraction_digits", "5.", 5.0},
        LeadingCase{"stops_at_letters", "12abc", 12.0},
        LeadingCase{"stops_at_second_point", "5.5.5", 5.5},
        LeadingCase{"no_digit_grouping", "1,000", 1.0},
        LeadingCase{"leading_letter_reads_zero", "a12", 0.0},
        LeadingCase{"leading_blank_reads_zero", " 12", 0.0},
        LeadingCase{"no_blanks_inside", "12 34", 12.0},
        LeadingCase{"no_exponent", "1e400", 1.0},
        LeadingCase{"no_radix_prefix", "0x1F", 0.0},
        LeadingCase{"nan_reads_zero", "nan", 0.0},
        LeadingCase{"inf_reads_zero", "inf", 0.0},
        LeadingCase{"signed_inf_reads_zero", "-inf", 0.0},
        LeadingCase{"full_width_digits_are_not_digits", "\xEF\xBC\x91", 0.0},
        LeadingCase{"five_hundred_digits_saturate_to_infinity", std::string(500, '9'),
                    std::numeric_limits<double>::infinity()},
        LeadingCase{"negative_overflow_saturates_to_minus_infinity",
                    "-" + std::string(400, '1'), -std::numeric_limits<double>::infinity()},
        LeadingCase{"underflow_reads_zero", "0." + std::string(400, '0') + "1", 0.0},
        LeadingCase{"long_fraction_keeps_its_value", "0." + std::string(500, '3'),
                    1.0 / 3.0}),
    [](const auto& info) { return RowName(info.param.name); });

TEST(LeadingNumberSignTest, MinusZeroReadsAsZero) {
    EXPECT_EQ(LeadingNumber("-0"), 0.0);
    EXPECT_EQ(LeadingNumber("-0.0"), 0.0);
}

// --- Rounding --------------------------------------------------------------

struct RoundCase {
    const char* name;
    double value;
    double halfEven;
    double halfAway;
};

class RoundingTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundingTest, HalfEvenForFieldsHalfAwayForPatterns) {
    EXPECT_EQ(RoundHalfEven(GetParam().value), GetParam().halfEven);
    EXPECT_EQ(RoundHalfAwayFromZero(GetParam().value), GetParam().halfAway);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundingTest,
    ::testing::Values(RoundCase{"two_and_a_half", 2.5, 2.0, 3.0},
                      RoundCase{"three_and_a_half", 3.5, 4.0, 4.0},
                      RoundCase{"minus_two_and_a_half", -2.5, -2.0, -3.0},
                      RoundCase{"minus_three_and_a_half", -3.5, -4.0, -4.0},
                      RoundCase{"minus_half", -0.5, 0.0, -1.0},
                      RoundCase{"just_below_half", 0.49999999999999994, 0.0, 0.0},
                      RoundCase{"just_above_half", 2.5000000000000004, 3.0, 3.0},
                      RoundCase{"negative_just_below_half", -0.49999999999999994, 0.0, 0.0},
                      RoundCase{"ordinary_fraction", 2364.4, 2364.0, 2364.0},
                      RoundCase{"beyond_exact_fractions", 0x1p60, 0x1p60, 0x1p60}),
    [](const auto& info) { return RowName(info.param.name); });

// --- Integer fields ----------------------------------------------------------

TEST(IntegerFieldTest, RoundsHalvesToEven) {
    EXPECT_EQ(ReadInt16Field("2.5"), 2);
    EXPECT_EQ(ReadInt16Field("3.5"), 4);
    EXPECT_EQ(ReadInt32Field("2364.5"), 2364);
    EXPECT_EQ(ReadInt32Field("-2.5"), -2);
    EXPECT_EQ(ReadInt32Field(""), 0);
}

TEST(IntegerFieldTest, SaturatesBeyondTheFieldWidth) {
    EXPECT_EQ(ReadInt32Field("2147483647"), 2147483647);
    EXPECT_EQ(ReadInt32Field("2147483648"), 2147483647);
    EXPECT_EQ(ReadInt32Field("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(ReadInt32Field(std::string(500, '9')), 2147483647);
    EXPECT_EQ(ReadInt16Field("32767"), 32767);
    EXPECT_EQ(ReadInt16Field("40000"), 32767);
    EXPECT_EQ(ReadInt16Field("-40000"), -32768);
}

// --- Single precision --------------------------------------------------------

TEST(ToSingleTest, RoundsToTheNearestFloat) {
    EXPECT_EQ(static_cast<double>(ToSingle(41153.7)), 41153.69921875);
    EXPECT_EQ(ToSingle(3.4028234663852886e38), std::numeric_limits<float>::max());
}

TEST(ToSingleTest, BeyondFloatRangeGivesInfinity) {
    EXPECT_EQ(ToSingle(1e40), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSingle(-1e40), -std::numeric_limits<float>::infinity());
    // Exactly halfway between float's largest value and the next power of two
    // rounds to even, which is infinity.
    EXPECT_EQ(ToSingle(0x1.ffffffp127), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSingle(0x1.fffffefffffffp127), std::numeric_limits<float>::max());
}

// --- Pattern "0.0" -------------------------------------------------------------

struct FormatCase {
    const char* name;
    double value;
    const char* text;
};

class FormatOneDecimalTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatOneDecimalTest, WritesOneDecimal) {
    EXPECT_EQ(FormatOneDecimal(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatOneDecimalTest,
    ::testing::Values(
        FormatCase{"zero", 0.0, "0.0"},
        FormatCase{"minus_zero_has_no_sign", -0.0, "0.0"},
        FormatCase{"small_negative_rounding_to_zero_has_no_sign", -0.04, "0.0"},
        FormatCase{"small_negative_rounding_away_keeps_sign", -0.05, "-0.1"},
        FormatCase{"exact_quarter_rounds_away", 0.25, "0.3"},
        FormatCase{"exact_three_quarters_rounds_away", 0.75, "0.8"},
        FormatCase{"negative_quarter_rounds_away", -0.25, "-0.3"},
        FormatCase{"binary_below_the_tie_rounds_down", 0.15, "0.1"},
        FormatCase{"binary_above_the_tie_rounds_up", 0.45, "0.5"},
        FormatCase{"large_quarter_rounds_away", 41000.25, "41000.3"},
        FormatCase{"stardate_of_a_february_day", 41153.005462646484, "41153.0"},
        FormatCase{"negative_stardate", -324654.7945251465, "-324654.8"},
        FormatCase{"rounding_carries_into_the_integer", 9.96, "10.0"},
        FormatCase{"no_digit_grouping", 2147481324000.0, "2147481324000.0"},
        FormatCase{"not_a_number_writes_nothing", std::nan(""), ""},
        FormatCase{"infinity_writes_nothing", std::numeric_limits<double>::infinity(), ""}),
    [](const auto& info) { return RowName(info.param.name); });

TEST(FormatOneDecimalTest, HugeValuesKeepEveryDigit) {
    const std::string text = FormatOneDecimal(-1e300);
    ASSERT_EQ(text.size(), 1 + 301 + 2u);
    EXPECT_EQ(text.substr(0, 3), "-10");
    EXPECT_EQ(text.substr(text.size() - 2), ".0");
}

TEST(FormatIntegerTest, PlainDigits) {
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(2364), "2364");
    EXPECT_EQ(FormatInteger(-1), "-1");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

}  // namespace
}  // namespace quorvane
