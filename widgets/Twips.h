#pragma once
// Window geometry is laid out in twips (1/1440 inch), as the window designs
// were drawn; the screen's logical resolution turns them into pixels
// (15 twips per pixel at 96 dpi). Inside a window the design is scaled by one
// factor, so that the desktop's font fits every caption without the design
// losing its proportions; window positions on the screen are never scaled.

#include <QFont>
#include <QWidget>
#include <cmath>

namespace quorvane {

inline double LogicalDpi(const QWidget* widget) {
    return widget ? widget->logicalDpiX() : 96.0;
}

// Screen positions: not scaled.
inline int TwipsToPixels(double twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips * LogicalDpi(widget) / 1440.0));
}

inline double PixelsToTwips(int pixels, const QWidget* widget) {
    return pixels * 1440.0 / LogicalDpi(widget);
}

// The look every window shares: the font, and the factor the designs are
// scaled by so that this font fits. The main window measures it first.
struct WindowLook {
    QFont font;
    double scale = 1.0;
};
const WindowLook& SharedWindowLook();
void SetSharedWindowLook(const WindowLook& look);

// The font the main window starts from: the desktop's, with Japanese glyph
// forms for the kanji where the font is installed.
QFont DesktopFontWithJapaneseForms();

// The factor of the window that holds `widget` (1 until it is given one).
double LayoutScale(const QWidget* widget);
void SetLayoutScale(QWidget* window, double scale);

// A length inside a window, scaled by that window's factor.
inline int ScaledTwipsToPixels(double twips, const QWidget* widget) {
    return TwipsToPixels(twips * LayoutScale(widget), widget);
}

inline QRect TwipsRect(double left, double top, double width, double height,
                       const QWidget* widget) {
    return QRect(ScaledTwipsToPixels(left, widget), ScaledTwipsToPixels(top, widget),
                 ScaledTwipsToPixels(width, widget), ScaledTwipsToPixels(height, widget));
}

// Places a control at its designed rectangle and remembers it, so that
// RescaleLayout can place it again when its window's factor changes.
void PlaceInTwips(QWidget* control, double left, double top, double width, double height);
void RescaleLayout(QWidget* window, double scale);

}  // namespace quorvane
