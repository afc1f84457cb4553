// Windows keeps pipes and devices out of the folders a catalogue lives in,
// so a look at the name before opening it is enough for reading; the
// descriptor open asks the handle what it is as well.
#include "files/RegularFile.h"

#include <fcntl.h>
#include <fstream>
#include <io.h>
#include <windows.h>

namespace quorvane {

namespace {

// Far past any catalogue's end: a lock there keeps savers out of each other
// without keeping anyone from reading the bytes.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

RegularDescriptor Failed(RegularFileState state, DWORD error, HANDLE handle = INVALID_HANDLE_VALUE) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    return {-1, state, false, static_cast<int>(error)};
}

}  // namespace

RegularDescriptor OpenRegularDescriptor(const std::filesystem::path& path, FileAccess access, bool lock) {
    const bool writing = access == FileAccess::ReadWrite;
    DWORD wanted = GENERIC_READ;
    if (writing) wanted |= GENERIC_WRITE;
    // Locked, other programs may still read the file but not write it.
    DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE;
    if (!lock) share |= FILE_SHARE_WRITE;
    const HANDLE handle = CreateFileW(path.c_str(), wanted, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD why = GetLastError();
        if (why == ERROR_FILE_NOT_FOUND || why == ERROR_PATH_NOT_FOUND)
            return Failed(RegularFileState::Missing, why);
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return Failed(RegularFileState::NotAFile, ERROR_DIRECTORY);
        // Held open for writing by another saver, or by another program.
        RegularDescriptor refused = Failed(RegularFileState::Unreadable, why);
        refused.busy = lock && why == ERROR_SHARING_VIOLATION;
        return refused;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return Failed(RegularFileState::Unreadable, GetLastError(), handle);
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Failed(RegularFileState::NotAFile, ERROR_DIRECTORY, handle);
    if (GetFileType(handle) != FILE_TYPE_DISK) return Failed(RegularFileState::NotAFile, ERROR_INVALID_FUNCTION, handle);
    if (lock) {
        OVERLAPPED at{};
        at.OffsetHigh = kLockOffsetHigh;
        if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
            const DWORD why = GetLastError();
            RegularDescriptor refused = Failed(RegularFileState::Unreadable, why, handle);
            refused.busy = why == ERROR_LOCK_VIOLATION || why == ERROR_IO_PENDING;
            return refused;
        }
    }
    // Closing the descriptor closes the handle, and with it the lock.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle),
                                   writing ? _O_RDWR | _O_BINARY : _O_RDONLY | _O_BINARY);
    if (fd < 0) return Failed(RegularFileState::Unreadable, ERROR_INVALID_HANDLE, handle);
    return {fd, RegularFileState::Open, false, 0};
}

struct RegularFile::Handle {
    std::ifstream stream;
};

RegularFile::RegularFile(const std::filesystem::path& path) : m_handle(std::make_unique<Handle>()) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        m_state = RegularFileState::Missing;
        m_error = ERROR_FILE_NOT_FOUND;
        return;
    }
    if (ec) {
        m_error = ec.value();
        return;
    }
    if (!fs::is_regular_file(status)) {
        m_state = RegularFileState::NotAFile;
        m_error = ERROR_DIRECTORY;
        return;
    }
    m_handle->stream.open(path, std::ios::in | std::ios::binary);
    if (!m_handle->stream.is_open()) {
        m_error = static_cast<int>(GetLastError());
        m_state = fs::exists(path, ec) ? RegularFileState::Unreadable : RegularFileState::Missing;
        return;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    m_size = ec ? 0 : size;
    m_state = RegularFileState::Open;
}

RegularFile::~RegularFile() = default;

std::ptrdiff_t RegularFile::read(char* into, std::size_t want) {
    if (m_state != RegularFileState::Open) return -1;
    std::ifstream& stream = m_handle->stream;
    if (stream.eof()) return 0;
    stream.read(into, static_cast<std::streamsize>(want));
    if (stream.bad()) {
        m_error = static_cast<int>(GetLastError());
        return -1;
    }
    return static_cast<std::ptrdiff_t>(stream.gcount());
}

}  // namespace quorvane
