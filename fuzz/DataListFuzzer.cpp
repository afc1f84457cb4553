// Any bytes as the catalogue, read as the event list and the editor read it
// and written back as the editor saves it: an untouched document saves
// unless a cell holds what the format cannot write, the saved file reads back as the same rows, headings, encoding and
// kept lines, and saving that again gives the same bytes. Each input is the
// whole catalogue file.

#include "FuzzInput.h"
#include "catalogue/CatalogueDocument.h"

#include <string>
#include <variant>

using namespace quorvane;
using fuzz::Quoted;

namespace {

std::string KeptBytes(const CatalogueDocument& document) {
    std::string bytes;
    for (const KeptLines& kept : document.kept) bytes += kept.bytes;
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string context = Quoted(bytes);
    const DocumentLoad load = ParseCatalogueDocument(bytes);
    if (load.status != DocumentReadStatus::Ok) return 0;
    const CatalogueDocument& read = load.document;
    FUZZ_CHECK(load.reading.content.records.empty(), context);

    const auto saved = EncodeCatalogueDocument(read);
    const std::string* written = std::get_if<std::string>(&saved);
    if (!written) {
        const EncodingFailure& failure = std::get<EncodingFailure>(saved);
        // A cell the reader takes but the format cannot write back (a quote
        // inside an unquoted item): the save names it for the user to mend.
        if (failure.formatCannotHold) return 0;
        fuzz::Fail("an untouched document saves",
                   context + " row " + std::to_string(failure.row) + " column " +
                       std::to_string(failure.column) + " " + Quoted(failure.character));
    }
    const std::string both = context + "\n  written " + Quoted(*written);

    const DocumentLoad again = ParseCatalogueDocument(*written);
    FUZZ_CHECK(again.status == DocumentReadStatus::Ok, both);
    FUZZ_CHECK(again.document.rows == read.rows, both);
    FUZZ_CHECK(again.document.headings == read.headings, both);
    FUZZ_CHECK(again.document.encoding == read.encoding, both);
    FUZZ_CHECK(KeptBytes(again.document) == KeptBytes(read), both);

    const auto resaved = EncodeCatalogueDocument(again.document);
    const std::string* rewritten = std::get_if<std::string>(&resaved);
    FUZZ_CHECK(rewritten && *rewritten == *written, both);
    return 0;
}
