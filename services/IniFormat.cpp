#include "services/IniFormat.h"

#include <QIODevice>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <optional>

namespace quorvane {

namespace {

// QString::fromUtf8 drops a byte-order mark at the start of what it decodes;
// inside a value that is a character like any other.
QString Utf8Text(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(bytes);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

qsizetype SkipBlanks(QByteArrayView text, qsizetype i) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i;
}

QByteArrayView Trimmed(QByteArrayView text) {
    qsizetype first = SkipBlanks(text, 0);
    qsizetype end = text.size();
    while (end > first && IsBlank(text[end - 1])) --end;
    return text.sliced(first, end - first);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsHexDigit(char16_t c) { return c < 0x80 && HexDigit(static_cast<char>(c)) >= 0; }

void ChopTrailingBlanks(QString& text, qsizetype limit) {
    qsizetype end = text.size();
    while (end > limit && (text[end - 1] == u' ' || text[end - 1] == u'\t')) --end;
    text.truncate(end);
}

// One item after unescaping, as the text it stands for; nothing for what Qt
// would have rebuilt as a serialised object.
std::optional<QString> PlainText(const QString& item) {
    if (!item.startsWith(u'@')) return item;
    if (item.startsWith(QLatin1StringView("@@"))) return item.sliced(1);
    if (item.startsWith(QLatin1StringView("@String(")) && item.endsWith(u')'))
        return item.sliced(8).chopped(1);
    qsizetype k = 1;
    while (k < item.size() && item[k].unicode() < 0x80 && item[k].isLetter()) ++k;
    if (k > 1 && k < item.size() && item[k] == u'(') return std::nullopt;
    return item;
}

// The value after "=". Quoted parts keep their blanks; ";" outside quotes
// starts a comment, "," outside quotes separates the items of a list.
std::optional<QString> ParseValue(QByteArrayView raw) {
    static constexpr char Simple[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                         {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                         {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QStringList items;
    QString current;
    bool inQuotes = false;
    bool itemQuoted = false;
    qsizetype chopLimit = 0;  // escaped and quoted characters are never chopped
    const auto endItem = [&] {
        if (!itemQuoted) ChopTrailingBlanks(current, chopLimit);
        items.append(current);
        current.clear();
        itemQuoted = false;
        chopLimit = 0;
    };

    qsizetype i = SkipBlanks(raw, 0);
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i == raw.size()) return std::nullopt;
            const char e = raw[i++];
            bool known = false;
            for (const auto& pair : Simple) {
                if (e == pair[0]) {
                    current += QLatin1Char(pair[1]);
                    known = true;
                    break;
                }
            }
            if (!known && (e == 'x' || (e >= '0' && e <= '7'))) {
                const int base = e == 'x' ? 16 : 8;
                char16_t value = base == 8 ? char16_t(e - '0') : 0;
                const qsizetype first = i;
                for (int d; i < raw.size() && (d = HexDigit(raw[i])) >= 0 && d < base; ++i)
                    value = char16_t(value * base + d);
                if (base == 16 && i == first) return std::nullopt;
                current += QChar(value);
                known = true;
            }
            if (!known) return std::nullopt;
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
            qsizetype j = i + 1;
            while (j < raw.size() && raw[j] != '\\' && raw[j] != '"' && raw[j] != ';' && raw[j] != ',') ++j;
            current += Utf8Text(raw.sliced(i, j - i));
            i = j;
        }
    }
    if (inQuotes) return std::nullopt;
    endItem();

    QString text;
    for (qsizetype n = 0; n < items.size(); ++n) {
        const std::optional<QString> item = PlainText(items[n]);
        if (!item) return std::nullopt;
        if (n > 0) text += u',';
        text += *item;
    }
    return text;
}

QString EscapedValue(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    if (text.startsWith(u'@')) out += u'@';
    bool hexPending = false;  // the reader would take a hex digit into the escape before it
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool loneSurrogate =
            QChar::isHighSurrogate(c)  ? !(i + 1 < text.size() && text[i + 1].isLowSurrogate())
            : QChar::isLowSurrogate(c) ? !(i > 0 && text[i - 1].isHighSurrogate())
                                       : false;
        if (hexPending && IsHexDigit(c)) {
            out += QStringLiteral("\\x") + QString::number(c, 16);
            continue;
        }
        hexPending = false;
        switch (c) {
        case u'\\': out += QLatin1StringView("\\\\"); break;
        case u'"': out += QLatin1StringView("\\\""); break;
        case u'\n': out += QLatin1StringView("\\n"); break;
        case u'\r': out += QLatin1StringView("\\r"); break;
        case u'\t': out += QLatin1StringView("\\t"); break;
        default:
            if (c < 0x20 || c == 0x7f || loneSurrogate) {
                out += QStringLiteral("\\x") + QString::number(c, 16);
                hexPending = true;
            } else {
                out += QChar(c);
            }
        }
    }
    const bool quote = text.startsWith(u' ') || text.endsWith(u' ') ||
                       text.contains(u';') || text.contains(u',') || text.contains(u'=') ||
                       text.contains(u'#');
    return quote ? u'"' + out + u'"' : out;
}

bool IsValidUtf8(QByteArrayView bytes) { return Utf8Text(bytes).toUtf8() == bytes; }

// A name as written; nothing unless its bytes are the name exactly, so that
// two spellings never stand for one key.
std::optional<QString> NameOf(QByteArrayView raw) {
    const QString name = Utf8Text(raw);
    if (!IsIniName(name) || name.toUtf8() != raw) return std::nullopt;
    return name;
}

}  // namespace

bool IsIniName(QStringView name) {
    if (name.isEmpty() || name.front() == u' ' || name.back() == u' ') return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"=[]\\\";#").contains(c)) return false;
    }
    return QString::fromUtf8(name.toUtf8()) == name;
}

