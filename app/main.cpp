#include "ProgramInfo.h"
#include "app/InstallCheck.h"
#include "app/ProgramOptions.h"
#include "app/UiFace.h"
#include "mainwindow/frmMain.h"
#include "services/RealPlatform.h"

#include <QApplication>
#include <QCoreApplication>

#include <csignal>
#include <cstring>
#include <optional>

namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

bool AsksForTheInstallCheck(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--check-install") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A file that reaches the size limit must fail to write, with its reason,
    // not end the program and the user's unsaved edits with it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // For packagers: reports whether the data files sit beside the program.
    // Build machines often have no display, so no window system is started.
    if (AsksForTheInstallCheck(argc, argv)) {
        QCoreApplication app(argc, argv);
        const quorvane::ProgramOptions options =
            quorvane::ParseProgramOptions(QCoreApplication::arguments().mid(1));
        if (!options.ok()) return quorvane::RefuseProgramOptions(options);
        return quorvane::RunInstallCheck();
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(Text(quorvane::kVendorName));
    QApplication::setApplicationName(Text(quorvane::kProgramCaption));
    // Qt's own options are gone from the arguments by now.
    const quorvane::ProgramOptions options = quorvane::ParseProgramOptions(QCoreApplication::arguments().mid(1));
    if (!options.ok()) return quorvane::RefuseProgramOptions(options);

    const std::optional<quorvane::UiLanguage> face = quorvane::FaceForThisRun(options.language);
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
