#include "services/IniFormat.h"

#include <QIODevice>

namespace quorvane {

namespace {

// A name that is no valid UTF-16 has no UTF-8 that reads back as it.
std::optional<std::string> KeyBytes(const QString& key) {
    return settings::ToUtf8(ToSettingsText(key));
}

}  // namespace

QString FromSettingsText(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

std::u16string ToSettingsText(QStringView text) { return std::u16string(text.utf16(), std::size_t(text.size())); }

bool IsIniName(QStringView name) {
    const std::optional<std::string> bytes = settings::ToUtf8(ToSettingsText(name));
    return bytes && settings::IsIniName(*bytes);
}

bool IniDocument::read(QIODevice& device) {
    *this = IniDocument();
    if (!device.isSequential() && device.size() > MaxIniFileSize) return false;
    std::string data;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0) return false;
        if (got == 0) break;
        if (qint64(data.size()) + got > MaxIniFileSize) return false;
        data.append(chunk, std::size_t(got));
    }
    parse(std::move(data));
    return true;
}

void IniDocument::parse(QByteArray bytes) { parse(bytes.toStdString()); }

void IniDocument::parse(std::string bytes) {
    m_document.parse(std::move(bytes));
    m_texts.clear();
    for (const auto& [key, text] : m_document.texts())
        m_texts.insert(QString::fromUtf8(key.data(), qsizetype(key.size())), FromSettingsText(text));
}

bool IniDocument::set(const QString& key, const QString& text) {
    const std::optional<std::string> bytes = KeyBytes(key);
    if (!bytes || !m_document.set(*bytes, ToSettingsText(text))) return false;
    if (const auto stored = m_document.texts().find(*bytes); stored != m_document.texts().end())
        m_texts.insert(key, FromSettingsText(stored->second));
    return true;
}

QByteArray IniDocument::bytes() const { return QByteArray::fromStdString(m_document.bytes()); }

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
