// Files that are mostly mistakes: whatever the reader finds wrong, the list
// it keeps stays short, while the count of lost records and the first
// problem's line, which the user is told, stay exact.
#include "catalogue/CatalogueReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quorvane {
namespace {

const std::string kHeader = "\"Event\",\"Detail\",\"Date\",\"Source\"\r\n";

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

struct FloodCase {
    const char* name;
    std::string bytes;
    std::size_t firstLine;
    std::size_t skipped;
};

void PrintTo(const FloodCase& c, std::ostream* os) { *os << c.name; }

class ProblemFlood : public ::testing::TestWithParam<FloodCase> {};

TEST_P(ProblemFlood, KeepsAShortListAndAnExactCount) {
    const CatalogueContent content = ParseCatalogue(GetParam().bytes);
    EXPECT_LE(content.problems.size(), kMaxCatalogueProblems);
    ASSERT_FALSE(content.problems.empty());
    EXPECT_EQ(*FirstProblemLine(content), GetParam().firstLine);
    EXPECT_EQ(content.skippedRecords, GetParam().skipped);

    CatalogueLoad load;
    load.content = content;
    const std::string message = CatalogueMessage("StarTrek.vqd", load);
    // A file with nothing to read is told as a whole, not as a line.
    if (message.find("には事象がありません") == std::string::npos) {
        EXPECT_NE(message.find(" " + std::to_string(GetParam().firstLine) + " 行目"), std::string::npos) << message;
    }
    // A count only where events were lost.
    if (GetParam().skipped > 0)
        EXPECT_NE(message.find("：" + std::to_string(GetParam().skipped) + " 件"), std::string::npos) << message;
    else
        EXPECT_EQ(message.find("件"), std::string::npos) << message;
}

// A megabyte of each mistake, the way a wrong file chosen in the dialog
// would bring them: at 64 MB the full lists took gigabytes.
INSTANTIATE_TEST_SUITE_P(
    Files, ProblemFlood,
    ::testing::Values(
        FloodCase{"line_breaks_only", std::string(1u << 20, '\n'), 1, 0},
        FloodCase{"blank_lines_between_records",
                  kHeader + "\"A\",\"a\",1,\"s\"\r\n" + std::string(1u << 20, '\n') + "\"B\",\"b\",2,\"s\"\r\n",
                  3, 0},
        FloodCase{"unclosed_quotes", kHeader + Repeat("\"\n", 1u << 19), 2, 1u << 19},
        FloodCase{"empty_records_with_one_title", kHeader + Repeat(",,,\n", 1u << 18), 3, (1u << 18) - 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane
