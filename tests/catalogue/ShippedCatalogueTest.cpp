// The catalogue that ships beside the program.
#include "catalogue/CatalogueReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quorvane {
namespace {

constexpr std::size_t kShippedEvents = 144;

std::string BytesOf(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Notepad and the reader's line numbers both expect every break as CR LF.
void ExpectOnlyWindowsLineBreaks(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
}

TEST(ShippedCatalogueTest, LoadsWithoutAMessage) {
    const CatalogueLoad load = LoadCatalogue(QUORVANE_SHIPPED_CATALOGUE);
    ASSERT_EQ(load.status, FileReadStatus::Ok);
    EXPECT_EQ(CatalogueMessage("StarTrek.vqd", load), "");
    EXPECT_EQ(load.content.records.size(), kShippedEvents);
    ASSERT_TRUE(load.content.headings.has_value());
    EXPECT_EQ(*load.content.headings,
              (std::array<std::string, 4>{"事象", "詳細", "日付", "出典"}));
}

TEST(ShippedCatalogueTest, IsShiftJisWithWindowsLineBreaks) {
    const std::string bytes = BytesOf(QUORVANE_SHIPPED_CATALOGUE);
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_FALSE(ParseCatalogue(bytes).utf8);
    ExpectOnlyWindowsLineBreaks(bytes);
}

TEST(ShippedCatalogueTest, EveryEventHasItsTextsAndAPlausibleDate) {
    const CatalogueLoad load = LoadCatalogue(QUORVANE_SHIPPED_CATALOGUE);
    for (const clsStarData& event : load.content.records) {
        SCOPED_TRACE(event.Title());
        EXPECT_FALSE(event.Title().empty());
        EXPECT_FALSE(event.Detail().empty());
        EXPECT_FALSE(event.Source().text().empty());
        EXPECT_NE(event.Source().text(), "Nothing");
        if (event.IsStarDate()) {
            EXPECT_GT(event.SEDate().number(), 0);
            EXPECT_LT(event.SEDate().number(), 100000);
        } else {
            EXPECT_GE(event.SEDate().date().year, 1900);
        }
    }
}

// The English catalogue is plain ASCII so that it reads the same whether it
// is taken for Shift-JIS or for UTF-8.
TEST(ShippedCatalogueTest, EnglishIsAsciiWithWindowsLineBreaks) {
    const std::string bytes = BytesOf(QUORVANE_SHIPPED_CATALOGUE_EN);
    ASSERT_FALSE(bytes.empty());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(bytes[i]), 0x80) << "not ASCII at byte " << i;
    }
    ExpectOnlyWindowsLineBreaks(bytes);
}

TEST(ShippedCatalogueTest, EnglishLoadsWithoutAMessage) {
    const CatalogueLoad load = LoadCatalogue(QUORVANE_SHIPPED_CATALOGUE_EN);
    ASSERT_EQ(load.status, FileReadStatus::Ok);
    EXPECT_EQ(CatalogueMessage("StarTrek_en.vqd", load), "");
    ASSERT_TRUE(load.content.headings.has_value());
    EXPECT_EQ(*load.content.headings,
              (std::array<std::string, 4>{"Event", "Detail", "Date", "Source"}));
}

// Both faces list the same events, so a date looked up in one language is the
// date in the other: event for event in file order, the same kind of date
// and the same value.
TEST(ShippedCatalogueTest, EnglishPairsWithJapaneseEventForEvent) {
    const CatalogueLoad japanese = LoadCatalogue(QUORVANE_SHIPPED_CATALOGUE);
    const CatalogueLoad english = LoadCatalogue(QUORVANE_SHIPPED_CATALOGUE_EN);
    ASSERT_EQ(japanese.status, FileReadStatus::Ok);
    ASSERT_EQ(english.status, FileReadStatus::Ok);
    const auto& ja = japanese.content.records;
    const auto& en = english.content.records;
    ASSERT_EQ(en.size(), ja.size());
    for (std::size_t i = 0; i < ja.size(); ++i) {
        SCOPED_TRACE(ja[i].Title() + " / " + en[i].Title());
        EXPECT_FALSE(en[i].Title().empty());
        EXPECT_FALSE(en[i].Detail().empty());
        EXPECT_FALSE(en[i].Source().text().empty());
        ASSERT_EQ(en[i].IsStarDate(), ja[i].IsStarDate());
        if (ja[i].IsStarDate()) {
            EXPECT_EQ(en[i].SEDate().number(), ja[i].SEDate().number());
        } else {
            const DateValue e = en[i].SEDate().date();
            const DateValue j = ja[i].SEDate().date();
            EXPECT_TRUE(e == j) << e.year << '-' << e.month << '-' << e.day << " against "
                                << j.year << '-' << j.month << '-' << j.day;
        }
    }
}

}  // namespace
}  // namespace quorvane
