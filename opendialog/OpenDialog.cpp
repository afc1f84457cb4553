#include "opendialog/OpenDialog.h"

#include "ProgramInfo.h"
#include "catalogue/CatalogueDocument.h"
#include "files/FileLocation.h"
#include "widgets/MissingFileQuestion.h"
#include "widgets/Utf8.h"

#include <QCoreApplication>
#include <QFile>

namespace quorvane {

QString FilterText(std::initializer_list<QString> items) {
    QString filter;
    for (const QString& item : items) filter += item + QChar(u'\0');
    return filter;
}

namespace {

struct DialogText {
    Q_DECLARE_TR_FUNCTIONS(OpenDialog)
};

}  // namespace

QString CatalogueFilter() {
    return FilterText({DialogText::tr("Quorvane ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙ(*.vqd)"), QStringLiteral("*.vqd")}) + TextFileFilter();
}

QString TextFileFilter() {
    return FilterText({DialogText::tr("ﾃｷｽﾄﾌｧｲﾙ(*.txt)"), QStringLiteral("*.txt"),
                       DialogText::tr("すべてのﾌｧｲﾙ(*.*)"), QStringLiteral("*.*")});
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
        owner, MissingFileQuestion(FromUtf8(wanted)), FromUtf8(kProgramCaption),
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
