// The descriptor is opened without waiting (a pipe would otherwise block the
// open until a writer came) and looked at before anything is read from it.
#include "files/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

RegularDescriptor Failed(RegularFileState state, int error, int fd = -1) {
    if (fd >= 0) ::close(fd);
    return {-1, state, false, error};
}

}  // namespace

RegularDescriptor OpenRegularDescriptor(const std::filesystem::path& path, FileAccess access, bool lock) {
    const int mode = access == FileAccess::ReadWrite ? O_RDWR : O_RDONLY;
    const int fd = ::open(path.c_str(), mode | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int why = errno;
        return Failed(why == ENOENT ? RegularFileState::Missing
                      : why == EISDIR ? RegularFileState::NotAFile
                                      : RegularFileState::Unreadable,
                      why);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) return Failed(RegularFileState::Unreadable, errno, fd);
    if (!S_ISREG(info.st_mode))
        return Failed(RegularFileState::NotAFile, S_ISDIR(info.st_mode) ? EISDIR : EINVAL, fd);
    // Another Quorvane saving holds the lock for a moment only: waiting here
    // would freeze the window behind a program that never lets go.
    if (lock && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        RegularDescriptor refused = Failed(RegularFileState::Unreadable, why, fd);
        refused.busy = why == EWOULDBLOCK;
        return refused;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {fd, RegularFileState::Open, false, 0};
}

struct RegularFile::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) ::close(fd);
    }
};

RegularFile::RegularFile(const std::filesystem::path& path) : m_handle(std::make_unique<Handle>()) {
    const RegularDescriptor opened = OpenRegularDescriptor(path, FileAccess::Read, false);
    m_state = opened.state;
    m_error = opened.error;
    if (opened.state != RegularFileState::Open) return;
    m_handle->fd = opened.descriptor;
    struct stat info {};
    if (::fstat(opened.descriptor, &info) != 0) {
        m_error = errno;
        m_state = RegularFileState::Unreadable;
        return;
    }
    m_size = static_cast<std::uintmax_t>(info.st_size);
}

RegularFile::~RegularFile() = default;

std::ptrdiff_t RegularFile::read(char* into, std::size_t want) {
    if (m_state != RegularFileState::Open) return -1;
    for (;;) {
        const ssize_t got = ::read(m_handle->fd, into, want);
        if (got >= 0) return got;
        if (errno != EINTR) {
            m_error = errno;
            return -1;
        }
    }
}

}  // namespace quorvane
