#include "saving/FileReplace.h"

#include "files/FileLocation.h"
#include "files/RegularFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quorvane {

QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode, bool lock,
                        bool* notAFile, bool* busy) {
    if (notAFile) *notAFile = false;
    if (busy) *busy = false;
    const FileAccess access = mode.testFlag(QIODevice::WriteOnly) ? FileAccess::ReadWrite : FileAccess::Read;
    const RegularDescriptor opened = OpenRegularDescriptor(PathFromUtf8(path.toStdString()), access, lock);
    if (opened.state != RegularFileState::Open) {
        if (notAFile) *notAFile = opened.state == RegularFileState::NotAFile;
        if (busy) *busy = opened.busy;
        return qt_error_string(opened.error);
    }
    if (!file.open(opened.descriptor, mode, QFileDevice::AutoCloseHandle)) {
#ifdef _WIN32
        _close(opened.descriptor);
#else
        ::close(opened.descriptor);
#endif
        return file.errorString();
    }
    return {};
}

}  // namespace quorvane
