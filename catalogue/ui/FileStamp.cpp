#include "catalogue/ui/FileStamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace quorvane {

FileStamp StatFile(const QString& path) {
    const QFileInfo info(path);
    FileStamp stamp;
    stamp.exists = info.exists();
    if (!stamp.exists) return stamp;
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
    if (!known.exists) {
        look.change = DiskChange::Changed;
    } else if (!readContents && look.now.size == known.size && look.now.modified == known.modified) {
        look.now.hash = known.hash;
        return look;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        look.change = DiskChange::Changed;
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
