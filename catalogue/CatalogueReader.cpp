#include "catalogue/CatalogueReader.h"

#include "files/FileLocation.h"
#include "catalogue/ItemParser.h"
#include "catalogue/ItemScanner.h"
#include "text/TextCodec.h"
#include "catalogue/TitleKey.h"
#include "text/Utf16Text.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {

// ---------------------------------------------------------------- file bytes

FileBytes ReadCatalogueBytes(const std::string& path) {
    return ReadRegularFileBytes(path, kMaxCatalogueBytes);
}

// ---------------------------------------------------------------- records

namespace {

// The text form, moved out of the item where it already is text.
std::string TakeText(TaggedValue& value) {
    return value.is(TaggedValue::Kind::Text) ? value.takeText() : ToText(value);
}

// Why a date item cannot be a stardate.
CatalogueProblemKind DateProblemFor(ConversionError::Kind kind) {
    switch (kind) {
        case ConversionError::Kind::InvalidUseOfNull: return CatalogueProblemKind::NullValue;
        case ConversionError::Kind::Overflow: return CatalogueProblemKind::NumberOutOfRange;
        case ConversionError::Kind::TypeMismatch: break;
    }
    return CatalogueProblemKind::NotANumber;
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

        // Checked before the record takes them, so that reading a file
        // never rests on an exception: the WebAssembly build has none.
        for (std::size_t i : {0, 1})
            if (items[i].value.is(TaggedValue::Kind::Null))
                return refuse(items[i].line, CatalogueProblemKind::NullValue);
        if (!items[2].value.is(TaggedValue::Kind::Date))
            if (const auto failure = TryToNumber(items[2].value).failure)
                return refuse(items[2].line, DateProblemFor(*failure));

        clsStarData record;
        record.Title(TakeText(items[0].value));
        record.Detail(TakeText(items[1].value));
        record.SEDate(items[2].value);
        record.Source(std::move(items[3].value));
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

namespace {

// A run is the groups from a line start to the first group that ends at a
// line end. When a group of a run ends inside a later line than the run's
// first, a wrong count of items (three, or a trailing comma) may be shifting
// every item after it. Such a run is kept only if all of it reads; otherwise
// its first line is reported and left out, and reading starts again on its
// second line. A run that reads, however its groups lie over the lines,
// stands as read.
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
};

class CatalogueParser {
public:
    CatalogueParser(const CatalogueText& text, std::size_t maxRecords,
                    std::vector<CatalogueGroup>* groupsOut)
        : m_content(Start(text)),
          m_bytes(text.text()),
          m_decoder(m_content.encoding),
          m_scanner(m_bytes),
          m_groups(m_content, maxRecords, ExpectedRecords(m_bytes)),
          m_groupsOut(groupsOut) {
        m_group.reserve(4);
    }

    CatalogueContent parse() {
        RawItem raw;
        for (;;) {
            if (!m_scanner.next(raw, m_content.problems, m_content.unlistedProblems)) {
                if (m_group.empty()) break;
                if (m_run.shifted) {
                    resync();
                    continue;
                }
                endWithIncompleteGroup();
                break;
            }
            item(raw);
        }
        finish();
        return std::move(m_content);
    }

private:
    static CatalogueContent Start(const CatalogueText& text) {
        CatalogueContent content;
        content.encoding = text.encoding();
        return content;
    }

    // One record a line is the usual layout; reserving for it saves moving
    // every record as the list grows. A file of nothing but line breaks
    // must not reserve far more than its own size, though.
    static std::size_t ExpectedRecords(std::string_view bytes) {
        const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        return std::min(lines, bytes.size() / 32);
    }

    void item(const RawItem& raw) {
        if (!m_run.open) {
            m_run = Run{};
            m_run.open = true;
            m_run.firstLine = raw.line;
            m_run.mark = m_groups.mark();
            m_run.groupsMark = m_groupsOut ? m_groupsOut->size() : 0;
            m_run.header = !m_headerRead;
        }
        if (raw.endsLine && !m_run.firstLineEnded) {
            m_run.firstLineEnded = true;
            m_run.secondLine = m_scanner.place();
        }
        m_group.push_back(ParseItem(raw, m_decoder));
        // A quote left open, or closed too early, swallows the rest of its
        // line; the group ends there so that the next line starts afresh.
        const bool cutShort =
            (raw.unterminated || raw.textAfterQuote) && raw.endsLine && m_group.size() < 4;
        if (m_group.size() < 4 && !cutShort) return;
        const bool read = group(raw, cutShort);
        m_run.failed = m_run.failed || !read;
        if (!raw.endsLine && raw.line > m_run.firstLine) m_run.shifted = true;
        if (m_run.failed && m_run.shifted) {
            resync();
            return;
        }
        if (raw.endsLine) m_run.open = false;
    }

    // The group just completed (or cut short); false when it could not be read.
    bool group(const RawItem& raw, bool cutShort) {
        const std::size_t recordsBefore = m_content.records.size();
        const bool nullSource = m_group.size() == 4 && m_group[3].value.is(TaggedValue::Kind::Null);
        // Taken before the record takes the item's text.
        const EmptySource emptySource =
            m_group.size() < 4 || nullSource                   ? EmptySource::Null
            : m_group[3].value.is(TaggedValue::Kind::Empty) ? EmptySource::Missing
                                                              : EmptySource::Quoted;
        bool read = false;
        if (cutShort) {
            m_groups.report(m_group.back().line, *m_group.back().problem, m_headerRead);
        } else if (!m_headerRead) {
            read = m_groups.header(m_group);
        } else {
            read = m_groups.record(m_group);
        }
        if (m_groupsOut) {
            const bool added = m_content.records.size() > recordsBefore;
            m_groupsOut->push_back({m_group.front().line, m_group.back().line, raw.endsLine, true,
                                    nullSource, added ? recordsBefore : CatalogueGroup::kNoRecord,
                                    m_scanner.place().pos, emptySource});
        }
        m_headerRead = true;
        m_group.clear();
        return read;
    }

    void resync() {
        m_groups.rollback(m_run.mark);
        m_groups.report(m_run.firstLine, CatalogueProblemKind::IncompleteGroup, !m_run.header);
        if (m_groupsOut) {
            m_groupsOut->resize(m_run.groupsMark);
            m_groupsOut->push_back({m_run.firstLine, m_run.firstLine, true, true, false,
                                    CatalogueGroup::kNoRecord, m_run.secondLine.pos});
        }
        m_headerRead = true;
        m_group.clear();
        m_run.open = false;
        m_scanner.resume(m_run.secondLine);
    }

    void endWithIncompleteGroup() {
        m_groups.report(m_group.front().line, CatalogueProblemKind::IncompleteGroup, m_headerRead);
        if (m_groupsOut)
            m_groupsOut->push_back({m_group.front().line, m_group.back().line, true, false, false,
                                    CatalogueGroup::kNoRecord, m_scanner.place().pos});
        m_headerRead = true;
    }

    void finish() {
        if (!m_headerRead) {
            // Blank lines alone are still an empty file; say that first.
            if (m_content.problems.size() >= kMaxCatalogueProblems) {
                m_content.problems.pop_back();
                ++m_content.unlistedProblems;
            }
            m_content.problems.insert(m_content.problems.begin(),
                                      {1, CatalogueProblemKind::EmptyFile});
        } else if (m_content.records.empty() && m_content.skippedRecords == 0) {
            m_groups.report(m_scanner.line(), CatalogueProblemKind::NoRecords, false);
        }
    }

    CatalogueContent m_content;
    std::string_view m_bytes;
    TextDecoder m_decoder;
    ItemScanner m_scanner;
    GroupReader m_groups;
    std::vector<CatalogueGroup>* m_groupsOut;
    std::vector<ParsedItem> m_group;
    bool m_headerRead = false;
    Run m_run;
};

}  // namespace

CatalogueContent ParseCatalogue(const CatalogueText& text, std::size_t maxRecords,
                                std::vector<CatalogueGroup>* groupsOut) {
    return CatalogueParser(text, maxRecords, groupsOut).parse();
}

}  // namespace quorvane
