#pragma once
// The question asked when a data file is not where it belongs, in the face's
// language; `shownName` is the name as the message spells it.

#include <QString>

namespace quorvane {

QString MissingFileQuestion(const QString& shownName);

}  // namespace quorvane
