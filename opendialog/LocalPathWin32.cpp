// The catalogue code takes paths in UTF-8 with backslashes. Qt writes "/",
// and its local 8-bit encoding is the ANSI code page, which cannot hold a
// Japanese file name on most machines.
#include "opendialog/OpenDialog.h"

#include <QDir>

namespace quorvane {

std::string LocalPath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

QString FromLocalPath(const std::string& path) { return QString::fromStdString(path); }

}  // namespace quorvane
