#pragma once
// The save's questions as message boxes over the editor (or, before it is
// shown, over the window that opened it).

#include "saving/SaveFlow.h"

class QWidget;

namespace quorvane {
class Platform;
}

class EditorQuestions final : public quorvane::SaveQuestions {
public:
    EditorQuestions(quorvane::Platform& platform, QWidget* parent);
    void setParent(QWidget* parent) { m_parent = parent; }

    quorvane::SaveAnswer askOutsideChange(const QString& text, bool canReload, bool canOverwrite) override;
    bool askYesNo(const QString& text) override;
    void tell(const QString& text) override;

private:
    quorvane::Platform& m_platform;
    QWidget* m_parent;
};
