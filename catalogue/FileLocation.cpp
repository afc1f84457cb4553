#include "catalogue/FileLocation.h"

#include <filesystem>
#include <fstream>

namespace quorvane {

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
        std::error_code ec;
        if (!std::filesystem::is_regular_file(std::filesystem::path(path), ec)) return false;
        std::ifstream file(path, std::ios::in | std::ios::binary);
        return file.is_open();
    } catch (...) {
        return false;
    }
}

}  // namespace quorvane
