#include "mainwindow/frmMain.h"
#include "services/RealPlatform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("OvrekSoft"));
    QApplication::setApplicationName(QStringLiteral("Quorvane"));

    quorvane::RealPlatform platform;
    frmMain window(platform);
    window.show();
    return app.exec();
}
