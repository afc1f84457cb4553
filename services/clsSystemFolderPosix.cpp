#include "services/clsSystemFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString ExistingFolder(const QString& path) {
    if (path.isEmpty()) return {};
    const QFileInfo info(path);
    return info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}

QString UserDataFolder(const QString& name) {
    return ExistingFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QLatin1Char('/') + name);
}

}  // namespace

QString clsSystemFolder::Windows() const { return {}; }

QString clsSystemFolder::System() const { return {}; }

QString clsSystemFolder::Temp() const {
    const QString temp = ExistingFolder(QDir::tempPath());
    if (temp.isEmpty() || temp.endsWith(QLatin1Char('/'))) return temp;
    return temp + QLatin1Char('/');
}


QString clsSystemFolder::SpecialFolderPath(std::int32_t folderId) {
    switch (folderId) {
        case CSIDL_DESKTOP:
            return ExistingFolder(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
        case CSIDL_PERSONAL:
            return ExistingFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        // Desktop entries in the user's applications folder make up the menu.
        case CSIDL_PROGRAMS:
        case CSIDL_STARTMENU:
            return ExistingFolder(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
        case CSIDL_STARTUP:
            return ExistingFolder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                  QStringLiteral("/autostart"));
        // Only KDE keeps recent documents as a folder.
        case CSIDL_RECENT:
            return UserDataFolder(QStringLiteral("RecentDocuments"));
        // The user's own fonts first, as that is where the user installs them.
        case CSIDL_FONTS:
            for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::FontsLocation)) {
                const QString existing = ExistingFolder(folder);
                if (!existing.isEmpty()) return existing;
            }
            return {};
        default:
            return {};
    }
}
