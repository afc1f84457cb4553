#include "catalogue/ShippedEvents.h"

#include "catalogue/CatalogueReader.h"
#include "text/TextCodec.h"
#include "catalogue/TitleKey.h"
#include "text/Utf16Text.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace quorvane {

std::string CatalogueFingerprint(std::string_view bytes) {
    // FNV-1a: no security rests on it, it only tells versions apart.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<std::size_t>(i)] = kHex[hash & 0xF];
    return text;
}

std::vector<EventRow> MissingEvents(const CatalogueDocument& user, const CatalogueDocument& shipped) {
    std::unordered_set<std::string> titles;
    titles.reserve(user.rows.size());
    for (const EventRow& row : user.rows) titles.insert(FoldTitle(row.title));
    std::vector<EventRow> missing;
    for (const EventRow& row : shipped.rows)
        if (!titles.contains(FoldTitle(row.title))) missing.push_back(row);
    return missing;
}

bool CanAppendEvents(const CatalogueDocument& user) {
    return std::none_of(user.kept.begin(), user.kept.end(),
                        [](const KeptLines& kept) { return kept.unfinishedGroup; });
}

std::variant<std::string, EncodingFailure> AppendEvents(std::string_view fileBytes,
                                                         const std::vector<EventRow>& rows) {
    const TextEncoding encoding = CatalogueText(fileBytes).encoding();
    const bool utf16 = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
    const ByteOrder order = encoding == TextEncoding::Utf16Le ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
    const std::size_t unit = utf16 ? 2 : 1;
    // The ASCII character of the unit at `at`, or 0 for any other.
    const auto charAt = [&](std::size_t at) -> char {
        if (!utf16) return fileBytes[at];
        const char low = order == ByteOrder::LittleEndian ? fileBytes[at] : fileBytes[at + 1];
        const char high = order == ByteOrder::LittleEndian ? fileBytes[at + 1] : fileBytes[at];
        return high == 0 ? low : '\0';
    };
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };

    // After an odd last byte of UTF-16 no line could be read as written.
    if (fileBytes.size() % unit != 0) return EncodingFailure{0, -1, {}, true};
    const std::size_t end = fileBytes.size();
    const std::size_t start = utf16 ? 2 : 0;
    std::size_t contentEnd = end;
    while (contentEnd > start && (isBlank(charAt(contentEnd - unit)) || isBreak(charAt(contentEnd - unit))))
        contentEnd -= unit;
    // The last line keeps its blanks and its line end.
    std::size_t cut = contentEnd;
    while (cut < end && isBlank(charAt(cut))) cut += unit;
    bool lineEnded = false;
    if (cut < end && charAt(cut) == '\r') {
        cut += unit;
        lineEnded = true;
    }
    if (cut < end && charAt(cut) == '\n') {
        cut += unit;
        lineEnded = true;
    }

    // The rows as a save writes them, after the empty header line a document
    // without one starts with.
    CatalogueDocument added;
    added.encoding = added.keptEncoding = TextEncoding::Utf8NoMark;
    added.rows = rows;
    // Lines as read belong to the shipped file, in its encoding.
    for (EventRow& row : added.rows) row.asRead.clear();
    auto written = EncodeCatalogueDocument(added);
    if (auto* failure = std::get_if<EncodingFailure>(&written)) return *failure;
    std::string text = std::get<std::string>(std::move(written));
    if (lineEnded) text.erase(0, 2);

    std::string out(fileBytes.substr(0, cut));
    std::size_t bad = 0;
    const auto refused = [&text, &bad] {
        const auto lead = static_cast<unsigned char>(text[bad]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        return EncodingFailure{0, -1, text.substr(bad, length)};
    };
    if (utf16) {
        auto wide = Utf8ToUtf16(text, order, bad);
        if (!wide) return refused();
        out += *wide;
    } else if (encoding == TextEncoding::ShiftJis) {
        std::string encoded;
        if (!TextEncoder(encoding).encode(text, encoded, bad)) return refused();
        out += encoded;
    } else {
        out += text;
    }
    return out;
}

}  // namespace quorvane
