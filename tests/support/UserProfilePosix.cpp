#include "support/UserProfile.h"

#include "services/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

namespace quorvane::testing {

// The XDG variables that TestApplication sets are all it takes here.
PrivateUserProfile::PrivateUserProfile() = default;
PrivateUserProfile::~PrivateUserProfile() = default;

void UseSettingsStoreIn(const QString& configFolder) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder));
}

QString UseUserDataFolder(const QString& folder) {
    const QString before = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder));
    return before;
}

void WriteSettingsStore(const QByteArray& iniText) {
    const QString file = SettingsFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(iniText);
}

std::optional<QString> StoredSetting(const QString& sectionAndKey) {
    const QVariant value = QSettings(SettingsFilePath(), QSettings::IniFormat).value(sectionAndKey);
    if (!value.isValid()) return std::nullopt;
    return value.toString();
}

QStringList StoredSettingKeys() {
    return QSettings(SettingsFilePath(), QSettings::IniFormat).allKeys();
}

}  // namespace quorvane::testing
