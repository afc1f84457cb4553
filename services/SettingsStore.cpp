#include "services/SettingsStore.h"

#include "services/IniFormat.h"

#include <QStandardPaths>

namespace quorvane {

QString SettingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/OvrekSoft/Quorvane.conf");
}

std::unique_ptr<QSettings> OpenSettingsStore() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), ReadIni, WriteIni);
    return std::make_unique<QSettings>(SettingsFilePath(), format);
}

}  // namespace quorvane
