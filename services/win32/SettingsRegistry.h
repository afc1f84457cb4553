#pragma once
// The window's settings in the per-user registry: each section a subkey of
// one key below HKEY_CURRENT_USER, each key a REG_SZ value. Texts go in and
// come out exactly as given, whatever they hold: no character is escaped,
// and nothing is taken for a serialised object.

#include "ProgramInfo.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::win32 {

// Below HKEY_CURRENT_USER; the key Qt's native settings used for the
// program's vendor and product, so earlier versions' settings are found there.
inline constexpr std::wstring_view kSettingsKey = kSettingsRegistryKey;

// A longer value is not read, as a longer line of the settings file is not.
inline constexpr std::size_t kSettingsTextLimit = 1024 * 1024;  // bytes

struct SettingsText {
    std::wstring section;  // empty for a value of the key itself
    std::wstring name;
    std::wstring text;
};

// The text of `name` in subkey `section` of `key`: REG_SZ or REG_EXPAND_SZ
// as stored, up to its first NUL, REG_DWORD as its decimal number. Nothing
// when the value is missing, of another type or over kSettingsTextLimit.
// Names match without regard to letter case, as the system's do.
std::optional<std::wstring> ReadSettingsText(std::wstring_view key, std::wstring_view section,
                                             std::wstring_view name);

// Writes every text as REG_SZ, creating the subkeys it needs. False, with
// the system's error code in `error`, at the first that cannot be written.
bool WriteSettingsTexts(std::wstring_view key, const std::vector<SettingsText>& texts,
                        unsigned long* error = nullptr);

}  // namespace quorvane::win32
