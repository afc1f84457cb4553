#pragma once
// Helpers for the hostile-input tests: counting open files, and taking away
// root's right to ignore permission bits for a while.

#include <QString>

namespace quorvane::hostile {

// Every file descriptor (on Windows: handle) the process holds open right now.
int OpenFileDescriptors();

// While alive, the process acts as the user and group "nobody", so that a
// file without read permission or a read-only folder stops it even when the
// tests run as root. For any other user it changes nothing: permission bits
// stop them anyway.
class WithoutPrivileges {
public:
    WithoutPrivileges();
    ~WithoutPrivileges();
    WithoutPrivileges(const WithoutPrivileges&) = delete;
    WithoutPrivileges& operator=(const WithoutPrivileges&) = delete;

    // False when root could not drop its rights (no setuid capability), or
    // the system does not stop the process; whyNot() says which.
    bool active() const { return m_active; }
    const char* whyNot() const;

private:
    bool m_dropped = false;
    bool m_active = true;
};

// Whether mode bits stop this process at all: they are POSIX's. Windows keeps
// such rights in access lists instead, which Wine does not enforce.
#ifdef _WIN32
inline constexpr bool kModeBits = false;
#else
inline constexpr bool kModeBits = true;
#endif
inline constexpr const char* kNoModeBits =
    "Windows keeps these rights in access lists, which Wine does not enforce";

// Lets "nobody" into `folder` and everything under it (no-op unless root).
// The build chooses the file: HostileSupportPosix.cpp or HostileSupportWin32.cpp.
void OpenToEveryone(const QString& folder);

}  // namespace quorvane::hostile
