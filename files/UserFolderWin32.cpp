// The user's data folder: the roaming application data folder.
#include "files/UserFolder.h"

#include "ProgramInfo.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace quorvane {

std::string UserCatalogueFolder() {
    PWSTR wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &wide))) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (n > 1) {
            folder.resize(static_cast<std::size_t>(n - 1));
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, folder.data(), n, nullptr, nullptr);
            folder += '\\' + std::string(kUserFolderInAppData);
        }
    }
    CoTaskMemFree(wide);
    return folder;
}

}  // namespace quorvane
