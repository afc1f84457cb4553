#include "services/SettingsStore.h"

#include "services/IniFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

// Long enough for another Quorvane to finish its own save, short enough
// that a close never seems to hang.
constexpr int kLockWaitMs = 2000;

// The file as read; nothing when it is there but cannot be read whole. What
// is not a regular file (a FIFO would block the open, a device never ends)
// counts as unreadable.
std::optional<IniDocument> ReadFile(const QString& path) {
    IniDocument document;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return document;
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    if (!document.read(file)) return std::nullopt;
    return document;
}

class SettingsFile final : public SettingsStore {
public:
    explicit SettingsFile(QString path) : m_path(std::move(path)) {}

    SettingsTexts Read(const QStringList& keys) const override {
        const std::optional<IniDocument> document = ReadFile(m_path);
        SettingsTexts wanted;
        if (!document) return wanted;
        for (const QString& key : keys) {
            const auto found = document->texts().constFind(key);
            if (found != document->texts().cend()) wanted.insert(key, *found);
        }
        return wanted;
    }

    // The whole file is read and replaced in one step, under the lock that
    // Qt's own settings took, so that two programs saving at once keep each
    // other's keys. A file that cannot be read whole is not replaced: its
    // other keys would be lost. Only the lines of keys whose text changes are
    // rewritten; when none does, the file is left alone.
    bool Write(const SettingsTexts& texts) override {
        if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) return false;
        QLockFile lock(m_path + QStringLiteral(".lock"));
        if (!lock.tryLock(kLockWaitMs)) return false;
        std::optional<IniDocument> document = ReadFile(m_path);
        if (!document) return false;
        const QByteArray before = document->bytes();
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            if (!document->set(it.key(), it.value())) return false;
        document->respellUnparsedValues();
        const QByteArray after = document->bytes();
        if (after == before && QFileInfo::exists(m_path)) return true;
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly)) return false;
        if (file.write(after) != after.size()) {
            file.cancelWriting();
            return false;
        }
        return file.commit();
    }

private:
    QString m_path;
};

}  // namespace

QString SettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/OvrekSoft/Quorvane.conf");
}

std::unique_ptr<SettingsStore> OpenSettingsStore() {
    return std::make_unique<SettingsFile>(SettingsFilePath());
}

}  // namespace quorvane
