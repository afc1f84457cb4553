#include "bench/support/ResultsTable.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using quorvane::bench::Goal;
using quorvane::bench::Median;
using quorvane::bench::Row;

TEST(MedianTest, MiddleValues) {
    struct Case {
        const char* what;
        std::vector<double> values;
        double median;
    };
    const Case cases[] = {
        {"none reads 0", {}, 0},
        {"one value is its own median", {7}, 7},
        {"odd count takes the middle of the sorted values", {9, 1, 5}, 5},
        {"even count takes the mean of the two middle values", {4, 1, 3, 2}, 2.5},
        {"one outlier does not move it", {10, 11, 12, 500, 9}, 11},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(Median(c.values), c.median) << c.what;
}

TEST(RowTest, GoalsAndRatios) {
    const Goal underMicrosecond{1000, 3, "< 1 µs, ≤ 3× baseline"};
    struct Case {
        const char* what;
        Row row;
        double ratio;
        std::optional<bool> met;
    };
    const Case cases[] = {
        {"fast and close to the baseline meets both", {"a", 90, 40, "ns", false, underMicrosecond},
         2.25, true},
        {"exactly three times the baseline still meets", {"b", 120, 40, "ns", false, underMicrosecond},
         3, true},
        {"over three times the baseline misses", {"c", 130, 40, "ns", false, underMicrosecond},
         3.25, false},
        {"a microsecond is not under a microsecond", {"d", 1000, 500, "ns", false, underMicrosecond},
         2, false},
        {"a rate's ratio is how many times slower", {"e", 250, 1000, "req/s", true, std::nullopt},
         4, std::nullopt},
        {"no baseline gives no ratio, and a ratio goal then misses",
         {"f", 10, 0, "ms", false, Goal{std::nullopt, 1.3, "≤ 1.3×"}}, 0, false},
        {"a size goal alone ignores the ratio", {"g", 60, 10, "MiB", false, Goal{100, std::nullopt, "< 100 MB"}},
         6, true},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(c.row.ratio(), c.ratio) << c.what;
        EXPECT_EQ(c.row.met(), c.met) << c.what;
    }
}

// The machine slowed down for the second pair's baseline and for the whole
// third pair: the medians of each side then disagree (200 over 200), the
// pairs do not.
TEST(RowTest, PairedRatioIsTheMedianOfThePairsNotOfTheMedians) {
    const quorvane::bench::PairedRatio paired =
        quorvane::bench::RatioOfPairs({{200, 100}, {200, 200}, {400, 200}, {0, 100}});
    EXPECT_DOUBLE_EQ(paired.median, 2);
    EXPECT_DOUBLE_EQ(paired.low, 1);
    EXPECT_DOUBLE_EQ(paired.high, 2);
    EXPECT_EQ(paired.pairs, 3u) << "a pair without a figure is left out";

    Row row{"row", 200, 200, "ns", false, Goal{1000, 1.5, "≤ 1.5×"}};
    row.paired = paired;
    EXPECT_DOUBLE_EQ(row.ratio(), 2);
    EXPECT_EQ(row.met(), false) << "the goal is judged on the pairs";
    const std::string csv = quorvane::bench::FormatCsv({row});
    EXPECT_NE(csv.find(",no,1.000,2.000,3\n"), std::string::npos) << csv;
}

std::vector<Row> SampleRows() {
    return {{"stardate to Earth date, per call", 95.5, 41.25, "ns", false,
             Goal{1000, 3, "< 1 µs, ≤ 3× baseline"}},
            {"start-up", 130, 100, "ms", false, Goal{std::nullopt, 1.2, "≤ 1.2× bare"}},
            {"batch", 2'500'000, 0, "req/s", true, std::nullopt}};
}

TEST(ResultsFormatTest, CsvHasOneLinePerRowAndQuotesCommas) {
    const std::string csv = quorvane::bench::FormatCsv(SampleRows());
    EXPECT_EQ(csv,
              "row,value,baseline,unit,ratio,goal,met,ratio_low,ratio_high,pairs\n"
              "\"stardate to Earth date, per call\",95.5,41.25,ns,2.315,"
              "\"< 1 µs, ≤ 3× baseline\",yes,,,\n"
              "start-up,130,100,ms,1.300,≤ 1.2× bare,no,,,\n"
              "batch,2.5e+06,,req/s,,,,,,\n");
}

TEST(ResultsFormatTest, TableColumnsLineUpDespiteWideCharacters) {
    std::istringstream table(quorvane::bench::FormatTable(SampleRows()));
    std::string line;
    std::vector<std::size_t> goalColumns;
    while (std::getline(table, line)) {
        // Count characters, not bytes, up to the goal column.
        const std::size_t bytes = line.find("< 1 µs");
        const std::size_t other = line.find("≤ 1.2×");
        const std::size_t at = bytes != std::string::npos ? bytes : other;
        if (at == std::string::npos) continue;
        std::size_t characters = 0;
        for (std::size_t i = 0; i < at; ++i) characters += (line[i] & 0xC0) != 0x80 ? 1 : 0;
        goalColumns.push_back(characters);
    }
    ASSERT_EQ(goalColumns.size(), 2u);
    EXPECT_EQ(goalColumns[0], goalColumns[1]);
}

TEST(ResultsFormatTest, MissedGoalsStandOut) {
    const std::string table = quorvane::bench::FormatTable(SampleRows());
    EXPECT_NE(table.find("NO"), std::string::npos);
    const std::string markdown = quorvane::bench::FormatMarkdown(SampleRows());
    EXPECT_NE(markdown.find("| start-up | 130 ms | 100 ms | 1.3× | ≤ 1.2× bare | NO |"),
              std::string::npos);
}

TEST(FormatNumberTest, ShortFigures) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{0.0421, "0.0421"}, {3.14159, "3.14"}, {42.123, "42.12"},
                          {123.456, "123.5"}, {2'512'345.6, "2512346"}, {7, "7"}};
    for (const Case& c : cases) EXPECT_EQ(quorvane::bench::FormatNumber(c.value), c.text) << c.value;
}

}  // namespace
