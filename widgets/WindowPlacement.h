#pragma once
// Where a remembered window position may be applied: every window that
// restores one uses the same check, so none opens where the user cannot
// reach it.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace quorvane {

// The outer top-left corner for a window of outer size `size` at `wanted`
// (pixels), moved onto the nearest of `screens` (their available areas)
// when its title bar would be out of reach on every one. No screens: as
// wanted.
QPoint ReachablePosition(QSize size, QPoint wanted, const QList<QRect>& screens);

// The same for `window`'s outer size on the screens there are now.
QPoint ReachablePosition(const QWidget& window, QPoint wanted);

}  // namespace quorvane