bool IniDocument::read(QIODevice& device) {
    *this = IniDocument();
    if (!device.isSequential() && device.size() > MaxIniFileSize) return false;
    QByteArray data;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0) return false;
        if (got == 0) break;
        if (data.size() + got > MaxIniFileSize) return false;
        data.append(chunk, got);
    }
    parse(std::move(data));
    return true;
}

void IniDocument::parse(QByteArray bytes) {
    *this = IniDocument();
    m_bytes = std::move(bytes);
    const QByteArrayView text(m_bytes);
    const qsizetype first = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    m_insertions.insert(QString(), {first, -1});
    if (const qsizetype nl = text.indexOf('\n'); nl > 0 && text[nl - 1] == '\r') m_newline = "\r\n";

    std::optional<QString> section = QString();  // none after a damaged header
    // The next of each line end, found with memchr: long lines cost little.
    const auto find = [&](char c, qsizetype from) {
        const auto* at = static_cast<const char*>(std::memchr(text.data() + from, c, text.size() - from));
        return at ? at - text.data() : text.size();
    };
    qsizetype nextLf = -1;
    qsizetype nextCr = -1;
    for (qsizetype start = first; start < text.size();) {
        if (nextLf < start) nextLf = find('\n', start);
        if (nextCr < start) nextCr = find('\r', start);
        const qsizetype end = std::min(nextLf, nextCr);
        qsizetype next = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++next;
        next = std::min(next, text.size());
        const QByteArrayView whole = text.sliced(start, end - start);
        const QByteArrayView line = Trimmed(whole);
        const qsizetype begin = start;
        start = next;
        if (line.isEmpty() || line.front() == ';' || line.front() == '#') continue;

        if (line.front() == '[') {
            section.reset();
            const qsizetype close = line.indexOf(']');
            if (line.size() > MaxIniLineSize || close != line.size() - 1) continue;
            section = NameOf(line.sliced(1, close - 1));
            // The first "/" of a key parts the section from the name.
            if (section && section->contains(u'/')) section.reset();
            if (section) m_insertions[*section] = {next, -1};
            continue;
        }
        if (!section) continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        const std::optional<QString> name = NameOf(Trimmed(line.first(equals)));
        if (!name || (section->isEmpty() && name->contains(u'/'))) continue;
        const QString key = section->isEmpty() ? *name : *section + u'/' + *name;
        m_insertions[*section].at = next;
        if (line.size() > MaxIniLineSize) {
            m_overlong[key].push_back({begin, end});
            continue;
        }
        const QByteArrayView raw = line.sliced(equals + 1);
        const std::optional<QString> value = ParseValue(raw);
        m_texts.insert(key, value ? *value : Utf8Text(Trimmed(raw)));
        m_lines.insert(key, {begin, end, value.has_value(), value || IsValidUtf8(Trimmed(raw))});
    }
}

