#include "HostileSupport.h"

#include <windows.h>

namespace quorvane::hostile {

int OpenFileDescriptors() {
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return static_cast<int>(handles);
}

// Windows stops a user through a file's access list, not its mode bits, and
// an access list only stops a process that is not an administrator's. Wine
// keeps access lists without enforcing them, and run as root it lets even a
// file with the read-only attribute be written: nothing here would be stopped.
WithoutPrivileges::WithoutPrivileges() : m_active(false) {}
WithoutPrivileges::~WithoutPrivileges() = default;

const char* WithoutPrivileges::whyNot() const { return kNoModeBits; }

void OpenToEveryone(const QString&) {}

}  // namespace quorvane::hostile
