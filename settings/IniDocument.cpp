#include "settings/IniDocument.h"

#include "settings/SettingsKeys.h"
#include "text/Utf16Text.h"

#include <algorithm>
#include <cstring>

namespace quorvane::settings {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsBlank16(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsHigh(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = SkipBlanks(text, 0);
    std::size_t end = text.size();
    while (end > first && IsBlank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsHexDigit(char16_t c) { return c < 0x80 && HexDigit(static_cast<char>(c)) >= 0; }
bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

void ChopTrailingBlanks(std::u16string& text, std::size_t limit) {
    std::size_t end = text.size();
    while (end > limit && IsBlank16(text[end - 1])) --end;
    text.resize(end);
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// One item after unescaping, as the text it stands for; nothing for what Qt
// would have rebuilt as a serialised object.
std::optional<std::u16string> PlainText(const std::u16string& item) {
    if (!StartsWith(item, u"@")) return item;
    if (StartsWith(item, u"@@")) return item.substr(1);
    if (StartsWith(item, u"@String(") && item.back() == u')') return item.substr(8, item.size() - 9);
    std::size_t k = 1;
    while (k < item.size() && IsAsciiLetter(item[k])) ++k;
    if (k > 1 && k < item.size() && item[k] == u'(') return std::nullopt;
    return item;
}

// The value after "=". Quoted parts keep their blanks; ";" outside quotes
// starts a comment, "," outside quotes separates the items of a list.
std::optional<std::u16string> ParseValue(std::string_view raw) {
    static constexpr char kSimple[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                          {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                          {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    std::vector<std::u16string> items;
    std::u16string current;
    bool inQuotes = false;
    bool itemQuoted = false;
    std::size_t chopLimit = 0;  // escaped and quoted characters are never chopped
    const auto endItem = [&] {
        if (!itemQuoted) ChopTrailingBlanks(current, chopLimit);
        items.push_back(std::move(current));
        current.clear();
        itemQuoted = false;
        chopLimit = 0;
    };

    std::size_t i = SkipBlanks(raw, 0);
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i == raw.size()) return std::nullopt;
            const char e = raw[i++];
            const auto* simple = std::find_if(std::begin(kSimple), std::end(kSimple),
                                              [e](const char(&pair)[2]) { return pair[0] == e; });
            if (simple != std::end(kSimple)) {
                current += static_cast<char16_t>((*simple)[1]);
            } else if (e == 'x' || (e >= '0' && e <= '7')) {
                const int base = e == 'x' ? 16 : 8;
                char16_t value = base == 8 ? char16_t(e - '0') : 0;
                const std::size_t first = i;
                for (int d; i < raw.size() && (d = HexDigit(raw[i])) >= 0 && d < base; ++i)
                    value = char16_t(value * base + d);
                if (base == 16 && i == first) return std::nullopt;
                current += value;
            } else {
                return std::nullopt;
            }
            chopLimit = current.size();
        } else if (c == '"') {
            inQuotes = !inQuotes;
            itemQuoted = true;
            ++i;
            if (!inQuotes) i = SkipBlanks(raw, i);
            chopLimit = current.size();
        } else if (!inQuotes && c == ';') {
            break;
        } else if (!inQuotes && c == ',') {
            endItem();
            i = SkipBlanks(raw, i + 1);
        } else {
            const std::size_t j = std::min(raw.find_first_of("\\\";,", i + 1), raw.size());
            current += FromUtf8(raw.substr(i, j - i));
            i = j;
        }
    }
    if (inQuotes) return std::nullopt;
    endItem();

    std::u16string text;
    for (std::size_t n = 0; n < items.size(); ++n) {
        const std::optional<std::u16string> item = PlainText(items[n]);
        if (!item) return std::nullopt;
        if (n > 0) text += u',';
        text += *item;
    }
    return text;
}

void AppendHex(std::string& out, char16_t c) {
    static constexpr char kDigits[] = "0123456789abcdef";
    char buffer[4];
    int n = 0;
    do {
        buffer[n++] = kDigits[c % 16];
        c = static_cast<char16_t>(c / 16);
    } while (c != 0);
    out += "\\x";
    while (n > 0) out += buffer[--n];
}

void AppendPair(std::string& out, char16_t high, char16_t low) {
    AppendUtf8(out, 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
}

std::string EscapedValue(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    if (StartsWith(text, u"@")) out += '@';
    bool hexPending = false;  // the reader would take a hex digit into the escape before it
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pair = IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1]);
        const bool loneSurrogate = (IsHigh(c) && !pair) || (IsLow(c) && !(i > 0 && IsHigh(text[i - 1])));
        if (hexPending && IsHexDigit(c)) {
            AppendHex(out, c);
            continue;
        }
        hexPending = false;
        switch (c) {
        case u'\\': out += "\\\\"; break;
        case u'"': out += "\\\""; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7f || loneSurrogate) {
                AppendHex(out, c);
                hexPending = true;
            } else if (pair) {
                AppendPair(out, c, text[i + 1]);
                ++i;
            } else {
                AppendUtf8(out, c);
            }
        }
    }
    const bool quote = StartsWith(text, u" ") || (!text.empty() && text.back() == u' ') ||
                       text.find_first_of(u";,=#") != std::u16string_view::npos;
    return quote ? '"' + out + '"' : out;
}

bool IsValidUtf8(std::string_view bytes) {
    const std::optional<std::string> again = ToUtf8(FromUtf8(bytes));
    return again && *again == bytes;
}

// A name as written; nothing unless its bytes are the name exactly, so that
// two spellings never stand for one key.
std::optional<std::string> NameOf(std::string_view raw) {
    if (!IsIniName(raw)) return std::nullopt;
    return std::string(raw);
}

// The text a key of the program's own reads as when it is missing.
std::optional<std::u16string> MissingText(const std::string& key) {
    for (const Key& known : kAllKeys)
        if (KeyPath(known) == key) return FromUtf8(known.missing);
    return std::nullopt;
}

}  // namespace

std::u16string FromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = at(i);
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        // The length and the range of the second byte that keep the sequence
        // shortest and below U+110000, surrogates excluded.
        const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                           : lead >= 0xE0 && lead <= 0xEF ? 3
                           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                          : 0;
        const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        char32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        std::size_t j = i + 1;
        for (int k = 1; k < length; ++k, ++j) {
            if (j >= bytes.size() || at(j) < (k == 1 ? low : 0x80) || at(j) > (k == 1 ? high : 0xBF)) break;
            code = (code << 6) | (at(j) & 0x3F);
        }
        if (length == 0 || j - i != static_cast<std::size_t>(length)) {
            out += u'\uFFFD';  // one for each maximal part of a broken sequence
            i = std::max(j, i + 1);
            continue;
        }
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        i = j;
    }
    return out;
}

