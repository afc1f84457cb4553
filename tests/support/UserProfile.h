#pragma once
// What the program keeps for the user, moved into places of the test's own:
// on Linux the XDG config and data folders; on Windows a private
// HKEY_CURRENT_USER, which holds the settings and names the AppData folder.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace quorvane::testing {

// Windows keeps the settings in the registry: a test of the Linux settings
// file, its folder or its text format is skipped there with this reason.
#ifdef _WIN32
inline constexpr bool kSettingsInRegistry = true;
#else
inline constexpr bool kSettingsInRegistry = false;
#endif
inline constexpr const char* kNoSettingsFile =
    "the settings file exists on Linux only; Windows keeps the settings in the registry";

// For the whole run. On Windows the process's HKEY_CURRENT_USER becomes a key
// of its own, removed at the end, so no run reads or writes the user's
// registry and two runs at once do not meet.
class PrivateUserProfile {
public:
    PrivateUserProfile();
    ~PrivateUserProfile();
    PrivateUserProfile(const PrivateUserProfile&) = delete;
    PrivateUserProfile& operator=(const PrivateUserProfile&) = delete;

private:
    QString m_key;
};

// A settings store that starts empty: `configFolder` becomes the user config
// folder on Linux; on Windows the store in the private registry is emptied.
void UseSettingsStoreIn(const QString& configFolder);

// The folder under which the user's own copy of the catalogue goes; returns
// the one used before.
QString UseUserDataFolder(const QString& folder);

// The store as a user or another program leaves it, given as the Linux file:
// on Windows every "Section/Key" becomes a REG_SZ text in subkey Section.
void WriteSettingsStore(const QByteArray& iniText);

// One stored text, read without the program's own reader; none when missing.
std::optional<QString> StoredSetting(const QString& sectionAndKey);

// Every stored "Section/Key".
QStringList StoredSettingKeys();

}  // namespace quorvane::testing
