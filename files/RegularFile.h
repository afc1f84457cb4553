#pragma once
// A file opened only once it is known to be a plain file. Another program may
// put a pipe, a device or a folder where the catalogue was, even between a
// look at the name and the opening: such a thing is never waited on nor read
// without end.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace quorvane {

enum class RegularFileState { Open, Missing, NotAFile, Unreadable };

class RegularFile {
public:
    explicit RegularFile(const std::filesystem::path& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    RegularFileState state() const { return m_state; }
    // The size of the opened file; only a hint, as it may still grow.
    std::uintmax_t size() const { return m_size; }
    // Up to `want` bytes; 0 at the end, -1 when reading failed.
    std::ptrdiff_t read(char* into, std::size_t want);
    // The system's error number for the last failure (errno here, the
    // Windows error code there); 0 when there was none or it is unknown.
    int error() const { return m_error; }

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    RegularFileState m_state = RegularFileState::Unreadable;
    std::uintmax_t m_size = 0;
    int m_error = 0;
};

enum class FileAccess { Read, ReadWrite };

// A C runtime descriptor of a plain file, for code that hands it on (to a
// QFile); the caller owns and closes it.
struct RegularDescriptor {
    int descriptor = -1;
    RegularFileState state = RegularFileState::Unreadable;
    // The lock was refused because another holder has it right now.
    bool busy = false;
    int error = 0;  // as RegularFile::error()
};

// Opens `path` as RegularFile does, for reading or for both. With `lock`,
// every other opening with `lock` (another Quorvane saving) is refused
// while the descriptor stays open; plain readers are not kept out.
RegularDescriptor OpenRegularDescriptor(const std::filesystem::path& path, FileAccess access, bool lock);

}  // namespace quorvane
