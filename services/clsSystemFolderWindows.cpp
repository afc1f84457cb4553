// On Windows the system answers every folder itself.
#include "services/clsSystemFolder.h"

#include "services/win32/SystemFolders.h"

namespace win32 = quorvane::win32;

QString clsSystemFolder::Windows() const { return QString::fromStdString(win32::WindowsFolder()); }
QString clsSystemFolder::System() const { return QString::fromStdString(win32::SystemFolder()); }
QString clsSystemFolder::Temp() const { return QString::fromStdString(win32::TempFolder()); }

QString clsSystemFolder::SpecialFolderPath(std::int32_t folderId) {
    return QString::fromStdString(win32::SpecialFolderPath(folderId));
}
