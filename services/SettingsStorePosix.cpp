#include "services/SettingsStore.h"

#include "services/IniFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <optional>

namespace quorvane {

namespace {

// Long enough for another Quorvane to finish its own save, short enough
// that a close never seems to hang.
constexpr int kLockWaitMs = 2000;

// The file's texts; nothing when it is there but cannot be read.
std::optional<SettingsTexts> ReadFile(const QString& path) {
    SettingsTexts texts;
    QFile file(path);
    if (!file.exists()) return texts;
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    ReadIni(file, texts);
    return texts;
}

class SettingsFile final : public SettingsStore {
public:
    explicit SettingsFile(QString path) : m_path(std::move(path)) {}

    SettingsTexts Read(const QStringList& keys) const override {
        const SettingsTexts all = ReadFile(m_path).value_or(SettingsTexts());
        SettingsTexts wanted;
        for (const QString& key : keys) {
            const auto found = all.constFind(key);
            if (found != all.cend()) wanted.insert(key, *found);
        }
        return wanted;
    }

    // The whole file is read and replaced in one step, under the lock that
    // Qt's own settings took, so that two programs saving at once keep each
    // other's keys. A file that cannot be read is not replaced: its other
    // keys would be lost.
    bool Write(const SettingsTexts& texts) override {
        if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) return false;
        QLockFile lock(m_path + QStringLiteral(".lock"));
        if (!lock.tryLock(kLockWaitMs)) return false;
        std::optional<SettingsTexts> all = ReadFile(m_path);
        if (!all) return false;
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) all->insert(it.key(), it.value());
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly)) return false;
        if (!WriteIni(file, *all)) {
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
