#include "saving/FileReplace.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
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

bool SameFile(const QString& a, const QString& b) {
    struct stat first {}, second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

int LinkCount(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return 1;
    return static_cast<int>(info.st_nlink);
}

}  // namespace quorvane
