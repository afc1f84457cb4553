#include "services/win32/SettingsRegistry.h"

#include <windows.h>

#include <cstring>
#include <limits>

namespace quorvane::win32 {

namespace {

std::wstring SubKey(std::wstring_view key, std::wstring_view section) {
    std::wstring path(key);
    if (!section.empty()) path.append(L"\\").append(section);
    return path;
}

class Key {
public:
    ~Key() {
        if (m_key) ::RegCloseKey(m_key);
    }
    HKEY* out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

std::optional<std::wstring> ReadSettingsText(std::wstring_view key, std::wstring_view section,
                                             std::wstring_view name) {
    Key open;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SubKey(key, section).c_str(), 0, KEY_QUERY_VALUE,
                        open.out()) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName(name);
    // Another program may change the value between the two calls; then the
    // size is asked again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (::RegQueryValueExW(open.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            size > kSettingsTextLimit)
            return std::nullopt;
        // One NUL more than the value holds, for a text stored without its own.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
        DWORD got = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        const LSTATUS status = ::RegQueryValueExW(open.get(), valueName.c_str(), nullptr, &type,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return std::nullopt;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            const std::wstring_view text(buffer.data(), got / sizeof(wchar_t));
            return std::wstring(text.substr(0, text.find(L'\0')));
        }
        if (type == REG_DWORD && got == sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, buffer.data(), sizeof number);
            return std::to_wstring(number);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool WriteSettingsTexts(std::wstring_view key, const std::vector<SettingsText>& texts,
                        unsigned long* error) {
    const auto fail = [error](LSTATUS status) {
        if (error) *error = static_cast<unsigned long>(status);
        return false;
    };
    for (const SettingsText& entry : texts) {
        const std::size_t bytes = (entry.text.size() + 1) * sizeof(wchar_t);
        if (bytes > std::numeric_limits<DWORD>::max()) return fail(ERROR_INVALID_PARAMETER);
        Key open;
        LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, SubKey(key, entry.section).c_str(), 0,
                                           nullptr, 0, KEY_SET_VALUE, nullptr, open.out(), nullptr);
        if (status != ERROR_SUCCESS) return fail(status);
        status = ::RegSetValueExW(open.get(), entry.name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(entry.text.c_str()),
                                  static_cast<DWORD>(bytes));
        if (status != ERROR_SUCCESS) return fail(status);
    }
    return true;
}

}  // namespace quorvane::win32
