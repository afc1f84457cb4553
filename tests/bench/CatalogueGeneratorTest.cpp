#include "bench/support/CatalogueGenerator.h"
#include "catalogue/CatalogueReader.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using quorvane::bench::DecodeShiftJis;
using quorvane::bench::EncodeShiftJis;
using quorvane::bench::GenerateCatalogue;
using quorvane::bench::GenerateCatalogueText;

// The full-size file is what the benchmark measures, so it is what is checked.
class GeneratedCatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bytes = new std::string(GenerateCatalogue(kRecords));
        content = new quorvane::CatalogueContent(quorvane::ParseCatalogue(*bytes));
    }
    static void TearDownTestSuite() {
        delete content;
        delete bytes;
    }

    static constexpr std::size_t kRecords = 100'000;
    static inline std::string* bytes = nullptr;
    static inline quorvane::CatalogueContent* content = nullptr;
};

TEST_F(GeneratedCatalogueTest, LoadsEveryRecordWithoutAProblem) {
    EXPECT_EQ(content->encoding, quorvane::TextEncoding::ShiftJis);
    EXPECT_TRUE(content->problems.empty());
    EXPECT_EQ(content->skippedRecords, 0u);
    ASSERT_EQ(content->records.size(), kRecords);
    ASSERT_TRUE(content->headings);
    EXPECT_EQ((*content->headings)[0], "事象");
}

TEST_F(GeneratedCatalogueTest, IsAboutTenMegabytes) {
    EXPECT_GT(bytes->size(), 8'000'000u);
    EXPECT_LT(bytes->size(), 12'000'000u);
}

TEST_F(GeneratedCatalogueTest, TitlesAreUniqueLetterCaseAside) {
    std::set<std::string> folded;
    for (const auto& record : content->records) folded.insert(quorvane::FoldTitle(record.Title()));
    EXPECT_EQ(folded.size(), kRecords);
}

TEST_F(GeneratedCatalogueTest, FileOrderIsNotListOrder) {
    // An already sorted file would spare the sort the benchmark must include.
    const std::vector<std::size_t> order = quorvane::TitleOrder(content->records);
    std::size_t inPlace = 0;
    for (std::size_t i = 0; i < order.size(); ++i) inPlace += order[i] == i ? 1 : 0;
    EXPECT_LT(inPlace, kRecords / 100);
}

TEST_F(GeneratedCatalogueTest, HoldsBothKindsOfDateAndNullSources) {
    std::size_t stardates = 0, nothing = 0, latin = 0;
    for (const auto& record : content->records) {
        stardates += record.IsStarDate() ? 1 : 0;
        nothing += record.Source().text() == "Nothing" ? 1 : 0;
        latin += (record.Title()[0] & 0x80) == 0 ? 1 : 0;
    }
    EXPECT_GT(stardates, kRecords / 2);
    EXPECT_LT(stardates, kRecords * 7 / 10);
    EXPECT_EQ(nothing, kRecords / 20);
    EXPECT_EQ(latin, kRecords / 10);
}

TEST(CatalogueGeneratorTest, BaselineDecodesTheWholeFile) {
    const std::string text = GenerateCatalogueText(300);
    const std::string path = ::testing::TempDir() + "/baseline.vqd";
    quorvane::bench::WriteFile(path, EncodeShiftJis(text));
    const quorvane::bench::DecodedFile decoded = quorvane::bench::ReadAndDecodeShiftJis(path);
    EXPECT_EQ(std::string(decoded.text.get(), decoded.size), text);
}

TEST(CatalogueGeneratorTest, SameTextEveryRun) {
    EXPECT_EQ(GenerateCatalogueText(500), GenerateCatalogueText(500));
}

TEST(CatalogueGeneratorTest, HasNoBlankLineAndEndsWithCrLf) {
    const std::string text = GenerateCatalogueText(200);
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\"\r\n") || text.ends_with("#NULL#\r\n"));
}

// The long texts must be the first record's, and its title the first the
// list shows, or the windows' figures would never meet them.
TEST(CatalogueGeneratorTest, LongItemsAreTheFirstRecordsAndItsTitleComesFirst) {
    constexpr std::size_t kLong = 1'000'000;
    const quorvane::CatalogueContent content =
        quorvane::ParseCatalogue(GenerateCatalogue(1000, kLong));
    EXPECT_TRUE(content.problems.empty());
    ASSERT_EQ(content.records.size(), 1000u);
    const clsStarData& first = content.records[0];
    EXPECT_GE(first.Title().size(), kLong);
    EXPECT_GE(first.Detail().size(), kLong);
    EXPECT_GE(first.Source().text().size(), kLong);
    EXPECT_LT(content.records[1].Detail().size(), 200u);
    EXPECT_EQ(quorvane::TitleOrder(content.records).front(), 0u);
}

TEST(ShiftJisTest, RoundTripsJapaneseText) {
    const std::string text = "\"宇宙暦（ﾃｽﾄ）\",\"ボーグ\"\r\n";
    const std::string encoded = EncodeShiftJis(text);
    EXPECT_EQ(encoded.size(), 6u + 2 * 4 + 3 + 2 * 3 + 3);
    EXPECT_EQ(DecodeShiftJis(encoded), text);
}

TEST(ShiftJisTest, RefusesWhatDoesNotConvert) {
    EXPECT_THROW(EncodeShiftJis("\xF0\x9F\x96\x96"), std::runtime_error);  // an emoji
    EXPECT_THROW(DecodeShiftJis("\x81"), std::runtime_error);             // half a character
}

}  // namespace
