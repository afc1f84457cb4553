// The user's data folder as the XDG base directories name it.
#include "files/UserFolder.h"

#include "ProgramInfo.h"

#include <cstdlib>

namespace quorvane {

std::string UserCatalogueFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    if (dataHome && dataHome[0] == '/') {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) return {};
        base = std::string(home) + "/.local/share";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + '/' + std::string(kUserFolderInData);
}

}  // namespace quorvane
