#include "services/win32/SystemFolders.h"

// windows.h first: the other Windows headers build on it.
#include <windows.h>
#include <shlobj.h>

#include "services/win32/WideText.h"

namespace quorvane::win32 {

namespace {

// The three directory calls write at most this many characters; a longer
// path answers empty text rather than a cut one.
constexpr UINT kDirectoryBuffer = 256;

template <typename Call>
std::string Directory(Call call) {
    std::wstring buffer(kDirectoryBuffer, L'\0');
    const UINT n = call(buffer.data(), kDirectoryBuffer);
    if (n == 0 || n >= kDirectoryBuffer) return {};
    return ToUtf8(CutAtNul(buffer));
}

}  // namespace

std::string WindowsFolder() {
    return Directory([](wchar_t* b, UINT size) { return ::GetWindowsDirectoryW(b, size); });
}

std::string SystemFolder() {
    return Directory([](wchar_t* b, UINT size) { return ::GetSystemDirectoryW(b, size); });
}

std::string TempFolder() {
    return Directory(
        [](wchar_t* b, UINT size) { return static_cast<UINT>(::GetTempPathW(size, b)); });
}

std::string SpecialFolderPath(std::int32_t folderId) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (::SHGetSpecialFolderLocation(::GetDesktopWindow(), folderId, &list) != S_OK ||
        list == nullptr)
        return {};
    // The shell writes up to MAX_PATH characters and takes no size.
    std::wstring path(MAX_PATH + 1, L'\0');
    const bool found = ::SHGetPathFromIDListW(list, path.data());
    ::CoTaskMemFree(list);
    return found ? ToUtf8(CutAtNul(path)) : std::string();
}

}  // namespace quorvane::win32
