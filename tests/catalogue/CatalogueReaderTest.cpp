// Turning catalogue bytes into records and problems.
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"

#include "support/ShiftJis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace {

using testing::ConvertUtf8;
using testing::IsValidUtf8;
using testing::ToShiftJis;
using namespace std::string_literals;
using P = CatalogueProblemKind;

const std::string kHeader = "\"事象\",\"詳細\",\"日付\",\"出典\"\r\n";

CatalogueContent ParseText(const std::string& utf8) { return ParseCatalogue(ToShiftJis(utf8)); }

std::vector<std::string> Titles(const CatalogueContent& content) {
    std::vector<std::string> titles;
    for (const clsStarData& r : content.records) titles.push_back(r.Title());
    return titles;
}

// ------------------------------------------------------------ well-formed files

TEST(CatalogueReaderTest, ReadsHeadingsAndRecordsInFileOrder) {
    const CatalogueContent c = ParseText(kHeader +
                                         "\"ファーポイント\",\"最初の任務\",41153.7,\"TNG\"\r\n"
                                         "\"ファーストコンタクト\",\"ワープ飛行\",#2063-04-05#,#NULL#\r\n");
    ASSERT_TRUE(c.headings.has_value());
    EXPECT_EQ(*c.headings, (std::array<std::string, 4>{"事象", "詳細", "日付", "出典"}));
    EXPECT_TRUE(c.problems.empty());
    EXPECT_EQ(c.skippedRecords, 0u);
    ASSERT_EQ(c.records.size(), 2u);

    const clsStarData& star = c.records[0];
    EXPECT_EQ(star.Title(), "ファーポイント");
    EXPECT_EQ(star.Detail(), "最初の任務");
    EXPECT_TRUE(star.IsStarDate());
    EXPECT_EQ(star.SEDate(), TaggedValue::Number(41153.7));
    EXPECT_EQ(star.Source(), TaggedValue::Text("TNG"));

    const clsStarData& earth = c.records[1];
    EXPECT_FALSE(earth.IsStarDate());
    EXPECT_EQ(earth.SEDate(), TaggedValue::Date(DateValue{2063, 4, 5}));
    EXPECT_EQ(earth.Source(), TaggedValue::Text("Nothing"));
}

struct RecordCase {
    const char* name;
    std::string line;  // one record after the standard header
    std::string title;
    std::string detail;
    TaggedValue date;
    std::string source;
};

class RecordItemTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordItemTest, ReadsTheRecord) {
    const RecordCase& rc = GetParam();
    const CatalogueContent c = ParseText(kHeader + rc.line);
    EXPECT_TRUE(c.problems.empty()) << "first problem kind "
                                    << (c.problems.empty() ? -1 : int(c.problems[0].kind));
    ASSERT_EQ(c.records.size(), 1u);
    EXPECT_EQ(c.records[0].Title(), rc.title);
    EXPECT_EQ(c.records[0].Detail(), rc.detail);
    EXPECT_EQ(c.records[0].SEDate(), rc.date);
    EXPECT_EQ(c.records[0].Source(), TaggedValue::Text(rc.source));
}

