#include "services/SettingsStore.h"

#include "services/IniFormat.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cerrno>

namespace quorvane {

namespace {

// Long enough for another Quorvane to finish its own save, short enough
// that a close never seems to hang.
constexpr int kLockWaitMs = 2000;

SettingsWrite Failed(SettingsProblem problem, QString reason = {}) { return {problem, std::move(reason)}; }

QString SystemReason(int error) { return error ? qt_error_string(error) : QString(); }

SettingsWrite ProblemOf(const settings::FileRead& read) {
    switch (read.state) {
        case settings::FileState::Read: break;
        case settings::FileState::NotAFile: return Failed(SettingsProblem::NotAFile);
        case settings::FileState::Unreadable: return Failed(SettingsProblem::Unreadable, SystemReason(read.error));
        case settings::FileState::TooLarge: return Failed(SettingsProblem::TooLarge);
    }
    return {};
}

class SettingsFile final : public SettingsStore {
public:
    explicit SettingsFile(QString path) : m_path(std::move(path)) {}

    SettingsTexts Read(const QStringList& keys) const override {
        SettingsTexts wanted;
        const settings::FileRead read = settings::ReadSettingsFile(QFile::encodeName(m_path).toStdString());
        if (read.state != settings::FileState::Read) return wanted;
        for (const QString& key : keys) {
            const std::optional<std::string> name = settings::ToUtf8(ToSettingsText(key));
            if (!name) continue;
            const auto found = read.document.texts().find(*name);
            if (found != read.document.texts().end()) wanted.insert(key, FromSettingsText(found->second));
        }
        return wanted;
    }

    // The whole file is read and replaced in one step, under the lock that
    // Qt's own settings took, so that two programs saving at once keep each
    // other's keys. A file that cannot be read whole is not replaced: its
    // other keys would be lost. Only the lines of keys whose text changes are
    // rewritten; when none does, the file is left alone.
    SettingsWrite Write(const SettingsTexts& texts) override {
        if (m_path.isEmpty()) return Failed(SettingsProblem::NoFolder);
        if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) return Failed(SettingsProblem::NoFolder);
        QLockFile lock(m_path + QStringLiteral(".lock"));
        if (!lock.tryLock(kLockWaitMs))
            return lock.error() == QLockFile::LockFailedError
                       ? Failed(SettingsProblem::Busy)
                       : Failed(SettingsProblem::NotWritten, lock.error() == QLockFile::PermissionError
                                                                 ? SystemReason(EACCES)
                                                                 : QString());
        settings::FileRead read = settings::ReadSettingsFile(QFile::encodeName(m_path).toStdString());
        if (const SettingsWrite problem = ProblemOf(read); !problem) return problem;
        settings::IniDocument& document = read.document;
        const std::string before = document.bytes();
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            const std::optional<std::string> key = settings::ToUtf8(ToSettingsText(it.key()));
            if (!key || !document.set(*key, ToSettingsText(it.value()))) return Failed(SettingsProblem::NotWritten);
        }
        document.respellUnparsedValues();
        const std::string after = document.bytes();
        if (after == before && read.exists) return {};
        // The next start would not read it, and every key would be lost.
        if (after.size() > settings::kMaxFileSize) return Failed(SettingsProblem::WouldBeTooLarge);
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly)) return Failed(SettingsProblem::NotWritten, file.errorString());
        if (file.write(after.data(), qint64(after.size())) != qint64(after.size())) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return Failed(SettingsProblem::NotWritten, reason);
        }
        if (!file.commit()) return Failed(SettingsProblem::NotWritten, file.errorString());
        return {};
    }

private:
    QString m_path;
};

}  // namespace

QString SettingsFilePath() { return QFile::decodeName(QByteArray::fromStdString(settings::SettingsFilePath())); }

std::unique_ptr<SettingsStore> OpenSettingsStore() {
    return std::make_unique<SettingsFile>(SettingsFilePath());
}

}  // namespace quorvane
