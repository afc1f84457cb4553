#include "saving/CatalogueSave.h"

#include "saving/FileReplace.h"

#include <QCryptographicHash>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QThread>
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
// a close clears the system's reason and leaves only "Unknown error". Qt
// takes a short write (the disk filled up halfway) without a reason: only
// the next try at the rest fails with the system's own words.
QString WriteWhole(QFileDevice& file, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) return file.errorString();
        done += written;
    }
    if (!file.flush() && !file.flush()) return file.errorString();
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

// Beside a catalogue while it is rewritten in place: the hashes of the old
// and the new contents, so that the next opening knows a save was cut short.
QString NotePath(const QString& path) { return path + QStringLiteral(".unfinished"); }

QString HashText(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// The note gets the care the backup gets: whatever stands at its name (a
// link planted there) is replaced, never written through. Empty when done,
// else the system's reason.
QString WriteNote(const QString& path, const QByteArray& old, const QByteArray& bytes) {
    const QByteArray text = QStringLiteral("old %1\nnew %2\n").arg(HashText(old), HashText(bytes)).toLatin1();
    Copy copy = WriteCopy(NotePath(path), text, QFile::ReadOwner | QFile::WriteOwner);
    if (!copy.file) return copy.failure.reason;
    const QString copyName = copy.file->fileName();
    copy.file->setAutoRemove(false);
    copy.file.reset();
    if (const QString why = MoveReplacing(copyName, NotePath(path)); !why.isEmpty()) {
        QFile::remove(copyName);
        return Reason(QFileDevice::RenameError, FileName(NotePath(path)), why);
    }
    return {};
}

// Notes beside other names of the same file speak of a version this save
// has just replaced: offered later, they would restore over it.
void RetireNotesOfOtherNames(const QString& path) {
    const QFileInfo saved(path);
    const QDir folder = saved.absoluteDir();
    for (const QString& note : folder.entryList({QStringLiteral("*.unfinished")}, QDir::Files | QDir::Hidden)) {
        const QString catalogue = folder.filePath(note.chopped(int(sizeof ".unfinished") - 1));
        if (catalogue != saved.absoluteFilePath() && SameFile(catalogue, path)) QFile::remove(folder.filePath(note));
    }
}

struct InPlace {
    SaveResult saved;
    bool oldContentsBack = true;  // false: only the backup holds them now
};

// A file with other hard links is rewritten where it is, so that every name
// sees the new contents; the old bytes go back on failure.
InPlace WriteInPlace(const QString& path, const QByteArray& bytes, const QByteArray& old) {
    const QString name = FileName(path);
    QFile file;
    bool notAFile = false;
    if (const QString why = OpenRegularFile(file, path, QIODevice::ReadWrite, false, &notAFile);
        !why.isEmpty())
        return {{false, Reason(notAFile ? QFileDevice::ResourceError : QFileDevice::OpenError, name, why)}};
    // A crash from here on would leave every name cut short: the note says so.
    if (const QString why = WriteNote(path, old, bytes); !why.isEmpty()) return {{false, why}};
    QString why;
    if (!file.resize(0)) why = file.errorString();
    if (why.isEmpty()) why = WriteWhole(file, bytes);
    if (why.isEmpty()) why = SyncToDisk(file);
    if (why.isEmpty()) {
        QFile::remove(NotePath(path));
        RetireNotesOfOtherNames(path);
        return {{true, {}}};
    }

    InPlace failed{{false, Reason(QFileDevice::WriteError, name, why)}};
    failed.oldContentsBack = file.seek(0) && file.resize(0) && WriteWhole(file, old).isEmpty() &&
                             SyncToDisk(file).isEmpty();
    if (failed.oldContentsBack) QFile::remove(NotePath(path));
    else
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

std::function<void()>& BeforeReplaceHook() {
    static std::function<void()> hook;
    return hook;
}

SaveResult ChangedOutside() { return {false, {}, true}; }

// The one moment a test can play another program: whether `path` is still
// the file `identity` was taken of.
bool LastLook(const QString& path, const QByteArray& identity) {
    if (const auto& hook = BeforeReplaceHook()) hook();
    return FileIdentity(path) == identity;
}

enum class Locked { Yes, Changed, Busy, Failed };
struct LockedOpen {
    Locked state = Locked::Yes;
    QString why;  // the system's reason when Failed
};

// How long a save waits for another Quorvane's save to end: a save takes a
// moment, and the window stays frozen while it waits.
constexpr int kBusyWaitMs = 3000;
constexpr int kBusyPollMs = 50;

// Opens the catalogue locked, waiting a short time for another saver to let
// go; `identity` is taken before the opening that succeeds, so a file put
// in place after it still shows as a change.
LockedOpen OpenLocked(QFile& file, const QString& path, QByteArray& identity) {
    QDeadlineTimer deadline(kBusyWaitMs);
    for (;;) {
        identity = FileIdentity(path);
        bool notAFile = false;
        bool busy = false;
        const QString reason = OpenRegularFile(file, path, QIODevice::ReadOnly, true, &notAFile, &busy);
        if (reason.isEmpty()) return {};
        if (notAFile) return {Locked::Changed, {}};
        if (!busy) return {Locked::Failed, reason};
        if (deadline.hasExpired()) return {Locked::Busy, reason};
        QThread::msleep(kBusyPollMs);
    }
}

SaveResult LockFailure(const QString& path, const LockedOpen& locked) {
    const QString name = FileName(path);
    if (locked.state == Locked::Busy)
        return {false, SaveText::tr("ほかのプログラムが %1 を保存しているところです。"
                                    "少し待ってから、もう一度保存してください。").arg(name)};
    return {false, SaveText::tr("%1 を開けませんでした。\n(%2)").arg(name, locked.why)};
}

// Whatever stands at `path` that is no plain file goes as a name: a new file
// takes its place, and nothing is written through it.
SaveResult ReplaceName(const QString& path, const QByteArray& bytes) {
    Copy copy =
        WriteCopy(path, bytes, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!copy.file) return copy.failure;
    const QString copyName = copy.file->fileName();
    copy.file->setAutoRemove(false);
    copy.file.reset();
    if (const QString why = MoveReplacing(copyName, path); !why.isEmpty()) {
        QFile::remove(copyName);
        return {false, Reason(QFileDevice::RenameError, FileName(path), why)};
    }
    return {true, {}};
}

// A file with other hard links: the backup is a copy, and the file is
// rewritten in place so that every name sees the new contents.
SaveResult SaveLinked(const QString& path, const QByteArray& bytes, const QByteArray& old,
                      QFileDevice::Permissions mode, QFile& locked, const QByteArray& identity) {
    const QString backupPath = path + QStringLiteral(".bak");
    Copy copy = WriteCopy(backupPath, old, mode);
    if (!copy.file) return copy.failure;
    Backup backup(backupPath);
    if (SaveResult installed = backup.install(std::move(copy.file)); !installed.ok) return installed;
    ReleaseBeforeReplace(locked);
    if (!LastLook(path, identity)) {
        backup.putBack();
        return ChangedOutside();
    }
    const InPlace written = WriteInPlace(path, bytes, old);
    // Where the old contents could not be put back, the new backup is
    // the only place that still holds them: it stays.
    if (written.saved.ok || !written.oldContentsBack) backup.keep();
    else backup.putBack();
    return written.saved;
}

}  // namespace

void SetBeforeReplaceHook(std::function<void()> hook) { BeforeReplaceHook() = std::move(hook); }

SaveResult ReplaceWithBackup(const QString& path, const QByteArray& bytes, const FileStamp& expected) {
    const QString name = FileName(path);
    const QString backupPath = path + QStringLiteral(".bak");
    const FileStamp found = StatFile(path);
    if (found.folder)
        return {false, SaveText::tr("%1 という名前のフォルダーがあるため、ファイルとして保存できません。").arg(name)};
    if (found.exists != expected.exists || found.notAFile != expected.notAFile) return ChangedOutside();
    const auto lastLook = [&path](const QByteArray& identity) { return LastLook(path, identity); };

    if (found.notAFile) {
        if (!lastLook(FileIdentity(path))) return ChangedOutside();
        return ReplaceName(path, bytes);
    }

    if (!found.exists) {
        // The new catalogue is written whole before its name appears.
        QSaveFile file(path);
        if (SaveResult staged = Stage(file, bytes); !staged.ok) return staged;
        if (!lastLook({})) {
            file.cancelWriting();
            return ChangedOutside();
        }
        if (!file.commit()) return {false, Reason(file.error(), name, file.errorString())};
        return {true, {}};
    }

    // Locked against other savers that honour it, and read as it is now:
    // only the version the user agreed to is replaced.
    QFile previous;
    QByteArray identity;
    if (const LockedOpen locked = OpenLocked(previous, path, identity); locked.state != Locked::Yes)
        return locked.state == Locked::Changed ? ChangedOutside() : LockFailure(path, locked);
    const QByteArray old = previous.readAll();
    if (previous.error() != QFileDevice::NoError)
        return {false, SaveText::tr("%1 を読めませんでした。\n(%2)").arg(name, previous.errorString())};
    if (ContentHash(std::string_view(old.constData(), static_cast<std::size_t>(old.size()))) != expected.hash)
        return ChangedOutside();
    // By name: on Windows a file opened from a handle has no name to ask by,
    // and would give the backup no permissions at all.
    const QFileDevice::Permissions mode = QFile::permissions(path);

    if (SameFile(backupPath, path))
        return {false, SaveText::tr("%1.bak は %1 と同じファイル（ハードリンク）のため、保存前の内容を残せません。\n"
                                    "%1.bak を削除するか名前を変えてから、もう一度保存してください。").arg(name)};
    if (LinkCount(path) > 1) return SaveLinked(path, bytes, old, mode, previous, identity);

    // The new catalogue is written whole before anything is replaced: a full
    // disk or a refused folder leaves the catalogue and its backup as they were.
    // A catalogue that is a symbolic link is written through to its target.
    QSaveFile file(path);
    if (SaveResult staged = Stage(file, bytes); !staged.ok) return staged;
    Copy copy = WriteCopy(backupPath, old, mode);
    if (!copy.file) {
        file.cancelWriting();
        return copy.failure;
    }
    Backup backup(backupPath);
    if (SaveResult installed = backup.install(std::move(copy.file)); !installed.ok) {
        file.cancelWriting();
        return installed;
    }
    ReleaseBeforeReplace(previous);
    if (!lastLook(identity)) {
        file.cancelWriting();
        backup.putBack();
        return ChangedOutside();
    }
    if (!file.commit()) {
        backup.putBack();
        return {false, Reason(file.error(), name, file.errorString())};
    }
    backup.keep();
    return {true, {}};
}

UnfinishedSave FindUnfinishedSave(const QString& path) {
    QFile note;
    if (!OpenRegularFile(note, NotePath(path), QIODevice::ReadOnly, false).isEmpty()) return {};
    const QList<QByteArray> lines = note.read(4096).split('\n');
    note.close();
    const auto hashOf = [](const QString& file) {
        QFile read;
        if (!OpenRegularFile(read, file, QIODevice::ReadOnly, false).isEmpty()) return QString();
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (!hash.addData(&read)) return QString();
        return QString::fromLatin1(hash.result().toHex());
    };
    const auto noted = [&lines](const char* key) {
        for (const QByteArray& line : lines)
            if (line.startsWith(QByteArray(key) + ' ')) return QString::fromLatin1(line.mid(4));
        return QString();
    };
    if (hashOf(path) == noted("new")) {
        // Written whole; only the note's removal was missed.
        ForgetUnfinishedSave(path);
        return {};
    }
    // A note without its old hash proves nothing about any backup.
    const QString old = noted("old");
    const QFileInfo now(path);
    return {true, !old.isEmpty() && hashOf(path + QStringLiteral(".bak")) == old, now.size(), now.lastModified()};
}

SaveResult RestoreUnfinishedSave(const QString& path) {
    const QString name = FileName(path);
    const QString backupPath = path + QStringLiteral(".bak");
    QFile backup;
    if (const QString why = OpenRegularFile(backup, backupPath, QIODevice::ReadOnly, false); !why.isEmpty())
        return {false, SaveText::tr("%1.bak を開けませんでした。\n(%2)").arg(name, why)};
    const QByteArray old = backup.readAll();
    if (backup.error() != QFileDevice::NoError)
        return {false, SaveText::tr("%1.bak を読めませんでした。\n(%2)").arg(name, backup.errorString())};
    backup.close();
    QFile file;
    if (const QString why = OpenRegularFile(file, path, QIODevice::ReadWrite, true); !why.isEmpty())
        return {false, Reason(QFileDevice::OpenError, name, why)};
    // What the restore overwrites may be a later save: it becomes the backup.
    const QByteArray now = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, SaveText::tr("%1 を読めませんでした。\n(%2)").arg(name, file.errorString())};
    Copy copy = WriteCopy(backupPath, now, QFile::permissions(path));
    if (!copy.file) return copy.failure;
    const QString copyName = copy.file->fileName();
    copy.file->setAutoRemove(false);
    copy.file.reset();
    if (const QString why = MoveReplacing(copyName, backupPath); !why.isEmpty()) {
        QFile::remove(copyName);
        return {false, Reason(QFileDevice::RenameError, FileName(backupPath), why)};
    }
    QString why;
    if (!file.seek(0) || !file.resize(0)) why = file.errorString();
    if (why.isEmpty()) why = WriteWhole(file, old);
    if (why.isEmpty()) why = SyncToDisk(file);
    if (!why.isEmpty())
        return {false, Reason(QFileDevice::WriteError, name, why) +
                           SaveText::tr("\n元に戻す前の内容は %1.bak にあります。").arg(name)};
    ForgetUnfinishedSave(path);
    return {true, {}};
}

void ForgetUnfinishedSave(const QString& path) { QFile::remove(NotePath(path)); }

bool CanWriteInFolder(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.quorvane-XXXXXX"));
    return probe.open();
}

}  // namespace quorvane
