#pragma once
// A label that acts as a link: pointing-hand cursor, reachable with Tab, and
// pressed with the left mouse button, Space or Enter. It keeps one look: no
// hover or visited state.

#include <QLabel>

namespace quorvane {

class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pressed = false;
};

}  // namespace quorvane
