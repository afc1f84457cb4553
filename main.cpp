#include "InstallCheck.h"
#include "mainwindow/frmMain.h"
#include "services/RealPlatform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("OvrekSoft"));
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    // For packagers: reports whether the data files sit beside the program.
    if (argc == 2 && qstrcmp(argv[1], "--check-install") == 0) return quorvane::RunInstallCheck();

    quorvane::RealPlatform platform;
    frmMain window(platform);
    window.Form_Load();
    window.show();
    return app.exec();
}
