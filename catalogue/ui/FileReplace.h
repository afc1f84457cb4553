#pragma once
// The few file operations Qt leaves to the system: each platform has its own
// source file.

#include <QFileDevice>
#include <QString>

namespace quorvane {

// Moves `from` onto `to` in one step, replacing what the name `to` holds: a
// symbolic link there is replaced itself, never written through. Empty when
// done, else the system's own reason.
QString MoveReplacing(const QString& from, const QString& to);

// Puts what was written to the open `file` on the disk. Empty when done,
// else the system's own reason.
QString SyncToDisk(QFileDevice& file);

// How many names (hard links) the file at `path` has; 1 when unknown.
int LinkCount(const QString& path);

}  // namespace quorvane
