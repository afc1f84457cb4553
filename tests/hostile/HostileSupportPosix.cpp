#include "HostileSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::hostile {

namespace {
constexpr uid_t kNobody = 65534;
}

int OpenFileDescriptors() {
    // The listing itself holds one descriptor while it runs, every time alike.
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                                .size());
}

WithoutPrivileges::WithoutPrivileges() {
    if (::geteuid() != 0) return;
    // The group first: once the user is gone, so is the right to change it.
    if (::setegid(kNobody) != 0) {
        m_active = false;
        return;
    }
    if (::seteuid(kNobody) != 0) {
        (void)::setegid(0);
        m_active = false;
        return;
    }
    m_dropped = true;
}

const char* WithoutPrivileges::whyNot() const { return "root cannot drop its rights here"; }

WithoutPrivileges::~WithoutPrivileges() {
    if (!m_dropped) return;
    // The saved user ID is still root, so both calls succeed.
    (void)::seteuid(0);
    (void)::setegid(0);
}

void OpenToEveryone(const QString& folder) {
    if (::geteuid() != 0) return;
    const auto allow = [](const QString& path) {
        ::chmod(QFile::encodeName(path).constData(),
                QFileInfo(path).isDir() ? 0755 : 0644);
    };
    allow(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) allow(it.next());
}

}  // namespace quorvane::hostile
