#include "catalogue/ui/OpenDialog.h"

#include "ProgramInfo.h"
#include "catalogue/CatalogueDocument.h"
#include "catalogue/FileLocation.h"
#include "widgets/Utf8.h"

#include <QFile>

namespace quorvane {

QString FilterText(std::initializer_list<const char16_t*> items) {
    QString filter;
    for (const char16_t* item : items) filter += QString::fromUtf16(item) + QChar(u'\0');
    return filter;
}

QString CatalogueFilter() {
    return FilterText({u"Quorvane ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙ(*.vqd)", u"*.vqd", u"ﾃｷｽﾄﾌｧｲﾙ(*.txt)", u"*.txt",
                       u"すべてのﾌｧｲﾙ(*.*)", u"*.*"});
}

QList<FileFilter> ParseFilterPairs(const QString& filterText) {
    QStringList items = filterText.split(QChar(u'\0'));
    // The text ends in a NUL, which leaves one empty item behind.
    if (!items.isEmpty() && items.last().isEmpty()) items.removeLast();
    QList<FileFilter> filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) filters.append({items[i], items[i + 1]});
    return filters;
}

QString ShowOpenDialog(Platform& platform, QWidget* owner, const QString& filterText,
                       const QString& initialFolder, const QString& initialFileName) {
    return platform.showOpenDialog(owner, ParseFilterPairs(filterText), initialFolder,
                                   initialFileName);
}

std::string FindOrAskCatalogue(Platform& platform, QWidget* owner, bool* declined) {
    if (declined) *declined = false;
    const QString folder = platform.programFolder();
    // The user's own copy, once the editor made one, comes first.
    std::string path = CataloguePathToRead(LocalPath(folder));
    if (FileExists(path)) return path;

    // Named as this face looks for it, which is the file the user should find.
    const std::string_view wanted = CatalogueFileName(ActiveUiLanguage());
    const MessageAnswer answer = platform.showMessage(
        owner, FromUtf8(MissingFileQuestion(wanted)), FromUtf8(kProgramCaption),
        MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        if (declined) *declined = true;
        return {};
    }
    const QString chosen =
        ShowOpenDialog(platform, owner, CatalogueFilter(), folder, FromUtf8(wanted));
    return chosen.isEmpty() ? std::string() : LocalPath(chosen);
}

}  // namespace quorvane
