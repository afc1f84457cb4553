// What any window with Japanese text pays at start-up beyond an empty one:
// the font system and a font with kana and kanji. Shown beside the program's
// start-up so the empty window's lead can be read for what it is.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    new QLabel(QStringLiteral("地球暦(西暦)"), &window);
    window.show();
    return app.exec();
}
