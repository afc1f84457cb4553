#include "catalogue/CatalogueReader.h"

#include "catalogue/FileLocation.h"
#include "catalogue/ItemParser.h"
#include "catalogue/ItemScanner.h"
#include "catalogue/TextCodec.h"
#include "catalogue/TitleKey.h"
#include "catalogue/Utf16Text.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace quorvane {

// ---------------------------------------------------------------- file bytes

FileBytes ReadCatalogueBytes(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path filePath = PathFromUtf8(path);
    FileBytes result;
    std::error_code ec;
    const fs::file_status status = fs::status(filePath, ec);
    if (status.type() == fs::file_type::not_found) {
        result.status = FileReadStatus::Missing;
        return result;
    }
    if (ec) {
        result.status = FileReadStatus::Unreadable;
        return result;
    }
    // A folder, a pipe or a device is no catalogue, and reading a pipe could wait forever.
    if (!fs::is_regular_file(status)) {
        result.status = FileReadStatus::NotAFile;
        return result;
    }
    const std::uintmax_t size = fs::file_size(filePath, ec);
    if (!ec && size > kMaxCatalogueBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }

    std::ifstream file(filePath, std::ios::in | std::ios::binary);
    if (!file.is_open()) {
        result.status = fs::exists(filePath, ec) ? FileReadStatus::Unreadable
                                                       : FileReadStatus::Missing;
        return result;
    }
    // The size may have changed since it was asked for, so read up to one byte
    // past the limit rather than trusting it.
    // One byte more than the size, for the read that finds the end: without
    // it that read would double the buffer and copy the whole file.
    if (!ec) result.bytes.reserve(static_cast<std::size_t>(size) + 1);
    constexpr std::size_t kChunk = 1u << 20;
    std::size_t used = 0;
    while (used <= kMaxCatalogueBytes) {
        const std::size_t room = result.bytes.capacity() - used;
        const std::size_t want =
            std::min({kChunk, kMaxCatalogueBytes + 1 - used, room > 0 ? room : kChunk});
        result.bytes.resize(used + want);
        file.read(result.bytes.data() + used, static_cast<std::streamsize>(want));
        used += static_cast<std::size_t>(file.gcount());
        if (!file) break;
    }
    result.bytes.resize(used);
    if (file.bad()) {
        result.bytes.clear();
        result.status = FileReadStatus::Unreadable;
    } else if (used > kMaxCatalogueBytes) {
        result.bytes.clear();
        result.bytes.shrink_to_fit();
        result.status = FileReadStatus::TooLarge;
    }
    return result;
}

// ---------------------------------------------------------------- records

namespace {

// The text form, moved out of the item where it already is text.
std::string TakeText(TaggedValue& value) {
    return value.is(TaggedValue::Kind::Text) ? value.takeText() : ToText(value);
}

CatalogueProblemKind ProblemFor(const ConversionError& e, bool dateColumn) {
    switch (e.kind()) {
        case ConversionError::Kind::InvalidUseOfNull: return CatalogueProblemKind::NullValue;
        case ConversionError::Kind::Overflow: return CatalogueProblemKind::NumberOutOfRange;
        case ConversionError::Kind::TypeMismatch: break;
    }
    return dateColumn ? CatalogueProblemKind::NotANumber : CatalogueProblemKind::ErrorValue;
}


class GroupReader {
public:
    GroupReader(CatalogueContent& content, std::size_t maxRecords, std::size_t expectedRecords)
        : m_content(content),
          m_maxRecords(std::min(maxRecords, TitleIndex::kMaxRecords)),
          m_titles(std::min(expectedRecords, m_maxRecords)) {
        m_content.records.reserve(std::min(expectedRecords, m_maxRecords));
    }

    void header(const std::vector<ParsedItem>& items) {
        // The date heading is never shown, so nothing wrong with it costs
        // the others.
        constexpr std::size_t kUnusedHeading = 2;
        const auto unusable = [](const ParsedItem& item) {
            return item.problem || item.value.is(TaggedValue::Kind::Error);
        };
        for (std::size_t i = 0; i < 4; ++i) {
            const ParsedItem& item = items[i];
            if (i == kUnusedHeading || !unusable(item)) continue;
            return report(item.line, item.problem.value_or(CatalogueProblemKind::ErrorValue), false);
        }
        std::array<std::string, 4> headings;
        for (std::size_t i = 0; i < 4; ++i) {
            // A null heading reads as empty text.
            if (!unusable(items[i]) && !items[i].value.is(TaggedValue::Kind::Null))
                headings[i] = ToText(items[i].value);
        }
        m_content.headings = std::move(headings);
    }

    void record(std::vector<ParsedItem>& items) {
        if (m_content.records.size() >= m_maxRecords) {
            if (!m_full) report(items[0].line, CatalogueProblemKind::TooManyRecords, false);
            m_full = true;
            ++m_content.skippedRecords;
            return;
        }
        for (const ParsedItem& item : items)
            if (item.problem) return report(item.line, *item.problem, true);
        // Error values are refused everywhere, also where the record would
        // quietly turn them into text.
        for (const ParsedItem& item : items)
            if (item.value.is(TaggedValue::Kind::Error))
                return report(item.line, CatalogueProblemKind::ErrorValue, true);

        clsStarData record;
        std::size_t step = 0;
        try {
            record.Title(TakeText(items[0].value));
            step = 1;
            record.Detail(TakeText(items[1].value));
            step = 2;
            record.SEDate(items[2].value);
            step = 3;
            record.Source(std::move(items[3].value));
        } catch (const ConversionError& e) {
            return report(items[step].line, ProblemFor(e, step == 2), true);
        }
        if (!m_titles.insert(record.Title(), m_content.records.size(), m_content.records))
            return report(items[0].line, CatalogueProblemKind::DuplicateTitle, true);
        m_content.records.push_back(std::move(record));
    }

