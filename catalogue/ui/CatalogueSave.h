#pragma once
// Replacing a catalogue file without ever leaving it half written: the old
// file is copied to "<file>.bak" first, then the new bytes replace it in one
// step. Any failure leaves the old file and the old backup as they were.

#include <QByteArray>
#include <QString>

namespace quorvane {

struct SaveResult {
    bool ok = false;
    QString reason;  // Japanese, for the user; empty when ok
};

// Writes `bytes` to `path`, keeping the previous file as path + ".bak".
SaveResult ReplaceWithBackup(const QString& path, const QByteArray& bytes);

// Whether a new file can be made in `folder`, found by making one: the
// permission bits alone do not say, nor does a read-only mount show in them.
bool CanWriteInFolder(const QString& folder);

}  // namespace quorvane
