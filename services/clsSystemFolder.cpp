// The special folders, each by its identifier; the files chosen by the build
// (clsSystemFolderPosix.cpp, clsSystemFolderWindows.cpp) look them up.
#include "services/clsSystemFolder.h"

QString clsSystemFolder::Desktop() const { return SpecialFolderPath(CSIDL_DESKTOP); }
QString clsSystemFolder::Programs() const { return SpecialFolderPath(CSIDL_PROGRAMS); }
QString clsSystemFolder::Personal() const { return SpecialFolderPath(CSIDL_PERSONAL); }
QString clsSystemFolder::Favorites() const { return SpecialFolderPath(CSIDL_FAVORITES); }
QString clsSystemFolder::Startup() const { return SpecialFolderPath(CSIDL_STARTUP); }
QString clsSystemFolder::Recent() const { return SpecialFolderPath(CSIDL_RECENT); }
QString clsSystemFolder::SendTo() const { return SpecialFolderPath(CSIDL_SENDTO); }
QString clsSystemFolder::Fonts() const { return SpecialFolderPath(CSIDL_FONTS); }
QString clsSystemFolder::StartMenu() const { return SpecialFolderPath(CSIDL_STARTMENU); }
