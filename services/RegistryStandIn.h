#pragma once
// A small read-only stand-in for the machine-wide registry: the keys and typed
// values under HKEY_LOCAL_MACHINE, kept in a text file that only an
// administrator writes. The file is read afresh on every look-up, so nothing
// stays open and an edit takes effect at once.
//
//   ; comment
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   PATH=REG_SZ:/usr/bin/gnome-system-monitor
//   Flags=REG_DWORD:0x10
//   Blob=REG_BINARY:00 ff 10
//
// Key and value names match without regard to letter case. "@" names a key's
// unnamed value. The part after "=" may be enclosed in double quotes to keep
// blanks at its ends. Types: REG_SZ and REG_EXPAND_SZ (UTF-8 text), REG_DWORD
// and REG_QWORD (decimal or 0x hex), REG_BINARY and REG_NONE (hex bytes).
// Lines the reader does not understand are skipped.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

namespace quorvane {

// Root key handles, as the 32-bit values the registry functions take.
inline constexpr std::int32_t HKEY_CLASSES_ROOT = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t HKEY_CURRENT_USER = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t HKEY_LOCAL_MACHINE = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::int32_t HKEY_USERS = static_cast<std::int32_t>(0x80000003u);

enum RegistryType : std::uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_QWORD = 11,
};

struct RegistryValue {
    std::uint32_t type = REG_NONE;
    QByteArray data;  // as the registry stores it: text ends with its NUL
};

class RegistryStandIn {
public:
    // Reads `file`; a missing or unreadable file is a store with no keys.
    explicit RegistryStandIn(const QString& file);

    // Whether the key can be opened: the root is HKEY_LOCAL_MACHINE and the
    // key, or a key below it, is in the file. The empty name opens the root.
    bool hasKey(std::int32_t root, const QString& keyName) const;

    std::optional<RegistryValue> value(std::int32_t root, const QString& keyName,
                                       const QString& valueName) const;

private:
    struct Entry {
        QString key;   // case-folded path below the root, no outer "\"
        QString name;  // case-folded value name
        RegistryValue value;
    };
    std::vector<Entry> m_entries;
    std::vector<QString> m_keys;
    bool m_readable = false;
};

// A value that fills the whole 1024-byte buffer with no NUL in it has no end
// to cut the text at.
class RegistryValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Size of the buffer a value is read into; a longer value is not read.
inline constexpr int RegistryValueBufferSize = 1024;

// Reads one value from the stand-in in `registryFile` into `KeyVal` as text.
// False, with `KeyVal` emptied, when the key cannot be opened or the value is
// missing or longer than the buffer. True otherwise: REG_SZ gives the text,
// REG_DWORD "&h" and the value's bytes in hex from the last to the first
// ("&h00000010"), and any other type leaves `KeyVal` as it was.
// Throws RegistryValueError for a value that cannot be cut (see above).
bool GetKeyValue(const QString& registryFile, const std::int32_t& KeyRoot,
                 const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

}  // namespace quorvane
