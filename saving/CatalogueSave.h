#pragma once
// Replacing a catalogue file without ever leaving it half written: the old
// file is copied to "<file>.bak" first, then the new bytes replace it in one
// step. Any failure leaves the old file and the old backup as they were.

#include "saving/FileStamp.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace quorvane {

struct SaveResult {
    bool ok = false;
    QString reason;  // for the user, in the face's language; empty when ok
    // Nothing was written: the file is no longer the one `expected` names.
    bool changedOutside = false;
};

// Writes `bytes` to `path`, keeping the previous file as path + ".bak".
// `expected` is the file the user agreed to replace (hashed when it is a
// file); whatever another program put there instead, before the save or
// during it, is left alone. A pipe or device the user agreed to replace is
// replaced as a name, never written through.
SaveResult ReplaceWithBackup(const QString& path, const QByteArray& bytes, const FileStamp& expected);

// Runs once the backup is made and the new file is ready, just before the
// last look at the file and its replacement: the one moment a test can
// play another program writing in the middle of a save.
void SetBeforeReplaceHook(std::function<void()> hook);

// A rewrite in place (of a file with other hard links) that was cut short,
// found at the next opening by the note left beside the file meanwhile.
struct UnfinishedSave {
    bool found = false;
    bool backupHoldsOld = false;  // "<file>.bak" still holds what was replaced
    // The file as it is now: what a restore would overwrite.
    qint64 size = 0;
    QDateTime modified;
};
UnfinishedSave FindUnfinishedSave(const QString& path);
// Puts the backup's bytes back in place, keeping every link, and forgets
// the unfinished save. What it overwrites becomes the backup in turn.
SaveResult RestoreUnfinishedSave(const QString& path);
void ForgetUnfinishedSave(const QString& path);

// Whether a new file can be made in `folder`, found by making one: the
// permission bits alone do not say, nor does a read-only mount show in them.
bool CanWriteInFolder(const QString& folder);

}  // namespace quorvane
