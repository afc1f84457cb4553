#include "files/FileBytes.h"

#include "files/FileLocation.h"
#include "files/RegularFile.h"

#include <algorithm>
#include <cstdint>

namespace quorvane {

FileBytes ReadRegularFileBytes(const std::string& path, std::size_t limit) {
    FileBytes result;
    // Opened before anything else: whatever the name holds by then is what
    // is judged and read, and a pipe or device is refused unopened to reading.
    RegularFile file(PathFromUtf8(path));
    result.systemError = file.error();
    switch (file.state()) {
        case RegularFileState::Open: break;
        case RegularFileState::Missing: result.status = FileReadStatus::Missing; return result;
        case RegularFileState::NotAFile: result.status = FileReadStatus::NotAFile; return result;
        case RegularFileState::Unreadable: result.status = FileReadStatus::Unreadable; return result;
    }
    const std::uintmax_t size = file.size();
    if (size > limit) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    // The size may have changed since it was asked for, so read up to one byte
    // past the limit rather than trusting it.
    // One byte more than the size, for the read that finds the end: without
    // it that read would double the buffer and copy the whole file.
    result.bytes.reserve(static_cast<std::size_t>(size) + 1);
    constexpr std::size_t kChunk = 1u << 20;
    std::size_t used = 0;
    bool failed = false;
    while (used <= limit) {
        const std::size_t room = result.bytes.capacity() - used;
        const std::size_t want =
            std::min({kChunk, limit + 1 - used, room > 0 ? room : kChunk});
        result.bytes.resize(used + want);
        const std::ptrdiff_t got = file.read(result.bytes.data() + used, want);
        if (got < 0) failed = true;
        if (got <= 0) break;
        used += static_cast<std::size_t>(got);
    }
    result.bytes.resize(used);
    if (failed) {
        result.bytes.clear();
        result.status = FileReadStatus::Unreadable;
        result.systemError = file.error();
    } else if (used > limit) {
        result.bytes.clear();
        result.bytes.shrink_to_fit();
        result.status = FileReadStatus::TooLarge;
    }
    return result;
}

bool IsRegularFileWithin(const std::string& path, std::size_t limit) {
    const RegularFile file(PathFromUtf8(path));
    return file.state() == RegularFileState::Open && file.size() <= limit;
}

}  // namespace quorvane