INSTANTIATE_TEST_SUITE_P(
    Items, RecordItemTest,
    ::testing::Values(
        RecordCase{"stardate_in_quotes_reads_as_a_number", "\"T\",\"D\",\"8130.4\",\"S\"\r\n", "T",
                   "D", TaggedValue::Number(8130.4), "S"},
        RecordCase{"stardate_in_quotes_with_a_grouping_comma", "\"T\",\"D\",\"41,153.7\",\"S\"\r\n",
                   "T", "D", TaggedValue::Number(41153.7), "S"},
        RecordCase{"negative_stardate", "\"T\",\"D\",-311.4,\"S\"\r\n", "T", "D",
                   TaggedValue::Number(-311.4), "S"},
        RecordCase{"signed_positive_stardate", "\"T\",\"D\",+5,\"S\"\r\n", "T", "D",
                   TaggedValue::Number(5), "S"},
        RecordCase{"empty_date_column_is_stardate_zero", "\"T\",\"D\",,\"S\"\r\n", "T", "D",
                   TaggedValue::Number(0), "S"},
        RecordCase{"date_with_a_time_keeps_its_day", "\"T\",\"D\",#2063-04-05 12:30:00#,\"S\"\r\n",
                   "T", "D",
                   TaggedValue::Date(DateValue{2063, 4, 5, 12, 30, 0}), "S"},
        RecordCase{"bare_number_title_becomes_its_text", "2001,\"D\",1,\"S\"\r\n", "2001", "D",
                   TaggedValue::Number(1), "S"},
        RecordCase{"title_with_a_comma_in_quotes_loads_whole",
                   "\"Yesterday, Today\",\"D\",1,\"S\"\r\n", "Yesterday, Today", "D",
                   TaggedValue::Number(1), "S"},
        RecordCase{"boolean_and_date_titles_read_as_text", "#TRUE#,#2063-04-05#,1,#FALSE#\r\n",
                   "True", "2063/04/05", TaggedValue::Number(1), "False"},
        RecordCase{"number_signs_around_words_are_text",
                   "#hello#,#2063/04/05#,1,#note#\r\n", "#hello#", "#2063/04/05#",
                   TaggedValue::Number(1), "#note#"},
        RecordCase{"malformed_error_value_is_text", "\"T\",#ERROR x#,1,#ERROR 1 2#\r\n", "T",
                   "#ERROR x#", TaggedValue::Number(1), "#ERROR 1 2#"},
        RecordCase{"number_source_becomes_text", "\"T\",\"D\",1,7\r\n", "T", "D",
                   TaggedValue::Number(1), "7"},
        RecordCase{"lower_case_null_source", "\"T\",\"D\",1,#null#\r\n", "T", "D",
                   TaggedValue::Number(1), "Nothing"},
        RecordCase{"blanks_before_items_are_skipped", "  \"T\",\t\"D\", 41000,  \"S\"\r\n", "T",
                   "D", TaggedValue::Number(41000), "S"},
        RecordCase{"bare_text_loses_trailing_blanks", "Data  ,詳細 ,41000 ,TNG\r\n", "Data",
                   "詳細", TaggedValue::Number(41000), "TNG"},
        RecordCase{"blanks_after_a_closing_quote_are_fine", "\"T\"  ,\"D\" ,1,\"S\"  \r\n", "T",
                   "D", TaggedValue::Number(1), "S"},
        RecordCase{"blanks_inside_quotes_are_kept", "\" T \",\"\",1,\" \"\r\n", " T ", "",
                   TaggedValue::Number(1), " "},
        RecordCase{"no_line_break_after_the_last_record", "\"T\",\"D\",1,\"S\"", "T", "D",
                   TaggedValue::Number(1), "S"},
        RecordCase{"lone_line_feed_ends_a_line", "\"T\",\"D\",1,\"S\"\n", "T", "D",
                   TaggedValue::Number(1), "S"},
        RecordCase{"half_width_katakana_and_machine_dependent_characters",
                   "\"ﾃﾞｰﾀ\",\"①Ⅱ㈱\",1,\"～\"\r\n", "ﾃﾞｰﾀ", "①Ⅱ㈱", TaggedValue::Number(1), "～"},
        RecordCase{"backslash_byte_is_a_backslash", "\"C:\\Data\",\"D\",1,\"S\"\r\n", "C:\\Data",
                   "D", TaggedValue::Number(1), "S"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CatalogueReaderTest, GroupsItemsInFoursWhateverTheLines) {
    const CatalogueContent c = ParseText(kHeader +
                                         "\"A\",\"a\",1,\"s\",\"B\",\"b\",2,\"s\"\r\n"
                                         "\"C\",\"c\"\r\n3,\"s\"\r\n");
    EXPECT_TRUE(c.problems.empty());
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"A", "B", "C"}));
}

TEST(CatalogueReaderTest, LoneCarriageReturnsEndLines) {
    const CatalogueContent c = ParseCatalogue("\"h1\",\"h2\",\"h3\",\"h4\"\r\"A\",\"a\",1,\"s\"\r");
    EXPECT_TRUE(c.problems.empty());
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"A"}));
}

TEST(CatalogueReaderTest, HeadingsReadAsTextNullAndEmptyAlike) {
    const CatalogueContent c = ParseText("事象,#NULL#,2063,\r\n\"T\",\"D\",1,\"S\"\r\n");
    ASSERT_TRUE(c.headings.has_value());
    EXPECT_EQ(*c.headings, (std::array<std::string, 4>{"事象", "", "2063", ""}));
    EXPECT_TRUE(c.problems.empty());
}

TEST(CatalogueReaderTest, BadItemInTheUnusedDateHeadingKeepsTheOtherHeadings) {
    for (const std::string date : {"#2063-02-30#", "#ERROR 3#", "\"日付\"x"}) {
        const CatalogueContent c =
            ParseText("\"事象\",\"詳細\"," + date + ",\"出典\"\r\n\"T\",\"D\",1,\"S\"\r\n");
        ASSERT_TRUE(c.headings.has_value()) << date;
        EXPECT_EQ((*c.headings)[0], "事象");
        EXPECT_EQ((*c.headings)[1], "詳細");
        EXPECT_EQ((*c.headings)[3], "出典");
        EXPECT_TRUE(c.problems.empty()) << date;
        EXPECT_EQ(Titles(c), (std::vector<std::string>{"T"}));
    }
}

