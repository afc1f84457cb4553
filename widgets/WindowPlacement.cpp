#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace quorvane {

namespace {

// Pixels between two rectangles; 0 when they overlap.
int Distance(const QRect& a, const QRect& b) {
    const int dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const int dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx + dy;
}

}  // namespace

QPoint ReachablePosition(QSize size, QPoint wanted, const QList<QRect>& screens) {
    if (screens.isEmpty()) return wanted;
    const QRect placed(wanted, size);
    // The strip a user grabs to move the window.
    const int grab = std::min(32, std::max(1, size.height()));
    const QRect titleStrip(wanted, QSize(size.width(), grab));
    const int enough = std::min(32, std::max(1, size.width()));

    QRect nearest;
    int nearestDistance = std::numeric_limits<int>::max();
    for (const QRect& area : screens) {
        const QRect shown = area.intersected(titleStrip);
        if (shown.width() >= enough && shown.height() >= grab) return wanted;
        const int distance = Distance(area, placed);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = area;
        }
    }
    const int x = size.width() > nearest.width()
                      ? nearest.left()
                      : std::clamp(wanted.x(), nearest.left(), nearest.right() - size.width() + 1);
    const int y = size.height() > nearest.height()
                      ? nearest.top()
                      : std::clamp(wanted.y(), nearest.top(), nearest.bottom() - size.height() + 1);
    return {x, y};
}

QPoint ReachablePosition(const QWidget& window, QPoint wanted) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas.append(screen->availableGeometry());
    return ReachablePosition(window.frameGeometry().size(), wanted, areas);
}

}  // namespace quorvane
