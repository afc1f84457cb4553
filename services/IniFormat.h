#pragma once
// The settings file's dialect (settings/IniDocument.h) for Qt's texts and
// devices: the same reader and writer, with "Section/Key" and its text as
// QStrings.

#include "services/SettingsStore.h"
#include "settings/IniDocument.h"

#include <QByteArray>
#include <QStringView>
#include <QtGlobal>

class QIODevice;

namespace quorvane {

inline constexpr qint64 MaxIniFileSize = qint64(settings::kMaxFileSize);
inline constexpr qint64 MaxIniLineSize = qint64(settings::kMaxLineSize);

// A settings file as read, and the same file with some keys set.
class IniDocument {
public:
    // False, leaving the document empty, when the device could not be read
    // whole: over MaxIniFileSize, or a read error.
    bool read(QIODevice& device);
    void parse(QByteArray bytes);
    void parse(std::string bytes);

    // "Section/Key" (or "Key", before any section) to its text.
    const SettingsTexts& texts() const { return m_texts; }

    // See settings::IniDocument::set.
    bool set(const QString& key, const QString& text);
    void respellUnparsedValues() { m_document.respellUnparsedValues(); }

    QByteArray bytes() const;
    std::string byteString() const { return m_document.bytes(); }

private:
    settings::IniDocument m_document;
    SettingsTexts m_texts;
};

// Never fails to fill `map` with what it can read; false when the device
// could not be read whole (see IniDocument::read), `map` then untouched.
bool ReadIni(QIODevice& device, SettingsTexts& map);

// Fails when a section or key name would not read back as itself (see
// IsIniName), or the device fails.
bool WriteIni(QIODevice& device, const SettingsTexts& map);

// See settings::IsIniName.
bool IsIniName(QStringView name);

// A text of Qt's as the reader's, and back.
QString FromSettingsText(std::u16string_view text);
std::u16string ToSettingsText(QStringView text);

}  // namespace quorvane
