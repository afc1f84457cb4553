#pragma once
// Hands a document, web address or mail address to the Windows shell, which
// opens it with the program associated with it, and returns at once.

#include <cstdint>
#include <string>

namespace quorvane::win32 {

// Owner value that stands for the desktop window.
inline constexpr std::int32_t kDesktopOwner = -1;

// Opens `target` (UTF-8) with the shell's "open" verb: one file, URL or
// "mailto:" address, never a command line. Returns the shell's status:
// above 32 accepted, 0 to 32 the shell's error codes (2: file not found).
std::int16_t ShellOpen(const std::int32_t& ownerWindow, const std::string& target);

}  // namespace quorvane::win32
