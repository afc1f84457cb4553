#pragma once
// The open-file dialog as the catalogue loader and the read-me command ask
// for it: a filter given as one text of description and pattern pairs.

#include "services/Platform.h"

#include <QList>
#include <QString>

class QWidget;

namespace quorvane {

// "Description\0pattern\0Description\0pattern\0..." into its pairs; an
// unpaired last item is dropped.
QList<FileFilter> ParseFilterPairs(const QString& filterText);

// Lets the user pick an existing file, the first filter preselected, starting
// in `initialFolder` with `initialFileName` filled in. Returns the full path,
// or empty text when the user cancels or the dialog cannot be shown.
QString ShowOpenDialog(Platform& platform, QWidget* owner, const QString& filterText,
                       const QString& initialFolder, const QString& initialFileName);

}  // namespace quorvane
