#pragma once
// A file opened for reading only once it is known to be a plain file. Another
// program may put a pipe, a device or a folder where the catalogue was, even
// between a look at the name and the opening: such a thing is never waited
// on nor read without end.

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

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    RegularFileState m_state = RegularFileState::Unreadable;
    std::uintmax_t m_size = 0;
};

}  // namespace quorvane
