#include "support/FakePlatform.h"

namespace quorvane::testing {

MessageAnswer FakePlatform::showMessage(QWidget*, const QString& text, const QString& caption,
                                        MessageIcon icon, MessageButtons buttons) {
    messages.append({text, caption, icon, buttons});
    if (!messageAnswers.isEmpty()) return messageAnswers.dequeue();
    switch (buttons) {
        case MessageButtons::Ok: return MessageAnswer::Ok;
        case MessageButtons::YesNo: return MessageAnswer::Yes;
        // Unscripted, the question that could lose work keeps it.
        case MessageButtons::SaveDiscardCancel:
        case MessageButtons::ReloadOverwriteCancel:
        case MessageButtons::OverwriteCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

QString FakePlatform::showOpenDialog(QWidget*, const QList<FileFilter>& filters,
                                     const QString& initialFolder,
                                     const QString& initialFileName) {
    dialogs.append({filters, initialFolder, initialFileName});
    return dialogAnswers.isEmpty() ? QString() : dialogAnswers.dequeue();
}

bool FakePlatform::openUrl(const QUrl& url) {
    openedUrls.append(url);
    return openUrlSucceeds;
}

bool FakePlatform::startDetached(const QString& program) {
    startedPrograms.append(program);
    return startSucceeds;
}

}  // namespace quorvane::testing
