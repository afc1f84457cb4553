#pragma once
#include "services/Platform.h"

namespace quorvane {

// The platform as the user meets it: Qt's message boxes and file dialog, the
// desktop's opener, the system clock.
// The filter as Qt's file dialog takes it: the description, and the pattern
// in parentheses. "*.*" means every file here, names without a dot too,
// where Qt's own reading of it would hide those.
QString DialogNameFilter(const FileFilter& filter);

class RealPlatform final : public Platform {
public:
    MessageAnswer showMessage(QWidget* parent, const QString& text, const QString& caption,
                              MessageIcon icon, MessageButtons buttons) override;
    QDate today() const override;
    QString programFolder() const override;
    QString showOpenDialog(QWidget* owner, const QList<FileFilter>& filters,
                           const QString& initialFolder,
                           const QString& initialFileName) override;
    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program) override;
    QString registryFile() const override;
};

}  // namespace quorvane
