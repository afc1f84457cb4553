#include "editor/EditorQuestions.h"

#include "ProgramInfo.h"
#include "services/Platform.h"
#include "widgets/Utf8.h"

using quorvane::MessageAnswer;
using quorvane::MessageButtons;
using quorvane::MessageIcon;

namespace {

QString Caption() { return quorvane::FromUtf8(quorvane::kProgramCaption); }

}  // namespace

EditorQuestions::EditorQuestions(quorvane::Platform& platform, QWidget* parent)
    : m_platform(platform), m_parent(parent) {}

quorvane::SaveAnswer EditorQuestions::askOutsideChange(const QString& text, bool canReload, bool canOverwrite) {
    const MessageButtons buttons = canReload      ? MessageButtons::ReloadOverwriteCancel
                                   : canOverwrite ? MessageButtons::OverwriteCancel
                                                  : MessageButtons::Ok;
    switch (m_platform.showMessage(m_parent, text, Caption(), MessageIcon::Warning, buttons)) {
        case MessageAnswer::Reload: return quorvane::SaveAnswer::Reload;
        case MessageAnswer::Overwrite: return quorvane::SaveAnswer::Overwrite;
        default: return quorvane::SaveAnswer::Cancel;
    }
}

bool EditorQuestions::askYesNo(const QString& text) {
    return m_platform.showMessage(m_parent, text, Caption(), MessageIcon::Question, MessageButtons::YesNo) ==
           MessageAnswer::Yes;
}

void EditorQuestions::tell(const QString& text) {
    m_platform.showMessage(m_parent, text, Caption(), MessageIcon::Warning, MessageButtons::Ok);
}
