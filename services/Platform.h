#pragma once
// The one seam through which the program blocks on the user or reaches outside
// its process. The real implementation talks to Qt and the desktop; tests use
// a double that records every call and answers from a script.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace quorvane {

enum class MessageIcon { None, Warning, Question, Information };
// Yes is the default of YesNo, Save that of SaveDiscardCancel, Cancel that of
// ReloadOverwriteCancel and OverwriteCancel (the others lose one side);
// closing the box answers No or Cancel. OverwriteCancel is the outside-change
// question where there is nothing to reload.
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel, ReloadOverwriteCancel, OverwriteCancel };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel, Reload, Overwrite };

struct FileFilter {
    QString description;
    QString pattern;  // for example "*.vqd"
    bool operator==(const FileFilter&) const = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box; returns the button the user pressed.
    virtual MessageAnswer showMessage(QWidget* parent, const QString& text,
                                      const QString& caption, MessageIcon icon,
                                      MessageButtons buttons) = 0;

    // Today's date on the user's local calendar.
    virtual QDate today() const = 0;

    // The folder that holds the running program file, without trailing "/".
    virtual QString programFolder() const = 0;

    // An open-file dialog that accepts only existing files; the first filter is
    // preselected. Returns the chosen full path, or empty text on cancel.
    virtual QString showOpenDialog(QWidget* owner, const QList<FileFilter>& filters,
                                   const QString& initialFolder,
                                   const QString& initialFileName) = 0;

    // Hands a URL (a local file as a file URL) to the desktop's opener.
    // Returns whether the opener accepted it; never waits for the opened program.
    virtual bool openUrl(const QUrl& url) = 0;

    // Starts a program detached, with no arguments; false when it cannot start.
    virtual bool startDetached(const QString& program) = 0;

    // The read-only file that stands in for the machine-wide registry.
    virtual QString registryFile() const = 0;
};

}  // namespace quorvane
