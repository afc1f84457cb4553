#pragma once
// A one-line text field for plain numbers: the input method stays off, and an
// optional limit refuses what the user types, pastes or drops beyond it.
// Unlike QLineEdit::setMaxLength, the limit never cuts what the program
// writes: a year computed as 10000 must show whole, not as 1000.

#include <QClipboard>
#include <QLineEdit>

namespace quorvane {

class TypedLimitLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TypedLimitLineEdit(QWidget* parent = nullptr);

    // Most characters the user may bring in; 0 means no limit.
    int typedLimit() const { return m_typedLimit; }
    void setTypedLimit(int limit);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
#ifndef QT_NO_CONTEXTMENU
    void contextMenuEvent(QContextMenuEvent* event) override;
#endif

private:
    // Characters the user may still add in place of the selection.
    int room() const;
    // Inserts as much of `text` as fits in place of the selection; false
    // when nothing at all fitted.
    bool insertWithinLimit(const QString& text);
    void pasteWithinLimit(QClipboard::Mode mode);

    int m_typedLimit = 0;
};

}  // namespace quorvane
