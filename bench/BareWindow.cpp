// The start-up baseline: the least a Qt Widgets program does to show a
// window. Measured the same way as the program itself.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return app.exec();
}
