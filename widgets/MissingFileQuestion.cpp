#include "widgets/MissingFileQuestion.h"

#include <QCoreApplication>

namespace quorvane {

QString MissingFileQuestion(const QString& shownName) {
    return QCoreApplication::translate("MissingFileQuestion", "%1 がありません。自分でさがしますか？")
        .arg(shownName);
}

}  // namespace quorvane
