// The catalogue that ships beside the program.
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quorvane {
namespace {

constexpr std::size_t kShippedEvents = 151;

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
    const DocumentLoad load = ReadCatalogueDocument(QUORVANE_SHIPPED_CATALOGUE);
    ASSERT_EQ(load.reading.status, FileReadStatus::Ok);
    EXPECT_EQ(CatalogueMessage("StarTrek.vqd", load.reading), "");
    EXPECT_EQ(load.document.rows.size(), kShippedEvents);
    ASSERT_EQ(load.status, DocumentReadStatus::Ok);
    EXPECT_EQ(load.document.headings,
              (std::array<std::string, 4>{"事象", "詳細", "日付", "出典"}));
}

TEST(ShippedCatalogueTest, IsShiftJisWithWindowsLineBreaks) {
    const std::string bytes = BytesOf(QUORVANE_SHIPPED_CATALOGUE);
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ParseCatalogue(bytes).encoding, TextEncoding::ShiftJis);
    ExpectOnlyWindowsLineBreaks(bytes);
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

// The English catalogue carries a UTF-8 mark: without it a plain-ASCII file
// is read as Shift-JIS, and the first accented letter a user types into it
// would turn a save into an encoding question.
TEST(ShippedCatalogueTest, EnglishIsUtf8WithItsMarkAndWindowsLineBreaks) {
    const std::string bytes = BytesOf(QUORVANE_SHIPPED_CATALOGUE_EN);
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    const CatalogueContent content = ParseCatalogue(bytes);
    EXPECT_EQ(content.encoding, TextEncoding::Utf8);
    ExpectOnlyWindowsLineBreaks(bytes);
}

TEST(ShippedCatalogueTest, EnglishLoadsWithoutAMessage) {
    const DocumentLoad load = ReadCatalogueDocument(QUORVANE_SHIPPED_CATALOGUE_EN);
    ASSERT_EQ(load.status, DocumentReadStatus::Ok);
    EXPECT_EQ(CatalogueMessage("StarTrek_en.vqd", load.reading), "");
    EXPECT_EQ(load.document.headings,
              (std::array<std::string, 4>{"Event", "Details", "Date", "Source"}));
}

// Both faces list the same events, so a date looked up in one language is the
// date in the other: event for event in file order, the same kind of date
// and the same value.
TEST(ShippedCatalogueTest, EnglishPairsWithJapaneseEventForEvent) {
    const DocumentLoad japanese = ReadCatalogueDocument(QUORVANE_SHIPPED_CATALOGUE);
    const DocumentLoad english = ReadCatalogueDocument(QUORVANE_SHIPPED_CATALOGUE_EN);
    ASSERT_EQ(japanese.status, DocumentReadStatus::Ok);
    ASSERT_EQ(english.status, DocumentReadStatus::Ok);
    const auto& ja = japanese.document.rows;
    const auto& en = english.document.rows;
    ASSERT_EQ(en.size(), ja.size());
    for (std::size_t i = 0; i < ja.size(); ++i) {
        SCOPED_TRACE(ja[i].title + " / " + en[i].title);
        EXPECT_FALSE(en[i].title.empty());
        EXPECT_FALSE(en[i].detail.empty());
        EXPECT_FALSE(en[i].source.empty());
        EXPECT_EQ(DateCellText(en[i].date), DateCellText(ja[i].date));
        EXPECT_EQ(en[i].date.index(), ja[i].date.index());
    }
}

}  // namespace
}  // namespace quorvane
