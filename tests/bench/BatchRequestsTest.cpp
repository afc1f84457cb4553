#include "bench/support/BatchRequests.h"
#include "cli/Conversions.h"

#include <gtest/gtest.h>

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

TEST(BatchRequestsTest, SameRequestsEveryRun) {
    EXPECT_EQ(quorvane::bench::GenerateBatchRequests(1000),
              quorvane::bench::GenerateBatchRequests(1000));
}

}  // namespace
