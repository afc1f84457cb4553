#include "services/win32/WideText.h"

#include <windows.h>

#include <climits>

namespace quorvane::win32 {

std::wstring ToWide(std::string_view utf8) {
    std::wstring wide;
    if (utf8.empty() || utf8.size() > INT_MAX) return wide;
    wide.resize(utf8.size());  // never more UTF-16 units than UTF-8 bytes
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                        wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return wide;
}

std::string ToUtf8(std::wstring_view wide) {
    std::string utf8;
    if (wide.empty() || wide.size() > INT_MAX / 3) return utf8;
    utf8.resize(wide.size() * 3);  // a surrogate pair's four bytes fit in its two units' six
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                        utf8.data(), static_cast<int>(utf8.size()), nullptr,
                                        nullptr);
    utf8.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return utf8;
}

std::wstring_view CutAtNul(std::wstring_view text) {
    const std::size_t nul = text.find(L'\0');
    return nul == std::wstring_view::npos ? text : text.substr(0, nul);
}

std::string ErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring_view text(buffer, buffer ? n : 0);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.remove_suffix(1);
    std::string result = text.empty() ? "error " + std::to_string(code) : ToUtf8(text);
    if (buffer) ::LocalFree(buffer);
    return result;
}

}  // namespace quorvane::win32
