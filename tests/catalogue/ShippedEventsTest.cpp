// The events a newer program ships, added to a user's copy after its own
// lines, which stay exactly as they were.
#include "catalogue/ShippedEvents.h"

#include "catalogue/CatalogueReader.h"
#include "support/ShiftJis.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using testing::ConvertUtf8;
using testing::ToShiftJis;
using namespace std::string_literals;

const std::string kShipped = "\"事象\",\"詳細\",\"日付\",\"出典\"\r\n"
                             "\"Data\",\"アンドロイド\",41153.7,\"TNG\"\r\n"
                             "\"Emissary\",\"シスコの着任\",46379.1,\"DS9\"\r\n"
                             "\"ファーストコンタクト\",\"ワープ飛行\",#2063-04-05#,#NULL#\r\n";

std::vector<std::string> Titles(const std::vector<EventRow>& rows) {
    std::vector<std::string> titles;
    for (const EventRow& row : rows) titles.push_back(row.title);
    return titles;
}

TEST(ShippedEventsTest, TheCopyGetsOnlyWhatItLacksAfterItsOwnBytes) {
    const DocumentLoad shipped = ParseCatalogueDocument(ToShiftJis(kShipped));
    ASSERT_EQ(shipped.status, DocumentReadStatus::Ok);
    // The user's own line is not in the form a save writes; "DATA" is the
    // shipped "Data" by the duplicate rule.
    const std::string own = "\"Event\",\"Detail\",\"Date\",\"Source\"\r\n"
                            " \"DATA\" , \"mine\",  41153.70 ,\r\n";
    struct Case {
        const char* name;
        std::string before;  // the user's file: own lines, then what follows them
        std::string kept;    // the bytes that must stay at its start
    } cases[] = {
        {"a last line without a line end", own.substr(0, own.size() - 2), own.substr(0, own.size() - 2)},
        {"blank lines at the end", own + "\r\n\n", own},
        {"UTF-8 with its mark", "\xEF\xBB\xBF"s + own, "\xEF\xBB\xBF"s + own},
        {"UTF-16", "\xFF\xFE"s + ConvertUtf8(own, "UTF-16LE"), "\xFF\xFE"s + ConvertUtf8(own, "UTF-16LE")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DocumentLoad user = ParseCatalogueDocument(c.before);
        ASSERT_EQ(user.status, DocumentReadStatus::Ok);
        ASSERT_TRUE(CanAppendEvents(user.document));
        const std::vector<EventRow> missing = MissingEvents(user.document, shipped.document);
        ASSERT_EQ(Titles(missing),
                  (std::vector<std::string>{"Emissary", "ファーストコンタクト"}));

        const auto appended = AppendEvents(c.before, missing);
        ASSERT_TRUE(std::holds_alternative<std::string>(appended));
        const std::string& after = std::get<std::string>(appended);
        EXPECT_EQ(after.substr(0, c.kept.size()), c.kept);
        const DocumentLoad reread = ParseCatalogueDocument(after);
        EXPECT_TRUE(reread.reading.content.problems.empty());
        EXPECT_EQ(Titles(reread.document.rows),
                  (std::vector<std::string>{"DATA", "Emissary", "ファーストコンタクト"}));
        EXPECT_EQ(reread.document.rows[0].detail, "mine");
        EXPECT_EQ(reread.document.rows[2].source, "");
        EXPECT_EQ(reread.document.rows[2].emptySource, EmptySource::Null);
    }
}

// Lines after a group left unfinished at the end would be read into it.
TEST(ShippedEventsTest, ACopyEndingInsideAGroupTakesNoLines) {
    const DocumentLoad user = ParseCatalogueDocument(ToShiftJis(kShipped + "\"途中\",\"x\""));
    EXPECT_FALSE(CanAppendEvents(user.document));
}

}  // namespace
}  // namespace quorvane
