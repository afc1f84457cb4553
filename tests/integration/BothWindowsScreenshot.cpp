// Starts the main window as the program does and opens the event list under
// it. Given an output file, it photographs both windows from the screen onto
// one picture and quits; run it on a private X server with a fresh config
// folder so the picture shows a first start.
//
//   both_windows_screenshot [OUTPUT.png]
#include "datalist/frmDataList.h"
#include "mainwindow/frmMain.h"
#include "services/RealPlatform.h"

#include "app/UiFace.h"
#include "services/SettingsStore.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kMargin = 12;

bool SaveBothWindows(const QWidget& main, const QWidget& list, const QString& output) {
    const QRect area = main.frameGeometry().united(list.frameGeometry()).adjusted(
        -kMargin, -kMargin, kMargin, kMargin);
    QPixmap picture(area.size());
    picture.fill(QColor(0x4f, 0x5b, 0x66));
    QPainter painter(&picture);
    for (const QWidget* window : {&main, &list}) {
        const QPixmap shot = window->screen()->grabWindow(window->winId());
        painter.drawPixmap(window->frameGeometry().topLeft() - area.topLeft(), shot);
    }
    painter.end();
    return picture.save(output);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("OvrekSoft"));
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    // The face the program would show, so the pictures of each face come
    // from the same program.
    const quorvane::FaceTranslators face(quorvane::ChooseFace(*quorvane::OpenSettingsStore()));

    quorvane::RealPlatform platform;
    frmMain window(platform);
    window.Form_Load();
    window.show();
    window.ShowDataList();

    if (argc < 2) return app.exec();
    const QString output = QString::fromLocal8Bit(argv[1]);
    int status = 1;
    // Time for both windows to be mapped and painted.
    QTimer::singleShot(1500, &app, [&] {
        if (frmDataList* list = window.DataList(); list && SaveBothWindows(window, *list, output))
            status = 0;
        else
            std::fprintf(stderr, "both_windows_screenshot: could not write %s\n", argv[1]);
        app.quit();
    });
    app.exec();
    return status;
}
