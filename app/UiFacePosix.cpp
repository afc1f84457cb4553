#include "app/UiFace.h"

#include <cstdlib>

namespace quorvane {

std::vector<std::string> SystemPreferredLanguages() {
    return PosixPreferredLanguages([](const char* name) { return std::getenv(name); });
}

}  // namespace quorvane
