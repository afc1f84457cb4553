#include "widgets/TypedLimitLineEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace quorvane {

namespace {

// Mirrors which key presses QLineEdit turns into typed text: Ctrl and
// Ctrl+Shift are commands, AltGr and plain keys type.
bool TypesText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const QChar first = text.front();
    return first.isPrint() || first.category() == QChar::Other_Format ||
           first.category() == QChar::Other_PrivateUse || first.isHighSurrogate();
}

#ifndef QT_NO_CONTEXTMENU
// The standard menu's paste entry: named in newer Qt, otherwise known by
// QLineEdit's own (translated) caption, before the shortcut.
QAction* PasteAction(const QMenu* menu) {
    const QString caption = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().section(QLatin1Char('\t'), 0, 0) == caption)
            return action;
    }
    return nullptr;
}
#endif

}  // namespace

TypedLimitLineEdit::TypedLimitLineEdit(QWidget* parent) : QLineEdit(parent) {
    // The fields take plain digits; an input method would only get in the way.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TypedLimitLineEdit::setTypedLimit(int limit) { m_typedLimit = limit > 0 ? limit : 0; }

QVariant TypedLimitLineEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    // QLineEdit may switch the attribute back on (read-only or echo mode
    // changes); the platform asks this query too, so it settles the matter.
    if (query == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(query);
}

int TypedLimitLineEdit::room() const {
    return m_typedLimit - (text().size() - selectedText().size());
}

bool TypedLimitLineEdit::insertWithinLimit(const QString& text) {
    const int free = room();
    if (free <= 0) {
        emit inputRejected();
        return false;
    }
    if (text.size() > free) emit inputRejected();
    insert(text.left(free));
    return true;
}

void TypedLimitLineEdit::pasteWithinLimit(QClipboard::Mode mode) {
    const QString clip = QGuiApplication::clipboard()->text(mode);
    if (clip.isEmpty()) return;
    insertWithinLimit(clip);
}

void TypedLimitLineEdit::keyPressEvent(QKeyEvent* event) {
    if (m_typedLimit > 0 && !isReadOnly()) {
        if (event->matches(QKeySequence::Paste)) {
            pasteWithinLimit(QClipboard::Clipboard);
            event->accept();
            return;
        }
        if (TypesText(event) && event->text().size() > room()) {
            insertWithinLimit(event->text());
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TypedLimitLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // X11's middle-button paste of the primary selection.
    if (m_typedLimit > 0 && !isReadOnly() && event->button() == Qt::MiddleButton &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteWithinLimit(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TypedLimitLineEdit::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const bool movesOwnText = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (m_typedLimit <= 0 || isReadOnly() || !data || !data->hasText() || movesOwnText) {
        QLineEdit::dropEvent(event);
        return;
    }
    // A drop inserts at the drop point without replacing the selection.
    const int free = m_typedLimit - text().size();
    const QString dropped = data->text();
    if (dropped.size() <= free) {
        QLineEdit::dropEvent(event);
        return;
    }
    emit inputRejected();
    if (free <= 0) {
        event->ignore();
        return;
    }
    QMimeData fitting;
    fitting.setText(dropped.left(free));
    QDropEvent trimmed(event->position(), event->possibleActions(), &fitting, event->buttons(),
                       event->modifiers());
    trimmed.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&trimmed);
    event->setDropAction(trimmed.dropAction());
    event->setAccepted(trimmed.isAccepted());
}

#ifndef QT_NO_CONTEXTMENU
void TypedLimitLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (!menu) return;
    if (m_typedLimit > 0) {
        if (QAction* paste = PasteAction(menu)) {
            paste->disconnect(this);
            connect(paste, &QAction::triggered, this,
                    [this] { pasteWithinLimit(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
#endif

}  // namespace quorvane
