#include "catalogue/CatalogueReader.h"

#include "catalogue/FileLocation.h"
#include "catalogue/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

namespace quorvane {

// ---------------------------------------------------------------- file bytes

FileBytes ReadCatalogueBytes(const std::string& path) {
    namespace fs = std::filesystem;
    FileBytes result;
    const fs::path filePath = PathFromUtf8(path);
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
    if (!ec) result.bytes.reserve(static_cast<std::size_t>(size));
    constexpr std::size_t kChunk = 1u << 20;
    std::size_t used = 0;
    while (used <= kMaxCatalogueBytes) {
        const std::size_t want = std::min(kChunk, kMaxCatalogueBytes + 1 - used);
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

// ---------------------------------------------------------------- title keys

namespace {

std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    if ((b & 0xE0) == 0xC0 && cont(1)) {
        cp = (char32_t(b & 0x1F) << 6) | (s[i + 1] & 0x3F);
        return 2;
    }
    if ((b & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        cp = (char32_t(b & 0x0F) << 12) | (char32_t(s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
        return 3;
    }
    if ((b & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        cp = (char32_t(b & 0x07) << 18) | (char32_t(s[i + 1] & 0x3F) << 12) |
             (char32_t(s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F);
        return 4;
    }
    cp = 0xFFFD;  // not reached for decoded text; keeps the key defined anyway
    return 1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t FoldCodePoint(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;  // Latin-1, but not the multiplication sign
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs an upper-case letter with the next code point,
        // on even code points in most runs and on odd ones in two of them.
        if (c == 0x178) return 0xFF;
        const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (oddRun) return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;   // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                 // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x2160 && c <= 0x216F) return c + 0x10;               // Roman numerals
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;               // full-width Latin
    return c;
}

}  // namespace

std::string FoldTitle(std::string_view title) {
    std::string key;
    key.reserve(title.size());
    for (std::size_t i = 0; i < title.size();) {
        const auto b = static_cast<unsigned char>(title[i]);
        if (b < 0x80) {
            key += (b >= 'A' && b <= 'Z') ? static_cast<char>(b + 0x20) : static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t n = DecodeUtf8(title, i, cp);
        const char32_t folded = FoldCodePoint(cp);
        if (folded == cp && cp != 0xFFFD)
            key.append(title.substr(i, n));
        else
            AppendUtf8(key, folded);
        i += n;
    }
    return key;
}

namespace {

// Japanese has no letter case, so most titles are their own key and need
// no folded copy to be compared.
bool FoldsToItself(std::string_view title) {
    for (std::size_t i = 0; i < title.size();) {
        const auto b = static_cast<unsigned char>(title[i]);
        if (b < 0x80) {
            if (b >= 'A' && b <= 'Z') return false;
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t n = DecodeUtf8(title, i, cp);
        if (cp == 0xFFFD || FoldCodePoint(cp) != cp) return false;
        i += n;
    }
    return true;
}

// The title's key: the title itself, or its folded copy kept in `scratch`.
std::string_view TitleKey(std::string_view title, std::string& scratch) {
    if (FoldsToItself(title)) return title;
    scratch = FoldTitle(title);
    return scratch;
}

}  // namespace

std::vector<std::size_t> TitleOrder(const std::vector<clsStarData>& records) {
    // Keys beside their indices, so the sort compares without a lookup.
    std::deque<std::string> folded;  // stays put while keys point into it
    std::vector<std::pair<std::string_view, std::size_t>> keys;
    keys.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::string_view key = records[i].Title();
        if (!FoldsToItself(key)) key = folded.emplace_back(FoldTitle(key));
        keys.emplace_back(key, i);
    }
    // One comparison of the texts a step; the pair's own order takes two
    // whenever the first is not smaller.
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        const int c = a.first.compare(b.first);
        return c != 0 ? c < 0 : a.second < b.second;
    });
    std::vector<std::size_t> order;
    order.reserve(keys.size());
    for (const auto& key : keys) order.push_back(key.second);
    return order;
}

// ---------------------------------------------------------------- parsing

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Only the first problems are kept; the records they cost are counted apart.
void AddProblem(CatalogueContent& content, CatalogueProblem problem) {
    if (content.problems.size() < kMaxCatalogueProblems) {
        content.problems.push_back(problem);
    } else {
        ++content.unlistedProblems;
    }
}

struct RawItem {
    std::string_view content;
    std::size_t line = 1;
    bool quoted = false;
    bool unterminated = false;
    bool textAfterQuote = false;
    bool endsLine = false;  // ended by a line break or the end of the file
};

// Splits the bytes into items. Commas, quotes, line breaks and blanks are
// ASCII bytes that never occur inside a Shift-JIS or UTF-8 multi-byte
// character, so the split works on the raw bytes.
class ItemScanner {
public:
    explicit ItemScanner(std::string_view bytes) : m_bytes(bytes) {}

    // The next item, or false at the end of the input. Blank lines are
    // reported and passed over.
    bool next(RawItem& item, CatalogueContent& content) {
        for (;;) {
            std::size_t p = m_pos;
            while (p < m_bytes.size() && IsBlank(m_bytes[p])) ++p;
            item = RawItem{};
            item.line = m_line;
            if (p == m_bytes.size()) {
                m_pos = p;
                if (m_afterLineBreak) return false;
                // "a,b,c," ends in one more, empty item.
                item.endsLine = true;
                m_afterLineBreak = true;
                return true;
            }
            if (IsLineBreak(m_bytes[p])) {
                m_pos = p;
                consumeLineBreak();
                if (m_afterLineBreak) {
                    AddProblem(content, {item.line, CatalogueProblemKind::BlankLine});
                    continue;
                }
                item.endsLine = true;  // "a,<line break>": an empty last item
                m_afterLineBreak = true;
                return true;
            }
            if (m_bytes[p] == '"') {
                scanQuoted(p + 1, item);
            } else {
                scanBare(p, item);
            }
            return true;
        }
    }

    std::size_t line() const { return m_line; }

private:
    void consumeLineBreak() {
        if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    std::size_t findSeparator(std::size_t p) const {
        while (p < m_bytes.size() && m_bytes[p] != ',' && !IsLineBreak(m_bytes[p])) ++p;
        return p;
    }

    // Takes the comma or line break at m_pos, if any.
    void endItem(RawItem& item) {
        if (m_pos == m_bytes.size()) {
            item.endsLine = true;
            m_afterLineBreak = true;
        } else if (m_bytes[m_pos] == ',') {
            ++m_pos;
            m_afterLineBreak = false;
        } else {
            consumeLineBreak();
            item.endsLine = true;
            m_afterLineBreak = true;
        }
    }

    void scanQuoted(std::size_t start, RawItem& item) {
        item.quoted = true;
        std::size_t q = start;
        while (q < m_bytes.size() && m_bytes[q] != '"' && !IsLineBreak(m_bytes[q])) ++q;
        item.content = m_bytes.substr(start, q - start);
        if (q == m_bytes.size() || IsLineBreak(m_bytes[q])) {
            item.unterminated = true;
            m_pos = q;
            endItem(item);
            return;
        }
        std::size_t p = q + 1;
        while (p < m_bytes.size() && IsBlank(m_bytes[p])) ++p;
        if (p < m_bytes.size() && m_bytes[p] != ',' && !IsLineBreak(m_bytes[p])) {
            item.textAfterQuote = true;
            p = findSeparator(p);
        }
        m_pos = p;
        endItem(item);
    }

    void scanBare(std::size_t start, RawItem& item) {
        const std::size_t end = findSeparator(start);
        std::size_t last = end;
        while (last > start && IsBlank(m_bytes[last - 1])) --last;
        item.content = m_bytes.substr(start, last - start);
        m_pos = end;
        endItem(item);
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    bool m_afterLineBreak = true;  // the start of the file counts as a line start
};

struct Item {
    TaggedValue value;
    std::optional<CatalogueProblemKind> problem;
    std::size_t line = 1;
};

bool ParseUnsigned(std::string_view digits, std::int64_t& out, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return false;
    if (!std::all_of(digits.begin(), digits.end(), IsDigit)) return false;
    out = 0;
    for (char c : digits) out = out * 10 + (c - '0');
    return true;
}

// Splits "a<sep>b<sep>c" into exactly three parts.
bool SplitThree(std::string_view s, char sep, std::string_view parts[3]) {
    const std::size_t a = s.find(sep);
    if (a == std::string_view::npos) return false;
    const std::size_t b = s.find(sep, a + 1);
    if (b == std::string_view::npos || s.find(sep, b + 1) != std::string_view::npos) return false;
    parts[0] = s.substr(0, a);
    parts[1] = s.substr(a + 1, b - a - 1);
    parts[2] = s.substr(b + 1);
    return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 0x20) : c; };
               return lower(x) == lower(y);
           });
}

// The text between number signs: a date, #NULL#, #TRUE#, #FALSE# or #ERROR n#.
void ParseHashItem(std::string_view inner, Item& item) {
    if (EqualsNoCase(inner, "NULL")) {
        item.value = TaggedValue::Null();
        return;
    }
    if (EqualsNoCase(inner, "TRUE") || EqualsNoCase(inner, "FALSE")) {
        item.value = TaggedValue::Boolean(EqualsNoCase(inner, "TRUE"));
        return;
    }
    if (inner.size() > 6 && EqualsNoCase(inner.substr(0, 6), "ERROR ")) {
        std::int64_t code = 0;
        if (ParseUnsigned(inner.substr(6), code, 9)) {
            item.value = TaggedValue::Error(static_cast<std::int32_t>(code));
        } else {
            item.problem = CatalogueProblemKind::InvalidItem;
        }
        return;
    }

    std::string_view datePart = inner;
    std::string_view timePart;
    if (const std::size_t space = inner.find(' '); space != std::string_view::npos) {
        datePart = inner.substr(0, space);
        timePart = inner.substr(space + 1);
    }
    std::string_view d[3];
    std::int64_t year = 0, month = 0, day = 0;
    if (!SplitThree(datePart, '-', d) || !ParseUnsigned(d[0], year, 9) ||
        !ParseUnsigned(d[1], month, 2) || !ParseUnsigned(d[2], day, 2)) {
        item.problem = CatalogueProblemKind::InvalidItem;
        return;
    }
    DateValue date;
    date.year = static_cast<std::int32_t>(year);
    date.month = static_cast<int>(month);
    date.day = static_cast<int>(day);
    if (!timePart.empty()) {
        std::string_view t[3];
        std::int64_t h = 0, m = 0, s = 0;
        if (!SplitThree(timePart, ':', t) || !ParseUnsigned(t[0], h, 2) ||
            !ParseUnsigned(t[1], m, 2) || !ParseUnsigned(t[2], s, 2)) {
            item.problem = CatalogueProblemKind::InvalidItem;
            return;
        }
        date.hour = static_cast<int>(h);
        date.minute = static_cast<int>(m);
        date.second = static_cast<int>(s);
    } else if (datePart.size() != inner.size()) {
        item.problem = CatalogueProblemKind::InvalidItem;  // "#2063-04-05 #"
        return;
    }
    if (!IsValidDateValue(date)) {
        item.problem = CatalogueProblemKind::InvalidDate;
        return;
    }
    item.value = TaggedValue::Date(date);
}

// An optionally signed decimal with "." as the point: 41153.7, -311.4, .5
bool IsBareNumber(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    std::size_t digits = 0;
    std::size_t i = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    return digits > 0 && i == s.size();
}

Item ConvertItem(const RawItem& raw, TextDecoder& decoder) {
    Item item;
    item.line = raw.line;
    if (raw.unterminated) {
        item.problem = CatalogueProblemKind::UnterminatedQuote;
        return item;
    }
    if (raw.textAfterQuote) {
        item.problem = CatalogueProblemKind::TextAfterQuote;
        return item;
    }
    if (raw.content.find('\0') != std::string_view::npos) {
        item.problem = CatalogueProblemKind::NulCharacter;
        return item;
    }
    const std::string_view s = raw.content;
    if (!raw.quoted) {
        if (s.empty()) return item;  // empty
        if (s.size() >= 2 && s.front() == '#' && s.back() == '#') {
            ParseHashItem(s.substr(1, s.size() - 2), item);
            return item;
        }
        if (IsBareNumber(s)) {
            const std::string_view unsigned_ = (s.front() == '+') ? s.substr(1) : s;
            double number = 0;
            const auto [ptr, ec] =
                std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), number);
            if (ec == std::errc() && ptr == unsigned_.data() + unsigned_.size()) {
                item.value = TaggedValue::Number(number);
                return item;
            }
            if (ec == std::errc::result_out_of_range) {
                // Beyond a double: kept as text, so only a date column complains.
                item.value = TaggedValue::Text(std::string(s));
                return item;
            }
        }
    }
    std::string text;
    if (!decoder.decode(s, text)) {
        item.problem = CatalogueProblemKind::InvalidCharacters;
        return item;
    }
    item.value = TaggedValue::Text(std::move(text));
    return item;
}

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

// The titles filed so far, by key. Open addressing over record indices:
// filing a title allocates nothing, and a record's key is worked out again
// only when its hash matches.
class TitleIndex {
public:
    // Slots hold 32-bit record numbers, half the room of full-size ones, so
    // more of the index stays in the cache; no memory holds this many records.
    static constexpr std::size_t kMaxRecords = UINT32_MAX - 1;

    explicit TitleIndex(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < 2 * expected) capacity *= 2;
        m_slots.resize(capacity);
    }

    // Files `key` as the title of records[index], unless a title with an
    // equal key is filed already.
    bool insert(std::string_view key, std::size_t index, const std::vector<clsStarData>& records) {
        if (2 * (m_size + 1) > m_slots.size()) grow();
        const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(key));
        std::string scratch;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (slot.index == kEmpty) {
                slot = {hash, static_cast<std::uint32_t>(index)};
                ++m_size;
                return true;
            }
            if (slot.hash == hash && TitleKey(records[slot.index].Title(), scratch) == key)
                return false;
        }
    }

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t index = kEmpty;
    };

    void grow() {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (slot.index == kEmpty) continue;
            std::size_t i = slot.hash & mask;
            while (m_slots[i].index != kEmpty) i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
};

