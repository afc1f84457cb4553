// Preloaded into a Qt program (LD_PRELOAD) to time its start-up without any
// code in the program: once the first window has been exposed and painted,
// it writes the monotonic clock in nanoseconds to the file descriptor named
// by QUORVANE_STARTUP_PROBE_FD and ends the process on the spot, so that no
// shutdown work is counted. Without that variable it does nothing.

#include "bench/FirstFrame.h"

#include <QCoreApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

int g_reportFd = -1;

void ReportAndExit() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[32];
    const int length = std::snprintf(line, sizeof line, "%lld\n",
                                     static_cast<long long>(now.tv_sec) * 1'000'000'000LL +
                                         now.tv_nsec);
    if (write(g_reportFd, line, static_cast<size_t>(length)) != length) std::_Exit(3);
    std::_Exit(0);
}

void InstallProbe() {
    const char* fd = std::getenv("QUORVANE_STARTUP_PROBE_FD");
    if (!fd || !*fd) return;
    g_reportFd = std::atoi(fd);
    qApp->installEventFilter(new quorvane::bench::FirstFrame(&ReportAndExit, qApp));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
