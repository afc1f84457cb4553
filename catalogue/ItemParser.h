#pragma once
// Turns one raw item into a tagged value: quoted text, a bare number, a
// value between number signs (a date, #NULL#, #TRUE#, #FALSE#, #ERROR n#),
// empty, or bare text (anything else, "#hello#" included); or into the
// problem that keeps it from being one.

#include "catalogue/CatalogueProblem.h"
#include "catalogue/ItemScanner.h"
#include "catalogue/TaggedValue.h"
#include "text/TextCodec.h"

#include <cstddef>
#include <optional>

namespace quorvane {

struct ParsedItem {
    TaggedValue value;
    std::optional<CatalogueProblemKind> problem;
    std::size_t line = 1;
};

ParsedItem ParseItem(const RawItem& raw, TextDecoder& decoder);

}  // namespace quorvane
