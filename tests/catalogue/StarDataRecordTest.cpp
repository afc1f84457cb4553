// The tagged value's conversions and the record built on them.
#include "catalogue/TaggedValue.h"
#include "catalogue/clsStarData.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvane {
namespace {

using Kind = ConversionError::Kind;

struct TextCase {
    const char* name;
    TaggedValue value;
    const char* text;
};

class TextFormTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextFormTest, GivesTheTextShownToTheUser) {
    EXPECT_EQ(ToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TextFormTest,
    ::testing::Values(
        TextCase{"empty_is_empty_text", TaggedValue(), ""},
        TextCase{"text_is_unchanged", TaggedValue::Text(" 事象, with comma "), " 事象, with comma "},
        TextCase{"true_reads_True", TaggedValue::Boolean(true), "True"},
        TextCase{"false_reads_False", TaggedValue::Boolean(false), "False"},
        TextCase{"stardate_keeps_its_one_decimal", TaggedValue::Number(41153.7), "41153.7"},
        TextCase{"whole_number_has_no_point", TaggedValue::Number(41000), "41000"},
        TextCase{"negative_number", TaggedValue::Number(-311.4), "-311.4"},
        TextCase{"negative_zero_reads_zero", TaggedValue::Number(-0.0), "0"},
        TextCase{"large_whole_number_stays_plain", TaggedValue::Number(100000), "100000"},
        TextCase{"huge_number_has_no_exponent", TaggedValue::Number(1e20), "100000000000000000000"},
        TextCase{"tiny_number_has_no_exponent", TaggedValue::Number(-0.0000001), "-0.0000001"},
        TextCase{"short_date_is_year_month_day", TaggedValue::Date(DateValue{2063, 4, 5}), "2063/04/05"},
        TextCase{"short_date_pads_early_years", TaggedValue::Date(DateValue{100, 1, 1}), "0100/01/01"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFormTest, NullAndErrorValuesHaveNone) {
    try {
        ToText(TaggedValue::Null());
        FAIL() << "null converted";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.kind(), Kind::InvalidUseOfNull);
    }
    try {
        ToText(TaggedValue::Error(2042));
        FAIL() << "error value converted";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.kind(), Kind::TypeMismatch);
    }
}

struct NumberCase {
    const char* name;
    TaggedValue value;
    double number;
};

class NumberFormTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormTest, ReadsTheNumber) { EXPECT_EQ(ToNumber(GetParam().value), GetParam().number); }

