// The start-up probes' common part: an application-wide event filter that
// calls `report` once the first top-level window has been exposed and has
// painted.
#pragma once

#include <QObject>

namespace quorvane::bench {

class FirstFrame : public QObject {
public:
    FirstFrame(void (*report)(), QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void (*m_report)();
    bool m_seen = false;
};

}  // namespace quorvane::bench
