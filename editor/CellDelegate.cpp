#include "editor/CellDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <limits>

CellDelegate::CellDelegate(Refusal refusal, std::function<void(const QString&)> show, QObject* parent)
    : QStyledItemDelegate(parent), m_refusal(std::move(refusal)), m_show(std::move(show)) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    // A line edit keeps 32767 characters by default: a longer cell would
    // be cut, and the cut saved, by merely opening and leaving it.
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(std::numeric_limits<int>::max());
    m_editor = editor;
    m_editing = index;
    m_show(QString());
    return editor;
}

void CellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == m_editor) m_editor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool CellDelegate::commitOpenEditor() {
    if (!m_editor) return true;
    QWidget* editor = m_editor;
    if (refused(editor)) return false;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                if (auto* editor = qobject_cast<QWidget*>(object); editor && refused(editor)) return true;
                break;
            default: break;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

bool CellDelegate::refused(QWidget* editor) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return false;
    const QString reason = m_refusal(m_editing, line->text());
    line->setToolTip(reason);
    if (reason.isEmpty()) return false;
    m_show(reason);
    return true;
}
