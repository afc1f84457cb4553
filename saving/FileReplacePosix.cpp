#include "saving/FileReplace.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

QString MoveReplacing(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return {};
    return qt_error_string(errno);
}

QString SyncToDisk(QFileDevice& file) {
    if (::fsync(file.handle()) == 0) return {};
    return qt_error_string(errno);
}

QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode, bool lock,
                        bool* notAFile) {
    if (notAFile) *notAFile = false;
    const int access = mode.testFlag(QIODevice::WriteOnly)
                           ? (mode.testFlag(QIODevice::ReadOnly) ? O_RDWR : O_WRONLY)
                           : O_RDONLY;
    // Without O_NONBLOCK opening a pipe waits for a writer, perhaps for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (notAFile) *notAFile = errno == EISDIR;
        return qt_error_string(errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int why = errno;
        ::close(fd);
        return qt_error_string(why);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        if (notAFile) *notAFile = true;
        return qt_error_string(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    }
    // Another Quorvane saving holds the lock for a moment only: waiting
    // would freeze the window behind a program that never lets go.
    if (lock && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        ::close(fd);
        return qt_error_string(why);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}

QByteArray FileIdentity(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
    const long long fields[] = {static_cast<long long>(info.st_dev), static_cast<long long>(info.st_ino),
                                static_cast<long long>(info.st_size), static_cast<long long>(info.st_mode),
                                info.st_mtim.tv_sec, info.st_mtim.tv_nsec,
                                info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
    return QByteArray(reinterpret_cast<const char*>(fields), sizeof fields);
}

// The lock belongs to the old file and keeps other savers waiting until
// its descriptor closes, after the replace.
void ReleaseBeforeReplace(QFile&) {}

int LinkCount(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return 1;
    return static_cast<int>(info.st_nlink);
}

}  // namespace quorvane
