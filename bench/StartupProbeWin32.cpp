// Windows has no LD_PRELOAD: there the probe is a Qt generic plug-in, which
// any Qt program loads at start when its command line says
// `-plugin quorvanestartupprobe` (this Qt for Windows ignores
// QT_QPA_GENERIC_PLUGINS), so the program itself still carries no code for it. Once the first window has
// been exposed and painted it writes one line to the file named by
// QUORVANE_STARTUP_PROBE_FILE (the runner's FIFO, which timestamps the line)
// and ends the process on the spot, so that no shutdown work is counted.

#include "bench/FirstFrame.h"

#include <QCoreApplication>
#include <QGenericPlugin>

#include <windows.h>

namespace {

constexpr wchar_t kFileVariable[] = L"QUORVANE_STARTUP_PROBE_FILE";

void ReportAndExit() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(kFileVariable, path, MAX_PATH);
    UINT status = 3;
    if (length > 0 && length < MAX_PATH) {
        const HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            static const char line[] = "shown\n";
            DWORD written = 0;
            if (WriteFile(file, line, sizeof line - 1, &written, nullptr) &&
                written == sizeof line - 1)
                status = 0;
            CloseHandle(file);
        }
    }
    TerminateProcess(GetCurrentProcess(), status);
}

}  // namespace

class StartupProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "StartupProbeWin32.json")

public:
    QObject* create(const QString&, const QString&) override {
        // Handed back to Qt, which keeps it until the application ends.
        auto* probe = new quorvane::bench::FirstFrame(&ReportAndExit, nullptr);
        qApp->installEventFilter(probe);
        return probe;
    }
};

#include "StartupProbeWin32.moc"
