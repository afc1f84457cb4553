#pragma once
// A whole file read at once, if it is a plain file and no larger than a limit:
// a pipe or a device put where a data file was is neither waited on nor read
// without end.

#include <cstddef>
#include <string>

namespace quorvane {

enum class FileReadStatus { Ok, Missing, NotAFile, Unreadable, TooLarge };

struct FileBytes {
    FileReadStatus status = FileReadStatus::Ok;
    std::string bytes;
    // The system's error number when the file could not be opened or read
    // (as RegularFile::error() gives it); 0 when none is known.
    int systemError = 0;
};

// The file at `path` (UTF-8), at most `limit` bytes; the file is closed again
// whatever happens.
FileBytes ReadRegularFileBytes(const std::string& path, std::size_t limit);

// Whether `path` opens as a plain file of at most `limit` bytes, for a file
// handed to another program rather than read here.
bool IsRegularFileWithin(const std::string& path, std::size_t limit);

}  // namespace quorvane
