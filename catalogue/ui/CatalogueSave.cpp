#include "catalogue/ui/CatalogueSave.h"

#include "catalogue/ui/FileReplace.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <memory>
#include <optional>

namespace quorvane {

namespace {

// The reasons are shown in the editor's messages, in the program's face.
struct SaveText {
    Q_DECLARE_TR_FUNCTIONS(CatalogueSave)
};

QString Reason(QFileDevice::FileError error, const QString& fileName, const QString& detail) {
    QString why;
    switch (error) {
        case QFileDevice::OpenError:
        case QFileDevice::PermissionsError:
            why = SaveText::tr("%1 に書き込む権限がありません。").arg(fileName);
            break;
        case QFileDevice::WriteError:
        case QFileDevice::ResizeError:
            why = SaveText::tr("%1 を書き込めませんでした。ディスクの空きが足りない可能性があります。")
                      .arg(fileName);
            break;
        case QFileDevice::RenameError:
            why = SaveText::tr("%1 を置き換えられませんでした。ほかのプログラムが使用中の可能性があります。")
                      .arg(fileName);
            break;
        default: why = SaveText::tr("%1 を書き込めませんでした。").arg(fileName); break;
    }
    return detail.isEmpty() ? why : why + QStringLiteral("\n(") + detail + QLatin1Char(')');
}

QString FileName(const QString& path) { return QFileInfo(path).fileName(); }

// Writes and flushes the whole of `bytes`; the flush is checked here because
// a close clears the system's reason and leaves only "Unknown error".
QString WriteWhole(QFileDevice& file, const QByteArray& bytes) {
    if (file.write(bytes) != bytes.size() || !file.flush()) return file.errorString();
    return {};
}

// A finished copy of `bytes` beside `target` under a passing name, with the
// given permissions and on the disk.
struct Copy {
    std::unique_ptr<QTemporaryFile> file;
    SaveResult failure;
};

Copy WriteCopy(const QString& target, const QByteArray& bytes, QFileDevice::Permissions mode) {
    const QString name = FileName(target);
    auto file = std::make_unique<QTemporaryFile>(target + QStringLiteral(".XXXXXX"));
    if (!file->open()) return {nullptr, {false, Reason(QFileDevice::OpenError, name, file->errorString())}};
    if (!file->setPermissions(mode))
        return {nullptr, {false, Reason(QFileDevice::PermissionsError, name, file->errorString())}};
    QString why = WriteWhole(*file, bytes);
    if (why.isEmpty()) why = SyncToDisk(*file);
    if (!why.isEmpty()) return {nullptr, {false, Reason(QFileDevice::WriteError, name, why)}};
    file->close();
    // Read back: the copy is what a failed save is restored from.
    if (!file->open() || file->readAll() != bytes)
        return {nullptr, {false, Reason(QFileDevice::WriteError, name, file->errorString())}};
    file->close();
    return {std::move(file), {true, {}}};
}

// The backup file in place, with the one it replaced set aside until the
// catalogue itself has been replaced, so that a failed save can put it back.
class Backup {
public:
    explicit Backup(QString path) : m_path(std::move(path)) {}
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;

    SaveResult install(std::unique_ptr<QTemporaryFile> copy) {
        const QFileInfo previous(m_path);
        if (previous.exists() || previous.isSymLink()) {
            QString asideName;
            {
                QTemporaryFile aside(m_path + QStringLiteral(".XXXXXX"));
                if (!aside.open())
                    return {false, Reason(QFileDevice::OpenError, FileName(m_path), aside.errorString())};
                aside.setAutoRemove(false);
                asideName = aside.fileName();
            }
            if (const QString why = MoveReplacing(m_path, asideName); !why.isEmpty()) {
                QFile::remove(asideName);
                return {false, Reason(QFileDevice::RenameError, FileName(m_path), why)};
            }
            m_aside = asideName;
        }
        // On Windows a closed QTemporaryFile still holds its file open, and
        // an open file can be neither moved nor replaced: only its end lets go.
        const QString copyName = copy->fileName();
        copy->setAutoRemove(false);
        copy.reset();
        if (const QString why = MoveReplacing(copyName, m_path); !why.isEmpty()) {
            QFile::remove(copyName);
            putBack();
            return {false, Reason(QFileDevice::RenameError, FileName(m_path), why)};
        }
        m_installed = true;
        return {true, {}};
    }