TEST(CatalogueReaderTest, FileWithUtf8MarkIsReadAsUtf8) {
    const std::string utf8 = "\xEF\xBB\xBF" + kHeader + "\"星暦 ①\",\"ｶﾅ\",41153.7,\"出典\"\r\n";
    const CatalogueContent c = ParseCatalogue(utf8);
    EXPECT_EQ(c.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(c.problems.empty());
    ASSERT_TRUE(c.headings.has_value());
    EXPECT_EQ((*c.headings)[0], "事象");
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"星暦 ①"}));
    EXPECT_EQ(c.records[0].Detail(), "ｶﾅ");
}

TEST(CatalogueReaderTest, EmptyTitleIsAllowedOnce) {
    const CatalogueContent c = ParseText(kHeader + "\"\",\"a\",1,\"s\"\r\n,\"b\",2,\"s\"\r\n");
    EXPECT_EQ(c.records.size(), 1u);
    EXPECT_EQ(c.records[0].Detail(), "a");
    ASSERT_EQ(c.problems.size(), 1u);
    EXPECT_EQ(c.problems[0], (CatalogueProblem{3, P::DuplicateTitle}));
}

// ------------------------------------------------------------ broken files

struct BrokenCase {
    const char* name;
    std::string bytes;                 // the whole file, already encoded
    std::vector<std::string> titles;   // records kept, in file order
    CatalogueProblem first;            // the earliest problem
    std::size_t skipped;
};

class BrokenFileTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFileTest, KeepsTheGoodRecordsAndReportsTheFirstProblem) {
    const BrokenCase& bc = GetParam();
    const CatalogueContent c = ParseCatalogue(bc.bytes);
    EXPECT_EQ(Titles(c), bc.titles);
    ASSERT_FALSE(c.problems.empty());
    EXPECT_EQ(*FirstProblemLine(c), bc.first.line);
    EXPECT_EQ(c.problems.front().kind, bc.first.kind);
    EXPECT_EQ(c.skippedRecords, bc.skipped);
}

