#include "catalogue/CatalogueDocument.h"

#include "catalogue/CatalogueMessages.h"
#include "catalogue/CatalogueReader.h"
#include "files/FileLocation.h"
#include "files/UserFolder.h"
#include "catalogue/TitleKey.h"
#include "text/Utf16Text.h"
#include "conversion/CivilCalendar.h"
#include "conversion/NumberScanner.h"
#include "ProgramInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>

namespace quorvane {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Where each line starts, split as the item scanner splits them: CR LF, a
// lone CR and a lone LF each end one line.
std::vector<std::size_t> LineStarts(std::string_view bytes) {
    std::vector<std::size_t> starts{0};
    starts.reserve(bytes.size() / 64 + 2);
    // memchr for each of the two breaks: a byte-by-byte loop took as long
    // as reading the records themselves.
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    const auto next = [data, size](char c, std::size_t from) {
        const void* found = from < size ? std::memchr(data + from, c, size - from) : nullptr;
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
    };
    std::size_t cr = next('\r', 0);
    std::size_t lf = next('\n', 0);
    for (;;) {
        std::size_t end = std::min(cr, lf);
        if (end == size) break;
        // CR LF ends one line; `size` is no LF, even right after a last CR.
        if (end == cr && lf == cr + 1 && lf < size) end = lf;
        starts.push_back(end + 1);
        if (cr <= end) cr = next('\r', end + 1);
        if (lf <= end) lf = next('\n', end + 1);
    }
    // A file ending in a line break has no line after it.
    if (starts.size() > 1 && starts.back() == bytes.size()) starts.pop_back();
    return starts;
}

class LineMap {
public:
    explicit LineMap(std::string_view bytes) : m_bytes(bytes), m_starts(LineStarts(bytes)) {}
    std::size_t count() const { return m_bytes.empty() ? 0 : m_starts.size(); }
    // The line (1-based) that holds the byte at `offset`.
    std::size_t lineOf(std::size_t offset) const {
        return static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), offset) -
                                        m_starts.begin());
    }
    // Lines first..last (1-based), with their line ends.
    std::string_view lines(std::size_t first, std::size_t last) const {
        const std::size_t begin = m_starts[first - 1];
        const std::size_t end = last < m_starts.size() ? m_starts[last] : m_bytes.size();
        return m_bytes.substr(begin, end - begin);
    }

private:
    std::string_view m_bytes;
    std::vector<std::size_t> m_starts;
};

std::string_view WithoutLineEnd(std::string_view s) {
    while (!s.empty() && IsLineBreak(s.back())) s.remove_suffix(1);
    return s;
}

EventRow RowOf(clsStarData& record, const CatalogueGroup& group) {
    EventRow row;
    const TaggedValue date = record.SEDate();
    if (date.is(TaggedValue::Kind::Number))
        row.date = date.number();
    else
        row.date = date.date();
    record.TakeTexts(row.title, row.detail, row.source);
    // The record turns #NULL# into "Nothing"; the editor shows it as empty.
    if (group.nullSource) row.source.clear();
    if (row.source.empty()) row.emptySource = group.emptySource;
    return row;
}

DocumentReadStatus StatusOf(FileReadStatus status) {
    switch (status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::Missing: return DocumentReadStatus::Missing;
        case FileReadStatus::NotAFile: return DocumentReadStatus::NotAFile;
        case FileReadStatus::Unreadable: return DocumentReadStatus::Unreadable;
        case FileReadStatus::TooLarge: return DocumentReadStatus::TooLarge;
    }
    return DocumentReadStatus::Ok;
}

