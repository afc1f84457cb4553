#pragma once
// The open-file dialog as the catalogue loader and the read-me command ask
// for it: a filter given as one text of description and pattern pairs.

#include "services/Platform.h"

#include <QList>
#include <QString>

#include <initializer_list>
#include <string>

class QWidget;

namespace quorvane {

// The items of a filter text, each followed by a NUL.
QString FilterText(std::initializer_list<QString> items);

// The catalogue files first, then text files, then everything.
QString CatalogueFilter();
// Text files, then all files: the filter for a read-me.
QString TextFileFilter();

// Paths travel through the core as the file system's own bytes; on Windows
// as UTF-8 with backslashes, as the catalogue code expects there.
std::string LocalPath(const QString& path);
QString FromLocalPath(const std::string& path);

// "Description\0pattern\0Description\0pattern\0..." into its pairs; an
// unpaired last item is dropped.
QList<FileFilter> ParseFilterPairs(const QString& filterText);

// Lets the user pick an existing file, the first filter preselected, starting
// in `initialFolder` with `initialFileName` filled in. Returns the full path,
// or empty text when the user cancels or the dialog cannot be shown.
QString ShowOpenDialog(Platform& platform, QWidget* owner, const QString& filterText,
                       const QString& initialFolder, const QString& initialFileName);

// The catalogue to read (CataloguePathToRead), or, when there is none, the
// file the user picks after agreeing to look for one. Empty when the user
// answers No (`declined` is then set) or cancels the dialog.
std::string FindOrAskCatalogue(Platform& platform, QWidget* owner, bool* declined = nullptr);

}  // namespace quorvane
