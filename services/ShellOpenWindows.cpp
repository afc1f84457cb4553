// On Windows the shell opens the target itself, as one file, never a
// command line.
#include "services/ShellOpen.h"

#include "services/win32/ShellOpen.h"

namespace quorvane {

std::int16_t ShellOpen(Platform&, const std::int32_t& ownerWindow, const QString& target) {
    return win32::ShellOpen(ownerWindow, target.toStdString());
}

}  // namespace quorvane
