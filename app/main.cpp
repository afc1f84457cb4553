#include "app/InstallCheck.h"
#include "app/UiFace.h"
#include "mainwindow/frmMain.h"
#include "services/RealPlatform.h"

#include <QApplication>
#include <QCoreApplication>

#include <csignal>
#include <optional>

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A file that reaches the size limit must fail to write, with its reason,
    // not end the program and the user's unsaved edits with it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // For packagers: reports whether the data files sit beside the program.
    // Build machines often have no display, so no window system is started.
    if (argc == 2 && qstrcmp(argv[1], "--check-install") == 0) {
        QCoreApplication app(argc, argv);
        return quorvane::RunInstallCheck();
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("OvrekSoft"));
    QApplication::setApplicationName(QStringLiteral("Quorvane"));

    const std::optional<quorvane::UiLanguage> face = quorvane::FaceForThisRun(QCoreApplication::arguments());
    if (!face) return 2;
    const quorvane::FaceTranslators translators(*face);
    // The window still works, with Qt's own texts untranslated; the
    // packager should hear of it.
    if (!translators.complete()) qWarning("Quorvane: a translation of this face could not be loaded");

    quorvane::RealPlatform platform;
    frmMain window(platform);
    window.Form_Load();
    window.show();
    return app.exec();
}
