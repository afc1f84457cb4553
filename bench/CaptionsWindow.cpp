// The start-up baseline fair to the main window's captions: a bare window
// showing the same captions in the same font, so what the main window costs
// beyond it is its controls and its own work, not the scripts its captions
// are written in. The captions come as arguments; one starting with "*" is a
// frame's title, which the style draws bold.
#include "widgets/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    // As the main window picks it.
    window.setFont(quorvane::DesktopFontWithJapaneseForms());
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
