// The user's own data folder for Quorvane, where the user's copies of the
// catalogues live.
#pragma once

#include <string>

namespace quorvane {

// <user data folder>/<vendor>/<product>: $XDG_DATA_HOME or ~/.local/share
// here, the roaming application data folder on Windows; empty when the system
// names none.
std::string UserCatalogueFolder();

}  // namespace quorvane