    void report(std::size_t line, CatalogueProblemKind kind, bool skipsRecord) {
        AddProblem(m_content.problems, m_content.unlistedProblems, {line, kind});
        if (skipsRecord) ++m_content.skippedRecords;
    }

private:
    CatalogueContent& m_content;
    std::size_t m_maxRecords;
    TitleIndex m_titles;
    bool m_full = false;
};

}  // namespace

// ---------------------------------------------------------------- text

CatalogueText::CatalogueText(std::string_view bytes) : m_bytes(bytes) {
    static constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    static constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
    static constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
    // Neither 0xFF nor 0xFE starts a Shift-JIS character, so a UTF-16 mark
    // is never the start of a Shift-JIS file.
    if (bytes.starts_with(kUtf8Mark)) {
        m_encoding = TextEncoding::Utf8;
        m_bytes.remove_prefix(kUtf8Mark.size());
    } else if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
        const bool little = bytes.starts_with(kUtf16LeMark);
        m_encoding = little ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
        m_utf8 = Utf16ToUtf8(bytes.substr(2), little ? ByteOrder::LittleEndian : ByteOrder::BigEndian);
        m_converted = true;
    } else if (std::any_of(bytes.begin(), bytes.end(),
                           [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) &&
               IsWellFormedUtf8(bytes)) {
        // Japanese Shift-JIS text is practically never valid UTF-8 beyond a
        // few characters, while a UTF-8 file is valid throughout.
        m_encoding = TextEncoding::Utf8NoMark;
    }
}

// ---------------------------------------------------------------- parse

CatalogueContent ParseCatalogue(std::string_view bytes, std::size_t maxRecords,
                                std::vector<CatalogueGroup>* groupsOut) {
    const CatalogueText text(bytes);
    return ParseCatalogue(text, maxRecords, groupsOut);
}

CatalogueContent ParseCatalogue(const CatalogueText& text, std::size_t maxRecords,
                                std::vector<CatalogueGroup>* groupsOut) {
    CatalogueContent content;
    content.encoding = text.encoding();
    content.utf8 = IsUtf8Text(content.encoding);
    const std::string_view bytes = text.text();
    TextDecoder decoder(content.encoding);
    ItemScanner scanner(bytes);
    // One record a line is the usual layout; reserving for it saves moving
    // every record as the list grows. A file of nothing but line breaks
    // must not reserve far more than its own size, though.
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    GroupReader groups(content, maxRecords, std::min(lines, bytes.size() / 32));

    std::vector<ParsedItem> group;
    group.reserve(4);
    bool headerRead = false;
    RawItem raw;
    while (scanner.next(raw, content.problems, content.unlistedProblems)) {
        group.push_back(ParseItem(raw, decoder));
        // A quote left open, or closed too early, swallows the rest of its
        // line; the group ends there so that the next line starts afresh.
        const bool cutShort = (raw.unterminated || raw.textAfterQuote) && raw.endsLine &&
                              group.size() < 4;
        if (group.size() < 4 && !cutShort) continue;
        const std::size_t recordsBefore = content.records.size();
        const bool nullSource = group.size() == 4 && group[3].value.is(TaggedValue::Kind::Null);
        if (cutShort) {
            groups.report(group.back().line, *group.back().problem, headerRead);
        } else if (!headerRead) {
            groups.header(group);
        } else {
            groups.record(group);
        }
        if (groupsOut) {
            const bool added = content.records.size() > recordsBefore;
            groupsOut->push_back({group.front().line, group.back().line, raw.endsLine, true,
                                  nullSource, added ? recordsBefore : CatalogueGroup::kNoRecord});
        }
        headerRead = true;
        group.clear();
    }
    if (!group.empty()) {
        groups.report(group.front().line, CatalogueProblemKind::IncompleteGroup, headerRead);
        if (groupsOut)
            groupsOut->push_back({group.front().line, group.back().line, true, false, false,
                                  CatalogueGroup::kNoRecord});
        headerRead = true;
    }
    if (!headerRead) {
        // Blank lines alone are still an empty file; say that first.
        if (content.problems.size() >= kMaxCatalogueProblems) {
            content.problems.pop_back();
            ++content.unlistedProblems;
        }
        content.problems.insert(content.problems.begin(), {1, CatalogueProblemKind::EmptyFile});
    } else if (content.records.empty() && content.skippedRecords == 0) {
        groups.report(scanner.line(), CatalogueProblemKind::NoRecords, false);
    }
    return content;
}

// ---------------------------------------------------------------- load

CatalogueLoad LoadCatalogue(const std::string& path) {
    CatalogueLoad load;
    FileBytes file = ReadCatalogueBytes(path);
    load.status = file.status;
    if (file.status == FileReadStatus::Ok) load.content = ParseCatalogue(file.bytes);
    return load;
}

}  // namespace quorvane
