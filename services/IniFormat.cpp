#include "services/IniFormat.h"

#include <QIODevice>
#include <QStringList>
#include <optional>

namespace quorvane {

namespace {

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
            current += QString::fromUtf8(raw.sliced(i, j - i));
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

// The whole file, or nothing when it is larger than MaxIniFileSize.
std::optional<QByteArray> ReadCapped(QIODevice& device) {
    if (!device.isSequential() && device.size() > MaxIniFileSize) return std::nullopt;
    QByteArray data;
    char chunk[64 * 1024];
    for (qint64 got; (got = device.read(chunk, sizeof chunk)) > 0;) {
        if (data.size() + got > MaxIniFileSize) return std::nullopt;
        data.append(chunk, got);
    }
    return data;
}

}  // namespace

bool IsIniName(QStringView name) {
    if (name.isEmpty() || name.front() == u' ' || name.back() == u' ') return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"=[]\\\";#").contains(c)) return false;
    }
    return QString::fromUtf8(name.toUtf8()) == name;
}

bool ReadIni(QIODevice& device, SettingsTexts& map) {
    const std::optional<QByteArray> data = ReadCapped(device);
    if (!data) return true;
    QByteArrayView text(*data);
    if (text.startsWith("\xEF\xBB\xBF")) text = text.sliced(3);

    std::optional<QString> section = QString();  // none after a damaged header
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
        const QByteArrayView line = Trimmed(text.sliced(start, end - start));
        start = end + 1;
        if (line.isEmpty() || line.front() == ';' || line.front() == '#') continue;

        if (line.front() == '[') {
            section.reset();
            const qsizetype close = line.indexOf(']');
            if (line.size() > MaxIniLineSize || close != line.size() - 1) continue;
            const QString name = QString::fromUtf8(line.sliced(1, close - 1));
            if (IsIniName(name)) section = name;
            continue;
        }
        if (!section || line.size() > MaxIniLineSize) continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        const QString key = QString::fromUtf8(Trimmed(line.first(equals)));
        if (!IsIniName(key)) continue;
        const QByteArrayView raw = line.sliced(equals + 1);
        const std::optional<QString> value = ParseValue(raw);
        map.insert(section->isEmpty() ? key : *section + u'/' + key,
                   value ? *value : QString::fromUtf8(Trimmed(raw)));
    }
    return true;
}

bool WriteIni(QIODevice& device, const SettingsTexts& map) {
    QByteArray out;
    // Keys outside any section first, then one block per section; a section's
    // keys sit next to each other in the sorted map.
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().contains(u'/')) continue;
        if (!IsIniName(it.key())) return false;
        out += it.key().toUtf8() + '=' + EscapedValue(it.value()).toUtf8() + '\n';
    }
    QString section;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        if (slash < 0) continue;
        const QString name = it.key().first(slash);
        const QString key = it.key().sliced(slash + 1);
        if (!IsIniName(name) || !IsIniName(key)) return false;
        if (name != section) {
            if (!out.isEmpty()) out += '\n';
            out += '[' + name.toUtf8() + "]\n";
            section = name;
        }
        out += key.toUtf8() + '=' + EscapedValue(it.value()).toUtf8() + '\n';
    }
    return device.write(out) == out.size();
}

}  // namespace quorvane
