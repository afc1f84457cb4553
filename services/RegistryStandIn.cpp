#include "services/RegistryStandIn.h"

#include <QFile>
#include <algorithm>
#include <limits>

namespace quorvane {

namespace {

const QLatin1Char Backslash('\\');

// Key paths compare case-insensitively and without outer backslashes.
QString NormalisedKey(const QString& key) {
    QString k = key.trimmed().toCaseFolded();
    while (k.startsWith(Backslash)) k.remove(0, 1);
    while (k.endsWith(Backslash)) k.chop(1);
    return k;
}

std::optional<std::uint32_t> ParseType(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t == u"REG_SZ") return REG_SZ;
    if (t == u"REG_EXPAND_SZ") return REG_EXPAND_SZ;
    if (t == u"REG_BINARY") return REG_BINARY;
    if (t == u"REG_DWORD") return REG_DWORD;
    if (t == u"REG_QWORD") return REG_QWORD;
    if (t == u"REG_NONE") return REG_NONE;
    return std::nullopt;
}

std::optional<QByteArray> LittleEndian(const QString& text, int bytes) {
    const QString t = text.trimmed();
    bool ok = false;
    const qulonglong number = t.startsWith(u"0x", Qt::CaseInsensitive)
                                  ? t.mid(2).toULongLong(&ok, 16)
                                  : t.toULongLong(&ok, 10);
    if (!ok) return std::nullopt;
    if (bytes == 4 && number > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    QByteArray data(bytes, '\0');
    for (int i = 0; i < bytes; ++i) data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return data;
}

std::optional<QByteArray> HexBytes(const QString& text) {
    QString digits = text;
    digits.remove(QLatin1Char(' ')).remove(QLatin1Char(',')).remove(QLatin1Char('\t'));
    if (digits.size() % 2 != 0) return std::nullopt;
    QByteArray data;
    for (int i = 0; i < digits.size(); i += 2) {
        bool ok = false;
        const int byte = digits.mid(i, 2).toInt(&ok, 16);
        if (!ok) return std::nullopt;
        data.append(static_cast<char>(byte));
    }
    return data;
}

std::optional<RegistryValue> ParseValue(QString text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0) return std::nullopt;
    const auto type = ParseType(text.left(colon));
    if (!type) return std::nullopt;
    const QString data = text.mid(colon + 1);

    std::optional<QByteArray> bytes;
    switch (*type) {
        case REG_SZ:
        case REG_EXPAND_SZ: bytes = data.toUtf8().append('\0'); break;
        case REG_DWORD: bytes = LittleEndian(data, 4); break;
        case REG_QWORD: bytes = LittleEndian(data, 8); break;
        default: bytes = HexBytes(data); break;
    }
    if (!bytes) return std::nullopt;
    return RegistryValue{*type, *bytes};
}

}  // namespace

RegistryStandIn::RegistryStandIn(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return;
    m_readable = true;
    const QString text = QString::fromUtf8(in.readAll());
    in.close();

    std::optional<QString> section;  // a key under HKEY_LOCAL_MACHINE, or none
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            section.reset();
            if (!line.endsWith(QLatin1Char(']'))) continue;
            const QString path = line.mid(1, line.size() - 2).trimmed();
            const qsizetype slash = path.indexOf(Backslash);
            const QString root = (slash < 0 ? path : path.left(slash)).trimmed();
            if (root.compare(u"HKEY_LOCAL_MACHINE", Qt::CaseInsensitive) != 0 &&
                root.compare(u"HKLM", Qt::CaseInsensitive) != 0)
                continue;
            section = NormalisedKey(slash < 0 ? QString() : path.mid(slash));
            m_keys.push_back(*section);
            continue;
        }
        if (!section) continue;

        QString name;
        QString rest;
        if (line.startsWith(QLatin1Char('"'))) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
            if (close < 0) continue;
            name = line.mid(1, close - 1);
            rest = line.mid(close + 1).trimmed();
            if (!rest.startsWith(QLatin1Char('='))) continue;
            rest.remove(0, 1);
        } else {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq < 0) continue;
            name = line.left(eq).trimmed();
            rest = line.mid(eq + 1);
            if (name == u"@") name.clear();
        }
        const auto value = ParseValue(rest);
        if (!value) continue;
        const QString folded = name.toCaseFolded();
        // A later line for the same value wins.
        std::erase_if(m_entries, [&](const Entry& e) { return e.key == *section && e.name == folded; });
        m_entries.push_back({*section, folded, *value});
    }
}

bool RegistryStandIn::hasKey(std::int32_t root, const QString& keyName) const {
    if (!m_readable || root != HKEY_LOCAL_MACHINE) return false;
    const QString key = NormalisedKey(keyName);
    if (key.isEmpty()) return true;
    return std::any_of(m_keys.begin(), m_keys.end(), [&](const QString& k) {
        return k == key || k.startsWith(key + Backslash);
    });
}

std::optional<RegistryValue> RegistryStandIn::value(std::int32_t root, const QString& keyName,
                                                    const QString& valueName) const {
    if (!hasKey(root, keyName)) return std::nullopt;
    const QString key = NormalisedKey(keyName);
    const QString name = valueName.toCaseFolded();
    for (const Entry& e : m_entries)
        if (e.key == key && e.name == name) return e.value;
    return std::nullopt;
}

bool GetKeyValue(const QString& registryFile, const std::int32_t& KeyRoot,
                 const QString& KeyName, const QString& SubKeyRef, QString& KeyVal) {
    const RegistryStandIn registry(registryFile);
    if (!registry.hasKey(KeyRoot, KeyName)) {
        KeyVal.clear();
        return false;
    }
    const auto value = registry.value(KeyRoot, KeyName, SubKeyRef);
    if (!value || value->data.size() > RegistryValueBufferSize) {
        KeyVal.clear();
        return false;
    }

    // The buffer starts as NULs, so text without its own NUL still ends,
    // unless it fills the buffer to the last byte.
    const qsizetype end = value->data.indexOf('\0');
    if (end < 0 && value->data.size() == RegistryValueBufferSize)
        throw RegistryValueError("registry value fills its buffer with no end");
    const QString text = QString::fromUtf8(value->data.left(end < 0 ? value->data.size() : end));

    switch (value->type) {
        case REG_SZ: KeyVal = text; break;
        case REG_DWORD: {
            QString hex = QStringLiteral("&h");
            for (qsizetype i = value->data.size() - 1; i >= 0; --i)
                hex += QStringLiteral("%1").arg(static_cast<unsigned char>(value->data[i]), 2, 16,
                                                QLatin1Char('0')).toUpper();
            KeyVal = hex;
            break;
        }
        default: break;
    }
    return true;
}

}  // namespace quorvane
