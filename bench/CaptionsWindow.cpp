// The start-up baseline fair to the main window's captions: a bare window
// showing the same captions in the same font, so what the main window costs
// beyond it is its controls and its own work, not the scripts its captions
// are written in. The captions come as arguments; one starting with "*" is a
// frame's title, which the style draws bold.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// As the main window picks it: the desktop's font, with Japanese glyph
// forms for the kanji where that font is installed.
QFont WindowFont() {
    QFont font = QApplication::font();
    QStringList families = font.families();
    if (families.isEmpty()) families << font.family();
    const QString japanese = QStringLiteral("Noto Sans CJK JP");
    if (!families.contains(japanese)) families << japanese;
    font.setFamilies(families);
    return font;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFont(WindowFont());
    auto* layout = new QVBoxLayout(&window);
    for (int i = 1; i < argc; ++i) {
        QString caption = QString::fromUtf8(argv[i]);
        const bool frameTitle = caption.startsWith(QLatin1Char('*'));
        if (frameTitle) caption.remove(0, 1);
        auto* label = new QLabel(caption, &window);
        if (frameTitle) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        layout->addWidget(label);
    }
    window.show();
    return app.exec();
}
