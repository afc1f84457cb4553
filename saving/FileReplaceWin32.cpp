#include "saving/FileReplace.h"

#include <QDir>

#include <io.h>
#include <windows.h>

namespace quorvane {

namespace {

LPCWSTR Wide(const QString& native) { return reinterpret_cast<LPCWSTR>(native.utf16()); }

}  // namespace

QString MoveReplacing(const QString& from, const QString& to) {
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    if (MoveFileExW(Wide(source), Wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return qt_error_string(static_cast<int>(GetLastError()));
}

QString SyncToDisk(QFileDevice& file) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle)) return {};
    return qt_error_string(static_cast<int>(GetLastError()));
}

QByteArray FileIdentity(const QString& path) {
    const HANDLE handle = CreateFileW(Wide(QDir::toNativeSeparators(path)), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    const bool known = GetFileInformationByHandle(handle, &info) &&
                       GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic);
    CloseHandle(handle);
    if (!known) return {};
    const long long fields[] = {static_cast<long long>(info.dwVolumeSerialNumber),
                                static_cast<long long>(info.nFileIndexHigh),
                                static_cast<long long>(info.nFileIndexLow),
                                static_cast<long long>(info.nFileSizeHigh),
                                static_cast<long long>(info.nFileSizeLow),
                                basic.LastWriteTime.QuadPart, basic.ChangeTime.QuadPart};
    return QByteArray(reinterpret_cast<const char*>(fields), sizeof fields);
}

// Windows cannot replace a file that is held open against writers.
void ReleaseBeforeReplace(QFile& locked) { locked.close(); }

namespace {

bool FileIndex(const QString& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle = CreateFileW(Wide(QDir::toNativeSeparators(path)), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return known;
}

}  // namespace

bool SameFile(const QString& a, const QString& b) {
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    return FileIndex(a, first) && FileIndex(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

int LinkCount(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE handle = CreateFileW(Wide(native), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return 1;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return known ? static_cast<int>(info.nNumberOfLinks) : 1;
}

}  // namespace quorvane
