#include "catalogue/OpenDialog.h"

namespace quorvane {

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

}  // namespace quorvane