const std::string kGoodA = "\"A\",\"a\",1,\"s\"\r\n";
const std::string kGoodB = "\"B\",\"b\",2,\"s\"\r\n";
std::string Sj(const std::string& utf8) { return ToShiftJis(utf8); }

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenFileTest,
    ::testing::Values(
        BrokenCase{"empty_file", "", {}, {1, P::EmptyFile}, 0},
        BrokenCase{"only_blank_lines", "\r\n  \r\n", {}, {1, P::EmptyFile}, 0},
        BrokenCase{"header_without_records", Sj(kHeader), {}, {2, P::NoRecords}, 0},
        BrokenCase{"header_cut_short", "\"h1\",\"h2\"\r\n", {}, {1, P::IncompleteGroup}, 0},
        BrokenCase{"blank_line_between_records_shifts_nothing", Sj(kHeader + kGoodA + "\r\n" + kGoodB),
                   {"A", "B"}, {3, P::BlankLine}, 0},
        BrokenCase{"blank_line_of_spaces", Sj(kHeader + kGoodA + "   \r\n" + kGoodB), {"A", "B"},
                   {3, P::BlankLine}, 0},
        BrokenCase{"blank_line_before_the_last_record_is_told_though_those_at_the_end_are_not",
                   Sj(kHeader + kGoodA + "\r\n" + kGoodB + "\r\n\n"), {"A", "B"}, {3, P::BlankLine}, 0},
        BrokenCase{"last_group_with_three_items", Sj(kHeader + kGoodA + "\"B\",\"b\",2\r\n"),
                   {"A"}, {3, P::IncompleteGroup}, 1},
        BrokenCase{"null_title", Sj(kHeader + "#NULL#,\"x\",1,\"s\"\r\n" + kGoodA), {"A"},
                   {2, P::NullValue}, 1},
        BrokenCase{"null_detail", Sj(kHeader + "\"X\",#NULL#,1,\"s\"\r\n" + kGoodA), {"A"},
                   {2, P::NullValue}, 1},
        BrokenCase{"null_date", Sj(kHeader + "\"X\",\"x\",#NULL#,\"s\"\r\n" + kGoodA), {"A"},
                   {2, P::NullValue}, 1},
        BrokenCase{"date_column_of_words", Sj(kHeader + "\"X\",\"x\",\"soon\",\"s\"\r\n" + kGoodA),
                   {"A"}, {2, P::NotANumber}, 1},
        BrokenCase{"date_column_beyond_a_double",
                   Sj(kHeader + "\"X\",\"x\"," + std::string(400, '9') + ",\"s\"\r\n" + kGoodA),
                   {"A"}, {2, P::NumberOutOfRange}, 1},
        BrokenCase{"error_value_heading_keeps_the_records", Sj("\"a\",#ERROR 5#,\"c\",\"d\"\r\n" + kGoodA),
                   {"A"}, {1, P::ErrorValue}, 0},
        BrokenCase{"error_value_title", Sj(kHeader + "#ERROR 2042#,\"x\",1,\"s\"\r\n" + kGoodA),
                   {"A"}, {2, P::ErrorValue}, 1},
        BrokenCase{"error_value_detail", Sj(kHeader + "\"X\",#ERROR 7#,1,\"s\"\r\n" + kGoodA),
                   {"A"}, {2, P::ErrorValue}, 1},
        BrokenCase{"error_value_date", Sj(kHeader + "\"X\",\"x\",#ERROR 7#,\"s\"\r\n" + kGoodA),
                   {"A"}, {2, P::ErrorValue}, 1},
        BrokenCase{"error_value_source", Sj(kHeader + "\"X\",\"x\",1,#ERROR 7#\r\n" + kGoodA),
                   {"A"}, {2, P::ErrorValue}, 1},
        BrokenCase{"titles_equal_but_for_case_keep_the_first",
                   Sj(kHeader + "\"Data\",\"1\",1,\"s\"\r\n\"DATA\",\"2\",2,\"s\"\r\n" + kGoodA),
                   {"Data", "A"}, {3, P::DuplicateTitle}, 1},
        BrokenCase{"full_width_titles_equal_but_for_case",
                   Sj(kHeader + "\"ＤＡＴＡ\",\"1\",1,\"s\"\r\n\"ｄａｔａ\",\"2\",2,\"s\"\r\n"),
                   {"ＤＡＴＡ"}, {3, P::DuplicateTitle}, 1},
        BrokenCase{"year_10000", Sj(kHeader + "\"X\",\"x\",#10000-01-01#,\"s\"\r\n" + kGoodA),
                   {"A"}, {2, P::InvalidDate}, 1},
        BrokenCase{"year_99", Sj(kHeader + "\"X\",\"x\",#99-12-31#,\"s\"\r\n" + kGoodA), {"A"},
                   {2, P::InvalidDate}, 1},
        BrokenCase{"month_13_day_45", Sj(kHeader + "\"X\",\"x\",#2063-13-45#,\"s\"\r\n" + kGoodA),
                   {"A"}, {2, P::InvalidDate}, 1},
        BrokenCase{"leap_day_of_a_plain_year", Sj(kHeader + "\"X\",\"x\",#2063-02-29#,\"s\"\r\n"),
                   {}, {2, P::InvalidDate}, 1},
        BrokenCase{"time_25_oclock", Sj(kHeader + "\"X\",\"x\",#2063-04-05 25:00:00#,\"s\"\r\n"),
                   {}, {2, P::InvalidDate}, 1},
        BrokenCase{"date_column_of_words_between_number_signs",
                   Sj(kHeader + "\"X\",\"x\",#soon#,\"s\"\r\n" + kGoodA), {"A"},
                   {2, P::NotANumber}, 1},
        BrokenCase{"unclosed_quote_ends_at_the_line_break",
                   Sj(kHeader + "\"X\",\"x,41000,s\r\n" + kGoodA + kGoodB), {"A", "B"},
                   {2, P::UnterminatedQuote}, 1},
        BrokenCase{"forgotten_closing_quote_ends_at_the_line_break",
                   Sj(kHeader + "\"X\",\"x,41000,\"s\"\r\n" + kGoodA + kGoodB), {"A", "B"},
                   {2, P::TextAfterQuote}, 1},
        BrokenCase{"unclosed_quote_in_the_last_item", Sj(kHeader + "\"X\",\"x\",1,\"s\r\n" + kGoodA),
                   {"A"}, {2, P::UnterminatedQuote}, 1},
        BrokenCase{"unclosed_quote_at_the_end_of_the_file", Sj(kHeader + kGoodA + "\"B\",\"b"),
                   {"A"}, {3, P::UnterminatedQuote}, 1},
        BrokenCase{"unclosed_quote_in_the_header", Sj("\"h1\",\"h2\r\n" + kGoodA), {"A"},
                   {1, P::UnterminatedQuote}, 0},
        BrokenCase{"quote_inside_a_quoted_item",
                   Sj(kHeader + "\"He said \"hi\" there\",\"x\",1,\"s\"\r\n" + kGoodA), {"A"},
                   {2, P::TextAfterQuote}, 1},
        BrokenCase{"byte_that_is_no_shift_jis", Sj(kHeader) + "\"X\",\"\xFF\",1,\"s\"\r\n" + kGoodA,
                   {"A"}, {2, P::InvalidCharacters}, 1},
        BrokenCase{"lead_byte_without_its_second_byte", Sj(kHeader) + "\"X\x82\",\"x\",1,\"s\"\r\n" +
                   kGoodA, {"A"}, {2, P::InvalidCharacters}, 1},
        BrokenCase{"lead_byte_before_a_blank", Sj(kHeader) + "\"X\x81 \",\"x\",1,\"s\"\r\n" +
                   kGoodA, {"A"}, {2, P::InvalidCharacters}, 1},
        BrokenCase{"unassigned_double_byte_code", Sj(kHeader) + "\"X\",\"\x85\x40\",1,\"s\"\r\n" +
                   kGoodA, {"A"}, {2, P::InvalidCharacters}, 1},
        BrokenCase{"nul_byte_in_a_title", Sj(kHeader) + "\"X\0Y\",\"x\",1,\"s\"\r\n"s +
                   kGoodA, {"A"}, {2, P::NulCharacter}, 1},
        BrokenCase{"nul_byte_in_a_bare_item", Sj(kHeader) + "\"X\",\"x\",1\0,\"s\"\r\n"s +
                   kGoodA, {"A"}, {2, P::NulCharacter}, 1},
        BrokenCase{"nul_byte_after_the_last_record", Sj(kHeader + kGoodA) + "\0"s, {"A"},
                   {3, P::IncompleteGroup}, 1},
        BrokenCase{"invalid_utf8_after_the_mark",
                   "\xEF\xBB\xBF" + kHeader + "\"X\",\"\xED\xA0\x80\",1,\"s\"\r\n" + kGoodA, {"A"},
                   {2, P::InvalidCharacters}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CatalogueReaderTest, ProblemsComeWithTheLineOfTheItemAndSkippedRecordsAreCounted) {
    const CatalogueContent c = ParseText(kHeader + kGoodA + "\r\n" + "\"X\",\"x\"\r\n\"soon\",\"s\"\r\n" +
                                         "\"a\",\"dup\",1,\"s\"\r\n" + kGoodB);
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(c.problems, (std::vector<CatalogueProblem>{
                              {3, P::BlankLine}, {5, P::NotANumber}, {6, P::DuplicateTitle}}));
    EXPECT_EQ(c.skippedRecords, 2u);
}

// A line with one item too few or too many would shift the items of every
// later line; only that line is lost, and it is the one named.
TEST(CatalogueReaderTest, LineWithTheWrongItemCountCostsOnlyItself) {
    const std::string kGoodC = "\"C\",\"c\",3,\"s\"\r\n";
    const struct {
        const char* name;
        std::string line;
        std::string after;
    } cases[] = {
        {"three items", "\"X\",\"x\",1\r\n", kGoodB + kGoodC},
        {"trailing comma", "\"X\",\"x\",1,\"s\",\r\n", kGoodB + kGoodC},
        // Shifted, these lines give a record "b" until the file ends; read
        // again, "B" must not clash with it.
        {"three items before lines that read shifted", "\"X\",\"x\",1\r\n",
         "\"B\",\"b\",2,3\r\n\"C\",\"c\",3,4\r\n"},
    };
    for (const auto& c : cases) {
        const CatalogueContent content = ParseText(kHeader + kGoodA + c.line + c.after);
        EXPECT_EQ(Titles(content), (std::vector<std::string>{"A", "B", "C"})) << c.name;
        EXPECT_EQ(content.problems, (std::vector<CatalogueProblem>{{3, P::IncompleteGroup}})) << c.name;
        EXPECT_EQ(content.skippedRecords, 1u) << c.name;
    }
}

// Groups that lie over two lines are no mistake: they read as they always
// did, also in a file where a later line is wrong.
TEST(CatalogueReaderTest, GroupsOverSeveralLinesReadBesideAWrongLine) {
    const CatalogueContent c = ParseText(kHeader +
                                         "\"A\",\"a\"\r\n1,\"s\",\"B\",\"b\"\r\n2,\"s\"\r\n" +
                                         "\"X\",\"x\",1\r\n" +
                                         "\"C\",\"c\"\r\n3,\"s\"\r\n");
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(c.problems, (std::vector<CatalogueProblem>{{5, P::IncompleteGroup}}));
    EXPECT_EQ(c.skippedRecords, 1u);
}

TEST(CatalogueReaderTest, RecordsBeyondTheLimitAreSkippedWithOneProblem) {
    const CatalogueContent c =
        ParseCatalogue(Sj(kHeader + kGoodA + kGoodB + "\"C\",\"c\",3,\"s\"\r\n\"D\",\"d\",4,\"s\"\r\n"), 2);
    EXPECT_EQ(Titles(c), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(c.problems, (std::vector<CatalogueProblem>{{4, P::TooManyRecords}}));
    EXPECT_EQ(c.skippedRecords, 2u);
}

// Notepad's "Unicode" save: UTF-16 with its mark, in either byte order. A
// bad line is reported under its own number, as in any other file.
TEST(CatalogueReaderTest, FileSavedAsUtf16IsReadLineForLine) {
    const std::string text = kHeader + kGoodA + "\"転送\",\"x\",#2063-02-30#,\"s\"\r\n" + kGoodB;
    const struct {
        const char* name;
        const char* iconvName;
        std::string mark;
        TextEncoding encoding;
    } orders[] = {{"little-endian", "UTF-16LE", "\xFF\xFE", TextEncoding::Utf16Le},
                  {"big-endian", "UTF-16BE", "\xFE\xFF", TextEncoding::Utf16Be}};
    for (const auto& order : orders) {
        const CatalogueContent c = ParseCatalogue(order.mark + ConvertUtf8(text, order.iconvName));
        EXPECT_EQ(c.encoding, order.encoding) << order.name;
        ASSERT_TRUE(c.headings.has_value()) << order.name;
        EXPECT_EQ((*c.headings)[1], "詳細") << order.name;
        EXPECT_EQ(Titles(c), (std::vector<std::string>{"A", "B"})) << order.name;
        EXPECT_EQ(c.problems, (std::vector<CatalogueProblem>{{3, P::InvalidDate}})) << order.name;
    }
    // A lone surrogate is no UTF-16, and the message names UTF-16.
    CatalogueLoad load;
    load.content = ParseCatalogue("\xFF\xFE" + ConvertUtf8(kHeader + kGoodA + "\"X\",\"", "UTF-16LE") +
                                  std::string("\x00\xD8", 2) + ConvertUtf8("\",1,\"s\"\r\n", "UTF-16LE"));
    const std::string message = CatalogueMessage("StarTrek.vqd", load);
    EXPECT_NE(message.find("3 行目"), std::string::npos) << message;
    EXPECT_NE(message.find("UTF-16 として読めない"), std::string::npos) << message;
}

// A modern editor saves UTF-8 without a mark. Only a file that is valid
// UTF-8 throughout is taken for one: Shift-JIS Japanese never is, and plain
// ASCII reads the same either way.
TEST(CatalogueReaderTest, Utf8WithoutMarkIsRecognisedByTheWholeFile) {
    const std::string records = "\"星暦 ①\",\"ｶﾅ\",41153.7,\"出典\"\r\n";
    const CatalogueContent utf8 = ParseCatalogue(kHeader + records);
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8NoMark);
    EXPECT_TRUE(utf8.problems.empty());
    ASSERT_TRUE(utf8.headings.has_value());
    EXPECT_EQ((*utf8.headings)[0], "事象");
    EXPECT_EQ(Titles(utf8), (std::vector<std::string>{"星暦 ①"}));

    const CatalogueContent shiftJis = ParseText(kHeader + records);
    EXPECT_EQ(shiftJis.encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(Titles(shiftJis), (std::vector<std::string>{"星暦 ①"}));

    // One line that is no UTF-8 makes the whole file Shift-JIS: a file is
    // never read half one way, half the other.
    const CatalogueContent mixed = ParseCatalogue(kHeader + records + "\"A\",\"\x82\xa0\",1,\"s\"\r\n");
    EXPECT_EQ(mixed.encoding, TextEncoding::ShiftJis);
    ASSERT_FALSE(mixed.records.empty());
    EXPECT_EQ(mixed.records.back().Detail(), "あ");

    EXPECT_EQ(ParseCatalogue(kGoodA + kGoodB).encoding, TextEncoding::ShiftJis);
}

// Whatever the bytes, the reader ends with records and problems: no crash,
// no endless loop, only texts that are valid UTF-8 and titles that are unique.
TEST(CatalogueReaderTest, AnyBytesGiveRecordsAndProblems) {
    const std::string alphabet[] = {"\"", ",", "\r", "\n", "\r\n", " ", "#", "#NULL#", "#2063-04-05#",
                                    "#ERROR 1#", "1", "41153.7", "-", ".", "a", "A", "\x82\xa0",
                                    "\x82", "\xFF", std::string(1, '\0'), "\xEF\xBB\xBF", "ﾃ"};
    std::mt19937 random(20630405);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const int pieces = static_cast<int>(random() % 60);
        for (int i = 0; i < pieces; ++i) bytes += alphabet[random() % std::size(alphabet)];
        const CatalogueContent c = ParseCatalogue(bytes);
        std::set<std::string> keys;
        for (const clsStarData& r : c.records) {
            for (const std::string& text : {r.Title(), r.Detail(), r.Source().text()})
                EXPECT_TRUE(IsValidUtf8(text)) << "not decoded: " << text;
            EXPECT_TRUE(keys.insert(FoldTitle(r.Title())).second);
        }
        EXPECT_LE(c.records.size() + c.skippedRecords, bytes.size() / 3 + 1);
    }
}

// ------------------------------------------------------------ list order

struct FoldCase {
    const char* name;
    std::string title;
    std::string key;
};

class FoldTitleTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldTitleTest, FoldsLetterCaseOnly) { EXPECT_EQ(FoldTitle(GetParam().title), GetParam().key); }