std::size_t Utf8Length(unsigned char lead) {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

std::string CharacterAt(std::string_view text, std::size_t offset) {
    if (offset >= text.size()) return {};
    return std::string(text.substr(offset, Utf8Length(static_cast<unsigned char>(text[offset]))));
}


void AppendDate(std::string& out, const EventDate& date, bool hashes) {
    if (const double* stardate = std::get_if<double>(&date)) {
        out += ShortestDecimal(*stardate);
        return;
    }
    const DateValue& d = std::get<DateValue>(date);
    char buf[40];
    int n = std::snprintf(buf, sizeof buf, "%s%04d-%02d-%02d", hashes ? "#" : "",
                          static_cast<int>(d.year), d.month, d.day);
    // A time of day is rare, but dropping it would change the event.
    if (hashes && (d.hour || d.minute || d.second))
        n += std::snprintf(buf + n, sizeof buf - std::size_t(n), " %02d:%02d:%02d", d.hour,
                           d.minute, d.second);
    out.append(buf, static_cast<std::size_t>(n));
    if (hashes) out += '#';
}

// The row's line in UTF-8.
void AppendRow(std::string& out, const EventRow& row) {
    out += '"';
    out += row.title;
    out += "\",\"";
    out += row.detail;
    out += "\",";
    AppendDate(out, row.date, true);
    out += ',';
    if (row.source.empty()) {
        switch (row.emptySource) {
            case EmptySource::Null: out += "#NULL#"; break;
            case EmptySource::Quoted: out += "\"\""; break;
            case EmptySource::Missing: break;
        }
    } else {
        out += '"';
        out += row.source;
        out += '"';
    }
    out += kLineEnd;
}

std::optional<EncodingFailure> CheckRow(const EventRow& row, std::size_t index) {
    if (!row.asRead.empty()) return std::nullopt;
    const std::string* texts[] = {&row.title, &row.detail, nullptr, &row.source};
    for (int column = 0; column < 4; ++column) {
        if (!texts[column]) continue;
        if (const std::size_t bad = FirstUnwritableByte(*texts[column]); bad != std::string::npos)
            return EncodingFailure{index, column, texts[column]->substr(bad, 1), true};
    }
    if (const double* stardate = std::get_if<double>(&row.date); stardate && !std::isfinite(*stardate))
        return EncodingFailure{index, 2, ShortestDecimal(*stardate), true};
    return std::nullopt;
}

// Which item of rows[first..last) holds the character the encoder refused.
EncodingFailure LocateFailure(const std::vector<EventRow>& rows, std::size_t first,
                              std::size_t last, TextEncoder& encoder) {
    std::string scratch;
    std::size_t bad = 0;
    for (std::size_t r = first; r < last; ++r) {
        const std::string* texts[] = {&rows[r].title, &rows[r].detail, &rows[r].source};
        const int columns[] = {0, 1, 3};
        for (int i = 0; i < 3; ++i)
            if (!encoder.encode(*texts[i], scratch, bad))
                return EncodingFailure{r, columns[i], CharacterAt(*texts[i], bad)};
    }
    return EncodingFailure{first, 0, {}};  // not expected: the whole failed, no part did
}

// Bytes read in one encoding, for a file written in another.
std::optional<std::string> Transcode(std::string_view bytes, TextEncoding from,
                                     TextEncoder& encoder, std::size_t& badOffset,
                                     std::string& utf8) {
    TextDecoder decoder(from);
    if (!decoder.decode(bytes, utf8)) return std::string(bytes);  // unreadable either way
    std::string out;
    if (!encoder.encode(utf8, out, badOffset)) return std::nullopt;
    return out;
}

bool IsDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int ToInt(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

// ---------------------------------------------------------------- read

namespace {

bool Writable(const EventRow& row) {
    return FirstUnwritableByte(row.title) == std::string::npos &&
           FirstUnwritableByte(row.detail) == std::string::npos &&
           FirstUnwritableByte(row.source) == std::string::npos;
}

}  // namespace

DocumentLoad ParseCatalogueDocument(std::string_view bytes, std::vector<std::size_t>* rowLines) {
    DocumentLoad load;
    CatalogueDocument& doc = load.document;
    std::vector<CatalogueGroup> groups;
    const CatalogueText text(bytes);
    CatalogueContent content = ParseCatalogue(text, kMaxCatalogueRecords, &groups);
    bytes = text.text();
    doc.encoding = doc.keptEncoding = text.encoding();
    if (content.headings) doc.headings = *content.headings;
    else load.status = DocumentReadStatus::NoHeader;

    const LineMap lines(bytes);
    std::size_t nextLine = 1;  // the first line not yet placed
    const auto keep = [&](std::size_t first, std::size_t last, bool unfinished) {
        if (first > last) return;
        const std::string_view text = lines.lines(first, last);
        load.unreadableLines += last - first + 1;
        if (!doc.kept.empty()) {
            KeptLines& back = doc.kept.back();
            if (back.beforeRow == doc.rows.size() && back.firstLine + back.lineCount == first) {
                back.bytes += text;
                back.lineCount += last - first + 1;
                back.unfinishedGroup = unfinished;
                return;
            }
        }
        doc.kept.push_back({doc.rows.size(), std::string(text), first, last - first + 1, unfinished});
    };

    // Groups that share a line are written back together or not at all:
    // a run of them from a line start to a line end is the unit.
    const auto allRecords = [&groups](std::size_t first, std::size_t last) {
        return std::all_of(groups.begin() + std::ptrdiff_t(first),
                           groups.begin() + std::ptrdiff_t(last + 1), [](const CatalogueGroup& g) {
                               return g.record != CatalogueGroup::kNoRecord;
                           });
    };
    doc.rows.reserve(content.records.size());
    const auto addRow = [&](const CatalogueGroup& group) {
        doc.rows.push_back(RowOf(content.records[group.record], group));
        if (rowLines) rowLines->push_back(group.firstLine);
    };
    std::size_t i = 0;
    if (!groups.empty()) {
        // The header, blank lines before it included, as it was.
        std::size_t j = 0;
        while (!groups[j].endsLine && j + 1 < groups.size()) ++j;
        if (j > 0 && allRecords(1, j)) {
            // Records on the header's last line are events like any other:
            // the header keeps its own items as written, and a save puts the
            // records on lines of their own.
            std::string_view header = bytes.substr(0, groups[0].end);
            if (header.ends_with(',')) header.remove_suffix(1);
            doc.headerBytes = header;
            for (std::size_t g = 1; g <= j; ++g)
                addRow(groups[g]);
        } else {
            doc.headerBytes = WithoutLineEnd(lines.lines(1, groups[j].lastLine));
        }
        nextLine = groups[j].lastLine + 1;
        i = j + 1;
    }
    while (i < groups.size()) {
        std::size_t j = i;
        while (!groups[j].endsLine && j + 1 < groups.size()) ++j;
        const std::size_t first = groups[i].firstLine;
        const std::size_t last = groups[j].lastLine;
        keep(nextLine, first - 1, false);  // blank lines
        if (allRecords(i, j)) {
            for (std::size_t g = i; g <= j; ++g)
                addRow(groups[g]);
            // A row alone on its lines that no save could write as read
            // keeps those lines; rows sharing a line cannot be told apart.
            if (i == j && !Writable(doc.rows.back())) {
                std::string asRead(lines.lines(first, last));
                // The last line of a file may lack its end, which a save
                // adds: held with it, the row reads back as it was kept.
                if (!asRead.empty() && !IsLineBreak(asRead.back())) asRead += kLineEnd;
                doc.rows.back().asRead = std::move(asRead);
            }
        } else {
            keep(first, last, !groups[j].complete);
        }
        nextLine = last + 1;
        i = j + 1;
    }
    // Blank lines at the very end are no part of the file's content.
    std::size_t contentEnd = bytes.size();
    while (contentEnd > 0 && (IsLineBreak(bytes[contentEnd - 1]) || bytes[contentEnd - 1] == ' ' ||
                              bytes[contentEnd - 1] == '\t'))
        --contentEnd;
    keep(nextLine, contentEnd == 0 ? 0 : lines.lineOf(contentEnd - 1), false);
    content.skippedRecords += content.records.size() - doc.rows.size();
    content.records.clear();
    content.records.shrink_to_fit();
    load.reading.content = std::move(content);
    return load;
}

DocumentLoad ReadCatalogueDocument(const std::string& path) {
    FileBytes file = ReadCatalogueBytes(path);
    if (file.status != FileReadStatus::Ok) {
        DocumentLoad load;
        load.status = StatusOf(file.status);
        load.reading.status = file.status;
        return load;
    }
    return ParseCatalogueDocument(file.bytes);
}

clsStarData RecordOf(EventRow&& row) {
    clsStarData record;
    record.Title(std::move(row.title));
    record.Detail(std::move(row.detail));
    if (const double* stardate = std::get_if<double>(&row.date))
        record.SEDate(TaggedValue::Number(*stardate));
    else
        record.SEDate(TaggedValue::Date(std::get<DateValue>(row.date)));
    const bool null = row.source.empty() && row.emptySource == EmptySource::Null;
    record.Source(null ? TaggedValue::Null() : TaggedValue::Text(std::move(row.source)));
    return record;
}

// ---------------------------------------------------------------- write

namespace {

// Lines kept as read, in the file's encoding or through `encoder` into the
// one saved; always ended, as a row's line is.
bool AppendAsRead(std::string& out, std::string_view lines, TextEncoder* encoder, TextEncoding readIn) {
    if (encoder) {
        std::size_t bad = 0;
        std::string utf8;
        auto bytes = Transcode(lines, readIn, *encoder, bad, utf8);
        if (!bytes) return false;
        out += *bytes;
    } else {
        out += lines;
    }
    if (!lines.empty() && !IsLineBreak(lines.back())) out += kLineEnd;
    return true;
}

}  // namespace

std::variant<std::string, EncodingFailure> EncodeCatalogueDocument(const CatalogueDocument& document) {
    const std::vector<EventRow>& rows = document.rows;
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (auto failure = CheckRow(rows[r], r)) return *failure;

    TextEncoder encoder(document.encoding);
    const bool transcode = IsUtf8Text(document.encoding) != IsUtf8Text(document.keptEncoding);
    std::string utf8;
    std::size_t bad = 0;

    std::string out;
    if (document.encoding == TextEncoding::Utf8) out += kUtf8Mark;
    if (transcode) {
        auto header = Transcode(document.headerBytes, document.keptEncoding, encoder, bad, utf8);
        if (!header) {
            const auto column = std::count(utf8.begin(), utf8.begin() + std::ptrdiff_t(bad), ',');
            return EncodingFailure{rows.size(), static_cast<int>(std::min<std::ptrdiff_t>(column, 3)),
                                   CharacterAt(utf8, bad)};
        }
        out += *header;
    } else {
        out += document.headerBytes;
    }
    out += kLineEnd;

    // Kept lines by the row they stand before, file order among equals; the
    // file's unfinished last group after everything else.
    std::vector<std::size_t> order(document.kept.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto place = [&](std::size_t k) {
        const KeptLines& kept = document.kept[k];
        return kept.unfinishedGroup ? rows.size() + 1 : std::min(kept.beforeRow, rows.size());
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return place(a) < place(b); });

    // Room for everything at once: growing a file-sized text step by step
    // costs more than encoding it.
    std::size_t textSize = document.headerBytes.size() + 8;
    for (const EventRow& r : rows) textSize += r.title.size() + r.detail.size() + r.source.size() + 48;
    for (const KeptLines& kept : document.kept) textSize += kept.bytes.size() + 2;
    out.reserve(textSize);
    std::string text;
    text.reserve(textSize);
    std::string encoded;
    std::size_t row = 0;
    const auto writeRowsUpTo = [&](std::size_t end) -> std::optional<EncodingFailure> {
        while (row < end) {
            // The rows between kept lines go through the encoder in one
            // piece; only a failure is looked at item by item.
            std::size_t stop = row;
            while (stop < end && rows[stop].asRead.empty()) ++stop;
            text.clear();
            for (std::size_t r = row; r < stop; ++r) AppendRow(text, rows[r]);
            if (!encoder.encode(text, encoded, bad)) return LocateFailure(rows, row, stop, encoder);
            out += encoded;
            row = stop;
            if (row == end) break;
            if (!AppendAsRead(out, rows[row].asRead, transcode ? &encoder : nullptr, document.keptEncoding))
                return EncodingFailure{row, -1, {}};
            ++row;
        }
        return std::nullopt;
    };
    for (std::size_t n = 0; n < order.size(); ++n) {
        const std::size_t k = order[n];
        const KeptLines& kept = document.kept[k];
        if (auto failure = writeRowsUpTo(std::min(place(k), rows.size()))) return *failure;
        if (transcode) {
            auto bytes = Transcode(kept.bytes, document.keptEncoding, encoder, bad, utf8);
            if (!bytes) return EncodingFailure{row, -1, CharacterAt(utf8, bad)};
            out += *bytes;
        } else {
            out += kept.bytes;
        }
        const bool more = row < rows.size() || n + 1 < order.size();
        if (more && !kept.bytes.empty() && !IsLineBreak(kept.bytes.back())) out += kLineEnd;
    }
    if (auto failure = writeRowsUpTo(rows.size())) return *failure;
    if (document.encoding == TextEncoding::Utf16Le || document.encoding == TextEncoding::Utf16Be) {
        const bool little = document.encoding == TextEncoding::Utf16Le;
        auto wide = Utf8ToUtf16(out, little ? ByteOrder::LittleEndian : ByteOrder::BigEndian, bad);
        // Only bytes kept from a file read in another encoding get here.
        if (!wide) return EncodingFailure{rows.size(), -1, CharacterAt(out, bad)};
        out.clear();
        out.shrink_to_fit();
        wide->insert(0, little ? "\xFF\xFE" : "\xFE\xFF");
        return std::move(*wide);
    }
    return out;
}

std::size_t FirstUnwritableByte(std::string_view text) {
    // One pass: find_first_of searches the set once per byte, which took a
    // fifth of reading a large catalogue.
    const auto bad = std::find_if(text.begin(), text.end(), [](char c) {
        return c == '"' || c == '\r' || c == '\n' || c == '\0';
    });
    return bad == text.end() ? std::string_view::npos : static_cast<std::size_t>(bad - text.begin());
}

std::string UnwritableReason(std::string_view character, UiLanguage language) {
    switch (character.size() == 1 ? character.front() : '\x01') {
        case '"': return CatalogueWords(CatalogueWording::CannotHoldQuote, language);
        case '\r':
        case '\n': return CatalogueWords(CatalogueWording::CannotHoldLineBreak, language);
        case '\0': return CatalogueWords(CatalogueWording::CannotHoldNul, language);
    }
    return CatalogueWords(CatalogueWording::CannotHoldValue, language);
}

std::string_view EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::ShiftJis: return "Shift-JIS";
        case TextEncoding::Utf8:
        case TextEncoding::Utf8NoMark: return "UTF-8";
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: return "UTF-16";
    }
    return "Shift-JIS";
}

