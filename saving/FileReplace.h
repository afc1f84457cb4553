#pragma once
// The few file operations Qt leaves to the system: each platform has its own
// source file, but for the opening, which files/ does for both.

#include <QFile>
#include <QString>

namespace quorvane {

// Moves `from` onto `to` in one step, replacing what the name `to` holds: a
// symbolic link there is replaced itself, never written through. Empty when
// done, else the system's own reason.
QString MoveReplacing(const QString& from, const QString& to);

// Puts what was written to the open `file` on the disk. Empty when done,
// else the system's own reason.
QString SyncToDisk(QFileDevice& file);

// Opens `file` on `path` only if that is a plain file, without ever waiting
// on a pipe or device another program put there. With `lock`, other savers
// that lock (another Quorvane) are kept out while it stays open. Empty when
// done, else the system's reason; `notAFile` tells a pipe, a device or a
// folder from other failures, `busy` a lock another saver holds.
QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode, bool lock,
                        bool* notAFile = nullptr, bool* busy = nullptr);

// What changes whenever anything writes the file at `path` (its identity,
// size and change time, which no program can set back); empty when there
// is no file. Cheap: the contents are not read.
QByteArray FileIdentity(const QString& path);

// A lock from OpenRegularFile that would stop the replace itself is let go
// here, just before it; where the system allows, it is kept to the end.
void ReleaseBeforeReplace(QFile& locked);

// Whether the two names lead to one and the same file (hard links, or a
// link and its target); false when either cannot be looked at.
bool SameFile(const QString& a, const QString& b);

// How many names (hard links) the file at `path` has; 1 when unknown.
int LinkCount(const QString& path);

}  // namespace quorvane
