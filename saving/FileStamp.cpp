#include "saving/FileStamp.h"

#include "saving/FileReplace.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace quorvane {

FileStamp StatFile(const QString& path) {
    const QFileInfo info(path);
    FileStamp stamp;
    // A link that leads nowhere or round in a circle still stands in the
    // way of the file: it is there, and not the file.
    stamp.exists = info.exists() || info.isSymLink();
    if (!stamp.exists) return stamp;
    stamp.notAFile = !info.isFile();
    stamp.folder = info.isDir();
    if (stamp.notAFile) return stamp;
    stamp.size = info.size();
    stamp.modified = info.lastModified();
    return stamp;
}

QByteArray ContentHash(std::string_view contents) {
    return QCryptographicHash::hash(QByteArrayView(contents.data(), static_cast<qsizetype>(contents.size())),
                                    QCryptographicHash::Sha256);
}

DiskLook LookAtDisk(const FileStamp& known, const QString& path, bool readContents) {
    DiskLook look{DiskChange::None, StatFile(path)};
    if (!look.now.exists) {
        look.change = known.exists ? DiskChange::Deleted : DiskChange::None;
        return look;
    }
    if (look.now.notAFile) {
        look.change = DiskChange::NotAFile;
        return look;
    }
    if (!known.exists || known.notAFile) {
        look.change = DiskChange::Changed;
    } else if (!readContents && look.now.size == known.size && look.now.modified == known.modified) {
        look.now.hash = known.hash;
        return look;
    }
    // Opened as what it is now: it may have become a pipe since the look.
    QFile file;
    bool notAFile = false;
    if (!OpenRegularFile(file, path, QIODevice::ReadOnly, false, &notAFile).isEmpty()) {
        if (notAFile) look.now = {true, true, false, 0, {}, {}};
        look.change = notAFile ? DiskChange::NotAFile : DiskChange::Changed;
        return look;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) {
        look.change = DiskChange::Changed;
        return look;
    }
    look.now.hash = hash.result();
    if (look.now.hash != known.hash) look.change = DiskChange::Changed;
    return look;
}

}  // namespace quorvane
