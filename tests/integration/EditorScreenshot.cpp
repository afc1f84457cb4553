// Starts the main window as the program does and opens the catalogue editor
// on the shipped catalogue. Given an output file, it photographs the editor
// from the screen and quits; run it on a private X server with fresh config
// and data folders so the picture shows a first start.
//
//   editor_screenshot [OUTPUT.png]
#include "editor/frmEditor.h"
#include "mainwindow/frmMain.h"
#include "services/RealPlatform.h"

#include "app/UiFace.h"
#include "services/SettingsStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTableView>
#include <QTimer>

#include <cstdio>

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
    window.EditDatabase();
    frmEditor* editor = window.Editor();
    if (!editor) {
        std::fprintf(stderr, "editor_screenshot: the editor did not open\n");
        return 1;
    }
    editor->move(40, 40);
    // A few rows narrowed by the filter, one of them selected.
    editor->txtFilter->setText(quorvane::ActiveUiLanguage().IsSource() ? QStringLiteral("エンタープライズ")
                                                                        : QStringLiteral("Enterprise"));
    editor->grdEvents->selectRow(1);

    if (argc < 2) return app.exec();
    const QString output = QString::fromLocal8Bit(argv[1]);
    int status = 1;
    // Time for the window to be mapped and painted.
    QTimer::singleShot(1500, &app, [&] {
        const QPixmap shot = editor->screen()->grabWindow(editor->winId());
        if (shot.save(output)) status = 0;
        else std::fprintf(stderr, "editor_screenshot: could not write %s\n", argv[1]);
        app.quit();
    });
    app.exec();
    return status;
}