std::optional<std::string> ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
            AppendPair(out, c, text[i + 1]);
            ++i;
        } else if (IsHigh(c) || IsLow(c)) {
            return std::nullopt;
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

bool IsIniName(std::string_view name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || std::strchr("=[]\\\";#", c) != nullptr)
            return false;
    }
    return IsValidUtf8(name);
}

void IniDocument::parse(std::string bytes) {
    *this = IniDocument();
    m_bytes = std::move(bytes);
    const std::string_view text(m_bytes);
    const std::size_t first = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    m_insertions[std::string()] = {first, -1};
    if (const std::size_t nl = text.find('\n'); nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r')
        m_newline = "\r\n";

    std::optional<std::string> section = std::string();  // none after a damaged header
    // The next of each line end, found with memchr: long lines cost little.
    const auto find = [&](char c, std::size_t from) {
        const auto* at = static_cast<const char*>(std::memchr(text.data() + from, c, text.size() - from));
        return at ? static_cast<std::size_t>(at - text.data()) : text.size();
    };
    std::size_t nextLf = 0;
    std::size_t nextCr = 0;
    bool found = false;
    for (std::size_t start = first; start < text.size();) {
        if (!found || nextLf < start) nextLf = find('\n', start);
        if (!found || nextCr < start) nextCr = find('\r', start);
        found = true;
        const std::size_t end = std::min(nextLf, nextCr);
        std::size_t next = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++next;
        next = std::min(next, text.size());
        const std::string_view line = Trimmed(text.substr(start, end - start));
        const std::size_t begin = start;
        start = next;
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;

        if (line.front() == '[') {
            section.reset();
            const std::size_t close = line.find(']');
            if (line.size() > kMaxLineSize || close != line.size() - 1) continue;
            section = NameOf(line.substr(1, close - 1));
            // The first "/" of a key parts the section from the name.
            if (section && section->find('/') != std::string::npos) section.reset();
            if (section) m_insertions[*section] = {next, -1};
            continue;
        }
        if (!section) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::optional<std::string> name = NameOf(Trimmed(line.substr(0, equals)));
        if (!name || (section->empty() && name->find('/') != std::string::npos)) continue;
        const std::string key = section->empty() ? *name : *section + '/' + *name;
        m_insertions[*section].at = next;
        if (line.size() > kMaxLineSize) {
            m_overlong[key].push_back({begin, end});
            continue;
        }
        const std::string_view raw = line.substr(equals + 1);
        const std::optional<std::u16string> value = ParseValue(raw);
        m_texts[key] = value ? *value : FromUtf8(Trimmed(raw));
        m_lines[key] = {begin, end, value.has_value(), value || IsValidUtf8(Trimmed(raw))};
    }
}

bool IniDocument::readsAsMissing(const std::string& key) const {
    return !m_texts.contains(key) && m_overlong.contains(key);
}

std::string IniDocument::lineFor(const std::string& key) const {
    const std::size_t slash = key.find('/');
    const std::string_view name = std::string_view(key).substr(slash == std::string::npos ? 0 : slash + 1);
    return std::string(name) + '=' + EscapedValue(m_texts.at(key)) + m_newline;
}

bool IniDocument::set(const std::string& key, std::u16string_view text) {
    const std::size_t slash = key.find('/');
    const std::string section = slash == std::string::npos ? std::string() : key.substr(0, slash);
    const std::string_view name = std::string_view(key).substr(slash == std::string::npos ? 0 : slash + 1);
    if ((slash != std::string::npos && !IsIniName(section)) || !IsIniName(name)) return false;
    // A line the next read would skip would lose the text.
    if (name.size() + 1 + EscapedValue(text).size() > kMaxLineSize) return false;

    const auto found = m_lines.find(key);
    if (found != m_lines.end() && found->second.parsed && !found->second.rewritten && m_texts[key] == text)
        return true;
    // Lines too long to read stand for the missing key's text: setting that
    // text changes nothing the file reads as.
    if (readsAsMissing(key) && MissingText(key) == text) return true;
    m_texts[key] = std::u16string(text);
    // Lines of this key too long to read go: Qt's reader would take the last
    // of them over the text just set.
    if (const auto overlong = m_overlong.find(key); overlong != m_overlong.end()) {
        for (const Line& dropped : overlong->second) {
            std::size_t next = dropped.end;
            if (next < m_bytes.size() && m_bytes[next] == '\r') ++next;
            if (next < m_bytes.size() && m_bytes[next] == '\n') ++next;
            m_edits.push_back({Edit::Replace, dropped.begin, next - dropped.begin, {}, {}});
        }
        m_overlong.erase(overlong);
    }
    if (found != m_lines.end()) {
        if (!found->second.rewritten)
            m_edits.push_back(
                {Edit::Replace, found->second.begin, found->second.end - found->second.begin, {key}, {}});
        found->second.parsed = found->second.rewritten = true;
        return true;
    }
    auto insertion = m_insertions.find(section);
    if (insertion == m_insertions.end()) {
        const Insertion added{m_bytes.size(), static_cast<int>(m_edits.size())};
        insertion = m_insertions.emplace(section, added).first;
        m_edits.push_back({Edit::NewSection, m_bytes.size(), 0, {}, section});
    } else if (insertion->second.edit < 0) {
        insertion->second.edit = static_cast<int>(m_edits.size());
        m_edits.push_back({Edit::Insert, insertion->second.at, 0, {}, {}});
    }
    m_edits[static_cast<std::size_t>(insertion->second.edit)].keys.push_back(key);
    m_lines[key] = {0, 0, true, true, true};
    return true;
}

void IniDocument::respellUnparsedValues() {
    for (auto& [key, line] : m_lines) {
        if (line.parsed || !line.validUtf8) continue;
        m_edits.push_back({Edit::Replace, line.begin, line.end - line.begin, {key}, {}});
        line.parsed = line.rewritten = true;
    }
}

std::string IniDocument::bytes() const {
    if (m_edits.empty()) return m_bytes;
    std::vector<const Edit*> edits;
    for (const Edit& edit : m_edits) edits.push_back(&edit);
    std::stable_sort(edits.begin(), edits.end(), [](const Edit* a, const Edit* b) {
        return a->at != b->at ? a->at < b->at : a->kind < b->kind;
    });
    std::string out;
    out.reserve(m_bytes.size() + 256);
    std::size_t copied = 0;
    const auto onlyMark = [&out] { return out == kByteOrderMark; };
    for (const Edit* edit : edits) {
        out.append(m_bytes, copied, edit->at - copied);
        copied = edit->at + edit->length;
        if (edit->kind != Edit::Replace && !out.empty() && !out.ends_with('\n') && !out.ends_with('\r') &&
            !onlyMark())
            out += m_newline;  // the file's last line had no line end
        if (edit->kind == Edit::NewSection) {
            if (!out.empty() && !onlyMark()) out += m_newline;
            out += '[' + edit->section + ']' + m_newline;
        }
        for (const std::string& key : edit->keys) out += lineFor(key);
        if (edit->kind == Edit::Replace && !edit->keys.empty()) out.resize(out.size() - m_newline.size());
    }
    out.append(m_bytes, copied, std::string::npos);
    return out;
}

}  // namespace quorvane::settings
