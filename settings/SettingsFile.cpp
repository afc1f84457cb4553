#include "settings/SettingsFile.h"

#include "files/FileLocation.h"
#include "files/RegularFile.h"

#include <cerrno>

namespace quorvane::settings {

FileRead ReadSettingsFile(const std::string& path) {
    FileRead result;
    if (path.empty()) {
        result.state = FileState::Unreadable;
        result.error = ENOENT;
        return result;
    }
    RegularFile file(PathFromUtf8(path));
    // RegularFile leaves the system's reason in errno when the open fails.
    const int openError = errno;
    switch (file.state()) {
        case RegularFileState::Open: break;
        case RegularFileState::Missing: return result;
        case RegularFileState::NotAFile: result.state = FileState::NotAFile; return result;
        case RegularFileState::Unreadable:
            result.state = FileState::Unreadable;
            result.error = openError;
            return result;
    }
    result.exists = true;
    if (file.size() > kMaxFileSize) {
        result.state = FileState::TooLarge;
        return result;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(file.size()) + 1);
    std::size_t got = 0;
    for (;;) {
        // The file may have grown since its size was taken.
        if (got == bytes.size()) bytes.resize(std::min(bytes.size() * 2, kMaxFileSize + 1));
        const std::ptrdiff_t n = file.read(bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            result.state = FileState::Unreadable;
            result.error = errno;
            return result;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
        if (got > kMaxFileSize) {
            result.state = FileState::TooLarge;
            return result;
        }
    }
    bytes.resize(got);
    result.document.parse(std::move(bytes));
    return result;
}

}  // namespace quorvane::settings
