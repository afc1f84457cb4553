#include "files/FileLocation.h"

#include "files/RegularFile.h"

#include <filesystem>

namespace quorvane {

std::filesystem::path PathFromUtf8(std::string_view path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string AddBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != kPathSeparator) result += kPathSeparator;
    return result;
}

std::string GetFileName(std::string_view path) {
    const std::size_t last = path.rfind(kPathSeparator);
    if (last == std::string_view::npos) return std::string(path);
    return std::string(path.substr(last + 1));
}

bool FileExists(std::string& path) {
    if (path.empty()) return false;
    if (path.back() == kPathSeparator) path.pop_back();
    try {
        // Opening a folder or a pipe for reading would succeed, or wait for a
        // writer, so only a regular file counts.
        return RegularFile(PathFromUtf8(path)).state() == RegularFileState::Open;
    } catch (...) {
        return false;
    }
}

}  // namespace quorvane
