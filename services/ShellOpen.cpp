#include "services/ShellOpen.h"

#include "services/Platform.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace quorvane {

namespace {

// A scheme needs two letters at least, so a drive letter ("C:\...") stays a path.
bool HasUrlScheme(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

}  // namespace

QUrl ShellOpenUrl(const QString& target) {
    if (target.isEmpty()) return {};
    if (HasUrlScheme(target)) {
        const QUrl url(target, QUrl::TolerantMode);
        return url.isValid() ? url : QUrl();
    }
    // Made absolute, a name such as "-x" can only ever read as a file.
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

std::int16_t ShellOpen(Platform& platform, const std::int32_t& ownerWindow,
                       const QString& target) {
    Q_UNUSED(ownerWindow);
    const QUrl url = ShellOpenUrl(target);
    if (url.isEmpty()) return ShellOpenFileNotFound;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return ShellOpenFileNotFound;
    return platform.openUrl(url) ? ShellOpenAccepted : ShellOpenNoAssociation;
}

}  // namespace quorvane
