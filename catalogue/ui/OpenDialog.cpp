#include "catalogue/ui/OpenDialog.h"


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

}  // namespace quorvane
