#pragma once
// What the editor knows of the catalogue on disk, to tell when another
// program (a second Quorvane, a text editor, a sync tool) has changed it
// since the editor read or wrote it.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <string_view>

namespace quorvane {

struct FileStamp {
    bool exists = false;
    // A pipe, a device, a folder or a link that leads nowhere stands where
    // the file was: it is never opened to be compared.
    bool notAFile = false;
    bool folder = false;
    qint64 size = 0;
    QDateTime modified;
    QByteArray hash;  // of the whole contents; empty when they were not read

    bool operator==(const FileStamp&) const = default;
};

// Size and time of the file at `path`, without its contents. Taken before a
// read, a change that slips in before the read can only show as a change
// later, never hide one.
FileStamp StatFile(const QString& path);

// For FileStamp::hash, of the bytes read or written.
QByteArray ContentHash(std::string_view contents);

enum class DiskChange { None, Changed, Deleted, NotAFile };

struct DiskLook {
    DiskChange change = DiskChange::None;
    FileStamp now;  // hashed whenever the file could be read
};

// Compares the file at `path` with `known`. The contents are read when size
// or time differ, and always with `readContents`: a time kept by the other
// program, or one too coarse to show a quick change, cannot hide it then.
// A file that cannot be read any more counts as changed; one that is no
// plain file any more is NotAFile, and is not opened at all.
DiskLook LookAtDisk(const FileStamp& known, const QString& path, bool readContents);

}  // namespace quorvane
