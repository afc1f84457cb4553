// Preloaded into a Qt program (LD_PRELOAD) to time its start-up without any
// code in the program: once the first window has been exposed and painted,
// it writes the monotonic clock in nanoseconds to the file descriptor named
// by QUORVANE_STARTUP_PROBE_FD and ends the process on the spot, so that no
// shutdown work is counted. Without that variable it does nothing.

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

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

class FirstFrame : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isTopLevel()) {
                m_seen = true;
                // Queued: the window paints while it handles the expose, and
                // the report comes after that.
                QMetaObject::invokeMethod(qApp, &ReportAndExit, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    bool m_seen = false;
};

void InstallProbe() {
    const char* fd = std::getenv("QUORVANE_STARTUP_PROBE_FD");
    if (!fd || !*fd) return;
    g_reportFd = std::atoi(fd);
    qApp->installEventFilter(new FirstFrame(qApp));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
