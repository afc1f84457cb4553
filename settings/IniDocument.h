#pragma once
// The settings file's own INI dialect, read and written by the window and
// quorvane-cli alike: sections, "key=value" lines, and nothing but plain
// texts as values. Plain C++; texts are UTF-16, so that every text a window
// field can hold (a lone surrogate included) is stored and read back exactly.
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
// missing key and a typed text is kept. A byte-order mark at the start, CR
// LF or CR line ends, blanks around names, and comment lines (";" or "#")
// are taken; ";" after a value starts a comment. Of two lines naming one
// key, the later wins. Lines and sections that cannot be read are skipped,
// and so are a section whose name holds "/" and a name with "/" before any
// section, which a key could not tell apart. A file over kMaxFileSize is not
// read at all, a line over kMaxLineSize reads as missing; reading is one
// linear pass.
//
// A save changes only the lines of the keys it sets: comments, lines it
// cannot read, another program's keys and every key whose file already
// reads as the text being set go back byte for byte.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvane::settings {

inline constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;
inline constexpr std::size_t kMaxLineSize = 1024 * 1024;

// "Section/Key" (or "Key", before any section), UTF-8, to its text.
using Texts = std::map<std::string, std::u16string>;

// The UTF-16 text of UTF-8 bytes, each invalid sequence read as U+FFFD and a
// leading U+FEFF kept as a character.
std::u16string FromUtf8(std::string_view bytes);
// UTF-8 of a text; nothing when it holds a lone surrogate.
std::optional<std::string> ToUtf8(std::u16string_view text);

// Section and key names are written as they stand: not empty, no blanks at
// either end, no control characters, none of = [ ] \ " ; # and valid UTF-8.
bool IsIniName(std::string_view name);

class IniDocument {
public:
    void parse(std::string bytes);

    const Texts& texts() const { return m_texts; }

    // The key is named in the file only on lines too long to read.
    bool readsAsMissing(const std::string& key) const;

    // A key whose file already reads as `text` keeps its bytes: a readable
    // line with that text, or lines too long to read when `text` is what the
    // key reads as when missing. Otherwise its line is rewritten (and its
    // over-long lines dropped), or a line is added at the end of its
    // section. False, changing nothing, when a name would not read back as
    // itself (IsIniName) or the line would be too long to read back.
    bool set(const std::string& key, std::u16string_view text);

    // Rewrites the values the reader took as they stand because Qt would
    // rebuild them as objects ("@Variant(...)"), so that Qt's reader, as
    // earlier versions used it, takes them as the same texts. Values that are
    // no valid UTF-8 are left as bytes.
    void respellUnparsedValues();

    std::string bytes() const;

private:
    struct Line {
        std::size_t begin = 0;
        std::size_t end = 0;     // before the line end
        bool parsed = true;      // the value read as the reader's own syntax
        bool validUtf8 = true;
        bool rewritten = false;  // by an edit, which writes the key's text
    };
    // Bytes [at, at + length) of the file give way to the lines of `keys`,
    // under a header for `section` when it is new.
    struct Edit {
        enum Kind { Insert, NewSection, Replace };  // their order at one offset
        Kind kind = Replace;
        std::size_t at = 0;
        std::size_t length = 0;
        std::vector<std::string> keys;
        std::string section;
    };
    struct Insertion {
        std::size_t at = 0;  // after the section's last line
        int edit = -1;       // the lines already added there
    };

    std::string lineFor(const std::string& key) const;

    std::string m_bytes;
    std::string m_newline = "\n";
    Texts m_texts;
    std::unordered_map<std::string, Line> m_lines;  // the line each key was read from
    std::unordered_map<std::string, std::vector<Line>> m_overlong;
    std::unordered_map<std::string, Insertion> m_insertions;  // by section name, "" before any
    std::vector<Edit> m_edits;
};

}  // namespace quorvane::settings