class GroupReader {
public:
    GroupReader(CatalogueContent& content, std::size_t maxRecords, std::size_t expectedRecords)
        : m_content(content),
          m_maxRecords(std::min(maxRecords, TitleIndex::kMaxRecords)),
          m_titles(std::min(expectedRecords, m_maxRecords)) {
        m_content.records.reserve(std::min(expectedRecords, m_maxRecords));
    }

    void header(const std::vector<Item>& items) {
        for (const Item& item : items) {
            if (item.problem) return report(item.line, *item.problem, false);
            if (item.value.is(TaggedValue::Kind::Error))
                return report(item.line, CatalogueProblemKind::ErrorValue, false);
        }
        std::array<std::string, 4> headings;
        for (std::size_t i = 0; i < 4; ++i) {
            // A null heading reads as empty text.
            if (!items[i].value.is(TaggedValue::Kind::Null)) headings[i] = ToText(items[i].value);
        }
        m_content.headings = std::move(headings);
    }

    void record(std::vector<Item>& items) {
        if (m_content.records.size() >= m_maxRecords) {
            if (!m_full) report(items[0].line, CatalogueProblemKind::TooManyRecords, false);
            m_full = true;
            ++m_content.skippedRecords;
            return;
        }
        for (const Item& item : items)
            if (item.problem) return report(item.line, *item.problem, true);
        // Error values are refused everywhere, also where the record would
        // quietly turn them into text.
        for (const Item& item : items)
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
        const std::string_view key = TitleKey(record.Title(), m_keyScratch);
        if (!m_titles.insert(key, m_content.records.size(), m_content.records))
            return report(items[0].line, CatalogueProblemKind::DuplicateTitle, true);
        m_content.records.push_back(std::move(record));
    }

