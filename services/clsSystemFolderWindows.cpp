// On Windows the system answers every folder itself.
#include "services/clsSystemFolder.h"

#include "services/win32/SystemFolders.h"

namespace win32 = quorvane::win32;

QString clsSystemFolder::Windows() const { return QString::fromStdString(win32::WindowsFolder()); }
QString clsSystemFolder::System() const { return QString::fromStdString(win32::SystemFolder()); }
QString clsSystemFolder::Temp() const { return QString::fromStdString(win32::TempFolder()); }
QString clsSystemFolder::Desktop() const { return SpecialFolderPath(CSIDL_DESKTOP); }
QString clsSystemFolder::Programs() const { return SpecialFolderPath(CSIDL_PROGRAMS); }
QString clsSystemFolder::Personal() const { return SpecialFolderPath(CSIDL_PERSONAL); }
QString clsSystemFolder::Favorites() const { return SpecialFolderPath(CSIDL_FAVORITES); }
QString clsSystemFolder::Startup() const { return SpecialFolderPath(CSIDL_STARTUP); }
QString clsSystemFolder::Recent() const { return SpecialFolderPath(CSIDL_RECENT); }
QString clsSystemFolder::SendTo() const { return SpecialFolderPath(CSIDL_SENDTO); }
QString clsSystemFolder::Fonts() const { return SpecialFolderPath(CSIDL_FONTS); }
QString clsSystemFolder::StartMenu() const { return SpecialFolderPath(CSIDL_STARTMENU); }

QString clsSystemFolder::SpecialFolderPath(std::int32_t folderId) {
    return QString::fromStdString(win32::SpecialFolderPath(folderId));
}
