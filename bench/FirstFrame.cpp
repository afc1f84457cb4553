#include "bench/FirstFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace quorvane::bench {

FirstFrame::FirstFrame(void (*report)(), QObject* parent) : QObject(parent), m_report(report) {}

bool FirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (!m_seen && event->type() == QEvent::Expose) {
        auto* window = qobject_cast<QWindow*>(watched);
        if (window && window->isTopLevel()) {
            m_seen = true;
            // Queued: the window paints while it handles the expose, and
            // the report comes after that.
            QMetaObject::invokeMethod(qApp, m_report, Qt::QueuedConnection);
        }
    }
    return false;
}

}  // namespace quorvane::bench