    void report(std::size_t line, CatalogueProblemKind kind, bool skipsRecord) {
        AddProblem(m_content, {line, kind});
        if (skipsRecord) ++m_content.skippedRecords;
    }

private:
    CatalogueContent& m_content;
    std::size_t m_maxRecords;
    TitleIndex m_titles;
    std::string m_keyScratch;
    bool m_full = false;
};

}  // namespace

CatalogueContent ParseCatalogue(std::string_view bytes, std::size_t maxRecords) {
    CatalogueContent content;
    static constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        content.utf8 = true;
        bytes.remove_prefix(kUtf8Mark.size());
    }
    TextDecoder decoder(content.utf8 ? TextEncoding::Utf8 : TextEncoding::ShiftJis);
    ItemScanner scanner(bytes);
    // One record a line is the usual layout; reserving for it saves moving
    // every record as the list grows. A file of nothing but line breaks
    // must not reserve far more than its own size, though.
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    GroupReader groups(content, maxRecords, std::min(lines, bytes.size() / 32));

    std::vector<Item> group;
    group.reserve(4);
    bool headerRead = false;
    RawItem raw;
    while (scanner.next(raw, content)) {
        group.push_back(ConvertItem(raw, decoder));
        // A quote left open, or closed too early, swallows the rest of its
        // line; the group ends there so that the next line starts afresh.
        const bool cutShort = (raw.unterminated || raw.textAfterQuote) && raw.endsLine &&
                              group.size() < 4;
        if (group.size() < 4 && !cutShort) continue;
        if (cutShort) {
            groups.report(group.back().line, *group.back().problem, headerRead);
        } else if (!headerRead) {
            groups.header(group);
        } else {
            groups.record(group);
        }
        headerRead = true;
        group.clear();
    }
    if (!group.empty()) {
        groups.report(group.front().line, CatalogueProblemKind::IncompleteGroup, headerRead);
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

// ---------------------------------------------------------------- load and message

CatalogueLoad LoadCatalogue(const std::string& path) {
    CatalogueLoad load;
    FileBytes file = ReadCatalogueBytes(path);
    load.status = file.status;
    if (file.status == FileReadStatus::Ok) load.content = ParseCatalogue(file.bytes);
    return load;
}

std::optional<std::size_t> FirstProblemLine(const CatalogueContent& content) {
    if (content.problems.empty()) return std::nullopt;
    std::size_t line = content.problems.front().line;
    for (const CatalogueProblem& p : content.problems) line = std::min(line, p.line);
    return line;
}

std::string_view ProblemReason(CatalogueProblemKind kind, bool utf8) {
    switch (kind) {
        case CatalogueProblemKind::EmptyFile: return "見出しもデータもありません";
        case CatalogueProblemKind::NoRecords: return "見出しの後にデータがありません";
        case CatalogueProblemKind::BlankLine: return "空の行があります";
        case CatalogueProblemKind::UnterminatedQuote: return "「\"」が閉じていません";
        case CatalogueProblemKind::TextAfterQuote: return "閉じた「\"」の後に文字があります";
        case CatalogueProblemKind::IncompleteGroup: return "項目が 4 つそろっていません";
        case CatalogueProblemKind::InvalidItem: return "「#」で囲まれた値が読めません";
        case CatalogueProblemKind::InvalidDate: return "日付が正しくありません";
        case CatalogueProblemKind::NullValue: return "#NULL# は出典にしか使えません";
        case CatalogueProblemKind::ErrorValue: return "エラー値は使えません";
        case CatalogueProblemKind::NotANumber: return "日付の欄が日付でも数値でもありません";
        case CatalogueProblemKind::NumberOutOfRange: return "数値が大きすぎます";
        case CatalogueProblemKind::DuplicateTitle: return "同じ事象がすでにあります";
        case CatalogueProblemKind::InvalidCharacters:
            return utf8 ? "UTF-8 として読めない文字があります"
                        : "Shift-JIS として読めない文字があります";
        case CatalogueProblemKind::NulCharacter: return "NUL 文字があります";
        case CatalogueProblemKind::TooManyRecords: return "データが 100 万件を超えています";
    }
    return "読めないデータがあります";
}

std::string CatalogueMessage(std::string_view fileName, const CatalogueLoad& load) {
    const std::string name(fileName);
    switch (load.status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::Missing: return name + " が見つかりません。";
        case FileReadStatus::NotAFile: return name + " はファイルではありません。";
        case FileReadStatus::Unreadable: return name + " を読み込めません。";
        case FileReadStatus::TooLarge:
            return name + " は大きすぎるため読み込めません。（64 MB まで）";
    }
    const CatalogueContent& content = load.content;
    const std::optional<std::size_t> line = FirstProblemLine(content);
    if (!line) return {};
    CatalogueProblemKind kind = content.problems.front().kind;
    for (const CatalogueProblem& p : content.problems) {
        if (p.line == *line) {
            kind = p.kind;
            break;
        }
    }
    return name + " の " + std::to_string(*line) + " 行目に誤りがあります（" +
           std::string(ProblemReason(kind, content.utf8)) + "）。\n読み込めなかったデータ：" +
           std::to_string(content.skippedRecords) + " 件";
}

}  // namespace quorvane