INSTANTIATE_TEST_SUITE_P(
    Titles, FoldTitleTest,
    ::testing::Values(FoldCase{"ascii", "Data DATA", "data data"},
                      FoldCase{"full_width_latin", "ＤａＴＡ", "ｄａｔａ"},
                      FoldCase{"accented_latin", "ÀÉÖ×", "àéö×"},
                      FoldCase{"latin_extended", "ŁŽĀ", "łžā"},
                      FoldCase{"greek", "ΩΑ", "ωα"},
                      FoldCase{"cyrillic", "ЖЁ", "жё"},
                      FoldCase{"roman_numerals", "Ⅱ", "ⅱ"},
                      FoldCase{"kana_is_untouched", "カナｶﾅかな", "カナｶﾅかな"},
                      FoldCase{"digits_and_signs_are_untouched", "No.1 (2364)", "no.1 (2364)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TitleOrderTest, SortsWithoutRegardToCaseWhateverTheFileOrder) {
    std::vector<clsStarData> records(5);
    const char* titles[] = {"ヴォイジャー", "beta", "Alpha", "alpha 2", "Gamma"};
    for (std::size_t i = 0; i < records.size(); ++i) records[i].Title(titles[i]);
    std::vector<std::string> sorted;
    for (std::size_t i : TitleOrder(records)) sorted.push_back(records[i].Title());
    EXPECT_EQ(sorted,
              (std::vector<std::string>{"Alpha", "alpha 2", "beta", "Gamma", "ヴォイジャー"}));
}

// The reader takes back the titles of lines it reads again; the titles
// filed before them must still clash, the taken-back ones no longer.
TEST(TitleIndexTest, TakingBackTheNewestTitlesKeepsTheOthersFound) {
    constexpr std::size_t kKept = 300;
    constexpr std::size_t kAll = 600;
    std::vector<clsStarData> records(kAll);
    for (std::size_t i = 0; i < kAll; ++i) records[i].Title("Title " + std::to_string(i));
    TitleIndex index(4);  // grows on the way, so probe chains mix
    for (std::size_t i = 0; i < kAll; ++i) ASSERT_TRUE(index.insert(records[i].Title(), i, records));
    for (std::size_t i = kAll; i-- > kKept;) index.erase(records[i].Title(), i);
    records.resize(kKept);
    for (std::size_t i = 0; i < kKept; ++i)
        EXPECT_FALSE(index.insert("TITLE " + std::to_string(i), kKept, records)) << i;
    for (std::size_t i = kKept; i < kAll; ++i) {
        records.emplace_back().Title("title " + std::to_string(i));
        EXPECT_TRUE(index.insert(records.back().Title(), i, records)) << i;
    }
}

// ------------------------------------------------------------ files and messages

class CatalogueFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("quorvane-reader-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path folder;
};

TEST_F(CatalogueFileTest, ReadsTheWholeFile) {
    const std::string bytes = Sj(kHeader + kGoodA);
    const FileBytes file = ReadCatalogueBytes(Write("StarTrek.vqd", bytes));
    EXPECT_EQ(file.status, FileReadStatus::Ok);
    EXPECT_EQ(file.bytes, bytes);
}

TEST_F(CatalogueFileTest, RefusesWhatIsNoReadableCatalogueFile) {
    EXPECT_EQ(ReadCatalogueBytes((folder / "gone.vqd").string()).status, FileReadStatus::Missing);
    EXPECT_EQ(ReadCatalogueBytes(folder.string()).status, FileReadStatus::NotAFile);

    const std::string pipe = (folder / "pipe.vqd").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadCatalogueBytes(pipe).status, FileReadStatus::NotAFile);

    const std::string big = Write("big.vqd", "");
    std::filesystem::resize_file(big, kMaxCatalogueBytes + 1);  // sparse: takes no disk
    const FileBytes file = ReadCatalogueBytes(big);
    EXPECT_EQ(file.status, FileReadStatus::TooLarge);
    EXPECT_TRUE(file.bytes.empty());
}

TEST_F(CatalogueFileTest, FileWithoutReadPermissionIsUnreadable) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const std::string path = Write("locked.vqd", Sj(kHeader + kGoodA));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EQ(ReadCatalogueBytes(path).status, FileReadStatus::Unreadable);
}

