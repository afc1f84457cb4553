#include "catalogue/ui/FileReplace.h"

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

int LinkCount(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return 1;
    return static_cast<int>(info.st_nlink);
}

}  // namespace quorvane
