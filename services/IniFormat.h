#pragma once
// The settings file's own INI dialect: sections, "key=value" lines, and
// nothing but plain texts as values.
//
// Writing a value: "\\" and "\"" are escaped, line feed, carriage return and
// tab become "\n", "\r", "\t", any other control character, DEL and a lone
// surrogate become "\x" and its hex code (a hex digit right after such an
// escape is written as "\x" too), a leading "@" is doubled, and the value is
// quoted when it has blanks at either end or holds ";", ",", "=" or "#".
// Everything else is UTF-8 as it stands. Every text reads back exactly.
//
// Reading also takes every file the earlier versions wrote through Qt's own
// INI writer, whose value syntax this is a subset of: the escapes "\a \b \f
// \v \? \'", octal escapes, "@String(...)", and a hand-written comma list,
// which reads as its items joined by ",". A value none of this reads (what
// Qt would have rebuilt as a serialised object, "@Variant(...)",
// "@ByteArray(...)", an unknown escape, a lone backslash at its end, an
// unclosed quote) was put there by someone else: it reads as its text as it
// stands, blanks at either end aside, so that a check box can tell it from a
// missing key and a typed text is kept. Lines and sections that cannot be
// read are skipped, and so are a section whose name holds "/" and a name with
// "/" before any section, which a key could not tell apart. A file over
// MaxIniFileSize is not read at all, a line over MaxIniLineSize reads as
// missing; reading is one linear pass.
//
// A save goes through IniDocument and changes only the lines of the keys it
// sets: comments, lines it cannot read, another program's keys and every key
// whose line already reads as the text being set go back byte for byte.

#include "services/SettingsStore.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QtGlobal>
#include <vector>

class QIODevice;

namespace quorvane {

inline constexpr qint64 MaxIniFileSize = 16 * 1024 * 1024;
inline constexpr qint64 MaxIniLineSize = 1024 * 1024;

// A settings file as read, and the same file with some keys set.
class IniDocument {
public:
    // False, leaving the document empty, when the device could not be read
    // whole: over MaxIniFileSize, or a read error.
    bool read(QIODevice& device);
    void parse(QByteArray bytes);

    // "Section/Key" (or "Key", before any section) to its text.
    const SettingsTexts& texts() const { return m_texts; }

    // A key whose line already reads as `text` keeps its bytes; otherwise its
    // line is rewritten (and its over-long lines dropped), or a line is added
    // at the end of its section. False when the name would not read back as
    // itself (see IsIniName).
    bool set(const QString& key, const QString& text);

    // Rewrites the values the reader took as they stand because Qt would
    // rebuild them as objects ("@Variant(...)"), so that Qt's reader, as
    // earlier versions used it, takes them as the same texts. Values that are
    // no valid UTF-8 are left as bytes.
    void respellUnparsedValues();

    QByteArray bytes() const;

private:
    struct Line {
        qsizetype begin = 0;
        qsizetype end = 0;       // before the line end
        bool parsed = true;      // the value read as the reader's own syntax
        bool validUtf8 = true;
        bool rewritten = false;  // by an edit, which writes the key's text
    };
    // Bytes [at, at + length) of the file give way to the lines of `keys`,
    // under a header for `section` when it is new.
    struct Edit {
        enum Kind { Insert, NewSection, Replace };  // their order at one offset
        Kind kind = Replace;
        qsizetype at = 0;
        qsizetype length = 0;
        QStringList keys;
        QString section;
    };
    struct Insertion {
        qsizetype at = 0;  // after the section's last line
        int edit = -1;     // the lines already added there
    };

    QByteArray lineFor(const QString& key) const;

    QByteArray m_bytes;
    QByteArray m_newline = "\n";
    SettingsTexts m_texts;
    QHash<QString, Line> m_lines;  // the line each key was read from
    QHash<QString, std::vector<Line>> m_overlong;
    QHash<QString, Insertion> m_insertions;  // by section name, "" before any
    std::vector<Edit> m_edits;
};

// Never fails to fill `map` with what it can read; false when the device
// could not be read whole (see IniDocument::read), `map` then untouched.
bool ReadIni(QIODevice& device, SettingsTexts& map);

// Fails when a section or key name would not read back as itself (see
// IsIniName), or the device fails.
bool WriteIni(QIODevice& device, const SettingsTexts& map);

// Section and key names are written as they stand: not empty, no blanks at
// either end, no control characters and none of = [ ] \ " ; #.
bool IsIniName(QStringView name);

}  // namespace quorvane
