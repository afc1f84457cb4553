#include "catalogue/CatalogueReader.h"

#include "files/FileLocation.h"
#include "catalogue/ItemParser.h"
#include "catalogue/ItemScanner.h"
#include "files/RegularFile.h"
#include "text/TextCodec.h"
#include "catalogue/TitleKey.h"
#include "text/Utf16Text.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {

// ---------------------------------------------------------------- file bytes

FileBytes ReadCatalogueBytes(const std::string& path) {
    FileBytes result;
    // Opened before anything else: whatever the name holds by then is what
    // is judged and read, and a pipe or device is refused unopened to reading.
    RegularFile file(PathFromUtf8(path));
    result.systemError = file.error();
    switch (file.state()) {
        case RegularFileState::Open: break;
        case RegularFileState::Missing: result.status = FileReadStatus::Missing; return result;
        case RegularFileState::NotAFile: result.status = FileReadStatus::NotAFile; return result;
        case RegularFileState::Unreadable: result.status = FileReadStatus::Unreadable; return result;
    }
    const std::uintmax_t size = file.size();
    if (size > kMaxCatalogueBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    // The size may have changed since it was asked for, so read up to one byte
    // past the limit rather than trusting it.
    // One byte more than the size, for the read that finds the end: without
    // it that read would double the buffer and copy the whole file.
    result.bytes.reserve(static_cast<std::size_t>(size) + 1);
    constexpr std::size_t kChunk = 1u << 20;
    std::size_t used = 0;
    bool failed = false;
    while (used <= kMaxCatalogueBytes) {
        const std::size_t room = result.bytes.capacity() - used;
        const std::size_t want =
            std::min({kChunk, kMaxCatalogueBytes + 1 - used, room > 0 ? room : kChunk});
        result.bytes.resize(used + want);
        const std::ptrdiff_t got = file.read(result.bytes.data() + used, want);
        if (got < 0) failed = true;
        if (got <= 0) break;
        used += static_cast<std::size_t>(got);
    }
    result.bytes.resize(used);
    if (failed) {
        result.bytes.clear();
        result.status = FileReadStatus::Unreadable;
        result.systemError = file.error();
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

    // False when the headings cannot be read.
    bool header(const std::vector<ParsedItem>& items) {
        // The date heading is never shown, so nothing wrong with it costs
        // the others.
        constexpr std::size_t kUnusedHeading = 2;
        const auto unusable = [](const ParsedItem& item) {
            return item.problem || item.value.is(TaggedValue::Kind::Error);
        };
        for (std::size_t i = 0; i < 4; ++i) {
            const ParsedItem& item = items[i];
            if (i == kUnusedHeading || !unusable(item)) continue;
            report(item.line, item.problem.value_or(CatalogueProblemKind::ErrorValue), false);
            return false;
        }
        std::array<std::string, 4> headings;
        for (std::size_t i = 0; i < 4; ++i) {
            // A null heading reads as empty text.
            if (!unusable(items[i]) && !items[i].value.is(TaggedValue::Kind::Null))
                headings[i] = ToText(items[i].value);
        }
        m_content.headings = std::move(headings);
        return true;
    }

    // False when the group cannot be a record; records beyond the limit
    // are skipped, but nothing is wrong with them.
    bool record(std::vector<ParsedItem>& items) {
        if (m_content.records.size() >= m_maxRecords) {
            if (!m_full) report(items[0].line, CatalogueProblemKind::TooManyRecords, false);
            m_full = true;
            ++m_content.skippedRecords;
            return true;
        }
        const auto refuse = [&](std::size_t line, CatalogueProblemKind kind) {
            report(line, kind, true);
            return false;
        };
        for (const ParsedItem& item : items)
            if (item.problem) return refuse(item.line, *item.problem);
        // Error values are refused everywhere, also where the record would
        // quietly turn them into text.
        for (const ParsedItem& item : items)
            if (item.value.is(TaggedValue::Kind::Error))
                return refuse(item.line, CatalogueProblemKind::ErrorValue);

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
            return refuse(items[step].line, ProblemFor(e, step == 2));
        }
        if (!m_titles.insert(record.Title(), m_content.records.size(), m_content.records))
            return refuse(items[0].line, CatalogueProblemKind::DuplicateTitle);
        m_content.records.push_back(std::move(record));
        return true;
    }

    void report(std::size_t line, CatalogueProblemKind kind, bool skipsRecord) {
        AddProblem(m_content.problems, m_content.unlistedProblems, {line, kind});
        if (skipsRecord) ++m_content.skippedRecords;
    }

    // What has been read up to a point, to be taken back to it.
    struct Mark {
        std::size_t records = 0;
        std::size_t problems = 0;
        std::size_t unlisted = 0;
        std::size_t skipped = 0;
        bool full = false;
        bool headings = false;
    };

    Mark mark() const {
        return {m_content.records.size(), m_content.problems.size(), m_content.unlistedProblems,
                m_content.skippedRecords, m_full, m_content.headings.has_value()};
    }

    void rollback(const Mark& mark) {
        std::vector<clsStarData>& records = m_content.records;
        // Newest first: the title index then unwinds as it was filled.
        while (records.size() > mark.records) {
            m_titles.erase(records.back().Title(), records.size() - 1);
            records.pop_back();
        }
        m_content.problems.resize(mark.problems);
        m_content.unlistedProblems = mark.unlisted;
        m_content.skippedRecords = mark.skipped;
        m_full = mark.full;
        if (!mark.headings) m_content.headings.reset();
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

    // A run is the groups from a line start to the first group that ends at
    // a line end. When a group of a run ends inside a later line than the
    // run's first, a wrong count of items (three, or a trailing comma) may
    // be shifting every item after it. Such a run is kept only if all of it
    // reads; otherwise its first line is reported and left out, and reading
    // starts again on its second line. A run that reads, however its groups
    // lie over the lines, stands as read.
    struct Run {
        bool open = false;
        std::size_t firstLine = 1;
        bool firstLineEnded = false;
        ItemScanner::Place secondLine;
        GroupReader::Mark mark;
        std::size_t groupsMark = 0;
        bool header = false;   // it starts with the header group
        bool shifted = false;  // a group ended inside a later line
        bool failed = false;   // a group could not be read
    } run;
    const auto resync = [&] {
        groups.rollback(run.mark);
        groups.report(run.firstLine, CatalogueProblemKind::IncompleteGroup, !run.header);
        if (groupsOut) {
            groupsOut->resize(run.groupsMark);
            groupsOut->push_back({run.firstLine, run.firstLine, true, true, false,
                                  CatalogueGroup::kNoRecord, run.secondLine.pos});
        }
        headerRead = true;
        group.clear();
        run.open = false;
        scanner.resume(run.secondLine);
    };

    RawItem raw;
    for (;;) {
        if (!scanner.next(raw, content.problems, content.unlistedProblems)) {
            if (group.empty()) break;
            if (run.shifted) {
                resync();
                continue;
            }
            groups.report(group.front().line, CatalogueProblemKind::IncompleteGroup, headerRead);
            if (groupsOut)
                groupsOut->push_back({group.front().line, group.back().line, true, false, false,
                                      CatalogueGroup::kNoRecord, scanner.place().pos});
            headerRead = true;
            break;
        }
        if (!run.open) {
            run = Run{};
            run.open = true;
            run.firstLine = raw.line;
            run.mark = groups.mark();
            run.groupsMark = groupsOut ? groupsOut->size() : 0;
            run.header = !headerRead;
        }
        if (raw.endsLine && !run.firstLineEnded) {
            run.firstLineEnded = true;
            run.secondLine = scanner.place();
        }
        group.push_back(ParseItem(raw, decoder));
        // A quote left open, or closed too early, swallows the rest of its
        // line; the group ends there so that the next line starts afresh.
        const bool cutShort = (raw.unterminated || raw.textAfterQuote) && raw.endsLine &&
                              group.size() < 4;
        if (group.size() < 4 && !cutShort) continue;
        const std::size_t recordsBefore = content.records.size();
        const bool nullSource = group.size() == 4 && group[3].value.is(TaggedValue::Kind::Null);
        // Taken before the record takes the item's text.
        const EmptySource emptySource =
            group.size() < 4 || nullSource                   ? EmptySource::Null
            : group[3].value.is(TaggedValue::Kind::Empty) ? EmptySource::Missing
                                                            : EmptySource::Quoted;
        bool read = false;
        if (cutShort) {
            groups.report(group.back().line, *group.back().problem, headerRead);
        } else if (!headerRead) {
            read = groups.header(group);
        } else {
            read = groups.record(group);
        }
        if (groupsOut) {
            const bool added = content.records.size() > recordsBefore;
            groupsOut->push_back({group.front().line, group.back().line, raw.endsLine, true,
                                  nullSource, added ? recordsBefore : CatalogueGroup::kNoRecord,
                                  scanner.place().pos, emptySource});
        }
        headerRead = true;
        group.clear();
        run.failed = run.failed || !read;
        if (!raw.endsLine && raw.line > run.firstLine) run.shifted = true;
        if (run.failed && run.shifted) {
            resync();
            continue;
        }
        if (raw.endsLine) run.open = false;
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

}  // namespace quorvane
