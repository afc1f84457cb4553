#pragma once
// Small helpers that locate files. Paths are plain texts with one separator
// character; on Windows it is the backslash, here the slash stands in its
// place. Nothing else (drive letters, the other slash) is looked at.

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Paths are carried as UTF-8 texts; this is the one way to hand one to the
// file system, so that on Windows a name outside the ANSI code page still
// reaches the wide-character calls intact.
std::filesystem::path PathFromUtf8(std::string_view path);

// The path ending in exactly the one separator it had or is given; the empty
// path gives the separator alone.
std::string AddBackslash(std::string_view path);

// The text after the last separator: empty for an empty path or one that ends
// in a separator, the whole path when it has none.
std::string GetFileName(std::string_view path);

// Whether the path names a file that can be opened for reading. Removes one
// trailing separator from the caller's text first. Never throws.
bool FileExists(std::string& path);

}  // namespace quorvane
