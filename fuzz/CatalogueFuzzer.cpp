// Any bytes read as a catalogue give records and a list of problems: never a
// crash, a hang or memory out of proportion (libFuzzer's -timeout and
// -rss_limit_mb turn those into failures). The records that come out are
// the ones the window can show: decoded text, a real date or a number, and
// titles unique letter case aside.

#include "FuzzInput.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/CatalogueReader.h"

#include <cmath>
#include <set>
#include <string>

using namespace quorvane;
using fuzz::Quoted;

namespace {

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3
                                   : (b & 0xF8) == 0xF0    ? 4
                                                           : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CatalogueContent content = ParseCatalogue(bytes);
    const std::string context = Quoted(bytes);

    if (content.problems.empty()) {
        FUZZ_CHECK(content.headings.has_value() && !content.records.empty(), context);
        FUZZ_CHECK(content.skippedRecords == 0, context);
    }
    if (content.skippedRecords > 0) FUZZ_CHECK(!content.problems.empty(), context);
    FUZZ_CHECK(content.problems.size() <= kMaxCatalogueProblems, context);
    // Every group stands for some bytes of the file: two at least, a quote
    // left open and its line break, but for the last.
    FUZZ_CHECK(content.records.size() + content.skippedRecords <= size / 2 + 1, context);

    if (content.headings)
        for (const std::string& heading : *content.headings)
            FUZZ_CHECK(IsValidUtf8(heading), context);

    std::set<std::string> keys;
    for (const clsStarData& record : content.records) {
        FUZZ_CHECK(IsValidUtf8(record.Title()) && IsValidUtf8(record.Detail()), context);
        FUZZ_CHECK(record.Title().find('\0') == std::string::npos, context);
        FUZZ_CHECK(keys.insert(FoldTitle(record.Title())).second,
                   context + " repeats " + Quoted(record.Title()));
        const TaggedValue date = record.SEDate();
        if (record.IsStarDate()) {
            FUZZ_CHECK(date.is(TaggedValue::Kind::Number) && std::isfinite(date.number()), context);
        } else {
            FUZZ_CHECK(date.is(TaggedValue::Kind::Date) && IsValidDateValue(date.date()), context);
        }
        const TaggedValue source = record.Source();
        FUZZ_CHECK(source.is(TaggedValue::Kind::Text) && IsValidUtf8(source.text()), context);
    }

    // The list order is a permutation, sorted by the folded title.
    const std::vector<std::size_t> order = TitleOrder(content.records);
    FUZZ_CHECK(order.size() == content.records.size(), context);
    std::vector<bool> seen(order.size(), false);
    for (std::size_t i = 0; i < order.size(); ++i) {
        FUZZ_CHECK(order[i] < order.size() && !seen[order[i]], context);
        seen[order[i]] = true;
        if (i > 0)
            FUZZ_CHECK(FoldTitle(content.records[order[i - 1]].Title()) <=
                           FoldTitle(content.records[order[i]].Title()),
                       context);
    }

    // One message, exactly when something was wrong.
    CatalogueLoad load;
    load.content = content;
    const std::string message = CatalogueMessage("StarTrek.vqd", load);
    FUZZ_CHECK(message.empty() == content.problems.empty(), context);

    // The list, the editor and quorvane-cli are given the document's rows:
    // some of the records where something was wrong, all of them otherwise,
    // and the same word about the file.
    const DocumentLoad document = ParseCatalogueDocument(bytes);
    const std::vector<EventRow>& rows = document.document.rows;
    FUZZ_CHECK(rows.size() <= content.records.size(), context);
    if (content.problems.empty()) FUZZ_CHECK(rows.size() == content.records.size(), context);
    FUZZ_CHECK(CatalogueMessage("StarTrek.vqd", document.reading).empty() == message.empty(), context);
    FUZZ_CHECK(IsValidUtf8(message), context);
    return 0;
}
