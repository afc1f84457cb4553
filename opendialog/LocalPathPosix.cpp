// A file name's bytes as the system has them.
#include "opendialog/OpenDialog.h"

#include <QFile>

namespace quorvane {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace quorvane
