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
// read are skipped. A file over MaxIniFileSize reads as empty, a line over
// MaxIniLineSize as missing; reading is one linear pass.

#include "services/SettingsStore.h"

#include <QtGlobal>

class QIODevice;

namespace quorvane {

inline constexpr qint64 MaxIniFileSize = 16 * 1024 * 1024;
inline constexpr qint64 MaxIniLineSize = 1024 * 1024;

// Never fails: what cannot be read is left out of `map`.
bool ReadIni(QIODevice& device, SettingsTexts& map);

// Fails when a section or key name would not read back as itself (see
// IsIniName), or the device fails.
bool WriteIni(QIODevice& device, const SettingsTexts& map);

// Section and key names are written as they stand: not empty, no blanks at
// either end, no control characters and none of = [ ] \ " ; #.
bool IsIniName(QStringView name);

}  // namespace quorvane