INSTANTIATE_TEST_SUITE_P(
    Values, NumberFormTest,
    ::testing::Values(
        NumberCase{"number_as_it_is", TaggedValue::Number(41153.7), 41153.7},
        NumberCase{"empty_is_zero", TaggedValue(), 0},
        NumberCase{"true_is_minus_one", TaggedValue::Boolean(true), -1},
        NumberCase{"false_is_zero", TaggedValue::Boolean(false), 0},
        NumberCase{"text_with_a_point", TaggedValue::Text("8130.4"), 8130.4},
        NumberCase{"text_with_blanks_sign_and_exponent", TaggedValue::Text(" -3e2 "), -300},
        NumberCase{"text_fraction_without_integer_part", TaggedValue::Text(".5"), 0.5},
        NumberCase{"text_too_small_for_a_double_is_zero", TaggedValue::Text("1e-999"), 0},
        NumberCase{"text_with_commas_grouping_thousands", TaggedValue::Text(" -1,234,567.5 "),
                   -1234567.5},
        NumberCase{"date_after_the_zero_counts_days", TaggedValue::Date(DateValue{1900, 1, 1}), 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberFormTest, DateBeforeTheZeroCountsTimeAwayFromIt) {
    DateValue date{1899, 12, 29};
    date.hour = 6;
    EXPECT_EQ(ToNumber(TaggedValue::Date(date)), -1.25);
}

struct FailureCase {
    const char* name;
    TaggedValue value;
    Kind kind;
};

class NumberFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(NumberFailureTest, IsAConversionError) {
    try {
        ToNumber(GetParam().value);
        FAIL() << "converted";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.kind(), GetParam().kind);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberFailureTest,
    ::testing::Values(
        FailureCase{"null", TaggedValue::Null(), Kind::InvalidUseOfNull},
        FailureCase{"error_value", TaggedValue::Error(13), Kind::TypeMismatch},
        FailureCase{"words", TaggedValue::Text("Stardate"), Kind::TypeMismatch},
        FailureCase{"empty_text", TaggedValue::Text(""), Kind::TypeMismatch},
        FailureCase{"number_followed_by_words", TaggedValue::Text("41153.7 days"), Kind::TypeMismatch},
        FailureCase{"comma_as_decimal_point", TaggedValue::Text("41153,7"), Kind::TypeMismatch},
        FailureCase{"comma_not_grouping_three_digits", TaggedValue::Text("41,15.3"),
                    Kind::TypeMismatch},
        FailureCase{"infinity_spelled_out", TaggedValue::Text("inf"), Kind::TypeMismatch},
        FailureCase{"not_a_number_spelled_out", TaggedValue::Text("nan"), Kind::TypeMismatch},
        FailureCase{"hexadecimal", TaggedValue::Text("0x10"), Kind::TypeMismatch},
        FailureCase{"exponent_without_digits", TaggedValue::Text("1e"), Kind::TypeMismatch},
        FailureCase{"beyond_a_double", TaggedValue::Text("1e999"), Kind::Overflow},
        FailureCase{"long_digit_string_beyond_a_double", TaggedValue::Text(std::string(400, '9')),
                    Kind::Overflow}),
    [](const auto& info) { return std::string(info.param.name); });

struct DateCase {
    const char* name;
    DateValue date;
    bool valid;
};

class DateRangeTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateRangeTest, AcceptsRealDaysOfTheYears100To9999) {
    EXPECT_EQ(IsValidDateValue(GetParam().date), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateRangeTest,
    ::testing::Values(DateCase{"first_day_of_year_100", DateValue{100, 1, 1}, true},
                      DateCase{"last_day_of_year_99", DateValue{99, 12, 31}, false},
                      DateCase{"last_day_of_year_9999", DateValue{9999, 12, 31}, true},
                      DateCase{"first_day_of_year_10000", DateValue{10000, 1, 1}, false},
                      DateCase{"month_13", DateValue{2063, 13, 1}, false},
                      DateCase{"day_45", DateValue{2063, 4, 45}, false},
                      DateCase{"leap_day_of_a_leap_year", DateValue{2364, 2, 29}, true},
                      DateCase{"leap_day_of_a_century", DateValue{2100, 2, 29}, false},
                      DateCase{"the_zero_date_is_a_real_day", DateValue{}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateRangeTest, RejectsImpossibleTimes) {
    DateValue date{2063, 4, 5};
    date.hour = 23;
    date.minute = 59;
    date.second = 59;
    EXPECT_TRUE(IsValidDateValue(date));
    date.hour = 24;
    EXPECT_FALSE(IsValidDateValue(date));
}

// ------------------------------------------------------------------ record

TEST(StarDataTest, NewRecordIsAnEmptyEarthDateRecord) {
    const clsStarData record;
    EXPECT_FALSE(record.IsStarDate());
    EXPECT_EQ(record.Title(), "");
    EXPECT_EQ(record.Detail(), "");
    EXPECT_EQ(record.Source(), TaggedValue::Text(""));
    EXPECT_EQ(record.SEDate(), TaggedValue::Date(DateValue{}));
    EXPECT_EQ(ShortDateText(record.SEDate().date()), "1899/12/30");
}

TEST(StarDataTest, TitleAndDetailAreStoredUnchanged) {
    clsStarData record;
    record.Title("  Data, DATA  ");
    record.Detail("");
    EXPECT_EQ(record.Title(), "  Data, DATA  ");
    EXPECT_EQ(record.Detail(), "");
}

TEST(StarDataTest, WritingSEDateSwitchesBetweenTheTwoKindsOfDate) {
    clsStarData record;
    record.SEDate(TaggedValue::Date(DateValue{2063, 4, 5}));
    EXPECT_FALSE(record.IsStarDate());
    record.SEDate(TaggedValue::Number(41153.7));
    EXPECT_TRUE(record.IsStarDate());
    EXPECT_EQ(record.SEDate(), TaggedValue::Number(41153.7));
    // The Earth date was kept all along.
    record.SEDate(TaggedValue::Date(DateValue{2063, 4, 5}));
    EXPECT_FALSE(record.IsStarDate());
    EXPECT_EQ(record.SEDate(), TaggedValue::Date(DateValue{2063, 4, 5}));
}

TEST(StarDataTest, SEDateAcceptsAnythingThatReadsAsANumber) {
    clsStarData record;
    record.SEDate(TaggedValue::Text("8130.4"));
    EXPECT_EQ(record.SEDate(), TaggedValue::Number(8130.4));
    record.SEDate(TaggedValue::Boolean(true));
    EXPECT_EQ(record.SEDate(), TaggedValue::Number(-1));
    record.SEDate(TaggedValue());
    EXPECT_EQ(record.SEDate(), TaggedValue::Number(0));
    EXPECT_TRUE(record.IsStarDate());
}

TEST(StarDataTest, FailedSEDateWriteLeavesTheRecordAsItWas) {
    clsStarData record;
    record.SEDate(TaggedValue::Date(DateValue{2063, 4, 5}));
    EXPECT_THROW(record.SEDate(TaggedValue::Null()), ConversionError);
    EXPECT_THROW(record.SEDate(TaggedValue::Text("soon")), ConversionError);
    EXPECT_THROW(record.SEDate(TaggedValue::Error(5)), ConversionError);
    EXPECT_FALSE(record.IsStarDate());
    EXPECT_EQ(record.SEDate(), TaggedValue::Date(DateValue{2063, 4, 5}));

    record.SEDate(TaggedValue::Number(41000));
    EXPECT_THROW(record.SEDate(TaggedValue::Text("1e999")), ConversionError);
    EXPECT_EQ(record.SEDate(), TaggedValue::Number(41000));
}

TEST(StarDataTest, SourceIsKeptAsText) {
    clsStarData record;
    record.Source(TaggedValue::Null());
    EXPECT_EQ(record.Source(), TaggedValue::Text("Nothing"));
    record.Source(TaggedValue::Number(7));
    EXPECT_EQ(record.Source(), TaggedValue::Text("7"));
    record.Source(TaggedValue::Date(DateValue{1966, 9, 8}));
    EXPECT_EQ(record.Source(), TaggedValue::Text("1966/09/08"));
    record.Source(TaggedValue::Boolean(false));
    EXPECT_EQ(record.Source(), TaggedValue::Text("False"));
    record.Source(TaggedValue());
    EXPECT_EQ(record.Source(), TaggedValue::Text(""));
}

TEST(StarDataTest, ErrorValueAsSourceFailsAndKeepsTheOldSource) {
    clsStarData record;
    record.Source(TaggedValue::Text("TNG"));
    try {
        record.Source(TaggedValue::Error(2042));
        FAIL() << "error value stored";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.kind(), Kind::TypeMismatch);
    }
    EXPECT_EQ(record.Source(), TaggedValue::Text("TNG"));
}

}  // namespace
}  // namespace quorvane
