// Shows the about window as the program opens it, for scripts/screenshot.sh:
// the main window, never shown, measures the font and scale it shares.
#include "mainwindow/frmMain.h"
#include "services/frmAbout.h"
#include "support/FakePlatform.h"

#include "app/UiFace.h"
#include "services/SettingsStore.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The face the program would show, so the pictures of each face come
    // from the same program.
    const quorvane::FaceTranslators face(quorvane::ChooseFace(*quorvane::OpenSettingsStore()));
    QIcon icon;
    for (const char* size : {"16", "32", "48", "256"})
        icon.addFile(QStringLiteral(":/icons/quorvane-%1.png").arg(QLatin1String(size)));
    quorvane::testing::FakePlatform platform;
    const frmMain main(platform);
    frmAbout about(platform, icon);
    return about.exec() == QDialog::Accepted ? 0 : 1;
}
