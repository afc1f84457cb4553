#include "catalogue/ui/CatalogueSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace quorvane {

namespace {

QString Reason(QFileDevice::FileError error, const QString& fileName, const QString& detail) {
    QString why;
    switch (error) {
        case QFileDevice::OpenError:
        case QFileDevice::PermissionsError:
            why = QStringLiteral("%1 に書き込む権限がありません。").arg(fileName);
            break;
        case QFileDevice::WriteError:
        case QFileDevice::ResizeError:
            why = QStringLiteral("%1 を書き込めませんでした。ディスクの空きが足りない可能性があります。")
                      .arg(fileName);
            break;
        case QFileDevice::RenameError:
            why = QStringLiteral("%1 を置き換えられませんでした。ほかのプログラムが使用中の可能性があります。")
                      .arg(fileName);
            break;
        default: why = QStringLiteral("%1 を書き込めませんでした。").arg(fileName); break;
    }
    return detail.isEmpty() ? why : why + QStringLiteral("\n(") + detail + QLatin1Char(')');
}

SaveResult WriteAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.open(QIODevice::WriteOnly)) return {false, Reason(QFileDevice::OpenError, name, file.errorString())};
    if (file.write(bytes) != bytes.size()) {
        const SaveResult failed{false, Reason(QFileDevice::WriteError, name, file.errorString())};
        file.cancelWriting();
        return failed;
    }
    if (!file.commit()) return {false, Reason(file.error(), name, file.errorString())};
    return {true, {}};
}

}  // namespace

SaveResult ReplaceWithBackup(const QString& path, const QByteArray& bytes) {
    QFile previous(path);
    if (previous.exists()) {
        // The copy is made whole before the file is touched; without it
        // nothing is replaced.
        if (!previous.open(QIODevice::ReadOnly))
            return {false, Reason(QFileDevice::OpenError, QFileInfo(path).fileName(),
                                  previous.errorString())};
        const QByteArray old = previous.readAll();
        if (previous.error() != QFileDevice::NoError)
            return {false, QStringLiteral("%1 を読めませんでした。\n(%2)")
                               .arg(QFileInfo(path).fileName(), previous.errorString())};
        previous.close();
        if (SaveResult backup = WriteAtomically(path + QStringLiteral(".bak"), old); !backup.ok)
            return backup;
    }
    return WriteAtomically(path, bytes);
}

bool CanWriteInFolder(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.quorvane-XXXXXX"));
    return probe.open();
}

}  // namespace quorvane
