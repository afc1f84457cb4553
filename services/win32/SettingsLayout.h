#pragma once
// Where the window's settings live on Windows: the per-user registry, where
// Qt's native settings format puts application "OvrekSoft\Quorvane". Each
// section is a subkey and each key a text value (REG_SZ), with the same
// texts as the settings file on other systems.

#include <array>
#include <string_view>

namespace quorvane::win32 {

// Below HKEY_CURRENT_USER.
inline constexpr std::wstring_view kSettingsKey = L"Software\\OvrekSoft\\Quorvane";

struct SettingsValue {
    std::wstring_view section;  // subkey of kSettingsKey
    std::wstring_view key;      // value name
    std::wstring_view example;  // a text the window writes there
};

// Every value the window writes at close, with the texts of a first run.
inline constexpr std::array<SettingsValue, 8> kSettingsValues{{
    {L"Window", L"Top", L"100"},
    {L"Window", L"Left", L"100"},
    {L"Option", L"Reset", L"True"},
    {L"Option", L"ResetNum", L"100000"},
    {L"Option", L"RealTime", L"True"},
    {L"Option", L"Base", L"True"},
    {L"Option", L"DayOpt", L"YearDay"},
    {L"SoftInfo", L"Vertion", L"1.22"},
}};

}  // namespace quorvane::win32
