#include "services/win32/Registry.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "services/win32/WideText.h"

namespace quorvane::win32 {

namespace {

HKEY RootKey(std::int32_t root) {
    // Predefined keys are 32-bit values, sign-extended into a 64-bit handle.
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(root));
}

class OpenKey {
public:
    OpenKey(HKEY root, const std::wstring& name) {
        m_ok = ::RegOpenKeyExW(root, name.c_str(), 0, KEY_READ, &m_key) == ERROR_SUCCESS;
    }
    ~OpenKey() {
        if (m_ok) ::RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    bool ok() const { return m_ok; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
    bool m_ok = false;
};

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

bool GetKeyValue(const std::int32_t& KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    const OpenKey key(RootKey(KeyRoot), ToWide(KeyName));
    if (!key.ok()) {
        KeyVal.clear();
        return false;
    }
    // The buffer starts as NULs, so text stored without its own NUL still ends.
    std::vector<wchar_t> buffer(kRegistryValueBufferSize, L'\0');
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const std::wstring name = ToWide(SubKeyRef);
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
        (!IsText(type) && size > kRegistryValueBufferSize)) {
        KeyVal.clear();
        return false;
    }

    switch (type) {
        case REG_SZ: {
            const std::wstring_view text(buffer.data(), buffer.size());
            if (text.find(L'\0') == std::wstring_view::npos)
                throw RegistryValueError("registry value fills its buffer with no end");
            KeyVal = ToUtf8(CutAtNul(text));
            break;
        }
        case REG_DWORD: {
            const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
            std::string hex = "&h";
            char digits[3];
            for (DWORD i = size; i > 0; --i) {
                std::snprintf(digits, sizeof digits, "%02X", bytes[i - 1]);
                hex += digits;
            }
            KeyVal = hex;
            break;
        }
        default:
            break;
    }
    return true;
}

}  // namespace quorvane::win32