TEST_F(CatalogueFileTest, CleanFileGivesNoMessage) {
    const DocumentLoad document = ReadCatalogueDocument(Write("StarTrek.vqd", Sj(kHeader + kGoodA)));
    const CatalogueLoad& load = document.reading;
    EXPECT_EQ(load.status, FileReadStatus::Ok);
    EXPECT_EQ(document.document.rows.size(), 1u);
    EXPECT_EQ(CatalogueMessage("StarTrek.vqd", load), "");
}

TEST_F(CatalogueFileTest, MessageNamesFileFirstProblemLineAndSkippedCount) {
    const CatalogueLoad load = ReadCatalogueDocument(
        Write("events.txt", Sj(kHeader + kGoodA + "\"X\",\"x\",#2063-13-45#,\"s\"\r\n\r\n" +
                              "\"a\",\"dup\",1,\"s\"\r\n"))).reading;
    EXPECT_EQ(CatalogueMessage("events.txt", load),
              "events.txt の 3 行目に誤りがあります（日付が正しくありません）。\n"
              "読み込めなかったデータ：2 件");
}

TEST_F(CatalogueFileTest, MessageSaysWhyAFileCouldNotBeRead) {
    const CatalogueLoad missing = ReadCatalogueDocument((folder / "StarTrek.vqd").string()).reading;
    EXPECT_EQ(missing.status, FileReadStatus::Missing);
    EXPECT_EQ(CatalogueMessage("StarTrek.vqd", missing), "StarTrek.vqd が見つかりません。");

    CatalogueLoad large;
    large.status = FileReadStatus::TooLarge;
    EXPECT_EQ(CatalogueMessage("big.vqd", large),
              "big.vqd は大きすぎるため読み込めません。（64 MB まで）");
    CatalogueLoad folderLoad;
    folderLoad.status = FileReadStatus::NotAFile;
    EXPECT_EQ(CatalogueMessage("data", folderLoad), "data はファイルではありません。");
    EXPECT_EQ(ProblemReason(P::TooManyRecords, TextEncoding::ShiftJis), "データが 100 万件を超えています");
}

