#pragma once
// The editor's document as the bytes a save writes. The user is asked where
// there is a choice (a kept line in another encoding; UTF-8 for a character
// Shift-JIS lacks) and told where the document cannot be written as it is.

#include "catalogue/CatalogueDocument.h"

#include <QString>

#include <string>
#include <variant>

class QWidget;

namespace quorvane {
class Platform;
}

struct SaveBytes {
    std::string bytes;
    quorvane::TextEncoding encoding;
};

// Nothing to write: the user declined or was told why. `row` and `column`
// name the cell that holds the refused character, when one does.
struct SaveRefused {
    int row = -1;
    int column = -1;
};

std::variant<SaveBytes, SaveRefused> EncodeForSave(quorvane::Platform& platform, QWidget* parent,
                                                   const quorvane::CatalogueDocument& document);

// "U+30A2" for the first character of `character`.
QString CodePoint(const QString& character);