    // The save failed: the previous backup returns as it was.
    void putBack() {
        if (!m_aside.isEmpty()) {
            if (MoveReplacing(m_aside, m_path).isEmpty()) m_aside.clear();
        } else if (m_installed) {
            QFile::remove(m_path);
        }
        m_installed = false;
    }

    // The save succeeded: the previous backup goes (a link there is removed
    // as a link, its target untouched).
    void keep() {
        if (!m_aside.isEmpty()) QFile::remove(m_aside);
        m_aside.clear();
    }

private:
    QString m_path;
    QString m_aside;
    bool m_installed = false;
};

struct InPlace {
    SaveResult saved;
    bool oldContentsBack = true;  // false: only the backup holds them now
};

// A file with other hard links is rewritten where it is, so that every name
// sees the new contents; the old bytes go back on failure.
InPlace WriteInPlace(const QString& path, const QByteArray& bytes, const QByteArray& old) {
    const QString name = FileName(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {{false, Reason(QFileDevice::OpenError, name, file.errorString())}};
    QString why;
    if (!file.resize(0)) why = file.errorString();
    if (why.isEmpty()) why = WriteWhole(file, bytes);
    if (why.isEmpty()) why = SyncToDisk(file);
    if (why.isEmpty()) return {{true, {}}};

    InPlace failed{{false, Reason(QFileDevice::WriteError, name, why)}};
    failed.oldContentsBack = file.seek(0) && file.resize(0) && WriteWhole(file, old).isEmpty() &&
                             SyncToDisk(file).isEmpty();
    if (!failed.oldContentsBack)
        failed.saved.reason +=
            SaveText::tr("\n元の内容を戻せませんでした。%1.bak に保存してあります。").arg(name);
    return failed;
}

// Opens `file` and writes the whole of `bytes` to its passing name; nothing
// is replaced until it is committed.
SaveResult Stage(QSaveFile& file, const QByteArray& bytes) {
    const QString name = FileName(file.fileName());
    if (!file.open(QIODevice::WriteOnly)) return {false, Reason(QFileDevice::OpenError, name, file.errorString())};
    if (const QString why = WriteWhole(file, bytes); !why.isEmpty()) {
        file.cancelWriting();
        return {false, Reason(QFileDevice::WriteError, name, why)};
    }
    return {true, {}};
}

}  // namespace

SaveResult ReplaceWithBackup(const QString& path, const QByteArray& bytes) {
    const QString name = FileName(path);
    QFile previous(path);
    const bool replacing = previous.exists();
    QByteArray old;
    QFileDevice::Permissions mode;
    const QString backupPath = path + QStringLiteral(".bak");
    if (replacing) {
        if (!previous.open(QIODevice::ReadOnly))
            return {false, Reason(QFileDevice::OpenError, name, previous.errorString())};
        old = previous.readAll();
        if (previous.error() != QFileDevice::NoError)
            return {false, SaveText::tr("%1 を読めませんでした。\n(%2)").arg(name, previous.errorString())};
        previous.close();
        mode = previous.permissions();
    }

    if (replacing && LinkCount(path) > 1) {
        Copy copy = WriteCopy(backupPath, old, mode);
        if (!copy.file) return copy.failure;
        Backup backup(backupPath);
        if (SaveResult installed = backup.install(std::move(copy.file)); !installed.ok) return installed;
        const InPlace written = WriteInPlace(path, bytes, old);
        // Where the old contents could not be put back, the new backup is
        // the only place that still holds them: it stays.
        if (written.saved.ok || !written.oldContentsBack) backup.keep();
        else backup.putBack();
        return written.saved;
    }

    // The new catalogue is written whole before anything is replaced: a full
    // disk or a refused folder leaves the catalogue and its backup as they were.
    // A catalogue that is a symbolic link is written through to its target.
    QSaveFile file(path);
    if (SaveResult staged = Stage(file, bytes); !staged.ok) return staged;
    std::optional<Backup> backup;
    if (replacing) {
        Copy copy = WriteCopy(backupPath, old, mode);
        if (!copy.file) {
            file.cancelWriting();
            return copy.failure;
        }
        backup.emplace(backupPath);
        if (SaveResult installed = backup->install(std::move(copy.file)); !installed.ok) {
            file.cancelWriting();
            return installed;
        }
    }
    if (!file.commit()) {
        if (backup) backup->putBack();
        return {false, Reason(file.error(), name, file.errorString())};
    }
    if (backup) backup->keep();
    return {true, {}};
}

bool CanWriteInFolder(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.quorvane-XXXXXX"));
    return probe.open();
}

}  // namespace quorvane
