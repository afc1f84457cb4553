// Any settings file gives a usable window: on a screen, every option in a
// recognised state, and a save that writes recognised texts the next start
// restores to the very same window. Each input is the whole settings file.

#include "FuzzInput.h"
#include "ProgramInfo.h"
#include "SilentPlatform.h"
#include "widgets/TypedLimitLineEdit.h"
#include "mainwindow/WindowSettings.h"
#include "mainwindow/frmMain.h"
#include "support/MainWindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <cstdlib>
#include <memory>

using namespace quorvane;

namespace {

struct WindowState {
    QPoint position;
    bool reset, realTime, base90, dayOfYear;
    QString resetNumber;
    bool operator==(const WindowState&) const = default;
};

WindowState StateOf(const frmMain& w) {
    return {w.pos(), Ui(w).chkReset->isChecked(), Ui(w).chkRealTime->isChecked(), Ui(w).chkBase90->isChecked(),
            Ui(w).optYD->isChecked(), Ui(w).txtReset->text()};
}

std::string Describe(const WindowState& s) {
    return QStringLiteral("pos %1,%2 reset %3 realtime %4 base %5 yd %6 num \"%7\"")
        .arg(s.position.x()).arg(s.position.y()).arg(s.reset).arg(s.realTime).arg(s.base90)
        .arg(s.dayOfYear).arg(s.resetNumber.left(80)).toStdString();
}

QString g_root;
fuzz::SilentPlatform* g_platform = nullptr;
unsigned long g_run = 0;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept for the whole run: Qt wants one application object per process.
    new QApplication(*argc, *argv);
    QCoreApplication::setOrganizationName(QStringLiteral("OvrekSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    char pattern[] = "/tmp/quorvane-settings-fuzz.XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    g_root = QString::fromLocal8Bit(pattern);
    g_platform = new fuzz::SilentPlatform;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A fresh folder each time, so no cached copy of an earlier file is read.
    const QString home = g_root + QStringLiteral("/%1").arg(++g_run);
    qputenv("XDG_CONFIG_HOME", home.toLocal8Bit());
    QDir().mkpath(home + QStringLiteral("/OvrekSoft"));
    {
        QFile file(SettingsFilePath());
        if (!file.open(QIODevice::WriteOnly)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const std::string context = fuzz::Quoted(std::string_view(reinterpret_cast<const char*>(data), size));

    WindowState restored;
    {
        frmMain window(*g_platform);
        RestoreWindowSettings(window);
        restored = StateOf(window);
        FUZZ_CHECK(ReachablePosition(window, window.pos()) == window.pos(), context + " " + Describe(restored));
        FUZZ_CHECK(Ui(window).optYD->isChecked() != Ui(window).optMD->isChecked(), context);
        // Options follow their check boxes, as the window's handlers set them.
        FUZZ_CHECK(Ui(window).txtReset->isEnabled() == Ui(window).chkReset->isChecked(), context);
        FUZZ_CHECK(SaveWindowSettings(window), context);
    }

    const SettingsTexts saved = OpenSettingsStore()->Read(StoredSettingsKeys());
    const QStringList flags = {QStringLiteral("True"), QStringLiteral("False")};
    for (const char* key : {"Option/Reset", "Option/RealTime", "Option/Base"})
        FUZZ_CHECK(flags.contains(saved.value(QLatin1String(key))), context + " " + key);
    FUZZ_CHECK(saved.value(QStringLiteral("Option/DayOpt")) ==
                   (restored.dayOfYear ? QStringLiteral("YearDay") : QStringLiteral("Month-Day")),
               context);
    FUZZ_CHECK(saved.value(QStringLiteral("SoftInfo/Vertion")) ==
                   QString::fromUtf8(kProgramVersion.data(), kProgramVersion.size()),
               context);

    {
        frmMain again(*g_platform);
        RestoreWindowSettings(again);
        const WindowState reread = StateOf(again);
        FUZZ_CHECK(reread == restored, context + "\n  first  " + Describe(restored) + "\n  second " + Describe(reread));
    }
    QDir(home).removeRecursively();
    return 0;
}