std::optional<std::size_t> LineInAnotherEncoding(const CatalogueDocument& document) {
    TextDecoder decoder(document.keptEncoding);
    std::string scratch;
    if (!decoder.decode(document.headerBytes, scratch)) return 1;
    for (const KeptLines& kept : document.kept) {
        // Whole blocks first: only a block that fails is gone through by line.
        if (decoder.decode(kept.bytes, scratch)) continue;
        const LineMap lines(kept.bytes);
        for (std::size_t n = 1; n <= lines.count(); ++n)
            if (!decoder.decode(lines.lines(n, n), scratch)) return kept.firstLine + n - 1;
        return kept.firstLine;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- cells

std::optional<EventDate> ParseDateCell(std::string_view text) {
    text = TrimBlanks(text);
    // Digits and a dash make it a date; a leading minus is a stardate's sign.
    const std::size_t dash1 = text.find('-', 1);
    if (dash1 != std::string_view::npos && IsDigits(text.substr(0, dash1))) {
        std::string_view parts[3];
        if (!SplitDateParts(text, '-', parts)) return std::nullopt;
        const auto [y, m, d] = parts;
        if (y.size() > 4 || m.size() > 2 || d.size() > 2 || !IsDigits(y) || !IsDigits(m) ||
            !IsDigits(d))
            return std::nullopt;
        DateValue date;
        date.year = ToInt(y);
        date.month = ToInt(m);
        date.day = ToInt(d);
        if (!IsValidDateValue(date)) return std::nullopt;
        return date;
    }
    // The file's own bare numbers: no grouping commas, no exponent.
    static constexpr NumberGrammar kStardate{.wholeText = true};
    const ScannedNumber number = ReadNumber(text, kStardate);
    if (number.status != NumberStatus::Ok || !std::isfinite(number.value)) return std::nullopt;
    return number.value;
}

std::string DateCellText(const EventDate& date) {
    std::string text;
    AppendDate(text, date, false);
    return text;
}

std::optional<std::string> CellRefusal(const CatalogueDocument& document, std::size_t row,
                                       int column, std::string_view text, UiLanguage language) {
    const auto refuse = [language](CatalogueWording reason) { return CatalogueWords(reason, language); };
    if (column == 2) {
        if (ParseDateCell(text)) return std::nullopt;
        return refuse(CatalogueWording::DateCellForm);
    }
    if (text.find('"') != std::string_view::npos) return refuse(CatalogueWording::QuoteNotAllowed);
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return refuse(CatalogueWording::LineBreakNotAllowed);
    if (column == 0 || column == 1) {
        if (TrimBlanks(text).empty())
            return refuse(column == 0 ? CatalogueWording::TitleRequired : CatalogueWording::DetailRequired);
    }
    if (column == 0) {
        std::string scratch;
        std::string otherScratch;
        const std::string key(TitleKey(text, scratch));
        for (std::size_t r = 0; r < document.rows.size(); ++r) {
            if (r != row && TitleKey(document.rows[r].title, otherScratch) == key)
                return refuse(CatalogueWording::TitleTaken);
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- user copy

std::string_view CatalogueFileName(UiLanguage language) { return language.Entry().catalogue; }

std::string_view CatalogueFileNameOf(std::string_view path) {
    const std::string name = GetFileName(path);
    for (const UiLanguage language : UiLanguage::All())
        if (CatalogueFileName(language) == name) return CatalogueFileName(language);
    return kCatalogueFileName;
}

std::string UserCataloguePath() { return UserCataloguePath(kCatalogueFileName); }

std::string UserCataloguePath(std::string_view fileName) {
    const std::string folder = UserCatalogueFolder();
    if (folder.empty()) return {};
    return AddBackslash(folder) + std::string(fileName);
}

namespace {

// The user's own copy first, then the program's; empty when neither exists.
std::string ExistingCatalogue(const std::string& programFolder, std::string_view fileName) {
    std::string user = UserCataloguePath(fileName);
    if (!user.empty() && FileExists(user)) return user;
    std::string shipped = AddBackslash(programFolder) + std::string(fileName);
    if (FileExists(shipped)) return shipped;
    return {};
}

}  // namespace

std::string CataloguePathToRead(const std::string& programFolder, UiLanguage language) {
    // Until a face's own catalogue exists, it reads the events in the
    // sources' language rather than none.
    if (CatalogueFileName(language) != kCatalogueFileName) {
        std::string path = ExistingCatalogue(programFolder, CatalogueFileName(language));
        if (!path.empty()) return path;
    }
    std::string user = UserCataloguePath();
    if (!user.empty() && FileExists(user)) return user;
    return AddBackslash(programFolder) + std::string(kCatalogueFileName);
}

std::string ShippedCataloguePath(const std::string& programFolder, std::string_view fileName) {
    return AddBackslash(programFolder) + std::string(fileName);
}

}  // namespace quorvane
