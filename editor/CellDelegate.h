#pragma once
// The cell editor of the editor's table: a refused text stays open, with the
// reason shown, instead of dropping what the user typed.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

class CellDelegate : public QStyledItemDelegate {
public:
    // Why a text cannot stand in a cell; empty when it can.
    using Refusal = std::function<QString(const QModelIndex&, const QString&)>;
    CellDelegate(Refusal refusal, std::function<void(const QString&)> show, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    bool isEditing() const { return m_editor != nullptr; }
    // Takes the open editor's text into the model; false when it is refused
    // (the editor stays open and the reason is shown).
    bool commitOpenEditor();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool refused(QWidget* editor) const;

    Refusal m_refusal;
    std::function<void(const QString&)> m_show;
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editing;
};
