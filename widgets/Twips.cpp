#include "widgets/Twips.h"

#include <QApplication>
#include <QVariant>

namespace quorvane {
namespace {

constexpr char kScaleProperty[] = "quorvaneLayoutScale";
constexpr char kTwipsProperty[] = "quorvaneTwipsRect";

WindowLook& Look() {
    static WindowLook look{QApplication::font(), 1.0};
    return look;
}

}  // namespace

const WindowLook& SharedWindowLook() { return Look(); }

void SetSharedWindowLook(const WindowLook& look) { Look() = look; }

double LayoutScale(const QWidget* widget) {
    if (!widget) return 1.0;
    const QVariant scale = widget->window()->property(kScaleProperty);
    return scale.isValid() ? scale.toDouble() : 1.0;
}

void SetLayoutScale(QWidget* window, double scale) {
    window->setProperty(kScaleProperty, scale);
}

void PlaceInTwips(QWidget* control, double left, double top, double width, double height) {
    control->setProperty(kTwipsProperty, QRectF(left, top, width, height));
    control->setGeometry(TwipsRect(left, top, width, height, control));
}

void RescaleLayout(QWidget* window, double scale) {
    SetLayoutScale(window, scale);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QVariant twips = control->property(kTwipsProperty);
        if (!twips.isValid()) continue;
        const QRectF r = twips.toRectF();
        control->setGeometry(TwipsRect(r.left(), r.top(), r.width(), r.height(), control));
    }
}

QFont DesktopFontWithJapaneseForms() {
    QFont font = QApplication::font();
    QStringList families = font.families();
    if (families.isEmpty()) families << font.family();
    const QString japanese = QStringLiteral("Noto Sans CJK JP");
    if (!families.contains(japanese)) families << japanese;
    font.setFamilies(families);
    return font;
}

}  // namespace quorvane
