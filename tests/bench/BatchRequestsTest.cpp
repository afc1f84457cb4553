#include "bench/support/BatchRequests.h"
#include "cli/Conversions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

namespace {

// The rate is only the converter's rate when every request converts.
TEST(BatchRequestsTest, EveryRequestConvertsWithoutError) {
    const std::string requests = quorvane::bench::GenerateBatchRequests(30'000);
    std::istringstream lines(requests);
    std::string line;
    std::map<std::string, std::size_t> kinds;
    std::size_t count = 0;
    while (std::getline(lines, line)) {
        ++count;
        ++kinds[line.substr(0, 2)];
        std::string answer;
        ASSERT_TRUE(quorvane::cli::AnswerRequest(line, {}, answer)) << line << " -> " << answer;
        ASSERT_FALSE(answer.empty()) << line;
    }
    EXPECT_EQ(count, 30'000u);
    EXPECT_EQ(kinds, (std::map<std::string, std::size_t>{{"sd", 10'000}, {"md", 10'000},
                                                         {"yd", 10'000}}));
}

// The arguments row compares with --batch: both must ask for the same dates.
TEST(BatchRequestsTest, ArgumentValuesAskWhatTheRequestsAsk) {
    const std::string requests = quorvane::bench::GenerateBatchRequests(3000);
    const std::vector<std::string> values = quorvane::bench::ArgumentValuesFor(requests);
    ASSERT_EQ(values.size(), 3000u);
    std::istringstream lines(requests);
    std::string line;
    for (const std::string& value : values) {
        ASSERT_TRUE(std::getline(lines, line));
        std::string answer, converted, reason;
        ASSERT_TRUE(quorvane::cli::AnswerRequest(line, {}, answer)) << line;
        ASSERT_TRUE(quorvane::cli::ConvertValue(value, {}, {2364, 1, 1}, converted, reason))
            << value << " -> " << reason;
        if (line.starts_with("sd")) {
            // "YEAR DAYOFYEAR MONTH DAY" against "YYYY-MM-DD DAYOFYEAR"
            std::istringstream fields(answer);
            int year = 0, dayOfYear = 0, month = 0, day = 0;
            fields >> year >> dayOfYear >> month >> day;
            char expected[32];
            std::snprintf(expected, sizeof expected, "%04d-%02d-%02d %d", year, month, day, dayOfYear);
            EXPECT_EQ(converted, expected) << line << " / " << value;
        } else {
            EXPECT_EQ(converted, answer) << line << " / " << value;
        }
    }
}

TEST(BatchRequestsTest, SameRequestsEveryRun) {
    EXPECT_EQ(quorvane::bench::GenerateBatchRequests(1000),
              quorvane::bench::GenerateBatchRequests(1000));
}

}  // namespace