// An English text that dropped an argument would hide the file, the line or
// the count from the user; one that kept Japanese would not be English.
TEST(CatalogueWordsTest, EveryFaceTranslatesEveryTextWithTheSameArguments) {
    const auto placeholders = [](std::string_view text) {
        std::multiset<std::string_view> found;
        for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at + 1))
            if (at + 1 < text.size()) found.insert(text.substr(at, 2));
        return found;
    };
    const std::string_view args[] = {"\x01", "\x02", "\x03", "\x04"};
    for (const UiLanguage face : UiLanguage::All()) {
        if (face.IsSource()) continue;
        for (int n = 0; n <= static_cast<int>(kLastCatalogueWording); ++n) {
            SCOPED_TRACE(std::string(face.Code()) + " " + std::to_string(n));
            const auto text = static_cast<CatalogueWording>(n);
            if (text == CatalogueWording::SkippedRecords || text == CatalogueWording::MoreProblems) continue;
            const std::string japanese = CatalogueWords(text, UiLanguage::Source());
            const std::string translated = CatalogueWords(text, face);
            EXPECT_NE(translated, japanese);
            EXPECT_EQ(placeholders(translated), placeholders(japanese)) << translated;
            // Every argument lands in the text.
            const std::string filled = CatalogueWords(text, face, {args[0], args[1], args[2], args[3]});
            for (std::size_t a = 0; a < placeholders(japanese).size(); ++a)
                EXPECT_NE(filled.find(args[a]), std::string::npos) << translated;
        }
    }
}

