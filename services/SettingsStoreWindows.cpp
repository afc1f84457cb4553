#include "services/SettingsStore.h"

namespace quorvane {

QString SettingsFilePath() {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\OvrekSoft\\Quorvane");
}

// Sections become subkeys, keys become text values.
std::unique_ptr<QSettings> OpenSettingsStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("OvrekSoft"), QStringLiteral("Quorvane"));
}

}  // namespace quorvane
