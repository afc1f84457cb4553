#pragma once
// The Windows, system and temporary folders and the shell's special folders,
// asked of the system afresh on every call. Paths are UTF-8; a folder the
// system cannot supply is empty text.

#include <cstdint>
#include <string>

namespace quorvane::win32 {

std::string WindowsFolder();
std::string SystemFolder();
std::string TempFolder();  // ends with "\", as the system returns it

// The shell's folder identifiers (CSIDL values) that the program asks for.
inline constexpr std::int32_t kDesktop = 0;
inline constexpr std::int32_t kPrograms = 2;
inline constexpr std::int32_t kPersonal = 5;
inline constexpr std::int32_t kFavorites = 6;
inline constexpr std::int32_t kStartup = 7;
inline constexpr std::int32_t kRecent = 8;
inline constexpr std::int32_t kSendTo = 9;
inline constexpr std::int32_t kStartMenu = 11;
inline constexpr std::int32_t kFonts = 20;

std::string SpecialFolderPath(std::int32_t folderId);

}  // namespace quorvane::win32