// A count reads right in the singular, and a load that lost nothing says so by saying nothing.
TEST(CatalogueWordsTest, CountsTakeTheirPluralForm) {
    const UiLanguage en = *UiLanguage::FromCode("en");
    EXPECT_EQ(CatalogueWordsN(CatalogueWording::MoreProblems, 1, en, {"1000"}),
              "1 more error (no more than 1000 are listed)");
    EXPECT_EQ(CatalogueWordsN(CatalogueWording::MoreProblems, 2, en, {"1000"}),
              "2 more errors (no more than 1000 are listed)");
    EXPECT_EQ(CatalogueWordsN(CatalogueWording::SkippedRecords, 1, *UiLanguage::FromCode("de")),
              "1 Ereignis konnte nicht gelesen werden.");
    EXPECT_EQ(CatalogueWordsN(CatalogueWording::SkippedRecords, 3, UiLanguage::Source()),
              "読み込めなかったデータ：3 件");
}

TEST_F(CatalogueFileTest, EnglishMessageNamesTheSameFileLineAndCount) {
    const DocumentLoad document = ReadCatalogueDocument(Write("events.txt", Sj(kHeader + kGoodA + "\r\n" + kGoodB)));
    EXPECT_EQ(CatalogueMessage("events.txt", document.reading, *UiLanguage::FromCode("en")),
              "Line 3 of events.txt has an error (a blank line).");
    EXPECT_EQ(ProblemReason(P::TooManyRecords, TextEncoding::ShiftJis, *UiLanguage::FromCode("en")),
              "more than 1,000,000 events");
}

}  // namespace
}  // namespace quorvane