QByteArray IniDocument::lineFor(const QString& key) const {
    return key.sliced(key.indexOf(u'/') + 1).toUtf8() + '=' + EscapedValue(m_texts.value(key)).toUtf8() +
           m_newline;
}

bool IniDocument::set(const QString& key, const QString& text) {
    const qsizetype slash = key.indexOf(u'/');
    const QString section = slash < 0 ? QString() : key.first(slash);
    if ((slash >= 0 && !IsIniName(section)) || !IsIniName(key.sliced(slash + 1))) return false;

    const auto found = m_lines.find(key);
    if (found != m_lines.end() && found->parsed && !found->rewritten && m_texts.value(key) == text) return true;
    m_texts.insert(key, text);
    // Lines of this key too long to read go: Qt's reader would take the last
    // of them over the text just set.
    for (const Line& dropped : m_overlong.take(key)) {
        qsizetype next = dropped.end;
        if (next < m_bytes.size() && m_bytes[next] == '\r') ++next;
        if (next < m_bytes.size() && m_bytes[next] == '\n') ++next;
        m_edits.push_back({Edit::Replace, dropped.begin, next - dropped.begin, {}, {}});
    }
    if (found != m_lines.end()) {
        if (!found->rewritten)
            m_edits.push_back({Edit::Replace, found->begin, found->end - found->begin, {key}, {}});
        found->parsed = found->rewritten = true;
        return true;
    }
    auto insertion = m_insertions.find(section);
    if (insertion == m_insertions.end()) {
        insertion = m_insertions.insert(section, {m_bytes.size(), static_cast<int>(m_edits.size())});
        m_edits.push_back({Edit::NewSection, m_bytes.size(), 0, {}, section});
    } else if (insertion->edit < 0) {
        insertion->edit = static_cast<int>(m_edits.size());
        m_edits.push_back({Edit::Insert, insertion->at, 0, {}, {}});
    }
    m_edits[insertion->edit].keys << key;
    m_lines.insert(key, {0, 0, true, true, true});
    return true;
}

void IniDocument::respellUnparsedValues() {
    for (auto it = m_lines.begin(); it != m_lines.end(); ++it) {
        if (it->parsed || !it->validUtf8) continue;
        m_edits.push_back({Edit::Replace, it->begin, it->end - it->begin, {it.key()}, {}});
        it->parsed = it->rewritten = true;
    }
}

QByteArray IniDocument::bytes() const {
    if (m_edits.empty()) return m_bytes;
    std::vector<const Edit*> edits;
    for (const Edit& edit : m_edits) edits.push_back(&edit);
    std::stable_sort(edits.begin(), edits.end(), [](const Edit* a, const Edit* b) {
        return a->at != b->at ? a->at < b->at : a->kind < b->kind;
    });
    QByteArray out;
    out.reserve(m_bytes.size() + 256);
    qsizetype copied = 0;
    for (const Edit* edit : edits) {
        out.append(QByteArrayView(m_bytes).sliced(copied, edit->at - copied));
        copied = edit->at + edit->length;
        if (edit->kind != Edit::Replace && !out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r') &&
            out != "\xEF\xBB\xBF")
            out += m_newline;  // the file's last line had no line end
        if (edit->kind == Edit::NewSection) {
            if (!out.isEmpty() && out != "\xEF\xBB\xBF") out += m_newline;
            out += '[' + edit->section.toUtf8() + ']' + m_newline;
        }
        for (const QString& key : edit->keys) out += lineFor(key);
        if (edit->kind == Edit::Replace && !edit->keys.isEmpty()) out.chop(m_newline.size());
    }
    out.append(QByteArrayView(m_bytes).sliced(copied));
    return out;
}

bool ReadIni(QIODevice& device, SettingsTexts& map) {
    IniDocument document;
    if (!document.read(device)) return false;
    for (auto it = document.texts().cbegin(); it != document.texts().cend(); ++it) map.insert(it.key(), it.value());
    return true;
}

bool WriteIni(QIODevice& device, const SettingsTexts& map) {
    IniDocument document;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        if (!document.set(it.key(), it.value())) return false;
    const QByteArray out = document.bytes();
    return device.write(out) == out.size();
}

}  // namespace quorvane
