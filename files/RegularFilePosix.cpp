// The descriptor is opened without waiting (a pipe would otherwise block the
// open until a writer came) and looked at before anything is read from it.
#include "files/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

struct RegularFile::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) ::close(fd);
    }
};

RegularFile::RegularFile(const std::filesystem::path& path) : m_handle(std::make_unique<Handle>()) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        m_state = errno == ENOENT ? RegularFileState::Missing
                  : errno == EISDIR ? RegularFileState::NotAFile
                                    : RegularFileState::Unreadable;
        return;
    }
    m_handle->fd = fd;
    struct stat info {};
    if (::fstat(fd, &info) != 0) return;
    if (!S_ISREG(info.st_mode)) {
        m_state = RegularFileState::NotAFile;
        return;
    }
    m_size = static_cast<std::uintmax_t>(info.st_size);
    m_state = RegularFileState::Open;
}

RegularFile::~RegularFile() = default;

std::ptrdiff_t RegularFile::read(char* into, std::size_t want) {
    if (m_state != RegularFileState::Open) return -1;
    for (;;) {
        const ssize_t got = ::read(m_handle->fd, into, want);
        if (got >= 0) return got;
        if (errno != EINTR) return -1;
    }
}

}  // namespace quorvane
