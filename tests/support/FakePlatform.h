#pragma once
// A platform double: records every message, dialog, opened URL and started
// program, and answers from queues the test fills beforehand.

#include "services/Platform.h"

#include <QList>
#include <QQueue>

namespace quorvane::testing {

struct RecordedMessage {
    QString text;
    QString caption;
    MessageIcon icon;
    MessageButtons buttons;
};

struct RecordedDialog {
    QList<FileFilter> filters;
    QString initialFolder;
    QString initialFileName;
};

class FakePlatform final : public Platform {
public:
    MessageAnswer showMessage(QWidget* parent, const QString& text, const QString& caption,
                              MessageIcon icon, MessageButtons buttons) override;
    QDate today() const override { return todayDate; }
    QString programFolder() const override { return folder; }
    QString showOpenDialog(QWidget* owner, const QList<FileFilter>& filters,
                           const QString& initialFolder,
                           const QString& initialFileName) override;
    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program) override;
    QString registryFile() const override { return registry; }

    // Scripted answers; when a queue runs dry, messages answer Ok, Yes or
    // Cancel (the three-button questions) and dialogs answer as if cancelled.
    QQueue<MessageAnswer> messageAnswers;
    QQueue<QString> dialogAnswers;
    bool openUrlSucceeds = true;
    bool startSucceeds = true;

    QDate todayDate{2026, 12, 7};
    QString folder;
    QString registry;

    QList<RecordedMessage> messages;
    QList<RecordedDialog> dialogs;
    QList<QUrl> openedUrls;
    QStringList startedPrograms;
};

}  // namespace quorvane::testing
