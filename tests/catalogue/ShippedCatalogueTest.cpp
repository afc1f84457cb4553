// The catalogue that ships beside the program.
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quorvane {
namespace {

constexpr std::size_t kShippedEvents = 115;

TEST(ShippedCatalogueTest, LoadsWithoutAMessage) {
    const DocumentLoad load = ReadCatalogueDocument(QUORVANE_SHIPPED_CATALOGUE);
    ASSERT_EQ(load.reading.status, FileReadStatus::Ok);
    EXPECT_EQ(CatalogueMessage("StarTrek.vqd", load.reading), "");
    EXPECT_EQ(load.document.rows.size(), kShippedEvents);
    ASSERT_EQ(load.status, DocumentReadStatus::Ok);
    EXPECT_EQ(load.document.headings,
              (std::array<std::string, 4>{"事象", "詳細", "日付", "出典"}));
}

TEST(ShippedCatalogueTest, IsShiftJisWithWindowsLineBreaks) {
    std::ifstream file(QUORVANE_SHIPPED_CATALOGUE, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_FALSE(ParseCatalogue(bytes).utf8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
}

TEST(ShippedCatalogueTest, EveryEventHasItsTextsAndAPlausibleDate) {
    for (EventRow& row : ReadCatalogueDocument(QUORVANE_SHIPPED_CATALOGUE).document.rows) {
        const clsStarData event = RecordOf(std::move(row));
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

}  // namespace
}  // namespace quorvane
