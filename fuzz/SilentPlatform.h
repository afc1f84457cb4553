#pragma once
// A platform for the window fuzz targets: nothing blocks and nothing leaves
// the process. Questions are answered No, dialogs cancelled.

#include "services/Platform.h"

#include <QDir>

namespace quorvane::fuzz {

class SilentPlatform final : public Platform {
public:
    MessageAnswer showMessage(QWidget*, const QString&, const QString&, MessageIcon,
                              MessageButtons buttons) override {
        ++messages;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    QDate today() const override { return {2364, 2, 26}; }
    QString programFolder() const override { return folder; }
    QString showOpenDialog(QWidget*, const QList<FileFilter>&, const QString&, const QString&) override {
        return {};
    }
    bool openUrl(const QUrl&) override { return false; }
    bool startDetached(const QString&) override { return false; }
    QString registryFile() const override { return {}; }

    QString folder = QDir::tempPath();
    int messages = 0;
};

}  // namespace quorvane::fuzz
