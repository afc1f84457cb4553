#pragma once
// Helpers for the hostile-input tests: counting open files, and taking away
// root's right to ignore permission bits for a while.

#include <QString>

namespace quorvane::hostile {

// Every file descriptor the process holds open right now.
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

    // False when root could not drop its rights (no setuid capability).
    bool active() const { return m_active; }

private:
    bool m_dropped = false;
    bool m_active = true;
};

// Lets "nobody" into `folder` and everything under it (no-op unless root).
void OpenToEveryone(const QString& folder);

}  // namespace quorvane::hostile
