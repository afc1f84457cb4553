#pragma once
// Window geometry is laid out in twips (1/1440 inch), as the window designs
// were drawn; the screen's logical resolution turns them into pixels
// (15 twips per pixel at 96 dpi).

#include <QWidget>
#include <cmath>

namespace quorvane {

inline double LogicalDpi(const QWidget* widget) {
    return widget ? widget->logicalDpiX() : 96.0;
}

inline int TwipsToPixels(double twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips * LogicalDpi(widget) / 1440.0));
}

inline double PixelsToTwips(int pixels, const QWidget* widget) {
    return pixels * 1440.0 / LogicalDpi(widget);
}

inline QRect TwipsRect(double left, double top, double width, double height,
                       const QWidget* widget) {
    return QRect(TwipsToPixels(left, widget), TwipsToPixels(top, widget),
                 TwipsToPixels(width, widget), TwipsToPixels(height, widget));
}

}  // namespace quorvane
