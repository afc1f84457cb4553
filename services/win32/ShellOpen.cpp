#include "services/win32/ShellOpen.h"

// windows.h first: the other Windows headers build on it.
#include <windows.h>
#include <shellapi.h>

#include "services/win32/WideText.h"

namespace quorvane::win32 {

std::int16_t ShellOpen(const std::int32_t& ownerWindow, const std::string& target) {
    const HWND owner = ownerWindow == kDesktopOwner
                           ? ::GetDesktopWindow()
                           : reinterpret_cast<HWND>(static_cast<std::intptr_t>(ownerWindow));
    const std::wstring file = ToWide(target);
    // No parameters: the target is the file and never a command line.
    const auto status = reinterpret_cast<std::intptr_t>(
        ::ShellExecuteW(owner, L"open", file.c_str(), nullptr, L"", SW_SHOW));
    // Accepted requests may answer any value above 32; keep them above 32
    // when narrowed.
    if (status > 32) return status > INT16_MAX ? INT16_MAX : static_cast<std::int16_t>(status);
    return static_cast<std::int16_t>(status);
}

}  // namespace quorvane::win32
