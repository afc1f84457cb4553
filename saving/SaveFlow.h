#pragma once
// A catalogue's way back to the disk for a window that edits it: what the
// file was when read, the question when another program changed it since,
// where the save goes, and the replace with its lock, backup and note. It
// asks the user only through SaveQuestions, so it runs without a window.

#include "saving/CatalogueSave.h"
#include "saving/FileStamp.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>

namespace quorvane {

enum class SaveAnswer { Reload, Overwrite, Cancel };

class SaveQuestions {
public:
    virtual ~SaveQuestions() = default;
    // Another program changed the file. Only the answers that can work are
    // offered; Cancel is always one of them.
    virtual SaveAnswer askOutsideChange(const QString& text, bool canReload, bool canOverwrite) = 0;
    virtual bool askYesNo(const QString& text) = 0;
    virtual void tell(const QString& text) = 0;
};

// A save replaces the window's whole text; an append keeps what the file
// holds and adds lines after it.
enum class SavePurpose { Save, Append };

class SaveFlow {
public:
    SaveFlow(SaveQuestions& questions, QString programFolder);

    // The file at `path` was read: `before` was taken before the read, so a
    // change slipping in meanwhile shows later as a change.
    void setRead(const QString& path, FileStamp before, std::string_view bytes);
    // The bytes now at `target` are the window's: the flow watches that file.
    void setWritten(const QString& target, std::string_view bytes);
    const QString& path() const { return m_path; }

    // Where the next save writes: the file read, or the user's copy when the
    // program's own catalogue lies in a folder the user cannot write.
    // `probe` tries the folder anew.
    QString target(bool probe);

    enum class Outcome { None, Overwrite, Reload, Cancel };
    struct Resolution {
        Outcome outcome = Outcome::None;
        FileStamp agreed;  // the file as the save may replace it
        QString path;      // the file that was looked at
    };
    // Looks at the file the save would replace and asks when another program
    // changed it. `unsaved`: the window holds what a reload would lose.
    Resolution resolveOutsideChange(bool saving, bool unsaved, SavePurpose purpose = SavePurpose::Save);

    struct Written {
        Outcome outcome = Outcome::None;  // Reload or Cancel: the user's answer
        SaveResult result;
    };
    // Replaces the target with `bytes`; a change found during the save is
    // asked about like any other, and a program that never stops writing is
    // not raced for ever. An append is never retried: its bytes were made
    // from the file as it was.
    Written write(const QString& target, const QByteArray& bytes, FileStamp agreed, bool unsaved,
                  SavePurpose purpose = SavePurpose::Save);

    // A save of `path` cut short in the middle: offered back from its backup.
    void offerUnfinishedSave(const QString& path);

private:
    SaveQuestions& m_questions;
    QString m_programFolder;
    QString m_path;
    // The file as the window last read or wrote it, and the outside versions
    // the user already answered for.
    FileStamp m_onDisk;
    std::optional<FileStamp> m_askedAbout;
    std::optional<FileStamp> m_overwriteAgreed;
    // The user's copy as it was when the program's own catalogue was read,
    // while a save would go there; another program may create it meanwhile.
    std::optional<FileStamp> m_userCopy;
};

}  // namespace quorvane
